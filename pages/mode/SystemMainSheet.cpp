#include "pages/mode/SystemMainSheet.h"

#include "host/ConfigSysMeas.h"
#include "host/TextService.h"
#include "host/dialogs/CPopupDlg.h"
#include "pages/mode/SystemInitDlg.h"
#include "pages/mode/SystemMySetup.h"

namespace {

constexpr UINT IDD_MAIN_SHEET = 17001;
constexpr int IDC_BUTTON_MY_SETTING = 17001;
constexpr int IDC_BUTTON_INITIALIZE = 17007;
constexpr int IDC_CHECK_STARTUP = 17044;

// One row per measurement mode, in mode order (the mode is the index).
struct ModeRow {
    int switchId;
    int switchValue;  // the page's selected-switch value; 4 is not used
    DWORD descriptionItem;
    const wchar_t* description;
};

constexpr ModeRow modeRows[] = {
    {17003, 0, 100,
     L"ペンレコーダ\n入力信号を直接記録紙へ記録するモードです。\n比較的低速な現象の記録、連続信号の記録に\n使用します。"},
    {17011, 1, 101,
     L"メモリレコーダ\n入力信号を本体内メモリに高速収録する\nモードです。\n最高サンプル速度１μｓで、高速な現象の\n記録に使用します。"},
    {17074, 2, 102,
     L"ＨＤレコーダ\n入力信号を連続的にＨＤＤに直接収録する\nモードです。\n必要に応じてピーク／サンプルの切り替え、\n"
     L"リング収録などの設定が可能です。\nまた、ＨＤＤへの収録と同時にチャートによる\n記録も可能です。"},
    {17017, 3, 103, L"マルチレコーダ\nチャート、メモリ、ＨＤ収録を任意に組み合わせて\n使用するモードです。"},
    {17004, 5, 104, L"Ｘ－Ｙレコーダ\n現在、入力している信号をＸ－Ｙ表示で\nモニタ、印刷することができます。"},
};

// Notices after an initialisation carry the instrument's name, not a text key.
constexpr const wchar_t* kInitializeCaption = L"KQ5800";

// Bits of the initialisation request's item mask, and of its error word.
constexpr DWORD kInitAllSettings = 0x1;
constexpr DWORD kInitComm = 0x2;
constexpr DWORD kInitAnnotations = 0x4;
constexpr DWORD kInitMemoryData = 0x8;
constexpr DWORD kInitErrorNetwork = 0x1;

const wchar_t* Text(DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(IDD_MAIN_SHEET, item, defaultText);
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemMainSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMainSheet, CSystemSettingSheet)
    ON_BN_CLICKED(17003, OnBnClickedPenRecorder)
    ON_BN_CLICKED(17011, OnBnClickedMemoryRecorder)
    ON_BN_CLICKED(17074, OnBnClickedHdRecorder)
    ON_BN_CLICKED(17017, OnBnClickedMultiRecorder)
    ON_BN_CLICKED(17004, OnBnClickedXyRecorder)
    ON_BN_CLICKED(IDC_BUTTON_MY_SETTING, OnBnClickedMySetting)
    ON_BN_CLICKED(IDC_BUTTON_INITIALIZE, OnBnClickedInitialize)
    ON_BN_CLICKED(IDC_CHECK_STARTUP, OnBnClickedCheckStartup)
END_MESSAGE_MAP()

CSystemMainSheet::CSystemMainSheet(CWnd* parent) : CSystemSettingSheet(IDD_MAIN_SHEET, parent, false) {}

CSystemMainSheet::~CSystemMainSheet() = default;

int CSystemMainSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    m_pSysMeas = config->pSysMeas;
    return 1;
}

void CSystemMainSheet::SetDLGCallback(IDLGReceiver* receiver, int cookie)
{
    IDLGSender::SetDLGCallback(receiver, cookie);
    m_pKeptReceiver = receiver;
    m_nKeptCookie = cookie;
    m_nCallbackSet = 1;
}

void CSystemMainSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_STARTUP, m_checkStartup);
}

