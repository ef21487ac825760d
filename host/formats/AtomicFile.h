// Writing a whole file so that it either appears complete or not at all: the
// bytes go to a temporary file in the destination's folder, which is renamed
// over the destination only once everything was written. A destination that
// cannot be written leaves no partial file behind (and an existing file of
// that name untouched).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace formats {

// False, with the reason in `error` when given, when the file could not be
// written completely.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// Several files that belong together (a header and its data file): all are
// written to temporary files first, then renamed one after the other. When a
// rename fails, the files already renamed are removed again, so a reader
// never finds one without the other.
bool WriteFilesAtomically(const std::vector<std::pair<std::filesystem::path, std::string>>& files,
                          std::string* error = nullptr);

}  // namespace formats
