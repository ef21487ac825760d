#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace win;

TEST(TextConvertTest, Utf8RoundTripAndMalformedInput)
{
    const std::wstring text = L"システム ABC \U0001F600 é";
    const std::string utf8 = WideToUtf8(text);
    EXPECT_EQ(utf8, "\xE3\x82\xB7\xE3\x82\xB9\xE3\x83\x86\xE3\x83\xA0 ABC \xF0\x9F\x98\x80 \xC3\xA9");
    EXPECT_EQ(Utf8ToWide(utf8), text);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\xFFFD\xFFFD");           // overlong '/'
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\xFFFD\xFFFD\xFFFD");  // encoded surrogate
    EXPECT_EQ(Utf8ToWide("\xE3\x82"), L"\xFFFD");                 // cut at the end: one character
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), L"\xFFFD\xFFFD\xFFFD\xFFFD");  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x82"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
}

TEST(TextConvertTest, Utf16SurrogatesAndInvalidValues)
{
    std::wstring bad;
    bad += static_cast<wchar_t>(0xD800);
    bad += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(WideToUtf8(bad), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf16(bad), u"\xFFFD\xFFFD");
    const std::wstring text = L"A\U0001F600あ";
    const std::u16string utf16 = WideToUtf16(text);
    ASSERT_EQ(utf16.size(), 4u);
    EXPECT_EQ(utf16[1], 0xD83D);
    EXPECT_EQ(utf16[2], 0xDE00);
    EXPECT_EQ(Utf16ToWide(utf16), text);
    // Unpaired surrogates.
    EXPECT_EQ(Utf16ToWide(u"\xD83Dx"), L"\xFFFDx");
    EXPECT_EQ(Utf16ToWide(std::u16string(1, 0xDE00)), L"\xFFFD");
}

TEST(TextConvertTest, NarrowBuffersNeverOverflowNorCutACharacter)
{
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    bool truncated = false;
    // "D:\データ" is 3 + 3*3 bytes; 7 bytes fit before the terminator: "D:\" and one character.
    EXPECT_EQ(CopyToNarrowBuffer(L"D:\\データ", buffer, 8, &truncated), 6u);
    EXPECT_TRUE(truncated);
    EXPECT_STREQ(buffer, "D:\\\xE3\x83\x87");
    EXPECT_EQ(buffer[7], '#');  // untouched beyond the terminator

    EXPECT_EQ(CopyToNarrowBuffer(L"1234567", buffer, &truncated), 7u);
    EXPECT_FALSE(truncated);
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_EQ(CopyToNarrowBuffer(L"12345678", buffer, &truncated), 7u);
    EXPECT_TRUE(truncated);

    char one[1] = {'#'};
    EXPECT_EQ(CopyToNarrowBuffer(L"abc", one, 1, &truncated), 0u);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(CopyToNarrowBuffer(L"abc", one, 0, &truncated), 0u);
    EXPECT_TRUE(truncated);
    char five[5];
    EXPECT_EQ(CopyUtf8ToBuffer("ab\xE3\x83\x87", five, sizeof five), 2u);
    EXPECT_STREQ(five, "ab");
    EXPECT_EQ(Utf8PrefixLength("\xE3\x83\x87\xE3\x83\xBC", 5), 3u);
    EXPECT_EQ(Utf8PrefixLength("\xE3\x83\x87\xE3\x83\xBC", 6), 6u);
    EXPECT_EQ(Utf8PrefixLength("abc", 0), 0u);
}

// Whole surrogate pairs within a limit are the configuration texts' story,
// the 40-byte comment field the saved setups'; here the field's own ends.
TEST(TextConvertTest, Utf16FieldsStopAtTheirEnd)
{
    char16_t small[3];
    bool truncated = false;
    EXPECT_EQ(CopyToUtf16Buffer(L"a\U0001F600", small, &truncated), 1u);  // the pair needs 2 units
    EXPECT_TRUE(truncated);
    EXPECT_EQ(small[1], u'\0');
    const char16_t unterminated[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(Utf16FieldToWide(unterminated, 3), L"abc");
    EXPECT_EQ(Utf16FieldToWide(unterminated, 2), L"ab");
    EXPECT_EQ(Utf16FieldToWide(nullptr, 2), L"");
}

}  // namespace
