#include "host/devices/PrinterDevice.h"

void PrinterJournal::Log(std::string what, std::string detail)
{
    using namespace std::chrono;
    static const steady_clock::time_point first = steady_clock::now();
    PrinterLogEntry entry;
    entry.number = ++logged;
    entry.milliseconds = duration_cast<milliseconds>(steady_clock::now() - first).count();
    entry.what = std::move(what);
    entry.detail = std::move(detail);
    log.push_back(std::move(entry));
    if (log.size() > kLogEntries)
        log.pop_front();
}

PrinterDevice& PrinterDevice::Instance()
{
    static PrinterDevice device;
    return device;
}

bool PrinterDevice::Lock(const void* owner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_owner && m_owner != owner)
        return false;
    m_owner = owner;
    ++m_journal.locks;
    m_changed.notify_all();
    return true;
}

void PrinterDevice::Unlock(const void* owner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_owner == owner)
        m_owner = nullptr;
    m_changed.notify_all();
}

bool PrinterDevice::IsLockedBy(const void* owner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_owner == owner;
}

void PrinterDevice::RequestAbort()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abort = true;
    ++m_journal.aborts;
    m_journal.Log("abort");
    m_changed.notify_all();
}

bool PrinterDevice::IsAbortRequested()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_abort;
}

void PrinterDevice::Stop(const void* caller)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abort = false;
    ++m_journal.stops;
    if (!m_owner || m_owner == caller) {
        m_journal.testPrintRunning = false;
        m_journal.dataChartRunning = false;
    }
    m_changed.notify_all();
}

PrinterDevice::PatternOutcome PrinterDevice::PrintPattern(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_journal.patternInProgress = true;
    m_changed.notify_all();
    const bool aborted = m_changed.wait_for(lock, duration, [this] { return m_abort; });
    m_journal.patternInProgress = false;
    if (aborted) {
        ++m_journal.patternsCut;
        m_journal.Log("pattern cut");
    } else {
        ++m_journal.patternsPrinted;
        m_journal.Log("pattern", std::to_string(m_journal.patternsPrinted));
    }
    m_changed.notify_all();
    return aborted ? PatternOutcome::Cut : PatternOutcome::Printed;
}

void PrinterDevice::Update(const std::function<void(PrinterJournal&)>& change)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_journal);
    m_changed.notify_all();
}

PrinterJournal PrinterDevice::GetJournal()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_journal;
}

void PrinterDevice::ResetJournal()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_journal = PrinterJournal{};
    m_changed.notify_all();
}

bool PrinterDevice::WaitFor(const std::function<bool(const PrinterJournal&)>& condition,
                            std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return condition(m_journal); });
}
