#include "pages/recording/SystemRecordingSheet.h"

#include "host/ConfigSysRec.h"
#include "host/Product.h"
#include "host/TextService.h"
#include "host/devices/AMPIO.h"
#include "host/devices/PRMPIO.h"
#include "host/dialogs/CPopupDlg.h"
#include "pages/recording/RecordingIds.h"

#include <bit>

using namespace recording_ids;

IMPLEMENT_DYNAMIC(CSystemRecordingSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemRecordingSheet, CSystemSettingSheet)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TIME_SCALE_FIRST, IDC_TIME_SCALE_FIRST + 2, OnBnClickedTimeScale)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SYNC_FIRST, IDC_SYNC_FIRST + 1, OnBnClickedSync)
    ON_BN_CLICKED(IDC_HAND_DATA_NO, OnBnClickedDataNo)
    ON_BN_CLICKED(IDC_CHECK_START_TIMER, OnBnClickedStartTimer)
    ON_BN_CLICKED(IDC_CHECK_INTERVAL, OnBnClickedInterval)
    ON_BN_CLICKED(IDC_HAND_START_TIME, OnBnClickedStartTime)
    ON_BN_CLICKED(IDC_HAND_END_TIME, OnBnClickedEndTime)
    ON_BN_CLICKED(IDC_CHECK_FREC_SAVE, OnBnClickedFRecSave)
    ON_BN_CLICKED(IDC_BUTTON_PRINT, OnBnClickedPrint)
    ON_BN_CLICKED(IDC_BUTTON_SPEED_TABLE, OnBnClickedSpeedTable)
    ON_CONTROL(JN_CHANGE, IDC_JOG_INTERVAL_TIME, OnJogChangeIntervalTime)
    ON_CONTROL(JN_CHANGE, IDC_JOG_RUN_TIME, OnJogChangeRunTime)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

// Bits 0 to 15 the amplifier slots, 16 the event input, 17 the panel's last item.
constexpr DWORD kPanelItems = (1u << CChoiceChannel::kItemCount) - 1;
constexpr int kEventItem = 16;
// Words per channel when there is no configuration to ask: 128 MB of memory.
constexpr int kDefaultWords = 67108864;

int CountChannels(DWORD mask) { return std::popcount(mask & kPanelItems); }

}  // namespace

CSystemRecordingSheet::CSystemRecordingSheet(CWnd* parent) : CSystemSettingSheet(IDD_RECORDING_SHEET, parent, false)
{
}

CSystemRecordingSheet::~CSystemRecordingSheet() = default;

int CSystemRecordingSheet::SetConfig(CONFIG_SYSREC* recording, CONFIG_SYSREC* printFormat)
{
    if (!recording || !printFormat)
        return 0;
    m_pSysRec = recording;
    m_pSysRecPrint = printFormat;
    return 1;
}

void CSystemRecordingSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_START_TIMER, m_checkStartTimer);
    DDX_Control(dx, IDC_CHECK_INTERVAL, m_checkInterval);
    DDX_Control(dx, IDC_CHECK_FREC_SAVE, m_checkFRecSave);
}

