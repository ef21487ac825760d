// The "ListBox" window class: single selection, LBS_MULTIPLESEL (a tap
// toggles the row) and LBS_EXTENDEDSEL (a tap selects only the row, with
// Ctrl it toggles, with Shift it extends from the anchor). A tap changes the
// selection on button-down and, with LBS_NOTIFY, sends LBN_SELCHANGE on
// button-up; a double tap adds LBN_DBLCLK. As on Windows a tap below the last
// row lands on the last row. LB_SETCURSEL and LB_SETSEL send nothing.
#pragma once

#include "win/controls/ControlState.h"

#include <string>
#include <vector>

namespace win {

class ListBox : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class "listbox": topRow; rows (one cell each) and their
    // selection come from DescribeRows.
    void Describe(ScreenControl& control) const override;
    bool DescribeRows(int first, int count, ScreenControl& control) const override;
    std::pair<int, int> RowsInView() const override;
    // Part "row": scrolls the row into view and gives its centre.
    bool PointForPart(HWND self, const std::string& part, int index, POINT& point) override;

    // Operator input.
    void ButtonDown(WPARAM keys, POINT point);
    void ButtonUp();
    void DoubleClick();

    // Messages from code; results as Windows gives them (LB_ERR on failure).
    LRESULT AddString(LPCWSTR text);
    LRESULT InsertString(int index, LPCWSTR text);
    LRESULT DeleteString(int index);
    void ResetContent();
    LRESULT GetCount() const { return static_cast<LRESULT>(m_items.size()); }
    LRESULT GetCurSel() const;
    LRESULT SetCurSel(int index);
    LRESULT GetSel(int index) const;
    LRESULT SetSel(bool select, int index);
    LRESULT GetText(int index, LPWSTR buffer) const;
    LRESULT GetTextLength(int index) const;
    LRESULT GetSelCount() const;
    LRESULT GetSelItems(int maximum, int* items) const;
    LRESULT GetItemData(int index) const;
    LRESULT SetItemData(int index, LPARAM data);
    LRESULT GetTopIndex() const { return m_top; }
    LRESULT SetTopIndex(int index);
    LRESULT GetItemRect(int index, RECT* rect) const;

private:
    struct Item {
        std::wstring text;
        LPARAM data = 0;
        bool selected = false;
    };

    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
    bool MultipleSelection() const;
    int RowsPerPage() const;
    int ItemAt(POINT point) const;
    void EnsureVisible(int index);
    void SelectOnly(int index);

    std::vector<Item> m_items;
    int m_selected = -1;  // single-selection list boxes
    int m_caret = 0;
    int m_anchor = -1;
    int m_top = 0;
    bool m_tracking = false;  // a tap went down here and waits for its release
};

}  // namespace win
