// The 8.3 aliases ("LONGFI~1.TXT") a Windows file system gives names that
// are not 8.3 names themselves, made while a folder is listed.
//
// As on Windows, a long name first takes the first six characters of its
// base with "~1" to "~4"; from the fifth name with the same six characters
// on, the alias is the first two characters, four hexadecimal digits of a
// hash of the whole name, and "~1" to "~9". Each alias costs a few set
// look-ups whatever the number of names, and no alias equals an 8.3 name
// reserved before or an alias made before, so they stay unique as long as
// the folder's 8.3 names are reserved first and the long names are given in
// the same order.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace win {

class ShortNames {
public:
    // For a folder of about `names` names: the set of taken names is sized
    // once rather than grown step by step.
    explicit ShortNames(std::size_t names = 0) { m_taken.reserve(names); }

    // True for "." and "..", and for names that are valid 8.3 names in any
    // case ("readme.txt" is one; it needs no alias).
    static bool IsShortName(std::wstring_view name);

    // An 8.3 name of the folder, which no alias may take.
    void Reserve(std::wstring_view shortName);
    // The alias of a long name, upper case.
    std::wstring Make(std::wstring_view longName);

private:
    bool Take(const std::string& candidate) { return m_taken.insert(candidate).second; }

    // Folded, at most 12 characters: each name fits in its string's own
    // buffer, so a taken name costs its set node and nothing more.
    std::unordered_set<std::string> m_taken;
    // By stem and extension, the next "~N" to try: once ~1 to ~4 are
    // taken, the next name of that stem goes straight to a hashed alias.
    std::unordered_map<std::string, int> m_nextNumber;
};

}  // namespace win
