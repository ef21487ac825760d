// A waveform-memory block as data to write: the samples the waveform memory
// (CMemBlockMan) holds, with the scale, offset and unit of the block's file
// header. Memory saves and the sample data files of a new data root both go
// through here, so a block written either way holds the same waveform.
#pragma once

#include "host/devices/MemBlockMan.h"
#include "host/formats/RecordedData.h"

#include <string>

namespace formats {

// Block index from 0. Channel i is named "CH%02d" after its amplifier slot
// (slot + 1). False, with the reason in `error` and `data` untouched, for a
// block that does not exist, holds no data or cannot be described (no
// channel, no interval, channels of unequal length).
bool ReadMemoryBlock(const CMemBlockMan& memory, int block, RecordedData& data, std::string& error);

}  // namespace formats
