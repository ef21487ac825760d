// printf-style formatting with the Windows wide-format conventions, which
// the dialog code's literal formats are written for: "%s" takes a wide string
// and "%S" a narrow (UTF-8) one, "%c" a wide character and "%C" a narrow one,
// "%I64d" / "%I64u" / "%I64x" take 64-bit integers, "%I" a pointer-sized one,
// and "l" means 32 bits as Windows' long does ("%ld" reads a LONG); "L"
// reads a double, Windows' long double ("%Lf" as "%f"). "%p"
// prints upper-case hexadecimal digits zero-padded to the pointer's width.
// Each conversion is translated to glibc's form and formatted on its own;
// %d, %i and %u without a precision, the common case, are written directly
// with glibc's flags and padding.
//
// A malformed conversion (an unknown letter, a '%' at the very end) is copied
// to the output as written; "%n" writes nothing. Widths and precisions are
// limited to kMaxFieldWidth.
#pragma once

#include "win/Win32Types.h"

#include <cstdarg>
#include <cstddef>
#include <string>

namespace win {

constexpr int kMaxFieldWidth = 1 << 20;

std::wstring FormatWide(const wchar_t* format, va_list args);
std::wstring FormatWideArgs(const wchar_t* format, ...);

}  // namespace win

// The CRT/user32 functions of the same conventions. wsprintfW writes at most
// 1024 characters including the terminator, as on Windows. swprintf_s fails
// (returns -1, empties the buffer) when the text does not fit.
int wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args);
int swprintf_s(wchar_t* buffer, std::size_t bufferCount, const wchar_t* format, ...);
int vswprintf_s(wchar_t* buffer, std::size_t bufferCount, const wchar_t* format, va_list args);

template <std::size_t N, class... Args>
int swprintf_s(wchar_t (&buffer)[N], const wchar_t* format, Args... args)
{
    return swprintf_s(buffer, N, format, args...);
}
