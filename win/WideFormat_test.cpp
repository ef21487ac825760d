#include "win/WideFormat.h"

#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

using win::FormatWideArgs;

TEST(WideFormatTest, StringsAndCharacters)
{
    EXPECT_EQ(FormatWideArgs(L"%s\\EWFMGR.EXE C: -disable", L"C:\\WINDOWS\\system32"),
              L"C:\\WINDOWS\\system32\\EWFMGR.EXE C: -disable");
    EXPECT_EQ(FormatWideArgs(L"[%s]%s", L"D:\\データ\\a.fsd", L"上書きしますか？"),
              L"[D:\\データ\\a.fsd]上書きしますか？");
    // Narrow arguments are UTF-8.
    EXPECT_EQ(FormatWideArgs(L"<%S>", "\xE6\x97\xA5\xE6\x9C\xAC"), L"<日本>");
    EXPECT_EQ(FormatWideArgs(L"<%hs>", "abc"), L"<abc>");
    EXPECT_EQ(FormatWideArgs(L"<%ls|%ws|%lS>", L"wide", L"w", L"W"), L"<wide|w|W>");
    EXPECT_EQ(FormatWideArgs(L"[%5s]", L"ab"), L"[   ab]");
    EXPECT_EQ(FormatWideArgs(L"[%-5s]", L"ab"), L"[ab   ]");
    EXPECT_EQ(FormatWideArgs(L"[%.3s]", L"システム設定"), L"[システ]");
    EXPECT_EQ(FormatWideArgs(L"[%*.*s]", 6, 2, L"abcdef"), L"[    ab]");
    EXPECT_EQ(FormatWideArgs(L"[%*s]", -4, L"x"), L"[x   ]");  // negative width means left-justified
    EXPECT_EQ(FormatWideArgs(L"[%s]", static_cast<const wchar_t*>(nullptr)), L"[(null)]");
    EXPECT_EQ(FormatWideArgs(L"[%S]", static_cast<const char*>(nullptr)), L"[(null)]");
    // Precision counts characters; the buffer need not be terminated.
    const char unterminated[6] = {'\xE6', '\x97', '\xA5', '\xE6', '\x9C', '\xAC'};
    EXPECT_EQ(FormatWideArgs(L"%.1S", unterminated), L"日");
    EXPECT_EQ(FormatWideArgs(L"%.2S", unterminated), L"日本");
    EXPECT_EQ(FormatWideArgs(L"%c%c", L'あ', L'z'), L"あz");
    EXPECT_EQ(FormatWideArgs(L"[%3c][%-3c]", L'x', L'y'), L"[  x][y  ]");
}

TEST(WideFormatTest, IntegersWithLongAtThirtyTwoBitsAsOnWindows)
{
    EXPECT_EQ(FormatWideArgs(L"%d %i %u", -42, 7, 4000000000u), L"-42 7 4000000000");
    EXPECT_EQ(FormatWideArgs(L"%x %X %o %#x", 255u, 255u, 8u, 31u), L"ff FF 10 0x1f");
    EXPECT_EQ(FormatWideArgs(L"#%03d", 7), L"#007");
    EXPECT_EQ(FormatWideArgs(L"V%X.%02X", 0x10u, 0x0Au), L"V10.0A");
    EXPECT_EQ(FormatWideArgs(L"[%+d][% d][%-4d]", 5, 5, 5), L"[+5][ 5][5   ]");
    EXPECT_EQ(FormatWideArgs(L"[%05d][%-05d][%+05d][% 5d][%+ d][%05u][%+ u][%012d]", -42, -42, 42, 42, 42, 42u, 42u,
                             INT_MIN),
              L"[-0042][-42  ][+0042][   42][+42][00042][42][-02147483648]");
    EXPECT_EQ(FormatWideArgs(L"%hd %hu", 70000, 70000), L"4464 4464");  // cut to 16 bits
    EXPECT_EQ(FormatWideArgs(L"%.3d", 5), L"005");
    LONG negative = -5;
    DWORD large = 0xFFFFFFFFu;
    EXPECT_EQ(FormatWideArgs(L"%ld %lu %lx", negative, large, large), L"-5 4294967295 ffffffff");
    const long long big = 5000000000LL;
    EXPECT_EQ(FormatWideArgs(L"%I64d", big), L"5000000000");
    EXPECT_EQ(FormatWideArgs(L"%I64u", 18446744073709551615ULL), L"18446744073709551615");
    EXPECT_EQ(FormatWideArgs(L"%I64x|%I64X", 0x123456789ABCULL, 0x123456789ABCULL), L"123456789abc|123456789ABC");
    EXPECT_EQ(FormatWideArgs(L"%lld|%llu", LLONG_MIN, 1ULL << 40), L"-9223372036854775808|1099511627776");
    // Arguments after a 64-bit one stay in step.
    EXPECT_EQ(FormatWideArgs(L"%I64d %s %d", big, L"next", 3), L"5000000000 next 3");
    EXPECT_EQ(FormatWideArgs(L"%12I64d|", big), L"  5000000000|");
    EXPECT_EQ(FormatWideArgs(L"%Iu %zu", static_cast<std::size_t>(1) << 33, static_cast<std::size_t>(9)),
              sizeof(std::size_t) == 8 ? L"8589934592 9" : L"0 9");
}

TEST(WideFormatTest, FloatingPointAndPointers)
{
    EXPECT_EQ(FormatWideArgs(L"%f|%Lf", 1.5, 2.5), L"1.500000|2.500000");  // Windows' long double is a double
    EXPECT_EQ(FormatWideArgs(L"%.2f|%8.3f|%-8.1f|", 3.14159, 2.5, 2.25), L"3.14|   2.500|2.2     |");
    EXPECT_EQ(FormatWideArgs(L"%e", 12345.678), L"1.234568e+04");
    EXPECT_EQ(FormatWideArgs(L"%g %g", 0.0001, 1e20), L"0.0001 1e+20");
    EXPECT_EQ(FormatWideArgs(L"%.0f", 1e300).size(), 301u);  // a piece longer than the first buffer
    void* pointer = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xABC));
    std::wstring expected = sizeof(void*) == 8 ? L"0000000000000ABC" : L"00000ABC";
    EXPECT_EQ(FormatWideArgs(L"%p", pointer), expected);
}

TEST(WideFormatTest, LiteralsAndMalformedFormats)
{
    EXPECT_EQ(FormatWideArgs(L"100%% done"), L"100% done");
    EXPECT_EQ(FormatWideArgs(L"%%s %d%%", 5), L"%s 5%");
    EXPECT_EQ(FormatWideArgs(L"no conversions"), L"no conversions");
    EXPECT_EQ(FormatWideArgs(nullptr), L"");
    EXPECT_EQ(FormatWideArgs(L"50%"), L"50%");
    EXPECT_EQ(FormatWideArgs(L"value %-08"), L"value %-08");
    EXPECT_EQ(FormatWideArgs(L"%I64"), L"%I64");
    EXPECT_EQ(FormatWideArgs(L"%y|%d", 3), L"%y|3");  // unknown letter kept, argument not consumed
    win::DebugLog::Clear();
    int ignored = 0;
    EXPECT_EQ(FormatWideArgs(L"a%nb", &ignored), L"ab");
    EXPECT_EQ(ignored, 0);
    EXPECT_TRUE(win::DebugLog::Contains(L"%n"));
    std::wstring text = FormatWideArgs(L"%999999999d", 1);
    EXPECT_EQ(text.size(), static_cast<std::size_t>(win::kMaxFieldWidth));
    EXPECT_EQ(text.back(), L'1');
}

}  // namespace
