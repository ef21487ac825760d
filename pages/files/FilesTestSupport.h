// The file page's tests: the system dialog on a temporary data root with a
// recording host, opened on the file tab, and helpers that read what the
// list shows and answer the page's popups.
#pragma once

#include "core/SystemDlg.h"
#include "host/IMRRec.h"
#include "win/DebugLog.h"
#include "win/TextConvert.h"
#include "pages/files/SystemFileSheet.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Drives.h"
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace files_test {

using testing_support::FindControl;
using testing_support::ScriptedOperator;

inline constexpr UINT IDD_SYSTEM = 17000;
inline constexpr UINT IDD_PROC = 17017;
inline constexpr UINT IDD_POPUP = 30000;
inline constexpr UINT IDD_KEYBOARD_PATH = 30004;
inline constexpr UINT IDD_BROWSE = 30007;
inline constexpr UINT IDD_MESSAGE_BOX = 0xFF00;
inline constexpr int IDC_TAB = 17000;
inline constexpr int IDC_CLOSE = 17045;
inline constexpr int IDC_POPUP_MESSAGE = 30010;

inline constexpr int IDC_FOLDER = 17159;
inline constexpr int IDC_BROWSE = 17040;
inline constexpr int IDC_LIST = 17109;
inline constexpr int IDC_SELECT_ALL = 17043;
inline constexpr int IDC_CLEAR_ALL = 17044;
inline constexpr int IDC_MEMORY_LIST = 17030;
inline constexpr int IDC_MEMORY_SAVE = 17027;
inline constexpr int IDC_NEW_FOLDER = 17029;
inline constexpr int IDC_COPY = 17064;
inline constexpr int IDC_DELETE = 17033;
inline constexpr int IDC_LOAD = 17032;
inline constexpr int IDC_TEXT_SAVE = 17025;
inline constexpr int IDC_ENV_SAVE = 17034;
inline constexpr int IDC_CSV_SAVE = 17028;
inline constexpr int IDC_MATLAB = 17037;
inline constexpr int IDC_FAMOS = 17039;
inline constexpr int IDC_DIADEM = 17038;

inline constexpr int IDC_PROC_LABEL = 17166;
inline constexpr int IDC_PROC_VALUE = 17167;
inline constexpr int IDC_PROC_BROWSE = 17168;
inline constexpr int IDC_PROC_HAND = 19001;
inline constexpr int kProcChecks[6] = {17043, 17044, 17045, 17046, 17101, 17110};

inline std::wstring ListText(HWND list, int row, int column)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    LVITEMW item;
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// Column `column` of every row, top to bottom.
inline std::vector<std::wstring> Column(HWND window, int column = 0)
{
    HWND list = FindControl(window, IDC_LIST);
    std::vector<std::wstring> texts;
    const int rows = list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int row = 0; row < rows; ++row)
        texts.push_back(ListText(list, row, column));
    return texts;
}

// The row whose name is `name`, or -1.
inline int RowOf(HWND window, const std::wstring& name)
{
    std::vector<std::wstring> names = Column(window);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

inline std::wstring HeaderText(HWND window, int column)
{
    HWND list = FindControl(window, IDC_LIST);
    wchar_t buffer[64] = {};
    LVCOLUMNW record;
    record.mask = LVCF_TEXT;
    record.pszText = buffer;
    record.cchTextMax = 64;
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record));
    return buffer;
}

inline std::vector<std::wstring> SelectedNames(HWND window)
{
    HWND list = FindControl(window, IDC_LIST);
    std::vector<std::wstring> names;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
        names.push_back(ListText(list, row, 0));
    return names;
}

inline std::wstring ControlText(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? GetWindowTextString(control) : L"(no control " + std::to_wstring(id) + L")";
}

inline bool Enabled(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control && IsWindowEnabled(control);
}

inline bool Visible(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control && IsWindowVisible(control);
}

// The folder chooser's rows (column 0).
inline std::vector<std::wstring> ChooserRows(HWND chooser)
{
    std::vector<std::wstring> rows;
    for (const auto& row : win::DescribeControl(GetDlgItem(chooser, 30012)).rows)
        rows.push_back(row.empty() ? L"" : row[0]);
    return rows;
}

