#include "win/FileApi.h"

#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

using win::testing::TempDataRoot;

std::vector<std::wstring> Find(const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern, &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return names;
}

using Names = std::vector<std::wstring>;

class FindFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.MakeDir("D/data");
        root.MakeDir("D/data/sub");
        root.WriteFile("D/data/b.csv", "12345");
        root.WriteFile("D/data/A.fsd");
        root.WriteFile("D/data/readme");
        root.WriteFile("D/data/.hidden");
        root.WriteFile("D/top.txt");
    }

    TempDataRoot root;
};

TEST_F(FindFileTest, DotEntriesBelowTheRootOnly)
{
    EXPECT_EQ(Find(L"D:\\data\\*.*"), (Names{L".", L"..", L".hidden", L"A.fsd", L"b.csv", L"readme", L"sub"}));
    EXPECT_EQ(Find(L"D:\\*.*"), (Names{L"data", L"top.txt"}));
    EXPECT_EQ(Find(L"D:\\*"), (Names{L"data", L"top.txt"}));
}

TEST_F(FindFileTest, Wildcards)
{
    EXPECT_EQ(Find(L"D:\\data\\*.CSV"), (Names{L"b.csv"}));
    EXPECT_EQ(Find(L"D:\\data\\?.*"), (Names{L".", L"..", L"A.fsd", L"b.csv"}));
    EXPECT_EQ(Find(L"D:\\data\\*."), (Names{L".", L"..", L"readme", L"sub"}));
    EXPECT_EQ(Find(L"d:/DATA/a.FSD"), (Names{L"A.fsd"}));  // no wildcard: that entry
    EXPECT_EQ(Find(L"D:\\data"), (Names{L"data"}));        // a folder named without a pattern
}

