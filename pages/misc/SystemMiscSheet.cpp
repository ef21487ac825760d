#include "pages/misc/SystemMiscSheet.h"

#include "core/DlgRequest.h"
#include "host/ConfigSysRec.h"
#include "host/Product.h"
#include "host/dialogs/CPopupDlg.h"
#include "host/widgets/CBrowseFolder.h"
#include "host/widgets/JogWidget.h"
#include "pages/misc/MiscIds.h"
#include "pages/misc/SystemPasswordDlg.h"
#include "win/TextConvert.h"

#include <cstring>
#include <iterator>
#include <string>

using namespace misc_ids;

IMPLEMENT_DYNAMIC(CSystemMiscSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMiscSheet, CSystemSettingSheet)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_BUZZER, IDC_CHECK_BUZZER, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_CLICK, IDC_CHECK_CLICK, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_DISPLAY_AUTO_OFF, IDC_CHECK_DISPLAY_AUTO_OFF, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_KEY_LOCK_ON_RESUME, IDC_CHECK_KEY_LOCK_ON_RESUME, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_COPY_TO_PAPER, IDC_CHECK_COPY_TO_PAPER, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_COPY_TO_FOLDER, IDC_CHECK_COPY_TO_FOLDER, OnBnClickedBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_CURSOR, IDC_CHECK_CURSOR, OnBnClickedBox)
    ON_BN_CLICKED(IDC_HAND_FOLDER, OnBnClickedFolder)
    ON_BN_CLICKED(IDC_BUTTON_PASSWORD, OnBnClickedPassword)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const wchar_t* Text(DWORD item, const wchar_t* defaultText) { return misc_ids::Text(IDD_MISC_SHEET, item, defaultText); }

constexpr DWORD kMaxDelayMinutes = 60;
constexpr DWORD kMaxFeedMillimetres = 100;

bool Checked(const CButton& box) { return box.GetCheck() == BST_CHECKED; }

void SetUpJog(CJogNumCtrl& jog, double maximum, double minimum, const wchar_t* unit)
{
    jog.SetMaxMinValue(maximum, minimum);
    jog.SetFormatString(L"%G");
    jog.SetUnitString(unit);
    jog.SetStep(10, 1);
}

}  // namespace

const CSystemMiscSheet::Box CSystemMiscSheet::kBoxes[7] = {
    {IDC_CHECK_BUZZER, &CSystemMiscSheet::m_checkBuzzer, &T_CONFIG_MISC::bBuzzer, CHG_SOUND},
    {IDC_CHECK_CLICK, &CSystemMiscSheet::m_checkClick, &T_CONFIG_MISC::bClickSound, CHG_SOUND},
    {IDC_CHECK_DISPLAY_AUTO_OFF, &CSystemMiscSheet::m_checkDisplayAutoOff, &T_CONFIG_MISC::bDisplayAutoOff,
     CHG_DISPLAY},
    {IDC_CHECK_KEY_LOCK_ON_RESUME, &CSystemMiscSheet::m_checkKeyLockOnResume, &T_CONFIG_MISC::bKeyLockOnResume,
     CHG_DISPLAY},
    {IDC_CHECK_COPY_TO_PAPER, &CSystemMiscSheet::m_checkCopyToPaper, &T_CONFIG_MISC::bScreenCopyToPaper,
     CHG_SCREEN_COPY},
    {IDC_CHECK_COPY_TO_FOLDER, &CSystemMiscSheet::m_checkCopyToFolder, &T_CONFIG_MISC::bScreenCopyToFolder,
     CHG_SCREEN_COPY},
    {IDC_CHECK_CURSOR, &CSystemMiscSheet::m_checkCursor, &T_CONFIG_MISC::bMouseCursor, CHG_CURSOR},
};

CSystemMiscSheet::CSystemMiscSheet(CWnd* parent) : CSystemSettingSheet(IDD_MISC_SHEET, parent, true) {}

CSystemMiscSheet::~CSystemMiscSheet() = default;

