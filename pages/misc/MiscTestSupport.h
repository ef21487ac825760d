// The auxiliary page's tests: the system dialog with a recording host, run to
// the end of a script that opens the auxiliary tab, and helpers that step the
// jogs and type on the password dialog's keyboards.
#pragma once

#include "core/SystemDlg.h"
#include "host/CurrentProfileScope_test.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/JogWidget.h"
#include "pages/misc/MiscIds.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace misc_test {

using namespace misc_ids;
using namespace testing_support;

inline constexpr UINT IDD_KEYBOARD = host::IDD_HOST_KEYBOARD, IDD_BROWSE = host::IDD_HOST_BROWSE_FOLDER;

class MiscTest : public ::testing::Test {
protected:
    MiscTest()
    {
        host.misc.bBuzzer = true;
        host.misc.dwAutoOffDelay = 10;
        std::strcpy(host.misc.szScreenCopyFolder, "D:\\");
        host.sysRec1->SetFeedLen(20);
    }

    static void OpenTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, 17000, "tab", 4); }

    // Taps a jog of the page in one of its zones (see JogWidget).
    static void TapJog(ScriptedOperator& script, int id, JogWidget::Zone zone)
    {
        script.Do(IDD_SYSTEM, "step jog " + std::to_string(id), [id, zone](HWND window) {
            HWND jog = FindControl(window, id);
            RECT client{};
            GetClientRect(jog, &client);
            const int x[] = {0, client.right / 4, client.right / 2, client.right * 3 / 4, client.right - 1};
            EXPECT_EQ(win::TapAt(jog, POINT{x[static_cast<int>(zone)], client.bottom / 2}), win::InputResult::Posted);
        });
    }

    // Opens the keyboard behind a hand button of the password dialog, types
    // `text` and confirms.
    static void TypePassword(ScriptedOperator& script, int hand, const std::wstring& text)
    {
        script.Tap(IDD_PASSWORD, hand).Type(IDD_KEYBOARD, text).Tap(IDD_KEYBOARD, IDOK);
    }

    // Runs a new system dialog to the end of the script, which the close
    // button ends; the receiver keeps this run's requests only, those sent
    // while the dialog is destroyed included.
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

    std::wstring Password() const { return win::Utf16FieldToWide(host.misc.szPassword, 16); }
    void SetPassword(const std::wstring& password) { win::CopyToUtf16Buffer(password, host.misc.szPassword); }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace misc_test
