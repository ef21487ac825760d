// A file on a drive that code outside the platform layer (the recorded-data
// formats, the host's settings files) opens by an ordinary path, yet reaches
// only through what was opened beneath the drive (Beneath.h), so that a link
// swapped in after the check cannot lead it out of the drive:
//  - to write, the folder that holds the file is held open and the path is
//    "/proc/self/fd/<folder>/<name>": files are created there with O_EXCL and
//    put in place by rename, neither of which follows a link at the name;
//  - to read, the file itself is held open (a regular file only) and the
//    path is "/proc/self/fd/<file>", which opens that very file again.
#pragma once

#include "win/Descriptor.h"

#include <optional>
#include <string>
#include <string_view>

namespace win {

class PinnedPath {
public:
    enum class Use { Write, Read };

    // The pinned path of a Windows path on a drive, or nothing with `error`
    // saying why (no such place, a folder in the way, not a regular file).
    static std::optional<PinnedPath> Make(std::wstring_view windowsPath, Use use, std::string& error);

    // The path to open while this object lives.
    const std::string& Path() const { return m_path; }
    // `text` (a message naming Path() or a file beside it) with the pinned
    // part spelled as the file-system path the operator knows.
    std::string Shown(std::string text) const;

private:
    PinnedPath(Descriptor held, std::string shownPrefix);

    Descriptor m_held;
    std::string m_prefix;  // "/proc/self/fd/<n>"
    std::string m_shown;   // the folder's (or file's) file-system path
    std::string m_path;
};

}  // namespace win
