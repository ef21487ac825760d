// The recording page: the channels in use and the memory each gets, data
// number, time-axis notation, external synchronisation ratio, start timer,
// interval function, environment save after file recording, and the doors
// to the print settings and the user speed tables.
//
// Every setting but the channel selection is written to the host's objects
// as it is edited. The selection clears the recorded memory when it changes,
// so it stays pending on the page until the frame closes and the operator
// confirms it (CommitUseChanMask).
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CChoiceChannel.h"
#include "host/widgets/CHandButton.h"
#include "host/widgets/CJogTimeMinute.h"
#include "host/widgets/CPushSwitch.h"
#include "win/controls/CButton.h"

class CSystemRecordingSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemRecordingSheet)

    explicit CSystemRecordingSheet(CWnd* parent = nullptr);
    ~CSystemRecordingSheet() override;

    // Called by the frame before the page window exists: the recording
    // configuration, then the one that holds the print format. A null pointer
    // is refused and nothing is stored.
    int SetConfig(CONFIG_SYSREC* recording, CONFIG_SYSREC* printFormat);

    // Applies the pending channel selection after the operator confirms it;
    // the frame calls it when the dialog closes.
    void CommitUseChanMask();

    CONFIG_SYSREC* GetRecordingConfig() const { return m_pSysRec; }
    CONFIG_SYSREC* GetPrintFormatConfig() const { return m_pSysRecPrint; }
    const CChoiceChannel& GetChoiceChannel() const { return m_choiceChannel; }

    // The panel's notification: message, and the wParam that names the panel.
    static constexpr UINT WM_CHOICE_CHANNEL = 1124;
    static constexpr UINT IDC_CHOICE_CHANNEL = 14000;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void OnBnClickedTimeScale(UINT id);
    void OnBnClickedSync(UINT id);
    void OnBnClickedDataNo();
    void OnBnClickedStartTimer();
    void OnBnClickedInterval();
    void OnBnClickedStartTime();
    void OnBnClickedEndTime();
    void OnBnClickedFRecSave();
    void OnBnClickedPrint();
    void OnBnClickedSpeedTable();
    void OnJogChangeIntervalTime();
    void OnJogChangeRunTime();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    void SetTexts();
    void CreateChannelPanel();
    void LabelChannels(DWORD& usableMask);
    void ShowDataNo();
    void ShowTimeScale();
    void ShowSync();
    void UpdateCapacity();
    void RefreshTimer();
    // The timer dialog for the start (true) or end time.
    void EditTimerTime(bool start);

    CChoiceChannel m_choiceChannel;
    CHandButton m_handDataNo;
    CHandButton m_handStartTime;
    CHandButton m_handEndTime;
    CPushSwitch m_timeScaleSwitch[3];
    CPushSwitch m_syncSwitch[2];
    CButton m_checkStartTimer;
    CButton m_checkInterval;
    CONFIG_SYSREC* m_pSysRec = nullptr;
    CONFIG_SYSREC* m_pSysRecPrint = nullptr;
    int m_nChannelCount = 0;
    DWORD m_dwUseChanMask = 0;
    DWORD m_dwInitialChanMask = 0;
    DWORD m_dwDataNo = 1;
    CJogTimeMinute m_jogIntervalTime;
    CJogTimeMinute m_jogRunTime;
    CButton m_checkFRecSave;
};
