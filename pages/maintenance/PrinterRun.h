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
    struct Job {
        AFX_THREADPROC worker = nullptr;
        LPVOID context = nullptr;
        HANDLE stopEvent = nullptr;
        HANDLE errorEvent = nullptr;
        const PrinterIOException* failure = nullptr;  // in the context; read once the error event is set
        const wchar_t* caption = nullptr;             // of the running notice
        CWnd* page = nullptr;
        CWnd* noticeParent = nullptr;                 // the window the notice is created in
    };

    // Runs the job to its end. Nothing happens when the events are missing
    // or the worker cannot be started: there would be no way to stop it, or
    // nothing to wait for.
    static void Run(const Job& job);

private:
    // Polls, in this order and at most every 100 ms: the notice's button, an
    // abort of the printer, the worker's failure.
    static void WaitForEnd(CPopupDlg& notice, PrinterIO& printer, HANDLE errorEvent);
    static void ShowFailure(CPopupDlg& notice, CWnd* page, const PrinterIOException& failure);
};
