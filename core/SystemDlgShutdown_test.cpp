// The system dialog's shutdown and USB drive release, operated from its
// buttons: the auxiliary block's two shutdown bytes, the write-filter tool and
// the playback and eject steps.
#include "core/SystemDlg.h"
#include "host/FileIO.h"
#include "host/InstrumentProfile.h"
#include "host/devices/UsbEject.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/DebugLog.h"
#include "win/Drives.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::FindControl;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr UINT IDD_SYSTEM = 17000, IDD_SHUTDOWN = 17019, IDD_POPUP = 30000;
constexpr int IDC_SHUTDOWN = 17005, IDC_USB_EJECT = 17002, IDC_CLOSE = 17045, IDC_NO_MEM_SAVE = 17043;

const std::wstring kUsbQuestion =
    L"USBドライブの切り離しを実行します。\n取り外しの安全が確認されたら\nデバイスを本体から取り外してください。";
const std::string kToolRan = "started C: -disable\nended\n";

// Checks the USB popup's caption and message, then presses `button`.
void AnswerUsbPopup(ScriptedOperator& script, const std::wstring& message, int button)
{
    script.Do(IDD_POPUP, "answer the USB popup", [=](HWND popup) {
        EXPECT_EQ(GetWindowTextString(popup), L"USBドライブ切り離し");
        EXPECT_EQ(GetWindowTextString(FindControl(popup, 30010)), message);
        win::Tap(FindControl(popup, button));
    });
}

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override { savedProfile = *InstrumentProfile::Current(); }
    void TearDown() override { InstrumentProfile::SetCurrent(savedProfile); }

    INT_PTR Run(CSystemDlg& frame, RecordingReceiver* to)
    {
        frame.SetupConfigData(&host.record, false);
        if (to)
            frame.SetDLGCallback(to, 3);
        return frame.DoModal();
    }

    // A stand-in for the write-filter tool in the mapped system directory:
    // it notes its arguments, takes a moment, then notes that it ended.
    void InstallWriteFilterTool()
    {
        const std::string marker = root.PosixOf(kMarker);
        std::string tool = root.WriteFile(kTool, "#!/bin/sh\necho \"started $*\" >> '" + marker +
                                                     "'\nsleep 0.2\necho ended >> '" + marker + "'\n");
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    }

    const std::wstring kTool = L"C:\\WINDOWS\\system32\\EWFMGR.EXE";
    const std::wstring kMarker = L"C:\\ewfmgr-ran.txt";
    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    InstrumentProfile savedProfile;
};

