#include "host/widgets/NumberFormat.h"

#include <gtest/gtest.h>

using host::FormatDouble;
using host::FormatInteger;

TEST(NumberFormat, DoubleFormatsOfTheDialogCode)
{
    std::wstring out;
    ASSERT_TRUE(FormatDouble(L"%8G", 50, out));
    EXPECT_EQ(L"      50", out);
    ASSERT_TRUE(FormatDouble(L"%G", 0.000001, out));
    EXPECT_EQ(L"1E-06", out);
    ASSERT_TRUE(FormatDouble(L"%.1f", 2.25, out));
    EXPECT_EQ(L"2.2", out);
    ASSERT_TRUE(FormatDouble(L"%0.4g", 9999, out));
    EXPECT_EQ(L"9999", out);
    ASSERT_TRUE(FormatDouble(L"%.4g", 12.5, out));
    EXPECT_EQ(L"12.5", out);
    ASSERT_TRUE(FormatDouble(L"%lf s (100%%)", 1.5, out));
    EXPECT_EQ(L"1.500000 s (100%)", out);
}

TEST(NumberFormat, IntegerFormatsTakeTheWindowsSizePrefix)
{
    std::wstring out;
    ASSERT_TRUE(FormatInteger(L"%I64d", 1234567890123LL, out));
    EXPECT_EQ(L"1234567890123", out) << "all 64 bits, not cut to 32";
    ASSERT_TRUE(FormatInteger(L"%04d", 7, out));
    EXPECT_EQ(L"0007", out);
    ASSERT_TRUE(FormatInteger(L"%ld min", -3, out));
    EXPECT_EQ(L"-3 min", out);
    ASSERT_TRUE(FormatInteger(L"%X", 255, out));
    EXPECT_EQ(L"FF", out);
}

TEST(NumberFormat, RefusesFormatsThatDoNotFitTheValue)
{
    std::wstring out = L"unchanged";
    EXPECT_FALSE(FormatDouble(L"%d", 1, out));
    EXPECT_FALSE(FormatDouble(L"%s", 1, out));
    EXPECT_FALSE(FormatDouble(L"%Lf", 1, out));
    EXPECT_FALSE(FormatDouble(L"%g %g", 1, out));
    EXPECT_FALSE(FormatDouble(L"no conversion", 1, out));
    EXPECT_FALSE(FormatDouble(L"%*g", 1, out));
    EXPECT_FALSE(FormatDouble(L"%", 1, out));
    EXPECT_FALSE(FormatDouble(L"%99g", 1, out)) << "absurd widths are refused";
    EXPECT_FALSE(FormatInteger(L"%f", 1, out));
    EXPECT_FALSE(FormatInteger(L"%n", 1, out));
    EXPECT_FALSE(FormatInteger(L"%hhd", 1, out));
    EXPECT_FALSE(FormatInteger(L"", 1, out));
    EXPECT_EQ(L"unchanged", out);
}
