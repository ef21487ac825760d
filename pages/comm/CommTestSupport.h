// The communication page's tests: the system dialog with a recording host
// and an instrument whose RS-232C interface and network adapter each test
// chooses, run to the end of a script that opens the communication tab.
#pragma once

#include "core/SystemDlg.h"
#include "host/CurrentProfileScope_test.h"
#include "host/dialogs/HostTemplate.h"
#include "pages/comm/CommIds.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace comm_test {

using namespace comm_ids;
using namespace testing_support;

inline constexpr UINT IDD_NUMKEY = host::IDD_HOST_NUMKEY, IDD_KEYBOARD = host::IDD_HOST_KEYBOARD,
                      IDD_SELECTOR = host::IDD_HOST_SELECTOR;

class CommTest : public ::testing::Test {
protected:
    CommTest()
    {
        // 9600 bps, 8 bits, one stop bit, no parity, RTS/CTS, CR+LF, 10 s.
        host.comm = T_CONFIG_COMM{false, {}, COMM_PORT_LAN, 3, 10000, 9600, 8, 0, 0, 1, false, false, false, 0};
    }

    static void OpenTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, 17000, "tab", 3); }

    // Runs a new system dialog on the communication tab to the end of the
    // script, which the close button ends; the receiver keeps this run's
    // requests only.
    void Run(ScriptedOperator& script)
    {
        script.Tap(IDD_SYSTEM, 17045);
        receiver.ClearRecords();
        dialog = std::make_unique<CSystemDlg>(nullptr);
        dialog->SetupConfigData(&host.record, false);
        dialog->SetDLGCallback(&receiver, 5);
        dialog->DoModal();
        EXPECT_TRUE(script.Finished());
    }

    // Types `seconds` on the number pad and confirms.
    static void EnterSeconds(ScriptedOperator& script, const std::wstring& seconds)
    {
        script.Tap(0, IDC_HAND_TIMEOUT).Type(IDD_NUMKEY, seconds).Tap(IDD_NUMKEY, IDOK);
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace comm_test
