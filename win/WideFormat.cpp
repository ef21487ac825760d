#include "win/WideFormat.h"

#include "win/DebugLog.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

namespace win {
namespace {

enum class Length { Default, Char, Short, Long, LongLong, Int32, PointerSized, IntMax, Size, PtrDiff, LongDouble, Wide };

struct Conversion {
    std::wstring flags;
    int width = -1;
    int precision = -1;  // -1: none
    Length length = Length::Default;
    wchar_t letter = 0;

    bool HasFlag(wchar_t flag) const { return flags.find(flag) != std::wstring::npos; }
};

// A glibc conversion with the same flags, width and precision.
std::wstring GlibcConversion(const Conversion& c, const wchar_t* lengthModifier, wchar_t letter)
{
    std::wstring conversion = L"%" + c.flags;
    if (c.width >= 0)
        conversion += std::to_wstring(c.width);
    if (c.precision >= 0)
        conversion += L"." + std::to_wstring(c.precision);
    conversion += lengthModifier;
    conversion += letter;
    return conversion;
}

// swprintf returns -1 when the buffer is too small: grow and retry.
template <class T>
void AppendFormatted(std::wstring& out, const std::wstring& glibcConversion, T value)
{
    std::vector<wchar_t> buffer(128);
    while (true) {
        int written = std::swprintf(buffer.data(), buffer.size(), glibcConversion.c_str(), value);
        if (written >= 0) {
            out.append(buffer.data(), static_cast<std::size_t>(written));
            return;
        }
        if (buffer.size() > static_cast<std::size_t>(kMaxFieldWidth) * 4) {
            OutputDebugStringW(L"FormatWide: conversion output too large, left out");
            return;
        }
        buffer.resize(buffer.size() * 4);
    }
}

// Width and '-' for texts we build ourselves (strings, characters, %p,
// decimal numbers). Zeros go between the sign and the digits.
void AppendPadded(std::wstring& out, const Conversion& c, std::wstring_view text, wchar_t padding,
                  std::wstring_view sign = {})
{
    std::size_t width = c.width > 0 ? static_cast<std::size_t>(c.width) : 0;
    std::size_t length = sign.size() + text.size();
    std::size_t pad = width > length ? width - length : 0;
    if (c.HasFlag(L'-')) {
        out.append(sign);
        out.append(text);
        out.append(pad, L' ');
    } else if (padding == L'0') {
        out.append(sign);
        out.append(pad, padding);
        out.append(text);
    } else {
        out.append(pad, padding);
        out.append(sign);
        out.append(text);
    }
}

// %d, %i and %u without a precision, as glibc writes them. These are most
// of the numbers the dialog writes (a row of a folder's listing has one),
// and a glibc conversion string and swprintf call each cost more than the
// digits themselves.
bool IsPlainDecimal(const Conversion& c)
{
    return c.precision < 0 && (c.letter == L'd' || c.letter == L'i' || c.letter == L'u');
}

void AppendDecimal(std::wstring& out, const Conversion& c, unsigned long long magnitude, wchar_t sign)
{
    char digits[24];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), magnitude).ptr;
    wchar_t text[24];
    const wchar_t* textEnd = std::copy(static_cast<const char*>(digits), end, text);
    const wchar_t padding = c.HasFlag(L'0') && !c.HasFlag(L'-') ? L'0' : L' ';
    AppendPadded(out, c, std::wstring_view(text, static_cast<std::size_t>(textEnd - text)), padding,
                 sign != 0 ? std::wstring_view(&sign, 1) : std::wstring_view());
}

int ReadNumber(const wchar_t*& p)
{
    long long value = 0;
    while (*p >= L'0' && *p <= L'9') {
        value = std::min<long long>(value * 10 + (*p - L'0'), kMaxFieldWidth);
        ++p;
    }
    return static_cast<int>(value);
}

std::wstring NarrowStringArgument(const char* text, int precision)
{
    if (text == nullptr)
        return precision >= 0 ? std::wstring(L"(null)").substr(0, static_cast<std::size_t>(precision))
                              : std::wstring(L"(null)");
    // Read no further than `precision` characters: the buffer need not be
    // terminated when a precision limits it.
    std::size_t pos = 0;
    int characters = 0;
    while ((precision < 0 || characters < precision) && text[pos] != '\0') {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::size_t k = 1;
        while (k < length && text[pos + k] != '\0' && (static_cast<unsigned char>(text[pos + k]) & 0xC0) == 0x80)
            ++k;
        pos += k;
        ++characters;
    }
    return Utf8ToWide(std::string_view(text, pos));
}