BOOL CSystemMainSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();

    for (int mode = 0; mode < kSwitchCount; ++mode)
        m_modeSwitch[mode].AutoLoad(modeRows[mode].switchId, this);

    SetDlgItemText(17006, Text(1, L"測定モード"));
    SetDlgItemText(17003, Text(2, L"ペンレコーダ"));
    SetDlgItemText(17011, Text(3, L"メモリレコーダ"));
    SetDlgItemText(17074, Text(4, L"HDレコーダ"));
    SetDlgItemText(17017, Text(5, L"マルチレコーダ"));
    SetDlgItemText(17004, Text(6, L"X-Yレコーダ"));
    SetDlgItemText(17076, Text(10, L"My設定"));
    SetDlgItemText(IDC_BUTTON_MY_SETTING, Text(11, L"設定値保存・読み出し\n(My設定)"));
    SetDlgItemText(17077, Text(20, L"初期化"));
    SetDlgItemText(IDC_BUTTON_INITIALIZE, Text(21, L"本体設定・メモリデータの初期化"));
    SetDlgItemText(IDC_CHECK_STARTUP, Text(30, L"電源投入時にこの画面を表示する"));

    if (m_pSysMeas) {
        // A mode the page does not know leaves the selection as it is.
        int mode = m_pSysMeas->GetMode();
        if (mode >= 0 && mode < kSwitchCount)
            m_nSelectSwitch = modeRows[mode].switchValue;
        if (m_pSysMeas->GetStartup())
            m_checkStartup.SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    }
    ShowSelection();
    return TRUE;
}

void CSystemMainSheet::ShowSelection()
{
    for (int mode = 0; mode < kSwitchCount; ++mode)
        m_modeSwitch[mode].Select(modeRows[mode].switchValue == m_nSelectSwitch ? 1 : 0);
}

void CSystemMainSheet::OnBnClickedPenRecorder() { ChangeMode(0); }
void CSystemMainSheet::OnBnClickedMemoryRecorder() { ChangeMode(1); }
void CSystemMainSheet::OnBnClickedHdRecorder() { ChangeMode(2); }
void CSystemMainSheet::OnBnClickedMultiRecorder() { ChangeMode(3); }
void CSystemMainSheet::OnBnClickedXyRecorder() { ChangeMode(4); }

void CSystemMainSheet::ChangeMode(int mode)
{
    const ModeRow& row = modeRows[mode];
    CPopupDlg confirm(this, true);
    confirm.SetCaptionText(Text(1, L"測定モード"));
    confirm.SetMessageText(Text(row.descriptionItem, row.description));
    // Cancelling leaves the switches alone: the pressed one falls back by itself.
    if (confirm.DoModal() != 1)
        return;

    m_nSelectSwitch = row.switchValue;
    ShowSelection();
    if (m_pSysMeas && m_pSysMeas->GetMode() != mode) {
        m_pSysMeas->SetMode(mode);
        ReportSettingChanged(CHG_MEASURE_MODE);
    }
}

void CSystemMainSheet::OnBnClickedMySetting()
{
    CSystemMySetup mySetup(this);
    mySetup.SetDLGCallback(m_pKeptReceiver, m_nKeptCookie);
    mySetup.SetConfig(m_pConfig);
    mySetup.DoModal();
}

void CSystemMainSheet::OnBnClickedInitialize()
{
    DWORD itemMask = 0;
    {
        CSystemInitDlg choose(this);
        if (choose.DoModal() != 1)
            return;
        if (choose.m_bInitAllSettings)
            itemMask |= kInitAllSettings;
        if (choose.m_bInitComm)
            itemMask |= kInitComm;
        if (choose.m_bInitAnnotations)
            itemMask |= kInitAnnotations;
        if (choose.m_bInitMemoryData)
            itemMask |= kInitMemoryData;
    }
    if (itemMask == 0)
        return;
    RequestInitialize(itemMask);
}

void CSystemMainSheet::RequestInitialize(DWORD itemMask)
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_INITIALIZE);
    request.SetWord(12, itemMask);
    SendDLGRequest(&request);

    // The restart byte counts only when the host says it did at least one of
    // the items asked for.
    const bool restartNeeded = (request.Word(16) & itemMask) != 0 && request.Byte(24) != 0;

    const auto errors = request.Word(20);
    if (errors != 0) {
        CString message;
        if (errors & kInitErrorNetwork)
            message += Text(111, L"ネットワークの設定が出来ませんでした。\n");
        CPopupDlg notice(this, true);
        notice.SetCaptionText(kInitializeCaption);
        notice.SetMessageText(message);
        notice.SetButtonMode(2);
        notice.DoModal();
    }

    if (!restartNeeded)
        return;
    CPopupDlg ask(this, true);
    ask.SetCaptionText(kInitializeCaption);
    ask.SetMessageText(Text(31, L"設定を反映するためにプログラムを再起動します。"));
    ask.SetButtonMode(1);
    if (ask.DoModal() != 1)
        return;
    T_DLG_REQUEST restart;
    restart.Prepare(this, DLGREQ_RESTART);
    SendDLGRequest(&restart);
    OnOK();
}

void CSystemMainSheet::OnBnClickedCheckStartup()
{
    if (!m_pSysMeas)
        return;
    m_pSysMeas->SetStartup(m_checkStartup.SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED);
}
