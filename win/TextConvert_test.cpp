#include "win/TextConvert.h"

#include "win/Handles.h"

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

TEST(TextConvertTest, Cp932)
{
    auto sjis = WideToCp932(L"ｱ漢字～");
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(*sjis, "\xB1\x8A\xBF\x8E\x9A\x81\x60");
    EXPECT_EQ(Cp932ToWide(*sjis), L"ｱ漢字～");
    EXPECT_FALSE(WideToCp932(L"a\U0001F600").has_value());
    bool substituted = false;
    EXPECT_EQ(WideToCp932(L"a\U0001F600b", "?", &substituted).value_or("none"), "a?b");
    EXPECT_TRUE(substituted);
    bool invalid = false;
    EXPECT_EQ(Cp932ToWide("a\x81", &invalid), L"a\x30FB");  // cut double-byte character
    EXPECT_TRUE(invalid);
}

// Counts with and without the terminator, a buffer too small, invalid input
// with and without the strict flag, code pages.
TEST(TextConvertTest, MultiByteToWideCharFollowsWin32)
{
    const char* text = "\xE3\x81\x82" "b";  // "あb"
    wchar_t buffer[3];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 3), 3);
    EXPECT_STREQ(buffer, L"あb");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 3, buffer, 3), 1);
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, buffer, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xFF", 2, buffer, 3), 2);
    EXPECT_EQ(buffer[1], 0xFFFD);
    EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", 1, buffer, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(932, 0, "\x8A\xBF", 2, buffer, 3), 1);
    EXPECT_EQ(buffer[0], L'漢');
}

TEST(TextConvertTest, WideCharToMultiByteFollowsWin32)
{
    char buffer[8];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"あb", -1, nullptr, 0, nullptr, nullptr), 5);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"あb", -1, buffer, 4, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    BOOL used = TRUE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, buffer, 8, nullptr, &used), 0) << "UTF-8 takes no default";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    std::wstring lone(1, static_cast<wchar_t>(0xDC00));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone.c_str(), 1, buffer, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    // The ANSI code page and 932 substitute and report it.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, lone.c_str(), 1, buffer, 8, "*", &used), 1);
    EXPECT_EQ(std::make_pair(buffer[0], used), std::make_pair('*', TRUE));
    EXPECT_EQ(WideCharToMultiByte(932, 0, L"字\U0001F600", 2, buffer, 8, nullptr, &used), 3);
    EXPECT_EQ(std::string(buffer, 3), "\x8E\x9A?");
    EXPECT_EQ(WideCharToMultiByte(932, 0, L"字", 1, buffer, 8, nullptr, &used), 2);
    EXPECT_EQ(used, FALSE);
}

}  // namespace
