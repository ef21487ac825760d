// The host's start-timer entry: year to minute and the repeat mode,
// 0 "しない" (once), 1 "毎月" (every month on that day and time),
// 2 "毎日" (every day at that time), 3 "毎時" (every hour at that minute).
// The seconds are not shown and pass through unchanged. A repeat mode
// outside 0..3 is shown as 0. See DateEntryDialog.
#pragma once

#include "host/dialogs/DateEntryDialog.h"
#include "host/widgets/CPushSwitch.h"

#include <array>

class CTimerDlg : public DateEntryDialog {
public:
    DECLARE_DYNAMIC(CTimerDlg)

    explicit CTimerDlg(CWnd* parent = nullptr, bool centreOnPanel = true);

    void SetConfigData(const SYSTEMTIME& time, int repeatMode);
    // The confirmed time and repeat mode (the handed-in ones until
    // confirmed). FALSE when both pointers are null.
    BOOL GetDateTime(SYSTEMTIME* time, int* repeatMode) const;

    static constexpr int kFieldCount = 5;  // year to minute
    static constexpr int kRepeatId = 30140;  // + mode
    static constexpr int kRepeatLabelId = 30144;

protected:
    BOOL OnInitDialog() override;
    void Confirm() override;
    void OnRepeat(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void ShowRepeat();

    std::array<CPushSwitch, 4> m_repeatSwitches;
    int m_repeat = 0;         // handed in, then confirmed
    int m_workingRepeat = 0;  // while the dialog runs
};
