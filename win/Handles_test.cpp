#include "win/Handles.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace {

using win::HandleTable;
using win::KernelObject;
using win::ObjectKind;

// A waitable object the test signals by hand.
class Gate : public KernelObject {
public:
    Gate() : KernelObject(ObjectKind::Event) {}
    bool IsWaitable() const override { return true; }
    bool IsSignalledLocked() const override { return open; }
    void OnWaitSatisfiedLocked() override { ++satisfied; }
    bool open = false;
    int satisfied = 0;
};

class Plain : public KernelObject {
public:
    explicit Plain(ObjectKind kind) : KernelObject(kind) {}
};

HANDLE Insert(ObjectKind kind) { return HandleTable::Insert(std::make_shared<Plain>(kind)); }

TEST(HandlesTest, HandlesAreDistinctAndNeverReused)
{
    std::set<HANDLE> seen;
    for (int i = 0; i < 100; ++i) {
        HANDLE handle = Insert(ObjectKind::File);
        EXPECT_NE(handle, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(seen.insert(handle).second);
        EXPECT_TRUE(CloseHandle(handle));
    }
}

TEST(HandlesTest, LookupAndClosingCheckTheKindAndTheHandle)
{
    const std::size_t before = HandleTable::Count();
    HANDLE handle = Insert(ObjectKind::File);
    EXPECT_EQ(HandleTable::Count(), before + 1);
    EXPECT_NE(HandleTable::FindAs<Plain>(handle, ObjectKind::File), nullptr);
    SetLastError(0);
    EXPECT_EQ(HandleTable::FindAs<Plain>(handle, ObjectKind::Event), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_EQ(HandleTable::Count(), before);
    EXPECT_EQ(HandleTable::FindAs<Plain>(handle, ObjectKind::File), nullptr);
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(nullptr) || CloseHandle(INVALID_HANDLE_VALUE));

    // Find handles and registry keys have their own closing functions.
    HANDLE find = Insert(ObjectKind::Find);
    HANDLE key = Insert(ObjectKind::RegistryKey);
    EXPECT_FALSE(CloseHandle(find) || CloseHandle(key) || HandleTable::Remove(find, ObjectKind::File));
    EXPECT_TRUE(HandleTable::Remove(find, ObjectKind::Find) && HandleTable::Remove(key, ObjectKind::RegistryKey));
}

TEST(HandlesTest, WaitTimesOutSucceedsOrFails)
{
    auto gate = std::make_shared<Gate>();
    HANDLE handle = HandleTable::Insert(gate);
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(handle, 5), WAIT_TIMEOUT);
    std::thread opener([&] { HandleTable::ChangeState([&] { gate->open = true; }); });
    EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
    opener.join();
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_OBJECT_0);
    EXPECT_EQ(gate->satisfied, 2);
    CloseHandle(handle);

    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    HANDLE file = Insert(ObjectKind::File);
    EXPECT_EQ(WaitForSingleObject(file, INFINITE), WAIT_FAILED) << "a file is not waitable";
    CloseHandle(file);
}

TEST(HandlesTest, LastErrorIsPerThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seenByOther = 1;
    std::thread other([&] {
        seenByOther = GetLastError();
        SetLastError(ERROR_FILE_NOT_FOUND);
    });
    other.join();
    EXPECT_EQ(seenByOther, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

}  // namespace
