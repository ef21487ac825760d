#include "HostReceiver.h"

#include "AppTestSupport.h"
#include "SettingsFile.h"
#include "host/devices/NetConfig.h"

#include <gtest/gtest.h>

namespace {

class HostReceiverTest : public app_testing::ReceiverTest {
protected:
    void SetUp() override { std::filesystem::create_directories(root / "D" / "data"); }
};

TEST_F(HostReceiverTest, SettingChangedPersistsAndIsLoggedWithTheFlagName)
{
    Send(DLGREQ_SETTING_CHANGED, [](T_DLG_REQUEST& request) { request.SetWord(12, CHG_COMM); });
    EXPECT_EQ(persisted, 1);
    auto entries = log.Since(0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, L"DLGREQ_SETTING_CHANGED");
    ASSERT_FALSE(entries[0].fields.empty());
    EXPECT_NE(entries[0].fields[0].value.find(L"CHG_COMM"), std::wstring::npos);
}

TEST_F(HostReceiverTest, SaveThenLoadRestoresTheSettings)
{
    state.Comm().dwBaudRate = 38400;
    state.SysMeas().SetMode(2);
    EXPECT_EQ(SendPath(DLGREQ_SAVE_SETTINGS, L"D:\\data\\NewEnv.env").Byte(16), 1);
    EXPECT_EQ(app_testing::Listing(root / "D" / "data"), "NewEnv.env") << "no temporary file is left";
    EXPECT_EQ(SendPath(DLGREQ_SAVE_SETTINGS, L"D:\\no such folder\\a.env").Byte(16), 0);
    std::filesystem::create_directories(root / "D" / "data" / "busy.env" / "inside");  // a folder in the way
    EXPECT_EQ(SendPath(DLGREQ_SAVE_SETTINGS, L"D:\\data\\busy.env").Byte(16), 0);

    state.Comm().dwBaudRate = 2400;
    state.SysMeas().SetMode(0);
    EXPECT_EQ(SendPath(DLGREQ_LOAD_SETTINGS, L"d:/DATA/newenv.ENV").Byte(16), 1);
    EXPECT_EQ(state.Comm().dwBaudRate, 38400u);
    EXPECT_EQ(state.SysMeas().GetMode(), 2);
    EXPECT_EQ(persisted, 1);  // the load is kept; the save changed nothing of the host's
    auto entries = log.Since(0);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[3].name, L"DLGREQ_LOAD_SETTINGS");
    // A name of 250 bytes, near the file system's limit: the temporary beside it fits too.
    const std::wstring longName = L"D:\\data\\" + std::wstring(82, L'環') + L".env";
    EXPECT_EQ(SendPath(DLGREQ_SAVE_SETTINGS, longName.c_str()).Byte(16), 1);
    // 262 bytes: the file system refuses the name, and the save reports it failed.
    EXPECT_EQ(SendPath(DLGREQ_SAVE_SETTINGS, (longName.substr(0, 90) + L"環環環環.env").c_str()).Byte(16), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "D" / "data"), {}), 3) << "two files, busy.env";
}

TEST_F(HostReceiverTest, ADamagedSettingsFileIsRefusedAndChangesNothing)
{
    std::string text = SettingsFile::Write(state);
    std::ofstream(root / "D" / "data" / "cut.env") << text.substr(0, text.size() / 2);
    std::ofstream(root / "D" / "data" / "noise.env") << "\x7f\x45\x4c\x46 not settings";
    state.Misc().dwAutoOffDelay = 42;
    for (const wchar_t* path : {L"D:\\data\\cut.env", L"D:\\data\\noise.env", L"D:\\data\\missing.env",
                                L"Q:\\nowhere.env", L"D:\\..\\..\\etc\\passwd", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(SendPath(DLGREQ_LOAD_SETTINGS, path).Byte(16), 0) << (path ? path : L"no path");
    EXPECT_EQ(state.Misc().dwAutoOffDelay, 42u);
    EXPECT_EQ(persisted, 0);
}

TEST_F(HostReceiverTest, InitializeResetsTheChosenGroupsAndAnswers)
{
    state.SysMeas().SetMode(4);
    state.Comm().dwBaudRate = 2400;
    state.SysRec1().SetAnnotationText(3, L"注釈");
    // Annotations only.
    T_DLG_REQUEST request = Send(DLGREQ_INITIALIZE, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x4); });
    EXPECT_EQ(request.Word(16), 0x4u);
    EXPECT_EQ(request.Word(20), 0u);
    EXPECT_EQ(request.Byte(24), 0);
    EXPECT_TRUE(state.SysRec1().GetAnnotationText(3).IsEmpty());
    EXPECT_EQ(state.SysMeas().GetMode(), 4);
    EXPECT_EQ(state.Comm().dwBaudRate, 2400u);

    T_DLG_REQUEST all = Send(DLGREQ_INITIALIZE, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x1); });
    EXPECT_EQ(all.Word(16), 0x1u);
    EXPECT_EQ(all.Byte(24), 1);
    EXPECT_EQ(state.SysMeas().GetMode(), 0);
    EXPECT_EQ(state.Comm().dwBaudRate, HostState::DefaultComm().dwBaudRate);

    InstrumentProfile::Modify([](InstrumentProfile& profile) {
        profile.memoryBlocks.resize(2);
        profile.memoryBlocks[0].enabled = true;
        profile.memoryBlocks[0].sampleCount = 100;
    });
    // Bits above the four items are not items.
    T_DLG_REQUEST memory = Send(DLGREQ_INITIALIZE, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x8 | 0x30); });
    EXPECT_EQ(memory.Word(16), 0x8u);
    EXPECT_EQ(memory.Byte(24), 0);
    for (const MemoryBlockProfile& block : InstrumentProfile::Current()->memoryBlocks)
        EXPECT_FALSE(block.enabled);
    EXPECT_EQ(persisted, 3);
}

