#include "host/devices/GlobalStatus.h"
#include "host/devices/PrinterIO.h"

#include "host/CurrentProfileScope_test.h"
#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A watchdog for waits on another thread, not a measured time.
constexpr auto kWatchdog = 20s;

class PrinterIOTest : public ::testing::Test {
protected:
    void SetUp() override { PrinterDevice::Instance().ResetJournal(); }

    void UsePrinter(PrinterFailurePoint failAt, int failAfter = 0, int patternMs = 0)
    {
        scope.reset();  // the previous scope puts its profile back first
        scope = std::make_unique<CurrentProfileScope>([=](InstrumentProfile& p) {
            p.printer.failAt = failAt;
            p.printer.failAfterPatterns = failAfter;
            p.printer.patternMilliseconds = patternMs;
            p.printer.failureCode = PrinterIOException::CODE_PAPER_OUT;
            p.printer.failureState = 3;
            p.printer.version = L"V2.10 (BOOT V1.02)";
        });
    }

    std::unique_ptr<CurrentProfileScope> scope;
};

TESTPRINT_PARAM TestParam()
{
    TESTPRINT_PARAM param;
    param.dwProductID = 1234;
    param.pszMainVersion = "V3.1b build 25";
    param.pszPrinterVersion = "V2.10";
    return param;
}

} // namespace

TEST_F(PrinterIOTest, TestPrintAndDataChartRecordWhatTheyPrinted)
{
    UsePrinter(PrinterFailurePoint::None);
    PrinterIO printer;
    printer.Stop();
    printer.EnableException(0xFFFF);
    ASSERT_TRUE(printer.PrinterLock());
    EXPECT_TRUE(printer.StartTestPrint(TestParam()));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(printer.PrintTestPattern());
    printer.EnableException(0);
    printer.StopTestPrint();
    DATACHART_PARAM chart{41, 5801234, 1};
    ASSERT_TRUE(printer.StartDataChartMode(&chart));
    EXPECT_TRUE(PrinterIO::GetJournal().dataChartRunning);
    printer.StopDataChartMode();
    printer.PrinterUnlock();

    const PrinterJournal j = PrinterIO::GetJournal();
    EXPECT_EQ(std::make_tuple(j.patternsPrinted, j.testPrintsStarted, j.testPrintsStopped, j.failures),
              std::make_tuple(3, 1, 1, 0));
    EXPECT_FALSE(j.testPrintRunning || j.dataChartRunning);
    EXPECT_EQ(j.testProductId, 1234u);
    EXPECT_EQ(j.testMainVersion + " / " + j.testPrinterVersion, "V3.1b build 25 / V2.10");
    EXPECT_EQ(std::make_tuple(j.chartNumber, j.chartProductId, j.chartFlag, j.dataChartsStopped),
              std::make_tuple(41u, 5801234u, 1u, 1));

    std::vector<std::string> log;
    for (const PrinterLogEntry& entry : j.log)
        log.push_back(entry.what + (entry.detail.empty() ? "" : ": " + entry.detail));
    EXPECT_EQ(log, (std::vector<std::string>{"test print: product 1234, main V3.1b build 25, printer V2.10",
                                             "pattern: 1", "pattern: 2", "pattern: 3", "test print stopped",
                                             "data chart: No. 41, product 5801234, flag 1", "data chart stopped"}));
}