// In the folder chooser: double-taps the rows named in `enter` one after
// the other, then taps the row `pick` (none when empty) and confirms.
inline void ChooseFolder(ScriptedOperator& script, std::vector<std::wstring> enter, std::wstring pick)
{
    for (const std::wstring& name : enter)
        script.Do(IDD_BROWSE, "enter a folder", [name](HWND chooser) {
            std::vector<std::wstring> rows = ChooserRows(chooser);
            auto found = std::find(rows.begin(), rows.end(), name);
            ASSERT_NE(found, rows.end()) << "the chooser has no such row";
            win::TapPart(GetDlgItem(chooser, 30012), "row", static_cast<int>(found - rows.begin()), 0, true);
        });
    if (!pick.empty())
        script.Do(IDD_BROWSE, "pick a folder", [pick](HWND chooser) {
            std::vector<std::wstring> rows = ChooserRows(chooser);
            auto found = std::find(rows.begin(), rows.end(), pick);
            ASSERT_NE(found, rows.end()) << "the chooser has no such row";
            win::TapPart(GetDlgItem(chooser, 30012), "row", static_cast<int>(found - rows.begin()));
        });
    script.Tap(IDD_BROWSE, IDOK);
}

class FilePageTest : public ::testing::Test {
protected:
    // Runs the system dialog with the script, which starts on the file tab
    // and ends with the close button.
    INT_PTR Run(ScriptedOperator& script)
    {
        dialog.SetupConfigData(&host.record, false);
        if (withReceiver)
            dialog.SetDLGCallback(&receiver, 3);
        return dialog.DoModal();
    }

    CSystemFileSheet* Page() const
    {
        return static_cast<CSystemFileSheet*>(dialog.GetPage(CSystemDlg::PageFile));
    }

    // Opens the file tab, selects the rows named, each with a tap.
    static void OpenFileTab(ScriptedOperator& script) { script.TapPart(IDD_SYSTEM, IDC_TAB, "tab", 1); }
    static void Select(ScriptedOperator& script, std::vector<std::wstring> names)
    {
        for (const std::wstring& name : names)
            script.Do(IDD_SYSTEM, "tap the row", [name](HWND window) {
                int row = RowOf(window, name);
                ASSERT_GE(row, 0) << "no row named this";
                ASSERT_EQ(win::TapPart(FindControl(window, IDC_LIST), "row", row), win::InputResult::Posted);
            });
    }
    static void Close(ScriptedOperator& script) { script.Tap(IDD_SYSTEM, IDC_CLOSE); }

    // Checks a popup's caption and exact message, then presses `button`.
    static void AnswerPopup(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message,
                            int button)
    {
        script.Do(IDD_POPUP, "answer the popup", [=](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), caption);
            EXPECT_EQ(ControlText(window, IDC_POPUP_MESSAGE), message);
            win::Tap(FindControl(window, button));
        });
    }
    static void AnswerMessageBox(ScriptedOperator& script, const std::wstring& caption, const std::wstring& text)
    {
        script.Do(IDD_MESSAGE_BOX, "answer the message box", [=](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), caption);
            EXPECT_TRUE(testing_support::ShowsText(window, text)) << "the box does not show the expected text";
            win::Tap(FindControl(window, IDOK));
        });
    }
    // Confirms the folder and name dialog with its value set to `value`
    // through the hand button's keyboard (name mode) or as it is.
    static void ConfirmName(ScriptedOperator& script, const std::wstring& value)
    {
        script.Tap(IDD_PROC, IDC_PROC_HAND);
        script.Do(IDD_KEYBOARD_PATH, "replace the text", [](HWND window) {
            win::Tap(FindControl(window, 30156));  // clear
        });
        script.Type(IDD_KEYBOARD_PATH, value);
        script.Tap(IDD_KEYBOARD_PATH, IDOK);
        script.Tap(IDD_PROC, IDOK);
    }

    // Generous: one test lists a folder of 100,000 entries on a shared machine.
    testing_support::Watchdog watchdog{std::chrono::seconds(180)};
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
    bool withReceiver = true;
    CSystemDlg dialog{nullptr};
};

// The actions' tests start in D:\ with the host's report journal and the
// debug log cleared.
using Names = std::vector<std::wstring>;
constexpr int kYes = IDOK;
constexpr int kNo = IDCANCEL;

class FileActionsTest : public FilePageTest {
protected:
    void SetUp() override
    {
        IMRRec::ClearReportedCodes();
        win::DebugLog::Clear();
        ASSERT_EQ(_chdir("D:\\"), 0);
    }
    void StartIn(const char* folder)
    {
        std::filesystem::create_directories(root.PosixOf(win::Utf8ToWide(folder)));
        ASSERT_EQ(_chdir(folder), 0);
    }
};

}  // namespace files_test
