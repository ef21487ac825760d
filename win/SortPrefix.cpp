#include "win/SortPrefix.h"

#include "win/NameMatch.h"

#include <algorithm>

namespace win {

SortPrefix PackSortPrefix(std::wstring_view text, bool foldNames)
{
    unsigned char bytes[SortPrefix::kCharacters] = {};
    SortPrefix prefix;
    prefix.whole = text.size() <= SortPrefix::kCharacters;
    for (std::size_t i = 0; i < std::min(text.size(), SortPrefix::kCharacters); ++i) {
        const wchar_t c = foldNames ? FoldNameCharacter(text[i]) : text[i];
        if (static_cast<std::uint32_t>(c) >= 0x80) {
            bytes[i] = 0xFF;
            prefix.whole = false;
            break;
        }
        bytes[i] = static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        prefix.high = (prefix.high << 8) | bytes[i];
        prefix.low = (prefix.low << 8) | bytes[i + 8];
    }
    return prefix;
}

}  // namespace win
