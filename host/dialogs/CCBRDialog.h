// The host's dialog base: a framework dialog on a template, the base of every
// settings dialog and page and of the host's own input dialogs, with the
// host's change-report mixins (the host counts the live dialogs through them).
//
// The flag tells whether the dialog stands alone (a modal dialog of its own,
// the auxiliary page, the saved-setups dialog) or is a tab page that lives
// inside a frame. In this port it is kept for the host's bookkeeping
// (IsStandAlone) and changes nothing on the screen.
#pragma once

#include "host/IMRRec.h"
#include "host/IMRToolBar.h"
#include "win/Dialog.h"

#include <cstddef>

class CCBRDialog : public CDialog, public IMRRec, public IMRToolBar {
public:
    DECLARE_DYNAMIC(CCBRDialog)

    CCBRDialog(UINT templateId, CWnd* parent, bool standAlone);
    ~CCBRDialog() override;

    bool IsStandAlone() const { return m_bStandAlone; }

    // A control's text: item `item` of a group of the host's text service,
    // or `defaultText` when the service has none.
    struct ItemText {
        int id;
        DWORD item;
        const wchar_t* defaultText;
    };

protected:
    // Sets the text of each control of `texts` from `group`.
    template <std::size_t N>
    void SetItemTexts(DWORD group, const ItemText (&texts)[N])
    {
        SetItemTexts(group, texts, N);
    }
    void SetItemTexts(DWORD group, const ItemText* texts, std::size_t count);

    // Chained by derived classes from their own WM_DESTROY handlers.
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    bool m_bStandAlone;
};
