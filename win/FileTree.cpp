#include "win/FileTree.h"

#include "win/Descriptor.h"
#include "win/FileInfo.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win {
namespace {

int CopyRange(int in, int out, off_t begin, off_t end)
{
    std::vector<char> buffer(1 << 20);
    while (begin < end) {
        const auto chunk = static_cast<std::size_t>(std::min<off_t>(end - begin, static_cast<off_t>(buffer.size())));
        const ssize_t got = ::pread(in, buffer.data(), chunk, begin);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : EIO;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::pwrite(out, buffer.data() + done, static_cast<std::size_t>(got - done), begin + done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return put < 0 ? errno : ENOSPC;
            done += put;
        }
        begin += got;
    }
    return 0;
}

}  // namespace

int FileTree::CopyFile(int from, int to, int toFolder)
{
    struct stat info {};
    if (::fstat(from, &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EISDIR;

    // Copy the data ranges only, so a sparse file stays sparse.
    off_t position = 0;
    while (position < info.st_size) {
        off_t data = ::lseek(from, position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break;  // only a hole remains
            data = position;  // no hole support: copy the rest
        }
        off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0)
            hole = info.st_size;
        if (int error = CopyRange(from, to, data, hole))
            return error;
        position = hole;
    }
    if (::ftruncate(to, info.st_size) != 0)
        return errno;
    const timespec times[2] = {info.st_atim, info.st_mtim};
    if (::futimens(to, times) != 0)
        return errno;
    // Stored before the permissions: a read-only copy would refuse them.
    FileInfo::StoreAttributes(to, toFolder, FileInfo::StoredAttributes(from));
    return ::fchmod(to, info.st_mode & 07777) == 0 ? 0 : errno;
}

bool FileTree::ReadNames(int folder, std::vector<std::string>& names)
{
    names.clear();
    const int readable = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = readable >= 0 ? ::fdopendir(readable) : nullptr;
    if (dir == nullptr) {
        const int error = errno;
        if (readable >= 0)
            ::close(readable);
        errno = error;
        return false;
    }
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return true;
}

int FileTree::RemoveTree(int folder, const std::string& name)
{
    // Opened without following: a link is removed as a link, also one that
    // took the place of a folder since the folder was listed.
    Descriptor inner(::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!inner.IsOpen()) {
        if (errno != ENOTDIR && errno != ELOOP)
            return errno;
        return ::unlinkat(folder, name.c_str(), 0) == 0 ? 0 : errno;
    }
    int firstError = 0;
    std::vector<std::string> names;
    if (!ReadNames(inner.Get(), names))
        firstError = errno;
    for (const std::string& entry : names) {
        const int error = RemoveTree(inner.Get(), entry);
        if (firstError == 0)
            firstError = error;
    }
    if (::unlinkat(folder, name.c_str(), AT_REMOVEDIR) != 0 && firstError == 0)
        firstError = errno;
    return firstError;
}

}  // namespace win
