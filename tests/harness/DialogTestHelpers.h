// For the tests that drive the system dialog as the operator does: reading
// what its windows show and answering the host's popups.
#pragma once

#include "tests/harness/ScriptedOperator.h"
#include "win/Input.h"
#include "win/Screen.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr UINT IDD_SYSTEM = 17000, IDD_POPUP = 30000, IDD_MESSAGE_BOX = 0xFF00;
inline constexpr int IDC_POPUP_MESSAGE = 30010;

// The text of control `id` anywhere inside `window` (child dialogs included).
inline std::wstring ControlText(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? GetWindowTextString(control) : L"(no control " + std::to_wstring(id) + L")";
}

inline bool Enabled(HWND window, int id) { return IsWindowEnabled(FindControl(window, id)) != FALSE; }
inline bool Visible(HWND window, int id) { return IsWindowVisible(FindControl(window, id)) != FALSE; }

// "1" for each latched switch or ticked box of `ids`, "0" for the others.
inline std::wstring Latches(HWND window, const std::vector<int>& ids)
{
    std::wstring shown;
    for (int id : ids)
        shown += SendMessageW(FindControl(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED ? L'1' : L'0';
    return shown;
}

// Column `column` of every row of the list `id`, top to bottom.
inline std::vector<std::wstring> ListColumn(HWND window, int id, int column = 0)
{
    std::vector<std::wstring> cells;
    for (const auto& row : win::DescribeControl(FindControl(window, id)).rows)
        cells.push_back(static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : L"");
    return cells;
}

// A step that checks the text of control `id` in the window of `templateId`.
inline void ExpectText(ScriptedOperator& script, UINT templateId, int id, const std::wstring& text)
{
    script.Do(templateId, "read control " + std::to_string(id),
              [=](HWND window) { EXPECT_EQ(ControlText(window, id), text); });
}

// A step that taps, or double-taps, the row of list `listId` whose first
// column is `name`, in the window of `templateId`.
inline void TapRow(ScriptedOperator& script, UINT templateId, int listId, const std::wstring& name,
                   bool twice = false)
{
    script.Do(templateId, "tap the row " + win::WideToUtf8(name), [=](HWND window) {
        const std::vector<std::wstring> rows = ListColumn(window, listId);
        const auto found = std::find(rows.begin(), rows.end(), name);
        ASSERT_NE(found, rows.end()) << "the list has no such row";
        EXPECT_EQ(win::TapPart(FindControl(window, listId), "row", static_cast<int>(found - rows.begin()), 0, twice),
                  win::InputResult::Posted);
    });
}

// A step that checks a popup's caption and exact message, then presses `button`.
inline void AnswerPopup(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message,
                        int button)
{
    script.Do(IDD_POPUP, "answer '" + win::WideToUtf8(message) + "'", [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_EQ(ControlText(window, IDC_POPUP_MESSAGE), message);
        win::Tap(FindControl(window, button));
    });
}

// A step that checks a message box's caption and that it shows `text`, then presses OK.
inline void AnswerMessageBox(ScriptedOperator& script, const std::wstring& caption, const std::wstring& text)
{
    script.Do(IDD_MESSAGE_BOX, "answer the message box", [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_TRUE(ShowsText(window, text)) << "the box does not show the expected text";
        win::Tap(FindControl(window, IDOK));
    });
}

}  // namespace testing_support
