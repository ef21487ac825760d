#include "win/TimeApi.h"

#include "win/Handles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <tuple>

namespace {

SYSTEMTIME Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    auto word = [](int value) { return static_cast<WORD>(value); };
    return SYSTEMTIME{word(year), word(month), 0, word(day), word(hour), word(minute), word(second), word(ms)};
}

// "YYYY-MM-DD hh:mm:ss.mmm wD" (D: day of the week, 0 for Sunday).
std::string Text(const SYSTEMTIME& t)
{
    char text[80];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u w%u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
    return text;
}

TIME_ZONE_INFORMATION Tokyo()
{
    TIME_ZONE_INFORMATION zone;
    zone.Bias = -540;
    std::wcscpy(zone.StandardName, L"JST");
    return zone;
}

// Central Europe: last Sunday of March 02:00 to last Sunday of October 03:00.
TIME_ZONE_INFORMATION CentralEurope()
{
    TIME_ZONE_INFORMATION zone;
    zone.Bias = -60;
    zone.DaylightBias = -60;
    std::wcscpy(zone.StandardName, L"CET");
    std::wcscpy(zone.DaylightName, L"CEST");
    zone.DaylightDate = Make(0, 3, 5, 2);
    zone.StandardDate = Make(0, 10, 5, 3);
    return zone;
}

class TimeApiTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        win::Clock::SetOffsetSeconds(0);
        win::Clock::UseProcessTimeZone();
        unsetenv("TZ");
        tzset();
    }
};

TEST_F(TimeApiTest, FileTimeAndSystemTimeConvert)
{
    FILETIME file;
    SYSTEMTIME t;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &t));
    EXPECT_EQ(Text(t), "1601-01-01 00:00:00.000 w1");
    file = win::TicksToFileTime(win::kUnixEpochTicks + 1234 * 10000);
    ASSERT_TRUE(FileTimeToSystemTime(&file, &t));
    EXPECT_EQ(Text(t), "1970-01-01 00:00:01.234 w4");

    SYSTEMTIME leap = Make(2024, 2, 29, 23, 59, 59, 999);
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &file));
    ASSERT_TRUE(FileTimeToSystemTime(&file, &t));
    EXPECT_EQ(Text(t), "2024-02-29 23:59:59.999 w4");
    SYSTEMTIME last = Make(30827, 12, 31, 23, 59, 59, 999);
    ASSERT_TRUE(SystemTimeToFileTime(&last, &file));
    EXPECT_LT(file.dwHighDateTime, 0x80000000u);
}

TEST_F(TimeApiTest, InvalidTimesAreRefused)
{
    FILETIME file;
    for (SYSTEMTIME bad : {Make(2023, 2, 29), Make(2024, 13, 1), Make(2024, 0, 1), Make(1600, 12, 31),
                           Make(2024, 4, 31), Make(2024, 1, 1, 24), Make(2024, 1, 1, 0, 60), Make(2024, 1, 1, 0, 0, 60),
                           Make(2024, 1, 1, 0, 0, 0, 1000)}) {
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    FILETIME tooLarge;
    tooLarge.dwHighDateTime = 0x80000000;
    SYSTEMTIME t;
    EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &t));
    EXPECT_FALSE(FileTimeToSystemTime(nullptr, &t));
}

// A fixed zone's conversion is what the file page shows as a file's date.
TEST_F(TimeApiTest, DaylightSavingRulesAtTheTransitions)
{
    const TIME_ZONE_INFORMATION europe = CentralEurope();
    TIME_ZONE_INFORMATION sydney;  // first Sunday of October 02:00 to first Sunday of April 03:00
    sydney.Bias = -600;
    sydney.DaylightBias = -60;
    sydney.DaylightDate = Make(0, 10, 1, 2);
    sydney.StandardDate = Make(0, 4, 1, 3);
    const struct {
        const TIME_ZONE_INFORMATION* zone;
        SYSTEMTIME utc;
        const char* local;
    } cases[] = {
        {&europe, Make(2024, 3, 31, 0, 59, 59), "2024-03-31 01:59:59.000 w0"},
        {&europe, Make(2024, 3, 31, 1, 0, 0), "2024-03-31 03:00:00.000 w0"},
        {&europe, Make(2024, 10, 27, 0, 59, 59), "2024-10-27 02:59:59.000 w0"},
        {&europe, Make(2024, 10, 27, 1, 0, 0), "2024-10-27 02:00:00.000 w0"},
        {&europe, Make(2023, 3, 26, 1, 0, 0), "2023-03-26 03:00:00.000 w0"},  // 2023's last Sunday of March
        {&sydney, Make(2024, 1, 15), "2024-01-15 11:00:00.000 w1"},           // daylight spans the new year
        {&sydney, Make(2024, 7, 15), "2024-07-15 10:00:00.000 w1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Text(c.utc));
        SYSTEMTIME local;
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(c.zone, &c.utc, &local));
        EXPECT_EQ(Text(local), c.local);
    }
}

