#include "win/ShellFileOperation.h"

#include "tests/harness/DialogTestHelpers.h"
#include "win/DebugLog.h"
#include "win/Handles.h"
#include "win/ShellQuestionBox.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace {

using Question = win::ShellFileOperation::Question;
using Answer = win::ShellFileOperation::Answer;
using win::testing::TempDataRoot;
using testing_support::ControlText;
using testing_support::ScriptedOperator;
using testing_support::ShowsText;

constexpr int kMessageId = 0xFFFF;

// A step that checks the box in front, then taps `button`.
void AnswerBox(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message,
               const std::vector<std::wstring>& buttons, int button)
{
    script.Do(win::kShellQuestionTemplateId, win::WideToUtf8(caption), [=](HWND box) {
        EXPECT_EQ(GetWindowTextString(box), caption);
        EXPECT_EQ(ControlText(box, kMessageId), message);
        for (const std::wstring& text : buttons)
            EXPECT_TRUE(ShowsText(box, text)) << win::WideToUtf8(text);
        EXPECT_EQ(ShowsText(box, L"すべて上書き"), buttons.size() == 4);
        win::Tap(testing_support::FindControl(box, button));
    });
}

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
            if (whenAsked)
                whenAsked(asked.back());
            if (answers.empty())
                return answer;
            const Answer next = answers.front();
            answers.erase(answers.begin());
            return next;
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

    // Puts a link in the place of `relative` (kept aside) that climbs out of
    // the data root's drives to the folder "outside".
    void SwapForALinkOut(const std::string& relative)
    {
        ASSERT_EQ(::rename((root / relative).c_str(), (root / (relative + ".was")).c_str()), 0);
        std::string climb;
        for (char c : relative)
            climb += c == '/' ? "../" : "";
        ASSERT_EQ(::symlink((climb + "outside").c_str(), (root / relative).c_str()), 0);
    }

    TempDataRoot root;
    std::vector<Asked> asked;
    std::vector<Answer> answers;  // given in order, then `answer`
    Answer answer = Answer::Yes;
    std::function<void(const Asked&)> whenAsked;
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

// The file page copies D:\data\pkg to D:\out\pkg; once that exists the
// copy lands in D:\out\pkg\pkg, where a link planted below it must not take
// the copy out of the drive.
TEST_F(ShellFileOperationTest, CopyIntoAnEarlierCopyNeverFollowsANestedLinkOut)
{
    root.MakeDir("outside");
    root.WriteFile("outside/kept.txt", "outside");
    for (const char* folder : {"D/data", "D/data/pkg", "D/data/pkg/inner", "D/out", "D/out/pkg", "D/out/pkg/pkg"})
        root.MakeDir(folder);
    root.WriteFile("D/data/pkg/inner/kept.txt", "copied");
    ASSERT_EQ(::symlink("../../../../outside", (root / "D/out/pkg/pkg/inner").c_str()), 0);
    win::DebugLog::Clear();
    EXPECT_EQ(Run(FO_COPY, L"D:\\data\\pkg", L"D:\\out\\pkg", 0), ERROR_ACCESS_DENIED);
    EXPECT_EQ(root.ReadFile("outside/kept.txt"), "outside");
    EXPECT_TRUE(win::DebugLog::Contains(L"out/pkg/pkg/inner leads out of its drive"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].question, Question::ReplaceFolder);
    EXPECT_EQ(asked[0].path, L"D:\\out\\pkg\\pkg");
}

