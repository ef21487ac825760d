// The recording page's settings other than the channel selection: each is
// written to the configuration as the operator changes it, and most are
// reported to the host at once.
#include "pages/recording/SystemRecordingSheet.h"

#include "host/ConfigSysRec.h"
#include "host/DateTime.h"
#include "host/dialogs/CNumKeyDlg.h"
#include "host/dialogs/CTimerDlg.h"
#include "pages/recording/RecordingIds.h"
#include "pages/recording/SystemPrintDlg.h"
#include "pages/recording/SystemUserSpeedDlg.h"

#include <cmath>

using namespace recording_ids;

namespace {

// The date display mask by repeat mode: what a repeating start time leaves
// out (the second always; the date from a daily repeat on, ...).
unsigned DisplayMask(int every)
{
    switch (every) {
    case 1: return 11;
    case 2: return 15;
    case 3: return 31;
    default: return 8;
    }
}

int RepeatMode(int every) { return every >= 1 && every <= 3 ? every : 0; }

bool IsChecked(const CButton& box) { return box.GetCheck() == BST_CHECKED; }

}  // namespace

void CSystemRecordingSheet::ShowDataNo()
{
    CString text;
    text.Format(L"%04d", static_cast<int>(m_dwDataNo));
    SetDlgItemText(IDC_STATIC_DATA_NO, text);
}

void CSystemRecordingSheet::ShowTimeScale()
{
    if (!m_pSysRecPrint)
        return;
    SelectOnly(m_timeScaleSwitch, m_pSysRecPrint->GetTimeScale());
}

void CSystemRecordingSheet::ShowSync()
{
    SelectOnly(m_syncSwitch, m_pSysRec->GetSync());
}

void CSystemRecordingSheet::RefreshTimer()
{
    const bool timerOn = IsChecked(m_checkStartTimer);
    for (int id : {IDC_HAND_START_TIME, IDC_HAND_END_TIME, IDC_STATIC_START_TIME, IDC_STATIC_END_TIME,
                   IDC_CHECK_INTERVAL})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(timerOn);
    const bool jogsOn = timerOn && IsChecked(m_checkInterval);
    m_jogIntervalTime.EnableWindow(jogsOn);
    m_jogRunTime.EnableWindow(jogsOn);

    ShowTimeScale();
    if (!m_pSysRec)
        return;
    ShowSync();
    const unsigned mask = DisplayMask(m_pSysRec->GetEvery());
    const wchar_t* format = Text(1, 100, L"%04Y/%02M/%02D %02h:%02m:%02s");
    SetDlgItemText(IDC_STATIC_START_TIME, CDateTime(m_pSysRec->GetStartTime()).Format(format, mask));
    SetDlgItemText(IDC_STATIC_END_TIME, CDateTime(m_pSysRec->GetEndTime()).Format(format, mask));
}

void CSystemRecordingSheet::OnBnClickedTimeScale(UINT id)
{
    const int timeScale = static_cast<int>(id) - IDC_TIME_SCALE_FIRST;
    if (m_pSysRecPrint)
        m_pSysRecPrint->SetTimeScale(timeScale);
    SelectOnly(m_timeScaleSwitch, timeScale);
    ReportSettingChanged(CHG_RECORD_FORMAT);
}

void CSystemRecordingSheet::OnBnClickedSync(UINT id)
{
    const int sync = static_cast<int>(id) - IDC_SYNC_FIRST;
    if (m_pSysRec)
        m_pSysRec->SetSync(sync);
    SelectOnly(m_syncSwitch, sync);
    ReportSettingChanged(CHG_RECORD_FORMAT);
}

void CSystemRecordingSheet::OnBnClickedDataNo()
{
    CNumKeyDlg pad(this, true);
    pad.SetConfigData(L"", L"%0.4g", static_cast<double>(m_dwDataNo), kMaxDataNo, 1.0, 0);
    pad.SetCaptionMessage(Text(IDD_RECORDING_SHEET, 18, kDataNoCaption));
    if (pad.DoModal() != 1)
        return;
    m_dwDataNo = static_cast<DWORD>(std::trunc(pad.GetValue()));
    if (m_pSysRec)
        m_pSysRec->SetDataNo((m_dwDataNo - 1) & kDataNoMask);
    ShowDataNo();
    ReportSettingChanged(CHG_DATA_NO);
}

void CSystemRecordingSheet::OnBnClickedStartTimer()
{
    if (m_pSysRec)
        m_pSysRec->SetStartTimer(IsChecked(m_checkStartTimer));
    RefreshTimer();
    ReportSettingChanged(CHG_RECORD_TIMER);
}

void CSystemRecordingSheet::OnBnClickedInterval()
{
    if (m_pSysRec)
        m_pSysRec->SetInterval(IsChecked(m_checkInterval));
    RefreshTimer();
    ReportSettingChanged(CHG_RECORD_TIMER);
}

void CSystemRecordingSheet::OnBnClickedStartTime() { EditTimerTime(true); }
void CSystemRecordingSheet::OnBnClickedEndTime() { EditTimerTime(false); }

void CSystemRecordingSheet::EditTimerTime(bool start)
{
    // Without a configuration there is no time to show or to keep.
    if (!m_pSysRec)
        return;
    CTimerDlg timer(this);
    timer.SetConfigData(start ? m_pSysRec->GetStartTime() : m_pSysRec->GetEndTime(),
                        RepeatMode(m_pSysRec->GetEvery()));
    timer.SetCaptionText(start ? Text(IDD_RECORDING_SHEET, 13, kStartTimeCaption)
                               : Text(IDD_RECORDING_SHEET, 14, kEndTimeCaption));
    if (timer.DoModal() != 1)
        return;
    SYSTEMTIME time{};
    int repeat = 0;
    timer.GetDateTime(&time, &repeat);
    if (start)
        m_pSysRec->SetStartTime(time);
    else
        m_pSysRec->SetEndTime(time);
    // One repeat mode serves both times: the dialog confirmed last sets it.
    m_pSysRec->SetEvery(RepeatMode(repeat));
    RefreshTimer();
    ReportSettingChanged(CHG_RECORD_TIMER);
}

void CSystemRecordingSheet::OnJogChangeIntervalTime()
{
    if (m_pSysRec)
        m_pSysRec->SetIntervalTime(static_cast<int>(m_jogIntervalTime.GetValue(false)));
}

void CSystemRecordingSheet::OnJogChangeRunTime()
{
    if (m_pSysRec)
        m_pSysRec->SetRunTime(static_cast<int>(m_jogRunTime.GetValue(false)));
}

void CSystemRecordingSheet::OnBnClickedFRecSave()
{
    if (m_pSysRec)
        m_pSysRec->SetFRecSave(IsChecked(m_checkFRecSave));
    RefreshTimer();
}

void CSystemRecordingSheet::OnBnClickedPrint()
{
    CSystemPrintDlg dialog(this);
    if (m_pSysRec)
        dialog.SetConfig(m_pSysRecPrint);
    dialog.DoModal();
    ReportSettingChanged(CHG_RECORD_FORMAT);
}

void CSystemRecordingSheet::OnBnClickedSpeedTable()
{
    CSystemUserSpeedDlg dialog(this);
    dialog.SetConfig(m_pSysRec);
    dialog.DoModal();
    ReportSettingChanged(CHG_SPEED_TABLE);
}
