// DIAdem export: the host's own header and data pair, written together
// (AtomicFile.h: both files or neither). For an export named <base>:
//
// <base>.dat, the header (UTF-8, CR LF):
//
//   DIADEM-HEADER 1
//   data_file=<base>.r64              the data file, in the same folder
//   start=2024/05/14 09:30:00.000
//   interval=0.0001
//   samples=1000
//   channels=2
//   name1=CH01
//   unit1=V
//   offset1=0                         byte offset of the channel's values
//   name2=CH02
//   unit2=V
//   offset2=8000
//   <empty line>
//
// <base>.r64: channels * samples little-endian doubles, channel after channel.
#pragma once

#include "host/formats/ExportText.h"

#include <filesystem>
#include <string>

namespace formats {

// `headerPath` names the ".dat" file; the data file is the same path with the
// extension ".r64".
bool WriteDiademFiles(const std::filesystem::path& headerPath, const RecordedData& data,
                      std::string* error = nullptr);
bool DecodeDiadem(std::string_view header, std::string_view values, ExportedData& data, std::string* error = nullptr);
// The data file's name the header names (for readers).
std::string DiademDataFileName(std::string_view header);

}  // namespace formats
