// The host's message popup.
//
// Button modes:
//   1 (and the default): a question; "実行" (IDOK) and "キャンセル" (IDCANCEL);
//     DoModal returns 1 when the operator confirms, 2 otherwise.
//   2: a notice with the one button "閉じる" (IDOK); DoModal returns 1
//     (2 when the window is closed instead).
//   3: the abort notice of a running job, modeless: Create makes it (hidden,
//     the caller shows it), its one button "中止" (IDOK) ends nothing by
//     itself but makes IsExit non-zero. Closing the window (WM_CLOSE)
//     counts as the button too. The screen shows it as modal: the job's
//     thread holds the user interface meanwhile.
// Any other mode asks like mode 1. A message of many lines makes the popup
// taller, up to the panel's height, with the buttons below it.
//
// The thread that runs the job polls IsExit without a message loop of its
// own, so IsExit keeps the notice operable: each call handles the messages
// waiting for the notice (through the PreTranslateMessage chain, as a loop
// would) and, when none are waiting, gives the installed input driver one
// idle call, so that the touch panel or a test script can press the button.
//
// The constructor's flag: true puts the popup in the middle of the panel,
// false over its parent's window.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "win/CString.h"

class CPopupDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CPopupDlg)

    explicit CPopupDlg(CWnd* parent = nullptr, bool centreOnPanel = true);
    ~CPopupDlg() override;

    void SetCaptionText(LPCWSTR caption);
    void SetMessageText(LPCWSTR message);
    void SetButtonMode(int mode);
    int GetButtonMode() const { return m_mode; }

    using CCBRDialog::Create;
    // Creates the popup modeless in `parent` (mode 3). FALSE when it cannot be made.
    BOOL Create(CWnd* parent);
    // Non-zero once the modeless popup's button was pressed (1), it was
    // closed (2) or its window is gone (-1); 0 while it waits.
    int IsExit();

    static constexpr int kMessageId = 30010;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    // Handles messages waiting for the popup; false when there were none.
    bool HandlePendingMessages();
    void Exit(int how);

    CString m_caption;
    CString m_message;
    int m_mode = 1;
    bool m_centreOnPanel;
    bool m_modeless = false;
    int m_exit = 0;
};
