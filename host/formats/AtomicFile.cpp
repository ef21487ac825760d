#include "host/formats/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace formats {

namespace {

// A hidden name beside `path`, unique to this process and call. A file's name
// may take the whole of a component (NAME_MAX bytes); the temporary's then
// keeps as much of it as fits, cut between UTF-8 characters.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix = ".partial-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::string stem = path.filename().string();
    const std::size_t room = NAME_MAX - 1 - suffix.size();
    if (stem.size() > room) {
        stem.resize(room);
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back();
        if (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0x80) != 0)
            stem.pop_back();  // the lead byte of the character cut
    }
    return path.parent_path() / ("." + stem + suffix);
}

void SetError(std::string* error, const std::string& what, const std::filesystem::path& path, int code)
{
    if (error)
        *error = what + " " + path.string() + ": " + std::strerror(code);
}

// Writes the bytes to a fresh temporary file next to `path`; its name on success.
bool WriteTemporary(const std::filesystem::path& path, std::string_view bytes, std::filesystem::path& temporary,
                    std::string* error)
{
    if (path.filename().empty()) {
        if (error)
            *error = "no file name in " + path.string();
        return false;
    }
    temporary = TemporaryNameFor(path);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetError(error, "cannot create", temporary, errno);
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0) {
            int code = result < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(temporary.c_str());
            SetError(error, "cannot write", temporary, code);
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    if (::close(fd) != 0) {
        int code = errno;
        ::unlink(temporary.c_str());
        SetError(error, "cannot close", temporary, code);
        return false;
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error)
{
    return WriteFilesAtomically({{path, std::string(bytes)}}, error);
}

bool WriteFilesAtomically(const std::vector<std::pair<std::filesystem::path, std::string>>& files,
                          std::string* error)
{
    std::vector<std::filesystem::path> temporaries;
    auto removeTemporaries = [&] {
        for (const auto& temporary : temporaries)
            ::unlink(temporary.c_str());
    };
    for (const auto& [path, bytes] : files) {
        std::filesystem::path temporary;
        if (!WriteTemporary(path, bytes, temporary, error)) {
            removeTemporaries();
            return false;
        }
        temporaries.push_back(temporary);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::rename(temporaries[i].c_str(), files[i].first.c_str()) != 0) {
            SetError(error, "cannot rename to", files[i].first, errno);
            for (std::size_t done = 0; done < i; ++done)
                ::unlink(files[done].first.c_str());
            for (std::size_t left = i; left < files.size(); ++left)
                ::unlink(temporaries[left].c_str());
            return false;
        }
    }
    return true;
}

}  // namespace formats
