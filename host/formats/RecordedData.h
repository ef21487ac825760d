// Recorded waveform data as the host keeps it in memory: one start time, one
// sampling interval and a number of channels of 16-bit A/D samples of equal
// length. A sample's physical value is sample * scale + offset in the
// channel's unit. Every file format of this folder writes and reads this.
#pragma once

#include "win/Win32Types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// The recorder a data file came from, by its extension: memory recorder
// (.FSD, also the memory-block files), pen recorder (.FPP), hard-disk recorder
// (.DRT) and calculation results (.CLC). The four share one container.
enum class DataFileKind : std::uint16_t { Fsd = 1, Fpp = 2, Drt = 3, Clc = 4 };

struct DataChannel {
    std::wstring name;          // at most kMaxNameLength characters
    std::wstring unit;          // at most kMaxUnitLength characters
    std::int32_t slot = 0;      // amplifier slot the channel was recorded from
    double scale = 1.0;         // unit per A/D count
    double offset = 0.0;        // unit at count 0
    std::vector<std::int16_t> samples;

    double Value(std::size_t index) const { return samples[index] * scale + offset; }
};

struct RecordedData {
    static constexpr std::size_t kMaxChannels = 64;
    static constexpr std::size_t kMaxSamples = std::size_t{1} << 24;  // per channel
    static constexpr std::size_t kMaxNameLength = 31;
    static constexpr std::size_t kMaxUnitLength = 7;

    DataFileKind kind = DataFileKind::Fsd;
    SYSTEMTIME start;               // local time of the first sample
    double intervalSeconds = 0.0;   // time between two samples
    std::vector<DataChannel> channels;

    std::size_t SampleCount() const { return channels.empty() ? 0 : channels.front().samples.size(); }
    double TimeOf(std::size_t index) const { return static_cast<double>(index) * intervalSeconds; }
};

// Why data cannot be written: an empty text when it can. Checked by every
// writer: at least one channel, equal lengths within the limits, a positive
// finite interval, finite scales and offsets, names and units within their
// lengths and free of control characters.
std::string ValidateRecordedData(const RecordedData& data);

// The kind for an extension such as L".fsd" or L"DRT" (case ignored); false
// for any other.
bool DataFileKindFromExtension(std::wstring extension, DataFileKind& kind);

// "2024/05/14 09:30:00.000": the start time as every text format writes it.
std::string FormatStartTime(const SYSTEMTIME& time);

}  // namespace formats
