// The shell's file operation behind SHFileOperationW (FileApi.h). Without
// FOF_NOCONFIRMATION the shell asks before it replaces a file, merges into
// an existing folder, deletes an item or creates the destination folder,
// with its own question box (ShellQuestionBox.h) in front of the owner
// window. A test may install a handler that answers instead.
//
// Answers: yes acts on the item; yes to all also answers every later
// question of the same kind in this operation (replacing files and merging
// folders count as one kind); no skips the item and goes on; cancel skips it
// and ends the operation. A skipped item is reported in
// fAnyOperationsAborted; a cancelled operation returns 0 like a declined
// item, since the operator chose it.
//
// Entries are reached beneath their drive's folder (Beneath.h). A copy or
// move walks the source and destination trees through open folders, so a
// symbolic link that leads out of a drive, met at any depth or swapped in
// while the operation runs, is refused: as a source with DE_ACCESSDENIEDSRC,
// as a destination with ERROR_ACCESS_DENIED, and nothing outside is read or
// written. A delete removes links as links.
#pragma once

#include "win/FileApi.h"

#include <functional>
#include <string>

namespace win {

class ShellFileOperation {
public:
    enum class Question {
        DeleteItem,     // delete this file or folder (with its contents)?
        ReplaceFile,    // the destination file exists: replace it?
        ReplaceFolder,  // the destination folder exists: merge into it?
        CreateFolder,   // the destination folder does not exist: create it?
    };
    enum class Answer { Yes, YesToAll, No, Cancel };
    // `path` is the Windows path the question is about: the item to delete,
    // the file or folder to replace, the folder to create.
    using ConfirmHandler = std::function<Answer(HWND owner, Question question, const std::wstring& path)>;

    // An empty handler brings back the shell's own question box.
    static void SetConfirmHandler(ConfirmHandler handler);
    static int Run(SHFILEOPSTRUCTW& operation);
};

}  // namespace win
