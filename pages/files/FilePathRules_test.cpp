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

TEST(FilePathRulesTest, ExtensionsParentsAndRootsLookOnlyAtTheRightNames)
{
    const std::pair<CString, CString> cases[] = {
        {FilePathRules::ExtensionOf(L"D:\\a\\report.TXT"), L".TXT"},
        {FilePathRules::ExtensionOf(L"D:\\a.dir\\report"), L""},
        {FilePathRules::ReplaceExtension(L"007", L"csv"), L"007.csv"},
        {FilePathRules::ReplaceExtension(L"a.b.fsd", L"csv"), L"a.b.csv"},
        {FilePathRules::ReplaceExtension(L"D:\\a.dir\\x", L"TXT"), L"D:\\a.dir\\x.TXT"},
        {FilePathRules::ParentFolder(L"D:\\a\\b\\"), L"D:\\a\\"},
        {FilePathRules::WithTrailingBackslash(L"E:\\x\\"), L"E:\\x\\"},
    };
    for (const auto& [made, expected] : cases)
        EXPECT_EQ(made, expected);
    // A drive root, or the server level of a network path, has no parent row.
    for (const wchar_t* rootFolder : {L"D:\\", L"\\\\host\\"})
        EXPECT_TRUE(FilePathRules::IsRootFolder(rootFolder));
    for (const wchar_t* folder : {L"D:\\data\\", L"\\\\host\\share\\dir\\", L"D:\\a\\b\\"})
        EXPECT_FALSE(FilePathRules::IsRootFolder(folder));
}

}  // namespace
