// CRC-32 (the reflected 0xEDB88320 polynomial of zip and PNG), used by the
// data files to tell a damaged file from a good one.
#pragma once

#include <cstdint>
#include <string_view>

namespace formats {

std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous = 0);

}  // namespace formats
