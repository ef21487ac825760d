#include "pages/maintenance/PrinterWorkers.h"

#include "host/Product.h"
#include "host/devices/PrinterIO.h"
#include "pages/maintenance/VersionReport.h"
#include "win/Handles.h"
#include "win/Sync.h"
#include "win/TextConvert.h"
#include "win/Window.h"

#include <string>

namespace {

// Printer failures are raised while this mask is set.
constexpr DWORD kAllFailures = 0xFFFF;

// Hands a caught failure to the user-interface thread, then waits until that
// thread ends the run.
void ReportFailure(PrinterIOException& failure, HANDLE errorEvent, HANDLE stopEvent, const PrinterIOException& caught)
{
    failure = caught;
    SetEvent(errorEvent);
    WaitForSingleObject(stopEvent, INFINITE);
}

}  // namespace

UINT TestPrintThread(LPVOID param)
{
    auto* context = static_cast<TESTPRINT_CONTEXT*>(param);
    PrinterIO printer;
    // The printer prints these texts on the pattern; they must outlive the run.
    const std::string mainVersion = win::WideToUtf8(VersionReport::MainProgram(false).GetString());
    const std::string printerVersion = win::WideToUtf8(printer.GetPrinterVersion(true));
    TESTPRINT_PARAM pattern;
    pattern.dwProductID = GetMachineID();
    pattern.pszMainVersion = mainVersion.c_str();
    pattern.pszPrinterVersion = printerVersion.c_str();

    printer.Stop();
    printer.EnableException(kAllFailures);
    bool locked = false;
    try {
        locked = printer.PrinterLock();
        printer.StartTestPrint(&pattern);
        while (WaitForSingleObject(context->hStopEvent, 0) == WAIT_TIMEOUT)
            printer.PrintTestPattern();
    } catch (const PrinterIOException& caught) {
        ReportFailure(context->failure, context->hErrorEvent, context->hStopEvent, caught);
    }
    printer.EnableException(0);
    printer.StopTestPrint();
    if (locked)
        printer.PrinterUnlock();
    return 0;
}

UINT DataChartThread(LPVOID param)
{
    auto* context = static_cast<DATACHART_CONTEXT*>(param);
    PrinterIO printer;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's message queue

    printer.Stop();
    printer.EnableException(kAllFailures);
    bool locked = false;
    try {
        DATACHART_PARAM chart;
        chart.dwChartNo = context->dwChartNo;
        chart.dwProductID = GetMachineID();
        chart.dwChartFlag = context->dwChartFlag;
        locked = printer.PrinterLock();
        printer.StartDataChartMode(&chart);
    } catch (const PrinterIOException& caught) {
        ReportFailure(context->failure, context->hErrorEvent, context->hStopEvent, caught);
    }
    printer.EnableException(0);
    WaitForSingleObject(context->hStopEvent, INFINITE);
    printer.StopDataChartMode();
    if (locked)
        printer.PrinterUnlock();
    return 0;
}
