// The system dialog frame, driven as the operator drives it: its tabs and
// pages, the receiver, shutdown and USB drive release.
#include "core/SystemDlg.h"
#include "core/SystemSettingSheet.h"
#include "host/CurrentProfileScope_test.h"
#include "host/FileIO.h"
#include "host/devices/UsbEject.h"
#include "pages/comm/SystemCommSheet.h"
#include "pages/files/SystemFileSheet.h"
#include "pages/maintenance/SystemMaintenanceSheet.h"
#include "pages/misc/SystemMiscSheet.h"
#include "pages/mode/SystemMainSheet.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "tests/harness/SystemDialogTest.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::AnswerPopup;
using testing_support::FindControl;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr UINT IDD_SYSTEM = 17000, IDD_SHUTDOWN = 17019, IDD_POPUP = 30000;
constexpr int IDC_TAB = 17000, IDC_CLOSE = 17045, IDC_APP_EXIT = 17040, IDC_SHUTDOWN = 17005, IDC_USB_EJECT = 17002;
constexpr int IDC_NO_MEM_SAVE = 17043;
const std::wstring kUsbCaption = L"USBドライブ切り離し";

// Which pages are visible, as a string of '1' and '0' by tab index.
std::string VisiblePages(const CSystemDlg& dialog)
{
    std::string shown;
    for (int i = 0; i < CSystemDlg::PageCount; ++i) {
        CSystemSettingSheet* page = dialog.GetPage(i);
        shown += page && page->IsWindowVisible() ? '1' : '0';
    }
    return shown;
}

using SystemDlgTest = testing_support::SystemDialogTest;

TEST_F(SystemDlgTest, TabsShowExactlyTheirPageAndEnterOrEscapeClosesNothing)
{
    CSystemDlg dialog(nullptr);
    ASSERT_EQ(dialog.SetupConfigData(&host.record, false), 1);
    dialog.SetDLGCallback(&receiver, 7);

    std::vector<std::string> shown;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "read the tab strip", [&](HWND window) {
        EXPECT_EQ(win::DescribeWindow(window).caption, L"システム");
        const win::ScreenControl tab = win::DescribeControl(GetDlgItem(window, IDC_TAB));
        EXPECT_EQ(tab.tabs, (std::vector<std::wstring>{L"測定モード", L"ファイル操作", L"収録設定", L"通信設定",
                                                       L"補助設定", L"メンテナンス"}));
        EXPECT_EQ(tab.current, 0);
        HWND appExit = GetDlgItem(window, IDC_APP_EXIT);
        EXPECT_TRUE(appExit && !win::DescribeControl(appExit).visible) << "the exit button is there, hidden";
        shown.push_back(VisiblePages(dialog));
    });
    for (int index : {3, 1, 5, 2, 4, 0}) {
        script.TapPart(IDD_SYSTEM, IDC_TAB, "tab", index);
        script.Do(IDD_SYSTEM, "see which page shows", [&](HWND) { shown.push_back(VisiblePages(dialog)); });
    }
    // Enter and Escape, on the frame or inside a page, close nothing.
    script.PressKey(IDD_SYSTEM, VK_RETURN).PressKey(IDD_SYSTEM, VK_ESCAPE);
    script.Do(IDD_SYSTEM, "focus a control inside the measurement-mode page and press Enter", [&](HWND) {
        CSystemSettingSheet* page = dialog.GetPage(CSystemDlg::PageMode);
        HWND inside = GetWindow(page->m_hWnd, GW_CHILD);
        SetFocus(inside ? inside : page->m_hWnd);
        win::PressKey(dialog.m_hWnd, VK_RETURN);
    });
    script.PressKey(IDD_SYSTEM, VK_ESCAPE);
    script.Do(IDD_SYSTEM, "the dialog and its page are there", [&](HWND) { shown.push_back(VisiblePages(dialog)); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE);

    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"100000", "000100", "010000", "000001", "001000", "000010", "100000",
                                               "100000"}));
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(SystemDlgTest, EveryControlOfEveryPageLiesInsideTheTabControl)
{
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    std::vector<std::string> outside;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "measure the pages", [&](HWND window) {
        RECT tab{};
        GetWindowRect(GetDlgItem(window, IDC_TAB), &tab);
        RECT strip{};
        SendMessageW(GetDlgItem(window, IDC_TAB), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&strip));
        for (int i = 0; i < CSystemDlg::PageCount; ++i) {
            HWND page = dialog.GetPage(i)->m_hWnd;
            for (HWND control : win::ChildWindows(page)) {
                // Group boxes only frame other controls; their bottom line may
                // touch the border.
                if (win::DescribeControl(control).className == "groupbox")
                    continue;
                RECT place{};
                GetWindowRect(control, &place);
                if (place.top < tab.top + strip.bottom || place.bottom > tab.bottom || place.left < tab.left ||
                    place.right > tab.right)
                    outside.push_back("page " + std::to_string(i) + " control " + std::to_string(GetDlgCtrlID(control)));
            }
        }
    });
    script.Tap(IDD_SYSTEM, IDC_CLOSE);
    dialog.DoModal();
    EXPECT_TRUE(outside.empty()) << ::testing::PrintToString(outside);
}

