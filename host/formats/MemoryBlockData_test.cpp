#include "host/formats/MemoryBlockData.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

MemoryBlockProfile Block(WaveformChannel::Shape shape)
{
    MemoryBlockProfile block;
    block.enabled = true;
    block.sampleCount = 8;
    block.samplingIntervalUs = 2500;  // 8 samples per 50 Hz period
    block.channels.push_back({2, shape, 50.0, 1000, 100});
    return block;
}

// Samples follow the shape around the offset; values beyond sixteen bits are clamped.
TEST(MemoryBlockDataTest, SamplesFollowTheShapeWithOffset)
{
    using Shape = WaveformChannel::Shape;
    const std::pair<Shape, std::vector<std::int16_t>> rows[] = {
        {Shape::Sine, {100, 807, 1100, 807, 100, -607, -900, -607}},
        {Shape::Square, {1100, 1100, 1100, 1100, -900, -900, -900, -900}},
        {Shape::Triangle, {100, 600, 1100, 600, 100, -400, -900, -400}},
        {Shape::Ramp, {-900, -650, -400, -150, 100, 350, 600, 850}},
    };
    RecordedData data;
    for (const auto& [shape, samples] : rows) {
        ASSERT_TRUE(SampleMemoryBlock(Block(shape), data));
        ASSERT_EQ(data.channels.size(), 1u);
        EXPECT_EQ(data.channels[0].samples, samples) << static_cast<int>(shape);
    }
    EXPECT_EQ(data.channels[0].name + L" " + std::to_wstring(data.channels[0].slot), L"CH03 2");
    EXPECT_DOUBLE_EQ(data.intervalSeconds, 0.0025);
    EXPECT_DOUBLE_EQ(data.channels[0].Value(6), 0.6) << "1 mV per count";
    MemoryBlockProfile loud = Block(Shape::Square);
    loud.channels[0].amplitude = 40000;
    ASSERT_TRUE(SampleMemoryBlock(loud, data));
    EXPECT_EQ(std::make_pair(data.channels[0].samples.front(), data.channels[0].samples.back()),
              std::make_pair(std::int16_t{32767}, std::int16_t{-32768}));
}

TEST(MemoryBlockDataTest, BlocksWithoutDataGiveNothing)
{
    RecordedData data;
    MemoryBlockProfile block = Block(WaveformChannel::Shape::Sine);
    block.enabled = false;
    EXPECT_FALSE(SampleMemoryBlock(block, data));
    block = Block(WaveformChannel::Shape::Sine);
    block.sampleCount = 0;
    EXPECT_FALSE(SampleMemoryBlock(block, data));
    EXPECT_TRUE(data.channels.empty()) << "the output is untouched";
}

}  // namespace
}  // namespace formats
