#include "win/NameMatch.h"

#include <gtest/gtest.h>

namespace {

TEST(NameMatchTest, NamesCompareWithoutCase)
{
    // order: of a against b in a folder's listing.
    const struct { const wchar_t* a; const wchar_t* b; int order; } cases[] = {
        {L"Report.TXT", L"report.txt", 0}, {L"ÄÖÜé", L"äöüÉ", 0},  {L"ＡＢＣ", L"ａｂｃ", 0},
        {L"Привет", L"ПРИВЕТ", 0},         {L"abc", L"abd", -1},   {L"abc", L"abcd", -1},
        {L"_x", L"ax", 1},                 // letters fold up, below '_'
        {L"zeta", L"über", -1},            // beyond ASCII folds too, and sorts after it
        {L"÷", L"×", 1},                   // signs, not letters
        {L"データ", L"でーた", 1},         // kana do not fold
    };
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto& c : cases) {
        const std::string label = testing::PrintToString(std::wstring(c.a) + L" ~ " + c.b);
        EXPECT_EQ(win::NamesEqual(c.a, c.b), c.order == 0) << label;
        EXPECT_EQ(sign(win::CompareNames(c.a, c.b)), c.order) << label;
        EXPECT_EQ(sign(win::CompareNames(c.b, c.a)), -c.order) << label;
    }
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