std::wstring WideStringArgument(const wchar_t* text, int precision)
{
    if (text == nullptr)
        text = L"(null)";
    std::size_t length = precision >= 0 ? wcsnlen(text, static_cast<std::size_t>(precision)) : std::wcslen(text);
    return std::wstring(text, length);
}

wchar_t NarrowCharacter(int value)
{
    const auto byte = static_cast<unsigned char>(value);
    return byte < 0x80 ? static_cast<wchar_t>(byte) : static_cast<wchar_t>(0xFFFD);
}

void FormatSigned(std::wstring& out, const Conversion& c, va_list& ap)
{
    long long value = 0;
    switch (c.length) {
    case Length::LongLong: value = va_arg(ap, long long); break;
    case Length::PointerSized:
    case Length::PtrDiff: value = va_arg(ap, std::ptrdiff_t); break;
    case Length::Size: value = static_cast<long long>(va_arg(ap, std::size_t)); break;
    case Length::IntMax: value = va_arg(ap, std::intmax_t); break;
    case Length::Short: value = static_cast<short>(va_arg(ap, int)); break;
    case Length::Char: value = static_cast<signed char>(va_arg(ap, int)); break;
    default: value = va_arg(ap, int); break;  // also "l": Windows' long is 32 bits
    }
    if (IsPlainDecimal(c)) {
        const auto magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                         : static_cast<unsigned long long>(value);
        const wchar_t sign = value < 0 ? L'-' : c.HasFlag(L'+') ? L'+' : c.HasFlag(L' ') ? L' ' : 0;
        AppendDecimal(out, c, magnitude, sign);
        return;
    }
    AppendFormatted(out, GlibcConversion(c, L"ll", c.letter), value);
}

void FormatUnsigned(std::wstring& out, const Conversion& c, va_list& ap)
{
    unsigned long long value = 0;
    switch (c.length) {
    case Length::LongLong: value = va_arg(ap, unsigned long long); break;
    case Length::PointerSized:
    case Length::Size: value = va_arg(ap, std::size_t); break;
    case Length::PtrDiff: value = static_cast<unsigned long long>(va_arg(ap, std::ptrdiff_t)); break;
    case Length::IntMax: value = va_arg(ap, std::uintmax_t); break;
    case Length::Short: value = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
    case Length::Char: value = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
    default: value = va_arg(ap, unsigned); break;
    }
    if (IsPlainDecimal(c)) {
        AppendDecimal(out, c, value, 0);  // '+' and ' ' give no sign to an unsigned number
        return;
    }
    AppendFormatted(out, GlibcConversion(c, L"ll", c.letter), value);
}

void FormatFloating(std::wstring& out, const Conversion& c, va_list& ap)
{
    // Windows' long double is a double: "%Lf" reads one, as "%f" does.
    AppendFormatted(out, GlibcConversion(c, L"", c.letter), va_arg(ap, double));
}

