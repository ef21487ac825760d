#include "SettingsFile.h"

#include "host/ConfigText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// Every block and object of a state, byte for byte (the objects' change
// bookkeeping in CONFIG_BASE aside).
bool SameState(const HostState& a, const HostState& b)
{
    auto paramsA = a.SysRec1().GetParams(), paramsB = b.SysRec1().GetParams();
    auto params2A = a.SysRec2().GetParams(), params2B = b.SysRec2().GetParams();
    bool sysMeas = a.SysMeas().GetMode() == b.SysMeas().GetMode() && a.SysMeas().GetStartup() == b.SysMeas().GetStartup();
    for (int i = 0; i < CONFIG_SYSMEAS::kReservedWords; ++i)
        sysMeas = sysMeas && a.SysMeas().GetReserved(i) == b.SysMeas().GetReserved(i);
    return sysMeas && std::memcmp(&a.Comm(), &b.Comm(), sizeof(T_CONFIG_COMM)) == 0 &&
           std::memcmp(&a.Misc(), &b.Misc(), sizeof(T_CONFIG_MISC)) == 0 &&
           std::memcmp(a.CurrentFolder(), b.CurrentFolder(), CURRENT_FOLDER_SIZE) == 0 &&
           std::memcmp(&paramsA, &paramsB, sizeof paramsA) == 0 &&
           std::memcmp(&params2A, &params2B, sizeof params2A) == 0;
}

// A state with every field the dialog edits moved away from its default.
void Edit(HostState& state)
{
    state.SysMeas().SetMode(3);
    state.SysMeas().SetStartup(false);
    state.SysMeas().SetReserved(2, 0xDEADBEEF);
    std::strcpy(state.CurrentFolder(), "E:\\測定\\データ 1\\");
    CONFIG_SYSREC& rec = state.SysRec1();
    rec.SetUseChanMask(0x3000F);
    rec.SetDataNo(1234);
    rec.SetSync(1);
    rec.SetStartTimer(true);
    rec.SetEvery(2);
    rec.SetInterval(true);
    rec.SetIntervalTime(15);
    rec.SetRunTime(3);
    rec.SetFRecSave(true);
    rec.SetFeedLen(77);
    rec.SetAnnotationText(5, L"注釈 = 5\\n");
    rec.SetSpeedPen(1, SPEED_TABLE{1234, 3, 2});
    state.SysRec2().SetTimeScale(2);
    state.SysRec2().SetGrid(3);
    state.SysRec2().SetSigLabelText(15, 7, L"  signal  ");
    T_CONFIG_COMM& comm = state.Comm();
    comm.bUpsOnRs232c = true;
    comm.dwPort = COMM_PORT_LAN;
    comm.dwDelimiter = 2;
    comm.dwTimeout = 0xFFFFFFFF;
    comm.dwBaudRate = 38400;
    comm.dwDataBits = 7;
    comm.dwStopBits = 2;
    comm.dwParity = 2;
    comm.dwFlowControl = 1;
    comm.bSendOnTrigger = true;
    comm.bSendOnError = true;
    comm.reserved1[1] = 0x5A;
    comm.reserved39 = 0xA5;
    T_CONFIG_MISC& misc = state.Misc();
    misc.bBuzzer = false;
    misc.bDisplayAutoOff = true;
    misc.bKeyLockOnResume = true;
    misc.dwAutoOffDelay = 60;
    misc.bScreenCopyToPaper = false;
    misc.bScreenCopyToFolder = true;
    std::strcpy(misc.szScreenCopyFolder, "\\\\server\\share\\copies\\");
    // A shorter text copied over a longer one leaves the longer one's tail.
    misc.szScreenCopyFolder[200] = 'x';
    state.CurrentFolder()[259] = 'x';
    std::u16string password = u"p@ss 語";
    std::memcpy(misc.szPassword, password.c_str(), (password.size() + 1) * 2);
    misc.szPassword[15] = u'z';
    misc.bNoMemorySaveAtShutdown = true;
    misc.bMaintenanceNextStart = true;
    misc.bMouseCursor = true;
    misc.reserved305[2] = 7;
}

std::string ReplaceChecksum(std::string text)
{
    std::size_t at = text.rfind("\nchecksum = ");
    std::string body = text.substr(0, at + 1);
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "%08x", SettingsFile::Crc32(body));
    std::size_t lineEnd = text.find('\n', at + 1);
    return body + "checksum = " + checksum + text.substr(lineEnd);
}

