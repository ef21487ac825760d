// The system dialog frame, driven as the operator drives it.
#include "core/SystemDlg.h"
#include "core/SystemSettingSheet.h"
#include "pages/comm/SystemCommSheet.h"
#include "pages/files/SystemFileSheet.h"
#include "pages/maintenance/SystemMaintenanceSheet.h"
#include "pages/misc/SystemMiscSheet.h"
#include "pages/mode/SystemMainSheet.h"
#include "pages/recording/SystemRecordingSheet.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using testing_support::HostConfiguration;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr UINT IDD_SYSTEM = 17000;
constexpr int IDC_TAB = 17000;
constexpr int IDC_CLOSE = 17045;
constexpr int IDC_APP_EXIT = 17040;

const win::ScreenControl* FindScreenControl(const win::ScreenWindow& window, int id)
{
    for (const auto& control : window.controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

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

class SystemDlgTest : public ::testing::Test {
protected:
    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    HostConfiguration host;
    RecordingReceiver receiver;
};

TEST_F(SystemDlgTest, TabsReadInOrderAndEachTabShowsExactlyItsPage)
{
    CSystemDlg dialog(nullptr);
    ASSERT_EQ(dialog.SetupConfigData(&host.record, false), 1);
    dialog.SetDLGCallback(&receiver, 7);

    std::vector<std::string> shown;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "read the tab strip", [&](HWND window) {
        win::ScreenWindow screen = win::DescribeWindow(window);
        EXPECT_EQ(screen.caption, L"システム");
        const win::ScreenControl* tab = FindScreenControl(screen, IDC_TAB);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->tabs, (std::vector<std::wstring>{L"測定モード", L"ファイル操作", L"収録設定", L"通信設定",
                                                        L"補助設定", L"メンテナンス"}));
        EXPECT_EQ(tab->current, 0);
        const win::ScreenControl* appExit = FindScreenControl(screen, IDC_APP_EXIT);
        ASSERT_NE(appExit, nullptr);
        EXPECT_FALSE(appExit->visible);
        shown.push_back(VisiblePages(dialog));
    });
    for (int index : {3, 1, 5, 2, 4, 0}) {
        script.TapPart(IDD_SYSTEM, IDC_TAB, "tab", index);
        script.Do(IDD_SYSTEM, "see which page shows", [&](HWND) { shown.push_back(VisiblePages(dialog)); });
    }
    script.Tap(IDD_SYSTEM, IDC_CLOSE);

    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"100000", "000100", "010000", "000001", "001000", "000010", "100000"}));
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
                if ((GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                    win::DescribeControl(control).className == "groupbox")
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

TEST_F(SystemDlgTest, EnterAndEscapeAnywhereCloseNothing)
{
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    ScriptedOperator script;
    script.PressKey(IDD_SYSTEM, VK_RETURN)
        .PressKey(IDD_SYSTEM, VK_ESCAPE)
        .Do(IDD_SYSTEM, "focus a control inside the measurement-mode page and press Enter",
            [&](HWND) {
                CSystemSettingSheet* page = dialog.GetPage(CSystemDlg::PageMode);
                HWND inside = GetWindow(page->m_hWnd, GW_CHILD);
                SetFocus(inside ? inside : page->m_hWnd);
                win::PressKey(dialog.m_hWnd, VK_RETURN);
            })
        .PressKey(IDD_SYSTEM, VK_ESCAPE)
        .Do(IDD_SYSTEM, "the dialog and its page are still there", [&](HWND) {
            EXPECT_EQ(VisiblePages(dialog), "100000");
        })
        .Tap(IDD_SYSTEM, IDC_CLOSE);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(SystemDlgTest, CallbackGivenBeforeAndDuringTheRunReachesEveryPage)
{
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    dialog.SetDLGCallback(&receiver, 11);
    RecordingReceiver second;
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
        // A page's request now reaches the new receiver with its cookie and sender.
        dialog.GetPage(CSystemDlg::PageMisc)->ReportSettingChanged(CHG_SOUND);
    });
    script.Tap(IDD_SYSTEM, IDC_CLOSE);
    EXPECT_EQ(dialog.DoModal(), 1);
    ASSERT_EQ(second.Count(DLGREQ_SETTING_CHANGED), 1u);
    EXPECT_EQ(second.Last(DLGREQ_SETTING_CHANGED).cookie, 12);
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

TEST_F(SystemDlgTest, SecondRecordingObjectOnlyWhenTheFlagSaysSo)
{
    for (bool useSecond : {false, true}) {
        CSystemDlg dialog(nullptr);
        dialog.SetupConfigData(&host.record, useSecond);
        CONFIG_SYSREC* seenFirst = nullptr;
        CONFIG_SYSREC* seenSecond = nullptr;
        ScriptedOperator script;
        script.Do(IDD_SYSTEM, "look at the recording page's objects", [&](HWND) {
            auto* page = static_cast<CSystemRecordingSheet*>(dialog.GetPage(CSystemDlg::PageRecording));
            seenFirst = page->GetRecordingConfig();
            seenSecond = page->GetPrintFormatConfig();
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE);
        dialog.DoModal();
        EXPECT_EQ(seenFirst, host.sysRec1.get());
        EXPECT_EQ(seenSecond, useSecond ? host.sysRec2.get() : host.sysRec1.get());
    }
}

TEST_F(SystemDlgTest, RequestsCarryTheSenderAndUnansweredQuestionsReadAsNo)
{
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    dialog.SetDLGCallback(&receiver, 3);
    bool saved = true;
    bool loaded = true;
    CSystemSettingSheet* page = nullptr;
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "a page saves and loads through a silent host", [&](HWND) {
        page = dialog.GetPage(CSystemDlg::PageFile);
        saved = page->SaveSettingFile(L"D:\\setup.env");
        loaded = page->LoadSettingFile(L"D:\\setup.env");
    });
    script.Tap(IDD_SYSTEM, IDC_CLOSE);
    dialog.DoModal();
    EXPECT_FALSE(saved);
    EXPECT_FALSE(loaded);
    ASSERT_EQ(receiver.Requests().size(), 2u);
    for (const auto& request : receiver.Requests()) {
        EXPECT_EQ(request.sender, static_cast<void*>(page));
        EXPECT_EQ(request.received.Word(0), sizeof(T_DLG_REQUEST));
        EXPECT_EQ(request.Field(L"path"), L"D:\\setup.env");
    }
}

}  // namespace
