// The communication page's tests: the system dialog with a recording host
// and an instrument whose RS-232C interface and network adapter each test
// chooses, run to the end of a script that opens the communication tab.
#pragma once

#include "host/CurrentProfileScope_test.h"
#include "host/dialogs/HostTemplate.h"
#include "pages/comm/CommIds.h"
#include "tests/harness/SystemDialogTest.h"

#include <string>

namespace comm_test {

using namespace comm_ids;
using namespace testing_support;

inline constexpr UINT IDD_NUMKEY = host::IDD_HOST_NUMKEY, IDD_KEYBOARD = host::IDD_HOST_KEYBOARD,
                      IDD_SELECTOR = host::IDD_HOST_SELECTOR;

class CommTest : public SystemDialogTest {
protected:
    CommTest()
    {
        // 9600 bps, 8 bits, one stop bit, no parity, RTS/CTS, CR+LF, 10 s.
        host.comm = T_CONFIG_COMM{false, {}, COMM_PORT_LAN, 3, 10000, 9600, 8, 0, 0, 1, false, false, false, 0};
    }

    static void OpenTab(ScriptedOperator& script) { SystemDialogTest::OpenTab(script, 3); }

    // Types `seconds` on the number pad and confirms.
    static void EnterSeconds(ScriptedOperator& script, const std::wstring& seconds)
    {
        script.Tap(0, IDC_HAND_TIMEOUT).Type(IDD_NUMKEY, seconds).Tap(IDD_NUMKEY, IDOK);
    }

    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
};

}  // namespace comm_test
