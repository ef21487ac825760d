#include "host/formats/CsvFile.h"

#include "host/formats/AtomicFile.h"
#include "win/TextConvert.h"

#include <cstdio>

namespace formats {

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string ColumnTitle(const DataChannel& channel)
{
    std::string title = win::WideToUtf8(channel.name);
    if (!channel.unit.empty())
        title += "[" + win::WideToUtf8(channel.unit) + "]";
    return title;
}

}  // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string EncodeCsv(const RecordedData& data, std::string* error)
{
    std::string invalid = ValidateRecordedData(data);
    if (!invalid.empty()) {
        if (error)
            *error = invalid;
        return {};
    }
    std::string text;
    text += "Start," + FormatStartTime(data.start) + "\r\n";
    text += "Interval[s]," + Number(data.intervalSeconds) + "\r\n";
    text += "Time[s]";
    for (const DataChannel& channel : data.channels)
        text += "," + CsvField(ColumnTitle(channel));
    text += "\r\n";
    const std::size_t count = data.SampleCount();
    text.reserve(text.size() + count * (data.channels.size() + 1) * 12);
    for (std::size_t i = 0; i < count; ++i) {
        text += Number(data.TimeOf(i));
        for (const DataChannel& channel : data.channels) {
            text += ',';
            text += Number(channel.Value(i));
        }
        text += "\r\n";
    }
    return text;
}

bool WriteCsvFile(const std::filesystem::path& path, const RecordedData& data, std::string* error)
{
    std::string text = EncodeCsv(data, error);
    return !text.empty() && WriteFileAtomically(path, text, error);
}

}  // namespace formats
