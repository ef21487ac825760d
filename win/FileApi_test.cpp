#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

using win::testing::TempDataRoot;

class FileApiTest : public ::testing::Test {
protected:
    HANDLE Open(const wchar_t* path, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL)
    {
        return CreateFileW(path, access, 0, nullptr, disposition, flags, nullptr);
    }

    TempDataRoot root;
};

TEST_F(FileApiTest, WriteThenReadBack)
{
    HANDLE file = Open(L"D:\\comment.cmt", GENERIC_WRITE, CREATE_ALWAYS, FILE_FLAG_WRITE_THROUGH);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    char16_t comment[20] = u"コメント";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, comment, sizeof comment, &written, nullptr));
    EXPECT_EQ(written, 40u);
    EXPECT_TRUE(FlushFileBuffers(file));
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(root.ReadFile("D/comment.cmt").size(), 40u);

    file = Open(L"d:/COMMENT.cmt", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char16_t back[20] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file, back, sizeof back, &read, nullptr));
    EXPECT_EQ(read, 40u);
    EXPECT_EQ(std::u16string(back), u"コメント");
    // At the end: success with nothing read.
    ASSERT_TRUE(ReadFile(file, back, sizeof back, &read, nullptr));
    EXPECT_EQ(read, 0u);
    CloseHandle(file);
}

