#include "pages/files/FilePathRules.h"

#include <gtest/gtest.h>

namespace {

TEST(FilePathRulesTest, OnlyNamesOfOneEntryPass)
{
    for (const wchar_t* good : {L"report.txt", L"NewFolder", L"データ 1", L"a.b.c", L".profile", L"x"})
        EXPECT_TRUE(FilePathRules::IsSingleEntryName(good)) << "refused a plain name";
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\evil", L"a\\b", L"a/b", L"C:x", L"D:", L"\\\\host\\share",
                               L"a?", L"a*", L"a<b", L"a>b", L"a|b", L"a\"b", L"tab\tname", L"trailing.",
                               L"blank ", L"..."})
        EXPECT_FALSE(FilePathRules::IsSingleEntryName(bad)) << "took a name that leaves its folder or is refused";
}

TEST(FilePathRulesTest, JoinNeedsAFolderWithBackslashAndStaysBelowTheLimit)
{
    CString path;
    EXPECT_TRUE(FilePathRules::JoinEntryPath(L"D:\\data\\", L"a.txt", path));
    EXPECT_EQ(path, L"D:\\data\\a.txt");
    path = L"unchanged";
    EXPECT_FALSE(FilePathRules::JoinEntryPath(L"D:\\data", L"a.txt", path));
    EXPECT_FALSE(FilePathRules::JoinEntryPath(L"", L"a.txt", path));
    EXPECT_FALSE(FilePathRules::JoinEntryPath(L"D:\\data\\", L"..", path));
    EXPECT_EQ(path, L"unchanged") << "a refused join leaves the output alone";

    const CString folder = L"D:\\";
    const CString longest(L'n', MAX_PATH - 1 - folder.GetLength());  // 259 characters in all
    EXPECT_TRUE(FilePathRules::JoinEntryPath(folder, longest, path));
    EXPECT_EQ(path.GetLength(), MAX_PATH - 1);
    EXPECT_FALSE(FilePathRules::JoinEntryPath(folder, longest + L"n", path)) << "260 characters is over the limit";
}

TEST(FilePathRulesTest, ExtensionsLookOnlyAtTheLastName)
{
    EXPECT_EQ(FilePathRules::ExtensionOf(L"D:\\a\\report.TXT"), L".TXT");
    EXPECT_EQ(FilePathRules::ExtensionOf(L"D:\\a.dir\\report"), L"");
    EXPECT_EQ(FilePathRules::ExtensionOf(L"report"), L"");
    EXPECT_EQ(FilePathRules::ReplaceExtension(L"data.fsd", L"csv"), L"data.csv");
    EXPECT_EQ(FilePathRules::ReplaceExtension(L"007", L"csv"), L"007.csv");
    EXPECT_EQ(FilePathRules::ReplaceExtension(L"a.b.fsd", L"csv"), L"a.b.csv");
    EXPECT_EQ(FilePathRules::ReplaceExtension(L"D:\\a.dir\\x", L"TXT"), L"D:\\a.dir\\x.TXT");
}

TEST(FilePathRulesTest, ParentAndRootFolders)
{
    EXPECT_EQ(FilePathRules::ParentFolder(L"D:\\a\\b\\"), L"D:\\a\\");
    EXPECT_EQ(FilePathRules::ParentFolder(L"D:\\a\\"), L"D:\\");
    EXPECT_EQ(FilePathRules::WithTrailingBackslash(L"E:\\x"), L"E:\\x\\");
    EXPECT_EQ(FilePathRules::WithTrailingBackslash(L"E:\\x\\"), L"E:\\x\\");

    EXPECT_TRUE(FilePathRules::IsRootFolder(L"D:\\"));
    EXPECT_FALSE(FilePathRules::IsRootFolder(L"D:\\data\\"));
    EXPECT_TRUE(FilePathRules::IsRootFolder(L"\\\\host\\")) << "server level of a network path";
    EXPECT_FALSE(FilePathRules::IsRootFolder(L"\\\\host\\share\\dir\\"));
    EXPECT_FALSE(FilePathRules::IsRootFolder(L"D:\\a\\b\\")) << "three backslashes, but not two leading ones";
}

}  // namespace
