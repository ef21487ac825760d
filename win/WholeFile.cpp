#include "win/WholeFile.h"

#include "win/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win {

bool ReadWholeFile(const std::string& posixPath, std::uintmax_t limit, const char* kind, std::string& text,
                   std::string& error, FollowLinks links)
{
    // Non-blocking, so that opening a FIFO put in the file's place does not
    // wait for a writer; the check below refuses it anyway.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (links == FollowLinks::No)
        flags |= O_NOFOLLOW;
    const Descriptor file(::open(posixPath.c_str(), flags));
    if (file.Get() < 0) {
        error = errno == ELOOP ? posixPath + " is a link, not a " + kind : "cannot open " + posixPath;
        return false;
    }
    struct stat info{};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = posixPath + " is not a regular file";
        return false;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        error = posixPath + " is too large for a " + kind;
        return false;
    }
    // Read to the end rather than the size seen: a file that grows meanwhile
    // is still held to the limit.
    text.clear();
    text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = "cannot read " + posixPath;
            return false;
        }
        if (got == 0)
            return true;
        if (text.size() + static_cast<std::size_t>(got) > limit) {
            error = posixPath + " is too large for a " + kind;
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace win
