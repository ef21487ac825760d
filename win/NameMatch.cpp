#include "win/NameMatch.h"

#include <algorithm>
#include <type_traits>

namespace win {
namespace {

// The folding itself, inlined into the comparisons below, which fold every
// character: position-independent code calls an exported function such as
// FoldNameCharacter through the linkage, never inline.
inline wchar_t Fold(wchar_t c)
{
    if (c < 0x80)  // most names' characters: one range test settles them
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)  // Latin-1 letters (not the division sign)
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)  // Greek (final sigma has no capital of its own)
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)  // Cyrillic
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0xFF41 && c <= 0xFF5A)  // full-width Latin
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

template <class Text>
int CompareFolded(Text a, Text b)
{
    using Unsigned = std::make_unsigned_t<typename Text::value_type>;
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const wchar_t x = Fold(static_cast<wchar_t>(static_cast<Unsigned>(a[i])));
        const wchar_t y = Fold(static_cast<wchar_t>(static_cast<Unsigned>(b[i])));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

wchar_t FoldNameCharacter(wchar_t c)
{
    return Fold(c);
}

bool NamesEqual(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

int CompareNames(std::wstring_view a, std::wstring_view b)
{
    return CompareFolded(a, b);
}

int CompareNames(std::string_view a, std::string_view b)
{
    return CompareFolded(a, b);
}

namespace {

// Glob with backtracking over the last '*'.
bool Glob(std::wstring_view pattern, std::wstring_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::wstring_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::wstring_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name)
{
    if (pattern == L"*" || pattern == L"*.*")
        return true;
    if (!pattern.empty() && pattern.back() == L'.' && HasWildcards(pattern)) {
        // "." and ".." have no extension either.
        if (name.find_first_not_of(L'.') != std::wstring_view::npos && name.find(L'.') != std::wstring_view::npos)
            return false;
        pattern.remove_suffix(1);
        return Glob(pattern, name);
    }
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == L".*" &&
        Glob(pattern.substr(0, pattern.size() - 2), name))
        return true;
    return Glob(pattern, name);
}

bool HasWildcards(std::wstring_view text)
{
    return text.find_first_of(L"*?") != std::wstring_view::npos;
}

bool IsValidFileName(std::wstring_view name)
{
    if (name.empty())
        return false;
    for (wchar_t c : name) {
        if (c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' ||
            c == L'|' || c == L'?' || c == L'*')
            return false;
    }
    return true;
}

}  // namespace win
