#include "host/devices/MemBlockMan.h"

#include "host/CurrentProfileScope_test.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

void ThreeBlocks(InstrumentProfile& p)
{
    using Shape = WaveformChannel::Shape;
    p.memoryBlocks.assign(3, MemoryBlockProfile{});
    p.memoryBlocks[0].enabled = true;
    p.memoryBlocks[0].start = SYSTEMTIME{2024, 2, 0, 29, 13, 14, 15, 0};
    p.memoryBlocks[0].sampleCount = 400;
    p.memoryBlocks[0].samplingIntervalUs = 250;  // 4 kHz: 80 samples per 50 Hz cycle
    p.memoryBlocks[0].channels = {{2, Shape::Sine, 50.0, 10000, 0}, {5, Shape::Triangle, 10.0, 8000, 100}};
    p.memoryBlocks[2].enabled = true;
    p.memoryBlocks[2].start = SYSTEMTIME{2079, 12, 0, 31, 0, 0, 0, 0};
    p.memoryBlocks[2].sampleCount = 8;
    p.memoryBlocks[2].samplingIntervalUs = 125000;  // 8 samples per second
    p.memoryBlocks[2].channels = {{0, Shape::Square, 1.0, 40000, 0}, {1, Shape::Ramp, 1.0, 1000, 0}};
    p.memBackupReserveSize = 100;
}

} // namespace

TEST(MemBlockMan, ListsBlocksAndTheirRecords)
{
    CurrentProfileScope scope(ThreeBlocks);
    CMemBlockMan blocks;
    ASSERT_EQ(blocks.GetNumBlocks(), 3);
    EXPECT_TRUE(blocks.IsEnableData(0));
    EXPECT_FALSE(blocks.IsEnableData(1) || blocks.IsEnableData(3) || blocks.IsEnableData(-1));
    EXPECT_TRUE(!blocks.GetDATAINF(1) && !blocks.GetDATAINF(3) && !blocks.GetFHEADER(1));

    // The count and the broken-down start time are what the file page shows;
    // the day of the year and of the week (a Thursday, a Sunday) it does not.
    const T_DATAINF* info = blocks.GetDATAINF(0);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->dwChannelCount, 2u);
    EXPECT_EQ(info->dwChannelMask, (1u << 2) | (1u << 5));
    EXPECT_EQ(std::make_tuple(info->tmYearDay, info->tmWeekDay, blocks.GetDATAINF(2)->tmWeekDay),
              std::make_tuple(59, 4, 0));
    const T_FHEADER* header = blocks.GetFHEADER(0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->lDataCount, 400);
    EXPECT_EQ(header->stStart.wYear, 2024);
}

TEST(MemBlockMan, SamplesFollowTheChannelShapesInsideTheBlocksOnly)
{
    CurrentProfileScope scope(ThreeBlocks);
    CMemBlockMan blocks;
    const auto sine = blocks.GetChannelData(0, 0);
    ASSERT_EQ(sine.size(), 400u);
    EXPECT_EQ(sine[0], 0);
    EXPECT_EQ(sine[20], 10000);   // a quarter of a 50 Hz cycle at 4 kHz
    EXPECT_EQ(sine[60], -10000);
    EXPECT_EQ(sine[80], 0);

    const auto triangle = blocks.GetChannelData(0, 1);
    EXPECT_EQ(triangle[0], 100 - 8000);
    EXPECT_EQ(triangle[200], 100 + 8000);  // half a 10 Hz cycle
    EXPECT_EQ(blocks.GetChannelSlot(0, 1), 5);

    // An amplitude beyond the 16-bit range is clipped.
    const auto square = blocks.GetChannelData(2, 0);
    ASSERT_EQ(square.size(), 8u);
    EXPECT_EQ(square[0], 32767);
    EXPECT_EQ(square[4], -32768);
    const auto ramp = blocks.GetChannelData(2, 1);
    EXPECT_EQ(ramp[0], -1000);
    EXPECT_EQ(ramp[4], 0);
    // No data outside the blocks and channels.
    for (auto [block, channel] : {std::pair{1, 0}, {0, 2}, {0, -1}, {7, 0}})
        EXPECT_TRUE(blocks.GetChannelData(block, channel).empty()) << block << "/" << channel;
    EXPECT_EQ(blocks.GetChannelSlot(1, 0), -1);
}

TEST(MemBlockMan, AManagerKeepsTheBlocksItWasMadeWith)
{
    CurrentProfileScope scope(ThreeBlocks);
    CMemBlockMan before;
    InstrumentProfile::Modify([](InstrumentProfile& p) { p.memoryBlocks.clear(); });
    EXPECT_EQ(before.GetNumBlocks(), 3);
    EXPECT_NE(before.GetDATAINF(0), nullptr);
    EXPECT_EQ(CMemBlockMan().GetNumBlocks(), 0);
}

TEST(MemBlockMan, BackupReserveCoversTheDataHeld)
{
    CurrentProfileScope scope(ThreeBlocks);
    const int scans = CMemBlockMan::GetScanCount();
    // 400 x 2 + 8 x 2 samples of two bytes each are more than the 100 reserved.
    EXPECT_EQ(CMemBlockMan::ScanMemBackupReserveSize(), (400 * 2 + 8 * 2) * 2);
    InstrumentProfile::Modify([](InstrumentProfile& p) { p.memBackupReserveSize = 1LL << 40; });
    EXPECT_EQ(CMemBlockMan::ScanMemBackupReserveSize(), 1LL << 40);
    EXPECT_EQ(CMemBlockMan::GetScanCount(), scans + 2);
}
