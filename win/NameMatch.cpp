#include "win/NameMatch.h"


namespace win {

wchar_t FoldNameCharacter(wchar_t c)
{
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - 0x20);
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

bool NamesEqual(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldNameCharacter(a[i]) != FoldNameCharacter(b[i]))
            return false;
    }
    return true;
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
                   (pattern[p] == L'?' || FoldNameCharacter(pattern[p]) == FoldNameCharacter(name[n]))) {
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
