// Conversions between the port's text forms: wide strings (wchar_t, UTF-32)
// in memory, UTF-8 as the narrow "ANSI" code page, UTF-16LE (char16_t) in
// stored and shared layouts, and CP932 for data that arrives in the
// instrument's legacy encoding.
#pragma once

#include "win/Win32Types.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace win {

// Malformed input never fails these conversions: each invalid UTF-8
// sequence, unpaired surrogate or out-of-range wide value becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
std::u16string WideToUtf16(std::wstring_view text);
std::wstring Utf16ToWide(std::u16string_view text);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// Longest prefix of `text` of at most maxBytes bytes that ends on a character
// boundary.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// Copy into a fixed buffer of bufferSize units, always terminated (when the
// size is not zero), never written past its end and never ending inside a
// character (a UTF-8 sequence or a surrogate pair). Returns the number of
// units written before the terminator; *truncated tells whether text was left
// out.
std::size_t CopyToNarrowBuffer(std::wstring_view text, char* buffer, std::size_t bufferBytes,
                               bool* truncated = nullptr);
std::size_t CopyUtf8ToBuffer(std::string_view utf8, char* buffer, std::size_t bufferBytes,
                             bool* truncated = nullptr);
std::size_t CopyToUtf16Buffer(std::wstring_view text, char16_t* buffer, std::size_t bufferUnits,
                              bool* truncated = nullptr);

template <std::size_t N>
std::size_t CopyToNarrowBuffer(std::wstring_view text, char (&buffer)[N], bool* truncated = nullptr)
{
    return CopyToNarrowBuffer(text, buffer, N, truncated);
}

template <std::size_t N>
std::size_t CopyToUtf16Buffer(std::wstring_view text, char16_t (&buffer)[N], bool* truncated = nullptr)
{
    return CopyToUtf16Buffer(text, buffer, N, truncated);
}

// Text of a fixed UTF-16 field: up to the first zero unit or the end of the
// field.
std::wstring Utf16FieldToWide(const char16_t* field, std::size_t units);

// CP932 through iconv. A character without a CP932 form is replaced by
// `substitute` when one is given (and *substituted set); without one the
// conversion fails. Undecodable CP932 bytes become U+30FB, as on Windows.
std::optional<std::string> WideToCp932(std::wstring_view text, const char* substitute = nullptr,
                                       bool* substituted = nullptr);
std::wstring Cp932ToWide(std::string_view text, bool* hadInvalidBytes = nullptr);

}  // namespace win

// Code pages. CP_ACP, CP_OEMCP and CP_THREAD_ACP are UTF-8 in this port.
constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_932 = 932;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

// Win32 semantics: a source length of -1 converts up to and including the
// terminator; a destination size of 0 asks for the size needed; a destination
// that is too small fails with ERROR_INSUFFICIENT_BUFFER and returns 0.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes, LPWSTR destination,
                        int destinationChars);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceChars, LPSTR destination,
                        int destinationBytes, LPCSTR defaultChar, BOOL* usedDefaultChar);
