// The recording page inside the system dialog, operated like the operator does.
#include "pages/recording/RecordingTestSupport.h"

#include "host/CurrentProfileScope_test.h"

namespace {

using namespace recording_test;
using Zone = JogWidget::Zone;

std::wstring Capacity(int words)
{
    return L"現在の設定は、" + std::to_wstring(words) + L"W/CHのメモリ容量になります。";
}

TEST_F(RecordingTest, DataNumberShowsTheStoredNumberPlusOneAndThePadStoresTheEntryMinusOne)
{
    // Stored, shown, typed on the pad (null: cancelled), then stored and shown.
    struct Case { DWORD stored; const wchar_t *shown, *typed; DWORD storedAfter; const wchar_t* shownAfter; };
    const Case cases[] = {
        {0, L"0001", L"1", 0, L"0001"},
        {9998, L"9999", L"9999", 9998, L"9999"},
        {9999, L"0001", nullptr, 9999, L"0001"},
        {0xFFFFFF, L"8893", L"12.7", 11, L"0012"},
    };
    for (const Case& c : cases) {
        host.sysRec1->SetDataNo(c.stored);
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "the number shown", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_STATIC_DATA_NO), c.shown);
            win::Tap(FindControl(window, IDC_HAND_DATA_NO));
        });
        script.Do(IDD_NUMKEY, "the pad", [&](HWND pad) {
            EXPECT_EQ(GetWindowTextString(pad), L"データNo.");
            if (c.typed)
                win::TypeText(pad, c.typed);
            win::Tap(FindControl(pad, c.typed ? IDOK : IDCANCEL));
        });
        ExpectText(script, IDD_SYSTEM, IDC_STATIC_DATA_NO, c.shownAfter);
        Run(script);
        EXPECT_EQ(host.sysRec1->GetDataNo(), c.storedAfter);
        EXPECT_EQ(receiver.ChangeFlags(), c.typed ? std::vector<DWORD>{CHG_DATA_NO} : std::vector<DWORD>{});
    }
}

TEST_F(RecordingTest, UnusableChannelsAreDroppedBeforeAnyTapAndTheCapacityFollowsTheSelection)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) { instrument.interfaces.event = false; });
    // Slot 7 is empty; bit 16 is the event input, which is not fitted.
    host.sysRec1->SetUseChanMask(0x1 | 0x2 | 0x80 | 0x10000 | 0x20000);
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "cleaned at once", [&](HWND window) {
        EXPECT_EQ(host.sysRec1->GetUseChanMask(), 0x20003u);
        EXPECT_EQ(Panel().m_dwSelectMask, 0x20003u);
        EXPECT_EQ(Panel().GetLabel(6) + Panel().GetLabel(7), L"STRAIN AMP--");
        EXPECT_FALSE(Panel().IsItemEnabled(7) || Panel().IsItemEnabled(16));
        EXPECT_EQ(ControlText(window, IDC_CAPACITY), Capacity(22369621));
    });
    OpenTab(script);
    for (auto [part, index] : {std::pair{"item", 7}, {"item", 0}})
        TapPanel(script, part, index);
    script.Do(IDD_SYSTEM, "two channels", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_CAPACITY), Capacity(33554432));
        EXPECT_EQ(host.sysRec1->GetUseChanMask(), 0x20003u);
    });
    TapPanel(script, "ext", 1);
    script.Do(IDD_SYSTEM, "none", [&](HWND window) { EXPECT_EQ(ControlText(window, IDC_CAPACITY), L""); });
    for (int item : {0, 1, 17})
        TapPanel(script, "item", item);
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(RecordingTest, ClosingWithAChangedSelectionAsksAndOnlyAYesWritesIt)
{
    for (int answer : {IDCANCEL, IDOK}) {
        host.sysRec1->SetUseChanMask(0x3F);
        ScriptedOperator script;
        OpenTab(script);
        TapPanel(script, "item", 8);
        script.Tap(IDD_SYSTEM, 17045);
        AnswerPopup(script, L"確認", L"使用チャンネルが変更されました。\nメモリデータが消えますがよろしいですか？", answer);
        Run(script, false, false);
        EXPECT_EQ(host.sysRec1->GetUseChanMask(), answer == IDOK ? 0x13Fu : 0x3Fu) << answer;
        EXPECT_TRUE(receiver.Requests().empty());
    }
}

TEST_F(RecordingTest, TimeAxisAndSynchronisationGoToTheirObjects)
{
    host.sysRec2->SetTimeScale(2);
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "as stored", [&](HWND window) {
        EXPECT_EQ(Latches(window, {17133, 17134, 17135, 17136, 17137}), L"00110");
        win::Tap(FindControl(window, 17134));
    });
    script.Tap(IDD_SYSTEM, 17137);
    script.Do(IDD_SYSTEM, "latched", [&](HWND window) {
        EXPECT_EQ(Latches(window, {17133, 17134, 17135, 17136, 17137}), L"01001");
    });
    Run(script, true);
    EXPECT_EQ(std::vector<int>({host.sysRec2->GetTimeScale(), host.sysRec1->GetTimeScale(), host.sysRec1->GetSync(),
                                host.sysRec2->GetSync()}),
              std::vector<int>({1, 0, 1, 0}));
    EXPECT_EQ(receiver.ChangeFlags(), (std::vector<DWORD>{CHG_RECORD_FORMAT, CHG_RECORD_FORMAT}));
}