TEST_F(FileApiTest, OpeningFailsAsWin32Does)
{
    root.MakeDir("D/folder");
    root.WriteFile("D/old.txt", "0123456789");
    root.WriteFile("D/ro.txt", "keep");
    ASSERT_EQ(::chmod((root / "D/ro.txt").c_str(), 0444), 0);
    const struct {
        const wchar_t* path;
        DWORD access;
        DWORD disposition;
        DWORD error;
    } cases[] = {
        {L"D:\\missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {L"D:\\nofolder\\x.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
        {L"D:\\nofolder\\x.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {L"D:\\missing.txt", GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND},
        {L"D:\\old.txt", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
        {L"D:\\old.txt", GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER},
        {L"D:\\old.txt", GENERIC_READ, 9, ERROR_INVALID_PARAMETER},
        {L"D:\\folder", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {L"D:\\", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {L"D:\\..\\C\\x.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {L"D:\\a|b", GENERIC_WRITE, CREATE_ALWAYS, ERROR_INVALID_NAME},
        {L"D:\\ro.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},  // read-only refuses writing
        {L"D:\\ro.txt", GENERIC_READ, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
    };
    win::DebugLog::Clear();
    for (const auto& test : cases) {
        SetLastError(0);
        EXPECT_EQ(Open(test.path, test.access, test.disposition), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), test.error);
    }
    EXPECT_EQ(Open(nullptr, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(win::DebugLog::Contains(L"CreateFileW"));
    EXPECT_FALSE(root.Exists("C/x.txt"));
    EXPECT_EQ(root.ReadFile("D/ro.txt"), "keep");
    EXPECT_EQ(root.ReadFile("D/old.txt"), "0123456789");
}

TEST_F(FileApiTest, DispositionsOpenCreateOrTruncate)
{
    HANDLE file = Open(L"D:\\new.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    root.WriteFile("D/old.txt", "0123456789");
    file = Open(L"D:\\old.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u);
    CloseHandle(file);
    file = Open(L"D:\\old.txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);  // truncated
    CloseHandle(file);
    root.WriteFile("D/old.txt", "0123456789");
    file = Open(L"D:\\old.txt", GENERIC_WRITE, TRUNCATE_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);
    root.WriteFile("D/ro.txt", "keep");
    ASSERT_EQ(::chmod((root / "D/ro.txt").c_str(), 0444), 0);
    file = Open(L"D:\\ro.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    file = Open(L"D:\\made-ro.txt", GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "x", 1, &written, nullptr));  // the creating handle may still write
    CloseHandle(file);
    EXPECT_EQ(GetFileAttributesW(L"D:\\made-ro.txt"), FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileApiTest, HandleAccessIsChecked)
{
    root.WriteFile("D/a.txt", "abc");
    HANDLE reader = Open(L"D:\\a.txt", GENERIC_READ, OPEN_EXISTING);
    HANDLE writer = Open(L"D:\\a.txt", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    char buffer[4];
    DWORD count = 99;
    SetLastError(0);
    EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(ReadFile(writer, buffer, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(FlushFileBuffers(reader));
    CloseHandle(reader);
    CloseHandle(writer);
    EXPECT_FALSE(ReadFile(reader, buffer, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &count, nullptr));
}

TEST_F(FileApiTest, FilePointerAndEndOfFile)
{
    HANDLE file = Open(L"D:\\p.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD count = 0;
    ASSERT_TRUE(WriteFile(file, "0123456789", 10, &count, nullptr));
    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_CURRENT), 5u);
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);
    char c = 0;
    ASSERT_TRUE(ReadFile(file, &c, 1, &count, nullptr));
    EXPECT_EQ(c, '9');
    SetLastError(0);
    EXPECT_EQ(SetFilePointer(file, -11, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    ASSERT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 4u);
    LARGE_INTEGER position{};
    LARGE_INTEGER distance{};
    distance.QuadPart = -1;
    ASSERT_TRUE(SetFilePointerEx(file, distance, &position, FILE_END));
    EXPECT_EQ(position.QuadPart, 3);
    CloseHandle(file);
}

TEST_F(FileApiTest, SparseFileBeyondFourGigabytesReportsItsSize)
{
    const long long size = 5000000000LL;
    HANDLE file = Open(L"D:\\big.fsd", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = static_cast<LONG>((size - 1) >> 32);
    EXPECT_EQ(SetFilePointer(file, static_cast<LONG>((size - 1) & 0xFFFFFFFF), &high, FILE_BEGIN),
              static_cast<DWORD>((size - 1) & 0xFFFFFFFF));
    EXPECT_EQ(high, 1);
    DWORD count = 0;
    ASSERT_TRUE(WriteFile(file, "x", 1, &count, nullptr));
    DWORD sizeHigh = 0;
    EXPECT_EQ(GetFileSize(file, &sizeHigh), static_cast<DWORD>(size & 0xFFFFFFFF));
    EXPECT_EQ(sizeHigh, 1u);
    LARGE_INTEGER exact{};
    ASSERT_TRUE(GetFileSizeEx(file, &exact));
    EXPECT_EQ(exact.QuadPart, size);
    // Without a high part, a position beyond 32 bits cannot be reported.
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
    CloseHandle(file);

    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"D:\\big.fsd", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ((static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, size);
    FindClose(search);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(L"D:\\big.fsd", status));
    EXPECT_EQ(status.m_size, static_cast<ULONGLONG>(size));
    struct stat info {};
    ASSERT_EQ(::stat((root / "D/big.fsd").c_str(), &info), 0);
    EXPECT_LT(info.st_blocks * 512LL, 1LL << 20);  // still sparse
}

TEST_F(FileApiTest, DeleteOnCloseAndDescriptors)
{
    HANDLE file = Open(L"D:\\temp.tmp", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_GE(win::FileDescriptorOf(file), 0);
    EXPECT_FALSE(root.Exists("D/temp.tmp"));
    CloseHandle(file);
    EXPECT_EQ(win::FileDescriptorOf(file), -1);
}

TEST_F(FileApiTest, FileTimesFollowTheSimulatedClock)
{
    root.WriteFile("D/t.txt");
    HANDLE file = Open(L"D:\\t.txt", GENERIC_READ, OPEN_EXISTING);
    FILETIME before;
    ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &before));
    win::Clock::SetOffsetSeconds(3600);
    FILETIME after;
    ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &after));
    win::Clock::SetOffsetSeconds(0);
    CloseHandle(file);
    EXPECT_EQ(win::FileTimeToTicks(after) - win::FileTimeToTicks(before), 3600 * win::kTicksPerSecond);
}

}  // namespace
