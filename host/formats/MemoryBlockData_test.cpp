#include "host/formats/MemoryBlockData.h"

#include "host/formats/DataFile.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

// A block is written as the waveform memory holds it, the header's magic and
// all; a block without data gives nothing.
TEST(MemoryBlockDataTest, ABlockIsWrittenAsTheWaveformMemoryHoldsIt)
{
    InstrumentProfile profile;
    profile.memoryBlocks.resize(2);
    MemoryBlockProfile& block = profile.memoryBlocks[1];
    block.enabled = true;
    block.sampleCount = 8;
    block.channels = {{2, WaveformChannel::Shape::Sine, 50.0, 1000, 100},
                      {6, WaveformChannel::Shape::Square, 50.0, 40000, 0}};
    CMemBlockMan memory(std::make_shared<const InstrumentProfile>(profile));
    RecordedData data;
    std::string error;
    EXPECT_FALSE(ReadMemoryBlock(memory, 0, data, error) || ReadMemoryBlock(memory, 2, data, error));
    ASSERT_TRUE(ReadMemoryBlock(memory, 1, data, error)) << error;
    ASSERT_EQ(data.channels.size(), 2u);
    const T_FHEADER* header = memory.GetFHEADER(1);
    for (int k = 0; k < 2; ++k) {
        const std::vector<short> held = memory.GetChannelData(1, k);
        EXPECT_EQ(data.channels[k].samples, std::vector<std::int16_t>(held.begin(), held.end())) << k;
        EXPECT_EQ(data.channels[k].scale, header->fScale[k]) << k;
    }
    EXPECT_EQ(data.channels[1].name + data.channels[1].unit, L"CH07V");
    EXPECT_EQ(EncodeDataFile(data).substr(0, 8), std::string(header->magic, 8));
}

}  // namespace
}  // namespace formats
