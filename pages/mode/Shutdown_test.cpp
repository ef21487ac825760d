// The system dialog's shutdown and USB drive release, operated from its
// buttons: the shutdown confirmation, the auxiliary block's two shutdown
// bytes, the write-filter tool and the playback and eject steps.
#include "core/SystemDlg.h"
#include "core/SystemShutdownDlg.h"
#include "host/FileIO.h"
#include "host/InstrumentProfile.h"
#include "host/devices/UsbEject.h"
#include "pages/mode/ModeTestSupport.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace mode_test;
using testing_support::FindControl;
using testing_support::HostConfiguration;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr int IDC_SHUTDOWN = 17005;
constexpr int IDC_USB_EJECT = 17002;
constexpr int IDC_NO_MEM_SAVE = 17043;

const std::wstring kUsbQuestion =
    L"USBドライブの切り離しを実行します。\n取り外しの安全が確認されたら\nデバイスを本体から取り外してください。";
const std::wstring kUsbDone = L"USBドライブを安全に取り外せることが\n確認されました。";
const std::wstring kUsbFailed = L"USBドライブの切り離しに失敗しました。\n";

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedProfile = *InstrumentProfile::Current();
        win::DebugLog::Clear();
    }
    void TearDown() override { InstrumentProfile::SetCurrent(savedProfile); }

    INT_PTR Run(bool withReceiver = true)
    {
        dialog.SetupConfigData(&host.record, false);
        if (withReceiver)
            dialog.SetDLGCallback(&receiver, 3);
        return dialog.DoModal();
    }

    // A stand-in for the write-filter tool in the mapped system directory:
    // it notes its arguments, takes a moment, then notes that it ended.
    void InstallWriteFilterTool()
    {
        std::string script = "#!/bin/sh\n"
                             "echo \"started $*\" >> '" + MarkerPath() + "'\n"
                             "sleep 0.2\n"
                             "echo ended >> '" + MarkerPath() + "'\n";
        std::string tool = root.WriteFile(L"C:\\WINDOWS\\system32\\EWFMGR.EXE", script);
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    }
    std::string MarkerPath() const { return root.Path() + "/ewfmgr-ran.txt"; }
    std::string Marker() const
    {
        std::ifstream in(MarkerPath());
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Confirms the shutdown dialog, ticking the fast-shutdown box first when asked.
    void ConfirmShutdown(ScriptedOperator& script, bool tick)
    {
        script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
        if (tick)
            script.Tap(IDD_SHUTDOWN, IDC_NO_MEM_SAVE);
        script.Tap(IDD_SHUTDOWN, IDOK);
    }

    void AnswerUsbPopup(ScriptedOperator& script, const std::wstring& message, int button)
    {
        script.Do(IDD_POPUP, "answer the USB popup", [=](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), L"USBドライブ切り離し");
            EXPECT_EQ(ControlText(window, 30010), message);
            win::Tap(FindControl(window, button));
        });
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    HostConfiguration host;
    RecordingReceiver receiver;
    CSystemDlg dialog{nullptr};
    InstrumentProfile savedProfile;
};

// --- Shutdown -------------------------------------------------------------

TEST_F(ShutdownTest, CancellingWritesNothingRunsNothingAndSendsNothing)
{
    host.misc.bNoMemorySaveAtShutdown = true;
    host.misc.bMaintenanceNextStart = true;
    InstallWriteFilterTool();
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
    script.Do(IDD_SHUTDOWN, "read the confirmation", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"終了処理");
        EXPECT_EQ(ControlText(window, IDCANCEL), L"中止");
        EXPECT_EQ(CheckState(window, IDC_NO_MEM_SAVE), BST_UNCHECKED) << "the choice starts false";
    });
    script.Tap(IDD_SHUTDOWN, IDC_NO_MEM_SAVE);
    script.Tap(IDD_SHUTDOWN, IDCANCEL);
    script.Do(IDD_SYSTEM, "the system dialog is still open", [](HWND) {});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(host.misc.bNoMemorySaveAtShutdown);
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_EQ(Marker(), "");
}

