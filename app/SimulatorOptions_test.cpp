#include "SimulatorOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SimulatorOptions, DefaultsWithoutArguments)
{
    SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(SimulatorOptions::Parse({}, options, error));
    EXPECT_EQ(options.root, "./instrument");
    EXPECT_EQ(options.port, 8080);
    EXPECT_EQ(options.listen, "127.0.0.1");
    EXPECT_TRUE(options.profile.empty());
    EXPECT_TRUE(options.language.empty());
}

TEST(SimulatorOptions, BothSpellingsOfEveryFlag)
{
    SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(SimulatorOptions::Parse({"--root", "/tmp/r", "--port=0", "--profile=p.txt", "--listen", "0.0.0.0",
                                         "--lang=en"},
                                        options, error))
        << error;
    EXPECT_EQ(options.root, "/tmp/r");
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.profile, "p.txt");
    EXPECT_EQ(options.listen, "0.0.0.0");
    EXPECT_EQ(options.language, "en");
}

TEST(SimulatorOptions, BadArgumentsAreNamedAndChangeNothing)
{
    SimulatorOptions options;
    options.port = 1234;
    std::string error;
    for (auto arguments : std::vector<std::vector<std::string>>{
             {"--port", "65536"}, {"--port", "-1"}, {"--port", "80x"}, {"--port"}, {"--colour"},
             {"--root", ""}, {"--root=/a", "extra"}, {"--listen="}, {"--lang", "de"}, {"--lang="}}) {
        error.clear();
        EXPECT_FALSE(SimulatorOptions::Parse(arguments, options, error)) << arguments.front();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(options.port, 1234);
    }
}

TEST(SimulatorOptions, LoopbackAddresses)
{
    EXPECT_TRUE(SimulatorOptions::IsLoopbackAddress("127.0.0.1"));
    EXPECT_TRUE(SimulatorOptions::IsLoopbackAddress("127.1.2.3"));
    EXPECT_TRUE(SimulatorOptions::IsLoopbackAddress("::1"));
    EXPECT_TRUE(SimulatorOptions::IsLoopbackAddress("localhost"));
    EXPECT_FALSE(SimulatorOptions::IsLoopbackAddress("0.0.0.0"));
    EXPECT_FALSE(SimulatorOptions::IsLoopbackAddress("192.168.1.5"));
    EXPECT_FALSE(SimulatorOptions::IsLoopbackAddress("::"));
}

}  // namespace
