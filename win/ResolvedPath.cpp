#include "win/ResolvedPath.h"

#include "win/Beneath.h"
#include "win/Handles.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace win {
namespace {

constexpr int kMostLinks = 40;  // as many as the kernel follows in one look-up

}  // namespace

int ResolvedPath::Open(int flags, mode_t mode) const
{
    return OpenBeneath(DriveFolder(), beneath, flags, mode);
}

int ResolvedPath::OpenFolder() const
{
    if (isRoot) {
        errno = EINVAL;
        return -1;
    }
    return OpenBeneath(DriveFolder(), FolderBeneath(), O_PATH | O_DIRECTORY);
}

std::string ResolvedPath::FolderBeneath() const
{
    const std::size_t slash = beneath.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : beneath.substr(0, slash);
}

std::string ResolvedPath::Name() const
{
    const std::size_t slash = beneath.find_last_of('/');
    return slash == std::string::npos ? beneath : beneath.substr(slash + 1);
}

int ResolvedPath::OpenFolderOfTarget() const
{
    if (isRoot) {
        errno = EINVAL;
        return -1;
    }
    std::string folder = FolderBeneath();
    std::string name = Name();
    for (int hop = 0; hop < kMostLinks; ++hop) {
        Descriptor holder(OpenBeneath(DriveFolder(), folder, O_PATH | O_DIRECTORY));
        struct stat info {};
        if (!holder.IsOpen() || ::fstatat(holder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(info.st_mode))
            return holder.Release();
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(holder.Get(), name.c_str(), target, sizeof target);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof target) || target[0] == '/') {
            errno = length > 0 ? EACCES : errno;  // an absolute link never stays beneath the drive
            return -1;
        }
        // Followed from the link's own folder, as the kernel follows it.
        std::string text(target, static_cast<std::size_t>(length));
        while (text.size() > 1 && text.back() == '/')
            text.pop_back();
        const std::size_t slash = text.find_last_of('/');
        if (slash != std::string::npos)
            folder = JoinBeneath(folder, text.substr(0, slash));
        name = slash == std::string::npos ? text : text.substr(slash + 1);
    }
    errno = ELOOP;
    return -1;
}

bool ResolvedPath::Stat(struct stat& info, bool followLinks) const
{
    const Descriptor entry(Open(O_PATH | (followLinks ? 0 : O_NOFOLLOW)));
    return entry.IsOpen() && ::fstat(entry.Get(), &info) == 0;
}

DWORD ResolvedPath::ErrorOf(int error) const
{
    if (error == ENOTDIR)
        return ERROR_PATH_NOT_FOUND;
    if (error != ENOENT)
        return Win32ErrorFromErrno(error);
    if (isRoot)
        return ERROR_PATH_NOT_FOUND;
    const Descriptor folder(OpenBeneath(DriveFolder(), FolderBeneath(), O_PATH | O_DIRECTORY));
    return folder.IsOpen() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace win
