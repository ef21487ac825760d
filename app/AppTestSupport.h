// What the simulator's tests share: the default instrument for the test's
// duration, and whole files read and written as bytes.
#pragma once

#include "host/InstrumentProfile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace app_testing {

// Puts the default instrument in place; the one before comes back at the end.
class DefaultInstrument {
public:
    DefaultInstrument() { InstrumentProfile::SetCurrent(InstrumentProfile::Default()); }
    ~DefaultInstrument() { InstrumentProfile::SetCurrent(*m_saved); }
    DefaultInstrument(const DefaultInstrument&) = delete;
    DefaultInstrument& operator=(const DefaultInstrument&) = delete;

private:
    std::shared_ptr<const InstrumentProfile> m_saved = InstrumentProfile::Current();
};

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, sorted and joined by blanks, to show exactly what a
// request left there.
inline std::string Listing(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

}  // namespace app_testing