// The box reaches byte 302 of the auxiliary block and byte 16 of the request;
// with byte 303 set the write-filter tool runs to its end before the request
// goes, and a tool that cannot start is only logged. Cancelling does nothing.
TEST_F(ShutdownTest, ConfirmedShutdownWritesTheChoiceRunsTheToolAndEnds)
{
    struct Row {
        const char* name;
        bool confirm, tick, maintenanceNext, tool, withReceiver;
    };
    const Row rows[] = {{"ticked", true, true, false, true, true},      {"unticked", true, false, false, true, true},
                        {"tool runs", true, true, true, true, true},    {"tool missing", true, false, true, false, true},
                        {"no receiver", true, true, true, true, false}, {"cancelled", false, true, true, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(root.PosixOf(kMarker));
        std::filesystem::remove(root.PosixOf(kTool));
        if (row.tool)
            InstallWriteFilterTool();
        win::DebugLog::Clear();
        host.misc.bNoMemorySaveAtShutdown = !row.tick;
        host.misc.bMaintenanceNextStart = row.maintenanceNext;
        RecordingReceiver to;
        std::string markerAtRequest = "(no request)";
        to.OnRequest(DLGREQ_SHUTDOWN, [&](T_DLG_REQUEST&, int) { markerAtRequest = root.ReadFile(kMarker); });
        ScriptedOperator script;
        script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
        script.Do(IDD_SHUTDOWN, "the choice starts false", [](HWND window) {
            EXPECT_EQ(SendMessageW(FindControl(window, IDC_NO_MEM_SAVE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        });
        if (row.tick)
            script.Tap(IDD_SHUTDOWN, IDC_NO_MEM_SAVE);
        script.Tap(IDD_SHUTDOWN, row.confirm ? IDOK : IDCANCEL);
        if (!row.confirm)
            script.Tap(IDD_SYSTEM, IDC_CLOSE);
        CSystemDlg frame(nullptr);
        EXPECT_EQ(Run(frame, row.withReceiver ? &to : nullptr), IDOK) << "the dialog ends after the request";

        EXPECT_EQ(host.misc.bNoMemorySaveAtShutdown, row.confirm == row.tick) << "byte 302";
        EXPECT_EQ(host.misc.bMaintenanceNextStart, row.maintenanceNext) << "the shutdown never writes byte 303";
        const std::string ran = row.confirm && row.maintenanceNext && row.tool ? kToolRan : "";
        EXPECT_EQ(root.ReadFile(kMarker), ran);
        EXPECT_EQ(win::DebugLog::Contains(L"EWFMGR.EXE 起動失敗"), row.maintenanceNext && !row.tool);
        if (!row.withReceiver || !row.confirm) {
            EXPECT_TRUE(to.Requests().empty());
            continue;
        }
        EXPECT_EQ(markerAtRequest, ran) << "the tool has ended before the request";
        ASSERT_EQ(to.Kinds(), std::vector<DWORD>{DLGREQ_SHUTDOWN});
        EXPECT_EQ(to.Last(DLGREQ_SHUTDOWN).received.Word(12), 1u);
        EXPECT_EQ(to.Last(DLGREQ_SHUTDOWN).received.Byte(16), row.tick ? 1 : 0);
        EXPECT_EQ(to.Last(DLGREQ_SHUTDOWN).sender, static_cast<void*>(&frame));
    }
}

// Playback is closed only when the host answers exactly 1; the drives are
// ejected with file activity paused, and the current folder (also one that
// needs more than 260 bytes as UTF-8) is the same afterwards. A cancelled
// release asks and ejects nothing.
TEST_F(ShutdownTest, UsbReleaseClosesPlaybackEjectsAndKeepsTheCurrentDirectory)
{
    const std::wstring half(45, L'測');
    struct Row {
        int playbackAnswer;  // -1: no receiver
        int ejectResult;
        std::wstring folder;
        int answer = IDOK;
    };
    const Row rows[] = {{0, 1, L"E:\\photos\\day1"}, {1, 0, L"E:\\photos\\day1"}, {2, 1, L"E:\\" + half + L"\\" + half},
                        {255, 1, L"E:\\photos"},     {-1, 1, L"E:\\photos"},       {1, 1, L"E:\\photos", IDCANCEL}};
    for (const Row& row : rows) {
        SCOPED_TRACE("playback answer " + std::to_string(row.playbackAnswer) + ", answer " + std::to_string(row.answer));
        InstrumentProfile::Modify([&](InstrumentProfile& profile) { profile.usbEjectResult = row.ejectResult; });
        std::filesystem::create_directories(root.PosixOf(row.folder));
        RecordingReceiver to;
        to.AnswerByte(DLGREQ_QUERY_PLAYBACK, 16, static_cast<BYTE>(row.playbackAnswer));
        const int ejectsBefore = UsbEject::GetCallCount();
        ScriptedOperator script;
        // Set once the dialog is up: the file page chooses its own start
        // folder when it opens.
        script.Do(IDD_SYSTEM, "enter the folder",
                  [&](HWND) { ASSERT_TRUE(win::Drives::SetCurrentDirectory(row.folder)); });
        script.Tap(IDD_SYSTEM, IDC_USB_EJECT);
        AnswerUsbPopup(script, kUsbQuestion, row.answer);
        if (row.answer == IDOK)
            AnswerUsbPopup(script,
                           row.ejectResult ? L"USBドライブを安全に取り外せることが\n確認されました。"
                                           : L"USBドライブの切り離しに失敗しました。\n",
                           IDOK);
        script.Do(IDD_SYSTEM, "the folder is the same", [&](HWND) {
            EXPECT_EQ(win::Drives::GetCurrentDirectory(), row.folder);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE);
        CSystemDlg frame(nullptr);
        Run(frame, row.playbackAnswer < 0 ? nullptr : &to);
        const bool released = row.answer == IDOK;
        EXPECT_EQ(UsbEject::GetCallCount(), ejectsBefore + (released ? 1 : 0));
        EXPECT_TRUE(!released || UsbEject::WasFileActivitySuspendedAtLastCall());
        EXPECT_FALSE(FileIO::IsSuspended()) << "activity resumes whatever the result";
        std::vector<DWORD> kinds;
        if (released && row.playbackAnswer >= 0)
            kinds.push_back(DLGREQ_QUERY_PLAYBACK);
        if (released && row.playbackAnswer == 1)
            kinds.push_back(DLGREQ_CLOSE_PLAYBACK);
        ASSERT_EQ(to.Kinds(), kinds);
        // The same record goes again with only its kind changed.
        EXPECT_TRUE(kinds.size() < 2 || to.Last(DLGREQ_CLOSE_PLAYBACK).received.Byte(16) == 1);
    }
}

}  // namespace
