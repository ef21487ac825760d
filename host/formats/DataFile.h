// The host's recorded-data file: the container of the ".FSD" memory-block
// files and of the recorded data files ".FPP", ".DRT" and ".CLC".
//
// Layout, all numbers little-endian:
//
//   offset  size  field
//   0       8     magic "RECDATA1"
//   8       2     format version, 1
//   10      2     kind: 1 FSD, 2 FPP, 3 DRT, 4 CLC (DataFileKind)
//   12      4     channel count C, 1 to 64
//   16      4     sample count N per channel, at most 2^24
//   20      4     reserved, 0
//   24      8     sampling interval in seconds (IEEE double, > 0)
//   32      16    start time: SYSTEMTIME (year, month, day of week, day,
//                 hour, minute, second, milliseconds; 16-bit each)
//   48      C*112 channel records:
//                   0   64  name, 32 UTF-16LE units, NUL-padded
//                   64  16  unit, 8 UTF-16LE units, NUL-padded
//                   80  4   amplifier slot (signed)
//                   84  4   reserved, 0
//                   88  8   scale, unit per count (double)
//                   96  8   offset, unit at count 0 (double)
//                   104 8   reserved, 0
//   48+112C  2*N*C  samples, signed 16-bit, channel after channel
//   end-4    4      CRC-32 of every byte before it
//
// A file is read only when every field is in range, its size is exactly
// what the header says and the CRC matches; anything else is a damaged file.
#pragma once

#include "host/formats/RecordedData.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace formats {

inline constexpr std::string_view kDataFileMagic = "RECDATA1";
inline constexpr std::size_t kDataFileHeaderSize = 48;
inline constexpr std::size_t kDataFileChannelSize = 112;

// The file's bytes; empty when the data does not validate.
std::string EncodeDataFile(const RecordedData& data, std::string* error = nullptr);
// False with the reason in `error` for anything but a complete, undamaged file.
bool DecodeDataFile(std::string_view bytes, RecordedData& data, std::string* error = nullptr);

// Write atomically (AtomicFile.h); read the whole file and decode it.
bool WriteDataFile(const std::filesystem::path& path, const RecordedData& data, std::string* error = nullptr);
bool ReadDataFile(const std::filesystem::path& path, RecordedData& data, std::string* error = nullptr);

}  // namespace formats
