// The RS-232C and LAN settings dialogs, opened from the communication page.
#include "pages/comm/CommTestSupport.h"

#include "core/DlgRequest.h"
#include "host/devices/NetConfig.h"
#include "host/dialogs/CNumKeyDlg.h"
#include "host/dialogs/CSelectorDlg.h"
#include "host/dialogs/CSoftKeybordDlg.h"

#include <cstring>

namespace {

using namespace comm_test;

const std::vector<int> kRS232CButtons = {17040, 17041, 17042, 17043, 17044, 17045, 17046, 17047, 17048,
                                         17026, 17050, 17051, 17052, 17053, 17054, 17055, 17056};

bool SameBlock(const T_CONFIG_COMM& a, const T_CONFIG_COMM& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(CommTest, RS232CShowsTheBlockAndCancelKeepsIt)
{
    host.comm = T_CONFIG_COMM{false, {}, COMM_PORT_LAN, 1, 5000, 9600, 7, 2, 2, 2, false, false, false, 0};
    const T_CONFIG_COMM before = host.comm;
    ScriptedOperator script;
    OpenTab(script);
    std::wstring summary;
    script.Do(IDD_SYSTEM, "the summary", [&](HWND window) { summary = ControlText(window, IDC_RS232C_SUMMARY); });
    script.Tap(IDD_SYSTEM, IDC_BUTTON_RS232C);
    script.Do(IDD_RS232C, "9600, 7, 2, even, XON/XOFF, CR and 5 s", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"RS232C設定");
        EXPECT_EQ(Latches(window, kRS232CButtons), L"00100" L"01" L"01" L"001" L"01" L"010");
        EXPECT_EQ(ControlText(window, IDC_STATIC_TIMEOUT), L"5s");
    });
    for (int id : {17044, 17045, 17047, 17026, 17052, 17054})
        script.Tap(IDD_RS232C, id);
    EnterSeconds(script, L"30");
    script.Do(IDD_RS232C, "every row changed", [&](HWND window) {
        EXPECT_EQ(Latches(window, kRS232CButtons), L"00001" L"10" L"10" L"100" L"10" L"100");
        EXPECT_EQ(ControlText(window, IDC_STATIC_TIMEOUT), L"30s");
    });
    script.Tap(IDD_RS232C, IDCANCEL);
    script.Do(IDD_SYSTEM, "the summary as it was", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_RS232C_SUMMARY), summary);
    });
    Run(script);
    EXPECT_TRUE(SameBlock(host.comm, before));
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(CommTest, RS232COkStoresTheRowsTheTimeoutAndALineFeedForAnUnknownDelimiter)
{
    host.comm.dwDelimiter = 0;
    host.comm.dwFlowControl = 0;
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_RS232C);
    script.Do(IDD_RS232C, "no delimiter and no flow control shown", [&](HWND window) {
        EXPECT_EQ(Latches(window, {17052, 17053, 17054, 17055, 17056}), L"00000");
    });
    script.Tap(IDD_RS232C, 17043);
    EnterSeconds(script, L"2.5");
    ExpectText(script, IDD_RS232C, IDC_STATIC_TIMEOUT, L"2s");  // 2.5 s shown in whole seconds
    script.Tap(0, IDC_HAND_TIMEOUT);
    script.Do(IDD_NUMKEY, "the pad starts from the kept time-out", [&](HWND pad) {
        EXPECT_EQ(ControlText(pad, CNumKeyDlg::kDisplayId), L"10");
        win::Tap(FindControl(pad, IDCANCEL));
    });
    script.Tap(IDD_RS232C, IDOK);
    ExpectText(script, IDD_SYSTEM, IDC_RS232C_SUMMARY, L"19200bps, 8bits, stop1, NONE Parity\nLF, Time out = 2s");
    Run(script);
    EXPECT_EQ(std::tuple(host.comm.dwDelimiter, host.comm.dwTimeout, host.comm.dwBaudRate, host.comm.dwFlowControl),
              std::tuple(2u, 2500u, 19200u, 0u));
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_COMM});
}

TEST_F(CommTest, TimeoutsAreKeptInWholeMilliseconds)
{
    for (auto [typed, stored] : {std::pair{L"4.1", 4100u}, {L"0.5", 500u}, {L"60", 60000u}, {L"0.0019", 1u}}) {
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_RS232C);
        EnterSeconds(script, typed);
        script.Tap(IDD_RS232C, IDOK);
        Run(script);
        EXPECT_EQ(host.comm.dwTimeout, stored) << win::WideToUtf8(typed);
    }
}

// LAN settings.

class LanTest : public CommTest {
protected:
    void UseAdapter(bool dhcp, int result)
    {
        profile.Change([=](InstrumentProfile& instrument) {
            instrument.network = {dhcp, 0xC0A80064, 0xFFFFFF00, 0xC0A80001, result};
        });
    }
    // Clears the address keyboard of field `index`, types `text` and confirms.
    static void TypeAddress(ScriptedOperator& script, int index, const std::wstring& text)
    {
        script.Tap(IDD_LAN, IDC_HAND_ADDRESS + index)
            .Tap(IDD_KEYBOARD, CSoftKeybordDlg::kClearId)
            .Type(IDD_KEYBOARD, text)
            .Tap(IDD_KEYBOARD, IDOK);
    }
    static std::wstring Addresses(HWND window)
    {
        return ControlText(window, 17094) + L" " + ControlText(window, 17095) + L" " + ControlText(window, 17096);
    }
};

