#include "win/ShellFileOperation.h"

#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

using Question = win::ShellFileOperation::Question;
using Answer = win::ShellFileOperation::Answer;
using win::testing::TempDataRoot;

struct Asked {
    Question question;
    std::wstring path;
};

class ShellFileOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::ShellFileOperation::SetConfirmHandler([this](HWND, Question question, const std::wstring& path) {
            asked.push_back({question, path});
            return answer;
        });
    }

    void TearDown() override { win::ShellFileOperation::SetConfirmHandler(nullptr); }

    int Run(UINT function, const std::wstring& from, const std::wstring& to, FILEOP_FLAGS flags)
    {
        // Lists end with two terminators.
        fromList = from + L'\0';
        toList = to + L'\0';
        operation = SHFILEOPSTRUCTW{};
        operation.wFunc = function;
        operation.pFrom = fromList.c_str();
        operation.pTo = to.empty() ? nullptr : toList.c_str();
        operation.fFlags = flags;
        return SHFileOperationW(&operation);
    }

    void MakeTree(const std::string& top)
    {
        for (const char* folder : {"", "/a", "/a/b", "/a/b/c"})
            root.MakeDir(top + folder);
        root.WriteFile(top + "/f1.txt", "1");
        root.WriteFile(top + "/a/f2.txt", "2");
        root.WriteFile(top + "/a/b/c/f3.txt", "3");
    }

    TempDataRoot root;
    std::vector<Asked> asked;
    Answer answer = Answer::Yes;
    std::wstring fromList;
    std::wstring toList;
    SHFILEOPSTRUCTW operation;
};

// Read-only files go too; neighbours whose names start alike stay; links are
// removed, never followed.
TEST_F(ShellFileOperationTest, DeleteAsksOnceAndRemovesExactlyTheTree)
{
    MakeTree("D/tree");
    root.WriteFile("D/tree-neighbour.txt", "stays");
    ::chmod((root / "D/tree/a/f2.txt").c_str(), 0444);
    root.MakeDir("D/keep");
    root.WriteFile("D/keep/precious.txt", "!");
    ASSERT_EQ(::symlink((root / "D/keep").c_str(), (root / "D/tree/a/link").c_str()), 0);
    ASSERT_EQ(::symlink("/etc", (root / "D/tree/etc").c_str()), 0);
    EXPECT_EQ(Run(FO_DELETE, L"D:\\tree", L"", 0), 0);
    EXPECT_FALSE(root.Exists("D/tree"));
    EXPECT_TRUE(root.Exists("D/tree-neighbour.txt"));
    EXPECT_EQ(root.ReadFile("D/keep/precious.txt"), "!");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].question, Question::DeleteItem);
    EXPECT_EQ(asked[0].path, L"D:\\tree");
    // Declined, the next item stays.
    answer = Answer::No;
    EXPECT_EQ(Run(FO_DELETE, L"D:\\tree-neighbour.txt", L"", 0), 0);
    EXPECT_TRUE(root.Exists("D/tree-neighbour.txt"));
    EXPECT_TRUE(operation.fAnyOperationsAborted);
}

