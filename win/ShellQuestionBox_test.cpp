// Without a handler of its own the shell asks the operator with its box, in
// front of the operation's owner, and acts on the button tapped.
#include "win/ShellQuestionBox.h"

#include "tests/harness/DialogTestHelpers.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ControlText;
using testing_support::ScriptedOperator;
using testing_support::ShowsText;
using win::testing::TempDataRoot;

constexpr int kMessageId = 0xFFFF;

// A step that checks the box in front, then taps `button`.
void Answer(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message,
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

int RunShell(UINT function, const std::wstring& from, const std::wstring& to, SHFILEOPSTRUCTW& operation)
{
    static std::wstring fromList;
    static std::wstring toList;
    fromList = from + L'\0';
    toList = to + L'\0';
    operation = SHFILEOPSTRUCTW{};
    operation.wFunc = function;
    operation.pFrom = fromList.c_str();
    operation.pTo = to.empty() ? nullptr : toList.c_str();
    return SHFileOperationW(&operation);
}

TEST(ShellQuestionBoxTest, TheOperatorAnswersTheShellsOwnBox)
{
    testing_support::Watchdog watchdog;
    TempDataRoot root;
    for (const char* folder : {"D/src", "D/dst", "D/dst/src"})
        root.MakeDir(folder);
    for (const char* name : {"a.txt", "b.txt"}) {
        root.WriteFile(std::string("D/src/") + name, "new");
        root.WriteFile(std::string("D/dst/src/") + name, "old");
    }
    const std::vector<std::wstring> four = {L"はい", L"すべて上書き", L"いいえ", L"キャンセル"};
    ScriptedOperator script;
    Answer(script, L"フォルダの上書きの確認",
           L"'D:\\dst\\src' は既に存在します。\n同じ名前のファイルは置き換えられます。\nこのフォルダにコピーまたは移動しますか？",
           four, IDYES);
    Answer(script, L"ファイルの上書きの確認", L"'D:\\dst\\src\\a.txt' は既に存在します。\n既存のファイルを置き換えますか？",
           four, win::IDYESTOALL);
    SHFILEOPSTRUCTW operation;
    EXPECT_EQ(RunShell(FO_COPY, L"D:\\src", L"D:\\dst", operation), 0);
    EXPECT_EQ(root.ReadFile("D/dst/src/a.txt") + root.ReadFile("D/dst/src/b.txt"), "newnew");

    // Escape cancels a replace question; a delete's box has yes and no only.
    script.PressKey(win::kShellQuestionTemplateId, VK_ESCAPE);
    EXPECT_EQ(RunShell(FO_COPY, L"D:\\src", L"D:\\dst", operation), 0);
    EXPECT_TRUE(operation.fAnyOperationsAborted);
    Answer(script, L"ファイルの削除の確認", L"'D:\\src' を削除しますか？", {L"はい", L"いいえ"}, IDNO);
    EXPECT_EQ(RunShell(FO_DELETE, L"D:\\src", L"", operation), 0);
    EXPECT_TRUE(root.Exists("D/src/a.txt"));
    EXPECT_TRUE(script.Finished());
}

}  // namespace
