// Conversions between the host's in-memory wide text (UTF-32 wchar_t), the
// UTF-8 of its text files and the UTF-16 of the records it stores.
// Invalid input never stops a conversion: bad UTF-8 sequences and lone
// surrogates become U+FFFD, so a damaged file still shows what it can.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TextCodec {
public:
    static std::wstring Utf8ToWide(std::string_view text);
    static std::string WideToUtf8(std::wstring_view text);
    static std::u16string WideToUtf16(std::wstring_view text);
    static std::wstring Utf16ToWide(std::u16string_view text);

    // Copies text into a fixed UTF-16 field of `capacity` units, always
    // terminated, never cutting a surrogate pair; the rest is zero-filled.
    static void StoreUtf16(char16_t* field, std::size_t capacity, std::wstring_view text);
    // Reads a fixed UTF-16 field up to its first zero unit (or its end).
    static std::wstring LoadUtf16(const char16_t* field, std::size_t capacity);

    // True when the UTF-8 text is well formed (no replacement needed).
    static bool IsValidUtf8(std::string_view text);
};
