#include "InstrumentRoot.h"

#include "win/Drives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path / "nested" / "D" / "data")) {
        ++files;
        std::ifstream file(entry.path(), std::ios::binary);
        std::string first;
        std::getline(file, first);
        EXPECT_EQ(first, "SYSDLG-SIM RECORDED DATA 1") << entry.path();
    }
    EXPECT_GE(files, 3);
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
    block.sampleCount = 10;
    block.channels = {{0, WaveformChannel::Shape::Square, 1.0, 100, 5}, {3, WaveformChannel::Shape::Ramp, 1.0, 10, 0}};
    std::string error;
    std::string file = (path / "x.FSD").string();
    ASSERT_TRUE(InstrumentRoot::WriteRecordedData(file, block, error)) << error;
    std::ifstream in(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t data = content.find("data\n");
    ASSERT_NE(data, std::string::npos);
    EXPECT_NE(content.find("channels = 0,3\n"), std::string::npos);
    EXPECT_EQ(content.size() - (data + 5), 10u * 2 * 2);
    // The square wave starts at +amplitude + offset.
    auto first = static_cast<short>(static_cast<unsigned char>(content[data + 5]) |
                                    static_cast<unsigned char>(content[data + 6]) << 8);
    EXPECT_EQ(first, 105);
}

}  // namespace
