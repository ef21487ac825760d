// The shell's file operation behind SHFileOperationW (FileApi.h). The
// shell's questions go to a handler that the window system (or a test)
// installs; without one every question is answered with yes, as by an
// operator who confirms everything.
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
    // `path` is the Windows path the question is about: the item to delete,
    // the file or folder to replace, the folder to create.
    using ConfirmHandler = std::function<bool(HWND owner, Question question, const std::wstring& path)>;

    static void SetConfirmHandler(ConfirmHandler handler);
    static int Run(SHFILEOPSTRUCTW& operation);
};

}  // namespace win