TEST_F(HostReceiverTest, InitializeOfTheCommunicationSetsTheAdapterToDhcpAndReportsAFailure)
{
    InstrumentProfile::Modify([](InstrumentProfile& profile) {
        profile.network.dhcp = false;
        profile.network.address = 0xC0A8000A;
        profile.network.mask = 0xFFFFFF00;
        profile.network.setConfigResult = 2;
    });
    int before = CNetConfig::GetSetConfigCount();
    T_DLG_REQUEST request = Send(DLGREQ_INITIALIZE, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x2); });
    EXPECT_EQ(request.Word(20), 0u);
    EXPECT_EQ(CNetConfig::GetSetConfigCount(), before + 1);
    EXPECT_TRUE(CNetConfig(-1).IsEnableDHCP());

    InstrumentProfile::Modify([](InstrumentProfile& profile) { profile.network.setConfigResult = 0; });
    T_DLG_REQUEST failing = Send(DLGREQ_INITIALIZE, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x2); });
    EXPECT_EQ(failing.Word(16), 0x2u);
    EXPECT_EQ(failing.Word(20), HostReceiver::kNetworkError);
    EXPECT_EQ(failing.Byte(24), 1);
    EXPECT_EQ(CNetConfig::GetLastRequest().result, 0);
}

TEST_F(HostReceiverTest, EndingsAreCarriedOutAfterTheDialogAndTakenOnce)
{
    int closed = 0;
    receiver.SetDialogCloser([&closed] { ++closed; });
    Send(DLGREQ_RESTART);
    EXPECT_EQ(closed, 1) << "a restart closes the running dialog";
    EXPECT_EQ(receiver.TakeEnding(), HostReceiver::Ending::Restart);
    EXPECT_EQ(receiver.TakeEnding(), HostReceiver::Ending::None);

    Send(DLGREQ_SHUTDOWN, [](T_DLG_REQUEST& r) { r.SetWord(12, 1); r.SetByte(16, 1); });
    EXPECT_EQ(receiver.TakeEnding(), HostReceiver::Ending::Shutdown);
    EXPECT_TRUE(receiver.ShutdownSkipsMemorySave());

    Send(DLGREQ_APP_EXIT, [](T_DLG_REQUEST& r) { r.SetByte(16, 1); });
    EXPECT_EQ(receiver.TakeEnding(), HostReceiver::Ending::AppExit);
    EXPECT_EQ(closed, 1);
}

TEST_F(HostReceiverTest, AnUnknownKindIsLoggedAndAnsweredNo)
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_KIND_COUNT);
    request.SetPointer(12, L"D:\\data\\WAVE0001.FSD");
    T_DLG_REQUEST before = request;
    receiver.OnDLGRequest(&request, 1);
    for (std::size_t word = 0; word < T_DLG_REQUEST::kWordCount; ++word)
        EXPECT_EQ(request.words[word], before.words[word]) << "word " << word;
    auto entries = log.Since(0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, DLGREQ_KIND_COUNT);
    EXPECT_EQ(persisted, 0);
    EXPECT_EQ(receiver.PeekEnding(), HostReceiver::Ending::None);
}

}  // namespace
