// CSV, MAT-file, FAMOS and DIAdem exports, each read back by a reader of its
// format.
#include "host/formats/CsvFile.h"
#include "host/formats/DiademFile.h"
#include "host/formats/FamosFile.h"
#include "host/formats/FormatsTestSupport.h"
#include "host/formats/MatFile4.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

using testing::ReadAll;
using testing::ScratchFolder;
using testing::SmallRecording;

TEST(CsvFileTest, HoldsTheStartTheIntervalAndEverySampleAsPhysicalValues)
{
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WriteCsvFile(folder / "a.csv", SmallRecording(), &error)) << error;
    EXPECT_EQ(ReadAll(folder / "a.csv"),
              "Start,2024/05/14 09:30:05.250\r\n"
              "Interval[s],0.5\r\n"
              "Time[s],CH01[V],温度[℃]\r\n"
              "0,0,0\r\n"
              "0.5,1.5,10\r\n"
              "1,-32.768,16373.5\r\n");
}

TEST(CsvFileTest, NamesWithCommasOrQuotesAreQuoted)
{
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    RecordedData data = SmallRecording();
    data.channels[0].name = L"in,put";
    EXPECT_NE(EncodeCsv(data).find("Time[s],\"in,put[V]\","), std::string::npos);
}

TEST(MatFile4Test, ExportReadsBackWithTimeChannelsStartAndNames)
{
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WriteMat4File(folder / "a.mat", SmallRecording(), &error)) << error;
    std::vector<Mat4Matrix> matrices;
    ASSERT_TRUE(ReadMat4File(folder / "a.mat", matrices, &error)) << error;
    std::vector<std::string> names;
    for (const Mat4Matrix& m : matrices)
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"time", "CH01", "ch___", "start_time", "sampling_interval",
                                               "channel_names", "channel_units"}));
    EXPECT_EQ(std::make_pair(matrices[0].rows, matrices[0].columns), std::make_pair(3u, 1u));
    const std::vector<double> values[] = {{0.0, 0.5, 1.0}, {0.0, 1.5, -32.768}, {0.0, 10.0, 16373.5},
                                          {2024, 5, 14, 9, 30, 5.25}, {0.5}};
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(matrices[i].real, values[i]) << matrices[i].name;
    ASSERT_TRUE(matrices[5].text);
    EXPECT_EQ(matrices[5].rows, 2u);
    EXPECT_EQ(matrices[5].TextRow(0) + L"|" + matrices[5].TextRow(1) + L"|" + matrices[6].TextRow(1), L"CH01|温度|℃");
    // Level 4 text holds 8-bit characters: the names are stored as UTF-8 bytes.
    EXPECT_EQ(matrices[5].columns, 6u) << "温度 is six bytes of UTF-8";
    EXPECT_EQ(matrices[5].At(1, 0), 0xE6);
}

TEST(MatFile4Test, FirstMatrixHeaderIsTheLevel4Layout)
{
    std::string bytes = EncodeMat4Export(SmallRecording());
    ASSERT_GE(bytes.size(), 25u);
    const unsigned char expected[25] = {0, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0,
                                        't', 'i', 'm', 'e', 0};
    EXPECT_EQ(bytes.substr(0, 25), std::string(reinterpret_cast<const char*>(expected), 25));
    // 0.5 as a little-endian double: 00 00 00 00 00 00 E0 3F.
    EXPECT_EQ(bytes.substr(33, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
}

TEST(MatFile4Test, VariableNamesAreValidAndUnique)
{
    std::vector<std::string> taken = {"time"};
    const std::pair<std::wstring, std::string> rows[] = {
        {L"CH01", "CH01"}, {L"CH01", "CH01_2"}, {L"time", "time_2"}, {L"1 volt-in", "ch_1_volt_in"}, {L"", "ch_"},
        {std::wstring(40, L'a'), std::string(31, 'a')}, {std::wstring(40, L'a'), std::string(29, 'a') + "_2"}};
    for (const auto& [name, variable] : rows)
        EXPECT_EQ(MakeMat4VariableName(name, taken), variable);
}

TEST(FamosFileTest, TransferFileReadsBack)
{
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WriteFamosFile(folder / "a.raw", SmallRecording(), &error)) << error;
    std::string bytes = ReadAll(folder / "a.raw");
    EXPECT_EQ(bytes.rfind("FAMOS-TRANSFER 1\r\nstart=2024/05/14 09:30:05.250\r\ninterval=0.5\r\n", 0), 0u);
    ExportedData read;
    ASSERT_TRUE(DecodeFamos(bytes, read, &error)) << error;
    EXPECT_EQ(read.names, (std::vector<std::wstring>{L"CH01", L"温度"}));
    EXPECT_EQ(read.units, (std::vector<std::wstring>{L"V", L"℃"}));
    EXPECT_EQ(read.values.at(1), (std::vector<double>{0.0, 10.0, 16373.5}));
}

TEST(DiademFileTest, HeaderAndDataFileReadBackTogether)
{
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WriteDiademFiles(folder / "a.dat", SmallRecording(), &error)) << error;
    EXPECT_EQ(folder.Listing(), "a.dat a.r64");
    std::string header = ReadAll(folder / "a.dat");
    EXPECT_EQ(DiademDataFileName(header), "a.r64");
    EXPECT_NE(header.find("offset2=24\r\n"), std::string::npos) << header;
    ExportedData read;
    ASSERT_TRUE(DecodeDiadem(header, ReadAll(folder / "a.r64"), read, &error)) << error;
    EXPECT_EQ(read.values[0], (std::vector<double>{0.0, 1.5, -32.768}));
    EXPECT_EQ(read.start, "2024/05/14 09:30:05.250");
}

}  // namespace
}  // namespace formats
