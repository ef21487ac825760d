// Helpers of the format tests: a scratch folder and small recordings.
#pragma once

#include "host/formats/RecordedData.h"
#include "tests/harness/TempDataRoot.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace formats::testing {

// A fresh folder for a test's files, removed afterwards.
class ScratchFolder : public testing_support::TempDataRoot {
public:
    ScratchFolder() : TempDataRoot("") {}

    std::filesystem::path operator/(const std::string& name) const { return std::filesystem::path(Path()) / name; }
    // Names of every entry, sorted, to show that nothing else was left behind.
    std::string Listing() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path()))
            names.insert(entry.path().filename().string());
        std::string joined;
        for (const auto& name : names)
            joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }
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