TEST_F(ShutdownTest, TickedBoxReachesByte302AndByte16)
{
    ScriptedOperator script;
    ConfirmShutdown(script, true);
    EXPECT_EQ(Run(), IDOK) << "the system dialog ends after the shutdown request";
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(reinterpret_cast<const BYTE*>(&host.misc)[302], 1);
    ASSERT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SHUTDOWN});
    const T_DLG_REQUEST& request = receiver.Last(DLGREQ_SHUTDOWN).received;
    EXPECT_EQ(request.Word(12), 1u);
    EXPECT_EQ(request.Byte(16), 1);
    EXPECT_EQ(receiver.Last(DLGREQ_SHUTDOWN).sender, static_cast<void*>(&dialog));
    EXPECT_EQ(Marker(), "") << "byte 303 is clear: no write-filter step";
}

TEST_F(ShutdownTest, UntickedBoxClearsByte302AndByte16)
{
    host.misc.bNoMemorySaveAtShutdown = true;
    ScriptedOperator script;
    ConfirmShutdown(script, false);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(host.misc.bNoMemorySaveAtShutdown);
    EXPECT_EQ(receiver.Last(DLGREQ_SHUTDOWN).received.Byte(16), 0);
    EXPECT_EQ(receiver.Last(DLGREQ_SHUTDOWN).received.Word(12), 1u);
}

TEST_F(ShutdownTest, WithByte303TheWriteFilterToolRunsAndEndsBeforeTheShutdownRequest)
{
    host.misc.bMaintenanceNextStart = true;
    InstallWriteFilterTool();
    std::string markerAtRequest;
    receiver.OnRequest(DLGREQ_SHUTDOWN, [&](T_DLG_REQUEST&, int) { markerAtRequest = Marker(); });
    ScriptedOperator script;
    ConfirmShutdown(script, true);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(markerAtRequest, "started C: -disable\nended\n");
    EXPECT_TRUE(host.misc.bMaintenanceNextStart) << "the shutdown flow never writes byte 303";
}

TEST_F(ShutdownTest, AWriteFilterToolThatCannotStartIsLoggedAndTheShutdownGoesOn)
{
    host.misc.bMaintenanceNextStart = true;
    ScriptedOperator script;
    ConfirmShutdown(script, false);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(win::DebugLog::Contains(L"EWFMGR.EXE 起動失敗"));
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SHUTDOWN});
}