TEST_F(PrinterIOTest, AbortFromAnotherThreadEndsThePatternInProgressAndRefusesTheNext)
{
    // A pattern would take a minute; only the abort can end it in time.
    UsePrinter(PrinterFailurePoint::None, 0, 60000);
    std::atomic<bool> stop{false};
    std::atomic<int> printed{0};
    std::thread worker([&] {
        PrinterIO printer;
        printer.Stop();
        printer.EnableException(0xFFFF);
        const bool locked = printer.PrinterLock();
        printer.StartTestPrint(TestParam());
        while (!stop)
            printed += printer.PrintTestPattern() ? 1 : 0;
        printer.EnableException(0);
        printer.StopTestPrint();
        if (locked)
            printer.PrinterUnlock();
    });
    ASSERT_TRUE(PrinterDevice::Instance().WaitFor([](const PrinterJournal& j) { return j.patternInProgress; },
                                                  kWatchdog));
    PrinterIO own;
    EXPECT_FALSE(own.IsAbort());
    own.AbortPrint();
    EXPECT_TRUE(own.IsAbort());
    stop = true;
    worker.join();

    const PrinterJournal j = PrinterIO::GetJournal();
    EXPECT_EQ(std::make_tuple(printed.load(), j.patternsPrinted, j.patternsCut, j.aborts, j.testPrintsStopped),
              std::make_tuple(0, 0, 1, 1, 1));
    // Stopping the run ended the abort and freed the printer. A pattern asked
    // for while an abort is under way is refused, and that is no failure.
    EXPECT_FALSE(own.IsAbort());
    ASSERT_TRUE(own.PrinterLock());
    ASSERT_TRUE(own.StartTestPrint(TestParam()));
    own.AbortPrint();
    own.EnableException(0xFFFF);
    EXPECT_FALSE(own.PrintTestPattern());
    EXPECT_EQ(PrinterIO::GetJournal().patternsPrinted, 0);
    own.Stop();
    EXPECT_FALSE(own.IsAbort());
}

// With exceptions on, a failure is raised with its state and message; with
// them off, it is returned, logged and kept as the last failure.
TEST_F(PrinterIOTest, InjectedLockFailureIsRaisedOrReturned)
{
    UsePrinter(PrinterFailurePoint::Lock);
    win::DebugLog::Clear();
    PrinterIO printer;
    printer.EnableException(0xFFFF);
    try {
        printer.PrinterLock();
        ADD_FAILURE() << "no exception";
    } catch (const PrinterIOException& failure) {
        EXPECT_EQ(failure.GetPrinter(), &printer);
        EXPECT_EQ(failure.GetCode(), DWORD(PrinterIOException::CODE_PAPER_OUT));
        EXPECT_EQ(failure.GetState(), 3u);
        EXPECT_STREQ(failure.GetErrorMessage(), L"記録紙がありません。\n記録紙をセットしてください。");
    }
    printer.EnableException(0);
    EXPECT_FALSE(printer.PrinterLock());
    EXPECT_EQ(printer.GetLastFailure().GetState(), 3u);
    EXPECT_TRUE(win::DebugLog::Contains(L"PrinterIO: 記録紙がありません。"));
    EXPECT_EQ(PrinterIO::GetJournal().failures, 2);
    EXPECT_EQ(PrinterIO::GetJournal().log.back().detail, "code 2, state 3: 記録紙がありません。\n記録紙をセットしてください。");
    PrinterIO other;  // nothing was locked
    EXPECT_TRUE(PrinterDevice::Instance().Lock(&other));
    PrinterDevice::Instance().Unlock(&other);
}

TEST_F(PrinterIOTest, InjectedFailuresComeWhereTheProfileSays)
{
    UsePrinter(PrinterFailurePoint::Pattern, 2);
    PrinterIO printer;
    printer.Stop();
    printer.EnableException(0xFFFF);
    ASSERT_TRUE(printer.PrinterLock());
    ASSERT_TRUE(printer.StartTestPrint(TestParam()));
    EXPECT_TRUE(printer.PrintTestPattern() && printer.PrintTestPattern());
    EXPECT_THROW(printer.PrintTestPattern(), PrinterIOException);
    EXPECT_EQ(PrinterIO::GetJournal().patternsPrinted, 2);
    ASSERT_TRUE(printer.StartTestPrint(TestParam()));
    EXPECT_TRUE(printer.PrintTestPattern()) << "a new run counts its patterns afresh";

    UsePrinter(PrinterFailurePoint::Start);
    printer.StopTestPrint();
    EXPECT_THROW(printer.StartTestPrint(TestParam()), PrinterIOException);
    EXPECT_FALSE(PrinterIO::GetJournal().testPrintRunning);
    DATACHART_PARAM chart{7, 1234, 1};
    EXPECT_TRUE(printer.StartDataChartMode(chart));
    UsePrinter(PrinterFailurePoint::DataChart);
    EXPECT_THROW(printer.StartDataChartMode(chart), PrinterIOException);
}

