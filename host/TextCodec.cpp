#include "host/TextCodec.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Returns
// false (and consumes one byte) for a malformed sequence.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& out)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1; value = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2; value = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3; value = lead & 0x07; minimum = 0x10000;
    } else {
        ++pos;
        return false;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return false;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || IsSurrogate(value)) {
        ++pos;
        return false;
    }
    pos += extra + 1;
    out = value;
    return true;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || IsSurrogate(c))
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::wstring TextCodec::Utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(text, pos, c))
            c = kReplacement;
        out += static_cast<wchar_t>(c);
    }
    return out;
}

std::string TextCodec::WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::u16string TextCodec::WideToUtf16(std::wstring_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        char32_t c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || IsSurrogate(c))
            c = kReplacement;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::wstring TextCodec::Utf16ToWide(std::u16string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()
            && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            const char32_t c = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            out += static_cast<wchar_t>(c);
            ++i;
        } else if (IsSurrogate(unit)) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(unit);
        }
    }
    return out;
}

void TextCodec::StoreUtf16(char16_t* field, std::size_t capacity, std::wstring_view text)
{
    if (capacity == 0)
        return;
    const std::u16string units = WideToUtf16(text);
    std::size_t count = units.size() < capacity - 1 ? units.size() : capacity - 1;
    // A high surrogate as the last unit kept would lose its partner.
    if (count > 0 && count < units.size() && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF)
        --count;
    for (std::size_t i = 0; i < capacity; ++i)
        field[i] = i < count ? units[i] : u'\0';
}

std::wstring TextCodec::LoadUtf16(const char16_t* field, std::size_t capacity)
{
    std::size_t length = 0;
    while (length < capacity && field[length] != u'\0')
        ++length;
    return Utf16ToWide(std::u16string_view(field, length));
}

bool TextCodec::IsValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(text, pos, c))
            return false;
    }
    return true;
}
