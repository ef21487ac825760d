// The playback screen and the requests that ask about it: whether a path is
// the file in playback, and closing it (also when the instrument refuses).
#include "PlaybackScreen.h"

#include "AppTestSupport.h"
#include "HostReceiver.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class PlaybackScreenTest : public app_testing::ReceiverTest {
protected:
    void SetUp() override
    {
        fs::create_directories(root / "D" / "data" / "sub");
        std::ofstream(root / "D" / "data" / "WAVE0001.FSD") << "x";
        std::ofstream(root / "D" / "data" / "WAVE0002.FSD") << "x";
    }
    void SetPlayback(const std::wstring& path, bool closes = true)
    {
        InstrumentProfile::Modify([&](InstrumentProfile& profile) {
            profile.playbackFile = path;
            profile.playbackCloseSucceeds = closes;
        });
    }
};

TEST_F(PlaybackScreenTest, ByDefaultNothingIsInPlayback)
{
    EXPECT_FALSE(PlaybackScreen::IsOpen());
    EXPECT_EQ(Send(DLGREQ_QUERY_PLAYBACK).Byte(16), 0);
    EXPECT_EQ(SendPath(DLGREQ_IS_PLAYBACK_FILE, L"D:\\data\\WAVE0001.FSD").Byte(16), 0);
    // Closing an empty screen leaves it empty: that is a success.
    EXPECT_EQ(Send(DLGREQ_CLOSE_PLAYBACK).Byte(12), 1);
    EXPECT_EQ(persisted, 0);
}

TEST_F(PlaybackScreenTest, TheFileInPlaybackOrAFolderAboveItIsRecognisedHoweverItIsSpelled)
{
    SetPlayback(L"D:\\data\\WAVE0001.FSD");
    for (const wchar_t* same : {L"D:\\data\\WAVE0001.FSD", L"d:/DATA/wave0001.fsd", L"D:\\data\\sub\\..\\WAVE0001.FSD",
                                L"D:\\data\\.\\WAVE0001.FSD", L"D:\\data\\", L"d:\\DATA", L"D:\\"})
        EXPECT_EQ(SendPath(DLGREQ_IS_PLAYBACK_FILE, same).Byte(16), 1) << fs::path(same).string();
    for (const wchar_t* other : {L"D:\\data\\WAVE0002.FSD", L"D:\\data\\WAVE0001.FSD.bak", L"D:\\dat", L"D:\\data\\WAVE",
                                 L"E:\\data\\WAVE0001.FSD", L""})
        EXPECT_EQ(SendPath(DLGREQ_IS_PLAYBACK_FILE, other).Byte(16), 0) << fs::path(other).string();
    EXPECT_EQ(Send(DLGREQ_IS_PLAYBACK_FILE).Byte(16), 0);  // no path at all
    EXPECT_EQ(Send(DLGREQ_QUERY_PLAYBACK).Byte(16), 1);
}

TEST_F(PlaybackScreenTest, AnInstrumentThatCannotCloseKeepsTheFile)
{
    SetPlayback(L"D:\\data\\WAVE0001.FSD", false);
    EXPECT_EQ(Send(DLGREQ_CLOSE_PLAYBACK).Byte(12), 0);
    EXPECT_EQ(PlaybackScreen::OpenFile(), L"D:\\data\\WAVE0001.FSD");
    EXPECT_EQ(persisted, 0);
    EXPECT_EQ(log.Since(0).size(), 1u);
    EXPECT_EQ(LastNote(), L"refused: the playback screen keeps D:\\data\\WAVE0001.FSD");
}

}  // namespace
