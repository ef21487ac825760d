// The test print and the data record, operated from the maintenance page:
// the question, the running notice, the printer's failures and aborts,
// and what the host and the printer see.
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "host/devices/GlobalStatus.h"
#include "win/WinThread.h"

#include <tuple>

namespace {

using namespace maintenance_test;

const std::wstring kTestPrintQuestion =
    L"プリンタの印字品質をチェックできます。\n「実行」ボタンを押すとテスト印字を\n開始します。";
const std::wstring kDataRecordQuestion =
    L"アンプメンテナンス用の記録フォームです。\nデジタル値を記録紙に印字します。";

struct PrintKind {
    const char* name;
    int button;
    std::wstring caption;
    std::wstring question;
};
const PrintKind kTestPrint{"test print", IDC_BUTTON_TEST_PRINT, L"テストプリント", kTestPrintQuestion};
const PrintKind kDataRecord{"data record", IDC_BUTTON_DATA_RECORD, L"データ記録", kDataRecordQuestion};

std::string LogAfterAbort(const PrinterJournal& journal)
{
    std::string after;
    bool aborted = false;
    for (const PrinterLogEntry& entry : journal.log) {
        if (aborted)
            after += (after.empty() ? "" : ", ") + entry.what;
        aborted = aborted || entry.what == "abort";
    }
    return after;
}

class PrintRunTest : public MaintenanceTest {
protected:
    PrintRunTest()
    {
        // A pattern takes a minute: only an abort ends it while a test looks.
        profile.Change([](InstrumentProfile& p) {
            p.printer.patternMilliseconds = 60000;
            p.productId = 1234;
            p.mainProgram = {3, 1, 2, 25, L"abc"};
        });
        auto params = std::make_unique<CONFIG_SYSREC::PARAMS>(host.sysRec1->GetParams());
        params->dwDataRecordCounter = 7;
        host.sysRec1->SetParams(*params);
    }

    DWORD Counter() const { return host.sysRec1->GetParams().dwDataRecordCounter; }

    static void Start(ScriptedOperator& script, const PrintKind& run, int answer = IDOK)
    {
        script.Tap(IDD_SYSTEM, run.button);
        AnswerPopup(script, run.caption, run.question, answer);
    }