// The trees are walked through the folders they were opened at: a link put
// in a folder's place while the operator is asked is never followed out.
TEST_F(ShellFileOperationTest, ALinkSwappedInDuringTheOperationIsRefused)
{
    const struct {
        const char* when;
        std::vector<const char*> folders;
        UINT function;
        const wchar_t* from;
        const wchar_t* to;
        std::wstring askedAbout;  // the question during which the link is put in
        const char* swapped;
        int result;
    } cases[] = {
        {"a source folder after its folder was read", {"D/pkg", "D/pkg/sub", "D/out", "D/out/pkg"}, FO_COPY,
         L"D:\\pkg", L"D:\\out", L"D:\\out\\pkg\\a.txt", "D/pkg/sub", DE_ACCESSDENIEDSRC},
        {"a destination folder the operator agreed to merge into",
         {"D/pkg", "D/pkg/sub", "D/out", "D/out/pkg", "D/out/pkg/sub"}, FO_COPY, L"D:\\pkg", L"D:\\out",
         L"D:\\out\\pkg", "D/out/pkg/sub", ERROR_ACCESS_DENIED},
        {"the same during a move", {"D/pkg", "D/pkg/sub", "D/out", "D/out/pkg", "D/out/pkg/sub"}, FO_MOVE, L"D:\\pkg",
         L"D:\\out", L"D:\\out\\pkg", "D/out/pkg/sub", ERROR_ACCESS_DENIED},
        {"a folder being deleted", {"D/pkg", "D/pkg/sub"}, FO_DELETE, L"D:\\pkg", L"", L"D:\\pkg", "D/pkg/sub", 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.when);
        root.MakeDir("outside");
        root.WriteFile("outside/secret.txt", "outside");
        for (const char* folder : test.folders)
            root.MakeDir(folder);
        root.WriteFile("D/pkg/a.txt", "new");
        root.WriteFile("D/pkg/sub/s.txt", "s");
        if (root.Exists("D/out/pkg"))
            root.WriteFile("D/out/pkg/a.txt", "old");
        whenAsked = [&](const Asked& question) {
            if (question.path == test.askedAbout)
                SwapForALinkOut(test.swapped);
        };
        EXPECT_EQ(Run(test.function, test.from, test.to, 0), test.result);
        EXPECT_EQ(root.ReadFile("outside/secret.txt"), "outside");
        EXPECT_FALSE(root.Exists("outside/s.txt") || root.Exists("outside/a.txt"));
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "D"))
            EXPECT_NE(entry.path().filename(), "secret.txt") << "nothing of the outside is brought in";
        EXPECT_EQ(test.function == FO_DELETE, !root.Exists("D/pkg")) << "a failed move keeps its source";
        std::filesystem::remove_all(root / "D");
        std::filesystem::remove_all(root / "outside");
        root.MakeDir("D");
        asked.clear();
    }
}

