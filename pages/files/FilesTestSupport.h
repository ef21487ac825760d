// The file page's tests: the system dialog on a temporary data root with a
// recording host, opened on the file tab, and helpers that read what the
// list shows and answer the page's popups.
#pragma once

#include "core/SystemDlg.h"
#include "host/IMRRec.h"
#include "pages/files/SystemFileSheet.h"
#include "tests/harness/SystemDialogTest.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/controls/CommCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace files_test {

using namespace testing_support;
using Names = std::vector<std::wstring>;

inline constexpr UINT IDD_PROC = 17017, IDD_KEYBOARD_PATH = 30004, IDD_BROWSE = 30007;
inline constexpr int IDC_TAB = 17000, IDC_CLOSE = 17045, kChooserList = 30012;
inline constexpr int IDC_FOLDER = 17159, IDC_BROWSE = 17040, IDC_LIST = 17109, IDC_SELECT_ALL = 17043,
                     IDC_CLEAR_ALL = 17044, IDC_MEMORY_LIST = 17030, IDC_MEMORY_SAVE = 17027, IDC_NEW_FOLDER = 17029,
                     IDC_COPY = 17064, IDC_DELETE = 17033, IDC_LOAD = 17032, IDC_TEXT_SAVE = 17025,
                     IDC_ENV_SAVE = 17034, IDC_CSV_SAVE = 17028, IDC_MATLAB = 17037, IDC_FAMOS = 17039,
                     IDC_DIADEM = 17038;
inline constexpr int IDC_PROC_LABEL = 17166, IDC_PROC_VALUE = 17167, IDC_PROC_BROWSE = 17168, IDC_PROC_HAND = 19001;
inline constexpr int kProcChecks[6] = {17043, 17044, 17045, 17046, 17101, 17110};
inline constexpr int kYes = IDOK, kNo = IDCANCEL;

inline Names Column(HWND window, int column = 0) { return ListColumn(window, IDC_LIST, column); }

// The row whose name is `name`, or -1.
inline int RowOf(HWND window, const std::wstring& name)
{
    const Names names = Column(window);
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

inline std::wstring HeaderText(HWND window, int column)
{
    return win::DescribeControl(FindControl(window, IDC_LIST)).columns.at(static_cast<size_t>(column));
}

inline Names SelectedNames(HWND window)
{
    const win::ScreenControl list = win::DescribeControl(FindControl(window, IDC_LIST));
    Names selected;
    for (int row : list.selectedRows)
        selected.push_back(list.rows.at(static_cast<size_t>(row)).at(0));
    return selected;
}

// In the folder chooser: double-taps the rows named in `enter` one after
// the other, then taps the row `pick` (none when empty) and confirms.
inline void ChooseFolder(ScriptedOperator& script, Names enter, std::wstring pick)
{
    for (const std::wstring& name : enter)
        TapRow(script, IDD_BROWSE, kChooserList, name, true);
    if (!pick.empty())
        TapRow(script, IDD_BROWSE, kChooserList, pick);
    script.Tap(IDD_BROWSE, IDOK);
}

// Every script starts by opening the file tab.
class FilePageTest : public SystemDialogTest {
protected:
    FilePageTest() { OpenTab(script, 1); }
    // Every test starts in D:\ with the host's report journal and the debug
    // log cleared.
    void SetUp() override
    {
        IMRRec::ClearReportedCodes();
        win::DebugLog::Clear();
        ASSERT_EQ(_chdir("D:\\"), 0);
    }
    // Makes `folder`, with the files named (each holding its name), the
    // current folder.
    void StartIn(const char* folder, std::initializer_list<const wchar_t*> files = {})
    {
        std::filesystem::create_directories(root.PosixOf(win::Utf8ToWide(folder)));
        for (const wchar_t* name : files)
            root.WriteFile(win::Utf8ToWide(folder) + L"\\" + name, win::WideToUtf8(name));
        ASSERT_EQ(_chdir(folder), 0);
    }
    // Taps the save or new-folder button and confirms the name typed.
    void SaveAs(int button, const std::wstring& name)
    {
        script.Tap(IDD_SYSTEM, button);
        ConfirmName(script, name);
    }

    // Ends the script with the close button and runs the system dialog with it.
    INT_PTR Finish() { return Run(script); }
    CSystemFileSheet* Page() const { return static_cast<CSystemFileSheet*>(dialog->GetPage(CSystemDlg::PageFile)); }

    // Taps each row named, as the operator selects rows.
    static void Select(ScriptedOperator& script, Names names)
    {
        for (const std::wstring& name : names)
            TapRow(script, IDD_SYSTEM, IDC_LIST, name);
    }
    // Confirms the folder and name dialog with its value replaced by `value`
    // through the hand button's keyboard.
    static void ConfirmName(ScriptedOperator& script, const std::wstring& value)
    {
        script.Tap(IDD_PROC, IDC_PROC_HAND);
        script.Do(IDD_KEYBOARD_PATH, "clear the text", [](HWND window) { win::Tap(FindControl(window, 30156)); });
        script.Type(IDD_KEYBOARD_PATH, value);
        script.Tap(IDD_KEYBOARD_PATH, IDOK);
        script.Tap(IDD_PROC, IDOK);
    }

    ScriptedOperator script;
};

class FileActionsTest : public FilePageTest {};

}  // namespace files_test