void FormatPointer(std::wstring& out, const Conversion& c, va_list& ap)
{
    const auto value = reinterpret_cast<std::uintptr_t>(va_arg(ap, void*));
    wchar_t digits[2 * sizeof(void*) + 1];
    std::swprintf(digits, std::size(digits), L"%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(value));
    AppendPadded(out, c, digits, L' ');
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, va_list args)
{
    std::wstring out;
    if (format == nullptr)
        return out;
    va_list ap;
    va_copy(ap, args);
    const wchar_t* p = format;
    while (*p != L'\0') {
        if (*p != L'%') {
            const wchar_t* literalEnd = p;
            while (*literalEnd != L'\0' && *literalEnd != L'%')
                ++literalEnd;
            out.append(p, literalEnd);
            p = literalEnd;
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        Conversion c;
        while (*p != L'\0' && std::wcschr(L"-+ #0", *p) != nullptr)
            c.flags += *p++;
        if (*p == L'*') {
            int width = va_arg(ap, int);
            if (width < 0) {
                c.flags += L'-';
                width = width == INT32_MIN ? kMaxFieldWidth : -width;
            }
            c.width = std::min(width, kMaxFieldWidth);
            ++p;
        } else if (*p >= L'0' && *p <= L'9') {
            c.width = ReadNumber(p);
        }
        if (*p == L'.') {
            ++p;
            if (*p == L'*') {
                int precision = va_arg(ap, int);
                c.precision = precision < 0 ? -1 : std::min(precision, kMaxFieldWidth);
                ++p;
            } else {
                c.precision = ReadNumber(p);
            }
        }
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            c.length = Length::LongLong;
            p += 3;
        } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
            c.length = Length::Int32;
            p += 3;
        } else if (p[0] == L'I') {
            c.length = Length::PointerSized;
            ++p;
        } else if (p[0] == L'h' && p[1] == L'h') {
            c.length = Length::Char;
            p += 2;
        } else if (p[0] == L'h') {
            c.length = Length::Short;
            ++p;
        } else if (p[0] == L'l' && p[1] == L'l') {
            c.length = Length::LongLong;
            p += 2;
        } else if (p[0] == L'l') {
            c.length = Length::Long;
            ++p;
        } else if (p[0] == L'L') {
            c.length = Length::LongDouble;
            ++p;
        } else if (p[0] == L'w') {
            c.length = Length::Wide;
            ++p;
        } else if (p[0] == L'z') {
            c.length = Length::Size;
            ++p;
        } else if (p[0] == L'j') {
            c.length = Length::IntMax;
            ++p;
        } else if (p[0] == L't') {
            c.length = Length::PtrDiff;
            ++p;
        }
        c.letter = *p;
        if (c.letter == L'\0') {
            out.append(start, p);  // a conversion cut off by the end of the format
            break;
        }
        ++p;
        switch (c.letter) {
        case L'd':
        case L'i':
            FormatSigned(out, c, ap);
            break;
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            FormatUnsigned(out, c, ap);
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            FormatFloating(out, c, ap);
            break;
        case L'p':
            FormatPointer(out, c, ap);
            break;
        case L's':
        case L'S': {
            const bool narrow = c.length == Length::Short || (c.letter == L'S' && c.length != Length::Long &&
                                                                c.length != Length::Wide);
            std::wstring text = narrow ? NarrowStringArgument(va_arg(ap, const char*), c.precision)
                                       : WideStringArgument(va_arg(ap, const wchar_t*), c.precision);
            AppendPadded(out, c, text, c.HasFlag(L'0') && !c.HasFlag(L'-') ? L'0' : L' ');
            break;
        }
        case L'c':
        case L'C': {
            const int value = va_arg(ap, int);
            const bool narrow = c.length == Length::Short || (c.letter == L'C' && c.length != Length::Long &&
                                                                c.length != Length::Wide);
            const wchar_t character = narrow ? NarrowCharacter(value) : static_cast<wchar_t>(value);
            AppendPadded(out, c, std::wstring_view(&character, 1), L' ');
            break;
        }
        case L'n':
            (void)va_arg(ap, void*);
            OutputDebugStringW(L"FormatWide: %n is not supported, nothing written");
            break;
        default:
            out.append(start, p);  // unknown conversion: keep the text as written
            break;
        }
    }
    va_end(ap);
    return out;
}

std::wstring FormatWideArgs(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatWide(format, args);
    va_end(args);
    return text;
}

}  // namespace win

int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args)
{
    constexpr std::size_t kLimit = 1024;  // characters, terminator included
    if (buffer == nullptr || format == nullptr)
        return 0;
    std::wstring text = win::FormatWide(format, args);
    std::size_t length = std::min(text.size(), kLimit - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
    return static_cast<int>(length);
}

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int length = wvsprintfW(buffer, format, args);
    va_end(args);
    return length;
}

int vswprintf_s(wchar_t* buffer, std::size_t bufferCount, const wchar_t* format, va_list args)
{
    if (buffer == nullptr || bufferCount == 0)
        return -1;
    if (format == nullptr) {
        buffer[0] = L'\0';
        return -1;
    }
    std::wstring text = win::FormatWide(format, args);
    if (text.size() >= bufferCount) {
        buffer[0] = L'\0';
        OutputDebugStringW(L"swprintf_s: buffer too small");
        return -1;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return static_cast<int>(text.size());
}

int swprintf_s(wchar_t* buffer, std::size_t bufferCount, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = vswprintf_s(buffer, bufferCount, format, args);
    va_end(args);
    return length;
}
