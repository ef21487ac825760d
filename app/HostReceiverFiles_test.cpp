// The receiver's data-file requests against real files on a temporary data
// root: a memory block saved as a recorded-data file or CSV, a recorded data
// file converted to CSV, and the MATLAB, FAMOS and DIAdem exports. Each kind
// is tried with a good source, a missing one, a damaged one and a destination
// that cannot be written, which must leave no file behind.
#include "HostReceiver.h"

#include "AppTestSupport.h"
#include "InstrumentRoot.h"
#include "host/devices/MemBlockMan.h"
#include "host/formats/DataFile.h"
#include "host/formats/DiademFile.h"
#include "host/formats/FamosFile.h"
#include "host/formats/MatFile4.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

namespace fs = std::filesystem;
// The square wave of the sample files' second channel starts high: 6000 -
// 500 counts, the waveform memory's 10 V full scale.
const double kSquareStart = 5500 * static_cast<double>(CMemBlockMan::kFullScaleVolts / 32767.0f);
using app_testing::Listing;
using app_testing::ReadAll;
using app_testing::WriteAll;

std::vector<std::string> CsvLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<double> CsvRow(const std::string& line)
{
    std::vector<double> values;
    std::istringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ','))
        values.push_back(std::stod(cell));
    return values;
}

class HostReceiverFilesTest : public app_testing::ReceiverTest {
protected:
    void SetUp() override
    {
        fs::create_directories(root / "D" / "data");
        fs::create_directories(root / "D" / "out");
        MemoryBlockProfile block;
        block.enabled = true;
        block.start = SYSTEMTIME{2024, 5, 2, 14, 9, 30, 15, 0};
        block.sampleCount = 300;
        block.samplingIntervalUs = 100;
        block.channels = {{0, WaveformChannel::Shape::Sine, 50.0, 12000, 0},
                          {5, WaveformChannel::Shape::Square, 10.0, 6000, -500}};
        std::string error;
        for (auto [name, kind] : {std::pair{"a.FSD", formats::DataFileKind::Fsd},
                                  std::pair{"b.fpp", formats::DataFileKind::Fpp},
                                  std::pair{"c.DRT", formats::DataFileKind::Drt},
                                  std::pair{"d.clc", formats::DataFileKind::Clc}})
            ASSERT_TRUE(InstrumentRoot::WriteRecordedData((root / "D" / "data" / name).string(), block, kind, error))
                << error;
    }

    T_DLG_REQUEST SaveBlock(std::uint32_t block, const wchar_t* destination, BYTE format)
    {
        return Send(DLGREQ_SAVE_MEMORY_BLOCK, [=](T_DLG_REQUEST& request) {
            request.SetWord(12, block);
            request.SetPointer(16, destination);
            request.SetByte(24, format);
            request.SetByte(28, 1);
        });
    }
    T_DLG_REQUEST Convert(const wchar_t* source, const wchar_t* destination)
    {
        return Send(DLGREQ_CONVERT_FILE_CSV, [=](T_DLG_REQUEST& request) {
            request.SetPointer(12, source);
            request.SetPointer(16, destination);
        });
    }
    void Export(const wchar_t* folder, const wchar_t* source, DWORD format)
    {
        Send(DLGREQ_EXPORT_FILE, [=](T_DLG_REQUEST& request) {
            request.SetPointer(16, folder);
            request.SetPointer(20, source);
            request.SetWord(24, format);
            request.SetByte(28, 1);
        });
    }
    // The sample file with one byte of its samples changed: the CRC no longer matches.
    void Damage(const std::string& name, const std::string& as)
    {
        std::string bytes = ReadAll(root / "D" / "data" / name);
        bytes[bytes.size() / 2] ^= 0x5A;
        WriteAll(root / "D" / "data" / as, bytes);
    }
};

