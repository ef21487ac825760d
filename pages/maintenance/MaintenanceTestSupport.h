// The maintenance page's tests: the system dialog on the default instrument,
// the running notice and the printer's state.
#pragma once

#include "core/SystemSettingSheet.h"
#include "host/CurrentProfileScope_test.h"
#include "host/devices/PrinterIO.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "tests/harness/SystemDialogTest.h"

#include <chrono>
#include <functional>
#include <string>

namespace maintenance_test {

using namespace maintenance_ids;
using namespace testing_support;

// The running notice of a test print or data record on the screen, or null.
inline HWND FindRunningNotice()
{
    for (HWND top : win::TopLevelWindows())
        if (IsWindowVisible(top) && ControlText(top, IDC_POPUP_MESSAGE) == L"終了するには中止を押してください。")
            return top;
    return nullptr;
}

// Waits on the printer's state until `condition` holds, or fails.
inline void AwaitPrinter(const std::function<bool(const PrinterJournal&)>& condition)
{
    EXPECT_TRUE(PrinterDevice::Instance().WaitFor(condition, std::chrono::seconds(20))) << "the printer never got there";
}

class MaintenanceTest : public SystemDialogTest {
protected:
    MaintenanceTest() { PrinterDevice::Instance().ResetJournal(); }
    static void OpenTab(ScriptedOperator& script) { SystemDialogTest::OpenTab(script, 5); }
    HWND Page() const { return dialog->GetPage(CSystemDlg::PageMaintenance)->GetSafeHwnd(); }

    CurrentProfileScope profile{[](InstrumentProfile&) {}};  // the default instrument
};

}  // namespace maintenance_test
