// Drive letters and paths. The port keeps the instrument's Windows paths:
// drive X is the folder <data root>/X, and a drive exists exactly when that
// folder does (GetLogicalDrives lists them). A UNC path \\server\share\rest
// maps to <data root>/UNC/server/share/rest, so network destinations can be
// set up and tested like drives.
//
// Mapping a path:
// - "D:\a\b", "d:/a/b", "\\server\share\a", relative paths (against the
//   current directory), root-relative "\a" (the current drive) and
//   drive-relative "D:a" (the current directory when it is on D:, else D:\)
//   are accepted; "\\?\D:\..." lifts the length limit as on Windows.
// - "." and ".." collapse; ".." never climbs above a drive's (or share's)
//   root: such a path fails with ERROR_PATH_NOT_FOUND, like a missing one.
//   Trailing dots and blanks of a name are dropped, as Windows drops them.
// - Names compare without regard to case (see NameMatch.h): an existing entry
//   is found whatever case the path spells it in.
// - A full path of MAX_PATH characters or more fails with
//   ERROR_FILENAME_EXCED_RANGE; an embedded NUL or a character Windows does
//   not allow in names fails with ERROR_INVALID_NAME.
// - Every existing part of the path is looked up by the kernel beneath the
//   drive's open folder (Beneath.h). A symbolic link that leads out of the
//   drive's folder, absolute links included, fails the mapping with
//   ERROR_ACCESS_DENIED; the file functions resolve the same way when they
//   act, so nothing outside the drive is reachable, also not through a link
//   swapped in after the mapping.
//
// The current directory is one process-wide Windows path, C:\ after the
// data root is set.
#pragma once

#include "win/ResolvedPath.h"
#include "win/WinNT.h"

#include <optional>
#include <string>
#include <string_view>

namespace win {

class Drives {
public:
    // Creates the folder when it is missing (not the drives in it) and
    // resets the current directory to C:\. An empty path unsets the root:
    // every mapping then fails with ERROR_PATH_NOT_FOUND.
    static bool SetDataRoot(const std::string& posixDir);
    static std::string GetDataRoot();
    // <data root>/X, whether or not it exists.
    static std::string DriveFolder(wchar_t letter);

    // Failures set the last error (see above). With FinalLink::Keep a link
    // that is the path's last part is taken as the link itself, wherever it
    // leads (for the functions that remove, move or rename the link).
    enum class FinalLink { Follow, Keep };
    static std::optional<ResolvedPath> Resolve(std::wstring_view windowsPath, FinalLink finalLink = FinalLink::Follow);
    // The file-system path, checked when it is made. Opening it by that path
    // later does not keep the check (a link may be swapped in meanwhile);
    // ResolvedPath::Open does.
    static std::optional<std::string> ToPosix(std::wstring_view windowsPath);
    // The Windows path of a file-system path inside the data root.
    static std::optional<std::wstring> FromPosix(const std::string& posixPath);

    // The full, normalised Windows path of `windowsPath` without looking at
    // the file system (GetFullPathNameW); a trailing backslash is kept when
    // asked. Sets the last error on failure.
    static std::optional<std::wstring> FullPath(std::wstring_view windowsPath, bool keepTrailingSeparator = false);

    static std::wstring GetCurrentDirectory();
    // "C:\" or "\\server\share\" of the current directory.
    static std::wstring GetCurrentRoot();
    // Sets the last error and returns false when the folder does not exist.
    static bool SetCurrentDirectory(std::wstring_view path);

};

}  // namespace win

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

constexpr int _MAX_PATH = 260;
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer);
BOOL SetCurrentDirectoryW(LPCWSTR path);
DWORD GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart);
DWORD GetLogicalDrives();
UINT GetDriveTypeW(LPCWSTR rootPath);  // C: and D: fixed, A:, B:, E: and later removable, UNC remote
BOOL GetDiskFreeSpaceExW(LPCWSTR directory, ULARGE_INTEGER* freeBytesAvailable, ULARGE_INTEGER* totalBytes,
                         ULARGE_INTEGER* totalFreeBytes);

// The C runtime's directory functions; narrow paths are UTF-8. They return
// -1 / null and set errno (ENOENT, ERANGE, EINVAL) on failure.
wchar_t* _wgetcwd(wchar_t* buffer, int maxLength);
char* _getcwd(char* buffer, int maxLength);
int _wchdir(const wchar_t* path);
int _chdir(const char* path);

void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext);
errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveCount, wchar_t* dir,
                      std::size_t dirCount, wchar_t* fname, std::size_t fnameCount, wchar_t* ext,
                      std::size_t extCount);
void _wmakepath(wchar_t* path, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname, const wchar_t* ext);
errno_t _wmakepath_s(wchar_t* path, std::size_t count, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext);
