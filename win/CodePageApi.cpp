// MultiByteToWideChar and WideCharToMultiByte over the conversions of
// TextConvert.h.
#include "win/TextConvert.h"

#include "win/Handles.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

enum class Codec { Utf8, Cp932, Unknown };

Codec CodecOf(UINT codePage)
{
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case CP_UTF8:
        return Codec::Utf8;
    case CP_932:
        return Codec::Cp932;
    default:
        return Codec::Unknown;
    }
}

constexpr DWORD ERROR_INVALID_FLAGS = 1004;

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes, LPWSTR destination,
                        int destinationChars)
{
    if (source == nullptr || sourceBytes == 0 || sourceBytes < -1 || destinationChars < 0 ||
        (destination == nullptr && destinationChars != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Codec codec = CodecOf(codePage);
    if (codec == Codec::Unknown) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((flags & ~MB_ERR_INVALID_CHARS) != 0 && codePage == CP_UTF8) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const std::size_t length = sourceBytes == -1 ? std::strlen(source) + 1 : static_cast<std::size_t>(sourceBytes);
    const std::string_view input(source, length);
    bool invalid = false;
    std::wstring converted;
    if (codec == Codec::Utf8) {
        converted = win::Utf8ToWide(input);
        invalid = !win::IsValidUtf8(input);
    } else {
        converted = win::Cp932ToWide(input, &invalid);
    }
    if (invalid && (flags & MB_ERR_INVALID_CHARS) != 0) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    const int needed = static_cast<int>(converted.size());
    if (destinationChars == 0)
        return needed;
    if (needed > destinationChars) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(converted.begin(), converted.end(), destination);
    return needed;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceChars, LPSTR destination,
                        int destinationBytes, LPCSTR defaultChar, BOOL* usedDefaultChar)
{
    if (usedDefaultChar != nullptr)
        *usedDefaultChar = FALSE;
    if (source == nullptr || sourceChars == 0 || sourceChars < -1 || destinationBytes < 0 ||
        (destination == nullptr && destinationBytes != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Codec codec = CodecOf(codePage);
    if (codec == Codec::Unknown || (codePage == CP_UTF8 && (defaultChar != nullptr || usedDefaultChar != nullptr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((flags & WC_ERR_INVALID_CHARS) != 0 && codePage != CP_UTF8) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const std::size_t length = sourceChars == -1 ? std::wcslen(source) + 1 : static_cast<std::size_t>(sourceChars);
    const std::wstring_view input(source, length);
    const std::string substitute = defaultChar != nullptr ? std::string(defaultChar, 1) : std::string("?");

    std::string converted;
    if (codec == Codec::Utf8) {
        bool substituted = false;
        for (wchar_t c : input) {
            const auto cp = static_cast<std::uint32_t>(c);
            const bool valid = cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
            if (!valid && codePage == CP_UTF8 && (flags & WC_ERR_INVALID_CHARS) != 0) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            if (!valid && codePage != CP_UTF8) {
                converted += substitute;  // the ANSI code page has a default character; UTF-8 uses U+FFFD
                substituted = true;
                continue;
            }
            converted += win::WideToUtf8(std::wstring_view(&c, 1));
        }
        if (usedDefaultChar != nullptr)
            *usedDefaultChar = substituted ? TRUE : FALSE;
    } else {
        bool substituted = false;
        std::optional<std::string> result = win::WideToCp932(input, substitute.c_str(), &substituted);
        if (!result) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        converted = std::move(*result);
        if (usedDefaultChar != nullptr)
            *usedDefaultChar = substituted ? TRUE : FALSE;
    }
    const int needed = static_cast<int>(converted.size());
    if (destinationBytes == 0)
        return needed;
    if (needed > destinationBytes) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(destination, converted.data(), converted.size());
    return needed;
}
