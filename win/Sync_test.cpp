#include "win/Sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A manual-reset event stays signalled; an auto-reset one releases one wait
// per set, however often it was set; a closed event is an invalid handle.
TEST(EventTest, ManualAndAutoResetAndClosedEvents)
{
    HANDLE manual = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(manual));
    SetLastError(0);
    EXPECT_FALSE(SetEvent(manual) || ResetEvent(manual) || SetEvent(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);

    HANDLE automatic = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);  // initially signalled
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);   // and consumed
    SetEvent(automatic);
    SetEvent(automatic);  // no count: still one release
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    CloseHandle(automatic);
}

TEST(EventTest, AutoResetWakesExactlyOneOfSeveralWaiters)
{
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            if (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0)
                ++woken;
            WaitForSingleObject(done, INFINITE);
        });
    for (int i = 0; i < 3; ++i) {
        SetEvent(event);
        // Each release is taken by one waiter before the next.
        while (woken.load() < i + 1)
            std::this_thread::yield();
        EXPECT_EQ(woken.load(), i + 1);
    }
    SetEvent(done);
    for (auto& waiter : waiters)
        waiter.join();
    CloseHandle(event);
    CloseHandle(done);
}

TEST(EventTest, NamedEventsAreSharedUntilTheLastHandleCloses)
{
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, L"Local\\printer-stop");
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, L"Local\\printer-stop");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
    CloseHandle(first);
    CloseHandle(second);
    HANDLE fresh = CreateEventW(nullptr, TRUE, FALSE, L"Local\\printer-stop");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
    CloseHandle(fresh);
}

}  // namespace
