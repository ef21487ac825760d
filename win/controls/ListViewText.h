// Text helpers shared by the two halves of ListView.
#pragma once

#include "win/controls/CommCtrl.h"

#include <string>
#include <string_view>

namespace win {

// Sub-item indexes above this are refused: they would only grow rows.
constexpr int kMaximumSubItem = 1024;

// The text an item or column record carries. Text callbacks
// (LPSTR_TEXTCALLBACK, answered through LVN_GETDISPINFO) are not used by the
// dialogs; such a cell stays empty.
std::wstring TextOf(LPCWSTR text);
// The same without a copy, valid as long as `text`.
std::wstring_view TextViewOf(LPCWSTR text);
// Copies into a caller's buffer of `size` characters, always terminated;
// returns the characters copied.
int CopyText(const std::wstring& text, LPWSTR buffer, int size);
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace win