// D:\\src (a.txt, b.txt, c.txt) copied or moved into D:\\dst, which holds an
// earlier copy with a.txt and b.txt: what is asked, and what is then on disk.
TEST_F(ShellFileOperationTest, TheAnswersToTheReplaceQuestions)
{
    const std::wstring folder = L"D:\\dst\\src";
    const std::wstring a = folder + L"\\a.txt";
    const std::wstring b = folder + L"\\b.txt";
    const struct {
        const char* what;
        UINT function;
        FILEOP_FLAGS flags;
        std::vector<Answer> answers;
        std::vector<std::wstring> questions;
        const char* contents;  // of a.txt, b.txt and c.txt in the copy
        bool aborted;
    } cases[] = {
        {"yes to each", FO_COPY, 0, {Answer::Yes, Answer::Yes, Answer::Yes}, {folder, a, b}, "ABC", false},
        {"yes to all at a file", FO_COPY, 0, {Answer::Yes, Answer::YesToAll}, {folder, a}, "ABC", false},
        {"yes to all at the folder", FO_COPY, 0, {Answer::YesToAll}, {folder}, "ABC", false},
        {"no to one file", FO_COPY, 0, {Answer::Yes, Answer::No, Answer::Yes}, {folder, a, b}, "aBC", true},
        {"cancel at the first file", FO_COPY, 0, {Answer::Yes, Answer::Cancel}, {folder, a}, "ab-", true},
        {"no to the folder", FO_COPY, 0, {Answer::No}, {folder}, "ab-", true},
        {"no questions asked", FO_COPY, FOF_NOCONFIRMATION, {}, {}, "ABC", false},
        {"a move, yes to all", FO_MOVE, 0, {Answer::YesToAll}, {folder}, "ABC", false},
        {"a move, no to one file", FO_MOVE, 0, {Answer::Yes, Answer::No, Answer::Yes}, {folder, a, b}, "aBC", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        for (const char* name : {"D/src", "D/dst", "D/dst/src"})
            root.MakeDir(name);
        for (const char* file : {"A", "B", "C"})
            root.WriteFile(std::string("D/src/") + static_cast<char>(std::tolower(*file)) + ".txt", file);
        root.WriteFile("D/dst/src/a.txt", "a");
        root.WriteFile("D/dst/src/b.txt", "b");
        asked.clear();
        answers = test.answers;
        EXPECT_EQ(Run(test.function, L"D:\\src", L"D:\\dst", test.flags), 0);
        std::vector<std::wstring> questions;
        for (const Asked& question : asked)
            questions.push_back(question.path);
        EXPECT_EQ(questions, test.questions);
        std::string contents;
        for (const char* name : {"a", "b", "c"}) {
            const std::string file = std::string("D/dst/src/") + name + ".txt";
            contents += root.Exists(file) ? root.ReadFile(file) : "-";
        }
        EXPECT_EQ(contents, test.contents);
        EXPECT_EQ(operation.fAnyOperationsAborted != FALSE, test.aborted);
        EXPECT_EQ(root.Exists("D/src"), test.function == FO_COPY || test.aborted) << "a move keeps what it left";
        std::filesystem::remove_all(root / "D");
        root.MakeDir("D");
    }
}

// Without a handler of its own the shell asks the operator with its box and
// acts on the button tapped.
TEST_F(ShellFileOperationTest, WithoutAHandlerTheOperatorAnswersTheShellsOwnBox)
{
    win::ShellFileOperation::SetConfirmHandler(nullptr);
    testing_support::Watchdog watchdog;
    for (const char* folder : {"D/src", "D/dst", "D/dst/src"})
        root.MakeDir(folder);
    for (const char* name : {"a.txt", "b.txt"}) {
        root.WriteFile(std::string("D/src/") + name, "new");
        root.WriteFile(std::string("D/dst/src/") + name, "old");
    }
    const std::vector<std::wstring> four = {L"はい", L"すべて上書き", L"いいえ", L"キャンセル"};
    ScriptedOperator script;
    AnswerBox(script, L"フォルダの上書きの確認",
              L"'D:\\dst\\src' は既に存在します。\n同じ名前のファイルは置き換えられます。\nこのフォルダにコピーまたは移動しますか？",
              four, IDYES);
    AnswerBox(script, L"ファイルの上書きの確認", L"'D:\\dst\\src\\a.txt' は既に存在します。\n既存のファイルを置き換えますか？",
              four, win::IDYESTOALL);
    EXPECT_EQ(Run(FO_COPY, L"D:\\src", L"D:\\dst", 0), 0);
    EXPECT_EQ(root.ReadFile("D/dst/src/a.txt") + root.ReadFile("D/dst/src/b.txt"), "newnew");

    // Escape cancels a replace question; a delete's box has yes and no only.
    script.PressKey(win::kShellQuestionTemplateId, VK_ESCAPE);
    EXPECT_EQ(Run(FO_COPY, L"D:\\src", L"D:\\dst", 0), 0);
    EXPECT_TRUE(operation.fAnyOperationsAborted);
    AnswerBox(script, L"ファイルの削除の確認", L"'D:\\src' を削除しますか？", {L"はい", L"いいえ"}, IDNO);
    EXPECT_EQ(Run(FO_DELETE, L"D:\\src", L"", 0), 0);
    EXPECT_TRUE(root.Exists("D/src/a.txt"));
    EXPECT_TRUE(script.Finished());
}

}  // namespace