TEST_F(RecordingTest, AnUnknownRepeatModeShowsAsOnceAndTheTimerDialogSetsTheRepeatOfBothTimes)
{
    host.sysRec1->SetStartTimer(true);
    host.sysRec1->SetStartTime(SYSTEMTIME{2024, 5, 2, 14, 9, 30, 15, 0});
    host.sysRec1->SetEvery(7);
    // 7 is no repeat mode: the time shows without its second, and the timer
    // dialog is offered "once".
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "start time", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_STATIC_START_TIME), L"2024/05/14 09:30");
        win::Tap(FindControl(window, IDC_HAND_START_TIME));
    });
    script.Do(IDD_TIMER, "offered once", [&](HWND timer) {
        EXPECT_EQ(GetWindowTextString(timer), L"開始時刻");
        EXPECT_EQ(Latches(timer, {30140}), L"1");
        win::Tap(FindControl(timer, 30142));
    });
    script.Answer(IDOK);
    script.Do(IDD_SYSTEM, "every day", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_STATIC_START_TIME), L"09:30");
        EXPECT_EQ(ControlText(window, IDC_STATIC_END_TIME), L"17:00");
    });
    Run(script);
    EXPECT_EQ(host.sysRec1->GetEvery(), 2);
    EXPECT_EQ(host.sysRec1->GetStartTime().wSecond, 15);
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_RECORD_TIMER});
}

TEST_F(RecordingTest, JogsStopAtTheirLimitsAndTheStartTimerBoxControlsTheTimerSection)
{
    host.sysRec1->SetStartTimer(true);
    host.sysRec1->SetInterval(true);
    host.sysRec1->SetIntervalTime(46075);
    host.sysRec1->SetRunTime(2);
    const int section[] = {IDC_CHECK_INTERVAL, IDC_JOG_INTERVAL_TIME, IDC_JOG_RUN_TIME, IDC_HAND_START_TIME,
                           IDC_HAND_END_TIME,  IDC_STATIC_START_TIME, IDC_STATIC_END_TIME};
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "step to the limits", [&](HWND window) {
        for (int id : section)
            EXPECT_TRUE(Enabled(window, id)) << id;
        TapJogZone(window, IDC_JOG_INTERVAL_TIME, Zone::CoarseUp);
        TapJogZone(window, IDC_JOG_INTERVAL_TIME, Zone::CoarseUp);
        TapJogZone(window, IDC_JOG_RUN_TIME, Zone::CoarseDown);
    });
    script.Do(IDD_SYSTEM, "stopped", [&](HWND window) {
        EXPECT_EQ(host.sysRec1->GetIntervalTime(), 46080);
        EXPECT_EQ(host.sysRec1->GetRunTime(), 1);
        EXPECT_EQ(ControlText(window, IDC_JOG_INTERVAL_TIME), L"768:00");
        EXPECT_TRUE(receiver.Requests().empty());
        win::Tap(FindControl(window, IDC_CHECK_START_TIMER));
    });
    script.Do(IDD_SYSTEM, "all off", [&](HWND window) {
        for (int id : section)
            EXPECT_FALSE(Enabled(window, id)) << id;
    });
    Run(script);
    EXPECT_FALSE(host.sysRec1->GetStartTimer());
    EXPECT_TRUE(host.sysRec1->GetInterval());
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_RECORD_TIMER});
}

TEST_F(RecordingTest, WithoutARecordingConfigurationThePageStillWorksOnScreenAndStoresNothing)
{
    host.record.pSysRec1 = host.record.pSysRec2 = nullptr;
    ScriptedOperator script;
    OpenTab(script);
    TapPanel(script, "item", 0);
    script.Do(IDD_SYSTEM, "a default memory", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_CAPACITY), Capacity(67108864));
        win::Tap(FindControl(window, IDC_CHECK_START_TIMER));
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_INTERVAL);
    script.Do(IDD_SYSTEM, "jogs and times", [&](HWND window) {
        TapJogZone(window, IDC_JOG_INTERVAL_TIME, Zone::FineUp);
        TapJogZone(window, IDC_JOG_RUN_TIME, Zone::FineUp);
        win::Tap(FindControl(window, IDC_HAND_START_TIME));
    });
    script.Do(IDD_SYSTEM, "no timer dialog", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_JOG_INTERVAL_TIME), L"0:02");
        win::Tap(FindControl(window, IDC_BUTTON_SPEED_TABLE));
    });
    script.Tap(IDD_USER_SPEED, IDOK);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_PRINT);
    script.Tap(IDD_PRINT, 17110);
    script.TapPart(IDD_PRINT, 17158, "row", 0);
    script.Do(IDD_PRINT, "no keyboard", [&](HWND print) { win::Tap(FindControl(print, IDOK)); });
    Run(script);
    EXPECT_EQ(receiver.ChangeFlags(),
              (std::vector<DWORD>{CHG_RECORD_TIMER, CHG_RECORD_TIMER, CHG_SPEED_TABLE, CHG_RECORD_FORMAT}));
}

}  // namespace
