// The path-level file functions of FileApi.h: delete, folders, move, copy,
// attributes and the system folders.
#include "win/FileApi.h"

#include "win/Beneath.h"
#include "win/DebugLog.h"
#include "win/Descriptor.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/FileTree.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <fcntl.h>
#include <stdio.h>
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

std::optional<win::ResolvedPath> ResolveOrFail(LPCWSTR path,
                                               win::Drives::FinalLink finalLink = win::Drives::FinalLink::Follow)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    return win::Drives::Resolve(path, finalLink);
}

// The folder of a path's entry, open, with the entry's status (not
// following a link); errno set when either is missing.
struct EntryInFolder {
    win::Descriptor folder;
    std::string name;
    struct stat info {};
    bool exists = false;
};

EntryInFolder OpenEntry(const win::ResolvedPath& path)
{
    EntryInFolder entry;
    entry.folder = win::Descriptor(path.OpenFolder());
    entry.name = path.Name();
    entry.exists = entry.folder.IsOpen() &&
                   ::fstatat(entry.folder.Get(), entry.name.c_str(), &entry.info, AT_SYMLINK_NOFOLLOW) == 0;
    return entry;
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
    std::string folder = ".";
    std::size_t start = 0;
    const std::string& target = resolved->beneath;
    while (start < target.size()) {
        const std::size_t end = std::min(target.find('/', start), target.size());
        const std::string name = target.substr(start, end - start);
        const win::Descriptor parent(win::OpenBeneath(resolved->DriveFolder(), folder, O_PATH | O_DIRECTORY));
        if (!parent.IsOpen() || (::mkdirat(parent.Get(), name.c_str(), 0777) != 0 && errno != EEXIST)) {
            win::SetLastErrorFromErrno(errno);
            return std::nullopt;
        }
        folder = win::JoinBeneath(folder, name);
        start = end + 1;
    }
    return resolved->windows;
}

}  // namespace

BOOL DeleteFileW(LPCWSTR fileName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName, win::Drives::FinalLink::Keep);
    if (!path)
        return Fail(GetLastError(), L"DeleteFileW", fileName);
    if (path->isRoot)
        return Fail(ERROR_ACCESS_DENIED, L"DeleteFileW", fileName);
    const EntryInFolder entry = OpenEntry(*path);
    if (!entry.exists)
        return Fail(path->ErrorOf(errno), L"DeleteFileW", fileName);
    if (S_ISDIR(entry.info.st_mode) || (!S_ISLNK(entry.info.st_mode) && IsReadOnly(entry.info)))
        return Fail(ERROR_ACCESS_DENIED, L"DeleteFileW", fileName);
    if (::unlinkat(entry.folder.Get(), entry.name.c_str(), 0) != 0)
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
    const win::Descriptor folder(path->OpenFolder());
    if (!folder.IsOpen() || ::mkdirat(folder.Get(), path->Name().c_str(), 0777) != 0) {
        const int error = errno;
        return Fail(error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND : win::Win32ErrorFromErrno(error),
                    L"CreateDirectoryW", pathName);
    }
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR pathName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(pathName, win::Drives::FinalLink::Keep);
    if (!path)
        return Fail(GetLastError(), L"RemoveDirectoryW", pathName);
    if (path->isRoot)
        return Fail(ERROR_ACCESS_DENIED, L"RemoveDirectoryW", pathName);
    const EntryInFolder entry = OpenEntry(*path);
    if (!entry.exists)
        return Fail(path->ErrorOf(errno), L"RemoveDirectoryW", pathName);
    if (!S_ISDIR(entry.info.st_mode))
        return Fail(ERROR_DIRECTORY, L"RemoveDirectoryW", pathName);
    if (IsReadOnly(entry.info))
        return Fail(ERROR_ACCESS_DENIED, L"RemoveDirectoryW", pathName);
    // Windows holds the current directory open, so it cannot be removed.
    std::optional<std::string> current = win::Drives::ToPosix(win::Drives::GetCurrentDirectory());
    if (current && *current == path->posix)
        return Fail(ERROR_SHARING_VIOLATION, L"RemoveDirectoryW", pathName);
    if (::unlinkat(entry.folder.Get(), entry.name.c_str(), AT_REMOVEDIR) != 0) {
        const int error = errno;
        return Fail(error == EEXIST ? ERROR_DIR_NOT_EMPTY : win::Win32ErrorFromErrno(error), L"RemoveDirectoryW",
                    pathName);
    }
    return TRUE;
}

BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName)
{
    std::optional<win::ResolvedPath> from = ResolveOrFail(existingFileName, win::Drives::FinalLink::Keep);
    if (!from)
        return Fail(GetLastError(), L"MoveFileW", existingFileName);
    std::optional<win::ResolvedPath> to = ResolveOrFail(newFileName, win::Drives::FinalLink::Keep);
    if (!to)
        return Fail(GetLastError(), L"MoveFileW", newFileName);
    if (from->isRoot || to->isRoot)
        return Fail(ERROR_ACCESS_DENIED, L"MoveFileW", existingFileName);
    const EntryInFolder source = OpenEntry(*from);
    if (!source.exists)
        return Fail(from->ErrorOf(errno), L"MoveFileW", existingFileName);
    EntryInFolder target = OpenEntry(*to);
    if (!target.folder.IsOpen())
        return Fail(to->ErrorOf(errno), L"MoveFileW", newFileName);
    if (target.exists) {
        // The same entry under another case is a rename of its spelling.
        if (target.info.st_dev != source.info.st_dev || target.info.st_ino != source.info.st_ino)
            return Fail(ERROR_ALREADY_EXISTS, L"MoveFileW", newFileName);
        target.name = win::WideToUtf8(LastName(to->windows));
        to->beneath = win::JoinBeneath(to->FolderBeneath(), target.name);
        if (target.name == source.name)
            return TRUE;
    }
    if (S_ISDIR(source.info.st_mode) && (to->posix + "/").rfind(from->posix + "/", 0) == 0)
        return Fail(ERROR_ACCESS_DENIED, L"MoveFileW", newFileName);  // into itself
    // Never over an entry that appeared meanwhile.
    if (::renameat2(source.folder.Get(), source.name.c_str(), target.folder.Get(), target.name.c_str(),
                    RENAME_NOREPLACE) == 0) {
        win::FileInfo::KeepStoredAttributesAfterMove(*to);
        return TRUE;
    }
    const int error = errno;
    if (error != EXDEV)
        return Fail(error == ENOENT ? ERROR_PATH_NOT_FOUND : win::Win32ErrorFromErrno(error), L"MoveFileW", newFileName);
    if (S_ISDIR(source.info.st_mode))
        return Fail(ERROR_NOT_SAME_DEVICE, L"MoveFileW", newFileName);
    const win::Descriptor in(from->Open(O_RDONLY | O_NONBLOCK | O_NOCTTY));
    const win::Descriptor out(::openat(target.folder.Get(), target.name.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!in.IsOpen() || !out.IsOpen())
        return Fail(win::Win32ErrorFromErrno(errno), L"MoveFileW", newFileName);
    if (int copyError = win::FileTree::CopyFile(in.Get(), out.Get(), target.folder.Get())) {
        ::unlinkat(target.folder.Get(), target.name.c_str(), 0);
        return Fail(win::Win32ErrorFromErrno(copyError), L"MoveFileW", newFileName);
    }
    ::unlinkat(source.folder.Get(), source.name.c_str(), 0);
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
    // Non-blocking, so that a FIFO in the file's place is refused, not waited on.
    const win::Descriptor in(from->Open(O_RDONLY | O_NONBLOCK | O_NOCTTY));
    struct stat source {};
    if (!in.IsOpen() || ::fstat(in.Get(), &source) != 0)
        return Fail(from->ErrorOf(errno), L"CopyFileW", existingFileName);
    if (!S_ISREG(source.st_mode))
        return Fail(ERROR_ACCESS_DENIED, L"CopyFileW", existingFileName);
    struct stat target {};
    if (to->Stat(target, true)) {
        if (failIfExists)
            return Fail(ERROR_FILE_EXISTS, L"CopyFileW", newFileName);
        if (target.st_dev == source.st_dev && target.st_ino == source.st_ino)
            return Fail(ERROR_SHARING_VIOLATION, L"CopyFileW", newFileName);
        if (S_ISDIR(target.st_mode) || IsReadOnly(target))
            return Fail(ERROR_ACCESS_DENIED, L"CopyFileW", newFileName);
    }
    const win::Descriptor out(to->Open(O_WRONLY | O_CREAT | O_TRUNC | (failIfExists ? O_EXCL : 0), 0600));
    if (!out.IsOpen()) {
        const int error = errno;
        return Fail(error == EEXIST ? ERROR_FILE_EXISTS : to->ErrorOf(error), L"CopyFileW", newFileName);
    }
    const win::Descriptor folder(to->OpenFolderOfTarget());
    if (int error = win::FileTree::CopyFile(in.Get(), out.Get(), folder.Get()))
        return Fail(win::Win32ErrorFromErrno(error), L"CopyFileW", newFileName);
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName);
    if (!path)
        return INVALID_FILE_ATTRIBUTES;
    std::optional<win::FileInfo> info = win::FileInfo::Read(*path, path->isRoot ? L"" : LastName(path->windows));
    if (!info)
        return INVALID_FILE_ATTRIBUTES;
    return path->isRoot ? FILE_ATTRIBUTE_DIRECTORY : info->attributes;
}

BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes)
{
    std::optional<win::ResolvedPath> path = ResolveOrFail(fileName);
    if (!path)
        return Fail(GetLastError(), L"SetFileAttributesW", fileName);
    const win::Descriptor entry(path->Open(O_PATH));
    struct stat info {};
    if (!entry.IsOpen() || ::fstat(entry.Get(), &info) != 0)
        return Fail(path->ErrorOf(errno), L"SetFileAttributesW", fileName);
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0 && LastName(path->windows).rfind(L'.', 0) != 0)
        OutputDebugStringW((L"SetFileAttributesW: hidden comes from a leading dot only: " + path->windows).c_str());
    const mode_t before = info.st_mode & 07777;
    const mode_t after = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? before & ~(S_IWUSR | S_IWGRP | S_IWOTH)
                                                                      : before | S_IWUSR;
    // Storing archive and system needs write permission on the entry: they
    // are stored while it has it (given for the moment to an entry that is
    // and stays read-only) and the permissions are set last. A step that
    // fails undoes the ones before it. The mode changes go through the open
    // entry, so they reach what was looked up beneath the drive.
    const DWORD storedBefore = win::FileInfo::StoredAttributes(entry.Get());
    const bool bitsChange = storedBefore != (attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
    const std::string reach = win::DescriptorPath(entry.Get());
    const char* posix = reach.c_str();
    const mode_t whileStoring = bitsChange && ::access(posix, W_OK) != 0 ? before | S_IWUSR : before;
    if (whileStoring != before && ::chmod(posix, whileStoring) != 0)
        return Fail(win::Win32ErrorFromErrno(errno), L"SetFileAttributesW", fileName);
    if (bitsChange && !win::FileInfo::StoreAttributes(*path, entry.Get(), attributes)) {
        const int error = errno;
        ::chmod(posix, before);
        return Fail(win::Win32ErrorFromErrno(error), L"SetFileAttributesW", fileName);
    }
    if (after != whileStoring && ::chmod(posix, after) != 0) {
        const int error = errno;
        win::FileInfo::StoreAttributes(*path, entry.Get(), storedBefore);
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
