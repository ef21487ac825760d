// The byte snapshot of the configuration record and the current-values
// summary built from it.
#include "pages/mode/ConfigSnapshot.h"

#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"
#include "host/InstrumentProfile.h"
#include "tests/harness/HostConfiguration.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using testing_support::HostConfiguration;

std::wstring Text(const CString& text) { return text.GetString(); }

// Slots 1 and 3 fitted (type codes 3 and 7), the rest empty.
class ConfigSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = *InstrumentProfile::Current();
        InstrumentProfile::Modify([](InstrumentProfile& profile) {
            profile.ampTypes.fill(0);
            profile.ampTypes[0] = 3;
            profile.ampTypes[2] = 7;
            profile.ampTypeNames[3] = L"HIGH VOLT";
            profile.ampTypeNames[7] = L"STRAIN";
        });
        host.sysMeas.SetMode(2);
        host.sysRec1->SetFeedLen(25);
        host.sysRec1->SetTotalMemSize(0x800000);
        host.comm.dwPort = COMM_PORT_LAN;
    }
    void TearDown() override { InstrumentProfile::SetCurrent(saved); }

    // The expected summary with the amplifier lines of slots 1 and 3 fitted.
    static std::wstring Expected(const std::wstring& mode, int feed, const std::wstring& memoryLine,
                                 const std::wstring& comm)
    {
        std::wstring text = L"Measure Mode: " + mode + L"\r\nFeed legth: " + std::to_wstring(feed) + L"\r\n";
        for (int slot = 1; slot <= 16; ++slot) {
            wchar_t line[32];
            std::swprintf(line, 32, L"SLOT-%02d %ls\r\n", slot,
                          slot == 1 ? L"HIGH VOLT" : slot == 3 ? L"STRAIN" : L"----");
            text += line;
        }
        return text + memoryLine + L"COMM: " + comm + L"\r\n";
    }

    InstrumentProfile saved;
    HostConfiguration host;
};

TEST_F(ConfigSnapshotTest, CopiesTheFiveObjectsInRecordOrderAtTheirSizes)
{
    std::strcpy(host.currentFolder, "D:\\data");
    host.misc.bMouseCursor = true;
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    const BYTE* bytes = snapshot.Bytes();
    EXPECT_EQ(std::memcmp(bytes + ConfigSnapshot::kSysMeasOffset, &host.sysMeas, 44), 0);
    EXPECT_EQ(std::memcmp(bytes + ConfigSnapshot::kFolderOffset, host.currentFolder, 260), 0);
    EXPECT_EQ(std::memcmp(bytes + ConfigSnapshot::kSysRecOffset, host.sysRec1.get(), 85476), 0);
    EXPECT_EQ(std::memcmp(bytes + ConfigSnapshot::kCommOffset, &host.comm, 40), 0);
    EXPECT_EQ(std::memcmp(bytes + ConfigSnapshot::kMiscOffset, &host.misc, 308), 0);
    EXPECT_EQ(ConfigSnapshot::kSize, 86128u);
}

TEST_F(ConfigSnapshotTest, IsACopyThatLaterChangesDoNotReach)
{
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    host.sysMeas.SetMode(0);
    host.sysRec1->SetFeedLen(99);
    host.comm.dwPort = COMM_PORT_NONE;
    EXPECT_EQ(snapshot.GetMeasureMode(), 2);
    EXPECT_EQ(snapshot.GetFeedLen(), 25u);
    EXPECT_EQ(snapshot.GetCommPort(), COMM_PORT_LAN);
    snapshot.Take(host.record);
    EXPECT_EQ(snapshot.GetMeasureMode(), 0);
    EXPECT_EQ(snapshot.GetFeedLen(), 99u);
}

TEST_F(ConfigSnapshotTest, NullMembersReadAsZeros)
{
    host.record.pSysMeas = nullptr;
    host.record.pSysRec1 = nullptr;
    host.record.pComm = nullptr;
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    EXPECT_EQ(snapshot.GetMeasureMode(), 0);
    EXPECT_EQ(snapshot.GetFeedLen(), 0u);
    EXPECT_EQ(snapshot.GetCommPort(), 0u);
}

TEST_F(ConfigSnapshotTest, SummaryCountsOnlyChannelsWhoseSlotIsFitted)
{
    // Channels 1, 2 and 3 and a stray bit 20 in use; only 1 and 3 are fitted.
    host.sysRec1->SetUseChanMask(0x7 | (1u << 20));
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    EXPECT_EQ(Text(snapshot.BuildSummary()),
              Expected(L"HD RECORDER", 25, L"Memory size: 2097152 W/CH\r\n", L"LAN"));
}

TEST_F(ConfigSnapshotTest, SummaryLeavesTheMemoryLineOutWithoutAFittedChannel)
{
    host.sysRec1->SetUseChanMask(0x2 | 0x8);  // slots 2 and 4 are empty
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    EXPECT_EQ(Text(snapshot.BuildSummary()), Expected(L"HD RECORDER", 25, L"", L"LAN"));
}

TEST_F(ConfigSnapshotTest, SummaryNamesEveryModeAndPort)
{
    const wchar_t* modes[] = {L"PEN RECORDER", L"MEMORY RECORDER", L"HD RECORDER", L"MULTI RECORDER",
                              L"X-Y RECORDER"};
    const wchar_t* ports[] = {L"NONE", L"RS-232C", L"LAN"};
    host.sysRec1->SetUseChanMask(0x1);
    for (int mode = 0; mode < 5; ++mode) {
        host.sysMeas.SetMode(mode);
        host.comm.dwPort = static_cast<DWORD>(mode % 3);
        ConfigSnapshot snapshot;
        snapshot.Take(host.record);
        EXPECT_EQ(Text(snapshot.BuildSummary()),
                  Expected(modes[mode], 25, L"Memory size: 4194304 W/CH\r\n", ports[mode % 3]))
            << "mode " << mode;
    }
}

TEST_F(ConfigSnapshotTest, UnknownModeAndPortShowDashesInsteadOfReadingPastTheNames)
{
    host.sysMeas.SetMode(7);
    host.comm.dwPort = 9;
    host.sysRec1->SetUseChanMask(0);
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    EXPECT_EQ(Text(snapshot.BuildSummary()), Expected(L"----", 25, L"", L"----"));
}

}  // namespace
