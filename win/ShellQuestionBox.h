// The shell's own questions: a box in front of the operation's owner window.
// Replacing a file or merging into a folder offers "はい", "すべて上書き",
// "いいえ" and "キャンセル"; deleting an item and creating a folder offer "はい"
// and "いいえ". Escape cancels.
#pragma once

#include "win/ShellFileOperation.h"

namespace win {

constexpr UINT kShellQuestionTemplateId = 0xFF01;
constexpr int IDYESTOALL = 0x3207;  // the "yes to all" button

ShellFileOperation::Answer AskShellQuestion(HWND owner, ShellFileOperation::Question question,
                                            const std::wstring& path);

}  // namespace win
