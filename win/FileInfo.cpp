#include "win/FileInfo.h"

#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/TimeApi.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace win {
namespace {

constexpr const char* kAttributeName = "user.win.attributes";
constexpr DWORD kStoredBits = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM;

bool IsHiddenName(std::wstring_view name)
{
    return !name.empty() && name[0] == L'.' && name != L"." && name != L"..";
}

}  // namespace

std::optional<FileInfo> FileInfo::Read(const std::string& posixPath, std::wstring_view name)
{
    struct statx info {};
    if (::statx(AT_FDCWD, posixPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        SetLastError(errno == ENOENT ? Drives::MissingFileError(posixPath) : Win32ErrorFromErrno(errno));
        return std::nullopt;
    }
    FileInfo result;
    result.isDirectory = S_ISDIR(info.stx_mode);
    if (result.isDirectory)
        result.attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((info.stx_mode & S_IWUSR) == 0)
        result.attributes |= FILE_ATTRIBUTE_READONLY;
    if (IsHiddenName(name))
        result.attributes |= FILE_ATTRIBUTE_HIDDEN;
    result.attributes |= StoredAttributes(posixPath);
    if (result.attributes == 0)
        result.attributes = FILE_ATTRIBUTE_NORMAL;
    result.size = result.isDirectory ? 0 : info.stx_size;
    auto toTimespec = [](const statx_timestamp& stamp) {
        timespec time {};
        time.tv_sec = stamp.tv_sec;
        time.tv_nsec = stamp.tv_nsec;
        return time;
    };
    result.lastWriteTime = ToFileTime(toTimespec(info.stx_mtime));
    result.lastAccessTime = ToFileTime(toTimespec(info.stx_atime));
    // Without a birth time the change time is the nearest the system keeps.
    result.creationTime = ToFileTime(toTimespec((info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime : info.stx_ctime));
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
        if (::removexattr(posixPath.c_str(), kAttributeName) != 0 && errno != ENODATA && errno != ENOTSUP)
            return false;
        return true;
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

FILETIME FileInfo::ToFileTime(const timespec& time)
{
    const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + Clock::GetOffsetSeconds();
    return TicksToFileTime(seconds * kTicksPerSecond + time.tv_nsec / 100 + kUnixEpochTicks);
}

}  // namespace win
