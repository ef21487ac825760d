// Recorded data as CSV text, the host's conversion of memory blocks and data
// files. UTF-8, CR LF line ends, comma-separated, fields quoted as RFC 4180
// quotes them (only when they hold a comma, quote or line break):
//
//   Start,2024/05/14 09:30:00.000
//   Interval[s],0.0001
//   Time[s],CH01[V],CH02[V]
//   0,0,1.5
//   0.0001,0.031,1.5
//   ...
//
// One row per sample: the time from the start, then each channel's physical
// value (sample * scale + offset), both with up to 9 significant digits.
#pragma once

#include "host/formats/RecordedData.h"

#include <filesystem>
#include <string>

namespace formats {

// Empty when the data does not validate.
std::string EncodeCsv(const RecordedData& data, std::string* error = nullptr);
// Written atomically (AtomicFile.h).
bool WriteCsvFile(const std::filesystem::path& path, const RecordedData& data, std::string* error = nullptr);

// One CSV field, quoted when it must be.
std::string CsvField(const std::string& text);

}  // namespace formats
