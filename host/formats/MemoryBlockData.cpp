#include "host/formats/MemoryBlockData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace formats {

double WaveformValue(const WaveformChannel& channel, double t)
{
    // Phase within the period, 0 <= phase < 1.
    // Rounded to a nanocycle so that sample times that are exact fractions of
    // the period in decimal land on the same side of an edge as on paper.
    double cycles = std::round(channel.frequencyHz * t * 1e9) / 1e9;
    double phase = cycles - std::floor(cycles);
    double unit = 0.0;  // -1 to 1
    switch (channel.shape) {
    case WaveformChannel::Shape::Sine:
        unit = std::sin(2.0 * std::numbers::pi * phase);
        break;
    case WaveformChannel::Shape::Triangle:
        unit = phase < 0.25 ? 4.0 * phase : phase < 0.75 ? 2.0 - 4.0 * phase : 4.0 * phase - 4.0;
        break;
    case WaveformChannel::Shape::Square:
        unit = phase < 0.5 ? 1.0 : -1.0;
        break;
    case WaveformChannel::Shape::Ramp:
        unit = 2.0 * phase - 1.0;
        break;
    }
    return unit * channel.amplitude + channel.offset;
}

bool SampleMemoryBlock(const MemoryBlockProfile& block, RecordedData& data)
{
    if (!block.enabled || block.channels.empty() || block.sampleCount <= 0 || block.samplingIntervalUs == 0)
        return false;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(block.sampleCount),
                                                    static_cast<std::size_t>(InstrumentProfile::kMaxSamplesPerChannel));
    RecordedData result;
    result.kind = DataFileKind::Fsd;
    result.start = block.start;
    result.intervalSeconds = block.samplingIntervalUs / 1e6;
    for (const WaveformChannel& source : block.channels) {
        if (result.channels.size() == RecordedData::kMaxChannels)
            break;
        DataChannel channel;
        wchar_t name[16];
        std::swprintf(name, 16, L"CH%02d", source.slot + 1);
        channel.name = name;
        channel.unit = L"V";
        channel.slot = source.slot;
        channel.scale = 0.001;
        channel.samples.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            double value = std::round(WaveformValue(source, result.TimeOf(i)));
            channel.samples[i] = static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
        }
        result.channels.push_back(std::move(channel));
    }
    data = std::move(result);
    return true;
}

}  // namespace formats
