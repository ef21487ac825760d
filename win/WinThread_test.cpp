#include "win/WinThread.h"

#include "win/Sync.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Context {
    HANDLE stop = nullptr;
    std::atomic<bool> ran{false};
    DWORD threadId = 0;
};

UINT Worker(LPVOID param)
{
    auto* context = static_cast<Context*>(param);
    context->threadId = GetCurrentThreadId();
    context->ran = true;
    WaitForSingleObject(context->stop, INFINITE);
    return 7;
}

TEST(WinThreadTest, SuspendedWorkerRunsAfterResumeAndIsJoinedByItsHandle)
{
    Context context;
    context.stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CWinThread* thread = AfxBeginThread(Worker, &context, 0, 0, CREATE_SUSPENDED, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(thread->m_nThreadID, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 0), WAIT_TIMEOUT);
    EXPECT_FALSE(context.ran.load());  // suspended: the function has not run
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);

    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(thread->ResumeThread(), 1u);
    SetEvent(context.stop);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(context.threadId, thread->m_nThreadID);
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 7u);
    HANDLE handle = thread->m_hThread;
    delete thread;  // closes the handle
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);
    CloseHandle(context.stop);
}

UINT Quick(LPVOID param)
{
    static_cast<std::atomic<int>*>(param)->fetch_add(1);
    return 0;
}

TEST(WinThreadTest, AutoDeleteWorkersCleanUpAfterThemselves)
{
    const std::size_t handlesBefore = win::HandleTable::Count();
    std::atomic<int> count{0};
    for (int i = 0; i < 20; ++i)
        ASSERT_NE(AfxBeginThread(Quick, &count), nullptr);
    while (count.load() < 20 || win::HandleTable::Count() != handlesBefore)
        Sleep(1);
    EXPECT_EQ(count.load(), 20);
    EXPECT_EQ(win::HandleTable::Count(), handlesBefore);  // every handle closed by its thread object
}

TEST(WinThreadTest, ResumeOfInvalidHandles)
{
    SetLastError(0);
    EXPECT_EQ(ResumeThread(nullptr), static_cast<DWORD>(-1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(ResumeThread(event), static_cast<DWORD>(-1)) << "not a thread";
    CloseHandle(event);
    EXPECT_FALSE(CWinThread(nullptr, nullptr).CreateThread());
}

}  // namespace