TEST_F(TimeApiTest, ProcessZoneComesFromTz)
{
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    TIME_ZONE_INFORMATION zone;
    DWORD id = GetTimeZoneInformation(&zone);
    EXPECT_TRUE(id == TIME_ZONE_ID_STANDARD || id == TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(zone.Bias, -60);
    EXPECT_EQ(zone.StandardBias, 0);
    EXPECT_EQ(zone.DaylightBias, -60);
    EXPECT_EQ(Text(zone.DaylightDate), "0000-03-05 02:00:00.000 w0");
    EXPECT_EQ(Text(zone.StandardDate), "0000-10-05 03:00:00.000 w0");
    EXPECT_STREQ(zone.StandardName, L"CET");
    EXPECT_STREQ(zone.DaylightName, L"CEST");

    // The derived rules agree with the process zone.
    SYSTEMTIME utc = Make(2024, 7, 1, 12, 0, 0);
    SYSTEMTIME byRules;
    SYSTEMTIME byProcess;
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &byRules));
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &byProcess));
    EXPECT_EQ(byRules.wHour, 14);
    EXPECT_EQ(byProcess.wHour, 14);

    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(zone.Bias, -540);
    EXPECT_EQ(zone.DaylightDate.wMonth, 0);
}

// Only the simulated clock moves; bad fields keep it; a local time in the
// daylight gap is read as standard time.
TEST_F(TimeApiTest, SetLocalTimeMovesOnlyTheSimulatedClock)
{
    win::Clock::SetTimeZone(Tokyo());
    const std::time_t machineBefore = std::time(nullptr);
    SYSTEMTIME wanted = Make(2031, 5, 6, 7, 8, 9);
    ASSERT_TRUE(SetLocalTime(&wanted));
    EXPECT_LE(std::time(nullptr) - machineBefore, 5) << "the machine's clock did not move";
    SYSTEMTIME local;
    SYSTEMTIME utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(Text(local).substr(0, 16), "2031-05-06 07:08");
    EXPECT_EQ((local.wHour + 24 - utc.wHour) % 24, 9);
    const std::int64_t offset = win::Clock::GetOffsetSeconds();
    // The machine's clock may tick between the readings.
    const std::time_t machine = std::time(nullptr);
    const std::int64_t simulated = _time64(nullptr) - offset;
    EXPECT_TRUE(simulated >= machine && simulated <= std::time(nullptr)) << simulated - machine;
    SYSTEMTIME bad = Make(2024, 2, 30, 10);
    SetLastError(0);
    EXPECT_FALSE(SetLocalTime(nullptr) || SetSystemTime(&bad) || SetLocalTime(&bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(win::Clock::GetOffsetSeconds(), offset);

    win::Clock::SetTimeZone(CentralEurope());
    SYSTEMTIME gap = Make(2024, 3, 31, 2, 30, 0);
    ASSERT_TRUE(SetLocalTime(&gap));
    GetSystemTime(&utc);
    EXPECT_EQ(Text(utc).substr(0, 13), "2024-03-31 01");
}

TEST_F(TimeApiTest, LocaltimeAndMktime64)
{
    win::Clock::SetTimeZone(CentralEurope());
    __time64_t summer = (win::DaysFromCivil(2024, 7, 1) * 86400) + 12 * 3600;
    struct tm* local = _localtime64(&summer);
    ASSERT_NE(local, nullptr);
    wchar_t text[128];
    ASSERT_GT(std::wcsftime(text, 128, L"%Y/%m/%d %H:%M %Z w%w d%j", local), 0u);
    EXPECT_STREQ(text, L"2024/07/01 14:00 CEST w1 d183");
    struct tm copy = *local;
    copy.tm_mday += 31;  // normalised: August 1st
    EXPECT_EQ(_mktime64(&copy), summer + 31 * 86400);
    EXPECT_EQ(copy.tm_mon, 7);
    for (__time64_t outside : {__time64_t{-1}, __time64_t{32535216000}})
        EXPECT_EQ(_localtime64(&outside), nullptr) << outside;
    EXPECT_EQ(_localtime64(nullptr), nullptr);
}

TEST_F(TimeApiTest, FileTimeToLocalUsesTheCurrentBias)
{
    win::Clock::SetTimeZone(Tokyo());
    FILETIME utc = win::TicksToFileTime(win::kUnixEpochTicks);
    FILETIME local;
    FILETIME back;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local) && LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(win::FileTimeToTicks(local) - win::FileTimeToTicks(utc), 9 * 3600 * win::kTicksPerSecond);
    EXPECT_EQ(std::make_tuple(CompareFileTime(&back, &utc), CompareFileTime(&utc, &local)), std::make_tuple(0, -1));
}

}  // namespace
