#include "win/TextConvert.h"


#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iconv.h>

namespace win {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kCp932Replacement = 0x30FB;  // what Windows puts for undecodable CP932

bool IsScalarValue(char32_t cp)
{
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

char32_t FromWide(wchar_t c)
{
    return static_cast<char32_t>(static_cast<std::uint32_t>(c));
}

struct Decoded {
    char32_t cp;
    std::size_t length;
    bool valid;
};

// One character at text[pos]. An invalid sequence yields U+FFFD for its
// maximal invalid prefix, so decoding always moves forward.
Decoded DecodeUtf8(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t trailing = 0;
    char32_t cp = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        if (lead == 0xF4)
            high = 0x8F;  // beyond U+10FFFF
    } else {
        return {kReplacement, 1, false};
    }
    for (std::size_t i = 1; i <= trailing; ++i) {
        if (pos + i >= text.size())
            return {kReplacement, i, false};
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        const unsigned char min = i == 1 ? low : 0x80;
        const unsigned char max = i == 1 ? high : 0xBF;
        if (byte < min || byte > max)
            return {kReplacement, i, false};
        cp = (cp << 6) | (byte & 0x3F);
    }
    return {cp, trailing + 1, true};
}

std::size_t Utf8Length(char32_t cp)
{
    if (!IsScalarValue(cp))
        cp = kReplacement;
    if (cp < 0x80)
        return 1;
    if (cp < 0x800)
        return 2;
    if (cp < 0x10000)
        return 3;
    return 4;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (!IsScalarValue(cp))
        cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::wstring DecodeUtf8All(std::string_view text, bool* hadInvalid)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        Decoded decoded = DecodeUtf8(text, pos);
        if (!decoded.valid && hadInvalid != nullptr)
            *hadInvalid = true;
        out += static_cast<wchar_t>(decoded.cp);
        pos += decoded.length;
    }
    return out;
}

// Runs one iconv conversion; `onError` decides what to do with the input at
// an unconvertible position: returns the number of input bytes to skip and
// appends its substitute, or 0 to give up.
template <class OnError>
bool RunIconv(const char* to, const char* from, const char* input, std::size_t inputBytes, std::string& out,
              OnError onError)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = const_cast<char*>(input);
    std::size_t inLeft = inputBytes;
    char chunk[512];
    bool ok = true;
    while (true) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t result = inLeft > 0 ? iconv(cd, &in, &inLeft, &outPtr, &outLeft)
                                        : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        const int error = errno;
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (result != static_cast<std::size_t>(-1)) {
            if (inLeft == 0 && outPtr == chunk)
                break;
            continue;
        }
        if (error == E2BIG)
            continue;
        if (error == EILSEQ || error == EINVAL) {
            std::size_t skip = onError(out, inLeft);
            if (skip == 0) {
                ok = false;
                break;
            }
            in += skip;
            inLeft -= skip;
            continue;
        }
        ok = false;
        break;
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, FromWide(c));
    return out;
}

std::wstring Utf8ToWide(std::string_view text)
{
    return DecodeUtf8All(text, nullptr);
}

std::u16string WideToUtf16(std::wstring_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        char32_t cp = FromWide(c);
        if (!IsScalarValue(cp))
            cp = kReplacement;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

std::wstring Utf16ToWide(std::u16string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            out += static_cast<wchar_t>(cp);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(unit);
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        Decoded decoded = DecodeUtf8(text, pos);
        if (!decoded.valid)
            return false;
        pos += decoded.length;
    }
    return true;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos + DecodeUtf8(text, pos).length;
        if (next > maxBytes)
            break;
        pos = next;
    }
    return pos;
}

std::size_t CopyToNarrowBuffer(std::wstring_view text, char* buffer, std::size_t bufferBytes, bool* truncated)
{
    if (truncated != nullptr)
        *truncated = false;
    if (buffer == nullptr || bufferBytes == 0) {
        if (truncated != nullptr)
            *truncated = !text.empty();
        return 0;
    }
    std::string encoded;
    std::size_t used = 0;
    for (wchar_t c : text) {
        const char32_t cp = FromWide(c);
        if (used + Utf8Length(cp) > bufferBytes - 1) {
            if (truncated != nullptr)
                *truncated = true;
            break;
        }
        encoded.clear();
        AppendUtf8(encoded, cp);
        std::memcpy(buffer + used, encoded.data(), encoded.size());
        used += encoded.size();
    }
    buffer[used] = '\0';
    return used;
}

std::size_t CopyUtf8ToBuffer(std::string_view utf8, char* buffer, std::size_t bufferBytes, bool* truncated)
{
    if (truncated != nullptr)
        *truncated = false;
    if (buffer == nullptr || bufferBytes == 0) {
        if (truncated != nullptr)
            *truncated = !utf8.empty();
        return 0;
    }
    const std::size_t length = Utf8PrefixLength(utf8, bufferBytes - 1);
    if (truncated != nullptr)
        *truncated = length < utf8.size();
    std::memcpy(buffer, utf8.data(), length);
    buffer[length] = '\0';
    return length;
}

std::size_t CopyToUtf16Buffer(std::wstring_view text, char16_t* buffer, std::size_t bufferUnits, bool* truncated)
{
    if (truncated != nullptr)
        *truncated = false;
    if (buffer == nullptr || bufferUnits == 0) {
        if (truncated != nullptr)
            *truncated = !text.empty();
        return 0;
    }
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::u16string units = WideToUtf16(text.substr(i, 1));
        if (used + units.size() > bufferUnits - 1) {
            if (truncated != nullptr)
                *truncated = true;
            break;
        }
        for (char16_t unit : units)
            buffer[used++] = unit;
    }
    buffer[used] = u'\0';
    return used;
}

std::wstring Utf16FieldToWide(const char16_t* field, std::size_t units)
{
    if (field == nullptr)
        return {};
    std::size_t length = 0;
    while (length < units && field[length] != u'\0')
        ++length;
    return Utf16ToWide(std::u16string_view(field, length));
}

std::optional<std::string> WideToCp932(std::wstring_view text, const char* substitute, bool* substituted)
{
    if (substituted != nullptr)
        *substituted = false;
    std::string out;
    bool ok = RunIconv("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                       out, [&](std::string& sink, std::size_t left) -> std::size_t {
                           if (substitute == nullptr || left < sizeof(wchar_t))
                               return 0;
                           sink += substitute;
                           if (substituted != nullptr)
                               *substituted = true;
                           return sizeof(wchar_t);
                       });
    if (!ok)
        return std::nullopt;
    return out;
}

std::wstring Cp932ToWide(std::string_view text, bool* hadInvalidBytes)
{
    if (hadInvalidBytes != nullptr)
        *hadInvalidBytes = false;
    std::string raw;  // WCHAR_T output, as bytes
    auto replace = [&](std::string& sink, std::size_t) -> std::size_t {
        const wchar_t mark = static_cast<wchar_t>(kCp932Replacement);
        sink.append(reinterpret_cast<const char*>(&mark), sizeof mark);
        if (hadInvalidBytes != nullptr)
            *hadInvalidBytes = true;
        return 1;
    };
    if (!RunIconv("WCHAR_T", "CP932", text.data(), text.size(), raw, replace))
        return {};
    std::wstring out(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(out.data(), raw.data(), out.size() * sizeof(wchar_t));
    return out;
}

}  // namespace win
