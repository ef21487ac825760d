// Worker threads in the dialog framework's form: AfxBeginThread and
// CWinThread. The thread handle is waitable and becomes signalled when the
// worker function returns. With m_bAutoDelete (the default) the thread
// object deletes itself when the function returns, which also closes its
// handle; a caller that waits on the handle and deletes the object itself
// clears m_bAutoDelete first (usually with CREATE_SUSPENDED and
// ResumeThread). Priorities and stack sizes are accepted and not applied.
#pragma once

#include "win/Handles.h"
#include "win/WinNT.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

constexpr int THREAD_PRIORITY_NORMAL = 0;

class CWinThread {
public:
    CWinThread(AFX_THREADPROC threadProc, LPVOID param);
    virtual ~CWinThread();  // closes m_hThread
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread, suspended with CREATE_SUSPENDED.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    // The previous suspend count, or (DWORD)-1 on failure.
    DWORD ResumeThread();

    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);

DWORD ResumeThread(HANDLE thread);
namespace win {
// The next `count` thread creations fail as when the system has no thread to
// give, so that tests can reach the callers' failure paths.
void FailThreadCreations(int count);
}  // namespace win

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
DWORD GetCurrentThreadId();
