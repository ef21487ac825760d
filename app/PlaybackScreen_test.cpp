// The playback screen and the requests that ask about it: whether a path is
// the file in playback, and closing it (also when the instrument refuses).
#include "PlaybackScreen.h"

#include "AppTestSupport.h"
#include "HostReceiver.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class PlaybackScreenTest : public ::testing::Test {
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
    T_DLG_REQUEST Send(DWORD kind, const wchar_t* path = nullptr)
    {
        T_DLG_REQUEST request;
        request.Prepare(this, kind);
        if (path)
            request.SetPointer(12, path);
        receiver.OnDLGRequest(&request, 1);
        return request;
    }

    testing_support::TempDataRoot dataRoot;
    app_testing::DefaultInstrument instrument;
    fs::path root{dataRoot.Path()};
    HostState state;
    RequestLog log;
    int persisted = 0;
    HostReceiver receiver{state, log, [this] { ++persisted; }};
};

TEST_F(PlaybackScreenTest, ByDefaultNothingIsInPlayback)
{
    EXPECT_FALSE(PlaybackScreen::IsOpen());
    EXPECT_EQ(Send(DLGREQ_QUERY_PLAYBACK).Byte(16), 0);
    EXPECT_EQ(Send(DLGREQ_IS_PLAYBACK_FILE, L"D:\\data\\WAVE0001.FSD").Byte(16), 0);
    // Closing an empty screen leaves it empty: that is a success.
    EXPECT_EQ(Send(DLGREQ_CLOSE_PLAYBACK).Byte(12), 1);
    EXPECT_EQ(persisted, 0);
}

TEST_F(PlaybackScreenTest, TheFileInPlaybackOrAFolderAboveItIsRecognisedHoweverItIsSpelled)
{
    SetPlayback(L"D:\\data\\WAVE0001.FSD");
    for (const wchar_t* same : {L"D:\\data\\WAVE0001.FSD", L"d:/DATA/wave0001.fsd", L"D:\\data\\sub\\..\\WAVE0001.FSD",
                                L"D:\\data\\.\\WAVE0001.FSD", L"D:\\data\\", L"d:\\DATA", L"D:\\"})
        EXPECT_EQ(Send(DLGREQ_IS_PLAYBACK_FILE, same).Byte(16), 1) << fs::path(same).string();
    for (const wchar_t* other : {L"D:\\data\\WAVE0002.FSD", L"D:\\data\\WAVE0001.FSD.bak", L"D:\\dat", L"D:\\data\\WAVE",
                                 L"E:\\data\\WAVE0001.FSD", L""})
        EXPECT_EQ(Send(DLGREQ_IS_PLAYBACK_FILE, other).Byte(16), 0) << fs::path(other).string();
    EXPECT_EQ(Send(DLGREQ_IS_PLAYBACK_FILE).Byte(16), 0);  // no path at all
    EXPECT_EQ(Send(DLGREQ_QUERY_PLAYBACK).Byte(16), 1);
}

TEST_F(PlaybackScreenTest, AnInstrumentThatCannotCloseKeepsTheFile)
{
    SetPlayback(L"D:\\data\\WAVE0001.FSD", false);
    EXPECT_EQ(Send(DLGREQ_CLOSE_PLAYBACK).Byte(12), 0);
    EXPECT_EQ(PlaybackScreen::OpenFile(), L"D:\\data\\WAVE0001.FSD");
    EXPECT_EQ(persisted, 0);
    auto entries = log.Since(0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].fields.back().name, L"host");
    EXPECT_EQ(entries[0].fields.back().value, L"refused: the playback screen keeps D:\\data\\WAVE0001.FSD");
}

}  // namespace
