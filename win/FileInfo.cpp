#include "win/FileInfo.h"

#include "win/Beneath.h"
#include "win/DebugLog.h"
#include "win/Descriptor.h"
#include "win/ResolvedPath.h"
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

// Extended attributes through the descriptor's path, which reaches
// descriptors opened with O_PATH as well.
ssize_t GetAttribute(int entry, const char* attribute, char* value, std::size_t size)
{
    return ::getxattr(DescriptorPath(entry).c_str(), attribute, value, size);
}

bool MarkFolder(int folder)
{
    if (GetAttribute(folder, kFolderMarkName, nullptr, 0) >= 0)
        return true;
    return ::setxattr(DescriptorPath(folder).c_str(), kFolderMarkName, "1", 1, 0) == 0;
}

DWORD ParseStored(const char* text, ssize_t length)
{
    if (length <= 0)
        return 0;
    return static_cast<DWORD>(std::strtoul(std::string(text, static_cast<std::size_t>(length)).c_str(), nullptr, 10)) &
           kStoredBits;
}

}  // namespace

std::optional<FileInfo> FileInfo::Read(const ResolvedPath& path, std::wstring_view name)
{
    const Descriptor entry(path.Open(O_PATH));
    struct statx info {};
    if (!entry.IsOpen() ||
        ::statx(entry.Get(), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        SetLastError(path.ErrorOf(errno));
        return std::nullopt;
    }
    return FromStatx(info, name, StoredAttributes(entry.Get()));
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

DWORD FileInfo::StoredAttributes(int entry)
{
    char text[16] = {};
    return ParseStored(text, GetAttribute(entry, kAttributeName, text, sizeof text - 1));
}

DWORD FileInfo::StoredAttributesAt(int folder, const char* name)
{
    char text[16] = {};
    const std::string path = DescriptorPath(folder) + "/" + name;
    return ParseStored(text, ::lgetxattr(path.c_str(), kAttributeName, text, sizeof text - 1));
}

bool FileInfo::StoreAttributes(int entry, int folder, DWORD attributes)
{
    attributes &= kStoredBits;
    const std::string entryPath = DescriptorPath(entry);
    if (attributes == 0) {
        // Removing needs write permission on the entry; nothing to remove
        // needs none.
        if (GetAttribute(entry, kAttributeName, nullptr, 0) < 0)
            return errno == ENODATA || errno == ENOTSUP;
        return ::removexattr(entryPath.c_str(), kAttributeName) == 0 || errno == ENODATA;
    }
    // The mark goes first: bits stored in a folder without it would be
    // invisible to listings. A folder the user may not change cannot take
    // it; the bits are kept all the same, as Windows keeps them there.
    if (folder < 0 || !MarkFolder(folder)) {
        if (folder < 0 || errno == EACCES || errno == EPERM)
            OutputDebugStringW(L"Archive/system bits kept, but not shown in the listing of their folder: "
                               L"the folder cannot be marked");
        else if (errno != ENOTSUP)
            return false;
    }
    const std::string text = std::to_string(attributes);
    if (::setxattr(entryPath.c_str(), kAttributeName, text.data(), text.size(), 0) != 0) {
        if (errno == ENOTSUP) {
            OutputDebugStringW(L"SetFileAttributesW: no extended attributes here, archive/system not kept");
            return true;
        }
        return false;
    }
    return true;
}

bool FileInfo::StoreAttributes(const ResolvedPath& path, int entry, DWORD attributes)
{
    const Descriptor folder((attributes & kStoredBits) != 0 ? path.OpenFolderOfTarget() : -1);
    return StoreAttributes(entry, folder.Get(), attributes);
}

bool FileInfo::FolderMayHoldStoredAttributes(int folderDescriptor)
{
    return ::fgetxattr(folderDescriptor, kFolderMarkName, nullptr, 0) >= 0;
}

bool FileInfo::KeepStoredAttributesAfterMove(const ResolvedPath& path)
{
    const Descriptor entry(path.Open(O_PATH));
    if (!entry.IsOpen() || StoredAttributes(entry.Get()) == 0)
        return true;
    const Descriptor folder(path.OpenFolderOfTarget());
    if (folder.IsOpen() && MarkFolder(folder.Get()))
        return true;
    OutputDebugStringW(L"MoveFileW: the new folder cannot be marked; archive/system do not show in its listings");
    return false;
}

FILETIME FileInfo::ToFileTime(const timespec& time)
{
    const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + Clock::GetOffsetSeconds();
    return TicksToFileTime(seconds * kTicksPerSecond + time.tv_nsec / 100 + kUnixEpochTicks);
}

timespec FileInfo::FromFileTime(const FILETIME& time)
{
    const std::int64_t ticks = FileTimeToTicks(time) - kUnixEpochTicks;
    // Floor division: a time before 1970 still has nanoseconds in 0..999999999.
    std::int64_t seconds = ticks / kTicksPerSecond;
    std::int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    timespec result{};
    result.tv_sec = static_cast<time_t>(seconds - Clock::GetOffsetSeconds());
    result.tv_nsec = static_cast<long>(rest * 100);
    return result;
}

}  // namespace win
