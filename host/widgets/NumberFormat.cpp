#include "host/widgets/NumberFormat.h"

#include <cwchar>

namespace host {
namespace {

enum class Kind { Floating, Integer };

// Widths and precisions above this would only pad; they are refused so the
// output always fits the buffer below.
constexpr int kMaxField = 60;
constexpr size_t kBufferSize = 160;

bool ReadNumber(std::wstring_view format, size_t& position, int& number)
{
    number = 0;
    while (position < format.size() && format[position] >= L'0' && format[position] <= L'9') {
        number = number * 10 + (format[position] - L'0');
        if (number > kMaxField)
            return false;
        ++position;
    }
    return true;
}

// Rewrites `format` into one the C library reads the same way for `kind`:
// literal text copied, "%%" kept, the single conversion normalised.
bool Translate(std::wstring_view format, Kind kind, std::wstring& translated)
{
    int conversions = 0;
    translated.clear();
    for (size_t position = 0; position < format.size();) {
        wchar_t character = format[position];
        if (character != L'%') {
            translated += character;
            ++position;
            continue;
        }
        ++position;
        if (position < format.size() && format[position] == L'%') {
            translated += L"%%";
            ++position;
            continue;
        }
        if (++conversions > 1)
            return false;
        translated += L'%';
        while (position < format.size() && format[position] != L'\0' && std::wcschr(L"-+ #0", format[position]))
            translated += format[position++];
        int number = 0;
        size_t digits = position;
        if (!ReadNumber(format, position, number))
            return false;
        translated.append(format.substr(digits, position - digits));
        if (position < format.size() && format[position] == L'.') {
            translated += format[position++];
            digits = position;
            if (!ReadNumber(format, position, number))
                return false;
            translated.append(format.substr(digits, position - digits));
        }
        std::wstring_view rest = format.substr(position);
        if (kind == Kind::Integer) {
            if (rest.starts_with(L"I64"))
                position += 3;
            else if (rest.starts_with(L"ll"))
                position += 2;
            else if (rest.starts_with(L"l"))
                position += 1;
            translated += L"ll";
        } else if (rest.starts_with(L"l")) {
            position += 1;  // "%lf" is "%f"
        }
        if (position >= format.size())
            return false;
        wchar_t conversion = format[position++];
        const wchar_t* allowed = kind == Kind::Integer ? L"diuxXo" : L"eEfFgG";
        if (conversion == L'\0' || !std::wcschr(allowed, conversion))
            return false;
        translated += conversion;
    }
    return conversions == 1;
}

}  // namespace

bool FormatDouble(std::wstring_view format, double value, std::wstring& out)
{
    std::wstring translated;
    if (!Translate(format, Kind::Floating, translated))
        return false;
    wchar_t buffer[kBufferSize];
    int written = std::swprintf(buffer, kBufferSize, translated.c_str(), value);
    if (written < 0)
        return false;
    out.assign(buffer, static_cast<size_t>(written));
    return true;
}

bool FormatInteger(std::wstring_view format, long long value, std::wstring& out)
{
    std::wstring translated;
    if (!Translate(format, Kind::Integer, translated))
        return false;
    wchar_t buffer[kBufferSize];
    int written = std::swprintf(buffer, kBufferSize, translated.c_str(), value);
    if (written < 0)
        return false;
    out.assign(buffer, static_cast<size_t>(written));
    return true;
}

}  // namespace host
