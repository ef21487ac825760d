// The key-lock password dialog: the new password typed twice on the soft
// keyboard, both entries shown masked, OK only while they match. The dialog
// holds the password as text; the auxiliary page stores it.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CHandButton.h"

#include <string>

class CSystemPasswordDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemPasswordDlg)

    explicit CSystemPasswordDlg(CWnd* parent = nullptr);
    ~CSystemPasswordDlg() override;

    // Both entries take the stored password; nothing counts as changed yet.
    void SetPassword(const std::wstring& password);
    // True once either entry was given a text other than the one it held.
    bool IsChanged() const { return m_bChanged; }
    // The first entry.
    const std::wstring& GetPassword() const { return m_entry; }

protected:
    BOOL OnInitDialog() override;
    void OnBnClickedEntry();
    void OnBnClickedConfirm();

    DECLARE_MESSAGE_MAP()

private:
    // The keyboard for one entry; `captionItem` is the text item of its label.
    void EnterText(std::wstring& entry, DWORD captionItem);
    void Refresh();

    CHandButton m_handEntry;
    CHandButton m_handConfirm;
    std::wstring m_entry;
    std::wstring m_confirmation;
    bool m_bChanged = false;
};
