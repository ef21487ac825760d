#include "host/dialogs/CPopupDlg.h"

#include "host/dialogs/HostTemplate.h"
#include "win/DebugLog.h"
#include "win/Input.h"

#include <algorithm>
#include <mutex>
#include <string>

IMPLEMENT_DYNAMIC(CPopupDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CPopupDlg, CCBRDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

// Buttons in dialog units: two side by side for a question, one in the middle otherwise.
constexpr int kButtonTop = 100;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 32;
// The message field, and the height of one of its lines on the panel.
constexpr int kMessageHeight = 82;
constexpr int kLineUnits = 11;
// The panel is 480 pixels high, the caption bar 22 of them: 366 units at most.
constexpr int kPanelWidth = 640, kPanelHeight = 480, kCaptionPixels = 22;
constexpr int kMaxPopupUnits = (kPanelHeight - kCaptionPixels) * 4 / 5;
constexpr int kPopupWidth = 260, kPopupHeight = 140;

// Lines of a message; a line break at its very end starts no line.
int LineCount(const CString& message)
{
    const std::wstring text = message.GetString();
    int lines = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        lines += text[i] == L'\n' ? 1 : 0;
    return lines;
}

void RegisterPopupTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        host::TemplateBuilder(host::IDD_HOST_POPUP, L"", kPopupWidth, kPopupHeight)
            .Static(CPopupDlg::kMessageId, L"", 10, 10, 240, kMessageHeight)
            .Button(IDOK, L"実行", 30, kButtonTop, kButtonWidth, kButtonHeight, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 140, kButtonTop, kButtonWidth, kButtonHeight)
            .Register();
    });
}

// Enough for any burst of input between two polls; the rest waits for the next call.
constexpr int kMaxMessagesPerPoll = 64;

}  // namespace

CPopupDlg::CPopupDlg(CWnd* parent, bool centreOnPanel)
    : CCBRDialog(host::IDD_HOST_POPUP, parent, true), m_centreOnPanel(centreOnPanel)
{
    RegisterPopupTemplate();
}

CPopupDlg::~CPopupDlg() = default;

void CPopupDlg::SetCaptionText(LPCWSTR caption)
{
    m_caption = caption;
    if (m_hWnd)
        SetWindowText(m_caption);
}

void CPopupDlg::SetMessageText(LPCWSTR message)
{
    m_message = message;
    if (m_hWnd)
        SetDlgItemText(kMessageId, m_message);
}

void CPopupDlg::SetButtonMode(int mode) { m_mode = mode; }

BOOL CPopupDlg::Create(CWnd* parent)
{
    m_modeless = true;
    m_exit = 0;
    if (!CCBRDialog::Create(host::IDD_HOST_POPUP, parent)) {
        OutputDebugStringW(L"CPopupDlg::Create: the popup could not be made");
        return FALSE;
    }
    // The job's thread holds the user interface while the notice is up:
    // nothing behind it acts, so the screen shows it as the modal window.
    win::SetWindowModal(m_hWnd, true);
    return TRUE;
}

BOOL CPopupDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(m_caption);
    SetDlgItemText(kMessageId, m_message);
    HWND ok = ::GetDlgItem(m_hWnd, IDOK);
    HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
    // A long message (a version report has sixteen lines) makes the popup
    // taller, as far as the panel allows, and moves the buttons down.
    const int extra = std::clamp(LineCount(m_message) * kLineUnits - kMessageHeight, 0, kMaxPopupUnits - kPopupHeight);
    const int buttonTop = kButtonTop + extra;
    if (m_mode == 2 || m_mode == 3) {
        SetWindowTextW(ok, m_mode == 2 ? host::CommonText(1).c_str()
                                           : host::HostText(host::IDD_HOST_POPUP, 1, L"中止"));
        ::ShowWindow(cancel, SW_HIDE);
        host::MoveControlUnits(m_hWnd, IDOK, (kPopupWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight);
    } else {
        SetWindowTextW(ok, host::CommonText(2).c_str());
        SetWindowTextW(cancel, host::CommonText(3).c_str());
        host::MoveControlUnits(m_hWnd, IDOK, 30, buttonTop, kButtonWidth, kButtonHeight);
        host::MoveControlUnits(m_hWnd, IDCANCEL, 140, buttonTop, kButtonWidth, kButtonHeight);
    }
    if (extra > 0) {
        host::MoveControlUnits(m_hWnd, kMessageId, 10, 10, 240, kMessageHeight + extra);
        RECT size = win::DialogUnitsToPixels(win::BaseUnitsForFont(9), 0, 0, kPopupWidth, kPopupHeight + extra);
        const int width = size.right - size.left, height = size.bottom - size.top;
        SetWindowPos(nullptr, (kPanelWidth - width) / 2, std::max(kCaptionPixels, (kPanelHeight - height) / 2), width,
                     height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!m_centreOnPanel)
        host::CentreOverParent(m_hWnd, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    return TRUE;
}

void CPopupDlg::OnOK()
{
    if (m_modeless)
        Exit(IDOK);
    else
        EndDialog(IDOK);
}

void CPopupDlg::OnCancel()
{
    if (m_modeless)
        Exit(IDCANCEL);
    else
        EndDialog(IDCANCEL);
}

void CPopupDlg::OnClose()
{
    // The dialog manager would press the cancel button, which a notice hides.
    OnCancel();
}

void CPopupDlg::Exit(int how)
{
    if (m_exit)
        return;
    m_exit = how;
    // The notice stays up until the job has stopped; its button shows that it was taken.
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), FALSE);
}

int CPopupDlg::IsExit()
{
    if (m_exit)
        return m_exit;
    if (!m_hWnd || !IsWindow(m_hWnd))
        return -1;
    HWND self = m_hWnd;
    if (!HandlePendingMessages()) {
        if (win::InputDriver* driver = win::GetInputDriver())
            if (driver->OnIdle() && IsWindow(self) && FromHandlePermanent(self) == this)
                HandlePendingMessages();
    }
    if (!IsWindow(self) || FromHandlePermanent(self) != this)
        return m_exit ? m_exit : -1;
    return m_exit;
}

bool CPopupDlg::HandlePendingMessages()
{
    HWND self = m_hWnd;
    MSG msg;
    int handled = 0;
    while (handled < kMaxMessagesPerPoll && PeekMessageW(&msg, self, 0, 0, PM_REMOVE)) {
        ++handled;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside the job
            break;
        }
        if (!CWnd::WalkPreTranslateTree(self, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!IsWindow(self) || FromHandlePermanent(self) != this)
            break;
    }
    return handled > 0;
}
