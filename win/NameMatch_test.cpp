#include "win/NameMatch.h"

#include <gtest/gtest.h>

namespace {

using win::MatchesWildcard;

TEST(NameMatchTest, NamesCompareWithoutCase)
{
    EXPECT_TRUE(win::NamesEqual(L"Report.TXT", L"report.txt"));
    EXPECT_TRUE(win::NamesEqual(L"ÄÖÜé", L"äöüÉ"));
    EXPECT_TRUE(win::NamesEqual(L"ＡＢＣ", L"ａｂｃ"));
    EXPECT_TRUE(win::NamesEqual(L"Привет", L"ПРИВЕТ"));
    EXPECT_FALSE(win::NamesEqual(L"abc", L"abd"));
    EXPECT_FALSE(win::NamesEqual(L"abc", L"abcd"));
    EXPECT_FALSE(win::NamesEqual(L"÷", L"×"));        // signs, not letters
    EXPECT_FALSE(win::NamesEqual(L"データ", L"でーた"));  // kana do not fold
}

TEST(NameMatchTest, StarDotStarMatchesEverything)
{
    EXPECT_TRUE(MatchesWildcard(L"*.*", L"noext"));
    EXPECT_TRUE(MatchesWildcard(L"*.*", L"a.b.c"));
    EXPECT_TRUE(MatchesWildcard(L"*", L".hidden"));
    EXPECT_TRUE(MatchesWildcard(L"*.*", L".."));
}

TEST(NameMatchTest, StarsAndQuestionMarks)
{
    EXPECT_TRUE(MatchesWildcard(L"*.csv", L"DATA.CSV"));
    EXPECT_FALSE(MatchesWildcard(L"*.csv", L"data.csv.bak"));
    EXPECT_TRUE(MatchesWildcard(L"No.?.cfg", L"No.3.cfg"));
    EXPECT_FALSE(MatchesWildcard(L"No.?.cfg", L"No.10.cfg"));
    EXPECT_TRUE(MatchesWildcard(L"a*b*c", L"aXXbYYbZc"));
    EXPECT_FALSE(MatchesWildcard(L"a*b*c", L"aXXbYYbZ"));
    EXPECT_TRUE(MatchesWildcard(L"file.txt", L"FILE.TXT"));
    EXPECT_FALSE(MatchesWildcard(L"file.txt", L"file.tx"));
    EXPECT_TRUE(MatchesWildcard(L"**x", L"x"));
}

TEST(NameMatchTest, DosPatternQuirks)
{
    EXPECT_TRUE(MatchesWildcard(L"data.*", L"data"));   // ".*" may match nothing
    EXPECT_TRUE(MatchesWildcard(L"data.*", L"data.fsd"));
    EXPECT_TRUE(MatchesWildcard(L"*.", L"README"));     // trailing dot: no extension
    EXPECT_FALSE(MatchesWildcard(L"*.", L"read.me"));
    EXPECT_TRUE(MatchesWildcard(L"*.", L".."));
    EXPECT_FALSE(MatchesWildcard(L"*.", L".profile"));
}

TEST(NameMatchTest, ValidNames)
{
    EXPECT_TRUE(win::IsValidFileName(L"_KQ58SYSTEM.$$$"));
    EXPECT_TRUE(win::IsValidFileName(L"新しいフォルダ"));
    EXPECT_FALSE(win::IsValidFileName(L""));
    EXPECT_FALSE(win::IsValidFileName(L"a\\b"));
    EXPECT_FALSE(win::IsValidFileName(L"a/b"));
    EXPECT_FALSE(win::IsValidFileName(L"tab\there"));
    EXPECT_FALSE(win::IsValidFileName(L"what?"));
    EXPECT_TRUE(win::HasWildcards(L"*.txt"));
    EXPECT_FALSE(win::HasWildcards(L"plain.txt"));
}

}  // namespace
