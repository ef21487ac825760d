// A Windows path mapped onto a drive (Drives.h): the drive's folder, held
// open, and the path of the entry below it, through which every file
// function reaches the entry (Beneath.h).
#pragma once

#include "win/Descriptor.h"
#include "win/Win32Types.h"

#include <memory>
#include <string>
#include <sys/types.h>

struct stat;

namespace win {

struct ResolvedPath {
    std::string posix;     // the file-system path, for messages and for callers outside the platform
    std::wstring windows;  // full, normalised: "D:\a\b", "D:\", "\\server\share\a"
    std::wstring root;     // "D:\" or "\\server\share\"
    std::string posixRoot; // the folder of the drive or share
    bool isRoot = false;   // the path is the drive's (or share's) root itself
    std::shared_ptr<const Descriptor> drive;  // the drive's folder, open
    std::string beneath;   // the entry below it, "." for the root

    int DriveFolder() const { return drive->Get(); }
    // OpenBeneath of the entry: a descriptor, or -1 with errno set.
    int Open(int flags, mode_t mode = 0) const;
    // The folder that holds the entry, opened beneath the drive as O_PATH
    // (for the *at calls); -1 with errno set, EINVAL for a root.
    int OpenFolder() const;
    // The folder's path below the drive ("." for the root) and the entry's
    // name in it, as the file system spells them.
    std::string FolderBeneath() const;
    std::string Name() const;
    // The folder that holds what the entry is after its links are followed
    // (O_PATH), where a listing shows that entry; -1 with errno set.
    int OpenFolderOfTarget() const;
    // The entry's status, through links (that must stay below the drive)
    // or of the link itself; false with errno set.
    bool Stat(struct stat& info, bool followLinks) const;
    // The Win32 error for an errno of a call on this entry: a missing entry
    // is ERROR_FILE_NOT_FOUND when its folder exists and
    // ERROR_PATH_NOT_FOUND when not, as Windows reports them.
    DWORD ErrorOf(int error) const;
};

}  // namespace win
