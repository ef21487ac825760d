#include "win/CString.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>

#include "win/TextConvert.h"

// Readable failure messages.
void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << win::WideToUtf8(text.GetStdString()) << '"';
}

namespace {

TEST(CStringTest, Construction)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L"abc").GetLength(), 3);
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    EXPECT_TRUE(CString(L'x', -2).IsEmpty());
    EXPECT_EQ(CString(L"abcdef", 2), L"ab");
    EXPECT_EQ(CString(std::wstring(L"std")), L"std");
    EXPECT_EQ(CString("\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF"), L"データ");  // narrow is UTF-8
}

// Element access, buffers, insertion and deletion clamp out-of-range
// positions instead of writing past the text.
TEST(CStringTest, PositionsOutsideTheTextAreClamped)
{
    CString text(L"abc");
    EXPECT_EQ((std::wstring{text.GetAt(1), text[2], text.GetAt(3), text.GetAt(-1)}), std::wstring(L"bc\0\0", 4));
    text.SetAt(5, L'Y');
    EXPECT_EQ(text.Insert(99, L"de"), 5);
    EXPECT_EQ(text.Insert(-3, L"_"), 6);
    EXPECT_EQ(text.Delete(3, 99), 3);
    EXPECT_EQ(text.Delete(5, 1) + text.Delete(1, -1), 6);
    EXPECT_EQ(text, L"_ab");

    wchar_t* buffer = text.GetBuffer(260);
    std::wcscpy(buffer, L"D:\\data");
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"D:\\data");
    text.ReleaseBuffer(3);
    EXPECT_EQ(text, L"D:\\");
    // A full buffer of exactly minLength characters still gets a terminator.
    std::wmemcpy(text.GetBufferSetLength(4), L"abcd", 4);
    text.ReleaseBuffer(-1);
    text.ReleaseBuffer(99);  // longer than the text: keeps it
    EXPECT_EQ(text, L"abcd");
}

TEST(CStringTest, LeftRightMidClamp)
{
    CString text(L"D:\\a\\b");
    EXPECT_EQ(text.Left(2), L"D:");
    EXPECT_EQ(text.Left(99), text);
    EXPECT_EQ(text.Left(-1), L"");
    EXPECT_EQ(text.Right(1), L"b");
    EXPECT_EQ(text.Right(99), text);
    EXPECT_EQ(text.Mid(3), L"a\\b");
    EXPECT_EQ(text.Mid(3, 1), L"a");
    EXPECT_EQ(text.Mid(-5, 2), L"D:");
    EXPECT_EQ(text.Mid(10), L"");
    EXPECT_EQ(text.Mid(4, 100), L"\\b");
}

TEST(CStringTest, FindReplaceAndFold)
{
    CString text(L"a.b.c");
    EXPECT_EQ(text.Find(L'.', 2), 3);
    EXPECT_EQ(text.Find(L'.', 99) + text.Find(L'.', -1) + text.Find(static_cast<const wchar_t*>(nullptr)), -3);
    EXPECT_EQ(text.Find(L"b.c", 3), -1);
    EXPECT_EQ(text.ReverseFind(L'.'), 3);
    EXPECT_EQ(text.ReverseFind(L'x'), -1);
    EXPECT_EQ(text.FindOneOf(L"cb"), 2);
    CString repeated(L"aaaa");
    EXPECT_EQ(repeated.Replace(L"aa", L"a"), 2);  // non-overlapping, left to right
    EXPECT_EQ(repeated.Replace(L"", L"x") + repeated.Remove(L'A'), 0);  // case matters
    EXPECT_EQ(repeated, L"aa");

    // Folding is ASCII only and puts '_' before letters.
    CString name(L"Data.ｆｓｄ é");
    EXPECT_EQ(name.MakeUpper(), L"DATA.ｆｓｄ é");
    EXPECT_EQ(CString(L".TXT").CompareNoCase(L".txt"), 0);
    EXPECT_GT(CString(L"abcd").CompareNoCase(L"ABC"), 0);
    EXPECT_LT(CString(L"_").CompareNoCase(L"A"), 0);
    EXPECT_EQ(CString(L" \t name  \r\n").TrimRight(), L" \t name");
    EXPECT_EQ(CString(L"-=ab=-").Trim(L"=-"), L"ab");
    EXPECT_EQ(CString(L"\x3000全角\x3000").Trim(), L"\x3000全角\x3000");  // not ASCII white space
}

TEST(CStringTest, CompareConcatenateAndFormat)
{
    CString a(L"abc");
    EXPECT_LT(a.Compare(L"abd"), 0);
    EXPECT_EQ(a.Compare(L"abc"), 0);
    EXPECT_GT(a.Compare(nullptr), 0);
    EXPECT_TRUE(L"abc" == a && a != L"ABC");
    EXPECT_TRUE(a < CString(L"abd") && L"abb" < a);

    CString path(L"D:\\");
    path += L"data";
    path += L'\\';
    path += CString(L"x.csv");
    EXPECT_EQ(path, L"D:\\data\\x.csv");
    EXPECT_EQ(L'<' + CString(L"a") + L"b" + L'>', L"<ab>");

    // Formatting follows the wide formatter; appending and formatting from itself are the string's own.
    path.Format(L"%s\\No.%d.cfg", L"D:\\_KQ58SYSTEM.$$$", 3);
    EXPECT_EQ(path, L"D:\\_KQ58SYSTEM.$$$\\No.3.cfg");
    path.AppendFormat(L" %S", "bytes");
    EXPECT_EQ(path, L"D:\\_KQ58SYSTEM.$$$\\No.3.cfg bytes");
    path.Format(L"[%s]", static_cast<LPCWSTR>(path));
    EXPECT_EQ(path, L"[D:\\_KQ58SYSTEM.$$$\\No.3.cfg bytes]");
}

TEST(CStringTest, StandardStringComparisonsStayUnambiguous)
{
    // With CString in scope, comparing standard strings to literals must
    // still pick the standard operators.
    std::wstring_view view = L"a";
    EXPECT_TRUE(view == L"a" && std::wstring(L"b") != L"a");
    EXPECT_EQ(CString(view), L"a");
}

}  // namespace
