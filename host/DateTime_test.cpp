#include "host/DateTime.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const wchar_t kCommon[] = L"%04Y/%02M/%02D %02h:%02m:%02s";

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
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
    EXPECT_EQ(CDateTime().Format(kCommon, 0).GetStdString(), L"0000/00/00 00:00:00") << "default constructed";
}

// Widths and flags follow printf; timer masks leave out their parts, a hidden
// part in the middle taking one separator with it; bits for parts the
// pattern does not have change nothing.
TEST(DateTime, WidthsFlagsAndMasks)
{
    const std::tuple<const wchar_t*, unsigned, const wchar_t*> rows[] = {
        {L"[%3D]", 0, L"[ 14]"},
        {L"[%-3D]", 0, L"[14 ]"},
        {L"[%-04D]", 0, L"[14  ]"},
        {L"[%D]", 0, L"[14]"},
        {L"100%% at %h", 0, L"100% at 9"},
        {L"%q %5 %", 0, L"%q %5 %"},
        {L"no codes", 0, L"no codes"},
        {kCommon, 8, L"2024/05/14 09:30"},
        {kCommon, 11, L"14 09:30"},
        {kCommon, 31, L"30"},
        {kCommon, CDateTime::HIDE_MONTH, L"2024/14 09:30:15"},
        {L"<%Y-%M>", CDateTime::HIDE_YEAR, L"5>"},
        {L"<%Y-%M>", CDateTime::HIDE_MONTH, L"<2024"},
        {L"<%Y-%M>", CDateTime::HIDE_YEAR | CDateTime::HIDE_MONTH, L""},
        {L"%02h:%02m", CDateTime::HIDE_YEAR | CDateTime::HIDE_SECOND, L"09:30"},
    };
    const SYSTEMTIME t = Time(2024, 5, 14, 9, 30, 15);
    for (const auto& [format, mask, expected] : rows)
        EXPECT_EQ(Show(t, format, mask), expected) << format << " mask " << mask;
    EXPECT_EQ(CDateTime(t).Format(nullptr, 0).GetStdString(), L"");
}
