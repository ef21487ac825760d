#include "host/formats/Crc32.h"

#include <array>

namespace formats {

namespace {

std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        table[i] = value;
    }
    return table;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous)
{
    static const std::array<std::uint32_t, 256> table = MakeTable();
    std::uint32_t crc = ~previous;
    for (char c : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(c)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

}  // namespace formats
