// What the file functions report about one entry: the Windows attributes,
// size and times of a file-system path (see FileApi.h for the rules).
#pragma once

#include "win/WinNT.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct timespec;

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

    // The ARCHIVE and SYSTEM bits kept in the extended attribute.
    static DWORD StoredAttributes(const std::string& posixPath);
    // Keeps ARCHIVE and SYSTEM of `attributes`; false (errno set) when the
    // file system refuses. A file system without extended attributes counts
    // as success when there is nothing to keep.
    static bool StoreAttributes(const std::string& posixPath, DWORD attributes);

    // A file-system time as the simulated clock shows it.
    static FILETIME ToFileTime(const timespec& time);
};

}  // namespace win
