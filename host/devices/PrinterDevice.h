// The simulated printer that every PrinterIO object drives: who holds it,
// whether an abort is under way, what it is doing, and a journal of what it
// printed for the simulator and tests. All of it is guarded by one mutex;
// a pattern in progress waits on a condition that an abort wakes.
#pragma once

#include "win/Win32Types.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One line of the printer's log: what it did, in the order it did it.
struct PrinterLogEntry {
    std::uint64_t number = 0;        // 1 for the first entry since the journal began
    std::int64_t milliseconds = 0;   // since the printer's first entry
    std::string what;                // "test print", "pattern", "pattern cut", "abort", ...
    std::string detail;
};

struct PrinterJournal {
    static constexpr int kAnnotationLines = 108;
    static constexpr std::size_t kLogEntries = 200;  // the newest entries are kept

    int stops = 0;
    int locks = 0;
    int aborts = 0;              // abort requests
    int failures = 0;            // failures raised or reported
    int testPrintsStarted = 0;
    int testPrintsStopped = 0;
    int patternsPrinted = 0;     // completed patterns
    int patternsCut = 0;         // patterns cut short by an abort
    bool patternInProgress = false;
    bool testPrintRunning = false;
    bool dataChartRunning = false;
    int dataChartsStarted = 0;
    int dataChartsStopped = 0;
    DWORD testProductId = 0;     // from the last TESTPRINT_PARAM
    std::string testMainVersion;
    std::string testPrinterVersion;
    DWORD chartNumber = 0;       // from the last DATACHART_PARAM
    DWORD chartProductId = 0;
    DWORD chartFlag = 0;
    int annotationChanges = 0;
    std::vector<std::wstring> annotations = std::vector<std::wstring>(kAnnotationLines);
    std::deque<PrinterLogEntry> log;
    std::uint64_t logged = 0;    // entries ever logged

    void Log(std::string what, std::string detail = {});
};

class PrinterDevice {
public:
    enum class PatternOutcome { Printed, Cut };

    static PrinterDevice& Instance();

    bool Lock(const void* owner);        // false while another owner holds it
    void Unlock(const void* owner);      // only the owner's unlock counts
    bool IsLockedBy(const void* owner);

    void RequestAbort();
    bool IsAbortRequested();

    // Ends the run modes unless another owner holds the printer; always
    // clears the abort.
    void Stop(const void* caller);

    // Runs one test pattern of the given duration; an abort cuts it short.
    PatternOutcome PrintPattern(std::chrono::milliseconds duration);

    // Changes the journal under the lock and wakes waiters.
    void Update(const std::function<void(PrinterJournal&)>& change);
    PrinterJournal GetJournal();
    void ResetJournal();
    // Waits until the journal satisfies `condition`; false on time-out.
    bool WaitFor(const std::function<bool(const PrinterJournal&)>& condition, std::chrono::milliseconds timeout);

private:
    PrinterDevice() = default;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const void* m_owner = nullptr;
    bool m_abort = false;
    PrinterJournal m_journal;
};