int CSystemMiscSheet::SetConfig(T_CONFIG_MISC* misc, CONFIG_SYSREC* recording)
{
    if (!misc || !recording)
        return 0;
    m_pMisc = misc;
    m_pSysRec = recording;
    return 1;
}

void CSystemMiscSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    for (const Box& box : kBoxes)
        DDX_Control(dx, box.id, this->*box.control);
    DDX_Control(dx, IDC_STATIC_FOLDER, m_staticFolder);
}

BOOL CSystemMiscSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();
    SetTexts();
    const int cursorShown = IsPW7200() ? SW_HIDE : SW_SHOW;
    for (int id : {IDC_GROUP_CURSOR, IDC_CHECK_CURSOR})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(cursorShown);

    m_jogDelay.AutoLoad(IDC_JOG_DELAY, this);
    m_handFolder.AutoLoad(IDC_HAND_FOLDER, this);
    m_jogFeed.AutoLoad(IDC_JOG_FEED, this);
    SetUpJog(m_jogDelay, kMaxDelayMinutes, 1, L"min");
    SetUpJog(m_jogFeed, kMaxFeedMillimetres, 0, L"mm");
    if (m_pMisc) {
        LoadFromBlock();
    } else {
        m_jogDelay.SetValue(10);
        m_jogFeed.SetValue(20);
    }
    UpdateEnabled();
    return TRUE;
}

void CSystemMiscSheet::SetTexts()
{
    static const ItemText items[] = {
        {17078, 2, L"ブザー/クリック音"},
        {IDC_CHECK_BUZZER, 3, L"ブザー音"},
        {IDC_CHECK_CLICK, 4, L"クリック音"},
        {IDC_CHECK_DISPLAY_AUTO_OFF, 5, L"ディスプレイ自動消灯"},
        {17080, 6, L"消灯までの待ち時間"},
        {IDC_CHECK_KEY_LOCK_ON_RESUME, 7, L"復帰時にキーロックパスワードの入力を求める"},
        {17081, 8, L"画面コピー出力先"},
        {IDC_CHECK_COPY_TO_PAPER, 9, L"記録紙に出力する"},
        {IDC_CHECK_COPY_TO_FOLDER, 10, L"次のフォルダにビットマップデータを保存する"},
        {17082, 11, L"キーロックパスワード"},
        {IDC_BUTTON_PASSWORD, 12, L"パスワード変更"},
        {17083, 13, L"フィード長設定"},
        {IDC_GROUP_CURSOR, 14, L"マウスカーソル"},
        {IDC_CHECK_CURSOR, 15, L"カーソルON/OFF"},
    };
    SetItemTexts(IDD_MISC_SHEET, items);
    // The box stays hidden; its state and field are still kept.
    m_checkKeyLockOnResume.ShowWindow(SW_HIDE);
}

void CSystemMiscSheet::LoadFromBlock()
{
    for (const Box& box : kBoxes)
        (this->*box.control).SetCheck(m_pMisc->*box.field ? BST_CHECKED : BST_UNCHECKED);
    const char* folder = m_pMisc->szScreenCopyFolder;
    m_staticFolder.SetWindowText(
        win::Utf8ToWide(std::string(folder, strnlen(folder, sizeof m_pMisc->szScreenCopyFolder))).c_str());

    // Stored values out of range are corrected without telling the host.
    if (m_pMisc->dwAutoOffDelay > kMaxDelayMinutes)
        m_pMisc->dwAutoOffDelay = kMaxDelayMinutes;
    if (m_pSysRec->GetFeedLen() > kMaxFeedMillimetres)
        m_pSysRec->SetFeedLen(kMaxFeedMillimetres);
    m_jogDelay.SetValue(m_pMisc->dwAutoOffDelay);
    m_jogFeed.SetValue(m_pSysRec->GetFeedLen());
}

void CSystemMiscSheet::UpdateEnabled()
{
    const BOOL autoOff = Checked(m_checkDisplayAutoOff) ? TRUE : FALSE;
    m_jogDelay.EnableWindow(autoOff);
    m_checkKeyLockOnResume.EnableWindow(autoOff);
    const BOOL toFolder = Checked(m_checkCopyToFolder) ? TRUE : FALSE;
    m_staticFolder.EnableWindow(toFolder);
    m_handFolder.EnableWindow(toFolder);
}

