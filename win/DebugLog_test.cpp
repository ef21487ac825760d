#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

namespace {

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override { win::DebugLog::Clear(); }
    void TearDown() override { win::DebugLog::Clear(); }
};

// Each call is one line, a trailing break adds nothing, breaks inside split
// it, narrow text is UTF-8 and a null message is an empty line.
TEST_F(DebugLogTest, EachCallIsSplitIntoLines)
{
    const struct {
        std::function<void()> write;
        std::vector<std::wstring> lines;
    } cases[] = {
        {[] { OutputDebugStringW(L"GetSystemDirectory() 失敗\n"), OutputDebugStringW(L"invalid parent"); },
         {L"GetSystemDirectory() 失敗", L"invalid parent"}},
        {[] { OutputDebugStringW(L"first\r\nsecond\n\nfourth"); }, {L"first", L"second", L"", L"fourth"}},
        {[] { OutputDebugStringA("EWFMGR.EXE \xE8\xB5\xB7\xE5\x8B\x95\xE5\xA4\xB1\xE6\x95\x97\n"); },
         {L"EWFMGR.EXE 起動失敗"}},
        {[] { OutputDebugStringW(nullptr), OutputDebugStringA(nullptr), OutputDebugStringW(L""); }, {L"", L"", L""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines));
        win::DebugLog::Clear();
        c.write();
        EXPECT_EQ(win::DebugLog::Lines(), c.lines);
    }
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
