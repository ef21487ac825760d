#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// The comment files are written with CREATE_ALWAYS and read with
// OPEN_EXISTING; an existing file is replaced, and one that is read-only can
// still be read.
TEST_F(FileApiTest, CreateAlwaysTruncatesAnExistingFile)
{
    root.WriteFile("D/old.txt", "0123456789");
    HANDLE file = Open(L"D:\\old.txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(file);
    EXPECT_EQ(root.ReadFile("D/old.txt"), "");
    root.WriteFile("D/ro.txt", "keep");
    ASSERT_EQ(::chmod((root / "D/ro.txt").c_str(), 0444), 0);
    file = Open(L"D:\\ro.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
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
    CloseHandle(reader);
    CloseHandle(writer);
    EXPECT_FALSE(ReadFile(reader, buffer, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &count, nullptr));
}

// Recordings grow beyond 4 GB; the folder listing and the file's status
// give their whole size.
TEST_F(FileApiTest, SizesBeyondFourGigabytesAreWhole)
{
    const long long size = 5000000000LL;
    root.WriteFile("D/big.fsd", "");
    ASSERT_EQ(::truncate((root / "D/big.fsd").c_str(), size), 0);
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"D:\\big.fsd", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ((static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, size);
    FindClose(search);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(L"D:\\big.fsd", status));
    EXPECT_EQ(status.m_size, static_cast<ULONGLONG>(size));
}

}  // namespace