// The saved file holds the first block's waveform memory as a sample data file made
// of the same block holds it (how the memory becomes recorded data is the
// formats' story).
TEST_F(HostReceiverFilesTest, AMemoryBlockSavedAsADataFileHoldsTheBlocksSamples)
{
    EXPECT_EQ(SaveBlock(0, L"D:\\out\\001.FSD", 1).Byte(36), 1);
    EXPECT_EQ(LastNote(), L"wrote D:\\out\\001.FSD");
    const MemoryBlockProfile& block = InstrumentProfile::Current()->memoryBlocks[0];
    std::string error;
    ASSERT_TRUE(InstrumentRoot::WriteRecordedData((root / "D" / "out" / "sample.FSD").string(), block,
                                                  formats::DataFileKind::Fsd, error)) << error;
    formats::RecordedData data, sample;
    ASSERT_TRUE(formats::ReadDataFile(root / "D" / "out" / "001.FSD", data, &error)) << error;
    ASSERT_TRUE(formats::ReadDataFile(root / "D" / "out" / "sample.FSD", sample, &error)) << error;
    EXPECT_EQ(data.kind, formats::DataFileKind::Fsd);
    EXPECT_DOUBLE_EQ(data.intervalSeconds, block.samplingIntervalUs / 1e6);
    ASSERT_EQ(data.channels.size(), block.channels.size());
    ASSERT_EQ(sample.channels.size(), block.channels.size());
    for (std::size_t k = 0; k < data.channels.size(); ++k) {
        const formats::DataChannel& saved = data.channels[k];
        const formats::DataChannel& made = sample.channels[k];
        EXPECT_EQ(std::tie(saved.slot, saved.samples, saved.scale, saved.name),
                  std::tie(made.slot, made.samples, made.scale, made.name)) << "channel " << k;
    }
}

TEST_F(HostReceiverFilesTest, AMemoryBlockSavedAsCsvHoldsTheBlocksSamples)
{
    T_DLG_REQUEST request = SaveBlock(1, L"d:/OUT/002.csv", 0);
    EXPECT_EQ(request.Byte(36), 1);
    std::vector<std::string> lines = CsvLines(ReadAll(root / "D" / "out" / "002.csv"));
    CMemBlockMan memory;
    const T_FHEADER* header = memory.GetFHEADER(1);
    ASSERT_NE(header, nullptr);
    const std::size_t samples = static_cast<std::size_t>(header->lDataCount);
    ASSERT_EQ(lines.size(), samples + 3);
    EXPECT_EQ(lines[0].rfind("Start,2024/05/14 10:02:48", 0), 0u) << lines[0];
    EXPECT_EQ(lines[2], "Time[s],CH01[V],CH05[V]");
    std::vector<short> first = memory.GetChannelData(1, 0);
    std::vector<short> second = memory.GetChannelData(1, 1);
    for (std::size_t i : {std::size_t{0}, std::size_t{1}, samples / 3, samples - 1}) {
        std::vector<double> row = CsvRow(lines[i + 3]);
        ASSERT_EQ(row.size(), 3u) << lines[i + 3];
        EXPECT_NEAR(row[0], i * header->dwSamplingIntervalUs / 1e6, 1e-9);
        EXPECT_NEAR(row[1], first[i] * static_cast<double>(header->fScale[0]), 1e-6) << "row " << i;
        EXPECT_NEAR(row[2], second[i] * static_cast<double>(header->fScale[1]), 1e-6) << "row " << i;
    }
}

TEST_F(HostReceiverFilesTest, AMissingOrDamagedMemoryBlockAnswersNoAndWritesNothing)
{
    // Block 3 of the default instrument was cleared; 99 does not exist; the
    // word 0xFFFFFFFF is block -1.
    for (std::uint32_t block : {2u, 99u, 0xFFFFFFFFu}) {
        EXPECT_EQ(SaveBlock(block, L"D:\\out\\x.FSD", 1).Byte(36), 0) << block;
        EXPECT_EQ(SaveBlock(block, L"D:\\out\\x.csv", 0).Byte(36), 0) << block;
    }
    EXPECT_EQ(LastNote().rfind(L"refused: ", 0), 0u) << win::WideToUtf8(LastNote());
    // Blocks the memory claims to hold but that describe no data.
    InstrumentProfile::Modify([](InstrumentProfile& profile) {
        profile.memoryBlocks[0].channels.clear();
        profile.memoryBlocks[1].samplingIntervalUs = 0;
    });
    EXPECT_EQ(SaveBlock(0, L"D:\\out\\001.FSD", 1).Byte(36), 0);
    EXPECT_EQ(SaveBlock(1, L"D:\\out\\002.csv", 0).Byte(36), 0);
    EXPECT_EQ(Listing(root / "D" / "out"), "");
}

TEST_F(HostReceiverFilesTest, AMemorySaveThatCannotBeWrittenLeavesNoFile)
{
    fs::create_directories(root / "D" / "out" / "001.FSD" / "inside");  // a folder of that name is in the way
    WriteAll(root / "D" / "out" / "plain", "a file, not a folder");
    EXPECT_EQ(SaveBlock(0, L"D:\\out\\001.FSD", 1).Byte(36), 0);
    EXPECT_EQ(SaveBlock(0, L"D:\\no such folder\\001.FSD", 1).Byte(36), 0);
    EXPECT_EQ(SaveBlock(0, L"D:\\out\\plain\\001.csv", 0).Byte(36), 0);
    EXPECT_EQ(SaveBlock(0, L"Q:\\001.FSD", 1).Byte(36), 0);
    EXPECT_EQ(SaveBlock(0, L"D:\\out\\002.FSD", 7).Byte(36), 0);  // no such format
    EXPECT_EQ(SaveBlock(0, nullptr, 1).Byte(36), 0);
    EXPECT_TRUE(fs::is_directory(root / "D" / "out" / "001.FSD" / "inside"));
    EXPECT_EQ(ReadAll(root / "D" / "out" / "plain"), "a file, not a folder");
    EXPECT_EQ(Listing(root / "D" / "out"), "001.FSD plain");
}

