// CListCtrl: the framework's wrapper of a "SysListView32" window in report
// view. Selected rows are walked as in the framework:
//     POSITION position = list.GetFirstSelectedItemPosition();
//     while (position) { int row = list.GetNextSelectedItem(position); ... }
// where a POSITION is the row index plus one (null: no further row).
#pragma once

#include "win/Wnd.h"
#include "win/controls/CommCtrl.h"

struct __POSITION;
using POSITION = __POSITION*;

class CListCtrl : public CWnd {
public:
    DECLARE_DYNAMIC(CListCtrl)

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Columns. A width or sub-item of -1 leaves that field out.
    int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int InsertColumn(int column, const LVCOLUMNW* columnRecord);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMNW* columnRecord) const;
    BOOL SetColumn(int column, const LVCOLUMNW* columnRecord);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);

    // Items.
    int InsertItem(const LVITEMW* item);
    int InsertItem(int item, LPCWSTR text);
    int InsertItem(int item, LPCWSTR text, int image);
    BOOL GetItem(LVITEMW* item) const;
    BOOL SetItem(const LVITEMW* item);
    BOOL SetItemText(int item, int subItem, LPCWSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPWSTR buffer, int length) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    void SetItemCount(int count);

    // Selection and focus.
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    int GetNextItem(int item, int flags) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    BOOL SetItemState(int item, LVITEMW* itemRecord);
    UINT GetItemState(int item, UINT mask) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int item);

    // Sorting and finding.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
    BOOL SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data);
    int FindItem(LVFINDINFOW* find, int start = -1) const;

    // View.
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    int HitTest(LVHITTESTINFO* info) const;
    int HitTest(POINT point, UINT* flags = nullptr) const;
};
