#include "InstrumentClock.h"

#include "AppTestSupport.h"
#include "tests/harness/TempDataRoot.h"
#include "win/TimeApi.h"

#include <gtest/gtest.h>

namespace {

class InstrumentClockTest : public ::testing::Test {
protected:
    ~InstrumentClockTest() override { win::Clock::SetOffsetSeconds(machine); }

    const std::int64_t machine = win::Clock::GetOffsetSeconds();
    testing_support::TempDataRoot temporary{""};
    std::string path = temporary.Path() + "/clock.txt";
};

// A time set on the instrument is kept only when it changed and comes back
// at the next start.
TEST_F(InstrumentClockTest, TheOffsetIsKeptWhenItChangesAndComesBack)
{
    std::string error;
    InstrumentClock first(path);
    ASSERT_TRUE(first.Load(error)) << "a new instrument: " << error;
    ASSERT_TRUE(first.KeepIfChanged(error));
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing changed, nothing written";
    win::Clock::SetOffsetSeconds(-86400 * 400);
    ASSERT_TRUE(first.KeepIfChanged(error)) << error;
    EXPECT_EQ(app_testing::ReadAll(path), "offset_seconds = -34560000\n");

    win::Clock::SetOffsetSeconds(0);
    InstrumentClock again(path);
    ASSERT_TRUE(again.Load(error)) << error;
    EXPECT_EQ(win::Clock::GetOffsetSeconds(), -34560000);
}

TEST_F(InstrumentClockTest, ADamagedFileLeavesTheMachinesTime)
{
    for (const char* text : {"", "offset_seconds = ", "offset_seconds = 12x\n", "offset = 12\n",
                             "offset_seconds = 99999999999999999999\n"}) {
        app_testing::WriteAll(path, text);
        win::Clock::SetOffsetSeconds(0);
        std::string error;
        EXPECT_FALSE(InstrumentClock(path).Load(error)) << text;
        EXPECT_NE(error.find("not a clock offset"), std::string::npos) << text;
        EXPECT_EQ(win::Clock::GetOffsetSeconds(), 0) << text;
    }
}

}  // namespace
