#include "host/devices/PrinterIO.h"

#include "host/InstrumentProfile.h"
#include "win/DebugLog.h"
#include "win/TextConvert.h"

#include <chrono>
#include <string>

namespace {

PrinterDevice& Device()
{
    return PrinterDevice::Instance();
}

constexpr DWORD kStateShown = 2;  // a failure the operator must see

} // namespace

PrinterIO::PrinterIO() = default;

PrinterIO::~PrinterIO()
{
    Device().Unlock(this);
}

bool PrinterIO::InjectedFailure(int point, DWORD& code, DWORD& state) const
{
    const auto profile = InstrumentProfile::Current();
    const PrinterProfile& printer = profile->printer;
    if (static_cast<int>(printer.failAt) != point)
        return false;
    if (printer.failAt == PrinterFailurePoint::Pattern && m_patternsThisRun < printer.failAfterPatterns)
        return false;
    code = printer.failureCode;
    state = printer.failureState;
    return true;
}

BOOL PrinterIO::Fail(DWORD code, DWORD state)
{
    m_lastFailure = PrinterIOException(this, code, state);
    const std::string detail = "code " + std::to_string(code) + ", state " + std::to_string(state) + ": " +
                               win::WideToUtf8(m_lastFailure.GetErrorMessage());
    Device().Update([&](PrinterJournal& journal) {
        ++journal.failures;
        journal.Log("failure", detail);
    });
    if (m_exceptionMask != 0)
        throw m_lastFailure;
    OutputDebugStringW((std::wstring(L"PrinterIO: ") + m_lastFailure.GetErrorMessage() + L"\n").c_str());
    return FALSE;
}

BOOL PrinterIO::Stop()
{
    Device().Stop(this);
    m_patternsThisRun = 0;
    return TRUE;
}

void PrinterIO::EnableException(DWORD mask)
{
    m_exceptionMask = mask;
}

bool PrinterIO::PrinterLock()
{
    DWORD code = 0, state = 0;
    if (InjectedFailure(static_cast<int>(PrinterFailurePoint::Lock), code, state))
        return Fail(code, state) != FALSE;
    if (!Device().Lock(this))
        return Fail(PrinterIOException::CODE_BUSY, kStateShown) != FALSE;
    return true;
}

void PrinterIO::PrinterUnlock()
{
    Device().Unlock(this);
}

BOOL PrinterIO::StartTestPrint(const TESTPRINT_PARAM* param)
{
    if (!param || !Device().IsLockedBy(this))
        return Fail(PrinterIOException::CODE_NOT_READY, kStateShown);
    DWORD code = 0, state = 0;
    if (InjectedFailure(static_cast<int>(PrinterFailurePoint::Start), code, state))
        return Fail(code, state);
    m_patternsThisRun = 0;
    const TESTPRINT_PARAM copy = *param;
    Device().Update([&](PrinterJournal& journal) {
        ++journal.testPrintsStarted;
        journal.testPrintRunning = true;
        journal.testProductId = copy.dwProductID;
        journal.testMainVersion = copy.pszMainVersion ? copy.pszMainVersion : "";
        journal.testPrinterVersion = copy.pszPrinterVersion ? copy.pszPrinterVersion : "";
        journal.Log("test print", "product " + std::to_string(copy.dwProductID) + ", main " + journal.testMainVersion +
                                      ", printer " + journal.testPrinterVersion);
    });
    return TRUE;
}

BOOL PrinterIO::PrintTestPattern()
{
    if (Device().IsAbortRequested())
        return FALSE;
    const PrinterJournal journal = Device().GetJournal();
    if (!journal.testPrintRunning || !Device().IsLockedBy(this))
        return Fail(PrinterIOException::CODE_NOT_READY, kStateShown);
    DWORD code = 0, state = 0;
    if (InjectedFailure(static_cast<int>(PrinterFailurePoint::Pattern), code, state))
        return Fail(code, state);
    const auto duration = std::chrono::milliseconds(InstrumentProfile::Current()->printer.patternMilliseconds);
    if (Device().PrintPattern(duration) == PrinterDevice::PatternOutcome::Cut)
        return FALSE;
    ++m_patternsThisRun;
    return TRUE;
}

BOOL PrinterIO::StopTestPrint()
{
    Device().Update([](PrinterJournal& journal) {
        if (journal.testPrintRunning) {
            ++journal.testPrintsStopped;
            journal.Log("test print stopped");
        }
        journal.testPrintRunning = false;
    });
    Device().Stop(this);
    return TRUE;
}

BOOL PrinterIO::StartDataChartMode(const DATACHART_PARAM* param)
{
    if (!param || !Device().IsLockedBy(this))
        return Fail(PrinterIOException::CODE_NOT_READY, kStateShown);
    DWORD code = 0, state = 0;
    if (InjectedFailure(static_cast<int>(PrinterFailurePoint::DataChart), code, state))
        return Fail(code, state);
    const DATACHART_PARAM copy = *param;
    Device().Update([&](PrinterJournal& journal) {
        ++journal.dataChartsStarted;
        journal.dataChartRunning = true;
        journal.chartNumber = copy.dwChartNo;
        journal.chartProductId = copy.dwProductID;
        journal.chartFlag = copy.dwChartFlag;
        journal.Log("data chart", "No. " + std::to_string(copy.dwChartNo) + ", product " +
                                      std::to_string(copy.dwProductID) + ", flag " + std::to_string(copy.dwChartFlag));
    });
    return TRUE;
}

BOOL PrinterIO::StopDataChartMode()
{
    Device().Update([](PrinterJournal& journal) {
        if (journal.dataChartRunning) {
            ++journal.dataChartsStopped;
            journal.Log("data chart stopped");
        }
        journal.dataChartRunning = false;
    });
    Device().Stop(this);
    return TRUE;
}

BOOL PrinterIO::IsAbort()
{
    return Device().IsAbortRequested() ? TRUE : FALSE;
}

void PrinterIO::AbortPrint()
{
    Device().RequestAbort();
}

BOOL PrinterIO::ChangePageAnnotations(int line, LPCWSTR text)
{
    if (line < 0 || line >= PrinterJournal::kAnnotationLines)
        return FALSE;
    const std::wstring value = text ? text : L"";
    Device().Update([&](PrinterJournal& journal) {
        journal.annotations[static_cast<std::size_t>(line)] = value;
        ++journal.annotationChanges;
    });
    return TRUE;
}

LPCWSTR PrinterIO::GetPrinterVersion(bool full)
{
    m_version = InstrumentProfile::Current()->printer.version;
    if (!full) {
        const auto blank = m_version.find(L' ');
        if (blank != std::wstring::npos)
            m_version.erase(blank);
    }
    return m_version.c_str();
}
