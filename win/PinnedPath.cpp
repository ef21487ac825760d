#include "win/PinnedPath.h"

#include "win/Drives.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace win {

PinnedPath::PinnedPath(Descriptor held, std::string shownPrefix)
    : m_held(std::move(held)), m_prefix("/proc/self/fd/" + std::to_string(m_held.Get())),
      m_shown(std::move(shownPrefix)), m_path(m_prefix)
{
}

std::optional<PinnedPath> PinnedPath::Make(std::wstring_view windowsPath, Use use, std::string& error)
{
    const std::string shown = WideToUtf8(std::wstring(windowsPath));
    std::optional<ResolvedPath> resolved = Drives::Resolve(windowsPath);
    if (!resolved) {
        error = (GetLastError() == ERROR_ACCESS_DENIED ? "leads off the drive: " : "no such place: ") + shown;
        return std::nullopt;
    }
    if (use == Use::Read) {
        // Non-blocking, so that a FIFO in the file's place is refused rather
        // than waited on.
        Descriptor file(resolved->Open(O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        struct stat info{};
        if (!file.IsOpen()) {
            error = (errno == ENOENT ? "no such file: " : "cannot open ") + shown;
            return std::nullopt;
        }
        if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
            error = shown + " is not a regular file";
            return std::nullopt;
        }
        return PinnedPath(std::move(file), resolved->posix);
    }
    struct stat info{};
    if (resolved->isRoot || (resolved->Stat(info, true) && S_ISDIR(info.st_mode))) {
        error = "a folder is in the way: " + shown;
        return std::nullopt;
    }
    Descriptor folder(resolved->OpenFolder());
    if (!folder.IsOpen()) {
        error = "no such folder for " + shown + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::size_t slash = resolved->posix.find_last_of('/');
    PinnedPath pinned(std::move(folder), resolved->posix.substr(0, slash));
    pinned.m_path += "/" + resolved->Name();
    return pinned;
}

std::string PinnedPath::Shown(std::string text) const
{
    for (std::size_t at = text.find(m_prefix); at != std::string::npos; at = text.find(m_prefix, at)) {
        // "/proc/self/fd/7" must not match the start of "/proc/self/fd/71".
        const std::size_t end = at + m_prefix.size();
        if (end < text.size() && text[end] != '/') {
            at = end;
            continue;
        }
        text.replace(at, m_prefix.size(), m_shown);
        at += m_shown.size();
    }
    return text;
}

}  // namespace win
