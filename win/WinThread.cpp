#include "win/WinThread.h"

#include "win/DebugLog.h"

#include <atomic>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<int> g_failingCreations{0};

// Takes one of the creations that are to fail.
bool TakeFailingCreation()
{
    int left = g_failingCreations.load();
    while (left > 0 && !g_failingCreations.compare_exchange_weak(left, left - 1)) {
    }
    return left > 0;
}

// The kernel side of a worker: a completion object with a suspend count.
class ThreadObject : public win::CompletionObject {
public:
    explicit ThreadObject(DWORD suspendCount) : CompletionObject(win::ObjectKind::Thread), m_suspendCount(suspendCount)
    {
    }

    // Both with HandleTable::WaitMutex() held.
    DWORD ResumeLocked()
    {
        const DWORD previous = m_suspendCount;
        if (m_suspendCount > 0)
            --m_suspendCount;
        return previous;
    }
    bool IsRunnableLocked() const { return m_suspendCount == 0; }

    void MarkStartedLocked(DWORD threadId)
    {
        m_started = true;
        m_threadId = threadId;
    }
    bool IsStartedLocked() const { return m_started; }
    DWORD ThreadIdLocked() const { return m_threadId; }

private:
    DWORD m_suspendCount;
    bool m_started = false;
    DWORD m_threadId = 0;
};

void RunWorker(std::shared_ptr<ThreadObject> object, CWinThread* thread, AFX_THREADPROC proc, LPVOID param)
{
    {
        std::unique_lock<std::mutex> lock(win::HandleTable::WaitMutex());
        object->MarkStartedLocked(GetCurrentThreadId());
        win::HandleTable::WaitCondition().notify_all();
        win::HandleTable::WaitCondition().wait(lock, [&] { return object->IsRunnableLocked(); });
    }
    const UINT exitCode = proc(param);
    // Read before signalling: once the handle is signalled the owner may
    // delete the thread object.
    if (thread->m_bAutoDelete)
        delete thread;
    object->Finish(exitCode);
}

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC threadProc, LPVOID param) : m_pfnThreadProc(threadProc), m_pThreadParams(param)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT, LPSECURITY_ATTRIBUTES)
{
    if (m_hThread != nullptr || m_pfnThreadProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto object = std::make_shared<ThreadObject>((createFlags & CREATE_SUSPENDED) != 0 ? 1 : 0);
    m_hThread = win::HandleTable::Insert(object);
    // Held until the thread reports its id, so a worker that runs to its end
    // at once cannot delete this object before the id is stored.
    std::unique_lock<std::mutex> lock(win::HandleTable::WaitMutex());
    try {
        if (TakeFailingCreation())
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        std::thread(RunWorker, object, this, m_pfnThreadProc, m_pThreadParams).detach();
    } catch (const std::system_error&) {
        lock.unlock();
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        OutputDebugStringW(L"CWinThread::CreateThread: no thread");
        return FALSE;
    }
    win::HandleTable::WaitCondition().wait(lock, [&] { return object->IsStartedLocked(); });
    m_nThreadID = object->ThreadIdLocked();
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param, int, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES security)
{
    auto* thread = new CWinThread(threadProc, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    if ((createFlags & CREATE_SUSPENDED) == 0)
        thread->ResumeThread();
    return thread;
}

DWORD ResumeThread(HANDLE thread)
{
    std::shared_ptr<win::KernelObject> object = win::HandleTable::Find(thread);
    if (!object || object->Kind() != win::ObjectKind::Thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<DWORD>(-1);
    }
    auto worker = std::dynamic_pointer_cast<ThreadObject>(object);
    if (!worker)
        return 0;  // a process's main thread: never suspended here
    DWORD previous = 0;
    win::HandleTable::ChangeState([&] { previous = worker->ResumeLocked(); });
    return previous;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode)
{
    auto object = win::HandleTable::FindAs<win::CompletionObject>(thread, win::ObjectKind::Thread);
    if (!object || exitCode == nullptr)
        return FALSE;
    *exitCode = object->ExitCode();
    return TRUE;
}

void win::FailThreadCreations(int count)
{
    g_failingCreations = count;
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(::gettid());
}
