#include "host/formats/ExportText.h"

#include "host/formats/LittleEndian.h"

#include <cstdio>

namespace formats {

void AppendChannelValues(std::string& bytes, const RecordedData& data)
{
    ByteWriter out;
    out.Reserve(data.channels.size() * data.SampleCount() * 8);
    for (const DataChannel& channel : data.channels)
        for (std::size_t i = 0; i < channel.samples.size(); ++i)
            out.F64(channel.Value(i));
    bytes += out.Data();
}

bool ReadChannelValues(std::string_view bytes, std::size_t offset, std::size_t channels, std::size_t count,
                       std::vector<std::vector<double>>& values)
{
    if (offset > bytes.size() || channels > RecordedData::kMaxChannels || count > RecordedData::kMaxSamples ||
        (bytes.size() - offset) / 8 < channels * count)
        return false;
    ByteReader in(bytes.substr(offset));
    values.assign(channels, std::vector<double>(count));
    for (auto& channel : values)
        for (double& value : channel)
            value = in.F64();
    return !in.Failed();
}

std::size_t ParseHeaderLines(std::string_view text, const std::string_view firstLine,
                             std::map<std::string, std::string>& keys)
{
    std::size_t position = 0;
    bool first = true;
    while (position < text.size()) {
        std::size_t end = text.find("\r\n", position);
        if (end == std::string_view::npos)
            return 0;
        std::string_view line = text.substr(position, end - position);
        position = end + 2;
        if (first) {
            if (line != firstLine)
                return 0;
            first = false;
            continue;
        }
        if (line.empty())
            return position;
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return 0;
        if (!keys.emplace(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))).second)
            return 0;
    }
    return first ? 0 : position;
}

std::string FormatDouble(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

}  // namespace formats
