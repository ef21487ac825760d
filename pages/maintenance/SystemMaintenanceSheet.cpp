#include "pages/maintenance/SystemMaintenanceSheet.h"

#include "host/ConfigSysRec.h"
#include "host/devices/GlobalStatus.h"
#include "host/devices/PrinterIO.h"
#include "host/dialogs/CDateTimeDlg.h"
#include "host/dialogs/CPopupDlg.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "pages/maintenance/PrinterRun.h"
#include "pages/maintenance/PrinterWorkers.h"
#include "pages/maintenance/VersionReport.h"
#include "win/Handles.h"
#include "win/Process.h"
#include "win/Sync.h"
#include "win/TimeApi.h"
#include "win/WindowPlacement.h"

#include <memory>

using namespace maintenance_ids;

IMPLEMENT_DYNAMIC(CSystemMaintenanceSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMaintenanceSheet, CSystemSettingSheet)
    ON_BN_CLICKED(IDC_BUTTON_VERSION, OnBnClickedButtonVersion)
    ON_BN_CLICKED(IDC_BUTTON_TEST_PRINT, OnBnClickedButtonTestPrint)
    ON_BN_CLICKED(IDC_BUTTON_DATA_RECORD, OnBnClickedButtonDataRecord)
    ON_BN_CLICKED(IDC_BUTTON_CLOCK, OnBnClickedButtonClock)
    ON_BN_CLICKED(IDC_BUTTON_TOUCH_PANEL, OnBnClickedButtonTouchPanel)
    ON_BN_CLICKED(IDC_CHECK_MAINTENANCE_NEXT, OnBnClickedCheckMaintenanceNext)
END_MESSAGE_MAP()

namespace {

const wchar_t* const kCalibrationFolder = L"C:\\Program Files\\Gunze\\Gunze TPDD\\";
const wchar_t* const kCalibrationProgram = L"TouchPanelCalibration.exe";

const wchar_t* TestPrintCaption() { return Text(4, L"テストプリント"); }
const wchar_t* DataRecordCaption() { return Text(5, L"データ記録"); }

void SetShowState(HWND window, UINT showCmd)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return;
    placement.showCmd = showCmd;
    SetWindowPlacement(window, &placement);
}

HANDLE NewManualResetEvent() { return CreateEventW(nullptr, TRUE, FALSE, nullptr); }

void CloseEvent(HANDLE event)
{
    if (event)
        CloseHandle(event);
}

}  // namespace

CSystemMaintenanceSheet::CSystemMaintenanceSheet(CWnd* parent)
    : CSystemSettingSheet(IDD_MAINTENANCE_SHEET, parent, false)
{
}

CSystemMaintenanceSheet::~CSystemMaintenanceSheet() = default;

int CSystemMaintenanceSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    return 1;
}

void CSystemMaintenanceSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_MAINTENANCE_NEXT, m_checkMaintenanceNext);
}

BOOL CSystemMaintenanceSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();
    static const ItemText items[] = {
        {IDC_BUTTON_VERSION, 2, L"バージョン表示"},
        {IDC_BUTTON_TEST_PRINT, 4, L"テストプリント"},
        {IDC_BUTTON_DATA_RECORD, 5, L"データ記録"},
        {IDC_BUTTON_TOUCH_PANEL, 8, L"タッチパネル校正"},
        {IDC_BUTTON_CLOCK, 9, L"時計校正"},
        {IDC_CHECK_MAINTENANCE_NEXT, 11, L"次回メンテナンスモードで起動する"},
    };
    SetItemTexts(IDD_MAINTENANCE_SHEET, items);
    if (m_pConfig && m_pConfig->pMisc && m_pConfig->pMisc->bMaintenanceNextStart)
        m_checkMaintenanceNext.SetCheck(BST_CHECKED);
    return TRUE;
}

void CSystemMaintenanceSheet::OnBnClickedButtonVersion()
{
    CPopupDlg popup(this, true);
    PrinterIO printer;
    const CString report = VersionReport::Build(printer);
    popup.SetCaptionText(Text(2, L"バージョン表示"));
    popup.SetMessageText(report);
    popup.SetButtonMode(2);
    popup.DoModal();
}

