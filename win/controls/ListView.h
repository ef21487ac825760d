// The "SysListView32" window class in report view, the one view the dialogs
// use: a header row of columns and one row per item below it, scrolled by
// whole rows (topRow).
//
// What a change sends, in Windows' order:
// - a change of an item's own fields (LVM_SETITEM on sub-item 0,
//   LVM_SETITEMSTATE, LVM_SETITEMTEXT on sub-item 0, taps): LVN_ITEMCHANGING
//   (a non-zero result vetoes), then in a single-selection list the other
//   rows' deselection, the change, the focus taken from the previously
//   focused row, and LVN_ITEMCHANGED. Item -1 in LVM_SETITEMSTATE does this
//   for every row whose state changes. Sub-item texts change silently.
// - LVM_INSERTITEM: LVN_INSERTITEM. LVM_DELETEITEM: LVN_DELETEITEM before the
//   row goes. LVM_DELETEALLITEMS: LVN_DELETEALLITEMS, then LVN_DELETEITEM for
//   each row from the last to the first unless the parent answered non-zero.
// - a tap on a row, on button-down: the focus (NM_SETFOCUS the first time),
//   then the selection: a single-selection list, or a tap without keys,
//   selects only that row; Ctrl toggles the row; Shift selects from the
//   selection mark to the row. A tap off the rows without keys deselects
//   all. On button-up: NM_CLICK (NMITEMACTIVATE, iItem -1 off the rows).
//   A double tap adds NM_DBLCLK and, on a row, LVN_ITEMACTIVATE.
// - a tap on a header cell: LVN_COLUMNCLICK (iItem -1, iSubItem the column)
//   on button-up over the same cell, unless LVS_NOSORTHEADER; the focus
//   stays where it was.
// LVM_SORTITEMS, LVM_ENSUREVISIBLE and the column messages send nothing. A
// row is hit in column 0, or anywhere in the columns with
// LVS_EX_FULLROWSELECT.
//
// LVM_SORTITEMS calls the comparison with the items' lParams and
// LVM_SORTITEMSEX with their indexes; the sort is stable, O(n log n), and the
// rows keep their old order until it is done, so a comparison may read the
// rows by their index as they stood when the sort began.
#pragma once

#include "win/controls/CommCtrl.h"
#include "win/controls/ControlState.h"
#include "win/controls/ListViewColumns.h"
#include "win/controls/ListViewRows.h"

namespace win {

class ListView : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class "listview": columns, topRow; extras "columnWidths" and
    // "columnFormats" (comma-separated), "focusedRow", "gridLines",
    // "fullRowSelect", "singleSelection". Rows (every cell text) and their
    // selection come from DescribeRows.
    void Describe(ScreenControl& control) const override;
    bool DescribeRows(int first, int count, ScreenControl& control) const override;
    std::pair<int, int> RowsInView() const override;
    // Part "row" scrolls the row into view and gives a point on it; part
    // "column" gives the centre of the header cell.
    bool PointForPart(HWND self, const std::string& part, int index, POINT& point) override;

    // Operator input.
    void ButtonDown(WPARAM keys, POINT point);
    void ButtonUp(WPARAM keys, POINT point);
    void DoubleClick(WPARAM keys, POINT point);
    void FocusChanged(bool focused);
    void SizeChanged();

    // Columns.
    LRESULT InsertColumn(int index, const LVCOLUMNW* column);
    BOOL DeleteColumn(int index);
    BOOL GetColumn(int index, LVCOLUMNW* column) const;
    BOOL SetColumn(int index, const LVCOLUMNW* column);
    LRESULT GetColumnWidth(int index) const;
    BOOL SetColumnWidth(int index, int width);

    // Items.
    LRESULT InsertItem(const LVITEMW* item);
    BOOL SetItem(const LVITEMW* item);
    BOOL SetItemText(int index, const LVITEMW* item);
    BOOL GetItem(LVITEMW* item) const;
    LRESULT GetItemText(int index, LVITEMW* item) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    LRESULT GetItemCount() const { return m_rows.Count(); }
    BOOL SetItemCount(int count);
    BOOL SetItemState(int index, const LVITEMW* item);
    LRESULT GetItemState(int index, UINT mask) const;
    LRESULT GetNextItem(int start, UINT flags) const;
    LRESULT GetSelectedCount() const { return m_rows.SelectedCount(); }
    LRESULT GetSelectionMark() const { return m_selectionMark; }
    LRESULT SetSelectionMark(int index);
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM sortParameter, bool byIndex);
    LRESULT FindItem(int start, const LVFINDINFOW* find) const;

    // View.
    BOOL EnsureVisible(int index);
    LRESULT GetTopIndex() const { return m_top; }
    LRESULT GetCountPerPage() const;
    BOOL GetItemRect(int index, RECT* rect) const;
    LRESULT HitTest(LVHITTESTINFO* info) const;
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    DWORD GetExtendedStyle() const { return m_extendedStyle; }

private:
    struct Hit {
        int item = -1;
        int subItem = 0;
        UINT flags = LVHT_NOWHERE;
    };

    bool SingleSelection() const;
    int HeaderHeight() const;
    RECT Client() const;
    Hit HitAt(POINT point) const;
    void ClampTop();

    bool ChangeItem(int index, const LVITEMW& change);
    bool ChangeState(int index, UINT state, UINT mask);
    void DeselectAllExcept(int keep);
    void SelectOnly(int index);
    void SelectRange(int anchor, int index, bool keepOthers);
    LRESULT Notify(UINT code, NMLISTVIEW& info) const { return NotifyParent(info.hdr, code); }
    void NotifyClick(UINT code, WPARAM keys, POINT point);

    ListViewRows m_rows;
    ListViewColumns m_columns;
    DWORD m_extendedStyle = 0;
    int m_top = 0;
    int m_selectionMark = -1;
    bool m_hasFocus = false;
    bool m_rowPressed = false;     // a tap went down below the header
    bool m_headerPressed = false;  // a tap went down on the header
    int m_pressedColumn = -1;
};

}  // namespace win
