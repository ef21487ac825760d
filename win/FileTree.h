// File-system primitives behind CopyFileW, MoveFileW and the shell's file
// operation. They work on open descriptors, never on full paths, so a tree is
// walked through the folders it was opened at, whatever is renamed or swapped
// in meanwhile; they return 0 or an errno value.
#pragma once

#include <string>
#include <vector>

namespace win {

class FileTree {
public:
    // Copies the open regular file `from` into `to`, a new file open for
    // writing: contents (holes of sparse files stay holes), times, the
    // stored Windows attributes (marking `toFolder`, the open folder of
    // `to`) and, last, the permissions.
    static int CopyFile(int from, int to, int toFolder);
    // Removes the entry `name` of the open folder: a file, a symbolic link
    // (never what it points to) or a folder with everything in it. Goes on
    // after a failure and returns the first.
    static int RemoveTree(int folder, const std::string& name);
    // The names of the open folder but "." and "..", read through a
    // descriptor of its own, so that `folder` may be O_PATH. False with
    // errno set on failure.
    static bool ReadNames(int folder, std::vector<std::string>& names);
};

}  // namespace win
