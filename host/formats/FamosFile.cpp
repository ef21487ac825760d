#include "host/formats/FamosFile.h"

#include "host/formats/AtomicFile.h"
#include "win/TextConvert.h"

#include <cstdlib>

namespace formats {

namespace {

constexpr std::string_view kFirstLine = "FAMOS-TRANSFER 1";

void Fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
}

bool ReadCount(const std::map<std::string, std::string>& keys, const std::string& key, std::size_t limit,
               std::size_t& value)
{
    auto found = keys.find(key);
    if (found == keys.end() || found->second.empty() || found->second.size() > 9 ||
        found->second.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtoul(found->second.c_str(), nullptr, 10);
    return value <= limit;
}

}  // namespace

std::string EncodeFamos(const RecordedData& data, std::string* error)
{
    std::string invalid = ValidateRecordedData(data);
    if (!invalid.empty()) {
        Fail(error, invalid.c_str());
        return {};
    }
    std::string bytes = std::string(kFirstLine) + "\r\n";
    bytes += "start=" + FormatStartTime(data.start) + "\r\n";
    bytes += "interval=" + FormatDouble(data.intervalSeconds) + "\r\n";
    bytes += "samples=" + std::to_string(data.SampleCount()) + "\r\n";
    bytes += "channels=" + std::to_string(data.channels.size()) + "\r\n";
    for (std::size_t i = 0; i < data.channels.size(); ++i) {
        bytes += "name" + std::to_string(i + 1) + "=" + win::WideToUtf8(data.channels[i].name) + "\r\n";
        bytes += "unit" + std::to_string(i + 1) + "=" + win::WideToUtf8(data.channels[i].unit) + "\r\n";
    }
    bytes += "data=float64le\r\n\r\n";
    AppendChannelValues(bytes, data);
    return bytes;
}

bool WriteFamosFile(const std::filesystem::path& path, const RecordedData& data, std::string* error)
{
    std::string bytes = EncodeFamos(data, error);
    return !bytes.empty() && WriteFileAtomically(path, bytes, error);
}

bool DecodeFamos(std::string_view bytes, ExportedData& data, std::string* error)
{
    std::map<std::string, std::string> keys;
    std::size_t headerEnd = ParseHeaderLines(bytes, kFirstLine, keys);
    std::size_t channels = 0, samples = 0;
    if (headerEnd == 0 || !ReadCount(keys, "channels", RecordedData::kMaxChannels, channels) ||
        !ReadCount(keys, "samples", RecordedData::kMaxSamples, samples) || keys["data"] != "float64le") {
        Fail(error, "bad FAMOS transfer header");
        return false;
    }
    ExportedData result;
    result.start = keys["start"];
    result.intervalSeconds = std::strtod(keys["interval"].c_str(), nullptr);
    for (std::size_t i = 1; i <= channels; ++i) {
        result.names.push_back(win::Utf8ToWide(keys["name" + std::to_string(i)]));
        result.units.push_back(win::Utf8ToWide(keys["unit" + std::to_string(i)]));
    }
    if (bytes.size() - headerEnd != channels * samples * 8 ||
        !ReadChannelValues(bytes, headerEnd, channels, samples, result.values)) {
        Fail(error, "FAMOS transfer data does not match its header");
        return false;
    }
    data = std::move(result);
    return true;
}

}  // namespace formats
