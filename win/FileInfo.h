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

struct FileInfo {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    FILETIME creationTime;
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
    bool isDirectory = false;

    // Follows symbolic links; `name` (the entry's Windows name) decides the
    // hidden attribute. Sets the last error when the path does not exist.
    static std::optional<FileInfo> Read(const std::string& posixPath, std::wstring_view name);
    // From a statx result (basic stats, birth time where known), the
    // entry's name and its stored ARCHIVE and SYSTEM bits.
    static FileInfo FromStatx(const struct statx& info, std::wstring_view name, DWORD storedAttributes);

    // The ARCHIVE and SYSTEM bits kept in the extended attribute.
    static DWORD StoredAttributes(const std::string& posixPath);
    // Keeps ARCHIVE and SYSTEM of `attributes`, marking the entry's folder
    // first; false (errno set) when the file system refuses the bits. A
    // folder that refuses the mark (no permission) only keeps them out of
    // its listings. A file system without extended attributes counts as
    // success when there is nothing to keep.
    static bool StoreAttributes(const std::string& posixPath, DWORD attributes);
    // Whether entries of the open folder may carry stored bits.
    static bool FolderMayHoldStoredAttributes(int folderDescriptor);
    // After an entry was moved to `posixPath`: marks its new folder when the
    // entry carries stored bits. False (errno set) when the mark is refused.
    static bool KeepStoredAttributesAfterMove(const std::string& posixPath);

    // A file-system time as the simulated clock shows it.
    static FILETIME ToFileTime(const timespec& time);
};

}  // namespace win
