#include "host/DateTime.h"

#include <charconv>
#include <iterator>
#include <string>

namespace {

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

// A number as the pattern asks for it: zero- or blank-padded on the left,
// or blank-padded on the right, to `width`.
void AppendNumber(std::wstring& out, unsigned value, bool zero, bool left, int width)
{
    char digits[12];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    const auto count = static_cast<int>(end - digits);
    const std::size_t fill = width > count ? static_cast<std::size_t>(width - count) : 0;
    if (!left)
        out.append(fill, zero ? L'0' : L' ');
    for (const char* digit = digits; digit != end; ++digit)
        out += static_cast<wchar_t>(*digit);
    if (left)
        out.append(fill, L' ');
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
    // Literal text is written as it comes, but stays pending (from
    // `pendingFrom` on) until the next code decides its fate: it is kept
    // before a shown code when something was shown before it (a separator)
    // or when that code is the first (the leading text); a hidden code drops
    // it. What follows the last code is kept when that code is shown.
    std::wstring out;
    out.reserve(32);
    std::size_t pendingFrom = 0;
    bool anyCode = false;
    bool anyShown = false;
    bool lastShown = false;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            const wchar_t* end = p;
            while (*end && *end != L'%')
                ++end;
            out.append(p, static_cast<std::size_t>(end - p));
            p = end;
            continue;
        }
        if (p[1] == L'%') {
            out += L'%';
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
            out.append(p, static_cast<std::size_t>(q - p));  // not a code: copy it
            p = q;
            continue;
        }
        p = q + 1;
        lastShown = (mask & hideBit) == 0;
        if (!lastShown || (anyCode && !anyShown))
            out.resize(pendingFrom);
        if (lastShown)
            AppendNumber(out, value, zero && !left, left, width);
        anyShown = anyShown || lastShown;
        anyCode = true;
        pendingFrom = out.size();
    }
    if (anyCode && !lastShown)
        out.resize(pendingFrom);
    return CString(std::move(out));
}
