#include "win/controls/CListCtrl.h"

#include <string>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"SysListView32", L"", style, rect, parent, id);
}

// ---------------------------------------------------------------------------
// Columns.

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem)
{
    LVCOLUMNW record{};
    record.mask = LVCF_TEXT | LVCF_FMT;
    record.pszText = const_cast<LPWSTR>(heading);
    record.fmt = format;
    if (width != -1) {
        record.mask |= LVCF_WIDTH;
        record.cx = width;
    }
    if (subItem != -1) {
        record.mask |= LVCF_SUBITEM;
        record.iSubItem = subItem;
    }
    return InsertColumn(column, &record);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNW* columnRecord)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(columnRecord)));
}

BOOL CListCtrl::DeleteColumn(int column) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column))); }

BOOL CListCtrl::GetColumn(int column, LVCOLUMNW* columnRecord) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(columnRecord)));
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMNW* columnRecord)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(columnRecord)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(static_cast<unsigned>(width), 0)));
}

// ---------------------------------------------------------------------------
// Items.

int CListCtrl::InsertItem(const LVITEMW* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::InsertItem(int item, LPCWSTR text)
{
    LVITEMW record{};
    record.mask = LVIF_TEXT;
    record.iItem = item;
    record.pszText = const_cast<LPWSTR>(text);
    return InsertItem(&record);
}

int CListCtrl::InsertItem(int item, LPCWSTR text, int image)
{
    LVITEMW record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE;
    record.iItem = item;
    record.pszText = const_cast<LPWSTR>(text);
    record.iImage = image;
    return InsertItem(&record);
}

BOOL CListCtrl::GetItem(LVITEMW* item) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItem(const LVITEMW* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text)
{
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)));
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    // The text's length is not asked for: the buffer doubles until the text
    // fits with room to spare, as the framework does.
    std::wstring buffer;
    int length = 128;
    int copied = 0;
    do {
        length *= 2;
        buffer.assign(static_cast<size_t>(length), L'\0');
        copied = GetItemText(item, subItem, buffer.data(), length);
    } while (copied >= length - 1);
    buffer.resize(static_cast<size_t>(copied));
    return CString(buffer);
}

int CListCtrl::GetItemText(int item, int subItem, LPWSTR buffer, int length) const
{
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = buffer;
    record.cchTextMax = length;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMW record{};
    record.mask = LVIF_PARAM;
    record.iItem = item;
    record.lParam = static_cast<LPARAM>(data);
    return SetItem(&record);
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMW record{};
    record.mask = LVIF_PARAM;
    record.iItem = item;
    if (!GetItem(&record))
        return 0;
    return static_cast<DWORD_PTR>(record.lParam);
}

BOOL CListCtrl::DeleteItem(int item) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

void CListCtrl::SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }

// ---------------------------------------------------------------------------
// Selection and focus.

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return reinterpret_cast<POSITION>(static_cast<std::intptr_t>(1 + GetNextItem(-1, LVNI_SELECTED)));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    int current = static_cast<int>(reinterpret_cast<std::intptr_t>(position)) - 1;
    position = reinterpret_cast<POSITION>(static_cast<std::intptr_t>(1 + GetNextItem(current, LVNI_SELECTED)));
    return current;
}

int CListCtrl::GetNextItem(int item, int flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), MAKELPARAM(static_cast<unsigned>(flags), 0)));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMW record{};
    record.state = state;
    record.stateMask = mask;
    return SetItemState(item, &record);
}

BOOL CListCtrl::SetItemState(int item, LVITEMW* itemRecord)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(itemRecord)));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}

int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }

int CListCtrl::SetSelectionMark(int item)
{
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(item)));
}

// ---------------------------------------------------------------------------
// Sorting and finding.

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMSEX, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

int CListCtrl::FindItem(LVFINDINFOW* find, int start) const
{
    return static_cast<int>(SendMessage(LVM_FINDITEMW, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
}

// ---------------------------------------------------------------------------
// View.

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), static_cast<LPARAM>(partialOK)));
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    if (!rect)
        return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::HitTest(POINT point, UINT* flags) const
{
    LVHITTESTINFO info{};
    info.pt = point;
    int item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}
