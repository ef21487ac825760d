// The printer workers of the test print and the data record, and the
// contexts they share with the user-interface thread.
//
// The user-interface thread fills a context before it resumes the worker
// and owns it for the whole run. After that the worker writes only the
// failure (before it sets the error event); the stop event is set by the
// user-interface thread alone. A worker never ends by itself: it waits for
// the stop event, also after a failure.
#pragma once

#include "host/devices/PrinterIOException.h"
#include "win/Win32Types.h"

struct TESTPRINT_CONTEXT {
    HANDLE hStopEvent = nullptr;    // manual reset; set to end the worker
    HANDLE hErrorEvent = nullptr;   // manual reset; set by the worker after a failure
    PrinterIOException failure{nullptr};
};

struct DATACHART_CONTEXT {
    HANDLE hStopEvent = nullptr;
    DWORD dwChartNo = 0;            // the data-record counter before this record
    DWORD dwChartFlag = 0;          // 1: the amplifier-maintenance chart
    HANDLE hErrorEvent = nullptr;
    PrinterIOException failure{nullptr};
};

// Prints the test pattern until the stop event is set. The context is a
// TESTPRINT_CONTEXT. Returns 0.
UINT TestPrintThread(LPVOID context);
// Puts the printer into the data-chart mode until the stop event is set.
// The context is a DATACHART_CONTEXT. Returns 0.
UINT DataChartThread(LPVOID context);
