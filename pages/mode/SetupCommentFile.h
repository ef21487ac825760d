// The comment file of a saved setup: exactly 40 bytes, the comment as
// UTF-16LE units (at most 16), a terminating zero unit, the rest zero. No
// header, no byte-order mark.
//
// Files written by anything else are read defensively: whatever the file
// holds (fewer or more than 40 bytes, no terminator, bytes that are not
// UTF-16), at most 40 bytes land in a zero-filled 40-byte buffer and the
// comment is the text before the first zero unit, at most 20 characters.
#pragma once

#include "win/Win32Types.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace setup_comment {

constexpr std::size_t kFileBytes = 40;
constexpr std::size_t kMaxStoredUnits = 16;  // the comment's UTF-16 units in a file written here
constexpr std::size_t kMaxReadUnits = kFileBytes / 2;

using FileBytes = std::array<BYTE, kFileBytes>;

// The file image of `comment`: cut to 16 UTF-16 units (never inside a
// surrogate pair), zero-terminated, zero-filled.
FileBytes Encode(std::wstring_view comment);
// The comment in a file image. Unpaired surrogates and control characters
// (which no keyboard entry can produce) show as U+FFFD.
std::wstring Decode(const FileBytes& bytes);

// Reads at most 40 bytes of the file into a zero-filled image, and its last
// write time into `written` when given. False when the file cannot be
// opened or read; the image is then all zeros.
bool ReadImage(const wchar_t* path, FileBytes& image, FILETIME* written = nullptr);
// Creates or replaces the file (no sharing, written through) with the
// image, and gives it the last write time `written` when given (a file put
// back as it was). False when it cannot be created, not all 40 bytes were
// written or the time could not be set.
bool WriteImage(const wchar_t* path, const FileBytes& image, const FILETIME* written = nullptr);

}  // namespace setup_comment
