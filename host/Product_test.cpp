#include "host/Product.h"

#include "host/CurrentProfileScope_test.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Product, AnswersComeFromTheCurrentProfile)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.productId = 1234;
        p.mainProgram = {3, 1, 101, 25, L"abc"};
        p.pw7200 = true;
        p.optionKQ58_751 = 2;
    });
    EXPECT_EQ(GetMachineID(), 1234u);
    int major = 0, minor = 0, revision = 0, build = 0;
    CString text;
    GetMainProgramVersion(&major, &minor, &revision, &build, &text);
    EXPECT_EQ(std::make_tuple(3, 1, 101, 25, CString(L"abc")), std::make_tuple(major, minor, revision, build, text));
    // Null out-parameters are allowed.
    GetMainProgramVersion(nullptr, &minor, nullptr, nullptr, nullptr);
    EXPECT_TRUE(IsPW7200());
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
