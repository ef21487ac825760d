// File-name rules of the Windows file system, applied to the names of the
// data root: names compare without regard to case, and find patterns use the
// DOS wildcards.
#pragma once

#include <string_view>

namespace win {

// Case folding for names: ASCII, Latin-1, Greek, Cyrillic and full-width
// Latin letters fold to upper case; everything else compares as it is.
wchar_t FoldNameCharacter(wchar_t c);
bool NamesEqual(std::wstring_view a, std::wstring_view b);
// The order of a folder's names: folded characters compared as numbers, so
// "_x" comes after "ax" (it folds to "AX"), and a name that begins another
// comes first. Negative, zero or positive, as wstring_view::compare.
int CompareNames(std::wstring_view a, std::wstring_view b);
// The same order for names all in ASCII, without widening them first (a
// folder's listing sorts many such names). Bytes beyond ASCII would fold as
// Latin-1 characters, which UTF-8 bytes are not.
int CompareNames(std::string_view a, std::string_view b);

// '*' matches any run of characters and '?' one character, without regard
// to case. As on Windows, "*.*" matches every name (with or without a dot),
// a pattern ending in ".*" also matches names without that part, and a
// pattern ending in '.' matches only names without an extension.
bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name);
bool HasWildcards(std::wstring_view text);

// One path component that Windows accepts: not empty, no control characters
// and none of < > : " / \ | ? *.
bool IsValidFileName(std::wstring_view name);

}  // namespace win
