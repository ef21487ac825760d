#include "host/dialogs/CTimerDlg.h"

#include <mutex>

IMPLEMENT_DYNAMIC(CTimerDlg, DateEntryDialog)

BEGIN_MESSAGE_MAP(CTimerDlg, DateEntryDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CTimerDlg::kRepeatId, CTimerDlg::kRepeatId + 3, OnRepeat)
END_MESSAGE_MAP()

CTimerDlg::CTimerDlg(CWnd* parent, bool centreOnPanel)
    : DateEntryDialog(host::IDD_HOST_TIMER, parent, kFieldCount, centreOnPanel)
{
    static std::once_flag once;
    std::call_once(once, [] {
        static const wchar_t* const modes[4] = {L"しない", L"毎月", L"毎日", L"毎時"};
        host::TemplateBuilder builder(host::IDD_HOST_TIMER, L"", 360, 218);
        AddFields(builder, kFieldCount);
        builder.Static(kRepeatLabelId, L"繰り返し", 10, 114, 80, 10);
        for (int mode = 0; mode < 4; ++mode)
            builder.Button(kRepeatId + mode, modes[mode], 10 + 86 * mode, 126, 80, 28, BS_OWNERDRAW);
        builder.Static(kMessageId, L"", 10, 160, 340, 10)
            .Button(IDOK, L"実行", 66, 174, 110, 36, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 184, 174, 110, 36)
            .Register();
    });
}

void CTimerDlg::SetConfigData(const SYSTEMTIME& time, int repeatMode)
{
    m_time = time;
    m_repeat = repeatMode >= 0 && repeatMode <= 3 ? repeatMode : 0;
}

BOOL CTimerDlg::GetDateTime(SYSTEMTIME* time, int* repeatMode) const
{
    if (!time && !repeatMode)
        return FALSE;
    if (time)
        *time = m_time;
    if (repeatMode)
        *repeatMode = m_repeat;
    return TRUE;
}

BOOL CTimerDlg::OnInitDialog()
{
    DateEntryDialog::OnInitDialog();
    static const ItemText texts[] = {{kRepeatLabelId, 5, L"繰り返し"}, {kRepeatId, 1, L"しない"},
                                     {kRepeatId + 1, 2, L"毎月"},       {kRepeatId + 2, 3, L"毎日"},
                                     {kRepeatId + 3, 4, L"毎時"}};
    SetItemTexts(host::IDD_HOST_TIMER, texts);
    for (int mode = 0; mode < 4; ++mode)
        m_repeatSwitches[static_cast<size_t>(mode)].AutoLoad(static_cast<UINT>(kRepeatId + mode), this);
    m_workingRepeat = m_repeat;
    ShowRepeat();
    return TRUE;
}

void CTimerDlg::ShowRepeat()
{
    for (int mode = 0; mode < 4; ++mode)
        m_repeatSwitches[static_cast<size_t>(mode)].Select(mode == m_workingRepeat ? 1 : 0);
}

void CTimerDlg::OnRepeat(UINT id)
{
    m_workingRepeat = static_cast<int>(id) - kRepeatId;
    ShowRepeat();
}

void CTimerDlg::Confirm()
{
    WORD seconds = m_time.wSecond;
    WORD milliseconds = m_time.wMilliseconds;
    m_time = m_fields.Get();
    m_time.wSecond = seconds;
    m_time.wMilliseconds = milliseconds;
    m_repeat = m_workingRepeat;
}
