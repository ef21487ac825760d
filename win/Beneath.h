// Resolution below an open folder by the kernel. Every file function of the
// port reaches the drives' entries through OpenBeneath relative to the
// drive's open folder (Drives.h), so what a path can reach is decided by the
// kernel, step by step, not by comparing strings: ".." above the folder, an
// absolute path, an absolute symbolic link and a relative one that climbs out
// all fail, at any depth and whatever was swapped in since the path was last
// looked at. A link that stays below the folder is followed.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace win {

// openat2(folder, path, flags | O_CLOEXEC, mode) with RESOLVE_BENEATH and
// RESOLVE_NO_MAGICLINKS. Returns the descriptor, or -1 with errno set. A path
// that leads out of the folder fails with EACCES and a line in the debug
// output. Without openat2 in the kernel every call fails with EACCES as
// well: there is no weaker way round.
int OpenBeneath(int folder, std::string_view path, int flags, mode_t mode = 0);

// `folder`/`name` for OpenBeneath; "." stands for the folder itself.
std::string JoinBeneath(std::string_view folder, std::string_view name);

// "/proc/self/fd/N": the path that reaches exactly what the descriptor holds,
// for the calls that take only paths (extended attributes and mode changes
// on descriptors opened with O_PATH).
std::string DescriptorPath(int fd);

// Tests only: makes OpenBeneath behave as on a kernel without openat2.
void SetOpenat2MissingForTesting(bool missing);

}  // namespace win