TEST_F(ShellFileOperationTest, DeleteFailures)
{
    EXPECT_NE(Run(FO_DELETE, L"D:\\missing", L"", FOF_NOCONFIRMATION), 0);
    EXPECT_NE(Run(FO_DELETE, L"D:\\", L"", FOF_NOCONFIRMATION), 0);
    EXPECT_TRUE(root.Exists("D"));
    EXPECT_NE(Run(FO_DELETE, L"D:\\..\\C", L"", FOF_NOCONFIRMATION), 0);
    EXPECT_TRUE(root.Exists("C"));
    root.MakeDir("D/busy");
    ASSERT_EQ(_chdir("D:\\busy"), 0);
    EXPECT_EQ(Run(FO_DELETE, L"D:\\busy", L"", FOF_NOCONFIRMATION), ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(root.Exists("D/busy"));
    EXPECT_NE(SHFileOperationW(nullptr), 0);
    EXPECT_NE(Run(99, L"D:\\busy", L"", 0), 0);
}

TEST_F(ShellFileOperationTest, DeleteWithWildcardsAndSeveralItems)
{
    for (const char* name : {"D/a.csv", "D/b.csv", "D/c.txt", "D/d.txt"})
        root.WriteFile(name);
    EXPECT_EQ(Run(FO_DELETE, std::wstring(L"D:\\*.csv\0D:\\d.txt", 17), L"", FOF_NOCONFIRMATION), 0);
    EXPECT_FALSE(root.Exists("D/a.csv") || root.Exists("D/b.csv") || root.Exists("D/d.txt"));
    EXPECT_TRUE(root.Exists("D/c.txt"));
}

TEST_F(ShellFileOperationTest, CopyToANewNameOrIntoAFolderAndReplaceAfterAsking)
{
    root.WriteFile("D/src.txt", "new");
    const timespec written[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (root / "D/src.txt").c_str(), written, 0), 0);
    EXPECT_EQ(Run(FO_COPY, L"D:\\src.txt", L"C:\\copy.txt", 0), 0);
    EXPECT_EQ(root.ReadFile("C/copy.txt"), "new");
    struct stat copied {};
    ASSERT_EQ(::stat((root / "C/copy.txt").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mtim.tv_sec, 1000000000) << "the copy keeps the date the file page shows";
    EXPECT_TRUE(asked.empty());
    root.MakeDir("C/dest");
    root.WriteFile("C/dest/SRC.TXT", "old");
    answer = Answer::No;
    EXPECT_EQ(Run(FO_COPY, L"D:\\src.txt", L"C:\\dest", 0), 0);
    EXPECT_EQ(root.ReadFile("C/dest/SRC.TXT"), "old");
    EXPECT_TRUE(operation.fAnyOperationsAborted);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].question, Question::ReplaceFile);
    answer = Answer::Yes;
    EXPECT_EQ(Run(FO_COPY, L"D:\\src.txt", L"C:\\dest", 0), 0);
    EXPECT_EQ(root.ReadFile("C/dest/SRC.TXT"), "new");  // the existing entry, whatever its case
    EXPECT_FALSE(root.Exists("C/dest/src.txt"));
}

// A first copy of a folder is the file page's story; again into the copy it
// is a merge, asked once for the folder.
TEST_F(ShellFileOperationTest, CopyFolderIntoAnExistingCopyMerges)
{
    MakeTree("D/tree");
    EXPECT_EQ(Run(FO_COPY, L"D:\\tree", L"C:\\tree", FOF_NOCONFIRMATION), 0);
    root.WriteFile("D/tree/a/extra.txt", "x");
    EXPECT_EQ(Run(FO_COPY, L"D:\\tree", L"C:\\", FOF_NOCONFIRMMKDIR), 0);
    EXPECT_EQ(root.ReadFile("C/tree/a/extra.txt"), "x");
    EXPECT_EQ(root.ReadFile("C/tree/a/b/c/f3.txt"), "3");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].question, Question::ReplaceFolder);
    EXPECT_EQ(asked[0].path, L"C:\\tree");
}

TEST_F(ShellFileOperationTest, CopyRefusesSelfAndOwnSubtree)
{
    MakeTree("D/tree");
    // Onto itself: a folder would land inside itself, a file on itself.
    EXPECT_EQ(Run(FO_COPY, L"D:\\tree", L"D:\\tree", FOF_NOCONFIRMATION), DE_DESTSUBTREE);
    EXPECT_EQ(Run(FO_COPY, L"D:\\tree\\f1.txt", L"d:\\TREE\\F1.TXT", FOF_NOCONFIRMATION), DE_SAMEFILE);
    EXPECT_EQ(root.ReadFile("D/tree/f1.txt"), "1");
    EXPECT_EQ(Run(FO_COPY, L"D:\\tree", L"D:\\tree\\a", FOF_NOCONFIRMATION), DE_DESTSUBTREE);
    EXPECT_FALSE(root.Exists("D/tree/a/tree"));
}

TEST_F(ShellFileOperationTest, CopyNeverBringsInWhatLiesOutside)
{
    root.MakeDir("D/tree");
    ASSERT_EQ(::symlink("/etc/hostname", (root / "D/tree/outside").c_str()), 0);
    EXPECT_NE(Run(FO_COPY, L"D:\\tree", L"C:\\tree", FOF_NOCONFIRMATION), 0);
    EXPECT_FALSE(root.Exists("C/tree/outside"));
}

TEST_F(ShellFileOperationTest, SeveralSourcesIntoAFolderNotThereYetAskToCreateIt)
{
    root.WriteFile("D/a.txt", "a");
    root.WriteFile("D/b.txt", "b");
    EXPECT_EQ(Run(FO_COPY, std::wstring(L"D:\\a.txt\0D:\\b.txt", 17), L"C:\\new", 0), 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].question, Question::CreateFolder);
    EXPECT_EQ(root.ReadFile("C/new/a.txt") + root.ReadFile("C/new/b.txt"), "ab");
}

}  // namespace
