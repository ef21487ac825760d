#include "host/ConfigText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

bool SameBytes(const CONFIG_SYSREC& a, const CONFIG_SYSREC& b)
{
    const auto pa = a.GetParams();
    const auto pb = b.GetParams();
    return std::memcmp(&pa, &pb, sizeof pa) == 0;
}

// Fields at their limits and odd values; plain switches and settings are
// round-tripped by the settings file's tests.
std::unique_ptr<CONFIG_SYSREC> FieldsAtTheirLimits()
{
    auto rec = std::make_unique<CONFIG_SYSREC>();
    rec->SetUseChanMask(0x3FFFF);
    rec->SetTotalMemSize(0xFFFFFFFF);
    rec->SetDataNo(0xFFFFFF);
    rec->SetTimeScale(-5);
    SYSTEMTIME odd;
    odd.wYear = 0;
    odd.wMonth = 13;
    odd.wDay = 99;
    odd.wMilliseconds = 999;
    odd.wDayOfWeek = 6;
    rec->SetStartTime(odd);
    rec->SetEndTime(SYSTEMTIME{2030, 12, 2, 31, 23, 59, 58, 1});
    rec->SetEvery(7);
    rec->SetIntervalTime(46080);
    rec->SetRunTime(INT32_MIN);
    rec->SetFeedLen(999);
    rec->SetGrid(4);
    rec->SetMeasInfoPSW(true);
    rec->SetSpeedPen(0, SPEED_TABLE{1960, 3, 2});
    rec->SetSpeedMem(1, SPEED_TABLE{250, 0, 1});
    rec->SetSpeedFile(0, SPEED_TABLE{-1, 9, 3});
    rec->SetSigLabelText(0, 0, L"  leading and trailing  ");
    rec->SetSigLabelText(15, 7, L"tab\there\\back");
    rec->SetAnnotationText(107, L"改行\r\nあり = # not a comment");
    rec->SetMeasInfoText(54, L"x");
    auto params = rec->GetParams();
    params.dwDataRecordCounter = 12345;
    params.bReservedPSW = 0x80;
    params.reserved1[0] = 1;
    params.reserved1[52851] = 0xFE;
    params.reserved2[55] = 0x7F;
    rec->SetParams(params);
    return rec;
}

} // namespace

TEST(ConfigText, SysRecRoundTripsEveryByteOfItsParameters)
{
    const auto original = FieldsAtTheirLimits();
    const std::string text = ConfigText::Write(*original);
    auto read = std::make_unique<CONFIG_SYSREC>();
    std::string error;
    ASSERT_TRUE(ConfigText::Read(text, *read, error)) << error;
    EXPECT_TRUE(SameBytes(*original, *read));
    EXPECT_EQ(read->GetSigLabelText(0, 0), L"  leading and trailing  ");
    EXPECT_EQ(read->GetAnnotationText(107), L"改行\r\nあり = # not a comment");
    EXPECT_EQ(read->GetStartTime().wMonth, 13);
    EXPECT_EQ(read->GetParams().dwDataRecordCounter, 12345u);
}

TEST(ConfigText, DamagedSysRecInputLeavesTheObjectAlone)
{
    const auto original = FieldsAtTheirLimits();
    const std::string good = ConfigText::Write(*original);
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string damaged[] = {
        good.substr(0, good.size() / 2),                           // truncated
        good.substr(good.find('\n') + 1),                          // no format line
        replace("format = CONFIG_SYSREC 1", "format = CONFIG_SYSREC 2"),
        replace("feed_len = 999\n", ""),                           // missing key
        replace("feed_len = 999", "feed_len = -1"),                // out of range
        replace("grid = 4", "grid = four"),
        replace("speed.pen.0 = 1960,3,2", "speed.pen.0 = 1960,3"),
        replace("end_time = 2030/12/31", "end_time = 2030-12-31"),
        replace("meas_info.54 = x", "meas_info.108 = x"),          // index beyond the lines
        replace("meas_info.54 = x", "meas_info.54 = " + std::string(32, 'y')), // too long for its field
        replace("meas_info.54 = x", "meas_info.54 = bad\\escape"),
        replace("meas_info.54 = x", "colour = red"),               // unknown key
        replace("reserved.32552 = 01", "reserved.32551 = 01"),     // outside a reserved area
        replace("reserved.32552 = 01", "reserved.32552 = 0"),      // odd hex digits
        replace("reserved.32552 = 01", "reserved.32552 = zz"),
        good + "annotation.0 = late\n",                            // after the end line
    };
    for (const auto& text : damaged) {
        auto target = std::make_unique<CONFIG_SYSREC>();
        const CONFIG_SYSREC pristine;
        std::string error;
        EXPECT_FALSE(ConfigText::Read(text, *target, error)) << text.substr(0, 200);
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(SameBytes(*target, pristine)) << error;
    }
}

// The settings file's tests read back a whole measurement object.
TEST(ConfigText, DamagedSysMeasInputLeavesTheObjectAlone)
{
    std::string error;
    const char* damaged[] = {
        "format = CONFIG_SYSMEAS 1\nmode = 1\nstartup = 0\n",            // truncated
        "format = CONFIG_SYSREC 1\nmode = 1\nstartup = 0\nend = CONFIG_SYSREC\n",
        "format = CONFIG_SYSMEAS 1\nmode = 1\nend = CONFIG_SYSMEAS\n",   // missing startup
        "format = CONFIG_SYSMEAS 1\nmode = x\nstartup = 0\nend = CONFIG_SYSMEAS\n",
        "format = CONFIG_SYSMEAS 1\nmode = 1\nstartup = 0\nreserved.6 = 1\nend = CONFIG_SYSMEAS\n",
        "format = CONFIG_SYSMEAS 1\nmode = 1\nmode = 2\nstartup = 0\nend = CONFIG_SYSMEAS\n",
    };
    for (const char* bad : damaged) {
        CONFIG_SYSMEAS target;
        target.SetMode(2);
        EXPECT_FALSE(ConfigText::Read(bad, target, error)) << bad;
        EXPECT_TRUE(target.GetMode() == 2 && target.GetStartup()) << bad;
    }
}
