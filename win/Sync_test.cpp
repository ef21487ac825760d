#include "win/Sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
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

TEST(KernelMiscTest, TickCountAndInterlocked)
{
    // The 32-bit count is the low part of the 64-bit one.
    const ULONGLONG wide = GetTickCount64();
    EXPECT_LE(static_cast<DWORD>(GetTickCount() - static_cast<DWORD>(wide)), 1000u);
    volatile LONG value = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i)
                InterlockedIncrement(&value);
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(InterlockedDecrement(&value), 39999);
    EXPECT_EQ(InterlockedExchange(&value, 5), 39999);
    EXPECT_EQ(InterlockedCompareExchange(&value, 7, 4), 5);  // no match: unchanged
    EXPECT_EQ(InterlockedCompareExchange(&value, 7, 5), 5);
    EXPECT_EQ(value, 7);
}

// Rounding half away from zero is the dialog units' table; here the limits.
TEST(KernelMiscTest, MulDivKeepsSixtyFourBitsAndRefusesOverflow)
{
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // the intermediate is 64 bits
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

}  // namespace
