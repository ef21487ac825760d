#include "host/formats/DataFile.h"

#include "host/formats/FormatsTestSupport.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

using testing::ReadAll;
using testing::ScratchFolder;
using testing::SmallRecording;
using testing::WriteAll;

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
    EXPECT_EQ(read.kind, DataFileKind::Drt);
    EXPECT_EQ(read.start.wYear, 2024);
    EXPECT_EQ(read.start.wMilliseconds, 250);
    EXPECT_EQ(read.intervalSeconds, 0.5);
    ASSERT_EQ(read.channels.size(), 2u);
    EXPECT_EQ(read.channels[1].name, L"温度");
    EXPECT_EQ(read.channels[1].unit, L"℃");
    EXPECT_EQ(read.channels[1].slot, 7);
    EXPECT_EQ(read.channels[1].offset, -10.0);
    EXPECT_EQ(read.channels[0].samples, (std::vector<std::int16_t>{0, 1500, -32768}));
    EXPECT_EQ(read.channels[1].samples, (std::vector<std::int16_t>{20, 40, 32767}));
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
    // First sample of the second channel: 20.
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

    EXPECT_FALSE(DecodeDataFile(good.substr(0, good.size() - 1), read, &error));
    EXPECT_FALSE(DecodeDataFile(good + "x", read, &error));
    EXPECT_FALSE(DecodeDataFile(good.substr(0, 20), read, &error));
    EXPECT_FALSE(DecodeDataFile("", read, &error));
    EXPECT_FALSE(DecodeDataFile("not a data file at all, just text......................", read, &error));
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

TEST(DataFileTest, MissingFileAndUnwritableDestinationFail)
{
    ScratchFolder folder;
    RecordedData read;
    std::string error;
    EXPECT_FALSE(ReadDataFile(folder / "none.fsd", read, &error));
    EXPECT_FALSE(WriteDataFile(folder / "missing-folder" / "a.fsd", SmallRecording(), &error));
    EXPECT_EQ(folder.Listing(), "");
}

TEST(DataFileTest, InvalidRecordingsAreNotWritten)
{
    ScratchFolder folder;
    RecordedData data = SmallRecording();
    data.channels[1].samples.pop_back();
    std::string error;
    EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));
    EXPECT_EQ(error, "channels of different lengths");

    data = SmallRecording();
    data.intervalSeconds = 0;
    EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));

    data = SmallRecording();
    data.channels[0].name = std::wstring(40, L'x');
    EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));

    data = SmallRecording();
    data.channels.clear();
    EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));

    data = SmallRecording();
    data.start.wMonth = 13;
    EXPECT_FALSE(WriteDataFile(folder / "a.fsd", data, &error));
    EXPECT_EQ(folder.Listing(), "");
}

TEST(DataFileTest, KindFollowsTheExtensionWithoutRegardToCase)
{
    DataFileKind kind{};
    EXPECT_TRUE(DataFileKindFromExtension(L".FSD", kind));
    EXPECT_EQ(kind, DataFileKind::Fsd);
    EXPECT_TRUE(DataFileKindFromExtension(L"fpp", kind));
    EXPECT_EQ(kind, DataFileKind::Fpp);
    EXPECT_TRUE(DataFileKindFromExtension(L".Clc", kind));
    EXPECT_EQ(kind, DataFileKind::Clc);
    EXPECT_FALSE(DataFileKindFromExtension(L".txt", kind));
    EXPECT_FALSE(DataFileKindFromExtension(L"", kind));
}

}  // namespace
}  // namespace formats
