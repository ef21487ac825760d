#include "host/formats/DataFile.h"

#include "host/formats/FormatsTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace formats {
namespace {

using testing::ScratchFolder;
using testing::SmallRecording;

TEST(DataFileTest, WrittenFileReadsBackFieldForField)
{
    ScratchFolder folder;
    RecordedData written = SmallRecording();
    std::string error;
    ASSERT_TRUE(WriteDataFile(folder / "a.DRT", written, &error)) << error;
    EXPECT_EQ(folder.Listing(), "a.DRT") << "no temporary file is left";
    EXPECT_EQ(std::filesystem::file_size(folder / "a.DRT"),
              kDataFileHeaderSize + 2 * kDataFileChannelSize + 2 * 2 * 3 + 4);

    RecordedData read;
    ASSERT_TRUE(ReadDataFile(folder / "a.DRT", read, &error)) << error;
    EXPECT_EQ(std::make_tuple(read.kind, read.start.wYear, read.start.wMilliseconds, read.intervalSeconds),
              std::make_tuple(DataFileKind::Drt, 2024, 250, 0.5));
    ASSERT_EQ(read.channels.size(), 2u);
    const DataChannel& second = read.channels[1];
    EXPECT_EQ(second.name + L"|" + second.unit, L"温度|℃");
    EXPECT_EQ(std::make_tuple(second.slot, second.offset), std::make_tuple(7, -10.0));
    EXPECT_EQ(read.channels[0].samples, (std::vector<std::int16_t>{0, 1500, -32768}));
    EXPECT_EQ(second.samples, (std::vector<std::int16_t>{20, 40, 32767}));
}

TEST(DataFileTest, HeaderBytesAreLittleEndianAtTheirOffsets)
{
    std::string bytes = EncodeDataFile(SmallRecording());
    ASSERT_GE(bytes.size(), kDataFileHeaderSize);
    EXPECT_EQ(bytes.substr(0, 8), "RECDATA1");
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 3u) << "kind DRT";
    EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 2u) << "channel count";
    EXPECT_EQ(static_cast<unsigned char>(bytes[16]), 3u) << "sample count";
    EXPECT_EQ(static_cast<unsigned char>(bytes[32]), 2024 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[33]), 2024 >> 8);
    std::size_t samples = kDataFileHeaderSize + 2 * kDataFileChannelSize;
    EXPECT_EQ(static_cast<unsigned char>(bytes[samples + 6]), 20u);
}

TEST(DataFileTest, DamagedTruncatedOrExtendedFilesAreRefused)
{
    std::string good = EncodeDataFile(SmallRecording());
    RecordedData read;
    std::string error;
    ASSERT_TRUE(DecodeDataFile(good, read, &error)) << error;

    std::string flipped = good;
    flipped[kDataFileHeaderSize + 2 * kDataFileChannelSize + 1] ^= 0x40;
    EXPECT_FALSE(DecodeDataFile(flipped, read, &error));
    EXPECT_NE(error.find("checksum"), std::string::npos) << error;

    // A byte too many, or a header cut short; cut, empty and foreign files are the host's conversion tests.
    EXPECT_FALSE(DecodeDataFile(good + "x", read, &error));
    EXPECT_FALSE(DecodeDataFile(good.substr(0, 20), read, &error));
}

TEST(DataFileTest, ForgedCountsAreRefusedBeforeAnythingIsAllocated)
{
    std::string forged = EncodeDataFile(SmallRecording());
    forged[16] = forged[17] = forged[18] = forged[19] = '\xFF';  // 4 thousand million samples
    RecordedData read;
    std::string error;
    EXPECT_FALSE(DecodeDataFile(forged, read, &error));
    EXPECT_NE(error.find("range"), std::string::npos) << error;

    forged = EncodeDataFile(SmallRecording());
    forged[12] = 0;  // no channel
    EXPECT_FALSE(DecodeDataFile(forged, read, &error));
}

// Nothing is written for a recording the format cannot hold.
TEST(DataFileTest, InvalidRecordingsAreNotWritten)
{
    const std::pair<std::function<void(RecordedData&)>, std::string> cases[] = {
        {[](RecordedData& data) { data.channels[1].samples.pop_back(); }, "channels of different lengths"},
        {[](RecordedData& data) { data.intervalSeconds = 0; }, "sampling interval not positive"},
        {[](RecordedData& data) { data.channels[0].name = std::wstring(40, L'x'); }, "name or unit too long"},
        {[](RecordedData& data) { data.channels.clear(); }, "no channel"},
        {[](RecordedData& data) { data.start.wMonth = 13; }, "start time out of range"},
    };
    ScratchFolder folder;
    for (const auto& [spoil, fault] : cases) {
        RecordedData data = SmallRecording();
        spoil(data);
        std::string error;
        EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));
        EXPECT_NE(error.find(fault), std::string::npos) << fault << " gave: " << error;
    }
    EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
}  // namespace formats
