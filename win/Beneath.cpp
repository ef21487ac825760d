#include "win/Beneath.h"

#include "win/DebugLog.h"
#include "win/TextConvert.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace win {
namespace {

constexpr int kAttempts = 16;

std::atomic<bool> g_openat2Missing{false};
std::atomic<bool> g_reportedMissing{false};

}  // namespace

int OpenBeneath(int folder, std::string_view path, int flags, mode_t mode)
{
    const std::string text(path.empty() ? std::string_view(".") : path);
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
    how.mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? mode : 0;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    long fd = -1;
    int error = ENOSYS;
    // EAGAIN: a rename raced with a ".." step and the kernel could not
    // vouch for it; the look-up is repeated a few times, then refused.
    for (int attempt = 0; !g_openat2Missing && attempt < kAttempts; ++attempt) {
        fd = ::syscall(SYS_openat2, folder, text.c_str(), &how, sizeof how);
        error = errno;
        if (fd >= 0 || (error != EINTR && error != EAGAIN))
            break;
    }
    if (error == EAGAIN)
        error = EXDEV;
    if (fd >= 0)
        return static_cast<int>(fd);
    if (error == EXDEV) {
        OutputDebugStringW((L"refused: " + Utf8ToWide(text) + L" leads out of its drive").c_str());
        error = EACCES;
    } else if (error == ENOSYS) {
        if (!g_reportedMissing.exchange(true))
            OutputDebugStringW(L"refused: this kernel cannot resolve paths beneath a folder (openat2); "
                               L"no file of the drives can be reached");
        error = EACCES;
    }
    errno = error;
    return -1;
}

std::string JoinBeneath(std::string_view folder, std::string_view name)
{
    if (folder.empty() || folder == ".")
        return std::string(name);
    std::string joined(folder);
    joined += '/';
    joined += name;
    return joined;
}

std::string DescriptorPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

void SetOpenat2MissingForTesting(bool missing)
{
    g_openat2Missing = missing;
    g_reportedMissing = false;
}

}  // namespace win
