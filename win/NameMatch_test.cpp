#include "win/NameMatch.h"

#include <gtest/gtest.h>

namespace {

TEST(NameMatchTest, NamesCompareWithoutCase)
{
    const struct { const wchar_t* a; const wchar_t* b; bool equal; } cases[] = {
        {L"Report.TXT", L"report.txt", true}, {L"ÄÖÜé", L"äöüÉ", true}, {L"ＡＢＣ", L"ａｂｃ", true},
        {L"Привет", L"ПРИВЕТ", true},         {L"abc", L"abd", false},  {L"abc", L"abcd", false},
        {L"÷", L"×", false},                  // signs, not letters
        {L"データ", L"でーた", false},        // kana do not fold
    };
    for (const auto& c : cases)
        EXPECT_EQ(win::NamesEqual(c.a, c.b), c.equal) << testing::PrintToString(std::wstring(c.a));
}

TEST(NameMatchTest, Wildcards)
{
    const struct { const wchar_t* pattern; const wchar_t* name; bool matches; } cases[] = {
        {L"*.*", L"noext", true},          {L"*.*", L"a.b.c", true},
        {L"*", L".hidden", true},          {L"*.*", L"..", true},
        {L"*.csv", L"DATA.CSV", true},     {L"*.csv", L"data.csv.bak", false},
        {L"No.?.cfg", L"No.3.cfg", true},  {L"No.?.cfg", L"No.10.cfg", false},
        {L"a*b*c", L"aXXbYYbZc", true},    {L"a*b*c", L"aXXbYYbZ", false},
        {L"file.txt", L"FILE.TXT", true},  {L"file.txt", L"file.tx", false},
        {L"**x", L"x", true},
        {L"data.*", L"data", true},        // ".*" may match nothing
        {L"data.*", L"data.fsd", true},
        {L"*.", L"README", true},          // trailing dot: no extension
        {L"*.", L"read.me", false},        {L"*.", L"..", true},
        {L"*.", L".profile", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win::MatchesWildcard(c.pattern, c.name), c.matches)
            << testing::PrintToString(std::wstring(c.pattern) + L" ~ " + c.name);
}

TEST(NameMatchTest, ValidNames)
{
    for (const wchar_t* good : {L"_KQ58SYSTEM.$$$", L"新しいフォルダ"})
        EXPECT_TRUE(win::IsValidFileName(good));
    for (const wchar_t* bad : {L"", L"a\\b", L"a/b", L"tab\there", L"what?"})
        EXPECT_FALSE(win::IsValidFileName(bad)) << testing::PrintToString(std::wstring(bad));
    EXPECT_TRUE(win::HasWildcards(L"*.txt"));
    EXPECT_FALSE(win::HasWildcards(L"plain.txt"));
}

}  // namespace
