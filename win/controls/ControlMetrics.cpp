#include "win/controls/ControlMetrics.h"

namespace win {

bool IsFullWidth(wchar_t character)
{
    auto in = [character](unsigned first, unsigned last) {
        return static_cast<unsigned>(character) >= first && static_cast<unsigned>(character) <= last;
    };
    // Half-width katakana (U+FF61..U+FF9F) stay one cell: the instrument's
    // texts use them to fit long labels.
    return in(0x1100, 0x115F) || in(0x2E80, 0x303E) || in(0x3041, 0x33FF) || in(0x3400, 0x4DBF) ||
           in(0x4E00, 0x9FFF) || in(0xA000, 0xA4CF) || in(0xAC00, 0xD7A3) || in(0xF900, 0xFAFF) ||
           in(0xFE30, 0xFE4F) || in(0xFF00, 0xFF60) || in(0xFFE0, 0xFFE6) || in(0x20000, 0x3FFFD);
}

int EstimateTextWidth(std::wstring_view text)
{
    int cells = 0;
    for (wchar_t character : text)
        cells += IsFullWidth(character) ? 2 : 1;
    return cells * kCharacterWidth;
}

}  // namespace win