TEST_F(FindFileTest, EntryData)
{
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"D:\\data\\b.csv", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_STREQ(data.cAlternateFileName, L"");  // already an 8.3 name
    struct stat info {};
    ::stat((root / "D/data/b.csv").c_str(), &info);
    const std::int64_t expected = static_cast<std::int64_t>(info.st_mtim.tv_sec) * win::kTicksPerSecond +
                                  info.st_mtim.tv_nsec / 100 + win::kUnixEpochTicks;
    EXPECT_EQ(win::FileTimeToTicks(data.ftLastWriteTime), expected);
    EXPECT_FALSE(FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    FindClose(search);

    search = FindFirstFileW(L"D:\\data\\sub", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);  // exactly 16
    FindClose(search);
    search = FindFirstFileW(L"D:\\data\\.hidden", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_HIDDEN);
    FindClose(search);
}

TEST_F(FindFileTest, ShortNamesForLongNames)
{
    root.WriteFile("D/data/long file name.text");
    root.WriteFile("D/data/long file other.text");
    WIN32_FIND_DATAW data;
    std::vector<std::wstring> shortNames;
    HANDLE search = FindFirstFileW(L"D:\\data\\long*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        shortNames.push_back(data.cAlternateFileName);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    EXPECT_EQ(shortNames, (Names{L"LONGFI~1.TEX", L"LONGFI~2.TEX"}));
}

TEST_F(FindFileTest, Failures)
{
    WIN32_FIND_DATAW data;
    SetLastError(0);
    EXPECT_EQ(FindFirstFileW(L"D:\\data\\*.xyz", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"D:\\nothing\\*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"D:\\data\\", &data), INVALID_HANDLE_VALUE);  // a trailing backslash
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"D:\\", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileW(L"D:\\..\\*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"D:\\data\\a|b*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_EQ(FindFirstFileW(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileW(nullptr, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
    HANDLE search = FindFirstFileW(L"D:\\*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CloseHandle(search));  // find handles close with FindClose
    EXPECT_TRUE(FindClose(search));
    EXPECT_FALSE(FindClose(search));
}

TEST_F(FindFileTest, RelativePatternsUseTheCurrentDirectory)
{
    ASSERT_EQ(_chdir("D:\\data"), 0);
    EXPECT_EQ(Find(L"*.fsd"), (Names{L"A.fsd"}));
    EXPECT_EQ(Find(L"sub\\..\\b*"), (Names{L"b.csv"}));
    EXPECT_EQ(Find(L"D:*.csv"), (Names{L"b.csv"}));
}

TEST_F(FindFileTest, NamesWindowsCannotSpellAndEscapingLinksAreLeftOut)
{
    root.WriteFile("D/data/back\\slash");
    root.WriteFile("D/data/colon:name");
    ASSERT_EQ(::symlink("/etc", (root / "D/data/outside").c_str()), 0);
    ASSERT_EQ(::symlink((root / "D/data/b.csv").c_str(), (root / "D/data/inside.csv").c_str()), 0);
    EXPECT_EQ(Find(L"D:\\data\\*"),
              (Names{L".", L"..", L".hidden", L"A.fsd", L"b.csv", L"inside.csv", L"readme", L"sub"}));
}

TEST_F(FindFileTest, GetStatusFillsTheRecord)
{
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(L"d:\\data\\b.csv", status));
    EXPECT_STREQ(status.m_szFullName, L"D:\\data\\b.csv");
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute, 0);  // NORMAL is dropped from the byte
    struct stat info {};
    ::stat((root / "D/data/b.csv").c_str(), &info);
    EXPECT_EQ(status.m_mtime.GetTime(), info.st_mtim.tv_sec);
    EXPECT_NE(status.m_ctime.GetTime(), 0);
    EXPECT_NE(status.m_atime.GetTime(), 0);

    ASSERT_TRUE(CFile::GetStatus(L"D:\\data\\sub", status));
    EXPECT_EQ(status.m_attribute, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(status.m_size, 0u);
}

TEST_F(FindFileTest, GetStatusFailures)
{
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(L"D:\\data\\missing", status));
    EXPECT_STREQ(status.m_szFullName, L"D:\\data\\missing");  // the full path is filled first
    EXPECT_FALSE(CFile::GetStatus(L"D:\\data\\", status));
    EXPECT_FALSE(CFile::GetStatus(L"D:\\", status));
    EXPECT_FALSE(CFile::GetStatus(nullptr, status));
    EXPECT_STREQ(status.m_szFullName, L"");
    std::wstring tooLong = L"D:\\" + std::wstring(300, L'x');
    EXPECT_FALSE(CFile::GetStatus(tooLong.c_str(), status));
}

TEST(CFileStatusTest, IsZeroAndCopyable)
{
    CFileStatus status;
    EXPECT_EQ(status.m_mtime.GetTime(), 0);
    EXPECT_EQ(status.m_size, 0u);
    EXPECT_EQ(status.m_szFullName[0], L'\0');
    static_assert(std::is_trivially_copyable_v<CFileStatus>);
}

TEST(CTimeTest, FieldsAndFormatUseTheZone)
{
    TIME_ZONE_INFORMATION tokyo;
    tokyo.Bias = -540;
    win::Clock::SetTimeZone(tokyo);
    CTime time(win::DaysFromCivil(2024, 5, 6) * 86400 + 3600);  // 01:00 UTC
    EXPECT_EQ(time.GetYear(), 2024);
    EXPECT_EQ(time.GetMonth(), 5);
    EXPECT_EQ(time.GetDay(), 6);
    EXPECT_EQ(time.GetHour(), 10);
    EXPECT_EQ(time.GetDayOfWeek(), 2);  // a Monday
    EXPECT_EQ(time.Format(L"%Y/%m/%d %H:%M"), L"2024/05/06 10:00");
    SYSTEMTIME fields;
    ASSERT_TRUE(time.GetAsSystemTime(fields));
    EXPECT_EQ(fields.wHour, 10);
    EXPECT_EQ(CTime(2024, 5, 6, 10, 0, 0), time);
    EXPECT_EQ(CTime(fields), time);
    FILETIME file = win::TicksToFileTime(static_cast<std::int64_t>(time.GetTime()) * win::kTicksPerSecond +
                                         win::kUnixEpochTicks);
    EXPECT_EQ(CTime(file), time);
    EXPECT_LT(CTime(5), time);
    EXPECT_TRUE(CTime(-1).Format(L"%Y").IsEmpty());
    EXPECT_FALSE(CTime(-1).GetAsSystemTime(fields));
    win::Clock::UseProcessTimeZone();
}

}  // namespace
