// A printer object. Any number may exist, on any threads; they all drive
// the one simulated printer (PrinterDevice). PrinterLock gives one object
// exclusive use; AbortPrint from any object ends the run in progress: a
// test pattern being printed is cut short and further patterns are refused
// until the printer is stopped again.
//
// Failures: while the exception mask is non-zero (EnableException), a
// failing operation of this object throws PrinterIOException; with mask 0
// it returns FALSE and keeps the failure for GetLastFailure. Failures come
// from the instrument profile (printer.fail_at and friends: the lock, the
// start of a test print or data chart, or the n-th pattern of a run) and
// from use out of order (another object holds the printer, a pattern
// without a started test print).
//
// Timing: one test pattern takes printer.pattern_ms of the profile.
#pragma once

#include "host/devices/PrinterDevice.h"
#include "host/devices/PrinterIOException.h"
#include "host/devices/PrinterParams.h"

#include <string>

class PrinterIO {
public:
    PrinterIO();
    ~PrinterIO();  // releases the printer if this object still holds it
    PrinterIO(const PrinterIO&) = delete;
    PrinterIO& operator=(const PrinterIO&) = delete;

    // Brings the printer to rest before a run: clears an abort and ends
    // the run modes (unless another object holds the printer).
    BOOL Stop();
    void EnableException(DWORD mask);

    bool PrinterLock();
    void PrinterUnlock();

    BOOL StartTestPrint(const TESTPRINT_PARAM* param);
    BOOL StartTestPrint(const TESTPRINT_PARAM& param) { return StartTestPrint(&param); }
    // One test pattern. FALSE without a failure when an abort is under way.
    BOOL PrintTestPattern();
    BOOL StopTestPrint();

    BOOL StartDataChartMode(const DATACHART_PARAM* param);
    BOOL StartDataChartMode(const DATACHART_PARAM& param) { return StartDataChartMode(&param); }
    BOOL StopDataChartMode();

    BOOL IsAbort();
    void AbortPrint();

    // Page-annotation line 0 to 107.
    BOOL ChangePageAnnotations(int line, LPCWSTR text);

    // The firmware's version text; `full` adds the boot loader's part.
    // Valid until the next call on this object.
    LPCWSTR GetPrinterVersion(bool full);

    // The failure of the last failing operation with exceptions off.
    const PrinterIOException& GetLastFailure() const { return m_lastFailure; }

    // The journal of the printer all objects share.
    static PrinterJournal GetJournal() { return PrinterDevice::Instance().GetJournal(); }

private:
    // Raises or records a failure; always returns FALSE.
    BOOL Fail(DWORD code, DWORD state);
    bool InjectedFailure(int point, DWORD& code, DWORD& state) const;

    DWORD m_exceptionMask = 0;
    int m_patternsThisRun = 0;
    PrinterIOException m_lastFailure{nullptr};
    std::wstring m_version;
};
