// The current-values summary, built from the byte snapshot of the
// configuration record.
#include "pages/mode/ConfigSnapshot.h"

#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"
#include "host/InstrumentProfile.h"
#include "tests/harness/HostConfiguration.h"

#include <gtest/gtest.h>

namespace {

// The summary with amplifiers fitted in slots 1 (HIGH VOLT) and 3 (STRAIN).
std::wstring Expected(const std::wstring& mode, int feed, const std::wstring& memoryLine, const std::wstring& comm)
{
    std::wstring text = L"Measure Mode: " + mode + L"\r\nFeed legth: " + std::to_wstring(feed) + L"\r\n";
    for (int slot = 1; slot <= 16; ++slot) {
        wchar_t line[32];
        std::swprintf(line, 32, L"SLOT-%02d %ls\r\n", slot, slot == 1 ? L"HIGH VOLT" : slot == 3 ? L"STRAIN" : L"----");
        text += line;
    }
    return text + memoryLine + L"COMM: " + comm + L"\r\n";
}

TEST(ConfigSnapshotTest, SummaryNamesModeAndPortAndSharesMemoryAmongFittedChannels)
{
    const InstrumentProfile saved = *InstrumentProfile::Current();
    InstrumentProfile::Modify([](InstrumentProfile& profile) {
        profile.ampTypes.fill(0);
        profile.ampTypes[0] = 3;
        profile.ampTypes[2] = 7;
        profile.ampTypeNames[3] = L"HIGH VOLT";
        profile.ampTypeNames[7] = L"STRAIN";
    });
    struct Row {
        int mode;
        DWORD port, channels;
        std::wstring expected;
    };
    const Row rows[] = {
        // Channels 1, 2 and 3 and a stray bit 20 in use: only 1 and 3 are fitted.
        {2, COMM_PORT_LAN, 0x7 | (1u << 20), Expected(L"HD RECORDER", 25, L"Memory size: 2097152 W/CH\r\n", L"LAN")},
        {0, COMM_PORT_NONE, 0x1, Expected(L"PEN RECORDER", 25, L"Memory size: 4194304 W/CH\r\n", L"NONE")},
        {1, 1, 0x1, Expected(L"MEMORY RECORDER", 25, L"Memory size: 4194304 W/CH\r\n", L"RS-232C")},
        {3, COMM_PORT_LAN, 0x4, Expected(L"MULTI RECORDER", 25, L"Memory size: 4194304 W/CH\r\n", L"LAN")},
        {4, COMM_PORT_NONE, 0x2 | 0x8, Expected(L"X-Y RECORDER", 25, L"", L"NONE")},  // no fitted channel
        {7, 9, 0, Expected(L"----", 25, L"", L"----")},  // unknown values are not read past the names
    };
    for (const Row& row : rows) {
        testing_support::HostConfiguration host;
        host.sysMeas.SetMode(row.mode);
        host.sysRec1->SetFeedLen(25);
        host.sysRec1->SetTotalMemSize(0x800000);
        host.sysRec1->SetUseChanMask(row.channels);
        host.comm.dwPort = row.port;
        ConfigSnapshot snapshot;
        snapshot.Take(host.record);
        host.sysMeas.SetMode(0);  // later changes do not reach the copy
        host.sysRec1->SetFeedLen(99);
        EXPECT_EQ(std::wstring(snapshot.BuildSummary().GetString()), row.expected) << "mode " << row.mode;
    }
    InstrumentProfile::SetCurrent(saved);
}

TEST(ConfigSnapshotTest, NullMembersReadAsZeros)
{
    testing_support::HostConfiguration host;
    host.sysMeas.SetMode(2);
    host.comm.dwPort = COMM_PORT_LAN;
    host.record.pSysMeas = nullptr;
    host.record.pSysRec1 = nullptr;
    host.record.pComm = nullptr;
    ConfigSnapshot snapshot;
    snapshot.Take(host.record);
    EXPECT_EQ(snapshot.GetMeasureMode(), 0);
    EXPECT_EQ(snapshot.GetFeedLen(), 0u);
    EXPECT_EQ(snapshot.GetCommPort(), 0u);
}

}  // namespace
