// The test print and the data record, operated from the maintenance page.
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "host/devices/GlobalStatus.h"
#include "win/Handles.h"
#include "win/WinThread.h"

#include <tuple>

namespace {

using namespace maintenance_test;

const std::wstring kTestPrintQuestion =
    L"プリンタの印字品質をチェックできます。\n「実行」ボタンを押すとテスト印字を\n開始します。";
const std::wstring kDataRecordQuestion = L"アンプメンテナンス用の記録フォームです。\nデジタル値を記録紙に印字します。";

// Leaves a running notice alone: the run must end through the printer.
class LeaveNoticeOperator : public ScriptedOperator {
public:
    bool OnIdle() override
    {
        HWND notice = FindRunningNotice();
        return notice && IsWindowEnabled(notice) ? false : ScriptedOperator::OnIdle();
    }
};

class PrintRunTest : public MaintenanceTest {
protected:
    PrintRunTest()
    {
        // A pattern takes a minute: only an abort ends it while a test looks.
        profile.Change([](InstrumentProfile& p) { p.printer.patternMilliseconds = 60000; });
        auto params = std::make_unique<CONFIG_SYSREC::PARAMS>(host.sysRec1->GetParams());
        params->dwDataRecordCounter = 7;
        host.sysRec1->SetParams(*params);
    }

    DWORD Counter() const { return host.sysRec1->GetParams().dwDataRecordCounter; }

    // Taps the button and answers its question; `during` adds the steps of
    // the run. Once it is over, its events and thread are closed and the
    // printer is idle and free.
    void Start(ScriptedOperator& script, int button, int answer, const std::function<void()>& during = {})
    {
        script.Do(IDD_SYSTEM, "count the handles", [this](HWND) { handles = win::HandleTable::Count(); });
        script.Tap(IDD_SYSTEM, button);
        if (button == IDC_BUTTON_TEST_PRINT)
            AnswerPopup(script, L"テストプリント", kTestPrintQuestion, answer);
        else
            AnswerPopup(script, L"データ記録", kDataRecordQuestion, answer);
        if (during)
            during();
        script.Do(IDD_SYSTEM, "the run has ended", [this](HWND) {
            EXPECT_EQ(win::HandleTable::Count(), handles);
            EXPECT_FALSE(GlobalStatus::IsTestPrinting() || GlobalStatus::IsDataPrinting());
            const PrinterJournal journal = PrinterIO::GetJournal();
            EXPECT_FALSE(journal.testPrintRunning || journal.dataChartRunning || journal.patternInProgress);
            EXPECT_TRUE(PrinterDevice::Instance().Lock(this)) << "the worker let go of the printer";
            PrinterDevice::Instance().Unlock(this);
        });
    }

    // At the running notice: waits until the printer is in `state`, then presses "中止".
    static void AbortAt(ScriptedOperator& script, bool (*state)(const PrinterJournal&))
    {
        script.Do(IDD_POPUP, "abort at the notice", [state](HWND notice) {
            AwaitPrinter(state);
            win::Tap(FindControl(notice, IDOK));
        });
    }

