#include "win/TimeApi.h"

#include "win/Handles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>

namespace {

SYSTEMTIME Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    SYSTEMTIME t;
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    t.wMilliseconds = static_cast<WORD>(ms);
    return t;
}

void ExpectTime(const SYSTEMTIME& t, int year, int month, int day, int hour, int minute, int second)
{
    EXPECT_EQ(t.wYear, year);
    EXPECT_EQ(t.wMonth, month);
    EXPECT_EQ(t.wDay, day);
    EXPECT_EQ(t.wHour, hour);
    EXPECT_EQ(t.wMinute, minute);
    EXPECT_EQ(t.wSecond, second);
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
    zone.DaylightDate.wMonth = 3;
    zone.DaylightDate.wDay = 5;
    zone.DaylightDate.wHour = 2;
    zone.StandardDate.wMonth = 10;
    zone.StandardDate.wDay = 5;
    zone.StandardDate.wHour = 3;
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
    FILETIME zero;
    SYSTEMTIME t;
    ASSERT_TRUE(FileTimeToSystemTime(&zero, &t));
    ExpectTime(t, 1601, 1, 1, 0, 0, 0);
    EXPECT_EQ(t.wDayOfWeek, 1);  // a Monday

    FILETIME epoch = win::TicksToFileTime(win::kUnixEpochTicks + 1234 * 10000);
    ASSERT_TRUE(FileTimeToSystemTime(&epoch, &t));
    ExpectTime(t, 1970, 1, 1, 0, 0, 1);
    EXPECT_EQ(t.wMilliseconds, 234);
    EXPECT_EQ(t.wDayOfWeek, 4);  // a Thursday

    SYSTEMTIME leap = Make(2024, 2, 29, 23, 59, 59, 999);
    FILETIME file;
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &file));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    ExpectTime(back, 2024, 2, 29, 23, 59, 59);
    EXPECT_EQ(back.wMilliseconds, 999);
    EXPECT_EQ(back.wDayOfWeek, 4);

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

TEST_F(TimeApiTest, FixedZoneWithoutDaylightSaving)
{
    win::Clock::SetTimeZone(Tokyo());
    TIME_ZONE_INFORMATION zone;
    EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(zone.Bias, -540);
    EXPECT_STREQ(zone.StandardName, L"JST");
    SYSTEMTIME utc = Make(2024, 12, 31, 20, 30, 0);
    SYSTEMTIME local;
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    ExpectTime(local, 2025, 1, 1, 5, 30, 0);
    EXPECT_EQ(local.wDayOfWeek, 3);
    SYSTEMTIME back;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &back));
    ExpectTime(back, 2024, 12, 31, 20, 30, 0);
}

TEST_F(TimeApiTest, DaylightSavingRulesAtTheTransitions)
{
    const TIME_ZONE_INFORMATION zone = CentralEurope();
    SYSTEMTIME local;
    SYSTEMTIME utc = Make(2024, 3, 31, 0, 59, 59);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &local));
    ExpectTime(local, 2024, 3, 31, 1, 59, 59);
    utc = Make(2024, 3, 31, 1, 0, 0);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &local));
    ExpectTime(local, 2024, 3, 31, 3, 0, 0);
    utc = Make(2024, 10, 27, 0, 59, 59);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &local));
    ExpectTime(local, 2024, 10, 27, 2, 59, 59);
    utc = Make(2024, 10, 27, 1, 0, 0);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &local));
    ExpectTime(local, 2024, 10, 27, 2, 0, 0);
    // 2023's last Sunday of March is the 26th.
    utc = Make(2023, 3, 26, 1, 0, 0);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &utc, &local));
    ExpectTime(local, 2023, 3, 26, 3, 0, 0);
}

TEST_F(TimeApiTest, SouthernHemisphereDaylightSpansTheNewYear)
{
    TIME_ZONE_INFORMATION sydney;
    sydney.Bias = -600;
    sydney.DaylightBias = -60;
    sydney.DaylightDate.wMonth = 10;  // first Sunday of October, 02:00
    sydney.DaylightDate.wDay = 1;
    sydney.DaylightDate.wHour = 2;
    sydney.StandardDate.wMonth = 4;  // first Sunday of April, 03:00
    sydney.StandardDate.wDay = 1;
    sydney.StandardDate.wHour = 3;
    SYSTEMTIME local;
    SYSTEMTIME january = Make(2024, 1, 15, 0, 0, 0);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&sydney, &january, &local));
    EXPECT_EQ(local.wHour, 11);
    SYSTEMTIME july = Make(2024, 7, 15, 0, 0, 0);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&sydney, &july, &local));
    EXPECT_EQ(local.wHour, 10);
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
    EXPECT_EQ(zone.DaylightDate.wMonth, 3);
    EXPECT_EQ(zone.DaylightDate.wDay, 5);
    EXPECT_EQ(zone.DaylightDate.wDayOfWeek, 0);
    EXPECT_EQ(zone.DaylightDate.wHour, 2);
    EXPECT_EQ(zone.StandardDate.wMonth, 10);
    EXPECT_EQ(zone.StandardDate.wDay, 5);
    EXPECT_EQ(zone.StandardDate.wHour, 3);
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

