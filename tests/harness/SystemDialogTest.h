// A test of a page of the system dialog: a recording host with its
// configuration objects, a temporary data root, and a run of a new dialog to
// the end of a scripted operator's steps.
#pragma once

#include "core/SystemDlg.h"
#include "host/widgets/JogWidget.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

// Taps jog `id` inside `window` in one of its zones (see JogWidget).
inline void TapJogZone(HWND window, int id, JogWidget::Zone zone)
{
    HWND jog = FindControl(window, id);
    RECT client{};
    GetClientRect(jog, &client);
    const int x[] = {0, client.right / 4, client.right / 2, client.right * 3 / 4, client.right - 1};
    EXPECT_EQ(win::TapAt(jog, POINT{x[static_cast<int>(zone)], client.bottom / 2}), win::InputResult::Posted);
}

class SystemDialogTest : public ::testing::Test {
protected:
    // Taps the tab at `position` of the dialog's tab strip.
    static void OpenTab(ScriptedOperator& script, int position) { script.TapPart(IDD_SYSTEM, 17000, "tab", position); }

    // Runs a new system dialog to the end of the script, which the close
    // button ends unless `close` is false. The receiver keeps this run's
    // requests only, those sent as the dialog goes included.
    INT_PTR Run(ScriptedOperator& script, bool secondRecording = false, bool close = true)
    {
        if (close)
            script.Tap(IDD_SYSTEM, 17045);
        receiver.ClearRecords();
        dialog = std::make_unique<CSystemDlg>(nullptr);
        dialog->SetupConfigData(&host.record, secondRecording);
        dialog->SetDLGCallback(&receiver, 5);
        const INT_PTR result = dialog->DoModal();
        EXPECT_TRUE(script.Finished());
        return result;
    }

    // Runs `frame`, made by the test, on the host's record, handing it `to`
    // when given.
    INT_PTR RunSystem(CSystemDlg& frame, RecordingReceiver* to)
    {
        frame.SetupConfigData(&host.record, false);
        if (to)
            frame.SetDLGCallback(to, 5);
        return frame.DoModal();
    }

    Watchdog watchdog;
    TempDataRoot root;
    HostConfiguration host;
    RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace testing_support
