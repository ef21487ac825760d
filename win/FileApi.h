// Files on the mapped drives (see Drives.h for how paths map). Handles come
// from the process-wide table (Handles.h); CloseHandle closes files,
// FindClose find handles.
//
// Attributes: FILE_ATTRIBUTE_DIRECTORY for folders; HIDDEN for names that
// start with a dot; READONLY when the owner's write bit is clear (checked on
// the mode, so it holds for root as well); ARCHIVE and SYSTEM from the
// extended attribute "user.win.attributes" (decimal text) where the file
// system keeps extended attributes; NORMAL when none of these applies.
// Read-only files refuse writing, truncation and deletion, as on Windows.
//
// File times are the file system's times as the simulated clock sees them:
// they move with the clock offset (TimeApi.h), so a file written after the
// clock was set carries the set time.
//
// Sharing modes and security attributes are accepted and not enforced;
// overlapped I/O is not supported.
#pragma once

#include "win/CFile.h"
#include "win/WinNT.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD GENERIC_EXECUTE = 0x20000000;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD FILE_READ_DATA = 0x0001;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;
constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;
constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
constexpr DWORD FILE_FLAG_RANDOM_ACCESS = 0x10000000;
constexpr DWORD FILE_FLAG_NO_BUFFERING = 0x20000000;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
DWORD SetFilePointer(HANDLE file, LONG distanceToMove, PLONG distanceToMoveHigh, DWORD moveMethod);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distanceToMove, PLARGE_INTEGER newFilePointer, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL GetFileSizeEx(HANDLE file, PLARGE_INTEGER fileSize);
BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime);
// Sets the last access and last write times (a null pointer keeps one); the
// file system keeps no creation time to set, so that one is ignored.
BOOL SetFileTime(HANDLE file, const FILETIME* creationTime, const FILETIME* lastAccessTime,
                 const FILETIME* lastWriteTime);
BOOL FlushFileBuffers(HANDLE file);
BOOL SetEndOfFile(HANDLE file);

BOOL DeleteFileW(LPCWSTR fileName);
BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectoryW(LPCWSTR pathName);
// Does not replace an existing destination; moves files (not folders)
// between file systems by copying.
BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName);
// Keeps the contents (holes of sparse files included), the last-write time
// and the attributes.
BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists);
DWORD GetFileAttributesW(LPCWSTR fileName);
// READONLY clears or restores the owner's write bit; ARCHIVE and SYSTEM go
// to the extended attribute (silently dropped where the file system has
// none); HIDDEN cannot be given to a name that does not start with a dot
// and is ignored.
BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes);

// "C:\WINDOWS\system32", "C:\WINDOWS" and "C:\WINDOWS\Temp\", created on
// first use inside drive C:. Results follow Win32: the length without the
// terminator, or the size needed (with it) when the buffer is too small, or
// 0 on failure.
UINT GetSystemDirectoryW(LPWSTR buffer, UINT size);
UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size);
DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer);

// Find-first enumeration. "." and ".." are reported first in folders below
// a drive's root (as Windows reports them) and never at a root. The other
// entries come in the order NTFS gives them, by name without regard to case.
// Entries whose names Windows could not spell, and links leading out of
// their drive, are not listed. A search reads each entry when it hands it out.
// cAlternateFileName holds the 8.3 alias of a long name (ShortNames.h);
// FindFirstFileExW with FindExInfoBasic leaves it empty and costs less.
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwReserved0 = 0;
    DWORD dwReserved1 = 0;
    WCHAR cFileName[MAX_PATH] = {};
    WCHAR cAlternateFileName[14] = {};  // the 8.3 name when the long name is not one
};
using LPWIN32_FIND_DATAW = WIN32_FIND_DATAW*;

enum FINDEX_INFO_LEVELS { FindExInfoStandard, FindExInfoBasic, FindExInfoMaxInfoLevel };
enum FINDEX_SEARCH_OPS { FindExSearchNameMatch, FindExSearchLimitToDirectories, FindExSearchLimitToDevices };
constexpr DWORD FIND_FIRST_EX_LARGE_FETCH = 0x2;

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData);
// Levels Standard and Basic, FindExSearchNameMatch, no filter, and no flag
// but FIND_FIRST_EX_LARGE_FETCH (every search reads its folder's names in
// one go); anything else fails with ERROR_INVALID_PARAMETER.
HANDLE FindFirstFileExW(LPCWSTR fileName, FINDEX_INFO_LEVELS infoLevel, LPVOID findFileData,
                        FINDEX_SEARCH_OPS searchOp, LPVOID searchFilter, DWORD additionalFlags);
BOOL FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findData);
BOOL FindClose(HANDLE findFile);

// The shell's file operation (shellapi.h): copy, move, delete and rename of
// files and whole folders, from double-NUL-terminated lists that may hold
// wildcards. Returns 0 on success and non-zero on failure. Without
// FOF_NOCONFIRMATION the shell asks before it replaces a file, merges into a
// folder, deletes an item or creates a folder (ShellFileOperation.h); a
// declined item is skipped and reported in fAnyOperationsAborted.
// FOF_ALLOWUNDO is accepted and ignored: there is no recycle bin, deleted
// items are gone. Symbolic links are never followed out of their drive: a
// link is deleted as a link and copied only when it leads to an entry on the
// same drive.
using FILEOP_FLAGS = WORD;
constexpr UINT FO_MOVE = 0x0001;
constexpr UINT FO_COPY = 0x0002;
constexpr UINT FO_DELETE = 0x0003;
constexpr UINT FO_RENAME = 0x0004;
constexpr FILEOP_FLAGS FOF_MULTIDESTFILES = 0x0001;
constexpr FILEOP_FLAGS FOF_SILENT = 0x0004;
constexpr FILEOP_FLAGS FOF_RENAMEONCOLLISION = 0x0008;
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x0010;
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x0040;
constexpr FILEOP_FLAGS FOF_FILESONLY = 0x0080;
constexpr FILEOP_FLAGS FOF_SIMPLEPROGRESS = 0x0100;
constexpr FILEOP_FLAGS FOF_NOCONFIRMMKDIR = 0x0200;
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x0400;

// Results of SHFileOperationW beyond Win32 error codes.
constexpr int DE_SAMEFILE = 0x71;
constexpr int DE_MANYSRC1DEST = 0x72;
constexpr int DE_OPCANCELLED = 0x75;
constexpr int DE_DESTSUBTREE = 0x76;
constexpr int DE_ACCESSDENIEDSRC = 0x78;
constexpr int DE_INVALIDFILES = 0x7C;
constexpr int DE_FLDDESTISFILE = 0x7E;
constexpr int DE_FILEDESTISFLD = 0x80;
constexpr int DE_ERROR_MAX = 0xB7;

struct SHFILEOPSTRUCTW {
    HWND hwnd = nullptr;
    UINT wFunc = 0;
    LPCWSTR pFrom = nullptr;
    LPCWSTR pTo = nullptr;
    FILEOP_FLAGS fFlags = 0;
    BOOL fAnyOperationsAborted = FALSE;
    LPVOID hNameMappings = nullptr;
    LPCWSTR lpszProgressTitle = nullptr;
};
using LPSHFILEOPSTRUCTW = SHFILEOPSTRUCTW*;

int SHFileOperationW(LPSHFILEOPSTRUCTW operation);

namespace win {

// The file descriptor behind a file handle, or -1 (for handing a file to a
// child process as a standard handle).
int FileDescriptorOf(HANDLE file);

}  // namespace win