TEST_F(PrinterIOTest, UseOutOfOrderFails)
{
    UsePrinter(PrinterFailurePoint::None);
    PrinterIO holder;
    ASSERT_TRUE(holder.PrinterLock());
    PrinterIO other;
    other.EnableException(0xFFFF);
    try {
        other.PrinterLock();
        ADD_FAILURE() << "locked twice";
    } catch (const PrinterIOException& busy) {
        EXPECT_EQ(busy.GetCode(), DWORD(PrinterIOException::CODE_BUSY));
        EXPECT_GT(busy.GetState(), 1u);
    }
    EXPECT_THROW(other.StartTestPrint(TestParam()), PrinterIOException);  // not locked by it
    holder.EnableException(0xFFFF);
    EXPECT_THROW(holder.PrintTestPattern(), PrinterIOException);          // no test print started
    EXPECT_THROW(holder.StartTestPrint(nullptr), PrinterIOException);
    holder.PrinterUnlock();
    {
        PrinterIO forgetful;
        ASSERT_TRUE(forgetful.PrinterLock());
    }
    // The object that went away released the printer.
    EXPECT_TRUE(other.PrinterLock());
}

TEST_F(PrinterIOTest, ExceptionCarriesThreeDataWordsAfterItsTable)
{
    PrinterIO printer;
    const PrinterIOException failure(&printer, PrinterIOException::CODE_HEAD_UP, 7);
    EXPECT_EQ(sizeof(PrinterIOException), sizeof(void*) + sizeof(void*) + 2 * sizeof(DWORD));
    DWORD state = 0;
    std::memcpy(&state, reinterpret_cast<const BYTE*>(&failure) + 2 * sizeof(void*) + sizeof(DWORD), sizeof state);
    EXPECT_EQ(state, 7u);
    const RAException& base = failure;
    EXPECT_STREQ(base.GetErrorMessage(), L"プリンタヘッドが上がっています。");
    EXPECT_STREQ(PrinterIOException(nullptr, 999, 2).GetErrorMessage(), L"プリンタエラーが発生しました。");
}

// What the lines say and how many were sent is checked by the print page.
TEST_F(PrinterIOTest, PageAnnotationLinesAndVersion)
{
    UsePrinter(PrinterFailurePoint::None);
    PrinterIO printer;
    EXPECT_TRUE(printer.ChangePageAnnotations(107, L"last") && printer.ChangePageAnnotations(107, nullptr));
    EXPECT_FALSE(printer.ChangePageAnnotations(108, L"x") || printer.ChangePageAnnotations(-1, L"x"));
    EXPECT_EQ(PrinterIO::GetJournal().annotations[107], L"");
    EXPECT_STREQ(printer.GetPrinterVersion(true), L"V2.10 (BOOT V1.02)");
    EXPECT_STREQ(printer.GetPrinterVersion(false), L"V2.10");
}

TEST(GlobalStatus, RunsNestAndUnbalancedEndsAreIgnored)
{
    const int starts = GlobalStatus::GetTestPrintStarts();
    GlobalStatus::StartTestPrint();
    GlobalStatus::StartTestPrint();
    GlobalStatus::EndTestPrint();
    EXPECT_TRUE(GlobalStatus::IsTestPrinting() && !GlobalStatus::IsDataPrinting());
    GlobalStatus::EndTestPrint();
    EXPECT_FALSE(GlobalStatus::IsTestPrinting());
    EXPECT_EQ(GlobalStatus::GetTestPrintStarts(), starts + 2);

    win::DebugLog::Clear();
    GlobalStatus::EndDataPrint();
    EXPECT_TRUE(win::DebugLog::Contains(L"EndDataPrint without start"));
    GlobalStatus::StartDataPrint();
    EXPECT_TRUE(GlobalStatus::IsDataPrinting());
    GlobalStatus::EndDataPrint();
    EXPECT_FALSE(GlobalStatus::IsDataPrinting());
}
