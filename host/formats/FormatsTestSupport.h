// Helpers of the format tests: a scratch folder and small recordings.
#pragma once

#include "host/formats/RecordedData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <cstdlib>
#include <unistd.h>

namespace formats::testing {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "formats-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data()))
            m_path = made;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // Names of every entry, sorted, to show that nothing else was left behind.
    std::string Listing() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names)
            joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Two channels of three samples, with scales and offsets that make the
// physical values easy to check.
inline RecordedData SmallRecording()
{
    RecordedData data;
    data.kind = DataFileKind::Drt;
    data.start = SYSTEMTIME{2024, 5, 2, 14, 9, 30, 5, 250};
    data.intervalSeconds = 0.5;
    data.channels = {DataChannel{L"CH01", L"V", 0, 0.001, 0.0, {0, 1500, -32768}},
                     DataChannel{L"温度", L"℃", 7, 0.5, -10.0, {20, 40, 32767}}};
    return data;
}

}  // namespace formats::testing
