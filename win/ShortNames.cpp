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
    m_taken.Insert(folded);
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

ShortNames::TakenNames::Key ShortNames::TakenNames::Pack(std::string_view name)
{
    Key key;
    for (std::size_t i = 0; i < name.size() && i < 12; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (i < 8)
            key.high |= static_cast<std::uint64_t>(byte) << (8 * i);
        else
            key.low |= static_cast<std::uint32_t>(byte) << (8 * (i - 8));
    }
    return key;
}

std::size_t ShortNames::TakenNames::Slot(const Key& key) const
{
    const std::uint64_t mixed = key.high * 0x9E3779B97F4A7C15ull ^ (key.low + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<std::size_t>(mixed ^ (mixed >> 29)) & (m_slots.size() - 1);
}

void ShortNames::TakenNames::Grow()
{
    std::vector<Key> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(64, old.size() * 2), Key{});
    for (const Key& key : old) {
        if (key == Key{})
            continue;
        std::size_t slot = Slot(key);
        while (!(m_slots[slot] == Key{}))
            slot = (slot + 1) & (m_slots.size() - 1);
        m_slots[slot] = key;
    }
}

bool ShortNames::TakenNames::Insert(std::string_view name)
{
    if ((m_count + 1) * 2 > m_slots.size())
        Grow();
    const Key key = Pack(name);  // never empty: no name is
    for (std::size_t slot = Slot(key);; slot = (slot + 1) & (m_slots.size() - 1)) {
        if (m_slots[slot] == key)
            return false;
        if (m_slots[slot] == Key{}) {
            m_slots[slot] = key;
            ++m_count;
            return true;
        }
    }
}

}  // namespace win
