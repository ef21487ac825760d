// The Win32 and C runtime functions of the drives and the current directory.
#include "win/Drives.h"

#include "win/Descriptor.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t UpperLetter(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

using win::Drives;

DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer)
{
    const std::wstring text = Drives::GetCurrentDirectory();
    if (buffer == nullptr || bufferLength <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

BOOL SetCurrentDirectoryW(LPCWSTR path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Drives::SetCurrentDirectory(path) ? TRUE : FALSE;
}

DWORD GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart)
{
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::optional<std::wstring> text = Drives::FullPath(fileName, true);
    if (!text)
        return 0;
    if (buffer == nullptr || bufferLength <= text->size())
        return static_cast<DWORD>(text->size() + 1);
    std::wmemcpy(buffer, text->c_str(), text->size() + 1);
    if (filePart != nullptr) {
        std::size_t slash = text->find_last_of(L'\\');
        *filePart = slash + 1 < text->size() ? buffer + slash + 1 : nullptr;
    }
    return static_cast<DWORD>(text->size());
}

DWORD GetLogicalDrives()
{
    if (Drives::GetDataRoot().empty())
        return 0;
    DWORD mask = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (IsDirectory(Drives::DriveFolder(letter)))
            mask |= 1u << (letter - L'A');
    }
    return mask;
}

UINT GetDriveTypeW(LPCWSTR rootPath)
{
    std::wstring text = rootPath != nullptr ? std::wstring(rootPath) : Drives::GetCurrentRoot();
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if ((text.size() == 2 || (text.size() == 3 && text[2] == L'\\')) && text[1] == L':' &&
        IsAsciiLetter(text[0])) {
        const wchar_t letter = UpperLetter(text[0]);
        if (Drives::GetDataRoot().empty() || !IsDirectory(Drives::DriveFolder(letter)))
            return DRIVE_NO_ROOT_DIR;
        return letter == L'C' || letter == L'D' ? DRIVE_FIXED : DRIVE_REMOVABLE;
    }
    if (text.rfind(L"\\\\", 0) == 0) {
        std::optional<win::ResolvedPath> resolved = Drives::Resolve(text);
        if (resolved && resolved->isRoot)
            return DRIVE_REMOTE;
    }
    return DRIVE_NO_ROOT_DIR;
}

BOOL GetDiskFreeSpaceExW(LPCWSTR directory, ULARGE_INTEGER* freeBytesAvailable, ULARGE_INTEGER* totalBytes,
                         ULARGE_INTEGER* totalFreeBytes)
{
    std::optional<win::ResolvedPath> resolved =
        Drives::Resolve(directory != nullptr ? std::wstring(directory) : Drives::GetCurrentDirectory());
    if (!resolved)
        return FALSE;
    const win::Descriptor folder(resolved->Open(O_PATH));
    struct statvfs info {};
    if (!folder.IsOpen() || ::fstatvfs(folder.Get(), &info) != 0) {
        SetLastError(resolved->ErrorOf(errno));
        return FALSE;
    }
    const ULONGLONG unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    if (freeBytesAvailable != nullptr)
        freeBytesAvailable->QuadPart = static_cast<ULONGLONG>(info.f_bavail) * unit;
    if (totalBytes != nullptr)
        totalBytes->QuadPart = static_cast<ULONGLONG>(info.f_blocks) * unit;
    if (totalFreeBytes != nullptr)
        totalFreeBytes->QuadPart = static_cast<ULONGLONG>(info.f_bfree) * unit;
    return TRUE;
}

namespace {

// The C runtime's getcwd contract: a null buffer is allocated (at least
// maxLength characters), a buffer too small fails with ERANGE.
template <class Char>
Char* CopyCurrentDirectory(const std::basic_string<Char>& text, Char* buffer, int maxLength)
{
    if (buffer == nullptr) {
        const std::size_t size = std::max(static_cast<std::size_t>(std::max(maxLength, 0)), text.size() + 1);
        buffer = static_cast<Char*>(std::malloc(size * sizeof(Char)));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxLength <= 0) {
        errno = EINVAL;
        return nullptr;
    } else if (text.size() + 1 > static_cast<std::size_t>(maxLength)) {
        errno = ERANGE;
        return nullptr;
    }
    std::copy_n(text.c_str(), text.size() + 1, buffer);
    return buffer;
}

}  // namespace

wchar_t* _wgetcwd(wchar_t* buffer, int maxLength)
{
    return CopyCurrentDirectory(Drives::GetCurrentDirectory(), buffer, maxLength);
}

char* _getcwd(char* buffer, int maxLength)
{
    return CopyCurrentDirectory(win::WideToUtf8(Drives::GetCurrentDirectory()), buffer, maxLength);
}

int _wchdir(const wchar_t* path)
{
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (!Drives::SetCurrentDirectory(path)) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}

int _chdir(const char* path)
{
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    return _wchdir(win::Utf8ToWide(path).c_str());
}
