// Reading a whole file that the host reads back (its own state, a profile, a
// settings or recorded-data file) as untrusted input: only a regular file is
// read, never more than a limit far above any genuine file of its kind, and
// never by waiting on a FIFO or a device.
#pragma once

#include <cstdint>
#include <string>

namespace win {

enum class FollowLinks { Yes, No };

// Reads the file at `posixPath` into `text`. A missing or unreadable file, one
// that is not a regular file, a link when `links` is No, or a file larger than
// `limit` bytes fails with a message naming `kind`.
bool ReadWholeFile(const std::string& posixPath, std::uintmax_t limit, const char* kind, std::string& text,
                   std::string& error, FollowLinks links = FollowLinks::Yes);

}  // namespace win
