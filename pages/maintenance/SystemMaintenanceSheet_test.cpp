// The calibration program of the maintenance page.
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "win/WindowPlacement.h"

#include <filesystem>

namespace {

using namespace maintenance_test;

// The program runs in its folder, without arguments, and the top window is
// back afterwards; without the program only the window comes back.
TEST_F(MaintenanceTest, TheCalibrationProgramRunsInItsFolderAndTheWindowComesBack)
{
    const std::wstring program = L"C:\\Program Files\\Gunze\\Gunze TPDD\\TouchPanelCalibration.exe";
    const std::wstring ran = L"C:\\ran.txt";
    const std::string script = "#!/bin/sh\necho \"$PWD $#\" > '" + root.PosixOf(ran) + "'\n";
    std::filesystem::permissions(root.WriteFile(program, script), std::filesystem::perms::owner_all);
    for (bool installed : {true, false}) {
        if (!installed)
            std::filesystem::remove(root.PosixOf(program));
        std::filesystem::remove(root.PosixOf(ran));
        ScriptedOperator operation;
        OpenTab(operation);
        // The button is never shown: its command comes as a tap would send it.
        operation.Do(IDD_SYSTEM, "calibrate", [this](HWND window) {
            SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_BUTTON_TOUCH_PANEL, BN_CLICKED), 0);
            EXPECT_FALSE(IsIconic(window));
        });
        Run(operation);
        EXPECT_EQ(root.ReadFile(ran), installed ? root.PosixOf(L"C:\\Program Files\\Gunze\\Gunze TPDD") + " 0\n" : "");
    }
}

}  // namespace
