#include "host/widgets/NumberFormat.h"

#include <gtest/gtest.h>

#include <tuple>

using host::FormatDouble;
using host::FormatInteger;

TEST(NumberFormat, FormatsOfTheDialogCodeWithTheWindowsSizePrefix)
{
    const std::tuple<const wchar_t*, double, const wchar_t*> doubles[] = {
        {L"%8G", 50, L"      50"}, {L"%G", 0.000001, L"1E-06"}, {L"%.1f", 2.25, L"2.2"}, {L"%0.4g", 9999, L"9999"},
        {L"%.4g", 12.5, L"12.5"},   {L"%lf s (100%%)", 1.5, L"1.500000 s (100%)"},
    };
    for (const auto& [format, value, expected] : doubles) {
        std::wstring out;
        EXPECT_TRUE(FormatDouble(format, value, out)) << format;
        EXPECT_EQ(expected, out) << format;
    }
    const std::tuple<const wchar_t*, long long, const wchar_t*> integers[] = {
        {L"%I64d", 1234567890123LL, L"1234567890123"},  // all 64 bits, not cut to 32
        {L"%04d", 7, L"0007"}, {L"%ld min", -3, L"-3 min"}, {L"%X", 255, L"FF"},
    };
    for (const auto& [format, value, expected] : integers) {
        std::wstring out;
        EXPECT_TRUE(FormatInteger(format, value, out)) << format;
        EXPECT_EQ(expected, out) << format;
    }
}

TEST(NumberFormat, RefusesFormatsThatDoNotFitTheValue)
{
    std::wstring out = L"unchanged";
    // Absurd widths are refused too.
    for (const wchar_t* format : {L"%d", L"%s", L"%Lf", L"%g %g", L"no conversion", L"%*g", L"%", L"%99g"})
        EXPECT_FALSE(FormatDouble(format, 1, out)) << format;
    for (const wchar_t* format : {L"%f", L"%n", L"%hhd", L""})
        EXPECT_FALSE(FormatInteger(format, 1, out)) << format;
    EXPECT_EQ(L"unchanged", out);
}