TEST_F(HostReceiverFilesTest, RecordedFilesOfTheFourKindsConvertToCsv)
{
    for (const wchar_t* name : {L"a.FSD", L"b.fpp", L"c.DRT", L"d.clc"}) {
        std::wstring source = std::wstring(L"D:\\data\\") + name;
        std::wstring destination = std::wstring(L"D:\\out\\") + name + L".csv";
        T_DLG_REQUEST request = Convert(source.c_str(), destination.c_str());
        EXPECT_EQ(request.Byte(20), 1) << win::WideToUtf8(name) << ": " << win::WideToUtf8(LastNote());
        std::vector<std::string> lines =
            CsvLines(ReadAll(root / "D" / "out" / (win::WideToUtf8(name) + ".csv")));
        ASSERT_EQ(lines.size(), 303u);
        EXPECT_EQ(lines[1], "Interval[s],0.0001");
        EXPECT_EQ(lines[2], "Time[s],CH01[V],CH06[V]");
        EXPECT_NEAR(CsvRow(lines[3])[2], kSquareStart, 1e-9);
    }
}

TEST_F(HostReceiverFilesTest, AMissingOrDamagedRecordedFileIsNotConverted)
{
    std::string whole = ReadAll(root / "D" / "data" / "a.FSD");
    WriteAll(root / "D" / "data" / "cut.FSD", whole.substr(0, whole.size() - 10));
    Damage("a.FSD", "crc.FSD");
    WriteAll(root / "D" / "data" / "text.DRT", "SYSDLG-SIM RECORDED DATA 1\nstart = 2024/05/14 09:30:15\ndata\n");
    WriteAll(root / "D" / "data" / "empty.FPP", "");
    WriteAll(root / "D" / "data" / "data.txt", whole);  // a good container, but not a data file's name
    fs::create_directories(root / "D" / "data" / "folder.FSD");
    for (const wchar_t* source : {L"D:\\data\\missing.FSD", L"D:\\data\\cut.FSD", L"D:\\data\\crc.FSD",
                                  L"D:\\data\\text.DRT", L"D:\\data\\empty.FPP", L"D:\\data\\data.txt",
                                  L"D:\\data\\folder.FSD", L"D:\\..\\..\\etc\\passwd.FSD"}) {
        T_DLG_REQUEST request = Convert(source, L"D:\\out\\x.csv");
        EXPECT_EQ(request.Byte(20), 0) << win::WideToUtf8(source);
    }
    EXPECT_EQ(Convert(nullptr, L"D:\\out\\x.csv").Byte(20), 0);
    EXPECT_EQ(Listing(root / "D" / "out"), "");
    Convert(L"D:\\data\\missing.FSD", L"D:\\out\\m.csv");
    EXPECT_NE(LastNote().find(L"missing.FSD"), std::wstring::npos) << win::WideToUtf8(LastNote());
}

TEST_F(HostReceiverFilesTest, ACsvConversionThatCannotBeWrittenLeavesNoFile)
{
    WriteAll(root / "D" / "out" / "kept.csv", "an older conversion");
    fs::create_directories(root / "D" / "out" / "busy.csv" / "inside");
    EXPECT_EQ(Convert(L"D:\\data\\a.FSD", L"D:\\out\\busy.csv").Byte(20), 0);
    EXPECT_EQ(Convert(L"D:\\data\\a.FSD", L"D:\\out\\gone\\a.csv").Byte(20), 0);
    EXPECT_EQ(Convert(L"D:\\data\\a.FSD", L"D:\\out\\kept.csv\\a.csv").Byte(20), 0);
    EXPECT_EQ(Convert(L"D:\\data\\a.FSD", nullptr).Byte(20), 0);
    EXPECT_EQ(ReadAll(root / "D" / "out" / "kept.csv"), "an older conversion");
    EXPECT_EQ(Listing(root / "D" / "out"), "busy.csv kept.csv");
    // Over an existing file it is replaced whole.
    EXPECT_EQ(Convert(L"D:\\data\\a.FSD", L"D:\\out\\kept.csv").Byte(20), 1);
    EXPECT_EQ(ReadAll(root / "D" / "out" / "kept.csv").rfind("Start,", 0), 0u);
}

