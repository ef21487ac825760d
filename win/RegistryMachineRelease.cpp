#include "win/Registry.h"

#include "win/TextConvert.h"

#include <sys/utsname.h>

#include <fstream>
#include <map>

namespace {

constexpr std::wstring_view kVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// A release file's value: quoted with " or ' (a backslash escapes the next
// character inside double quotes), or bare.
std::string Unquote(const std::string& value)
{
    if (value.size() < 2 || (value.front() != '"' && value.front() != '\'') || value.back() != value.front())
        return value;
    const char quote = value.front();
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (quote == '"' && value[i] == '\\' && i + 2 < value.size())
            ++i;
        text += value[i];
    }
    return text;
}

}  // namespace

namespace win {

bool Registry::LoadMachineRelease(const std::string& releaseFile)
{
    std::ifstream file(releaseFile);
    if (!file)
        return false;
    std::map<std::string, std::string> release;
    for (std::string line; std::getline(file, line);) {
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        release[line.substr(0, equals)] = Unquote(line.substr(equals + 1));
    }
    const auto set = [](std::wstring_view name, const std::string& value) {
        if (!value.empty() && IsValidUtf8(value))
            SetValue(HKEY_LOCAL_MACHINE, kVersionKey, name, Utf8ToWide(value));
    };
    set(L"ProductName", release.count("PRETTY_NAME") ? release["PRETTY_NAME"] : release["NAME"]);
    set(L"CurrentVersion", release["VERSION_ID"]);
    utsname system{};
    if (uname(&system) == 0)
        set(L"CurrentBuildNumber", system.release);
    return true;
}

}  // namespace win
