// Number formatting with the dialog code's own printf-style wide formats
// ("%8G", "%.1f", "%0.4g", "%I64d"). The formats come from callers, so they
// are checked before use: a format must hold exactly one conversion of the
// right kind, and "%%" for a percent sign. Windows' "I64" size prefix is
// accepted and handed to the C library as "ll".
#pragma once

#include <string>
#include <string_view>

namespace host {

// Formats a floating-point value with a format whose one conversion is
// e, E, f, F, g or G. Returns false (and leaves `out` alone) for any other format.
bool FormatDouble(std::wstring_view format, double value, std::wstring& out);

// Formats a 64-bit integer with a format whose one conversion is d, i, u, x,
// X or o, with an optional size prefix (I64, ll, l). Returns false for any
// other format.
bool FormatInteger(std::wstring_view format, long long value, std::wstring& out);

}  // namespace host