    // The run has ended: its handles are closed and the printer is free.
    void ExpectEnded(ScriptedOperator& script)
    {
        script.Do(IDD_SYSTEM, "the run has ended", [this](HWND) {
            EXPECT_EQ(win::HandleTable::Count(), handles) << "events and thread closed";
            EXPECT_FALSE(GlobalStatus::IsTestPrinting() || GlobalStatus::IsDataPrinting());
            EXPECT_EQ(FindRunningNotice(), nullptr);
            const PrinterJournal journal = PrinterIO::GetJournal();
            EXPECT_FALSE(journal.testPrintRunning || journal.dataChartRunning || journal.patternInProgress);
            int other = 0;
            EXPECT_TRUE(PrinterDevice::Instance().Lock(&other)) << "the worker let go of the printer";
            PrinterDevice::Instance().Unlock(&other);
        });
    }
};

TEST_F(PrintRunTest, DecliningStartsNoThreadNoEventAndNoRun)
{
    for (const PrintKind& run : {kTestPrint, kDataRecord}) {
        SCOPED_TRACE(run.name);
        PrinterDevice::Instance().ResetJournal();
        const int testPrints = GlobalStatus::GetTestPrintStarts(), dataPrints = GlobalStatus::GetDataPrintStarts();
        ScriptedOperator script;
        OpenTab(script);
        CountHandles(script);
        Start(script, run, IDCANCEL);
        ExpectEnded(script);
        Run(script);
        EXPECT_EQ(std::tuple(GlobalStatus::GetTestPrintStarts(), GlobalStatus::GetDataPrintStarts()),
                  std::tuple(testPrints, dataPrints));
        const PrinterJournal journal = PrinterIO::GetJournal();
        EXPECT_EQ(journal.stops + journal.aborts, 0) << "no worker touched the printer";
        EXPECT_EQ(Counter(), 7u);
        EXPECT_TRUE(receiver.Requests().empty());
    }
}

// The notice's button ends the wait; the pattern in progress is cut and no
// other follows; the worker stops the test print, lets go of the printer
// and is joined before the handler returns.
TEST_F(PrintRunTest, TheNoticesButtonAbortsStopsAndJoinsTheTestPrint)
{
    const int starts = GlobalStatus::GetTestPrintStarts();
    ScriptedOperator script;
    OpenTab(script);
    CountHandles(script);
    Start(script, kTestPrint);
    script.Do(IDD_POPUP, "the running notice while a pattern prints", [this](HWND notice) {
        EXPECT_EQ(GetWindowTextString(notice), L"テストプリント");
        EXPECT_EQ(ControlText(notice, IDC_POPUP_MESSAGE), kNoticeMessage);
        EXPECT_EQ(ControlText(notice, IDOK), L"中止");
        EXPECT_EQ(GetParent(notice), Page());
        AwaitPrinter([](const PrinterJournal& j) { return j.patternInProgress; }, "printed");
        EXPECT_TRUE(GlobalStatus::IsTestPrinting());
        EXPECT_EQ(win::HandleTable::Count(), handles + 3) << "two events and the worker";
        win::Tap(FindControl(notice, IDOK));
    });
    ExpectEnded(script);
    Run(script);

    const PrinterJournal journal = PrinterIO::GetJournal();
    EXPECT_EQ(std::tuple(journal.patternsPrinted, journal.patternsCut, journal.testPrintsStarted,
                         journal.testPrintsStopped, journal.aborts, journal.failures),
              std::tuple(0, 1, 1, 1, 1, 0));
    EXPECT_EQ(LogAfterAbort(journal), "pattern cut, test print stopped");
    EXPECT_EQ(journal.testProductId, 1234u);
    EXPECT_EQ(journal.testMainVersion, "V3.1b build 25") << "nothing after the build number";
    EXPECT_EQ(journal.testPrinterVersion, "V2.10 (BOOT V1.02)");
    EXPECT_EQ(GlobalStatus::GetTestPrintStarts(), starts + 1);
    EXPECT_TRUE(receiver.Requests().empty());
}

// A failure is shown with the printer's own message over the notice; the
// run then ends as an abort does. A failure whose state is 0 or 1 ends the
// run without a word.
TEST_F(PrintRunTest, PrinterFailuresShowTheirMessageOverTheNoticeAndEndTheRun)
{
    struct Case {
        const char* name;
        const PrintKind& kind;
        PrinterFailurePoint at;
        int after;
        DWORD code, state;
        const wchar_t* shown;  // null: no popup
        int patterns;
    };
    const Case cases[] = {
        {"locking", kTestPrint, PrinterFailurePoint::Lock, 0, 2, 2, L"記録紙がありません。\n記録紙をセットしてください。", 0},
        {"starting", kTestPrint, PrinterFailurePoint::Start, 0, 3, 3, L"プリンタヘッドが上がっています。", 0},
        {"third pattern", kTestPrint, PrinterFailurePoint::Pattern, 2, 5, 2, L"プリンタが応答しません。", 2},
        {"quiet state", kTestPrint, PrinterFailurePoint::Lock, 0, 2, 1, nullptr, 0},
        {"data chart", kDataRecord, PrinterFailurePoint::DataChart, 0, 4, 2, L"プリンタヘッドの温度が異常です。", 0},
        {"data record lock", kDataRecord, PrinterFailurePoint::Lock, 0, 1, 2, L"プリンタは使用中です。", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrinterDevice::Instance().ResetJournal();
        profile.Change([&](InstrumentProfile& p) {
            p.printer = PrinterProfile{L"V2.10", 0, c.at, c.after, c.code, c.state};
        });
        PrintRunOperator script;
        script.leaveNotice = true;
        OpenTab(script);
        CountHandles(script);
        Start(script, c.kind);
        if (c.shown)
            script.Do(IDD_POPUP, "the failure over the notice", [&](HWND popup) {
                EXPECT_EQ(GetWindowTextString(popup), L"エラー");
                EXPECT_EQ(ControlText(popup, IDC_POPUP_MESSAGE), c.shown);
                EXPECT_EQ(GetParent(popup), FindRunningNotice());
                EXPECT_FALSE(IsWindowEnabled(FindRunningNotice())) << "the notice waits behind it";
                win::Tap(FindControl(popup, IDOK));
            });
        ExpectEnded(script);
        Run(script);

        const PrinterJournal journal = PrinterIO::GetJournal();
        EXPECT_EQ(std::tuple(journal.failures, journal.aborts, journal.patternsPrinted),
                  std::tuple(1, 1, c.patterns));
        EXPECT_EQ(journal.testPrintsStarted, c.at == PrinterFailurePoint::Pattern ? 1 : 0);
    }
}

// Another part of the instrument can abort the printer: the page sees it
// through its own printer object and ends the run.
TEST_F(PrintRunTest, APrinterAbortedElsewhereEndsTheRun)
{
    PrintRunOperator script;
    script.leaveNotice = true;
    script.atNotice = [](HWND) {
        AwaitPrinter([](const PrinterJournal& j) { return j.patternInProgress; }, "printed");
        PrinterIO().AbortPrint();
    };
    OpenTab(script);
    CountHandles(script);
    Start(script, kTestPrint);
    ExpectEnded(script);
    Run(script);
    const PrinterJournal journal = PrinterIO::GetJournal();
    EXPECT_EQ(std::tuple(journal.patternsCut, journal.testPrintsStopped, journal.aborts), std::tuple(1, 1, 2));
}

// The counter is consumed when the record is confirmed, before the worker
// starts, and also when the worker cannot start; the chart is numbered with
// the counter as it was. The notice lives in the window three steps above
// the page.
TEST_F(PrintRunTest, EachConfirmedDataRecordTakesTheNextNumber)
{
    CWnd owner;
    ASSERT_TRUE(MakeOwner(owner));
    struct Step {
        const char* name;
        int answer;
        bool threadFails;
        DWORD counterAfter, chartsStarted;
    };
    const Step steps[] = {{"printed", IDOK, false, 8, 1},
                          {"declined", IDCANCEL, false, 8, 1},
                          {"no thread", IDOK, true, 9, 1},
                          {"printed again", IDOK, false, 10, 2}};
    PrintRunOperator script;
    OpenTab(script);
    for (const Step& step : steps) {
        CountHandles(script);
        script.Do(IDD_SYSTEM, step.name, [&step](HWND) { win::FailThreadCreations(step.threadFails ? 1 : 0); });
        Start(script, kDataRecord, step.answer);
        if (step.answer == IDOK && !step.threadFails)
            script.Do(IDD_POPUP, "the notice while the chart runs", [&, this](HWND notice) {
                EXPECT_EQ(GetWindowTextString(notice), L"データ記録");
                EXPECT_EQ(GetParent(notice), owner.GetSafeHwnd());
                AwaitPrinter([](const PrinterJournal& j) { return j.dataChartRunning; }, "started the chart");
                EXPECT_EQ(Counter(), step.counterAfter) << "taken before the worker started";
                EXPECT_EQ(PrinterIO::GetJournal().chartNumber, step.counterAfter - 1);
                EXPECT_TRUE(GlobalStatus::IsDataPrinting());
                win::Tap(FindControl(notice, IDOK));
            });
        ExpectEnded(script);
        script.Do(IDD_SYSTEM, "counted", [&, this](HWND) {
            EXPECT_EQ(Counter(), step.counterAfter) << step.name;
            const PrinterJournal journal = PrinterIO::GetJournal();
            EXPECT_EQ(std::tuple(journal.dataChartsStarted, journal.dataChartsStopped, journal.chartFlag),
                      std::tuple(static_cast<int>(step.chartsStarted), static_cast<int>(step.chartsStarted), 1u))
                << step.name;
            EXPECT_EQ(journal.chartProductId, 1234u);
        });
    }
    Run(script, &owner);
    win::FailThreadCreations(0);
    owner.DestroyWindow();
}

// Without a recording configuration the chart is numbered 0 and nothing is
// written back.
TEST_F(PrintRunTest, ADataRecordWithoutRecordingConfigurationPrintsChartZero)
{
    host.record.pSysRec1 = nullptr;
    ScriptedOperator script;
    OpenTab(script);
    CountHandles(script);
    Start(script, kDataRecord);
    script.Do(IDD_POPUP, "the notice", [](HWND notice) {
        AwaitPrinter([](const PrinterJournal& j) { return j.dataChartRunning; }, "started the chart");
        win::Tap(FindControl(notice, IDOK));
    });
    ExpectEnded(script);
    Run(script);
    EXPECT_EQ(PrinterIO::GetJournal().chartNumber, 0u);
    EXPECT_EQ(Counter(), 7u);
}

}  // namespace
