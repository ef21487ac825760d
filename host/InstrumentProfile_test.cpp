#include "host/InstrumentProfile.h"
#include "host/CurrentProfileScope_test.h"
#include "host/ProfileFile.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cstdio>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

std::string WriteTemporaryFile(const std::string& content)
{
    char name[] = "/tmp/profile_test_XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    close(fd);
    std::ofstream(name, std::ios::binary) << content;
    return name;
}

} // namespace

TEST(ProfileFile, GoodFileSetsEveryKindOfValue)
{
    const std::string text = "\xEF\xBB\xBF# a test instrument\n"
                             "product.id = 1234\r\n"
                             "product.pw7200 = yes\n"
                             "main.version = 3,1,101,25\n"
                             "main.text = abc\\sdef\\n\n"
                             "driver.mlcu = 0x10,0x0A\n"
                             "subcpu.flcu = 1,2,0x0304,128\n"
                             "amp.slot.15 = 7\n"
                             "amp.name.7 = 加速度\n"
                             "interface.gps = on\n"
                             "network.dhcp = 1\n"
                             "network.address = 10.0.0.5\n"
                             "memory.block.5.enabled = 1\n"
                             "memory.blocks = 6\n"
                             "memory.block.5.start = 2024/02/29 23:59:59\n"
                             "memory.block.5.channel.3 = triangle,2.5,300,-20\n"
                             "printer.fail_at = pattern\n"
                             "playback.file = D:\\\\data\\\\a.FSD\n";
    InstrumentProfile profile = InstrumentProfile::Default();
    std::string error;
    ASSERT_TRUE(ProfileFile::Parse(text, profile, error)) << error;
    EXPECT_EQ(std::make_tuple(profile.productId, profile.pw7200, profile.mainProgram.revision),
              std::make_tuple(1234u, true, 101));
    EXPECT_EQ(profile.mainProgram.text, L"abc def\n");
    EXPECT_EQ(std::make_tuple(profile.mlcuDriver.major, profile.mlcuDriver.minor, profile.flcu.hardware,
                              profile.flcu.ramMegabytes),
              std::make_tuple(0x10u, 0x0Au, 0x0304u, 128u));
    EXPECT_EQ(profile.ampTypes[15], 7);
    EXPECT_EQ(profile.ampTypeNames[7], L"加速度");
    EXPECT_EQ(std::make_tuple(profile.interfaces.gps, profile.network.dhcp, profile.network.address),
              std::make_tuple(true, true, 0x0A000005u));
    ASSERT_EQ(profile.memoryBlocks.size(), 6u);
    const auto& block = profile.memoryBlocks[5];
    EXPECT_EQ(std::make_tuple(block.enabled, block.start.wYear, block.start.wDay), std::make_tuple(true, 2024, 29));
    ASSERT_EQ(block.channels.size(), 1u);
    const WaveformChannel& channel = block.channels[0];
    EXPECT_EQ(std::make_tuple(channel.slot, channel.shape, channel.frequencyHz, channel.offset),
              std::make_tuple(3, WaveformChannel::Shape::Triangle, 2.5, -20));
    EXPECT_EQ(profile.printer.failAt, PrinterFailurePoint::Pattern);
    EXPECT_EQ(profile.playbackFile, L"D:\\data\\a.FSD");
}

TEST(ProfileFile, PartialFileKeepsDefaultsForKeysNotGiven)
{
    InstrumentProfile profile = InstrumentProfile::Default();
    InstrumentProfile expected = InstrumentProfile::Default();
    expected.exportLibrary = false;
    std::string error;
    ASSERT_TRUE(ProfileFile::Parse("export.library = 0\n", profile, error)) << error;
    EXPECT_EQ(ProfileFile::Write(profile), ProfileFile::Write(expected));
}

