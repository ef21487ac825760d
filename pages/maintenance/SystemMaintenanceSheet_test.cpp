// The maintenance page's own controls: texts, the maintenance-mode box and
// the shutdown that acts on it, the clock and the calibration program.
#include "pages/maintenance/MaintenanceTestSupport.h"

#include "host/dialogs/DateEntryDialog.h"
#include "host/dialogs/HostTemplate.h"
#include "win/TimeApi.h"
#include "win/WindowPlacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

namespace {

using namespace maintenance_test;

constexpr UINT IDD_DATETIME = host::IDD_HOST_DATETIME, IDD_SHUTDOWN = 17019;
constexpr int IDC_SHUTDOWN = 17005;

class MaintenancePageTest : public MaintenanceTest {
protected:
    // A stand-in program at a Windows path, made of a shell script.
    void InstallProgram(const std::wstring& path, const std::string& script)
    {
        std::filesystem::permissions(root.WriteFile(path, "#!/bin/sh\n" + script), std::filesystem::perms::owner_all);
    }
};

TEST_F(MaintenancePageTest, TextsAndTheBoxComeFromTheTextServiceAndTheBlock)
{
    for (bool next : {false, true}) {
        host.misc.bMaintenanceNextStart = next;
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "the page as it opens", [next](HWND window) {
            const std::pair<int, const wchar_t*> texts[] = {
                {IDC_BUTTON_VERSION, L"バージョン表示"},     {IDC_BUTTON_TEST_PRINT, L"テストプリント"},
                {IDC_BUTTON_DATA_RECORD, L"データ記録"},     {IDC_BUTTON_CLOCK, L"時計校正"},
                {IDC_BUTTON_TOUCH_PANEL, L"タッチパネル校正"}, {IDC_CHECK_MAINTENANCE_NEXT, L"次回メンテナンスモードで起動する"}};
            for (const auto& [id, text] : texts)
                EXPECT_EQ(ControlText(window, id), text) << id;
            EXPECT_FALSE(Visible(window, IDC_BUTTON_TOUCH_PANEL));
            EXPECT_EQ(Latches(window, {IDC_CHECK_MAINTENANCE_NEXT}), next ? L"1" : L"0");
        });
        Run(script);
    }
}

TEST_F(MaintenancePageTest, TheBoxWritesTheBlockAtOnceAndReportsNothing)
{
    ScriptedOperator script;
    OpenTab(script);
    for (bool expected : {true, false, true}) {
        script.Tap(IDD_SYSTEM, IDC_CHECK_MAINTENANCE_NEXT);
        script.Do(IDD_SYSTEM, "written", [this, expected](HWND) { EXPECT_EQ(host.misc.bMaintenanceNextStart, expected); });
    }
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MaintenancePageTest, WithoutTheRecordTheBoxWritesNothing)
{
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_CHECK_MAINTENANCE_NEXT);
    script.Tap(IDD_SYSTEM, 17045);
    CSystemDlg frame(nullptr);
    frame.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(host.misc.bMaintenanceNextStart);
}

// Ticked on this page, the box reaches the shutdown, which switches the
// write filter off before it asks the host to shut down.
TEST_F(MaintenancePageTest, TickingTheBoxBeforeAShutdownRunsTheWriteFilterTool)
{
    const std::string marker = root.PosixOf(L"C:\\ewfmgr.txt");
    InstallProgram(L"C:\\WINDOWS\\system32\\EWFMGR.EXE", "echo \"$*\" >> '" + marker + "'\n");
    std::string markerAtRequest;
    receiver.OnRequest(DLGREQ_SHUTDOWN, [&](T_DLG_REQUEST&, int) { markerAtRequest = root.ReadFile(L"C:\\ewfmgr.txt"); });
    ScriptedOperator script;
    OpenTab(script);
    script.Tap(IDD_SYSTEM, IDC_CHECK_MAINTENANCE_NEXT);
    script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
    script.Tap(IDD_SHUTDOWN, IDOK);
    dialog = std::make_unique<CSystemDlg>(nullptr);
    dialog->SetupConfigData(&host.record, false);
    dialog->SetDLGCallback(&receiver, 5);
    dialog->DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(markerAtRequest, "C: -disable\n");
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SHUTDOWN});
}

