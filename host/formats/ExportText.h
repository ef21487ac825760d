// Shared pieces of the FAMOS and DIAdem exports: both start with a text
// header of `key=value` lines (UTF-8, CR LF) and carry the physical values
// as little-endian IEEE doubles, channel after channel. ExportedData is what
// their readers give back.
#pragma once

#include "host/formats/RecordedData.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

struct ExportedData {
    std::string start;          // FormatStartTime of the recording
    double intervalSeconds = 0;
    std::vector<std::wstring> names;
    std::vector<std::wstring> units;
    std::vector<std::vector<double>> values;  // per channel
};

// Appends every channel's values as doubles.
void AppendChannelValues(std::string& bytes, const RecordedData& data);
// Reads `count` doubles per channel for `channels` channels from `bytes`
// starting at `offset`; false when they do not fit.
bool ReadChannelValues(std::string_view bytes, std::size_t offset, std::size_t channels, std::size_t count,
                       std::vector<std::vector<double>>& values);

// "key=value" lines up to the first empty line (or the end). Returns the
// number of bytes consumed including the empty line, or 0 when a line has no
// '=' or a key repeats.
std::size_t ParseHeaderLines(std::string_view text, const std::string_view firstLine,
                             std::map<std::string, std::string>& keys);
std::string FormatDouble(double value);  // 17 significant digits: reads back exactly

}  // namespace formats