TEST_F(TimeApiTest, SetLocalTimeMovesOnlyTheSimulatedClock)
{
    win::Clock::SetTimeZone(Tokyo());
    const std::time_t machineBefore = std::time(nullptr);
    SYSTEMTIME wanted = Make(2031, 5, 6, 7, 8, 9);
    ASSERT_TRUE(SetLocalTime(&wanted));
    EXPECT_GE(std::time(nullptr), machineBefore);  // the machine's clock did not move
    EXPECT_LE(std::time(nullptr) - machineBefore, 5);

    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME wantedFile;
    FILETIME gotFile;
    SystemTimeToFileTime(&wanted, &wantedFile);
    SystemTimeToFileTime(&local, &gotFile);
    const std::int64_t drift = win::FileTimeToTicks(gotFile) - win::FileTimeToTicks(wantedFile);
    EXPECT_GE(drift, -win::kTicksPerSecond);
    EXPECT_LT(drift, 5 * win::kTicksPerSecond);

    SYSTEMTIME utc;
    GetSystemTime(&utc);
    EXPECT_EQ((local.wHour + 24 - utc.wHour) % 24, 9);

    const std::int64_t offset = win::Clock::GetOffsetSeconds();
    EXPECT_GT(offset, 0);
    win::Clock::SetOffsetSeconds(0);
    win::Clock::SetOffsetSeconds(offset);  // as the simulator restores it
    GetLocalTime(&local);
    EXPECT_EQ(local.wYear, 2031);
    EXPECT_EQ(_time64(nullptr) - std::time(nullptr), offset);
}

TEST_F(TimeApiTest, SetLocalTimeRefusesBadFieldsAndKeepsTheClock)
{
    win::Clock::SetOffsetSeconds(77);
    SYSTEMTIME bad = Make(2024, 2, 30, 10, 0, 0);
    SetLastError(0);
    EXPECT_FALSE(SetLocalTime(&bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SetLocalTime(nullptr));
    EXPECT_FALSE(SetSystemTime(&bad));
    EXPECT_EQ(win::Clock::GetOffsetSeconds(), 77);
}

TEST_F(TimeApiTest, LocalTimeInADaylightGapUsesStandardTime)
{
    win::Clock::SetTimeZone(CentralEurope());
    SYSTEMTIME gap = Make(2024, 3, 31, 2, 30, 0);  // does not exist locally
    ASSERT_TRUE(SetLocalTime(&gap));
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    EXPECT_EQ(utc.wHour, 1);
    EXPECT_GE(utc.wMinute, 29);
}

TEST_F(TimeApiTest, LocaltimeAndMktime64)
{
    win::Clock::SetTimeZone(CentralEurope());
    __time64_t summer = (win::DaysFromCivil(2024, 7, 1) * 86400) + 12 * 3600;
    struct tm* local = _localtime64(&summer);
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->tm_year, 124);
    EXPECT_EQ(local->tm_mon, 6);
    EXPECT_EQ(local->tm_mday, 1);
    EXPECT_EQ(local->tm_hour, 14);
    EXPECT_EQ(local->tm_isdst, 1);
    EXPECT_EQ(local->tm_wday, 1);
    EXPECT_EQ(local->tm_yday, 182);
    wchar_t text[128];
    ASSERT_GT(std::wcsftime(text, 128, L"%Y/%m/%d %H:%M %Z", local), 0u);
    EXPECT_STREQ(text, L"2024/07/01 14:00 CEST");

    struct tm copy = *local;
    EXPECT_EQ(_mktime64(&copy), summer);
    copy.tm_mday += 31;  // normalised: August 1st
    EXPECT_EQ(_mktime64(&copy), summer + 31 * 86400);
    EXPECT_EQ(copy.tm_mon, 7);

    __time64_t negative = -1;
    EXPECT_EQ(_localtime64(&negative), nullptr);
    __time64_t tooLate = 32535216000;
    EXPECT_EQ(_localtime64(&tooLate), nullptr);
    EXPECT_EQ(_localtime64(nullptr), nullptr);
    __time64_t epoch = 0;
    ASSERT_NE(_gmtime64(&epoch), nullptr);
    EXPECT_EQ(_gmtime64(&epoch)->tm_year, 70);
}

TEST_F(TimeApiTest, FileTimeToLocalUsesTheCurrentBias)
{
    win::Clock::SetTimeZone(Tokyo());
    FILETIME utc = win::TicksToFileTime(win::kUnixEpochTicks);
    FILETIME local;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    EXPECT_EQ(win::FileTimeToTicks(local) - win::FileTimeToTicks(utc), 9 * 3600 * win::kTicksPerSecond);
    FILETIME back;
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(CompareFileTime(&back, &utc), 0);
    EXPECT_EQ(CompareFileTime(&utc, &local), -1);
    EXPECT_EQ(CompareFileTime(&local, &utc), 1);
}

TEST(CalendarTest, DaysAndMonths)
{
    EXPECT_EQ(win::DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(win::DaysFromCivil(2000, 3, 1), 11017);
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    win::CivilFromDays(-1, year, month, day);
    EXPECT_EQ(year, 1969);
    EXPECT_EQ(month, 12u);
    EXPECT_EQ(day, 31u);
    EXPECT_EQ(win::DaysInMonth(1900, 2), 28u);
    EXPECT_EQ(win::DaysInMonth(2000, 2), 29u);
    EXPECT_EQ(win::DaysInMonth(2023, 13), 0u);
}

}  // namespace
