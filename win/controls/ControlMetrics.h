// Sizes the standard controls lay themselves out with. The panel has one
// font (9 points, a 6 by 10 pixel cell, see DialogTemplate.h); texts are not
// measured with glyphs but estimated from it: a half-width character takes
// one cell, a full-width one (kanji, kana, full-width forms) two.
#pragma once

#include <string_view>

namespace win {

constexpr int kCharacterWidth = 6;
constexpr int kRowHeight = 16;     // a list view or list box row
constexpr int kHeaderHeight = 20;  // a list view's column header
constexpr int kTabHeight = 20;     // a tab before TCM_SETITEMSIZE sets one

bool IsFullWidth(wchar_t character);
int EstimateTextWidth(std::wstring_view text);

}  // namespace win