bool CSystemMaintenanceSheet::ConfirmRun(const wchar_t* caption, const wchar_t* message)
{
    CPopupDlg confirm(this, true);
    confirm.SetCaptionText(caption);
    confirm.SetMessageText(message);
    return confirm.DoModal() == 1;
}

void CSystemMaintenanceSheet::OnBnClickedButtonTestPrint()
{
    const wchar_t* question =
        Text(102, L"プリンタの印字品質をチェックできます。\n「実行」ボタンを押すとテスト印字を\n開始します。");
    if (!ConfirmRun(TestPrintCaption(), question))
        return;
    TESTPRINT_CONTEXT context;
    GlobalStatus::StartTestPrint();
    context.hStopEvent = NewManualResetEvent();
    context.hErrorEvent = NewManualResetEvent();

    PrinterRun::Run(TestPrintThread, context, TestPrintCaption(), this, this);

    CloseEvent(context.hStopEvent);
    CloseEvent(context.hErrorEvent);
    GlobalStatus::EndTestPrint();
}

void CSystemMaintenanceSheet::OnBnClickedButtonDataRecord()
{
    const wchar_t* question = Text(103, L"アンプメンテナンス用の記録フォームです。\nデジタル値を記録紙に印字します。");
    if (!ConfirmRun(DataRecordCaption(), question))
        return;
    DATACHART_CONTEXT context;
    GlobalStatus::StartDataPrint();
    CONFIG_SYSREC* recording = m_pConfig ? m_pConfig->pSysRec1 : nullptr;
    // The parameter record is large; it lives on the heap for the handler.
    auto params = std::make_unique<CONFIG_SYSREC::PARAMS>();
    if (recording)
        recording->GetParams(*params);
    context.hStopEvent = NewManualResetEvent();
    context.dwChartNo = params->dwDataRecordCounter;
    context.dwChartFlag = 1;
    context.hErrorEvent = NewManualResetEvent();
    // Every confirmed record takes a number, whether or not it then prints.
    if (recording) {
        ++params->dwDataRecordCounter;
        recording->SetParams(*params);
    }

    PrinterRun::Run(DataChartThread, context, DataRecordCaption(), this, DataRecordNoticeParent());

    CloseEvent(context.hStopEvent);
    CloseEvent(context.hErrorEvent);
    GlobalStatus::EndDataPrint();
}

CWnd* CSystemMaintenanceSheet::DataRecordNoticeParent()
{
    CWnd* window = this;
    for (int step = 0; step < 3 && window; ++step)
        window = window->GetParent();
    return window;
}

void CSystemMaintenanceSheet::OnBnClickedButtonClock()
{
    CDateTimeDlg dialog(this, true);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    dialog.SetConfigData(now);
    dialog.SetCaptionText(Text(9, L"時計校正"));
    if (dialog.DoModal() != 1)
        return;
    SYSTEMTIME chosen{};
    dialog.GetDateTime(&chosen);
    SetLocalTime(&chosen);
    SetLocalTime(&chosen);
}

HWND CSystemMaintenanceSheet::TopWindow() const
{
    HWND top = m_hWnd;
    while (HWND above = ::GetParent(top))
        top = above;
    return top;
}

void CSystemMaintenanceSheet::OnBnClickedButtonTouchPanel()
{
    const CString path = CString(kCalibrationFolder) + kCalibrationProgram;
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const HWND top = TopWindow();
    SetShowState(top, SW_MINIMIZE);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(path, nullptr, nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                       nullptr, kCalibrationFolder, &startup, &process)) {
        CloseHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
    }
    SetShowState(top, SW_RESTORE);
}

void CSystemMaintenanceSheet::OnBnClickedCheckMaintenanceNext()
{
    if (m_pConfig && m_pConfig->pMisc)
        m_pConfig->pMisc->bMaintenanceNextStart = m_checkMaintenanceNext.GetCheck() == BST_CHECKED;
}
