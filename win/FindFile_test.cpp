#include "win/FileApi.h"

#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace {

using win::testing::TempDataRoot;
using Names = std::vector<std::wstring>;

// Every entry a search hands out: names, or 8.3 aliases, or attributes.
template <class Field>
std::vector<Field> Find(const wchar_t* pattern, Field (*field)(const WIN32_FIND_DATAW&),
                        FINDEX_INFO_LEVELS level = FindExInfoStandard)
{
    std::vector<Field> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileExW(pattern, level, &data, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        found.push_back(field(data));
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return found;
}

std::wstring NameOf(const WIN32_FIND_DATAW& data) { return data.cFileName; }
std::wstring AliasOf(const WIN32_FIND_DATAW& data) { return data.cAlternateFileName; }
DWORD AttributesOf(const WIN32_FIND_DATAW& data) { return data.dwFileAttributes; }
Names Find(const wchar_t* pattern) { return Find(pattern, NameOf); }

class FindFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.MakeDir("D/data");
        root.MakeDir("D/data/sub");
        for (const char* name : {"b.csv", "A.fsd", "readme", ".hidden", "y.TXT", "Z.txt"})
            root.WriteFile(std::string("D/data/") + name, "12345");
        root.WriteFile("D/top.txt");
    }

    TempDataRoot root;
};

