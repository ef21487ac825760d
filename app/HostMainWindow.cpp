#include "HostMainWindow.h"

#include "host/TextService.h"
#include "host/dialogs/HostTemplate.h"

BEGIN_MESSAGE_MAP(HostMainWindow, CDialog)
    ON_BN_CLICKED(HostMainWindow::IDC_SYSTEM, OnBnClickedSystem)
END_MESSAGE_MAP()

HostMainWindow::HostMainWindow() : CDialog(IDD, nullptr) {}

void HostMainWindow::RegisterTemplate()
{
    if (win::FindDialogTemplate(IDD))
        return;
    host::TemplateBuilder(IDD, L"メイン画面", 200, 100)
        .Static(IDC_MESSAGE, L"測定の準備ができています。\nシステム設定は「システム」で開きます。", 10, 10, 180, 36)
        .Button(IDC_SYSTEM, L"システム", 60, 56, 80, 32)
        .Register();
}

BOOL HostMainWindow::CreateMainScreen()
{
    RegisterTemplate();
    if (!Create(IDD, nullptr))
        return FALSE;
    ShowTexts();
    ShowWindow(SW_SHOW);
    return TRUE;
}

void HostMainWindow::ShowTexts()
{
    CTextService* texts = GetTextServiceObject();
    SetWindowText(texts->GetText(IDD, 1, L"メイン画面"));
    SetDlgItemText(IDC_MESSAGE, texts->GetText(IDD, 2, L"測定の準備ができています。\nシステム設定は「システム」で開きます。"));
    SetDlgItemText(IDC_SYSTEM, texts->GetText(IDD, 3, L"システム"));
}

void HostMainWindow::OnBnClickedSystem()
{
    // The host's loop opens the dialog once this handler has returned, so
    // the system dialog never runs inside the button's own message.
    m_openRequested = true;
}

bool HostMainWindow::TakeOpenRequest()
{
    bool requested = m_openRequested;
    m_openRequested = false;
    return requested;
}
