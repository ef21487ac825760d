// The communication page inside the system dialog, operated like the operator does.
#include "pages/comm/CommTestSupport.h"

#include "core/DlgRequest.h"

namespace {

using namespace comm_test;

const std::vector<int> kPorts = {IDC_PORT_RS232C, IDC_PORT_LAN, IDC_PORT_NONE};

TEST_F(CommTest, SummariesShowTheBlockAndTheAdapterInTheirFormats)
{
    struct Case { DWORD baud, dataBits, stopBits, parity, flow, delimiter, timeout; const wchar_t* shown; };
    const Case cases[] = {
        {9600, 8, 0, 0, 1, 3, 10000, L"9600bps, 8bits, stop1, NONE Parity\nRTS/CTS, CR+LF, Time out = 10s"},
        {38400, 7, 1, 3, 0, 0, 1999, L"38400bps, 7bits, stop?, ??? Parity\nTime out = 1s"},
        {2400, 8, 2, 1, 2, 1, 999, L"2400bps, 8bits, stop2, ODD Parity\nXON/XOFF, CR, Time out = 0s"},
        {4800, 8, 0, 2, 3, 2, 60000, L"4800bps, 8bits, stop1, EVEN Parity\nLF, Time out = 60s"},
    };
    profile.Change([](InstrumentProfile& instrument) {
        instrument.network = {false, 0xC0A8000A, 0xFFFFFF00, 0, 1};
    });
    for (const Case& c : cases) {
        T_CONFIG_COMM& comm = host.comm;
        comm.dwBaudRate = c.baud, comm.dwDataBits = c.dataBits, comm.dwStopBits = c.stopBits;
        comm.dwParity = c.parity, comm.dwFlowControl = c.flow, comm.dwDelimiter = c.delimiter, comm.dwTimeout = c.timeout;
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "the summaries", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_RS232C_SUMMARY), c.shown);
            EXPECT_EQ(ControlText(window, IDC_LAN_SUMMARY),
                      L"DHCP Disable\nADDR=192.168.0.10  MASK=255.255.255.0\nGW  =0.0.0.0");
        });
        Run(script);
        EXPECT_TRUE(receiver.Requests().empty());
    }
}

TEST_F(CommTest, TheRS232CPortNeedsTheInterfaceAndNoUps)
{
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_PORT_RS232C);
    script.Do(IDD_SYSTEM, "RS-232C chosen", [&](HWND window) {
        EXPECT_EQ(Latches(window, kPorts), L"100");
        EXPECT_EQ(host.comm.dwPort, COMM_PORT_RS232C);
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_UPS);
    script.Do(IDD_SYSTEM, "the UPS takes the port", [&](HWND window) {
        EXPECT_EQ(Latches(window, kPorts), L"001");
        EXPECT_EQ(host.comm.dwPort, COMM_PORT_NONE);
        EXPECT_TRUE(host.comm.bUpsOnRs232c);
        for (int id : {IDC_PORT_RS232C, IDC_RS232C_SUMMARY, IDC_BUTTON_RS232C})
            EXPECT_FALSE(Enabled(window, id)) << id;
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_UPS);
    script.Do(IDD_SYSTEM, "the port is free again but not chosen", [&](HWND window) {
        EXPECT_EQ(Latches(window, kPorts), L"001");
        EXPECT_FALSE(host.comm.bUpsOnRs232c);
        for (int id : {IDC_PORT_RS232C, IDC_RS232C_SUMMARY, IDC_BUTTON_RS232C})
            EXPECT_TRUE(Enabled(window, id)) << id;
    });
    Run(script);
    EXPECT_EQ(receiver.ChangeFlags(), (std::vector<DWORD>{CHG_COMM, CHG_COMM, CHG_COMM}));
}

TEST_F(CommTest, WithoutTheInterfaceAStoredRS232CPortAndUpsAreDropped)
{
    profile.Change([](InstrumentProfile& instrument) { instrument.interfaces.rs232c = false; });
    host.comm.dwPort = COMM_PORT_RS232C;
    host.comm.bUpsOnRs232c = true;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "rewritten at once", [&](HWND) {
        EXPECT_EQ(host.comm.dwPort, COMM_PORT_NONE);
        EXPECT_FALSE(host.comm.bUpsOnRs232c);
    });
    OpenTab(script);
    script.Do(IDD_SYSTEM, "none, and nothing of RS-232C to use", [&](HWND window) {
        EXPECT_EQ(Latches(window, kPorts), L"001");
        EXPECT_EQ(Latches(window, {IDC_CHECK_UPS}), L"0");
        for (int id : {IDC_PORT_RS232C, IDC_RS232C_SUMMARY, IDC_BUTTON_RS232C, IDC_CHECK_UPS})
            EXPECT_FALSE(Enabled(window, id)) << id;
    });
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(CommTest, EachShowingReadsTheBlockAndAnUnknownPortKeepsTheSelection)
{
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "LAN shown", [&](HWND window) { EXPECT_EQ(Latches(window, kPorts), L"010"); });
    script.TapPart(IDD_SYSTEM, 17000, "tab", 0);
    script.Do(IDD_SYSTEM, "the host changes the block", [&](HWND) {
        host.comm.dwPort = 3;
        host.comm.dwBaudRate = 19200;
        host.comm.bSendOnError = true;
    });
    OpenTab(script);
    script.Do(IDD_SYSTEM, "read again", [&](HWND window) {
        EXPECT_EQ(Latches(window, kPorts), L"010");
        EXPECT_EQ(host.comm.dwPort, COMM_PORT_LAN);
        EXPECT_EQ(Latches(window, {IDC_CHECK_SEND_ON_ERROR}), L"1");
        EXPECT_EQ(ControlText(window, IDC_RS232C_SUMMARY).substr(0, 9), L"19200bps,");
    });
    Run(script);
}

TEST_F(CommTest, PortsAndAutomaticTransmissionAreWrittenAndReported)
{
    struct Case { int id; DWORD flag; DWORD port; bool trigger, recordEnd, error; };
    const Case cases[] = {
        {IDC_PORT_NONE, CHG_COMM, COMM_PORT_NONE, false, false, false},
        {IDC_PORT_RS232C, CHG_COMM, COMM_PORT_RS232C, false, false, false},
        {IDC_CHECK_SEND_ON_TRIGGER, CHG_AUTO_SEND, COMM_PORT_LAN, true, false, false},
        {IDC_CHECK_SEND_ON_RECORD_END, CHG_AUTO_SEND, COMM_PORT_LAN, false, true, false},
        {IDC_CHECK_SEND_ON_ERROR, CHG_AUTO_SEND, COMM_PORT_LAN, false, false, true},
    };
    for (const Case& c : cases) {
        host.comm.dwPort = COMM_PORT_LAN;
        host.comm.bSendOnTrigger = host.comm.bSendOnRecordEnd = host.comm.bSendOnError = false;
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, c.id);
        Run(script);
        EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{c.flag}) << c.id;
        EXPECT_EQ(host.comm.dwPort, c.port) << c.id;
        EXPECT_EQ(std::tuple(host.comm.bSendOnTrigger, host.comm.bSendOnRecordEnd, host.comm.bSendOnError),
                  std::tuple(c.trigger, c.recordEnd, c.error))
            << c.id;
    }
}

}  // namespace
