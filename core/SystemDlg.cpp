#include "core/SystemDlg.h"

#include "core/SystemSettingSheet.h"
#include "core/TabPageOrigin.h"
#include "host/TextService.h"
#include "pages/comm/SystemCommSheet.h"
#include "pages/files/SystemFileSheet.h"
#include "pages/maintenance/SystemMaintenanceSheet.h"
#include "pages/misc/SystemMiscSheet.h"
#include "pages/mode/SystemMainSheet.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "win/controls/CommCtrl.h"

#include <cstring>
#include <new>

namespace {

constexpr UINT IDD_SYSTEM = 17000;
constexpr int IDC_TAB = 17000;
constexpr int IDC_BUTTON_SHUTDOWN = 17005;
constexpr int IDC_BUTTON_USB_EJECT = 17002;
constexpr int IDC_BUTTON_APP_EXIT = 17040;
constexpr int IDC_BUTTON_CLOSE = 17045;

const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

// Constructs a page; an allocation that fails leaves the slot empty.
template <class Page>
Page* NewPage()
{
    return new (std::nothrow) Page(nullptr);
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemDlg, CCBRDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, OnTcnSelchangeTab1)
    ON_BN_CLICKED(IDC_BUTTON_SHUTDOWN, OnBnClickedButtonShutdown)
    ON_BN_CLICKED(IDC_BUTTON_USB_EJECT, OnBnClickedButtonUsbEject)
    ON_BN_CLICKED(IDC_BUTTON_CLOSE, OnBnClickedButtonClose)
    ON_BN_CLICKED(IDC_BUTTON_APP_EXIT, OnBnClickedButtonAppExit)
END_MESSAGE_MAP()

CSystemDlg::CSystemDlg(CWnd* parent) : CCBRDialog(IDD_SYSTEM, parent, true) {}

CSystemDlg::~CSystemDlg()
{
    // The pages' windows are children of the tab control; make the window
    // tree go first so that no page object is deleted under a live window.
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow();
    for (auto& page : m_pages) {
        delete page;
        page = nullptr;
    }
}

int CSystemDlg::SetupConfigData(T_CONFIG_SYSTEM* config, bool useSecondRecording)
{
    if (!config)
        return 0;
    m_pConfig = config;
    if (config->pCurrentFolder)
        std::memcpy(m_currentFolderSnapshot, config->pCurrentFolder, sizeof m_currentFolderSnapshot);
    if (config->pComm)
        std::memcpy(m_commSnapshot, config->pComm, sizeof m_commSnapshot);
    if (config->pMisc)
        std::memcpy(m_miscSnapshot, config->pMisc, sizeof m_miscSnapshot);
    m_bUseSecondRecording = useSecondRecording;
    return 1;
}

void CSystemDlg::SetDLGCallback(IDLGReceiver* receiver, int cookie)
{
    IDLGSender::SetDLGCallback(receiver, cookie);
    m_pPendingReceiver = receiver;
    m_nPendingCookie = cookie;
    m_nCallbackPending = 1;
    for (CSystemSettingSheet* page : m_pages)
        if (page)
            page->SetDLGCallback(receiver, cookie);
}

void CSystemDlg::CommitSetting()
{
    if (auto* recording = static_cast<CSystemRecordingSheet*>(m_pages[PageRecording]))
        recording->CommitUseChanMask();
}

CSystemSettingSheet* CSystemDlg::GetPage(int index) const
{
    return index >= 0 && index < PageCount ? m_pages[index] : nullptr;
}

void CSystemDlg::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TAB, m_tab);
}

BOOL CSystemDlg::PreTranslateMessage(MSG* msg)
{
    // Neither Enter nor Escape may close the dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    return CCBRDialog::PreTranslateMessage(msg);
}

