// The folder and name dialog of the file actions: a destination folder
// chosen with the folder chooser (folder mode) or a file or folder name typed
// on the path-and-file keyboard (name mode), with up to six option boxes.
//
// Calling order: construct, Setup, SetCaption, SetCheckItem for each box
// wanted, DoModal, then GetValue and GetCheck when DoModal returned 1.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CHandButton.h"
#include "win/CString.h"

class CFileProcDialog : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CFileProcDialog)

    enum Mode { ModeFolder = 0, ModeName = 1 };
    static constexpr int kCheckCount = 6;

    explicit CFileProcDialog(CWnd* parent = nullptr);
    ~CFileProcDialog() override;

    void Setup(int mode, const wchar_t* label, const wchar_t* value);
    // Sets the caption, at once on the window when it exists.
    void SetCaption(const wchar_t* text);
    // Label, visibility (shown when non-zero) and state of box 0 to 5; other
    // indexes are ignored.
    void SetCheckItem(int index, const wchar_t* label, int visible, BOOL state);

    CString GetValue() const { return m_strValue; }
    // The state stored when the operator confirmed; FALSE for other indexes.
    BOOL GetCheck(int index) const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    void OnBnClickedButtonBrowse();
    void OnBnClickedButtonHand();

    DECLARE_MESSAGE_MAP()

private:
    void PlaceModeButtons();

    CHandButton m_btnHand;
    CString m_strCaption;
    int m_nCheckVisible[kCheckCount] = {};
    BOOL m_bCheck[kCheckCount] = {};
    CString m_strCheckLabel[kCheckCount];
    CString m_strValue;
    CString m_strLabel;
    int m_nMode = ModeFolder;
};
