// The recording page's tests: the system dialog on a temporary data root
// with a recording host, opened on the recording tab, and helpers that read
// what the controls show and operate the jogs and the channel panel.
#pragma once

#include "core/SystemDlg.h"
#include "host/widgets/JogWidget.h"
#include "pages/recording/RecordingIds.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace recording_test {

using namespace recording_ids;
using testing_support::FindControl;
using testing_support::ScriptedOperator;

inline constexpr UINT IDD_SYSTEM = 17000;
inline constexpr UINT IDD_POPUP = 30000;
inline constexpr UINT IDD_NUMKEY = 30002;
inline constexpr UINT IDD_KEYBOARD = 30003;
inline constexpr UINT IDD_TIMER = 30006;
inline constexpr int IDC_CLOSE_SYSTEM = 17045;

inline std::wstring ControlText(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? GetWindowTextString(control) : L"(no control " + std::to_wstring(id) + L")";
}

inline bool Latched(HWND window, int id) { return SendMessageW(FindControl(window, id), BM_GETCHECK, 0, 0) != 0; }
inline bool Enabled(HWND window, int id) { return IsWindowEnabled(FindControl(window, id)) != FALSE; }

// Taps a jog in one of its zones (see JogWidget).
inline void TapJog(HWND window, int id, JogWidget::Zone zone)
{
    HWND jog = FindControl(window, id);
    RECT client{};
    GetClientRect(jog, &client);
    const int width = client.right;
    const int x[] = {0, width / 4, width / 2, width * 3 / 4, width - 1};
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
        script.Do(IDD_SYSTEM, "tap panel " + part + " " + std::to_string(index), [this, part, index](HWND) {
            EXPECT_EQ(win::TapPart(Panel().m_hWnd, part, index), win::InputResult::Posted);
        });
    }

    // Opens the recording tab as the first step of a script.
    static void OpenTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, 17000, "tab", 2); }

    // Runs a new system dialog on the host's record to the end of the
    // script; the receiver keeps the requests of this run only.
    void Run(ScriptedOperator& script, bool secondRecording = false)
    {
        receiver.ClearRecords();
        dialog = std::make_unique<CSystemDlg>(nullptr);
        dialog->SetupConfigData(&host.record, secondRecording);
        dialog->SetDLGCallback(&receiver, 5);
        dialog->DoModal();
        EXPECT_TRUE(script.Finished());
    }

    // Closes the system dialog (the last step of most scripts).
    static void Close(ScriptedOperator& script) { script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM); }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace recording_test
