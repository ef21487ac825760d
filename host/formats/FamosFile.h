// FAMOS export: the host's own transfer file, one file per exported data
// file (extension ".raw"). A text header, an empty line, then the values:
//
//   FAMOS-TRANSFER 1
//   start=2024/05/14 09:30:00.000
//   interval=0.0001                   seconds between samples
//   samples=1000                      per channel
//   channels=2
//   name1=CH01                        one name and unit per channel, 1-based
//   unit1=V
//   name2=CH02
//   unit2=V
//   data=float64le                    the one value format
//   <empty line>
//   channels * samples little-endian doubles, channel after channel
//
// Header lines end with CR LF and are UTF-8.
#pragma once

#include "host/formats/ExportText.h"

#include <filesystem>
#include <string>

namespace formats {

std::string EncodeFamos(const RecordedData& data, std::string* error = nullptr);
bool WriteFamosFile(const std::filesystem::path& path, const RecordedData& data, std::string* error = nullptr);
bool DecodeFamos(std::string_view bytes, ExportedData& data, std::string* error = nullptr);

}  // namespace formats
