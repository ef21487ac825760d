#include "win/ShellQuestionBox.h"

#include "win/QuestionBox.h"

namespace win {

using Answer = ShellFileOperation::Answer;
using Question = ShellFileOperation::Question;

Answer AskShellQuestion(HWND owner, Question question, const std::wstring& path)
{
    const std::wstring quoted = L"'" + path + L"'";
    std::wstring caption;
    std::wstring text;
    std::vector<BoxButton> buttons = {{IDYES, L"はい"}, {IDNO, L"いいえ"}};
    switch (question) {
    case Question::ReplaceFile:
        caption = L"ファイルの上書きの確認";
        text = quoted + L" は既に存在します。\n既存のファイルを置き換えますか？";
        break;
    case Question::ReplaceFolder:
        caption = L"フォルダの上書きの確認";
        text = quoted + L" は既に存在します。\n同じ名前のファイルは置き換えられます。\nこのフォルダにコピーまたは移動しますか？";
        break;
    case Question::DeleteItem:
        caption = L"ファイルの削除の確認";
        text = quoted + L" を削除しますか？";
        break;
    case Question::CreateFolder:
        caption = L"フォルダの作成の確認";
        text = quoted + L" は存在しません。\n作成しますか？";
        break;
    }
    if (question == Question::ReplaceFile || question == Question::ReplaceFolder)
        buttons = {{IDYES, L"はい"}, {IDYESTOALL, L"すべて上書き"}, {IDNO, L"いいえ"}, {IDCANCEL, L"キャンセル"}};
    switch (ShowQuestionBox(owner, kShellQuestionTemplateId, caption, text, buttons)) {
    case IDYES: return Answer::Yes;
    case IDYESTOALL: return Answer::YesToAll;
    case IDNO: return Answer::No;
    default: return buttons.size() > 2 ? Answer::Cancel : Answer::No;
    }
}

}  // namespace win