TEST_F(SystemDlgTest, CallbackAndConfigurationReachEveryPageAndANewCallbackTakesOver)
{
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    dialog.SetDLGCallback(&receiver, 11);
    RecordingReceiver second;
    CSystemSettingSheet* files = nullptr;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "every page has the first receiver", [&](HWND) {
        for (int i = 0; i < CSystemDlg::PageCount; ++i) {
            ASSERT_NE(dialog.GetPage(i), nullptr);
            EXPECT_EQ(dialog.GetPage(i)->GetDLGReceiver(), &receiver) << "page " << i;
            EXPECT_EQ(dialog.GetPage(i)->GetDLGCookie(), 11);
        }
        dialog.SetDLGCallback(&second, 12);
        for (int i = 0; i < CSystemDlg::PageCount; ++i) {
            EXPECT_EQ(dialog.GetPage(i)->GetDLGReceiver(), &second) << "page " << i;
            EXPECT_EQ(dialog.GetPage(i)->GetDLGCookie(), 12);
        }
        // A page's requests now reach the new receiver with its cookie and
        // sender; questions a silent host leaves unanswered read as no.
        files = dialog.GetPage(CSystemDlg::PageFile);
        EXPECT_FALSE(files->SaveSettingFile(L"D:\\setup.env") || files->LoadSettingFile(L"D:\\setup.env"));
        dialog.GetPage(CSystemDlg::PageMisc)->ReportSettingChanged(CHG_SOUND);
        // Without the flag both recording roles share the first object.
        auto* recording = static_cast<CSystemRecordingSheet*>(dialog.GetPage(CSystemDlg::PageRecording));
        EXPECT_EQ(recording->GetRecordingConfig(), host.sysRec1.get());
        EXPECT_EQ(recording->GetPrintFormatConfig(), host.sysRec1.get());
    });
    script.Tap(IDD_SYSTEM, IDC_CLOSE);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(second.Kinds(), (std::vector<DWORD>{DLGREQ_SAVE_SETTINGS, DLGREQ_LOAD_SETTINGS, DLGREQ_SETTING_CHANGED}));
    for (const auto& request : second.Requests()) {
        EXPECT_EQ(request.cookie, 12);
        EXPECT_EQ(request.received.Word(0), sizeof(T_DLG_REQUEST));
    }
    EXPECT_EQ(second.Requests()[0].sender, static_cast<void*>(files));
    EXPECT_EQ(second.Requests()[1].Field(L"path"), L"D:\\setup.env");
    EXPECT_EQ(second.ChangeFlags(), std::vector<DWORD>{CHG_SOUND});
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(SystemDlgTest, SetUpFunctionsRefuseNull)
{
    CSystemDlg dialog(nullptr);
    EXPECT_EQ(dialog.SetupConfigData(nullptr, true), 0);
    EXPECT_EQ(dialog.GetPage(0), nullptr) << "pages exist only once the window does";
    CSystemRecordingSheet recording;
    CSystemMiscSheet misc;
    EXPECT_EQ(CSystemMainSheet().SetConfig(nullptr), 0);
    EXPECT_EQ(CSystemFileSheet().SetConfig(nullptr), FALSE);
    EXPECT_EQ(recording.SetConfig(nullptr, host.sysRec1.get()) + recording.SetConfig(host.sysRec1.get(), nullptr), 0);
    EXPECT_EQ(recording.GetRecordingConfig(), nullptr) << "a refused set-up stores nothing";
    EXPECT_EQ(CSystemCommSheet().SetConfig(nullptr), 0);
    EXPECT_EQ(misc.SetConfig(nullptr, host.sysRec1.get()) + misc.SetConfig(&host.misc, nullptr), 0);
    EXPECT_EQ(CSystemMaintenanceSheet().SetConfig(nullptr), 0);
}

// Shutdown and USB drive release: the auxiliary block's two shutdown bytes,
// the write-filter tool, the playback and eject steps.
class ShutdownTest : public SystemDlgTest {
protected:
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
    CurrentProfileScope profile;
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
    const Row rows[] = {{"ticked", true, true, false, true, true},   {"unticked", true, false, false, true, true},
                        {"tool runs", true, true, true, true, true}, {"tool missing", true, false, true, false, true},
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
        EXPECT_EQ(RunSystem(frame, row.withReceiver ? &to : nullptr), IDOK) << "the dialog ends after the request";

        EXPECT_EQ(host.misc.bNoMemorySaveAtShutdown, row.confirm == row.tick) << "byte 302";
        EXPECT_EQ(host.misc.bMaintenanceNextStart, row.maintenanceNext) << "the shutdown never writes byte 303";
        const std::string ran = row.confirm && row.maintenanceNext && row.tool ? "started C: -disable\nended\n" : "";
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
        SCOPED_TRACE("playback " + std::to_string(row.playbackAnswer) + ", answer " + std::to_string(row.answer));
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
        AnswerPopup(script, kUsbCaption,
                    L"USBドライブの切り離しを実行します。\n取り外しの安全が確認されたら\nデバイスを本体から取り外してください。",
                    row.answer);
        if (row.answer == IDOK)
            AnswerPopup(script, kUsbCaption,
                        row.ejectResult ? L"USBドライブを安全に取り外せることが\n確認されました。"
                                        : L"USBドライブの切り離しに失敗しました。\n",
                        IDOK);
        script.Do(IDD_SYSTEM, "the folder is the same", [&](HWND) {
            EXPECT_EQ(win::Drives::GetCurrentDirectory(), row.folder);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE);
        CSystemDlg frame(nullptr);
        RunSystem(frame, row.playbackAnswer < 0 ? nullptr : &to);
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
