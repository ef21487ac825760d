// The waveform memory's blocks. A manager is made for one listing and
// answers for the blocks as they were when it was made. Sample data is
// generated from each channel's shape in the instrument profile: channel k
// of a block holds sampleCount 16-bit samples taken every
// samplingIntervalUs microseconds, 10 V full scale. This is the instrument's
// only source of waveforms: memory saves and the sample data files are both
// written from it (host/formats/MemoryBlockData.h).
#pragma once

#include "host/InstrumentProfile.h"
#include "host/devices/DataInfo.h"

#include <memory>
#include <vector>

class CMemBlockMan {
public:
    static constexpr float kFullScaleVolts = 10.0f;

    CMemBlockMan();
    // The blocks of another instrument (the sample data of a new data root).
    explicit CMemBlockMan(std::shared_ptr<const InstrumentProfile> profile);

    int GetNumBlocks() const;
    // Block index from 0; false outside the range.
    bool IsEnableData(int block) const;
    // Null outside the range and for a block without data.
    const T_DATAINF* GetDATAINF(int block) const;
    const T_FHEADER* GetFHEADER(int block) const;

    // The samples of the block's channel `channel` (0 to its channel count
    // - 1, in slot order); empty outside the ranges or without data.
    std::vector<short> GetChannelData(int block, int channel) const;
    // The amplifier slot the channel was recorded from, -1 if none.
    int GetChannelSlot(int block, int channel) const;

    // Disk space to keep for the waveform-memory backup, in bytes: the
    // profile's reserve, but never less than the data held.
    static LONGLONG ScanMemBackupReserveSize();
    static int GetScanCount();

private:
    const MemoryBlockProfile* Block(int block) const;

    std::shared_ptr<const InstrumentProfile> m_profile;
    std::vector<T_DATAINF> m_dataInfo;
    std::vector<T_FHEADER> m_headers;
};