    std::size_t handles = 0;
};

bool Printing(const PrinterJournal& j) { return j.patternInProgress; }
bool Charting(const PrinterJournal& j) { return j.dataChartRunning; }

TEST_F(PrintRunTest, DecliningStartsNoThreadNoEventAndNoRun)
{
    const auto starts = std::pair(GlobalStatus::GetTestPrintStarts(), GlobalStatus::GetDataPrintStarts());
    ScriptedOperator script;
    OpenTab(script);
    Start(script, IDC_BUTTON_TEST_PRINT, IDCANCEL);
    Start(script, IDC_BUTTON_DATA_RECORD, IDCANCEL);
    Run(script);
    EXPECT_EQ(std::pair(GlobalStatus::GetTestPrintStarts(), GlobalStatus::GetDataPrintStarts()), starts);
    EXPECT_EQ(std::pair(PrinterIO::GetJournal().stops, Counter()), std::pair(0, 7u)) << "no worker, no number";
}

// The button ends the wait, the pattern in progress is cut and no other
// follows; the worker stopped the print and was joined.
TEST_F(PrintRunTest, TheNoticesButtonAbortsStopsAndJoinsTheTestPrint)
{
    profile.Change([](InstrumentProfile& p) { p.mainProgram = {3, 1, 2, 25, L"abc"}; });
    ScriptedOperator script;
    OpenTab(script);
    Start(script, IDC_BUTTON_TEST_PRINT, IDOK, [&] {
        script.Do(IDD_POPUP, "the notice", [this](HWND notice) {
            EXPECT_EQ(GetWindowTextString(notice) + L"/" + ControlText(notice, IDOK), L"テストプリント/中止");
            EXPECT_EQ(GetParent(notice), Page());
            EXPECT_EQ(win::HandleTable::Count(), handles + 3) << "two events and the worker";
            EXPECT_TRUE(GlobalStatus::IsTestPrinting());
        });
        AbortAt(script, Printing);
    });
    Run(script);
    const PrinterJournal journal = PrinterIO::GetJournal();
    EXPECT_EQ(std::tuple(journal.patternsPrinted, journal.patternsCut, journal.testPrintsStopped, journal.aborts),
              std::tuple(0, 1, 1, 1));
    EXPECT_EQ(journal.testMainVersion, "V3.1b build 25") << "nothing after the build number";
}

// A failure while locking shows the printer's message over the notice and
// ends the run as an abort does; one of state 1 ends it without a word.
TEST_F(PrintRunTest, APrinterFailureShowsItsMessageOverTheNoticeAndEndsTheRun)
{
    for (DWORD state : {2u, 1u}) {
        PrinterDevice::Instance().ResetJournal();
        profile.Change([&](InstrumentProfile& p) { p.printer = {L"V2", 0, PrinterFailurePoint::Lock, 0, 2, state}; });
        LeaveNoticeOperator script;
        OpenTab(script);
        Start(script, IDC_BUTTON_TEST_PRINT, IDOK, [&] {
            if (state > 1)
                script.Do(IDD_POPUP, "the failure over the notice", [](HWND popup) {
                    EXPECT_EQ(GetWindowTextString(popup) + L"/" + ControlText(popup, IDC_POPUP_MESSAGE),
                              L"エラー/記録紙がありません。\n記録紙をセットしてください。");
                    EXPECT_EQ(GetParent(popup), FindRunningNotice());
                    win::Tap(FindControl(popup, IDOK));
                });
        });
        Run(script);
        EXPECT_EQ(std::pair(PrinterIO::GetJournal().failures, PrinterIO::GetJournal().aborts), std::pair(1, 1));
    }
}

// The number is taken when the record is confirmed, before the worker
// starts, also when it cannot start; the chart bears the number as it was.
// The notice lives three windows above the page: none in this test.
TEST_F(PrintRunTest, EachConfirmedDataRecordTakesTheNextNumber)
{
    const struct {
        int answer;
        bool threadFails;
        DWORD counterAfter, chart;
    } steps[] = {{IDOK, false, 8, 7}, {IDCANCEL, false, 8, 7}, {IDOK, true, 9, 7}, {IDOK, false, 10, 9}};
    ScriptedOperator script;
    OpenTab(script);
    for (const auto& step : steps) {
        script.Do(IDD_SYSTEM, "thread or not", [&step](HWND) { win::FailThreadCreations(step.threadFails ? 1 : 0); });
        Start(script, IDC_BUTTON_DATA_RECORD, step.answer, [&] {
            if (step.answer == IDOK && !step.threadFails) {
                script.Do(IDD_POPUP, "the notice's window", [](HWND notice) { EXPECT_EQ(GetParent(notice), nullptr); });
                AbortAt(script, Charting);
            }
        });
        script.Do(IDD_SYSTEM, "counted", [&, this](HWND) {
            EXPECT_EQ(std::pair(Counter(), PrinterIO::GetJournal().chartNumber), std::pair(step.counterAfter, step.chart));
        });
    }
    Run(script);
    win::FailThreadCreations(0);
    EXPECT_EQ(PrinterIO::GetJournal().dataChartsStopped, 2);

    host.record.pSysRec1 = nullptr;  // without a recording configuration: chart 0
    ScriptedOperator without;
    OpenTab(without);
    Start(without, IDC_BUTTON_DATA_RECORD, IDOK, [&] { AbortAt(without, Charting); });
    Run(without);
    EXPECT_EQ(PrinterIO::GetJournal().chartNumber, 0u);
}

}  // namespace
