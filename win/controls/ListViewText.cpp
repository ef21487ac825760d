#include "win/controls/ListViewText.h"

#include <algorithm>
#include <cwctype>

namespace win {

std::wstring TextOf(LPCWSTR text)
{
    return std::wstring(TextViewOf(text));
}

std::wstring_view TextViewOf(LPCWSTR text)
{
    if (!text || text == LPSTR_TEXTCALLBACKW)
        return {};
    return text;
}

int CopyText(const std::wstring& text, LPWSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    int count = std::min(size - 1, static_cast<int>(text.size()));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return count;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

}  // namespace win
