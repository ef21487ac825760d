// The first 16 characters of a text packed into two numbers, big-endian, so
// that comparing the numbers orders two texts as comparing them character by
// character does wherever the numbers differ: most comparisons of a large
// sort then read neither text.
//
// A character beyond ASCII ends the prefix with 0xFF, above every ASCII one
// (it compares above them too); a text that ends early leaves zeros, which
// sort first, as a shorter text does. Where two prefixes are equal, the whole
// texts decide, unless both prefixes hold them: then the texts are equal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace win {

struct SortPrefix {
    static constexpr std::size_t kCharacters = 16;

    std::uint64_t high = 0;  // characters 1 to 8, the first in the top byte
    std::uint64_t low = 0;   // characters 9 to 16
    bool whole = false;      // the text is all here: at most 16 characters, all ASCII
};

// With `foldNames`, of the text with its characters folded as names fold
// (NameMatch.h), for orders that ignore case.
SortPrefix PackSortPrefix(std::wstring_view text, bool foldNames);

}  // namespace win
