#include "win/FileInfo.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/TextConvert.h"
#include "win/TimeApi.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace win {
namespace {

constexpr const char* kAttributeName = "user.win.attributes";
constexpr const char* kFolderMarkName = "user.win.holds-attributes";
constexpr DWORD kStoredBits = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM;

bool IsHiddenName(std::wstring_view name)
{
    return !name.empty() && name[0] == L'.' && name != L"." && name != L"..";
}

timespec ToTimespec(const statx_timestamp& stamp)
{
    timespec time {};
    time.tv_sec = stamp.tv_sec;
    time.tv_nsec = stamp.tv_nsec;
    return time;
}

std::string FolderOf(const std::string& posixPath)
{
    const std::size_t slash = posixPath.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : posixPath.substr(0, slash);
}

bool MarkFolder(const std::string& folder)
{
    if (::getxattr(folder.c_str(), kFolderMarkName, nullptr, 0) >= 0)
        return true;
    return ::setxattr(folder.c_str(), kFolderMarkName, "1", 1, 0) == 0;
}

// The folder whose listings need the mark to show the entry's bits: its
// own, or for a symbolic link the one of the entry it leads to, where the
// bits are stored (listings read a link's bits whatever its folder says).
bool MarkFolderOf(const std::string& posixPath)
{
    struct stat link {};
    if (::lstat(posixPath.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return MarkFolder(FolderOf(posixPath));
    char* target = ::realpath(posixPath.c_str(), nullptr);
    if (target == nullptr)
        return true;  // a dangling link has no bits to show
    const bool marked = MarkFolder(FolderOf(target));
    std::free(target);
    return marked;
}

}  // namespace

std::optional<FileInfo> FileInfo::Read(const std::string& posixPath, std::wstring_view name)
{
    struct statx info {};
    if (::statx(AT_FDCWD, posixPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        SetLastError(errno == ENOENT ? Drives::MissingFileError(posixPath) : Win32ErrorFromErrno(errno));
        return std::nullopt;
    }
    return FromStatx(info, name, StoredAttributes(posixPath));
}

FileInfo FileInfo::FromStatx(const struct statx& info, std::wstring_view name, DWORD storedAttributes)
{
    FileInfo result;
    result.isDirectory = S_ISDIR(info.stx_mode);
    if (result.isDirectory)
        result.attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((info.stx_mode & S_IWUSR) == 0)
        result.attributes |= FILE_ATTRIBUTE_READONLY;
    if (IsHiddenName(name))
        result.attributes |= FILE_ATTRIBUTE_HIDDEN;
    result.attributes |= storedAttributes & kStoredBits;
    if (result.attributes == 0)
        result.attributes = FILE_ATTRIBUTE_NORMAL;
    result.size = result.isDirectory ? 0 : info.stx_size;
    result.lastWriteTime = ToFileTime(ToTimespec(info.stx_mtime));
    result.lastAccessTime = ToFileTime(ToTimespec(info.stx_atime));
    // Without a birth time the change time is the nearest the system keeps.
    result.creationTime = ToFileTime(ToTimespec((info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime : info.stx_ctime));
    return result;
}

DWORD FileInfo::StoredAttributes(const std::string& posixPath)
{
    char text[16] = {};
    const ssize_t length = ::getxattr(posixPath.c_str(), kAttributeName, text, sizeof text - 1);
    if (length <= 0)
        return 0;
    text[length] = '\0';
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10)) & kStoredBits;
}

bool FileInfo::StoreAttributes(const std::string& posixPath, DWORD attributes)
{
    attributes &= kStoredBits;
    if (attributes == 0) {
        // Removing needs write permission on the entry; nothing to remove
        // needs none.
        if (::getxattr(posixPath.c_str(), kAttributeName, nullptr, 0) < 0)
            return errno == ENODATA || errno == ENOTSUP;
        return ::removexattr(posixPath.c_str(), kAttributeName) == 0 || errno == ENODATA;
    }
    // The mark goes first: bits stored in a folder without it would be
    // invisible to listings. A folder the user may not change cannot take
    // it; the bits are kept all the same, as Windows keeps them there.
    if (!MarkFolderOf(posixPath)) {
        if (errno == EACCES || errno == EPERM)
            OutputDebugStringW((L"Archive/system bits kept, but not shown in the listing of the folder of " +
                                Utf8ToWide(posixPath) + L": the folder cannot be marked")
                                   .c_str());
        else if (errno != ENOTSUP)
            return false;
    }
    const std::string text = std::to_string(attributes);
    if (::setxattr(posixPath.c_str(), kAttributeName, text.data(), text.size(), 0) != 0) {
        if (errno == ENOTSUP) {
            OutputDebugStringW(L"SetFileAttributesW: no extended attributes here, archive/system not kept");
            return true;
        }
        return false;
    }
    return true;
}

bool FileInfo::FolderMayHoldStoredAttributes(int folderDescriptor)
{
    return ::fgetxattr(folderDescriptor, kFolderMarkName, nullptr, 0) >= 0;
}

bool FileInfo::KeepStoredAttributesAfterMove(const std::string& posixPath)
{
    if (StoredAttributes(posixPath) == 0)
        return true;
    if (MarkFolderOf(posixPath))
        return true;
    OutputDebugStringW(L"MoveFileW: the new folder cannot be marked; archive/system do not show in its listings");
    return false;
}

FILETIME FileInfo::ToFileTime(const timespec& time)
{
    const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + Clock::GetOffsetSeconds();
    return TicksToFileTime(seconds * kTicksPerSecond + time.tv_nsec / 100 + kUnixEpochTicks);
}

}  // namespace win