TEST_F(HostReceiverFilesTest, AMatlabExportIsALevel4FileWithEveryChannel)
{
    Export(L"D:\\out\\", L"D:\\data\\c.DRT", DLGREQ_EXPORT_MATLAB);
    EXPECT_EQ(LastNote(), L"wrote D:\\out\\c.mat");
    std::vector<formats::Mat4Matrix> matrices;
    std::string error;
    ASSERT_TRUE(formats::ReadMat4File(root / "D" / "out" / "c.mat", matrices, &error)) << error;
    std::map<std::string, const formats::Mat4Matrix*> byName;
    for (const formats::Mat4Matrix& matrix : matrices)
        byName[matrix.name] = &matrix;
    ASSERT_TRUE(byName.count("time") && byName.count("CH01") && byName.count("CH06"));
    EXPECT_EQ(byName["CH01"]->rows, 300u);
    EXPECT_DOUBLE_EQ(byName["time"]->At(2, 0), 0.0002);
    EXPECT_DOUBLE_EQ(byName["CH06"]->At(0, 0), kSquareStart);
}

TEST_F(HostReceiverFilesTest, FamosAndDiademExportsReadBack)
{
    Export(L"D:\\out", L"D:\\data\\b.fpp", DLGREQ_EXPORT_FAMOS);  // a folder without its backslash too
    Export(L"D:\\out\\", L"D:\\data\\d.clc", DLGREQ_EXPORT_DIADEM);
    EXPECT_EQ(Listing(root / "D" / "out"), "b.raw d.dat d.r64");
    formats::ExportedData famos;
    std::string error;
    ASSERT_TRUE(formats::DecodeFamos(ReadAll(root / "D" / "out" / "b.raw"), famos, &error)) << error;
    ASSERT_EQ(famos.values.size(), 2u);
    EXPECT_EQ(famos.names[1], L"CH06");
    EXPECT_DOUBLE_EQ(famos.values[1][0], kSquareStart);
    formats::ExportedData diadem;
    ASSERT_TRUE(formats::DecodeDiadem(ReadAll(root / "D" / "out" / "d.dat"), ReadAll(root / "D" / "out" / "d.r64"),
                                      diadem, &error))
        << error;
    ASSERT_EQ(diadem.values.size(), 2u);
    EXPECT_EQ(diadem.values[0].size(), 300u);
    EXPECT_DOUBLE_EQ(diadem.intervalSeconds, 0.0001);
}

TEST_F(HostReceiverFilesTest, AnExportOfAMissingOrDamagedFileWritesNothing)
{
    Damage("c.DRT", "bad.DRT");
    WriteAll(root / "D" / "data" / "notes.txt", "not recorded data");
    for (DWORD format : {DLGREQ_EXPORT_MATLAB, DLGREQ_EXPORT_FAMOS, DLGREQ_EXPORT_DIADEM}) {
        Export(L"D:\\out\\", L"D:\\data\\missing.DRT", format);
        Export(L"D:\\out\\", L"D:\\data\\bad.DRT", format);
        Export(L"D:\\out\\", L"D:\\data\\notes.txt", format);
        Export(L"D:\\out\\", nullptr, format);
    }
    Export(L"D:\\out\\", L"D:\\data\\a.FSD", 5);  // no such format
    Export(L"D:\\out\\", L"D:\\data\\a.FSD", 0);
    EXPECT_EQ(Listing(root / "D" / "out"), "");
    EXPECT_EQ(LastNote().rfind(L"refused: ", 0), 0u);
}

TEST_F(HostReceiverFilesTest, AnExportThatCannotBeWrittenLeavesNoFile)
{
    fs::create_directories(root / "D" / "out" / "a.mat" / "inside");
    fs::create_directories(root / "D" / "out" / "a.r64" / "inside");  // blocks DIAdem's data file
    Export(L"D:\\out\\", L"D:\\data\\a.FSD", DLGREQ_EXPORT_MATLAB);
    Export(L"D:\\out\\", L"D:\\data\\a.FSD", DLGREQ_EXPORT_DIADEM);
    Export(L"D:\\nowhere\\", L"D:\\data\\a.FSD", DLGREQ_EXPORT_FAMOS);
    EXPECT_EQ(Listing(root / "D" / "out"), "a.mat a.r64") << "no DIAdem header without its data, no temporary file";
    EXPECT_FALSE(fs::exists(root / "D" / "nowhere"));
}

}  // namespace
