// The samples of a simulated waveform-memory block: the instrument profile
// describes each recorded channel by its shape (InstrumentProfile.h); this
// computes the 16-bit samples the block holds, so that every file written
// from a block carries real waveforms.
#pragma once

#include "host/InstrumentProfile.h"
#include "host/formats/RecordedData.h"

namespace formats {

// Channel i is named "CH%02d" after its amplifier slot (slot + 1), in volts
// at 1 mV per count. Samples are the shape's value at t = index * interval,
// plus the channel's offset, clamped to the 16-bit range. False for a block
// without data (not enabled, no channel, no sample or no interval).
bool SampleMemoryBlock(const MemoryBlockProfile& block, RecordedData& data);

// One sample of a shape at time t (seconds), before clamping.
double WaveformValue(const WaveformChannel& channel, double t);

}  // namespace formats