void CSystemMiscSheet::OnBnClickedBox(UINT id)
{
    if (!m_pMisc)
        return;
    for (const Box& box : kBoxes) {
        if (box.id != static_cast<int>(id))
            continue;
        if (id == IDC_CHECK_DISPLAY_AUTO_OFF || id == IDC_CHECK_COPY_TO_FOLDER)
            UpdateEnabled();
        m_pMisc->*box.field = Checked(this->*box.control);
        ReportSettingChanged(box.flag);
    }
}

void CSystemMiscSheet::OnBnClickedFolder()
{
    CBrowseFolder chooser(this, Text(100, L"画面ｺﾋﾟｰを出力するﾌｫﾙﾀﾞを選択して下さい。"), 5);
    CString shown;
    m_staticFolder.GetWindowText(shown);
    if (!chooser.Open(shown, 0x11, 0))
        return;
    const CString folder = chooser.GetPathName();
    if (!m_pMisc) {
        m_staticFolder.SetWindowText(folder);
        return;
    }
    if (!StoreFolder(folder))
        return;
    m_staticFolder.SetWindowText(folder);
    ReportSettingChanged(CHG_SCREEN_COPY);
}

bool CSystemMiscSheet::StoreFolder(const CString& folder)
{
    // Cutting the path would send screen copies to some other folder: a path
    // that does not fit the field with its terminator is refused instead.
    const std::string narrow = win::WideToUtf8(folder.GetStdString());
    if (narrow.size() >= sizeof m_pMisc->szScreenCopyFolder) {
        CPopupDlg notice(this, true);
        notice.SetCaptionText(Text(8, L"画面コピー出力先"));
        notice.SetMessageText(Text(101, L"フォルダのパスが長すぎます。"));
        notice.SetButtonMode(2);
        notice.DoModal();
        return false;
    }
    win::CopyUtf8ToBuffer(narrow, m_pMisc->szScreenCopyFolder, sizeof m_pMisc->szScreenCopyFolder);
    return true;
}

void CSystemMiscSheet::OnBnClickedPassword()
{
    if (!m_pMisc)
        return;
    CSystemPasswordDlg dialog(this);
    dialog.SetPassword(win::Utf16FieldToWide(m_pMisc->szPassword, std::size(m_pMisc->szPassword)));
    if (dialog.DoModal() != 1 || !dialog.IsChanged())
        return;
    win::CopyToUtf16Buffer(dialog.GetPassword(), m_pMisc->szPassword);
    ReportSettingChanged(CHG_PASSWORD);
}

BOOL CSystemMiscSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The feed length goes to the recording configuration at every turn of
    // the jog; the host is not told.
    if (HIWORD(wParam) == JN_CHANGE && LOWORD(wParam) == IDC_JOG_FEED && m_pSysRec)
        m_pSysRec->SetFeedLen(static_cast<DWORD>(m_jogFeed.GetValue()));
    return CSystemSettingSheet::OnCommand(wParam, lParam);
}

HBRUSH CSystemMiscSheet::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CSystemSettingSheet::OnCtlColor(dc, wnd, ctlColor);
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    // The box sits on the frame of an unlabelled group box.
    if (id == IDC_CHECK_DISPLAY_AUTO_OFF)
        return GetStockObject(NULL_BRUSH);
    if (id == IDC_STATIC_FOLDER && wnd->IsWindowEnabled()) {
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkMode(TRANSPARENT);
        return GetStockObject(WHITE_BRUSH);
    }
    return brush;
}

void CSystemMiscSheet::OnDestroy()
{
    // The delay is kept only now, once, whatever the jog went through.
    if (m_pMisc) {
        const auto delay = static_cast<DWORD>(m_jogDelay.GetValue());
        if (delay != m_pMisc->dwAutoOffDelay) {
            m_pMisc->dwAutoOffDelay = delay;
            ReportSettingChanged(CHG_DISPLAY);
        }
    }
    CSystemSettingSheet::OnDestroy();
}
