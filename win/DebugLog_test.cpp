#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override { win::DebugLog::Clear(); }
    void TearDown() override { win::DebugLog::Clear(); }
};

TEST_F(DebugLogTest, EachCallIsOneLineAndTrailingBreakAddsNothing)
{
    OutputDebugStringW(L"GetSystemDirectory() 失敗\n");
    OutputDebugStringW(L"CreateWindowExW: invalid parent");
    auto lines = win::DebugLog::Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"GetSystemDirectory() 失敗");
    EXPECT_EQ(lines[1], L"CreateWindowExW: invalid parent");
}

TEST_F(DebugLogTest, BreaksInsideAMessageSplitIt)
{
    OutputDebugStringW(L"first\r\nsecond\n\nfourth");
    auto lines = win::DebugLog::Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], L"first");
    EXPECT_EQ(lines[1], L"second");
    EXPECT_EQ(lines[2], L"");
    EXPECT_EQ(lines[3], L"fourth");
}

TEST_F(DebugLogTest, NarrowOutputIsUtf8)
{
    OutputDebugStringA("EWFMGR.EXE \xE8\xB5\xB7\xE5\x8B\x95\xE5\xA4\xB1\xE6\x95\x97\n");
    EXPECT_TRUE(win::DebugLog::Contains(L"EWFMGR.EXE 起動失敗"));
}

TEST_F(DebugLogTest, NullAndEmptyMessagesAreHarmless)
{
    OutputDebugStringW(nullptr);
    OutputDebugStringA(nullptr);
    OutputDebugStringW(L"");
    auto lines = win::DebugLog::Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].empty());
}

TEST_F(DebugLogTest, ClearEmptiesAndContainsFindsFragments)
{
    OutputDebugStringW(L"ClosePlaybackFile() failed.\n");
    EXPECT_TRUE(win::DebugLog::Contains(L"Playback"));
    EXPECT_FALSE(win::DebugLog::Contains(L"playback"));
    win::DebugLog::Clear();
    EXPECT_TRUE(win::DebugLog::Lines().empty());
    EXPECT_FALSE(win::DebugLog::Contains(L"Playback"));
}

TEST_F(DebugLogTest, KeepsOnlyTheNewestLines)
{
    for (std::size_t i = 0; i < win::DebugLog::kMaxLines + 5; ++i)
        OutputDebugStringW(std::to_wstring(i).c_str());
    auto lines = win::DebugLog::Lines();
    ASSERT_EQ(lines.size(), win::DebugLog::kMaxLines);
    EXPECT_EQ(lines.front(), L"5");
    EXPECT_EQ(lines.back(), std::to_wstring(win::DebugLog::kMaxLines + 4));
}

TEST_F(DebugLogTest, ConcurrentWritersLoseNothing)
{
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([] {
            for (int i = 0; i < 500; ++i)
                OutputDebugStringW(L"worker line\n");
        });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(win::DebugLog::Lines().size(), 2000u);
}

TEST_F(DebugLogTest, EchoesToStderrWhenAsked)
{
    setenv("SYSDLG_DEBUG", "1", 1);
    testing::internal::CaptureStderr();
    OutputDebugStringW(L"echo 確認");
    std::string captured = testing::internal::GetCapturedStderr();
    unsetenv("SYSDLG_DEBUG");
    EXPECT_NE(captured.find("echo \xE7\xA2\xBA\xE8\xAA\x8D"), std::string::npos);

    testing::internal::CaptureStderr();
    OutputDebugStringW(L"silent");
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("silent"), std::string::npos);
}

}  // namespace
