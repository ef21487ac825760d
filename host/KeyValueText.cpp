#include "host/KeyValueText.h"

#include "win/TextConvert.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

std::string_view Trim(std::string_view text)
{
    const char* blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool ParseUnsignedField(std::string_view text, std::size_t digits, unsigned long max, unsigned long& out)
{
    if (text.empty() || (digits != 0 && text.size() != digits))
        return false;
    unsigned long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value > max)
        return false;
    out = value;
    return true;
}

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month)
{
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

} // namespace

bool KeyValueText::Split(std::string_view text, std::vector<KeyValueEntry>& entries, std::string& error)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (!win::IsValidUtf8(text)) {
        error = "the text is not valid UTF-8";
        return false;
    }
    std::vector<KeyValueEntry> parsed;
    std::set<std::string> seen;
    int lineNumber = 0;
    std::size_t position = 0;
    while (position <= text.size()) {
        const auto end = text.find('\n', position);
        const std::string_view rawLine =
            text.substr(position, end == std::string_view::npos ? std::string_view::npos : end - position);
        position = end == std::string_view::npos ? text.size() + 1 : end + 1;
        ++lineNumber;
        const std::string_view line = Trim(rawLine);
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            error = "line " + std::to_string(lineNumber) + ": expected key = value";
            return false;
        }
        KeyValueEntry entry;
        entry.key = std::string(Trim(line.substr(0, equals)));
        entry.value = std::string(Trim(line.substr(equals + 1)));
        entry.line = lineNumber;
        if (entry.key.empty()) {
            error = "line " + std::to_string(lineNumber) + ": empty key";
            return false;
        }
        if (!seen.insert(entry.key).second) {
            error = "line " + std::to_string(lineNumber) + ": key '" + entry.key + "' given twice";
            return false;
        }
        parsed.push_back(std::move(entry));
    }
    entries = std::move(parsed);
    return true;
}

bool KeyValueText::ParseInteger(std::string_view value, long long min, long long max, long long& out)
{
    if (value.empty())
        return false;
    long long parsed = 0;
    std::from_chars_result result{};
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        unsigned long long unsignedValue = 0;
        result = std::from_chars(value.data() + 2, value.data() + value.size(), unsignedValue, 16);
        if (result.ec != std::errc() || unsignedValue > static_cast<unsigned long long>(INT64_MAX))
            return false;
        parsed = static_cast<long long>(unsignedValue);
    } else {
        result = std::from_chars(value.data(), value.data() + value.size(), parsed, 10);
    }
    if (result.ec != std::errc() || result.ptr != value.data() + value.size())
        return false;
    if (parsed < min || parsed > max)
        return false;
    out = parsed;
    return true;
}

bool KeyValueText::ParseFlag(std::string_view value, bool& out)
{
    if (value == "1" || value == "true" || value == "yes" || value == "on") {
        out = true;
        return true;
    }
    if (value == "0" || value == "false" || value == "no" || value == "off") {
        out = false;
        return true;
    }
    return false;
}

bool KeyValueText::ParseDouble(std::string_view value, double& out)
{
    if (value.empty())
        return false;
    const std::string copy(value);
    char* end = nullptr;
    const double parsed = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || parsed != parsed)
        return false;
    out = parsed;
    return true;
}

std::vector<std::string> KeyValueText::SplitList(std::string_view value)
{
    std::vector<std::string> items;
    std::size_t position = 0;
    while (true) {
        const auto comma = value.find(',', position);
        items.emplace_back(Trim(value.substr(position, comma == std::string_view::npos ? std::string_view::npos
                                                                                         : comma - position)));
        if (comma == std::string_view::npos)
            break;
        position = comma + 1;
    }
    return items;
}

bool KeyValueText::Unescape(std::string_view value, std::wstring& out)
{
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            plain += value[i];
            continue;
        }
        if (++i == value.size())
            return false;
        switch (value[i]) {
        case 'n': plain += '\n'; break;
        case 'r': plain += '\r'; break;
        case 't': plain += '\t'; break;
        case 's': plain += ' '; break;
        case '\\': plain += '\\'; break;
        default: return false;
        }
    }
    out = win::Utf8ToWide(plain);
    return true;
}

std::string KeyValueText::Escape(std::wstring_view text)
{
    const std::string utf8 = win::WideToUtf8(text);
    const auto firstKept = utf8.find_first_not_of(' ');
    const auto lastKept = utf8.find_last_not_of(' ');
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        case ' ':
            out += (firstKept == std::string::npos || i < firstKept || i > lastKept) ? "\\s" : " ";
            break;
        default: out += c; break;
        }
    }
    return out;
}

