// What the file functions report about one entry: the Windows attributes,
// size and times of a file-system path (see FileApi.h for the rules).
//
// ARCHIVE and SYSTEM live in an extended attribute of the entry. Reading it
// for every entry of a listing would double the cost of the listing, so the
// folder that holds an entry with stored bits carries a mark of its own
// (another extended attribute, set before the entry's bits are stored and
// when such an entry is moved in). A listing reads the mark once and reads
// the entries' bits only in a marked folder. The mark is never removed: it
// says "may hold", and a stale one only costs time.
#pragma once

#include "win/WinNT.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct timespec;
struct statx;

namespace win {
struct ResolvedPath;
}

namespace win {

struct FileInfo {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    FILETIME creationTime;
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
    bool isDirectory = false;

    // Follows symbolic links (beneath the drive); `name` (the entry's
    // Windows name) decides the hidden attribute. Sets the last error when
    // the entry cannot be reached.
    static std::optional<FileInfo> Read(const ResolvedPath& path, std::wstring_view name);
    // From a statx result (basic stats, birth time where known), the
    // entry's name and its stored ARCHIVE and SYSTEM bits.
    static FileInfo FromStatx(const struct statx& info, std::wstring_view name, DWORD storedAttributes);

    // The ARCHIVE and SYSTEM bits kept on the open entry (any descriptor,
    // O_PATH included).
    static DWORD StoredAttributes(int entry);
    // The bits of the entry `name` of the open folder, not following it
    // when it is a link.
    static DWORD StoredAttributesAt(int folder, const char* name);
    // Keeps ARCHIVE and SYSTEM of `attributes` on the open entry, marking
    // `folder` (the open folder whose listings show the entry) first; false
    // (errno set) when the file system refuses the bits. A folder that
    // refuses the mark (no permission) only keeps them out of its listings.
    // A file system without extended attributes counts as success when
    // there is nothing to keep.
    static bool StoreAttributes(int entry, int folder, DWORD attributes);
    // The same for the entry of a path: the folder marked is the one of
    // what the path leads to, after its links.
    static bool StoreAttributes(const ResolvedPath& path, int entry, DWORD attributes);
    // Whether entries of the open folder may carry stored bits.
    static bool FolderMayHoldStoredAttributes(int folderDescriptor);
    // After an entry was moved to `path`: marks its new folder when the
    // entry carries stored bits. False (errno set) when the mark is refused.
    static bool KeepStoredAttributesAfterMove(const ResolvedPath& path);

    // A file-system time as the simulated clock shows it, and back.
    static FILETIME ToFileTime(const timespec& time);
    static timespec FromFileTime(const FILETIME& time);
};

}  // namespace win
