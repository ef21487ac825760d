#include "host/DateTime.h"

#include <cwchar>
#include <string>
#include <string_view>
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

// A number as the pattern asks for it: zero- or blank-padded on the left,
// or blank-padded on the right, to `width`. Digits by hand: std::to_wstring
// goes through swprintf, which made dates the dearest part of listing a
// large folder.
class PaddedNumber {
public:
    PaddedNumber(unsigned value, bool zero, bool left, int width) : m_zero(zero), m_left(left)
    {
        do {
            m_digits[m_count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        m_fill = width > m_count ? static_cast<std::size_t>(width - m_count) : 0;
    }
    void AppendTo(std::wstring& out) const
    {
        if (!m_left)
            out.append(m_fill, m_zero ? L'0' : L' ');
        for (int index = m_count; index > 0; --index)
            out += m_digits[index - 1];
        if (m_left)
            out.append(m_fill, L' ');
    }

private:
    wchar_t m_digits[12];
    int m_count = 0;
    std::size_t m_fill = 0;
    bool m_zero;
    bool m_left;
};

// Walks the pattern: `literal(text)` for each piece of literal text and
// `code(number, hideBit)` for each date code, in order.
template <class Literal, class Code>
void WalkPattern(const wchar_t* format, const SYSTEMTIME& time, Literal literal, Code code)
{
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            const wchar_t* end = p;
            while (*end && *end != L'%')
                ++end;
            literal(std::wstring_view(p, static_cast<std::size_t>(end - p)));
            p = end;
            continue;
        }
        if (p[1] == L'%') {
            literal(std::wstring_view(L"%"));
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
        if (!*q || !Lookup(*q, time, value, hideBit)) {
            literal(std::wstring_view(p, static_cast<std::size_t>(q - p)));  // not a code: copy it
            p = q;
            continue;
        }
        code(PaddedNumber(value, zero && !left, left, width), hideBit);
        p = q + 1;
    }
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
    constexpr unsigned kHideBits = HIDE_YEAR | HIDE_MONTH | HIDE_DAY | HIDE_SECOND | HIDE_HOUR | HIDE_MINUTE;
    if ((mask & kHideBits) == 0) {
        // Nothing hidden: the pattern written out in one pass.
        std::wstring out;
        out.reserve(32);
        WalkPattern(format, m_time, [&](std::wstring_view text) { out += text; },
                    [&](const PaddedNumber& number, unsigned) { number.AppendTo(out); });
        return CString(std::move(out));
    }

    std::vector<Part> parts;
    std::wstring literal;
    WalkPattern(format, m_time, [&](std::wstring_view text) { literal += text; },
                [&](const PaddedNumber& number, unsigned hideBit) {
                    std::wstring text;
                    number.AppendTo(text);
                    parts.push_back({literal, std::move(text), (mask & hideBit) == 0});
                    literal.clear();
                });
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