// Changes a body line and writes a matching checksum, so that only the
// content check can refuse the file.
std::string WithLine(const std::string& text, const std::string& from, const std::string& to)
{
    std::string changed = text;
    std::size_t at = changed.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        changed.replace(at, from.size(), to);
    return ReplaceChecksum(changed);
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Edit(saved);
        text = SettingsFile::Write(saved);
    }

    // The file is refused, and the target state keeps every value.
    void ExpectRefused(const std::string& file)
    {
        HostState target;
        target.SysMeas().SetMode(4);
        target.Misc().dwAutoOffDelay = 33;
        HostState before;
        before.SysMeas().SetMode(4);
        before.Misc().dwAutoOffDelay = 33;
        std::string error;
        EXPECT_FALSE(SettingsFile::Read(file, target, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(SameState(target, before)) << "refused file changed the state: " << error;
    }

    HostState saved;
    std::string text;
};

TEST_F(SettingsFileTest, RoundTripGivesBackEveryField)
{
    HostState loaded;
    ASSERT_FALSE(SameState(loaded, saved));
    std::string error;
    ASSERT_TRUE(SettingsFile::Read(text, loaded, error)) << error;
    EXPECT_TRUE(SameState(loaded, saved));
    EXPECT_EQ(SettingsFile::Write(loaded), text);
    EXPECT_NE(text.find("misc.screen_copy_folder.tail = "), std::string::npos);
}

TEST_F(SettingsFileTest, DefaultStateRoundTrips)
{
    HostState defaults, loaded;
    Edit(loaded);
    std::string error;
    ASSERT_TRUE(SettingsFile::Read(SettingsFile::Write(defaults), loaded, error)) << error;
    EXPECT_TRUE(SameState(loaded, defaults));
}

TEST_F(SettingsFileTest, TruncatedDamagedRandomAndForeignFilesAreRefused)
{
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{40}, text.size() / 3, text.size() / 2,
                               text.size() - 30, text.size() - 2})
        ExpectRefused(text.substr(0, length));

    std::string damaged = text;
    std::size_t at = damaged.find("comm.baud_rate = 38400");
    ASSERT_NE(at, std::string::npos);
    damaged[at + std::strlen("comm.baud_rate = ")] = '1';
    ExpectRefused(damaged);

    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string noise(static_cast<std::size_t>(random() % 4000), '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        ExpectRefused(noise);
    }
    ExpectRefused(text.substr(0, 200) + "\x01\xFF garbage");

    ExpectRefused(ConfigText::Write(saved.SysRec1()));
    ExpectRefused(WithLine(text, "format = SYSDLG-SIM SETTINGS 1", "format = SYSDLG-SIM SETTINGS 2"));
    ExpectRefused("format = SYSDLG-SIM SETTINGS 1\nchecksum = 00000000\nend = SYSDLG-SIM SETTINGS\n");
}

TEST_F(SettingsFileTest, ContentFaultsWithAGoodChecksumAreRefused)
{
    // Sanity: rewriting the checksum alone keeps a file readable.
    HostState probe;
    std::string error;
    ASSERT_TRUE(SettingsFile::Read(ReplaceChecksum(text), probe, error)) << error;

    ExpectRefused(WithLine(text, "comm.port = 2\n", ""));                         // missing key
    ExpectRefused(WithLine(text, "comm.port = 2\n", "comm.port = 2\ncomm.speed = 1\n"));  // unknown key
    ExpectRefused(WithLine(text, "comm.port = 2\n", "comm.port = 4294967296\n"));  // out of range
    ExpectRefused(WithLine(text, "misc.buzzer = 0", "misc.buzzer = maybe"));
    ExpectRefused(WithLine(text, "comm.reserved = 005a00a5", "comm.reserved = 005a00"));
    ExpectRefused(WithLine(text, "misc.password = ", "misc.password = 0123456789abcdef"));  // 16 characters
    ExpectRefused(WithLine(text, "section = CONFIG_SYSREC 2", "section = CONFIG_SYSREC 3"));
    ExpectRefused(WithLine(text, "section = CONFIG_SYSMEAS\n", ""));
    ExpectRefused(WithLine(text, "mode = 3", "mode = three"));                     // inside an object's section
    ExpectRefused(WithLine(text, "folder = E:", "folder = " + std::string(259, 'a') + "E:"));  // longer than its buffer
}

}  // namespace
