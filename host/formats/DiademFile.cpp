#include "host/formats/DiademFile.h"

#include "host/formats/AtomicFile.h"
#include "win/TextConvert.h"

#include <cstdlib>

namespace formats {

namespace {

constexpr std::string_view kFirstLine = "DIADEM-HEADER 1";

void Fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
}

bool ReadNumber(const std::map<std::string, std::string>& keys, const std::string& key, std::size_t& value)
{
    auto found = keys.find(key);
    if (found == keys.end() || found->second.empty() || found->second.size() > 12 ||
        found->second.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtoull(found->second.c_str(), nullptr, 10);
    return true;
}

}  // namespace

bool WriteDiademFiles(const std::filesystem::path& headerPath, const RecordedData& data, std::string* error)
{
    std::string invalid = ValidateRecordedData(data);
    if (!invalid.empty()) {
        Fail(error, invalid.c_str());
        return false;
    }
    std::filesystem::path dataPath = headerPath;
    dataPath.replace_extension(".r64");
    const std::size_t count = data.SampleCount();
    std::string header = std::string(kFirstLine) + "\r\n";
    header += "data_file=" + dataPath.filename().string() + "\r\n";
    header += "start=" + FormatStartTime(data.start) + "\r\n";
    header += "interval=" + FormatDouble(data.intervalSeconds) + "\r\n";
    header += "samples=" + std::to_string(count) + "\r\n";
    header += "channels=" + std::to_string(data.channels.size()) + "\r\n";
    for (std::size_t i = 0; i < data.channels.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        header += "name" + n + "=" + win::WideToUtf8(data.channels[i].name) + "\r\n";
        header += "unit" + n + "=" + win::WideToUtf8(data.channels[i].unit) + "\r\n";
        header += "offset" + n + "=" + std::to_string(i * count * 8) + "\r\n";
    }
    header += "\r\n";
    std::string values;
    AppendChannelValues(values, data);
    return WriteFilesAtomically({{headerPath, header}, {dataPath, values}}, error);
}

std::string DiademDataFileName(std::string_view header)
{
    std::map<std::string, std::string> keys;
    if (ParseHeaderLines(header, kFirstLine, keys) == 0)
        return {};
    return keys["data_file"];
}

bool DecodeDiadem(std::string_view header, std::string_view values, ExportedData& data, std::string* error)
{
    std::map<std::string, std::string> keys;
    std::size_t channels = 0, samples = 0;
    if (ParseHeaderLines(header, kFirstLine, keys) == 0 || !ReadNumber(keys, "channels", channels) ||
        !ReadNumber(keys, "samples", samples) || channels > RecordedData::kMaxChannels ||
        samples > RecordedData::kMaxSamples || values.size() != channels * samples * 8) {
        Fail(error, "DIAdem header does not match its data");
        return false;
    }
    ExportedData result;
    result.start = keys["start"];
    result.intervalSeconds = std::strtod(keys["interval"].c_str(), nullptr);
    result.values.resize(channels);
    for (std::size_t i = 0; i < channels; ++i) {
        const std::string n = std::to_string(i + 1);
        std::size_t offset = 0;
        std::vector<std::vector<double>> one;
        if (!ReadNumber(keys, "offset" + n, offset) || !ReadChannelValues(values, offset, 1, samples, one)) {
            Fail(error, "DIAdem channel offset out of range");
            return false;
        }
        result.names.push_back(win::Utf8ToWide(keys["name" + n]));
        result.units.push_back(win::Utf8ToWide(keys["unit" + n]));
        result.values[i] = std::move(one.front());
    }
    data = std::move(result);
    return true;
}

}  // namespace formats
