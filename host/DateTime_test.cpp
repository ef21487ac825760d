#include "host/DateTime.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kCommon[] = L"%04Y/%02M/%02D %02h:%02m:%02s";

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME t;
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

std::wstring Show(const SYSTEMTIME& time, const wchar_t* format, unsigned mask = 0)
{
    CDateTime date;
    date = time;
    return date.Format(format, mask).GetStdString();
}

} // namespace

TEST(DateTime, CommonFormatShowsEveryPartPadded)
{
    EXPECT_EQ(Show(Time(2024, 5, 4, 3, 2, 1), kCommon), L"2024/05/04 03:02:01");
    EXPECT_EQ(Show(Time(987, 12, 31, 23, 59, 59), kCommon), L"0987/12/31 23:59:59");
    // A value wider than its field is not cut.
    EXPECT_EQ(Show(Time(12345, 1, 1, 0, 0, 0), L"%02Y"), L"12345");
}

TEST(DateTime, DefaultConstructedIsAllZero)
{
    const CDateTime date;
    EXPECT_EQ(date.Format(kCommon, 0).GetStdString(), L"0000/00/00 00:00:00");
    EXPECT_EQ(date.GetSystemTime().wYear, 0);
}

TEST(DateTime, WidthAndFlagsFollowPrintf)
{
    const SYSTEMTIME t = Time(2024, 5, 4, 3, 2, 1);
    EXPECT_EQ(Show(t, L"[%3D]"), L"[  4]");
    EXPECT_EQ(Show(t, L"[%-3D]"), L"[4  ]");
    EXPECT_EQ(Show(t, L"[%-03D]"), L"[4  ]");
    EXPECT_EQ(Show(t, L"[%D]"), L"[4]");
    EXPECT_EQ(Show(t, L"100%% at %h"), L"100% at 3");
    EXPECT_EQ(Show(t, L"%q %5 %"), L"%q %5 %");
    EXPECT_EQ(Show(t, L"no codes"), L"no codes");
    EXPECT_EQ(CDateTime(t).Format(nullptr, 0).GetStdString(), L"");
}

TEST(DateTime, TimerMasksLeaveOutTheirParts)
{
    const SYSTEMTIME t = Time(2024, 5, 14, 9, 30, 15);
    EXPECT_EQ(Show(t, kCommon, 8), L"2024/05/14 09:30");
    EXPECT_EQ(Show(t, kCommon, 11), L"14 09:30");
    EXPECT_EQ(Show(t, kCommon, 15), L"09:30");
    EXPECT_EQ(Show(t, kCommon, 31), L"30");
}

TEST(DateTime, SeparatorsFollowTheShownParts)
{
    const SYSTEMTIME t = Time(2024, 5, 14, 9, 30, 15);
    // A hidden part in the middle takes one separator with it.
    EXPECT_EQ(Show(t, kCommon, CDateTime::HIDE_MONTH), L"2024/14 09:30:15");
    EXPECT_EQ(Show(t, L"<%Y-%M>", CDateTime::HIDE_YEAR), L"5>");
    EXPECT_EQ(Show(t, L"<%Y-%M>", CDateTime::HIDE_MONTH), L"<2024");
    EXPECT_EQ(Show(t, L"<%Y-%M>", CDateTime::HIDE_YEAR | CDateTime::HIDE_MONTH), L"");
    // Bits for parts the pattern does not have change nothing.
    EXPECT_EQ(Show(t, L"%02h:%02m", CDateTime::HIDE_YEAR | CDateTime::HIDE_SECOND), L"09:30");
}
