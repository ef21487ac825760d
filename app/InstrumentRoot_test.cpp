#include "InstrumentRoot.h"

#include "host/formats/DataFile.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

class InstrumentRootTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = std::filesystem::temp_directory_path() / ("instrument-root-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
    }
    void TearDown() override
    {
        win::Drives::SetDataRoot("");
        std::filesystem::remove_all(path);
    }
    std::filesystem::path path;
};

TEST_F(InstrumentRootTest, ANewRootGetsDrivesAndSampleData)
{
    InstrumentRoot root((path / "nested").string() + "/");
    std::string error;
    ASSERT_TRUE(root.Prepare(error)) << error;
    EXPECT_TRUE(root.CreatedSamples());
    for (const char* drive : {"C", "D", "E", "host"})
        EXPECT_TRUE(std::filesystem::is_directory(path / "nested" / drive)) << drive;
    // Real recorded data files of the four kinds, as the conversions read them.
    std::set<formats::DataFileKind> kinds;
    for (const auto& entry : std::filesystem::directory_iterator(path / "nested" / "D" / "data")) {
        formats::RecordedData data;
        std::string why;
        ASSERT_TRUE(formats::ReadDataFile(entry.path(), data, &why)) << entry.path() << ": " << why;
        formats::DataFileKind byName;
        ASSERT_TRUE(formats::DataFileKindFromExtension(entry.path().extension().wstring(), byName)) << entry.path();
        EXPECT_EQ(data.kind, byName) << entry.path();
        EXPECT_GE(data.channels.size(), 2u);
        EXPECT_GE(data.SampleCount(), 1000u);
        kinds.insert(data.kind);
    }
    EXPECT_EQ(kinds.size(), 4u);
    // The platform reaches them through drive letters.
    auto resolved = win::Drives::ToPosix(L"D:\\data\\WAVE0001.FSD");
    ASSERT_TRUE(resolved);
    EXPECT_TRUE(std::filesystem::exists(*resolved));
}

TEST_F(InstrumentRootTest, AnExistingRootKeepsItsContent)
{
    std::string error;
    {
        InstrumentRoot first(path.string());
        ASSERT_TRUE(first.Prepare(error)) << error;
    }
    std::filesystem::remove(path / "D" / "data" / "WAVE0002.FSD");
    InstrumentRoot again(path.string());
    ASSERT_TRUE(again.Prepare(error)) << error;
    EXPECT_FALSE(again.CreatedSamples());
    EXPECT_FALSE(std::filesystem::exists(path / "D" / "data" / "WAVE0002.FSD"));
}

TEST_F(InstrumentRootTest, ARootThatCannotBeMadeFails)
{
    std::filesystem::create_directories(path);
    std::ofstream(path / "file") << "x";
    InstrumentRoot root((path / "file" / "root").string());
    std::string error;
    EXPECT_FALSE(root.Prepare(error));
    EXPECT_FALSE(error.empty());
}

TEST_F(InstrumentRootTest, RecordedDataHoldsEverySample)
{
    std::filesystem::create_directories(path);
    MemoryBlockProfile block;
    block.enabled = true;
    block.sampleCount = 10;
    block.channels = {{0, WaveformChannel::Shape::Square, 1.0, 100, 5}, {3, WaveformChannel::Shape::Ramp, 1.0, 10, 0}};
    std::string error;
    std::string file = (path / "x.FPP").string();
    ASSERT_TRUE(InstrumentRoot::WriteRecordedData(file, block, formats::DataFileKind::Fpp, error)) << error;
    formats::RecordedData data;
    ASSERT_TRUE(formats::ReadDataFile(file, data, &error)) << error;
    EXPECT_EQ(data.kind, formats::DataFileKind::Fpp);
    ASSERT_EQ(data.channels.size(), 2u);
    EXPECT_EQ(data.channels[1].slot, 3);
    EXPECT_EQ(data.SampleCount(), 10u);
    // The square wave starts at +amplitude + offset.
    EXPECT_EQ(data.channels[0].samples[0], 105);

    // A block without data makes no file.
    block.channels.clear();
    EXPECT_FALSE(InstrumentRoot::WriteRecordedData((path / "y.FSD").string(), block, formats::DataFileKind::Fsd, error));
    EXPECT_FALSE(std::filesystem::exists(path / "y.FSD"));
}

TEST_F(InstrumentRootTest, TheWriteFilterToolRunsFromTheSystemDirectoryAndRecordsEachRun)
{
    InstrumentRoot root(path.string());
    std::string error;
    ASSERT_TRUE(root.Prepare(error)) << error;
    ASSERT_TRUE(std::filesystem::exists(root.WriteFilterToolPath()));
    EXPECT_FALSE(std::filesystem::exists(root.WriteFilterLogPath()));

    // Started the way the shutdown flow starts it.
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    for (int run = 0; run < 2; ++run) {
        std::wstring line = std::wstring(system) + L"\\EWFMGR.EXE C: -disable";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0x20, nullptr, nullptr, &startup,
                                   &info));
        ASSERT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
        DWORD code = 99;
        EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
        EXPECT_EQ(code, 0u);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    std::ifstream log(root.WriteFilterLogPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) {
        EXPECT_NE(line.find(" EWFMGR.EXE C: -disable"), std::string::npos) << line;
        EXPECT_EQ(line.size(), std::string("2024-05-14 09:30:15 EWFMGR.EXE C: -disable").size()) << line;
    }
}

TEST_F(InstrumentRootTest, AMissingWriteFilterToolIsMadeAgainAndAnExistingOneIsKept)
{
    std::string error;
    {
        InstrumentRoot first(path.string());
        ASSERT_TRUE(first.Prepare(error)) << error;
        std::filesystem::remove(first.WriteFilterToolPath());
    }
    InstrumentRoot again(path.string());
    ASSERT_TRUE(again.Prepare(error)) << error;
    EXPECT_FALSE(again.CreatedSamples());
    auto status = std::filesystem::status(again.WriteFilterToolPath());
    EXPECT_TRUE(std::filesystem::is_regular_file(status));
    EXPECT_NE(status.permissions() & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    std::ofstream(again.WriteFilterToolPath(), std::ios::trunc) << "#!/bin/sh\nexit 3\n";
    InstrumentRoot third(path.string());
    ASSERT_TRUE(third.Prepare(error)) << error;
    std::ifstream kept(third.WriteFilterToolPath());
    std::string first;
    std::getline(kept, first);
    std::string second;
    std::getline(kept, second);
    EXPECT_EQ(second, "exit 3");
}

}  // namespace
