#include "host/FileIO.h"
#include "host/FileRecording.h"

#include "win/DebugLog.h"

#include <gtest/gtest.h>

TEST(FileIO, SuspendsNestAndResumeOnlyWhenAllAreMatched)
{
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

TEST(FileIO, ResumeWithoutSuspendIsIgnoredAndLogged)
{
    win::DebugLog::Clear();
    FileIO::AllResume();
    EXPECT_EQ(FileIO::GetSuspendDepth(), 0);
    EXPECT_TRUE(win::DebugLog::Contains(L"AllResume without AllSuspend"));
    FileIO::AllSuspend();
    EXPECT_TRUE(FileIO::IsSuspended());
    FileIO::AllResume();
}

TEST(FileIO, KeepsItsMode)
{
    FileIO finder(4);
    EXPECT_EQ(finder.GetMode(), 4);
}

TEST(FileRecording, RemembersTheLastReservedSize)
{
    const int before = CFileRecording::GetSetCount();
    CFileRecording::SetMemBackupReservedSize(5LL * 1024 * 1024 * 1024);
    EXPECT_EQ(CFileRecording::GetMemBackupReservedSize(), 5LL * 1024 * 1024 * 1024);
    CFileRecording::SetMemBackupReservedSize(-1);
    EXPECT_EQ(CFileRecording::GetMemBackupReservedSize(), -1);
    EXPECT_EQ(CFileRecording::GetSetCount(), before + 2);
}