TEST_F(ShutdownTest, WithoutAReceiverTheShutdownStillWritesRunsTheToolAndCloses)
{
    host.misc.bMaintenanceNextStart = true;
    InstallWriteFilterTool();
    ScriptedOperator script;
    ConfirmShutdown(script, true);
    EXPECT_EQ(Run(false), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(host.misc.bNoMemorySaveAtShutdown);
    EXPECT_EQ(Marker(), "started C: -disable\nended\n");
}

TEST_F(ShutdownTest, ShutdownDialogPresetsItsBoxAndCancelKeepsTheChoice)
{
    {
        CSystemShutdownDlg confirm(nullptr);
        confirm.SetCheckNoMemSave(true);
        ScriptedOperator script;
        script.Do(IDD_SHUTDOWN, "the box is preset", [](HWND window) {
            EXPECT_EQ(CheckState(window, IDC_NO_MEM_SAVE), BST_CHECKED);
        });
        script.Tap(IDD_SHUTDOWN, IDC_NO_MEM_SAVE);  // untick, then cancel
        script.Tap(IDD_SHUTDOWN, IDCANCEL);
        EXPECT_EQ(confirm.DoModal(), IDCANCEL);
        EXPECT_TRUE(confirm.IsCheckNoMemSave());
    }
    {
        CSystemShutdownDlg confirm(nullptr);
        confirm.SetCheckNoMemSave(true);
        ScriptedOperator script;
        script.Tap(IDD_SHUTDOWN, IDC_NO_MEM_SAVE);
        script.Tap(IDD_SHUTDOWN, IDOK);
        EXPECT_EQ(confirm.DoModal(), IDOK);
        EXPECT_FALSE(confirm.IsCheckNoMemSave());
    }
}

// --- USB drive release ----------------------------------------------------

TEST_F(ShutdownTest, CancelledUsbReleaseSendsNothingAndEjectsNothing)
{
    const int ejectsBefore = UsbEject::GetCallCount();
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
    AnswerUsbPopup(script, kUsbQuestion, IDCANCEL);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_EQ(UsbEject::GetCallCount(), ejectsBefore);
}

TEST_F(ShutdownTest, UsbReleaseClosesPlaybackOnlyWhenTheAnswerIsExactly1)
{
    for (BYTE answer : {BYTE{0}, BYTE{1}, BYTE{2}, BYTE{255}}) {
        RecordingReceiver host2;
        host2.AnswerByte(DLGREQ_QUERY_PLAYBACK, 16, answer);
        CSystemDlg frame(nullptr);
        frame.SetupConfigData(&host.record, false);
        frame.SetDLGCallback(&host2, 3);
        ScriptedOperator script;
        script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
        script.AnswerShowing(kUsbQuestion, IDOK);
        script.AnswerShowing(kUsbDone, IDOK);
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        frame.DoModal();
        EXPECT_TRUE(script.Finished());
        if (answer == 1) {
            ASSERT_EQ(host2.Kinds(), (std::vector<DWORD>{DLGREQ_QUERY_PLAYBACK, DLGREQ_CLOSE_PLAYBACK}));
            // The same record goes again with only its kind changed.
            EXPECT_EQ(host2.Last(DLGREQ_CLOSE_PLAYBACK).received.Byte(16), 1);
        } else {
            EXPECT_EQ(host2.Kinds(), std::vector<DWORD>{DLGREQ_QUERY_PLAYBACK}) << "answer " << int(answer);
        }
    }
}

TEST_F(ShutdownTest, UsbReleaseEjectsWithFileActivityPausedAndKeepsTheCurrentDirectory)
{
    for (int ejectResult : {1, 0}) {
        InstrumentProfile::Modify([ejectResult](InstrumentProfile& profile) { profile.usbEjectResult = ejectResult; });
        std::filesystem::create_directories(root.PosixOf(L"E:\\photos\\day1"));
        ASSERT_TRUE(win::Drives::SetCurrentDirectory(L"E:\\photos\\day1"));
        const int ejectsBefore = UsbEject::GetCallCount();
        CSystemDlg frame(nullptr);
        frame.SetupConfigData(&host.record, false);
        ScriptedOperator script;
        script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
        AnswerUsbPopup(script, kUsbQuestion, IDOK);
        AnswerUsbPopup(script, ejectResult ? kUsbDone : kUsbFailed, IDOK);
        script.Do(IDD_SYSTEM, "the folder is the same", [](HWND) {
            EXPECT_EQ(win::Drives::GetCurrentDirectory(), L"E:\\photos\\day1");
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        frame.DoModal();
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(UsbEject::GetCallCount(), ejectsBefore + 1);
        EXPECT_TRUE(UsbEject::WasFileActivitySuspendedAtLastCall());
        EXPECT_FALSE(FileIO::IsSuspended()) << "activity resumes whatever the result";
        EXPECT_EQ(win::Drives::GetCurrentDirectory(), L"E:\\photos\\day1") << "eject result " << ejectResult;
    }
}

// A narrow 260-byte buffer cannot hold this folder: the release keeps it as
// wide text so that it can go back to it.
TEST_F(ShutdownTest, UsbReleaseKeepsACurrentDirectoryLongerThan260BytesInUtf8)
{
    // 94 characters on the instrument, but 274 bytes as UTF-8, the narrow
    // text of this port.
    const std::wstring half(45, L'測');
    const std::wstring folder = L"E:\\" + half + L"\\" + half;
    std::filesystem::create_directories(root.PosixOf(folder));
    ScriptedOperator script;
    // Set once the dialog is up: the file page chooses its own start folder
    // when it opens.
    script.Do(IDD_SYSTEM, "enter the long folder",
              [&](HWND) { ASSERT_TRUE(win::Drives::SetCurrentDirectory(folder)); });
    script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
    script.AnswerShowing(kUsbQuestion, IDOK);
    script.AnswerShowing(kUsbDone, IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(win::Drives::GetCurrentDirectory(), folder);
}

TEST_F(ShutdownTest, WithoutAReceiverUsbReleaseSkipsThePlaybackQuery)
{
    const int ejectsBefore = UsbEject::GetCallCount();
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
    script.AnswerShowing(kUsbQuestion, IDOK);
    script.AnswerShowing(kUsbDone, IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run(false);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(UsbEject::GetCallCount(), ejectsBefore + 1);
}

}  // namespace
