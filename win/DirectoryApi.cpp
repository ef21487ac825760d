// The path-level file functions of FileApi.h: delete, folders, move, copy,
// attributes and the system folders.
#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/FileTree.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

#include <cerrno>
#include <cwchar>
#include <sys/stat.h>
#include <unistd.h>

namespace {

BOOL Fail(DWORD error, const wchar_t* function, LPCWSTR path)
{
    SetLastError(error);
    OutputDebugStringW((std::wstring(function) + L" failed (" + std::to_wstring(error) + L"): " +
                        (path != nullptr ? path : L"(null)"))
                           .c_str());
    return FALSE;
}

std::optional<win::ResolvedPath> ResolveOrFail(LPCWSTR path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    return win::Drives::Resolve(path);
}

bool IsReadOnly(const struct stat& info)
{
    return (info.st_mode & S_IWUSR) == 0;
}

std::wstring LastName(const std::wstring& windowsPath)
{
    std::size_t slash = windowsPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? windowsPath : windowsPath.substr(slash + 1);
}

// Copies `text` with the Win32 buffer rules.
DWORD ReturnPath(const std::wstring& text, LPWSTR buffer, DWORD size)
{
    if (buffer == nullptr || size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

// A folder of drive C: that Windows always has; created on first use.
std::optional<std::wstring> SystemFolder(const std::wstring& path)
{
    std::optional<win::ResolvedPath> resolved = win::Drives::Resolve(path);
    if (!resolved)
        return std::nullopt;
    std::string folder = resolved->posixRoot;
    std::size_t start = folder.size();
    const std::string& target = resolved->posix;
    while (start < target.size()) {
        std::size_t end = target.find('/', start + 1);
        folder = target.substr(0, end);
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            win::SetLastErrorFromErrno(errno);
            return std::nullopt;
        }
        if (end == std::string::npos)
            break;
        start = end;
    }
    return resolved->windows;
}

}  // namespace

BOOL DeleteFileW(LPCWSTR fileName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName);
    if (!path)
        return Fail(GetLastError(), L"DeleteFileW", fileName);
    struct stat info {};
    if (::lstat(path->posix.c_str(), &info) != 0)
        return Fail(win::Drives::MissingFileError(path->posix), L"DeleteFileW", fileName);
    if (S_ISDIR(info.st_mode) || (!S_ISLNK(info.st_mode) && IsReadOnly(info)))
        return Fail(ERROR_ACCESS_DENIED, L"DeleteFileW", fileName);
    if (::unlink(path->posix.c_str()) != 0)
        return Fail(win::Win32ErrorFromErrno(errno), L"DeleteFileW", fileName);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(pathName);
    if (!path)
        return Fail(GetLastError(), L"CreateDirectoryW", pathName);
    if (path->isRoot)
        return Fail(ERROR_ALREADY_EXISTS, L"CreateDirectoryW", pathName);
    if (::mkdir(path->posix.c_str(), 0777) != 0) {
        const int error = errno;
        return Fail(error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND : win::Win32ErrorFromErrno(error),
                    L"CreateDirectoryW", pathName);
    }
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR pathName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(pathName);
    if (!path)
        return Fail(GetLastError(), L"RemoveDirectoryW", pathName);
    if (path->isRoot)
        return Fail(ERROR_ACCESS_DENIED, L"RemoveDirectoryW", pathName);
    struct stat info {};
    if (::lstat(path->posix.c_str(), &info) != 0)
        return Fail(win::Drives::MissingFileError(path->posix), L"RemoveDirectoryW", pathName);
    if (!S_ISDIR(info.st_mode))
        return Fail(ERROR_DIRECTORY, L"RemoveDirectoryW", pathName);
    if (IsReadOnly(info))
        return Fail(ERROR_ACCESS_DENIED, L"RemoveDirectoryW", pathName);
    // Windows holds the current directory open, so it cannot be removed.
    std::optional<std::string> current = win::Drives::ToPosix(win::Drives::GetCurrentDirectory());
    if (current && *current == path->posix)
        return Fail(ERROR_SHARING_VIOLATION, L"RemoveDirectoryW", pathName);
    if (::rmdir(path->posix.c_str()) != 0) {
        const int error = errno;
        return Fail(error == EEXIST ? ERROR_DIR_NOT_EMPTY : win::Win32ErrorFromErrno(error), L"RemoveDirectoryW",
                    pathName);
    }
    return TRUE;
}

BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName)
{
    std::optional<win::ResolvedPath> from = ResolveOrFail(existingFileName);
    if (!from)
        return Fail(GetLastError(), L"MoveFileW", existingFileName);
    std::optional<win::ResolvedPath> to = ResolveOrFail(newFileName);
    if (!to)
        return Fail(GetLastError(), L"MoveFileW", newFileName);
    struct stat source {};
    if (from->isRoot || to->isRoot)
        return Fail(ERROR_ACCESS_DENIED, L"MoveFileW", existingFileName);
    if (::lstat(from->posix.c_str(), &source) != 0)
        return Fail(win::Drives::MissingFileError(from->posix), L"MoveFileW", existingFileName);
    std::string target = to->posix;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        // The same entry under another case is a rename of its spelling.
        if (existing.st_dev != source.st_dev || existing.st_ino != source.st_ino)
            return Fail(ERROR_ALREADY_EXISTS, L"MoveFileW", newFileName);
        target = target.substr(0, target.find_last_of('/') + 1) + win::WideToUtf8(LastName(to->windows));
    }
    if (S_ISDIR(source.st_mode) && (to->posix + "/").rfind(from->posix + "/", 0) == 0 && to->posix != from->posix)
        return Fail(ERROR_ACCESS_DENIED, L"MoveFileW", newFileName);  // into itself
    if (::rename(from->posix.c_str(), target.c_str()) == 0) {
        win::FileInfo::KeepStoredAttributesAfterMove(target);
        return TRUE;
    }
    const int error = errno;
    if (error != EXDEV)
        return Fail(error == ENOENT ? ERROR_PATH_NOT_FOUND : win::Win32ErrorFromErrno(error), L"MoveFileW", newFileName);
    if (S_ISDIR(source.st_mode))
        return Fail(ERROR_NOT_SAME_DEVICE, L"MoveFileW", newFileName);
    if (int copyError = win::FileTree::CopyFile(from->posix, target, true))
        return Fail(win::Win32ErrorFromErrno(copyError), L"MoveFileW", newFileName);
    ::unlink(from->posix.c_str());
    return TRUE;
}

BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists)
{
    std::optional<win::ResolvedPath> from = ResolveOrFail(existingFileName);
    if (!from)
        return Fail(GetLastError(), L"CopyFileW", existingFileName);
    std::optional<win::ResolvedPath> to = ResolveOrFail(newFileName);
    if (!to)
        return Fail(GetLastError(), L"CopyFileW", newFileName);
    struct stat source {};
    if (::stat(from->posix.c_str(), &source) != 0)
        return Fail(win::Drives::MissingFileError(from->posix), L"CopyFileW", existingFileName);
    if (!S_ISREG(source.st_mode))
        return Fail(ERROR_ACCESS_DENIED, L"CopyFileW", existingFileName);
    struct stat target {};
    if (::stat(to->posix.c_str(), &target) == 0) {
        if (failIfExists)
            return Fail(ERROR_FILE_EXISTS, L"CopyFileW", newFileName);
        if (target.st_dev == source.st_dev && target.st_ino == source.st_ino)
            return Fail(ERROR_SHARING_VIOLATION, L"CopyFileW", newFileName);
        if (S_ISDIR(target.st_mode) || IsReadOnly(target))
            return Fail(ERROR_ACCESS_DENIED, L"CopyFileW", newFileName);
    }
    if (int error = win::FileTree::CopyFile(from->posix, to->posix, failIfExists != FALSE)) {
        DWORD code = error == ENOENT ? ERROR_PATH_NOT_FOUND : win::Win32ErrorFromErrno(error);
        if (error == EEXIST)
            code = ERROR_FILE_EXISTS;
        return Fail(code, L"CopyFileW", newFileName);
    }
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName);
    if (!path)
        return INVALID_FILE_ATTRIBUTES;
    std::optional<win::FileInfo> info = win::FileInfo::Read(path->posix, path->isRoot ? L"" : LastName(path->windows));
    if (!info)
        return INVALID_FILE_ATTRIBUTES;
    return path->isRoot ? FILE_ATTRIBUTE_DIRECTORY : info->attributes;
}

BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName);
    if (!path)
        return Fail(GetLastError(), L"SetFileAttributesW", fileName);
    struct stat info {};
    if (::stat(path->posix.c_str(), &info) != 0)
        return Fail(win::Drives::MissingFileError(path->posix), L"SetFileAttributesW", fileName);
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0 && LastName(path->windows).rfind(L'.', 0) != 0)
        OutputDebugStringW((L"SetFileAttributesW: hidden comes from a leading dot only: " + path->windows).c_str());
    const mode_t before = info.st_mode & 07777;
    const mode_t after = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? before & ~(S_IWUSR | S_IWGRP | S_IWOTH)
                                                                      : before | S_IWUSR;
    // Storing archive and system needs write permission on the entry: they
    // are stored while it has it (given for the moment to an entry that is
    // and stays read-only) and the permissions are set last. A step that
    // fails undoes the ones before it.
    const DWORD storedBefore = win::FileInfo::StoredAttributes(path->posix);
    const bool bitsChange = storedBefore != (attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
    const char* posix = path->posix.c_str();
    const mode_t whileStoring = bitsChange && ::access(posix, W_OK) != 0 ? before | S_IWUSR : before;
    if (whileStoring != before && ::chmod(posix, whileStoring) != 0)
        return Fail(win::Win32ErrorFromErrno(errno), L"SetFileAttributesW", fileName);
    if (bitsChange && !win::FileInfo::StoreAttributes(path->posix, attributes)) {
        const int error = errno;
        ::chmod(posix, before);
        return Fail(win::Win32ErrorFromErrno(error), L"SetFileAttributesW", fileName);
    }
    if (after != whileStoring && ::chmod(posix, after) != 0) {
        const int error = errno;
        win::FileInfo::StoreAttributes(path->posix, storedBefore);
        ::chmod(posix, before);
        return Fail(win::Win32ErrorFromErrno(error), L"SetFileAttributesW", fileName);
    }
    return TRUE;
}

UINT GetSystemDirectoryW(LPWSTR buffer, UINT size)
{
    std::optional<std::wstring> folder = SystemFolder(L"C:\\WINDOWS\\system32");
    if (!folder) {
        OutputDebugStringW(L"GetSystemDirectoryW: drive C: is not available");
        return 0;
    }
    return ReturnPath(*folder, buffer, size);
}

UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size)
{
    std::optional<std::wstring> folder = SystemFolder(L"C:\\WINDOWS");
    return folder ? ReturnPath(*folder, buffer, size) : 0;
}

DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer)
{
    std::optional<std::wstring> folder = SystemFolder(L"C:\\WINDOWS\\Temp");
    return folder ? ReturnPath(*folder + L"\\", buffer, bufferLength) : 0;
}