BOOL CSystemRecordingSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();
    SetTexts();

    m_handDataNo.AutoLoad(IDC_HAND_DATA_NO, this);
    m_handStartTime.AutoLoad(IDC_HAND_START_TIME, this);
    m_handEndTime.AutoLoad(IDC_HAND_END_TIME, this);
    for (int index = 0; index < 3; ++index)
        m_timeScaleSwitch[index].AutoLoad(IDC_TIME_SCALE_FIRST + index, this);
    for (int index = 0; index < 2; ++index)
        m_syncSwitch[index].AutoLoad(IDC_SYNC_FIRST + index, this);

    // The jogs keep their limits without a configuration; only its values are skipped.
    CJogTimeMinute* jogs[2] = {&m_jogIntervalTime, &m_jogRunTime};
    const int jogIds[2] = {IDC_JOG_INTERVAL_TIME, IDC_JOG_RUN_TIME};
    for (int index = 0; index < 2; ++index) {
        jogs[index]->AutoLoad(jogIds[index], this);
        jogs[index]->SetMaxMinValue(kMaxIntervalMinutes, 1);
        jogs[index]->SetStep(10, 1);
    }
    if (m_pSysRec) {
        m_checkInterval.SetCheck(m_pSysRec->GetInterval() ? BST_CHECKED : BST_UNCHECKED);
        m_jogIntervalTime.SetValue(m_pSysRec->GetIntervalTime(), false);
        m_jogRunTime.SetValue(m_pSysRec->GetRunTime(), false);
    }

    // No host control draws the two small buttons beside the jogs and they do
    // nothing: the instrument shows nothing there.
    for (int id : {IDC_JOG_BUTTON_INTERVAL, IDC_JOG_BUTTON_RUN})
        if (CWnd* button = GetDlgItem(id))
            button->ShowWindow(SW_HIDE);

    CreateChannelPanel();
    DWORD usableMask = 0;
    LabelChannels(usableMask);

    m_nChannelCount = 0;
    if (m_pSysRec) {
        m_dwDataNo = (m_pSysRec->GetDataNo() & kDataNoMask) % kMaxDataNo + 1;
        ShowDataNo();
        // A channel that cannot be recorded (empty slot, no event input) is
        // dropped at once, so the host never holds a selection it cannot use.
        const DWORD cleaned = m_pSysRec->GetUseChanMask() & ~(kPanelItems & ~usableMask);
        m_nChannelCount = CountChannels(cleaned);
        m_dwUseChanMask = m_dwInitialChanMask = cleaned;
        m_pSysRec->SetUseChanMask(cleaned);
        m_choiceChannel.m_dwSelectMask = cleaned;
        m_choiceChannel.Redraw();
        m_checkStartTimer.SetCheck(m_pSysRec->GetStartTimer() ? BST_CHECKED : BST_UNCHECKED);
        m_checkFRecSave.SetCheck(m_pSysRec->GetFRecSave() ? BST_CHECKED : BST_UNCHECKED);
    }

    UpdateCapacity();
    RefreshTimer();  // also latches the time-axis and synchronisation switches
    return TRUE;
}

void CSystemRecordingSheet::SetTexts()
{
    static const ItemText items[] = {
        {17019, 2, L"メモリ容量の変更"},
        {IDC_BUTTON_SPEED_TABLE, 3, L"速度テーブル設定"},
        {IDC_BUTTON_PRINT, 4, L"プリント設定"},
        {17116, 5, L"時間軸表記"},
        {IDC_TIME_SCALE_FIRST, 6, L"時間"},
        {IDC_TIME_SCALE_FIRST + 1, 7, L"時刻"},
        {IDC_TIME_SCALE_FIRST + 2, 8, L"数値"},
        {17117, 9, L"外部同期比率設定"},
        {IDC_SYNC_FIRST, 10, L"0.1mm/パルス"},
        {IDC_SYNC_FIRST + 1, 11, L"0.025mm/パルス"},
        {IDC_CHECK_START_TIMER, 12, L"スタートタイマ機能を使用する"},
        {17128, 13, kStartTimeCaption},
        {17129, 14, kEndTimeCaption},
        {IDC_CHECK_INTERVAL, 15, L"インターバル機能を使用する"},
        {17130, 16, L"開始間隔"},
        {17131, 17, L"動作時間"},
        {17118, 18, kDataNoCaption},
        {17100, 19, L"使用するチャンネルを減らすと、チャンネルあたりのメモリ容量を増やすことができます(注意："
                    L"設定を変更すると収録メモリの内容はクリアされます)。"},
        {IDC_CAPACITY, 20, L"現在の設定は、xxxW/CHのメモリ容量になります。"},
        {IDC_CHECK_FREC_SAVE, 21, L"ファイル収録後に環境を保存する"},
    };
    SetItemTexts(IDD_RECORDING_SHEET, items);
}

