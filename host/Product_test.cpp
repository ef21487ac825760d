#include "host/Product.h"

#include "host/CurrentProfileScope_test.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Product, VersionTakesNullOutParametersAndTheOptionIsTheProfilesNumber)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.mainProgram = {3, 1, 101, 25, L"abc"};
        p.optionKQ58_751 = 2;
    });
    int minor = 0;
    CString text;
    GetMainProgramVersion(nullptr, &minor, nullptr, nullptr, &text);
    EXPECT_EQ(std::make_tuple(1, CString(L"abc")), std::make_tuple(minor, text));
    // Not 1, so a caller testing "== 1" sees no option although it is non-zero.
    EXPECT_EQ(IsOptionKQ58_751(), 2);
}

// A name handed out stays valid when the profile changes.
TEST(Product, AmplifierNamesForEmptyKnownAndUnknownCodes)
{
    const wchar_t* name = nullptr;
    {
        CurrentProfileScope scope([](InstrumentProfile& p) { p.ampTypeNames = {{1, L"DC AMP"}}; });
        EXPECT_STREQ(GetAmpTypeName(0), L"----");
        EXPECT_STREQ(GetAmpTypeName(0xAB), L"AMP(AB)");
        name = GetAmpTypeName(1);
    }
    CurrentProfileScope other([](InstrumentProfile& p) { p.ampTypeNames = {{1, L"other"}}; });
    EXPECT_STREQ(GetAmpTypeName(1), L"other");
    EXPECT_STREQ(name, L"DC AMP");
}
