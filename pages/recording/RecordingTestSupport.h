// The recording page's tests: the system dialog with a recording host, run
// to the end of a script that opens the recording tab, and helpers that read
// the controls and operate the jogs and the channel panel.
#pragma once

#include "core/SystemDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/JogWidget.h"
#include "pages/recording/RecordingIds.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "tests/harness/SystemDialogTest.h"

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


class RecordingTest : public SystemDialogTest {
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
    static void OpenTab(ScriptedOperator& script) { SystemDialogTest::OpenTab(script, 2); }
};

}  // namespace recording_test
