#include "InstrumentRoot.h"

#include "host/formats/DataFile.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

class InstrumentRootTest : public ::testing::Test {
protected:
    testing_support::TempDataRoot temporary{""};
    std::filesystem::path path = std::filesystem::path(temporary.Path()) / "instrument";
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

TEST_F(InstrumentRootTest, ABlockWithoutDataMakesNoRecordedFile)
{
    std::filesystem::create_directories(path);
    MemoryBlockProfile block;
    block.enabled = true;
    block.sampleCount = 10;
    std::string error;
    EXPECT_FALSE(InstrumentRoot::WriteRecordedData((path / "y.FSD").string(), block, formats::DataFileKind::Fsd, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(path / "y.FSD"));
}

// What an earlier run left is kept: a deleted sample stays deleted and a
// write-filter tool put there (a failing one for a test, say) is not
// replaced; a missing tool is made again.
TEST_F(InstrumentRootTest, AnExistingRootKeepsItsContent)
{
    std::string error;
    {
        InstrumentRoot first(path.string());
        ASSERT_TRUE(first.Prepare(error)) << error;
        std::filesystem::remove(first.WriteFilterToolPath());
    }
    std::filesystem::remove(path / "D" / "data" / "WAVE0002.FSD");
    InstrumentRoot again(path.string());
    ASSERT_TRUE(again.Prepare(error)) << error;
    EXPECT_FALSE(again.CreatedSamples());
    EXPECT_FALSE(std::filesystem::exists(path / "D" / "data" / "WAVE0002.FSD"));
    auto status = std::filesystem::status(again.WriteFilterToolPath());
    EXPECT_TRUE(std::filesystem::is_regular_file(status));
    EXPECT_NE(status.permissions() & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    std::ofstream(again.WriteFilterToolPath(), std::ios::trunc) << "#!/bin/sh\nexit 3\n";
    InstrumentRoot third(path.string());
    ASSERT_TRUE(third.Prepare(error)) << error;
    std::ifstream kept(third.WriteFilterToolPath());
    std::string line;
    std::getline(kept, line);
    std::getline(kept, line);
    EXPECT_EQ(line, "exit 3");
}

}  // namespace
