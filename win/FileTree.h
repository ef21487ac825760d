// File-system primitives behind CopyFileW, MoveFileW and the shell's file
// operation. They take file-system paths and return 0 or an errno value.
#pragma once

#include <string>

namespace win {

class FileTree {
public:
    // Copies a regular file: contents (holes of sparse files stay holes),
    // permissions, times and the stored Windows attributes. `exclusive`
    // refuses an existing destination with EEXIST.
    static int CopyFile(const std::string& from, const std::string& to, bool exclusive);
    // Removes a file, a symbolic link (never what it points to) or a folder
    // with everything in it. Goes on after a failure and returns the first.
    static int RemoveTree(const std::string& path);
};

}  // namespace win
