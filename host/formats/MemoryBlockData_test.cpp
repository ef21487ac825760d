#include "host/formats/MemoryBlockData.h"

#include "host/formats/DataFile.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

std::shared_ptr<const InstrumentProfile> TwoBlocks()
{
    InstrumentProfile profile;
    profile.memoryBlocks.resize(2);
    MemoryBlockProfile& block = profile.memoryBlocks[1];
    block.enabled = true;
    block.sampleCount = 8;
    block.samplingIntervalUs = 2500;  // 8 samples per 50 Hz period
    block.channels = {{2, WaveformChannel::Shape::Sine, 50.0, 1000, 100},
                      {6, WaveformChannel::Shape::Square, 50.0, 40000, 0}};
    return std::make_shared<const InstrumentProfile>(profile);
}

// What a file written from a block holds is what the waveform memory holds,
// header magic and all.
TEST(MemoryBlockDataTest, ABlockIsWrittenAsTheWaveformMemoryHoldsIt)
{
    CMemBlockMan memory(TwoBlocks());
    RecordedData data;
    std::string error;
    ASSERT_TRUE(ReadMemoryBlock(memory, 1, data, error)) << error;
    ASSERT_EQ(data.channels.size(), 2u);
    const T_FHEADER* header = memory.GetFHEADER(1);
    for (int k = 0; k < 2; ++k) {
        const std::vector<short> held = memory.GetChannelData(1, k);
        EXPECT_EQ(data.channels[k].samples, std::vector<std::int16_t>(held.begin(), held.end())) << k;
        EXPECT_EQ(data.channels[k].scale, header->fScale[k]) << k;
        EXPECT_EQ(data.channels[k].unit, L"V");
    }
    EXPECT_EQ(data.channels[1].name, L"CH07");
    EXPECT_DOUBLE_EQ(data.intervalSeconds, 0.0025);

    const std::string bytes = EncodeDataFile(data);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(0, 8), std::string(header->magic, 8));
    RecordedData back;
    ASSERT_TRUE(DecodeDataFile(bytes, back));
    EXPECT_EQ(back.channels[0].samples, data.channels[0].samples);
}

TEST(MemoryBlockDataTest, BlocksWithoutDataGiveNothing)
{
    CMemBlockMan memory(TwoBlocks());
    RecordedData data;
    data.intervalSeconds = 7.0;
    std::string error;
    for (int block : {0, 2, -1}) {
        EXPECT_FALSE(ReadMemoryBlock(memory, block, data, error)) << block;
        EXPECT_FALSE(error.empty());
    }
    InstrumentProfile empty = *TwoBlocks();
    empty.memoryBlocks[1].channels.clear();
    EXPECT_FALSE(ReadMemoryBlock(CMemBlockMan(std::make_shared<const InstrumentProfile>(empty)), 1, data, error));
    EXPECT_EQ(data.intervalSeconds, 7.0) << "the output is untouched";
}

}  // namespace
}  // namespace formats
