#include "win/ShellQuestionBox.h"

#include "win/QuestionBox.h"

namespace win {

using Answer = ShellFileOperation::Answer;
using Question = ShellFileOperation::Question;

Answer AskShellQuestion(HWND owner, Question question, const std::wstring& path)
{
    // Caption and the message after the quoted path, in the order of the
    // questions.
    static const struct {
        const wchar_t* caption;
        const wchar_t* message;
    } kTexts[] = {
        {L"ファイルの削除の確認", L" を削除しますか？"},
        {L"ファイルの上書きの確認", L" は既に存在します。\n既存のファイルを置き換えますか？"},
        {L"フォルダの上書きの確認",
         L" は既に存在します。\n同じ名前のファイルは置き換えられます。\nこのフォルダにコピーまたは移動しますか？"},
        {L"フォルダの作成の確認", L" は存在しません。\n作成しますか？"},
    };
    const auto& texts = kTexts[static_cast<int>(question)];
    const bool replacing = question == Question::ReplaceFile || question == Question::ReplaceFolder;
    const std::vector<BoxButton> buttons =
        replacing ? std::vector<BoxButton>{{IDYES, L"はい"}, {IDYESTOALL, L"すべて上書き"}, {IDNO, L"いいえ"},
                                           {IDCANCEL, L"キャンセル"}}
                  : std::vector<BoxButton>{{IDYES, L"はい"}, {IDNO, L"いいえ"}};
    const std::wstring message = L"'" + path + L"'" + texts.message;
    switch (ShowQuestionBox(owner, kShellQuestionTemplateId, texts.caption, message, buttons)) {
    case IDYES: return Answer::Yes;
    case IDYESTOALL: return Answer::YesToAll;
    case IDNO: return Answer::No;
    default: return replacing ? Answer::Cancel : Answer::No;
    }
}

}  // namespace win