TEST_F(LanTest, DhcpSetsTheAddressesAsideAndOkAsksForIt)
{
    UseAdapter(true, 1);
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_LAN);
    script.Do(IDD_LAN, "the lease, disabled", [&](HWND window) {
        EXPECT_EQ(Addresses(window), L"192.168.0.100 255.255.255.0 192.168.0.1");
        EXPECT_EQ(Latches(window, {IDC_CHECK_DHCP}), L"1");
        for (int id : {17094, 17095, 17096, 17040, 17041, 17042})
            EXPECT_FALSE(Enabled(window, id)) << id;
    });
    script.Tap(IDD_LAN, IDC_CHECK_DHCP);
    script.Do(IDD_LAN, "enabled with the same values", [&](HWND window) {
        EXPECT_EQ(Addresses(window), L"192.168.0.100 255.255.255.0 192.168.0.1");
        EXPECT_TRUE(Enabled(window, 17094) && Enabled(window, 17040));
    });
    TypeAddress(script, 0, L"10.0.0.5");
    script.Tap(IDD_LAN, IDC_CHECK_DHCP);
    script.Tap(IDD_LAN, IDOK);
    Run(script);
    const CNetConfig::Request request = CNetConfig::GetLastRequest();
    EXPECT_EQ(std::tuple(request.address, request.mask, request.gateway), std::tuple(0u, 0u, 0u));
    EXPECT_TRUE(CNetConfig(-1).IsEnableDHCP());
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_COMM});
}

TEST_F(LanTest, EachApplyOutcomeHasItsNoticeAndIsReported)
{
    // The adapter's answer; an address it refuses; the notice (empty: none).
    struct Case { int result; const wchar_t* address; const wchar_t* notice; DWORD kept; };
    const Case cases[] = {
        {1, L"192.168.000.020", L"", 0xC0A80014},
        {2, L"192.168.0.20", L"LANの設定を反映するには再起動が必要です。", 0xC0A80014},
        {0, L"192.168.0.20", L"LANの設定が異常終了しました。", 0xC0A80064},
        {1, L"192.168.0.255", L"LANの設定が異常終了しました。", 0xC0A80064},
        {1, L"not an address", L"LANの設定が異常終了しました。", 0xC0A80064},
    };
    for (const Case& c : cases) {
        UseAdapter(false, c.result);
        host.comm.dwDelimiter = 0;
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_LAN);
        ExpectText(script, IDD_LAN, IDC_STATIC_DELIMITER, L"LF");  // a delimiter of 0 opens as LF
        TypeAddress(script, 0, c.address);
        script.Do(IDD_LAN, "shown as typed", [&](HWND window) { EXPECT_EQ(ControlText(window, 17094), c.address); });
        EnterSeconds(script, L"0.5");
        script.Do(IDD_LAN, "half a second", [&](HWND window) { EXPECT_EQ(ControlText(window, 17098), L"0s"); });
        script.Tap(IDD_LAN, IDOK);
        if (*c.notice)
            AnswerPopup(script, L"LAN設定変更", c.notice, IDOK);
        script.Do(IDD_SYSTEM, "the summary reads the adapter", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_LAN_SUMMARY),
                      L"DHCP Disable\nADDR=" + CNetConfig::AddrToString(c.kept).GetStdString() +
                          L"  MASK=255.255.255.0\nGW  =192.168.0.1");
        });
        Run(script);
        EXPECT_EQ(CNetConfig(-1).GetIPAddress(), c.kept) << win::WideToUtf8(c.address);
        EXPECT_EQ(std::pair(host.comm.dwDelimiter, host.comm.dwTimeout), std::pair(2u, 500u));
        EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_COMM});
    }
}

TEST_F(LanTest, CancelLeavesTheAdapterAndTheBlock)
{
    UseAdapter(false, 1);
    const T_CONFIG_COMM before = host.comm;
    const int requests = CNetConfig::GetSetConfigCount();
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_LAN);
    for (int index = 0; index < 3; ++index)
        TypeAddress(script, index, L"10.0.0." + std::to_wstring(index + 1));
    script.Tap(IDD_LAN, IDC_HAND_DELIMITER).Tap(IDD_SELECTOR, CSelectorDlg::kFirstItemId).Tap(IDD_SELECTOR, IDOK);
    script.Do(IDD_LAN, "CR chosen", [&](HWND window) { EXPECT_EQ(ControlText(window, IDC_STATIC_DELIMITER), L"CR"); });
    EnterSeconds(script, L"7");
    script.Tap(IDD_LAN, IDC_CHECK_DHCP).Tap(IDD_LAN, IDCANCEL);
    Run(script);
    EXPECT_EQ(CNetConfig::GetSetConfigCount(), requests);
    EXPECT_EQ(CNetConfig(-1).GetIPAddress(), 0xC0A80064u);
    EXPECT_TRUE(SameBlock(host.comm, before));
    EXPECT_TRUE(receiver.Requests().empty());
}

}  // namespace
