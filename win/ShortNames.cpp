#include "win/ShortNames.h"

#include "win/NameMatch.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>

namespace win {
namespace {

constexpr int kNumberedTries = 4;
constexpr int kHashedTries = 9;

bool IsShortNameCharacter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           std::wcschr(L"!#$%&'()-@^_`{}~", c) != nullptr;
}

// Up to `length` characters of an alias part: blanks and dots dropped,
// letters in upper case, characters an 8.3 name cannot hold as '_'.
std::string AliasPart(std::wstring_view text, std::size_t length)
{
    std::string part;
    for (wchar_t c : text) {
        if (part.size() == length)
            break;
        if (c == L' ' || c == L'.')
            continue;
        part += IsShortNameCharacter(c) ? static_cast<char>(FoldNameCharacter(c)) : '_';
    }
    return part;
}

std::uint32_t HashName(std::wstring_view name, std::uint32_t round)
{
    std::uint32_t hash = 2166136261u ^ round;  // FNV-1a
    for (wchar_t c : name) {
        hash ^= static_cast<std::uint32_t>(FoldNameCharacter(c));
        hash *= 16777619u;
    }
    return hash ^ (hash >> 16);
}

std::string Candidate(const std::string& stem, int number, const std::string& extension)
{
    const std::string tail = "~" + std::to_string(number);
    std::string candidate = stem.substr(0, std::min(stem.size(), 8 - tail.size())) + tail;
    if (!extension.empty())
        candidate += "." + extension;
    return candidate;
}

}  // namespace

bool ShortNames::IsShortName(std::wstring_view name)
{
    if (name == L"." || name == L"..")
        return true;
    const std::size_t dot = name.find(L'.');
    const std::wstring_view base = name.substr(0, dot);
    const std::wstring_view extension = dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3 || extension.find(L'.') != std::wstring_view::npos)
        return false;
    return std::all_of(base.begin(), base.end(), IsShortNameCharacter) &&
           std::all_of(extension.begin(), extension.end(), IsShortNameCharacter);
}

void ShortNames::Reserve(std::wstring_view shortName)
{
    std::string folded;
    for (wchar_t c : shortName)
        folded += static_cast<char>(FoldNameCharacter(c));
    m_taken.insert(std::move(folded));
}

std::wstring ShortNames::Make(std::wstring_view longName)
{
    const std::size_t dot = longName.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring_view::npos && dot != 0;
    const std::wstring_view base = hasExtension ? longName.substr(0, dot) : longName;
    const std::string extension = hasExtension ? AliasPart(longName.substr(dot + 1), 3) : std::string();
    std::string stem = AliasPart(base, 6);
    if (stem.empty())
        stem = "_";

    std::string alias;
    int& next = m_nextNumber[stem + "." + extension];
    for (next = std::max(next, 1); next <= kNumberedTries && alias.empty(); ++next) {
        std::string candidate = Candidate(stem, next, extension);
        if (Take(candidate))
            alias = std::move(candidate);
    }
    for (std::uint32_t round = 0; alias.empty(); ++round) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(HashName(longName, round) & 0xFFFF));
        const std::string hashed = stem.substr(0, 2) + digits;
        for (int number = 1; number <= kHashedTries && alias.empty(); ++number) {
            std::string candidate = Candidate(hashed, number, extension);
            if (Take(candidate))
                alias = std::move(candidate);
        }
    }
    return std::wstring(alias.begin(), alias.end());
}

}  // namespace win