TEST_F(FindFileTest, DotEntriesFirstThenNamesWithoutRegardToCase)
{
    const struct {
        const wchar_t* pattern;
        Names names;
    } cases[] = {
        {L"D:\\data\\*.*", {L".", L"..", L".hidden", L"A.fsd", L"b.csv", L"readme", L"sub", L"y.TXT", L"Z.txt"}},
        {L"D:\\*", {L"data", L"top.txt"}},  // no dot entries at a drive's root
        {L"D:\\data\\*.txt", {L"y.TXT", L"Z.txt"}},
        {L"D:\\data\\?.*", {L".", L"..", L"A.fsd", L"b.csv", L"y.TXT", L"Z.txt"}},
        {L"D:\\data\\*.", {L".", L"..", L"readme", L"sub"}},
        {L"d:/DATA/a.FSD", {L"A.fsd"}},  // no wildcard: that entry, as it is spelled
        {L"D:\\data", {L"data"}},
        {L"D:\\data\\*.xyz", {}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Find(test.pattern), test.names) << test.pattern;
    ASSERT_EQ(_chdir("D:\\data"), 0);
    EXPECT_EQ(Find(L"sub\\..\\b*"), Names{L"b.csv"});
    EXPECT_EQ(Find(L"D:*.csv"), Names{L"b.csv"});
}

TEST_F(FindFileTest, OrderFoldsBeyondTheFirstCharactersAndBeyondAscii)
{
    root.MakeDir("D/o");
    for (const char* name : {"recording-2024-05-14-b.fsd", "RECORDING-2024-05-14-a.fsd", "\xC3\xBC" "ber.txt",
                             "zeta.txt", "\xC3\x9C" "BER.TXT", "a.fsd", "A.FSD", "recording-2024-05-14.fsd"})
        root.WriteFile(std::string("D/o/") + name);
    // Same names without regard to case keep byte order: "A.FSD" before "a.fsd".
    EXPECT_EQ(Find(L"D:\\o\\*"), (Names{L".", L"..", L"A.FSD", L"a.fsd", L"RECORDING-2024-05-14-a.fsd",
                                        L"recording-2024-05-14-b.fsd", L"recording-2024-05-14.fsd", L"zeta.txt",
                                        L"\u00DCBER.TXT", L"\u00FCber.txt"}));
}

TEST_F(FindFileTest, EntryData)
{
    WIN32_FIND_DATAW data;
    win::Clock::SetOffsetSeconds(3600);  // times are the instrument's clock's, here an hour ahead
    HANDLE search = FindFirstFileW(L"D:\\data\\b.csv", &data);
    win::Clock::SetOffsetSeconds(0);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_STREQ(data.cAlternateFileName, L"");  // already an 8.3 name
    struct stat info {};
    ::stat((root / "D/data/b.csv").c_str(), &info);
    EXPECT_EQ(win::FileTimeToTicks(data.ftLastWriteTime), (info.st_mtim.tv_sec + 3600LL) * win::kTicksPerSecond +
                                                              info.st_mtim.tv_nsec / 100 + win::kUnixEpochTicks);
    EXPECT_FALSE(FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    FindClose(search);
    EXPECT_EQ(Find(L"D:\\data\\sub", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_EQ(Find(L"D:\\data\\.hidden", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_HIDDEN});
}

TEST_F(FindFileTest, StoredAttributesShowInTheListingAndTravelWithACopy)
{
    if (!root.HasExtendedAttributes())
        GTEST_SKIP() << "no extended attributes on this file system";
    root.MakeDir("D/other");
    ASSERT_TRUE(SetFileAttributesW(L"D:\\data\\b.csv", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SetFileAttributesW(L"D:\\data\\sub", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(Find(L"D:\\data\\b*", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(Find(L"D:\\data\\s*", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM});
    root.MakeDir("D/links");  // a link in a folder of its own lists its target's bits
    ASSERT_EQ(::symlink("../data/b.csv", (root / "D/links/b.csv").c_str()), 0);
    EXPECT_EQ(Find(L"D:\\links\\b*", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});
    // Copied into a folder that held none: the listing there shows them too.
    SHFILEOPSTRUCTW copy{};
    copy.wFunc = FO_COPY;
    copy.pFrom = L"D:\\data\\b.csv\0D:\\data\\sub\0";
    copy.pTo = L"D:\\other\0";
    copy.fFlags = FOF_NOCONFIRMATION;
    ASSERT_EQ(SHFileOperationW(&copy), 0);
    EXPECT_EQ(Find(L"D:\\other\\*", AttributesOf),
              (std::vector<DWORD>{FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY,
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE,
                                  FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM}));
}

TEST_F(FindFileTest, ShortNamesAreUniqueStableAndMadeOnlyAtTheStandardLevel)
{
    root.WriteFile("D/data/LONGFI~2.TEX");  // real 8.3 names no alias may take
    root.WriteFile("D/data/OTHERN~1.TXT");
    root.WriteFile("D/data/other name.txt");
    root.WriteFile("D/data/longer name");
    constexpr int kLongNames = 40;           // most of one stem take hashed aliases
    for (int number = 1; number <= kLongNames; ++number)
        root.WriteFile("D/data/long file " + std::to_string(number) + ".text");
    const Names names = Find(L"D:\\data\\long file*");
    const Names aliases = Find(L"D:\\data\\long file*", AliasOf);
    ASSERT_EQ(aliases.size(), static_cast<size_t>(kLongNames));
    EXPECT_EQ(Names(aliases.begin(), aliases.begin() + 3), (Names{L"LONGFI~1.TEX", L"LONGFI~3.TEX", L"LONGFI~4.TEX"}));
    std::set<std::wstring> distinct(aliases.begin(), aliases.end());
    distinct.insert(L"LONGFI~2.TEX");
    EXPECT_EQ(distinct.size(), kLongNames + 1u) << "every alias differs from the others and from the real 8.3 name";
    for (const std::wstring& alias : Names(aliases.begin() + 3, aliases.end())) {
        EXPECT_EQ(alias.size(), 12u) << "two characters, four of a hash, ~N and the extension";
        EXPECT_EQ(alias.substr(0, 2), L"LO");
        EXPECT_EQ(alias.substr(6, 1) + alias.substr(8), L"~.TEX");
    }
    // Another pattern, the whole folder or one name: the same alias each time.
    const Names everything = Find(L"D:\\data\\*", AliasOf);
    EXPECT_EQ(Names(everything.begin() + 5, everything.begin() + 5 + kLongNames), aliases);
    const size_t seventh = static_cast<size_t>(std::find(names.begin(), names.end(), L"long file 7.text") - names.begin());
    ASSERT_LT(seventh, names.size());
    EXPECT_EQ(Find(L"D:\\data\\long file 7.text", AliasOf), Names{aliases[seventh]});
    EXPECT_EQ(Find(L"D:\\data\\other*", AliasOf), (Names{L"OTHERN~2.TXT", L""})) << "after many others";
    const Names withLonger = Find(L"D:\\data\\long*", AliasOf);
    EXPECT_EQ(std::count(withLonger.begin(), withLonger.end(), L"LONGER~1"), 1) << "right after a longer alias";
    EXPECT_EQ(Find(L"D:\\data\\long file*", AliasOf, FindExInfoBasic), Names(kLongNames, L""));
}

TEST_F(FindFileTest, Failures)
{
    const struct {
        const wchar_t* pattern;
        DWORD error;
    } cases[] = {
        {L"D:\\data\\*.xyz", ERROR_FILE_NOT_FOUND},  {L"D:\\nothing\\*.*", ERROR_PATH_NOT_FOUND},
        {L"D:\\data\\", ERROR_FILE_NOT_FOUND},       {L"D:\\..\\*.*", ERROR_PATH_NOT_FOUND},
        {L"D:\\data\\a|b*", ERROR_INVALID_NAME},     {L"D:\\top.txt\\*", ERROR_PATH_NOT_FOUND},
    };
    WIN32_FIND_DATAW data;
    for (const auto& test : cases) {
        SetLastError(0);
        EXPECT_EQ(FindFirstFileW(test.pattern, &data), INVALID_HANDLE_VALUE) << test.pattern;
        EXPECT_EQ(GetLastError(), test.error) << test.pattern;
    }
    EXPECT_EQ(FindFirstFileW(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileExW(L"D:\\*", FindExInfoBasic, &data, FindExSearchLimitToDirectories, nullptr, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(FindFirstFileExW(L"D:\\*", FindExInfoMaxInfoLevel, &data, FindExSearchNameMatch, nullptr, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileW(nullptr, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
    HANDLE search = FindFirstFileW(L"D:\\*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CloseHandle(search));  // find handles close with FindClose
    EXPECT_TRUE(FindClose(search));
    EXPECT_FALSE(FindClose(search));
}

TEST_F(FindFileTest, NamesWindowsCannotSpellLinksOutOfTheDriveAndVanishedEntriesAreLeftOut)
{
    root.WriteFile("D/data/back\\slash");
    root.WriteFile("D/data/colon:name");
    root.WriteFile("D/data/bad\xFFutf8");
    ASSERT_EQ(::symlink("/etc", (root / "D/data/outside").c_str()), 0);
    ASSERT_EQ(::symlink((root / "D/data/gone").c_str(), (root / "D/data/dangling").c_str()), 0);
    ASSERT_EQ(::symlink("b.csv", (root / "D/data/inside.csv").c_str()), 0);
    // An absolute link never stays beneath the drive, even one that names a
    // place on it.
    ASSERT_EQ(::symlink((root / "D/data/b.csv").c_str(), (root / "D/data/absolute.csv").c_str()), 0);
    EXPECT_EQ(Find(L"D:\\data\\*"), (Names{L".", L"..", L".hidden", L"A.fsd", L"b.csv", L"inside.csv", L"readme",
                                           L"sub", L"y.TXT", L"Z.txt"}));
    EXPECT_EQ(Find(L"D:\\data\\inside.csv", AttributesOf), std::vector<DWORD>{FILE_ATTRIBUTE_NORMAL})
        << "a link inside the root is listed as what it leads to";

    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"D:\\data\\*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    ::unlink((root / "D/data/readme").c_str());
    Names rest;
    while (FindNextFileW(search, &data))
        rest.push_back(data.cFileName);
    FindClose(search);
    EXPECT_EQ(std::count(rest.begin(), rest.end(), L"readme"), 0) << "removed after the search began";
    EXPECT_EQ(rest.back(), L"Z.txt");
}

TEST_F(FindFileTest, GetStatusFillsTheRecordOrFails)
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

    EXPECT_FALSE(CFile::GetStatus(L"D:\\data\\missing", status));
    EXPECT_STREQ(status.m_szFullName, L"D:\\data\\missing");  // the full path is filled first
    for (const wchar_t* bad : {L"D:\\data\\", L"D:\\"})
        EXPECT_FALSE(CFile::GetStatus(bad, status)) << bad;
    EXPECT_FALSE(CFile::GetStatus(nullptr, status));
    EXPECT_STREQ(status.m_szFullName, L"");
    EXPECT_FALSE(CFile::GetStatus((L"D:\\" + std::wstring(300, L'x')).c_str(), status));
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
