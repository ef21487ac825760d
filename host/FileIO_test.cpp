#include "host/FileIO.h"

#include "win/DebugLog.h"
#include "win/TempDataRoot_test.h"

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

// What a folder lists is checked by the file page's listing; here the
// finder's own failure paths and restarts.
TEST(FileIO, FinderFailuresReturnZeroAndAFinderRestartsAndClosesOnce)
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
    EXPECT_TRUE(finder.FindClose());
    EXPECT_FALSE(finder.FindClose());
    EXPECT_FALSE(finder.FindNext(&data));
}
