// The maintenance page's tests: the system dialog with a recording host on
// a simulated instrument whose printer each test sets up, run to the end of
// a script that opens the maintenance tab.
#pragma once

#include "core/SystemDlg.h"
#include "core/SystemSettingSheet.h"
#include "host/CurrentProfileScope_test.h"
#include "host/devices/PrinterIO.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Handles.h"
#include "win/controls/StandardControls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace maintenance_test {

using namespace maintenance_ids;
using namespace testing_support;

inline const std::wstring kNoticeMessage = L"終了するには中止を押してください。";

// Whether the window is the running notice of a test print or data record.
inline bool IsRunningNotice(HWND window)
{
    return win::GetWindowTemplateId(window) == IDD_POPUP && ControlText(window, IDC_POPUP_MESSAGE) == kNoticeMessage;
}

// The running notice among the windows on the screen, or null.
inline HWND FindRunningNotice()
{
    for (HWND top : win::TopLevelWindows())
        if (IsWindowVisible(top) && IsRunningNotice(top))
            return top;
    return nullptr;
}

// The scripted operator, but with `leaveNotice` it does not touch a running
// notice in front: the run must then end through the printer, as a failure
// or an abort from elsewhere does. `atNotice` runs once, the first time it
// finds the notice in front.
class PrintRunOperator : public ScriptedOperator {
public:
    bool OnIdle() override
    {
        if (leaveNotice) {
            HWND notice = FindRunningNotice();
            if (notice && IsWindowEnabled(notice)) {
                if (atNotice)
                    std::exchange(atNotice, nullptr)(notice);
                return false;
            }
        }
        return ScriptedOperator::OnIdle();
    }

    bool leaveNotice = false;
    std::function<void(HWND notice)> atNotice;
};

// Waits (deterministically, on the printer's own state) until `condition`
// holds; fails the test when the printer never gets there.
inline void AwaitPrinter(const std::function<bool(const PrinterJournal&)>& condition, const char* what)
{
    EXPECT_TRUE(PrinterDevice::Instance().WaitFor(condition, std::chrono::seconds(20))) << "the printer never " << what;
}

class MaintenanceTest : public ::testing::Test {
protected:
    MaintenanceTest() { PrinterDevice::Instance().ResetJournal(); }

    static void OpenTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, 17000, "tab", 5); }

    // Runs a new system dialog, owned by `owner`, to the end of the script,
    // which the close button ends; the receiver keeps this run's requests.
    void Run(ScriptedOperator& script, CWnd* owner = nullptr)
    {
        script.Tap(IDD_SYSTEM, 17045);
        receiver.ClearRecords();
        dialog = std::make_unique<CSystemDlg>(owner);
        dialog->SetupConfigData(&host.record, false);
        dialog->SetDLGCallback(&receiver, 5);
        dialog->DoModal();
        EXPECT_TRUE(script.Finished());
    }

    // A hidden top-level window to own the system dialog, as the host's
    // main screen does.
    static bool MakeOwner(CWnd& owner)
    {
        win::RegisterStandardControls();
        return owner.Create(L"Static", L"host", WS_POPUP, RECT{0, 0, 640, 480}, nullptr, 0) != FALSE;
    }

    HWND Page() const { return dialog->GetPage(CSystemDlg::PageMaintenance)->GetSafeHwnd(); }

    // The kernel handles in use, taken at a step (events and threads are handles).
    void CountHandles(ScriptedOperator& script)
    {
        script.Do(IDD_SYSTEM, "count the handles", [this](HWND) { handles = win::HandleTable::Count(); });
    }

    std::size_t handles = 0;
    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    std::unique_ptr<CSystemDlg> dialog;
};

}  // namespace maintenance_test