bool KeyValueText::ParseTime(std::string_view value, bool calendar, SYSTEMTIME& out)
{
    // YYYY/MM/DD hh:mm:ss[.mmm][,dow]
    std::string_view rest = value;
    std::string_view dayOfWeekText;
    if (const auto comma = rest.find(','); comma != std::string_view::npos) {
        dayOfWeekText = Trim(rest.substr(comma + 1));
        rest = rest.substr(0, comma);
    }
    std::string_view millisecondsText;
    if (const auto dot = rest.find('.'); dot != std::string_view::npos) {
        millisecondsText = rest.substr(dot + 1);
        rest = rest.substr(0, dot);
    }
    if (rest.size() != 19 || rest[4] != '/' || rest[7] != '/' || rest[10] != ' ' || rest[13] != ':'
        || rest[16] != ':')
        return false;
    unsigned long year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0, dayOfWeek = 0;
    if (!ParseUnsignedField(rest.substr(0, 4), 4, 9999, year) || !ParseUnsignedField(rest.substr(5, 2), 2, 99, month)
        || !ParseUnsignedField(rest.substr(8, 2), 2, 99, day) || !ParseUnsignedField(rest.substr(11, 2), 2, 99, hour)
        || !ParseUnsignedField(rest.substr(14, 2), 2, 99, minute)
        || !ParseUnsignedField(rest.substr(17, 2), 2, 99, second))
        return false;
    if (!millisecondsText.empty() && !ParseUnsignedField(millisecondsText, 0, 65535, milliseconds))
        return false;
    if (!dayOfWeekText.empty() && !ParseUnsignedField(dayOfWeekText, 0, 65535, dayOfWeek))
        return false;
    if (value.find('.') != std::string_view::npos && millisecondsText.empty())
        return false;
    if (calendar) {
        if (year < 1601 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23
            || minute > 59 || second > 59 || milliseconds > 999 || dayOfWeek > 6)
            return false;
    }
    SYSTEMTIME parsed;
    parsed.wYear = static_cast<WORD>(year);
    parsed.wMonth = static_cast<WORD>(month);
    parsed.wDay = static_cast<WORD>(day);
    parsed.wHour = static_cast<WORD>(hour);
    parsed.wMinute = static_cast<WORD>(minute);
    parsed.wSecond = static_cast<WORD>(second);
    parsed.wMilliseconds = static_cast<WORD>(milliseconds);
    parsed.wDayOfWeek = static_cast<WORD>(dayOfWeek);
    out = parsed;
    return true;
}

std::string KeyValueText::FormatTime(const SYSTEMTIME& time, bool withExtras)
{
    // Fields above the width of the plain form only occur in damaged records;
    // they cannot be written back, so they are clamped to the largest that fits.
    const auto clamp = [](unsigned value, unsigned max) { return value > max ? max : value; };
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u %02u:%02u:%02u", clamp(time.wYear, 9999),
                  clamp(time.wMonth, 99), clamp(time.wDay, 99), clamp(time.wHour, 99), clamp(time.wMinute, 99),
                  clamp(time.wSecond, 99));
    std::string text = buffer;
    if (withExtras) {
        std::snprintf(buffer, sizeof buffer, ".%03u,%u", static_cast<unsigned>(time.wMilliseconds),
                      static_cast<unsigned>(time.wDayOfWeek));
        text += buffer;
    }
    return text;
}

bool KeyValueText::ParseDottedAddress(std::wstring_view text, DWORD& out)
{
    DWORD address = 0;
    int parts = 0;
    std::size_t position = 0;
    while (parts < 4) {
        std::size_t digits = 0;
        unsigned value = 0;
        while (position < text.size() && text[position] >= L'0' && text[position] <= L'9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[position] - L'0');
            ++position;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        address = (address << 8) | value;
        ++parts;
        if (parts < 4) {
            if (position >= text.size() || text[position] != L'.')
                return false;
            ++position;
        }
    }
    if (position != text.size())
        return false;
    out = address;
    return true;
}

std::wstring KeyValueText::FormatDottedAddress(DWORD address)
{
    wchar_t buffer[20];
    std::swprintf(buffer, 20, L"%u.%u.%u.%u", (address >> 24) & 0xFF, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                  address & 0xFF);
    return buffer;
}
