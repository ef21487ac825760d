#include "pages/maintenance/PrinterRun.h"

#include "host/devices/PrinterIO.h"
#include "host/dialogs/CPopupDlg.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "win/Handles.h"
#include "win/Sync.h"

namespace {

constexpr DWORD kPollMilliseconds = 100;
// A failure state above this one is a failure the operator must see.
constexpr DWORD kStateQuiet = 1;

}  // namespace

void PrinterRun::Run(const Job& job)
{
    if (!job.stopEvent || !job.errorEvent)
        return;
    CWinThread* thread = AfxBeginThread(job.worker, job.context, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (!thread)
        return;
    PrinterIO printer;
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();

    CPopupDlg notice(job.page, true);
    notice.SetCaptionText(job.caption);
    notice.SetMessageText(maintenance_ids::Text(10, L"終了するには中止を押してください。"));
    notice.SetButtonMode(3);
    if (notice.Create(job.noticeParent))
        notice.ShowWindow(SW_SHOW);

    WaitForEnd(notice, printer, job.errorEvent);
    // The failure is the worker's until it sets the error event.
    if (WaitForSingleObject(job.errorEvent, 0) == WAIT_OBJECT_0 && job.failure->GetState() > kStateQuiet)
        ShowFailure(notice, job.page, *job.failure);

    printer.AbortPrint();
    SetEvent(job.stopEvent);
    WaitForSingleObject(thread->m_hThread, INFINITE);
    delete thread;

    if (notice.GetSafeHwnd() && IsWindow(notice.GetSafeHwnd()))
        notice.DestroyWindow();
}

void PrinterRun::WaitForEnd(CPopupDlg& notice, PrinterIO& printer, HANDLE errorEvent)
{
    for (;;) {
        if (notice.IsExit() != 0)
            return;
        if (printer.IsAbort())
            return;
        if (WaitForSingleObject(errorEvent, kPollMilliseconds) == WAIT_OBJECT_0)
            return;
    }
}

void PrinterRun::ShowFailure(CPopupDlg& notice, CWnd* page, const PrinterIOException& failure)
{
    const bool noticeShown = notice.GetSafeHwnd() && IsWindow(notice.GetSafeHwnd());
    CPopupDlg popup(noticeShown ? &notice : page, true);
    popup.SetCaptionText(L"エラー");
    popup.SetMessageText(failure.GetErrorMessage());
    popup.SetButtonMode(2);
    popup.DoModal();
}
