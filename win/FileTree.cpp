#include "win/FileTree.h"

#include "win/FileInfo.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

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

int FileTree::CopyFile(const std::string& from, const std::string& to, bool exclusive)
{
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        return errno;
    struct stat info {};
    if (::fstat(in.Get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EISDIR;
    Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (exclusive ? O_EXCL : 0), 0600));
    if (out.Get() < 0)
        return errno;

    // Copy the data ranges only, so a sparse file stays sparse.
    off_t position = 0;
    while (position < info.st_size) {
        off_t data = ::lseek(in.Get(), position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break;  // only a hole remains
            data = position;  // no hole support: copy the rest
        }
        off_t hole = ::lseek(in.Get(), data, SEEK_HOLE);
        if (hole < 0)
            hole = info.st_size;
        if (int error = CopyRange(in.Get(), out.Get(), data, hole))
            return error;
        position = hole;
    }
    if (::ftruncate(out.Get(), info.st_size) != 0)
        return errno;
    const timespec times[2] = {info.st_atim, info.st_mtim};
    if (::futimens(out.Get(), times) != 0)
        return errno;
    // Stored before the permissions: a read-only copy would refuse them.
    FileInfo::StoreAttributes(to, FileInfo::StoredAttributes(from));
    return ::fchmod(out.Get(), info.st_mode & 07777) == 0 ? 0 : errno;
}

int FileTree::RemoveTree(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(path.c_str()) == 0 ? 0 : errno;
    int firstError = 0;
    if (DIR* dir = ::opendir(path.c_str())) {
        std::vector<std::string> names;
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
        for (const std::string& name : names) {
            int error = RemoveTree(path + "/" + name);
            if (firstError == 0)
                firstError = error;
        }
    } else {
        firstError = errno;
    }
    if (::rmdir(path.c_str()) != 0 && firstError == 0)
        firstError = errno;
    return firstError;
}

}  // namespace win
