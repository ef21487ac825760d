#include "host/DateTime.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Part {
    std::wstring before;  // literal text between the previous part and this one
    std::wstring text;    // the formatted value
    bool shown = true;
};

// The value and hiding bit of a code letter; false for a letter that is
// not a code.
bool Lookup(wchar_t code, const SYSTEMTIME& time, unsigned& value, unsigned& hideBit)
{
    switch (code) {
    case L'Y': value = time.wYear; hideBit = CDateTime::HIDE_YEAR; return true;
    case L'M': value = time.wMonth; hideBit = CDateTime::HIDE_MONTH; return true;
    case L'D': value = time.wDay; hideBit = CDateTime::HIDE_DAY; return true;
    case L'h': value = time.wHour; hideBit = CDateTime::HIDE_HOUR; return true;
    case L'm': value = time.wMinute; hideBit = CDateTime::HIDE_MINUTE; return true;
    case L's': value = time.wSecond; hideBit = CDateTime::HIDE_SECOND; return true;
    default: return false;
    }
}

std::wstring Pad(unsigned value, bool zero, bool left, int width)
{
    // Digits by hand: std::to_wstring goes through swprintf, which made
    // dates the dearest part of listing a large folder.
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value != 0);
    if (static_cast<int>(digits.size()) >= width)
        return digits;
    const std::size_t fill = static_cast<std::size_t>(width) - digits.size();
    if (left)
        return digits + std::wstring(fill, L' ');
    return std::wstring(fill, zero ? L'0' : L' ') + digits;
}

} // namespace

CDateTime& CDateTime::operator=(const SYSTEMTIME& time)
{
    m_time = time;
    return *this;
}

CString CDateTime::Format(const wchar_t* format, unsigned mask) const
{
    if (!format)
        return CString();

    std::vector<Part> parts;
    parts.reserve(8);
    std::wstring literal;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            literal += *p++;
            continue;
        }
        if (p[1] == L'%') {
            literal += L'%';
            p += 2;
            continue;
        }
        // %[flags][width]code
        const wchar_t* q = p + 1;
        bool zero = false, left = false;
        for (; *q == L'0' || *q == L'-'; ++q)
            (*q == L'0' ? zero : left) = true;
        int width = 0;
        for (; *q >= L'0' && *q <= L'9' && width < 100; ++q)
            width = width * 10 + (*q - L'0');
        unsigned value = 0, hideBit = 0;
        if (!*q || !Lookup(*q, m_time, value, hideBit)) {
            literal.append(p, q);  // not a code: copy it
            p = q;
            continue;
        }
        parts.push_back({literal, Pad(value, zero && !left, left, width), (mask & hideBit) == 0});
        literal.clear();
        p = q + 1;
    }
    const std::wstring& trailing = literal;

    if (parts.empty())
        return CString(trailing);
    std::wstring out;
    bool anyShown = false;
    for (const auto& part : parts) {
        if (!part.shown)
            continue;
        // The pattern's leading text belongs to its first part; later
        // parts bring the separator written just before them.
        if (anyShown || &part == &parts.front())
            out += part.before;
        out += part.text;
        anyShown = true;
    }
    if (parts.back().shown)
        out += trailing;
    return CString(out);
}
