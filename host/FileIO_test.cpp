#include "host/FileIO.h"

#include "win/DebugLog.h"
#include "win/TempDataRoot_test.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

// Suspends nest and resume only when all are matched; a resume without a
// suspend is ignored and logged.
TEST(FileIO, SuspendsNestAndResumeOnlyWhenAllAreMatched)
{
    win::DebugLog::Clear();
    FileIO::AllResume();
    EXPECT_TRUE(win::DebugLog::Contains(L"AllResume without AllSuspend"));
    const int totalBefore = FileIO::GetSuspendTotal();
    ASSERT_FALSE(FileIO::IsSuspended());
    FileIO::AllSuspend();
    FileIO::AllSuspend();
    EXPECT_EQ(FileIO::GetSuspendDepth(), 2);
    FileIO::AllResume();
    EXPECT_TRUE(FileIO::IsSuspended());
    FileIO::AllResume();
    EXPECT_FALSE(FileIO::IsSuspended());
    EXPECT_EQ(FileIO::GetSuspendTotal(), totalBefore + 2);
}

TEST(FileIO, FinderEnumeratesAFolderLikeTheWindowsFunctions)
{
    win::testing::TempDataRoot root;
    root.MakeDir("D/data");
    root.MakeDir("D/data/sub");
    root.WriteFile("D/data/a.txt", "12345");
    root.WriteFile("D/data/b.FSD");
    FileIO finder(4);
    WIN32_FIND_DATAW data;
    ASSERT_TRUE(finder.FindFirst(L"D:\\data\\*.*", &data));
    std::set<std::wstring> names{data.cFileName};
    while (finder.FindNext(&data)) {
        names.insert(data.cFileName);
        if (std::wstring(data.cFileName) == L"a.txt") {
            EXPECT_EQ(data.nFileSizeLow, 5u);
        }
        if (std::wstring(data.cFileName) == L"sub") {
            EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    EXPECT_EQ(names, (std::set<std::wstring>{L".", L"..", L"a.txt", L"b.FSD", L"sub"}));
    EXPECT_TRUE(finder.FindClose());
    EXPECT_FALSE(finder.FindClose());
    EXPECT_FALSE(finder.FindNext(&data));
}

TEST(FileIO, FinderFailuresReturnZero)
{
    win::testing::TempDataRoot root;
    FileIO finder(4);
    WIN32_FIND_DATAW data;
    EXPECT_FALSE(finder.FindFirst(L"D:\\missing\\*.*", &data));
    EXPECT_FALSE(finder.FindNext(&data));
    EXPECT_FALSE(finder.FindFirst(nullptr, &data));
    EXPECT_FALSE(finder.FindFirst(L"D:\\*.*", nullptr));
    // A second FindFirst starts over; the object closes what is open.
    root.WriteFile("D/one.txt");
    ASSERT_TRUE(finder.FindFirst(L"D:\\*.*", &data));
    ASSERT_TRUE(finder.FindFirst(L"D:\\*.*", &data));
    EXPECT_STREQ(data.cFileName, L"one.txt");
}
