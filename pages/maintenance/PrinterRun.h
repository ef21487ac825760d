// The user-interface side of a test print or data record once the run is
// announced and its context filled: the worker is started suspended, the
// running notice shows, and the thread waits in a small loop (the notice
// stays operable through its own polling) until the operator presses its
// button, the printer is aborted, or the worker reports a failure, which is
// shown. Then the printer is aborted, the worker stopped and joined.
#pragma once

#include "host/devices/PrinterIOException.h"
#include "win/WinThread.h"

class CPopupDlg;
class CWnd;
class PrinterIO;

class PrinterRun {
public:
    // Runs `worker` on its context (TESTPRINT_CONTEXT, DATACHART_CONTEXT) to
    // the end, the notice created in `noticeParent`. Nothing happens when
    // the context's events are missing or the worker cannot be started:
    // there would be no way to stop it, or nothing to wait for.
    template <class Context>
    static void Run(AFX_THREADPROC worker, Context& context, const wchar_t* caption, CWnd* page, CWnd* noticeParent)
    {
        Run(Job{worker, &context, context.hStopEvent, context.hErrorEvent, &context.failure, caption, page, noticeParent});
    }

private:
    struct Job {
        AFX_THREADPROC worker;
        LPVOID context;
        HANDLE stopEvent;
        HANDLE errorEvent;
        const PrinterIOException* failure;  // read once the error event is set
        const wchar_t* caption;             // of the running notice
        CWnd* page;
        CWnd* noticeParent;
    };

    static void Run(const Job& job);
    // Polls, in this order and at most every 100 ms: the notice's button, an
    // abort of the printer, the worker's failure.
    static void WaitForEnd(CPopupDlg& notice, PrinterIO& printer, HANDLE errorEvent);
    static void ShowFailure(CPopupDlg& notice, CWnd* page, const PrinterIOException& failure);
};
