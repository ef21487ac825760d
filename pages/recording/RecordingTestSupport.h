// The recording page's tests: the system dialog with a recording host, run
// to the end of a script that opens the recording tab, and helpers that read
// the controls and operate the jogs and the channel panel.
#pragma once

#include "core/SystemDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/JogWidget.h"
#include "pages/recording/RecordingIds.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace recording_test {

using namespace recording_ids;
using namespace testing_support;

// The host's input dialogs.
inline constexpr UINT IDD_NUMKEY = host::IDD_HOST_NUMKEY, IDD_KEYBOARD = host::IDD_HOST_KEYBOARD,
                      IDD_TIMER = host::IDD_HOST_TIMER;

// Taps a jog in one of its zones (see JogWidget).
inline void TapJog(HWND window, int id, JogWidget::Zone zone)
{
    HWND jog = FindControl(window, id);
    RECT client{};
    GetClientRect(jog, &client);
    const int x[] = {0, client.right / 4, client.right / 2, client.right * 3 / 4, client.right - 1};
    win::TapAt(jog, POINT{x[static_cast<int>(zone)], client.bottom / 2});
}

class RecordingTest : public ::testing::Test {
protected:
    CSystemRecordingSheet* Page() const
    {
        return static_cast<CSystemRecordingSheet*>(dialog->GetPage(CSystemDlg::PageRecording));
    }
    const CChoiceChannel& Panel() const { return Page()->GetChoiceChannel(); }

    // Taps a part of the channel panel: "item" 0..17, or "ext" 0 (all) and 1 (none).
    void TapPanel(ScriptedOperator& script, const std::string& part, int index)
    {
        script.Do(IDD_SYSTEM, "tap panel " + part, [this, part, index](HWND) {
            EXPECT_EQ(win::TapPart(Panel().m_hWnd, part, index), win::InputResult::Posted);
        });
    }
    static void OpenTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, 17000, "tab", 2); }

    // Runs a new system dialog to the end of the script, which the close
    // button ends unless it says otherwise; the receiver keeps the requests
    // of this run only.
    void Run(ScriptedOperator& script, bool secondRecording = false, bool close = true)
    {
        if (close)
            script.Tap(IDD_SYSTEM, 17045);
        receiver.ClearRecords();
        dialog = std::make_unique<CSystemDlg>(nullptr);
        dialog->SetupConfigData(&host.record, secondRecording);
        dialog->SetDLGCallback(&receiver, 5);
        dialog->DoModal();
        EXPECT_TRUE(script.Finished());
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace recording_test
