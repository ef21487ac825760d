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

TEST(CStringTest, ElementAccessIsBoundsChecked)
{
    CString text(L"abc");
    EXPECT_EQ(text.GetAt(1), L'b');
    EXPECT_EQ(text[2], L'c');
    EXPECT_EQ(text.GetAt(3), L'\0');
    EXPECT_EQ(text.GetAt(-1), L'\0');
    text.SetAt(0, L'X');
    text.SetAt(5, L'Y');
    EXPECT_EQ(text, L"Xbc");
    EXPECT_STREQ(static_cast<LPCWSTR>(text), L"Xbc");
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, GetBufferAndReleaseBuffer)
{
    CString text(L"old");
    wchar_t* buffer = text.GetBuffer(260);
    EXPECT_EQ(std::wcsncmp(buffer, L"old", 3), 0);
    std::wcscpy(buffer, L"D:\\data");
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"D:\\data");
    EXPECT_EQ(text.GetLength(), 7);

    buffer = text.GetBuffer(10);
    buffer[0] = L'Q';
    text.ReleaseBuffer(3);
    EXPECT_EQ(text, L"Q:\\");

    // A full buffer of exactly minLength characters still gets a terminator.
    buffer = text.GetBufferSetLength(4);
    std::wmemcpy(buffer, L"abcd", 4);
    text.ReleaseBuffer(-1);
    EXPECT_EQ(text, L"abcd");
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

TEST(CStringTest, FindAndReverseFind)
{
    CString text(L"a.b.c");
    EXPECT_EQ(text.Find(L'.'), 1);
    EXPECT_EQ(text.Find(L'.', 2), 3);
    EXPECT_EQ(text.Find(L'.', 4), -1);
    EXPECT_EQ(text.Find(L'.', 99), -1);
    EXPECT_EQ(text.Find(L'.', -1), -1);
    EXPECT_EQ(text.Find(L"b.c"), 2);
    EXPECT_EQ(text.Find(L"b.c", 3), -1);
    EXPECT_EQ(text.Find(L"", 2), 2);
    EXPECT_EQ(text.Find(static_cast<const wchar_t*>(nullptr)), -1);
    EXPECT_EQ(text.ReverseFind(L'.'), 3);
    EXPECT_EQ(text.ReverseFind(L'x'), -1);
    EXPECT_EQ(text.FindOneOf(L"cb"), 2);
}

TEST(CStringTest, ReplaceRemoveInsertDelete)
{
    CString text(L"a\\b\\c");
    EXPECT_EQ(text.Replace(L'\\', L'/'), 2);
    EXPECT_EQ(text, L"a/b/c");
    EXPECT_EQ(text.Replace(L"/", L"::"), 2);
    EXPECT_EQ(text, L"a::b::c");
    EXPECT_EQ(text.Replace(L"", L"x"), 0);
    EXPECT_EQ(text.Replace(L"::", nullptr), 2);
    EXPECT_EQ(text, L"abc");
    CString repeated(L"aaaa");
    EXPECT_EQ(repeated.Replace(L"aa", L"a"), 2);  // non-overlapping, left to right
    EXPECT_EQ(repeated, L"aa");

    CString name(L"report.TXT");
    EXPECT_EQ(name.Remove(L'T'), 2);  // case matters: the 't' of "report" stays
    EXPECT_EQ(name, L"report.X");
}

TEST(CStringTest, InsertAndDelete)
{
    CString text(L"ac");
    EXPECT_EQ(text.Insert(1, L'b'), 3);
    EXPECT_EQ(text, L"abc");
    EXPECT_EQ(text.Insert(99, L"de"), 5);
    EXPECT_EQ(text, L"abcde");
    EXPECT_EQ(text.Insert(-3, L"_"), 6);
    EXPECT_EQ(text, L"_abcde");
    EXPECT_EQ(text.Delete(0), 5);
    EXPECT_EQ(text.Delete(3, 99), 3);
    EXPECT_EQ(text, L"abc");
    EXPECT_EQ(text.Delete(5, 1), 3);
    EXPECT_EQ(text.Delete(1, -1), 3);
    EXPECT_EQ(text, L"abc");
}

TEST(CStringTest, CaseFoldingIsAsciiOnly)
{
    CString text(L"Data.ｆｓｄ é");
    text.MakeUpper();
    EXPECT_EQ(text, L"DATA.ｆｓｄ é");
    text.MakeLower();
    EXPECT_EQ(text, L"data.ｆｓｄ é");
    EXPECT_EQ(CString(L".TXT").CompareNoCase(L".txt"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abcd").CompareNoCase(L"ABC"), 0);
    // Folding to lower case puts '_' before letters.
    EXPECT_LT(CString(L"_").CompareNoCase(L"a"), 0);
    EXPECT_LT(CString(L"_").CompareNoCase(L"A"), 0);
}

TEST(CStringTest, Trim)
{
    CString text(L" \t name  \r\n");
    EXPECT_EQ(CString(text).TrimLeft(), L"name  \r\n");
    EXPECT_EQ(CString(text).TrimRight(), L" \t name");
    EXPECT_EQ(text.Trim(), L"name");
    EXPECT_EQ(CString(L"xxabxx").Trim(L'x'), L"ab");
    EXPECT_EQ(CString(L"-=ab=-").Trim(L"=-"), L"ab");
    EXPECT_EQ(CString(L"    ").Trim(), L"");
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