void CSystemRecordingSheet::CreateChannelPanel()
{
    // The panel takes the place of the hidden placeholder.
    RECT place{};
    if (CWnd* placeholder = GetDlgItem(IDC_CHOICE_CHANNEL)) {
        placeholder->GetWindowRect(&place);
        ScreenToClient(&place);
    }
    m_dwUseChanMask = 0;
    m_choiceChannel.m_dwLockMask = 0;
    m_choiceChannel.ShowExtButtons(true);
    m_choiceChannel.SetNotify(WM_CHOICE_CHANNEL, IDC_CHOICE_CHANNEL, reinterpret_cast<LPARAM>(&m_choiceChannel),
                              nullptr);
    m_choiceChannel.Create(this);
    m_choiceChannel.SetWindowPos(nullptr, place.left, place.top, 0, 0, SWP_NOSIZE);
    m_choiceChannel.SetChoiceMode(CChoiceChannel::ChoiceMultiple);
    m_choiceChannel.ShowWindow(SW_SHOW);
    m_choiceChannel.Invalidate(TRUE);
}

void CSystemRecordingSheet::LabelChannels(DWORD& usableMask)
{
    CAMPIO amplifiers;
    CPRMPIO board;
    usableMask = 1u << (kEventItem + 1);
    for (int slot = 0; slot < kEventItem; ++slot) {
        const int code = amplifiers.GetAmpTypeCode(slot);
        m_choiceChannel.EnableItem(slot, code != 0);
        m_choiceChannel.SetLabel(slot, code != 0 ? GetAmpTypeName(code) : L"--");
        if (code != 0)
            usableMask |= 1u << slot;
    }
    const bool event = board.DetectEvent();
    m_choiceChannel.EnableItem(kEventItem, event);
    m_choiceChannel.EnableItem(kEventItem + 1, true);
    m_choiceChannel.SetLabel(kEventItem, nullptr);
    m_choiceChannel.SetLabel(kEventItem + 1, nullptr);
    if (event)
        usableMask |= 1u << kEventItem;
}

LRESULT CSystemRecordingSheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The panel reports the operator's choice here, outside the message map.
    if (message == WM_CHOICE_CHANNEL && wParam == IDC_CHOICE_CHANNEL) {
        m_dwUseChanMask = m_choiceChannel.m_dwSelectMask;
        m_nChannelCount = CountChannels(m_dwUseChanMask);
        UpdateCapacity();
    }
    return CSystemSettingSheet::DefWindowProc(message, wParam, lParam);
}

void CSystemRecordingSheet::UpdateCapacity()
{
    if (m_nChannelCount == 0) {
        SetDlgItemText(IDC_CAPACITY, L"");
        return;
    }
    const int words = m_pSysRec ? static_cast<int>((m_pSysRec->GetTotalMemSize() >> 1) /
                                                   static_cast<DWORD>(m_nChannelCount))
                                : kDefaultWords / m_nChannelCount;
    CString capacity;
    capacity.Format(Text(IDD_RECORDING_SHEET, 20, L"現在の設定は、%dW/CHのメモリ容量になります。"), words);
    SetDlgItemText(IDC_CAPACITY, capacity);
}

void CSystemRecordingSheet::CommitUseChanMask()
{
    if (!m_pSysRec || m_dwUseChanMask == m_dwInitialChanMask)
        return;
    CPopupDlg confirm(this, true);
    confirm.SetCaptionText(Text(1000, 2100, L"確認"));
    confirm.SetMessageText(
        Text(1000, 2101, L"使用チャンネルが変更されました。\nメモリデータが消えますがよろしいですか？"));
    confirm.SetButtonMode(1);
    if (confirm.DoModal() == 1)
        m_pSysRec->SetUseChanMask(m_dwUseChanMask);
}

BOOL CSystemRecordingSheet::PreTranslateMessage(MSG* msg)
{
    // Neither key may close the page or the system dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    return CSystemSettingSheet::PreTranslateMessage(msg);
}

HBRUSH CSystemRecordingSheet::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CSystemSettingSheet::OnCtlColor(dc, wnd, ctlColor);
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    if (id == IDC_CHECK_START_TIMER)
        return GetStockObject(NULL_BRUSH);
    if (id == IDC_STATIC_START_TIME || id == IDC_STATIC_END_TIME || id == IDC_STATIC_DATA_NO) {
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkMode(TRANSPARENT);
        return GetStockObject(WHITE_BRUSH);
    }
    return brush;
}