TEST(ProfileFile, BadInputIsRejectedWithTheLineAndNothingApplied)
{
    struct Case {
        const char* text;
        const char* expectedFault;
    };
    const Case cases[] = {
        {"product.id = 1\nno equals sign here\n", "line 2: expected key = value"},
        {"product.id = 1\nproduct.id = 2\n", "line 2: key 'product.id' given twice"},
        {"\nproduct.colour = red\n", "line 2: unknown key 'product.colour'"},
        {"product.id = 12345678\n", "line 1: bad value"},
        {"product.pw7200 = maybe\n", "line 1: bad value"},
        {"network.address = 192.168.0\n", "line 1: bad value"},
        {"network.address = 192.168.0.256\n", "line 1: bad value"},
        {"amp.slot.16 = 1\n", "line 1: unknown key"},
        {"amp.slot.3 = 256\n", "line 1: bad value"},
        {"memory.block.9.enabled = 1\n", "line 1: bad value"},
        {"memory.block.0.start = 2023/02/29 00:00:00\n", "line 1: bad value"},
        {"memory.block.0.channel.2 = saw,1,1\n", "line 1: bad value"},
        {"memory.block.0.samples = -1\n", "line 1: bad value"},
        {"memory.blocks = 999\n", "line 1: memory.blocks must be"},
        {"main.text = bad\\q\n", "line 1: bad value"},
        {"printer.fail_at = sometimes\n", "line 1: bad value"},
        {"main.version = 1,2,3\n", "line 1: bad value"},
        {"main.text = \xC3\x28\n", "not valid UTF-8"},
    };
    for (const auto& c : cases) {
        InstrumentProfile profile = InstrumentProfile::Default();
        profile.productId = 77;
        std::string error;
        EXPECT_FALSE(ProfileFile::Parse(c.text, profile, error))
            << c.text;
        EXPECT_NE(error.find(c.expectedFault), std::string::npos) << c.text << " gave: " << error;
        EXPECT_EQ(profile.productId, 77u) << c.text;
    }
}

TEST(ProfileFile, WriteThenParseGivesBackTheSameProfile)
{
    InstrumentProfile original = InstrumentProfile::Default();
    original.mainProgram.text = L"  padded\ttext\\ \n";
    original.ampTypeNames.erase(7);
    original.memoryBlocks[0].channels.erase(original.memoryBlocks[0].channels.begin());
    original.memoryBlocks[1].channels[0].frequencyHz = 0.1;
    original.printer.failAt = PrinterFailurePoint::DataChart;
    original.network.mask = 0xFFFF0000;

    // Parsed over the default, which still has the name and the channel
    // that were removed above.
    InstrumentProfile parsed = InstrumentProfile::Default();
    std::string error;
    ASSERT_TRUE(ProfileFile::Parse(ProfileFile::Write(original), parsed, error)) << error;
    EXPECT_EQ(ProfileFile::Write(parsed), ProfileFile::Write(original));
    EXPECT_EQ(parsed.mainProgram.text, original.mainProgram.text) << "the text is not cut or unescaped on the way";
}

TEST(InstrumentProfile, LoadFromFileReadsAFileAndReportsMissingOrBadOnes)
{
    const std::string good = WriteTemporaryFile("product.id = 42\n");
    InstrumentProfile profile;
    profile.productId = 1;
    std::string error;
    ASSERT_TRUE(InstrumentProfile::LoadFromFile(good, profile, error)) << error;
    EXPECT_EQ(profile.productId, 42u);
    // Keys not in the file come from the built-in default, not from `profile`.
    EXPECT_EQ(profile.memoryBlocks.size(), InstrumentProfile::Default().memoryBlocks.size());

    const std::string bad = WriteTemporaryFile("product.id = 42\nproduct.id = 43\n");
    EXPECT_FALSE(InstrumentProfile::LoadFromFile(bad, profile, error));
    EXPECT_NE(error.find(bad + ": line 2"), std::string::npos) << error;

    EXPECT_FALSE(InstrumentProfile::LoadFromFile("/nonexistent/profile.txt", profile, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    EXPECT_EQ(profile.productId, 42u);
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

TEST(InstrumentProfile, ConcurrentModifyLosesNoUpdate)
{
    CurrentProfileScope scope;
    InstrumentProfile::Modify([](InstrumentProfile& p) { p.usbEjectResult = 0; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 250; ++i) {
                InstrumentProfile::Modify([](InstrumentProfile& p) { ++p.usbEjectResult; });
                (void)InstrumentProfile::Current()->productId;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(InstrumentProfile::Current()->usbEjectResult, 1000);
}