class ClockTest : public MaintenancePageTest {
protected:
    ~ClockTest() override { win::Clock::SetOffsetSeconds(offset); }
    const std::int64_t offset = win::Clock::GetOffsetSeconds();
};

// The date dialog starts at the clock's time; a confirmed time becomes the
// clock's, a cancelled one changes nothing.
TEST_F(ClockTest, TheChosenTimeBecomesTheClocksAndCancelKeepsIt)
{
    for (int answer : {IDCANCEL, IDOK}) {
        SYSTEMTIME shown{};
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_CLOCK);
        script.Do(IDD_DATETIME, "one year on", [&shown](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), L"時計校正");
            shown.wYear = static_cast<WORD>(std::stoi(ControlText(window, DateEntryDialog::kValueId)));
            win::Tap(FindControl(window, DateEntryDialog::kUpId));
        });
        script.Tap(IDD_DATETIME, answer);
        Run(script);
        SYSTEMTIME now{};
        GetLocalTime(&now);
        if (answer == IDOK) {
            EXPECT_EQ(now.wYear, shown.wYear + 1);
        } else {
            EXPECT_EQ(win::Clock::GetOffsetSeconds(), offset) << "cancelled";
        }
    }
}

// The calibration program runs from its folder, without arguments, while the
// outermost window above the page is minimised; the window comes back
// afterwards, also when the program is not there. A helper thread meets the
// program through two named pipes, so the check needs no timing.
TEST_F(MaintenancePageTest, TheCalibrationProgramRunsWithTheTopWindowMinimised)
{
    const std::wstring folder = L"C:\\Program Files\\Gunze\\Gunze TPDD";
    std::filesystem::create_directories(root.PosixOf(folder));
    const std::string started = root.Path() + "/started", release = root.Path() + "/release";
    ASSERT_EQ(mkfifo(started.c_str(), 0600) | mkfifo(release.c_str(), 0600), 0);
    CWnd owner;
    ASSERT_TRUE(MakeOwner(owner));

    for (bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "installed" : "missing");
        const std::wstring program = folder + L"\\TouchPanelCalibration.exe";
        if (installed)
            InstallProgram(program, "echo \"$PWD $#\" > '" + started + "'\nread answer < '" + release + "'\n");
        else
            std::filesystem::remove(root.PosixOf(program));
        std::string seen = "(not started)";
        bool minimised = false;
        // Held open for reading and writing, so that neither side's open waits.
        const int startedPipe = open(started.c_str(), O_RDWR);
        std::thread watcher([&] {
            std::string line;
            for (char c = 0; read(startedPipe, &c, 1) == 1 && c != '\n';)
                line += c;
            if (line == "none")
                return;
            seen = line;
            minimised = IsIconic(owner.GetSafeHwnd()) != FALSE;
            const int out = open(release.c_str(), O_WRONLY);
            (void)!write(out, "go\n", 3);
            close(out);
        });
        ScriptedOperator script;
        OpenTab(script);
        // The button is never shown: its command comes as the button would send it.
        script.Do(IDD_SYSTEM, "calibrate", [this](HWND window) {
            SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_BUTTON_TOUCH_PANEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(FindControl(window, IDC_BUTTON_TOUCH_PANEL)));
        });
        script.Do(IDD_SYSTEM, "restored", [&owner](HWND) { EXPECT_FALSE(IsIconic(owner.GetSafeHwnd())); });
        Run(script, &owner);
        // A watcher still waiting for a program that never came is let go;
        // a program that came has written its line before this one.
        (void)!write(startedPipe, "none\n", 5);
        watcher.join();
        close(startedPipe);
        EXPECT_EQ(seen, installed ? root.PosixOf(folder) + " 0" : "(not started)");
        EXPECT_EQ(minimised, installed);
    }
    owner.DestroyWindow();
}

}  // namespace
