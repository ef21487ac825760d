// The plain `key = value` text that the host's own files use (the instrument
// profile, the settings files of the configuration objects): splitting into
// entries and the value syntaxes they share. Parsers return false on any
// malformed value and leave their output untouched then.
#pragma once

#include "win/Win32Types.h"

#include <string>
#include <string_view>
#include <vector>

struct KeyValueEntry {
    std::string key;
    std::string value;
    int line = 0;
};

class KeyValueText {
public:
    // Splits UTF-8 text into entries. Skips blank lines and '#' comments and
    // a leading byte-order mark; key and value are trimmed. Fails on invalid
    // UTF-8, a line without '=', an empty key or a key given twice.
    static bool Split(std::string_view text, std::vector<KeyValueEntry>& entries, std::string& error);

    // Decimal (optionally signed) or 0x-prefixed hexadecimal, within [min, max].
    static bool ParseInteger(std::string_view value, long long min, long long max, long long& out);
    static bool ParseFlag(std::string_view value, bool& out);
    static bool ParseDouble(std::string_view value, double& out);
    // Comma-separated items, each trimmed; empty items are kept.
    static std::vector<std::string> SplitList(std::string_view value);

    // Text values: UTF-8 with the escapes \n \r \t \\ and \s (a blank, used
    // for leading and trailing blanks, which trimming would lose).
    static bool Unescape(std::string_view value, std::wstring& out);
    static std::string Escape(std::wstring_view text);

    // "YYYY/MM/DD hh:mm:ss" with optional ".mmm" and ",<day of week>". With
    // `calendar` the date and time must be real; without it any field that
    // fits its WORD is taken, so that stored values round-trip as they are.
    static bool ParseTime(std::string_view value, bool calendar, SYSTEMTIME& out);
    static std::string FormatTime(const SYSTEMTIME& time, bool withExtras);

    // Four dotted decimal numbers 0 to 255, first number most significant.
    static bool ParseDottedAddress(std::wstring_view text, DWORD& out);
    static std::wstring FormatDottedAddress(DWORD address);
};