BOOL CSystemDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();

    SetWindowText(Text(17000, 1, L"システム"));
    SetDlgItemText(IDC_BUTTON_SHUTDOWN, Text(17000, 2, L"終了処理"));
    SetDlgItemText(IDC_BUTTON_USB_EJECT, Text(17000, 3, L"USBドライブ切り離し"));
    SetDlgItemText(IDC_BUTTON_CLOSE, Text(1, 1, L"閉じる"));
    if (CWnd* appExit = GetDlgItem(IDC_BUTTON_APP_EXIT))
        appExit->ShowWindow(SW_HIDE);

    m_tab.SendMessage(TCM_DELETEALLITEMS, 0, 0);
    m_tab.SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(10, 32));

    // Construction, set-up and creation run in the same order: measurement
    // mode, recording, auxiliary, file, communication, maintenance.
    auto* mode = NewPage<CSystemMainSheet>();
    auto* recording = NewPage<CSystemRecordingSheet>();
    auto* misc = NewPage<CSystemMiscSheet>();
    auto* file = NewPage<CSystemFileSheet>();
    auto* comm = NewPage<CSystemCommSheet>();
    auto* maintenance = NewPage<CSystemMaintenanceSheet>();
    m_pages[PageMode] = mode;
    m_pages[PageRecording] = recording;
    m_pages[PageMisc] = misc;
    m_pages[PageFile] = file;
    m_pages[PageComm] = comm;
    m_pages[PageMaintenance] = maintenance;

    if (m_pConfig) {
        if (mode)
            mode->SetConfig(m_pConfig);
        if (recording)
            recording->SetConfig(m_pConfig->pSysRec1, m_bUseSecondRecording ? m_pConfig->pSysRec2 : m_pConfig->pSysRec1);
        if (misc)
            misc->SetConfig(m_pConfig->pMisc, m_pConfig->pSysRec1);
        if (file)
            file->SetConfig(m_pConfig);
        if (comm)
            comm->SetConfig(m_pConfig->pComm);
        if (maintenance)
            maintenance->SetConfig(m_pConfig);
    }

    struct Creation {
        int index;
        UINT templateId;
    };
    const Creation creations[] = {{PageMode, 17001},  {PageRecording, 17005}, {PageMisc, 17006},
                                  {PageFile, 17002},  {PageComm, 17003},      {PageMaintenance, 17004}};
    for (const Creation& creation : creations)
        if (CSystemSettingSheet* page = m_pages[creation.index])
            page->Create(creation.templateId, &m_tab);

    struct Tab {
        int index;
        DWORD item;
        const wchar_t* text;
    };
    const Tab tabs[] = {{0, 10, L"測定モード"}, {2, 11, L"収録設定"},     {4, 12, L"補助設定"},
                        {1, 13, L"ファイル操作"}, {3, 14, L"通信設定"}, {5, 15, L"メンテナンス"}};
    for (const Tab& tab : tabs) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(Text(17000, tab.item, tab.text));
        m_tab.SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(tab.index), reinterpret_cast<LPARAM>(&item));
    }

    const POINT origin = TabPageOrigin(m_tab);
    for (CSystemSettingSheet* page : m_pages) {
        if (!page)
            continue;
        page->SetWindowPos(nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE);
        page->ShowWindow(SW_HIDE);
    }

    if (m_nCallbackPending == 1)
        for (CSystemSettingSheet* page : m_pages)
            if (page)
                page->SetDLGCallback(m_pPendingReceiver, m_nPendingCookie);

    m_tab.SendMessage(TCM_SETCURSEL, 0, 0);
    if (m_pages[PageMode])
        m_pages[PageMode]->ShowWindow(SW_SHOW);
    return TRUE;
}

void CSystemDlg::ShowOnlyPage(int index)
{
    for (int i = 0; i < PageCount; ++i) {
        if (!m_pages[i])
            continue;
        m_pages[i]->ShowWindow(i == index ? SW_SHOW : SW_HIDE);
    }
}

void CSystemDlg::OnTcnSelchangeTab1(NMHDR*, LRESULT* result)
{
    int selected = static_cast<int>(m_tab.SendMessage(TCM_GETCURSEL, 0, 0));
    ShowOnlyPage(selected);
    *result = 0;
}

void CSystemDlg::OnBnClickedButtonClose()
{
    CommitSetting();
    OnOK();
}
