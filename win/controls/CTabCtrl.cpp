#include "win/controls/CTabCtrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"SysTabControl32", L"", style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int item, LPCWSTR text)
{
    TCITEMW tabItem{};
    tabItem.mask = TCIF_TEXT;
    tabItem.pszText = const_cast<LPWSTR>(text);
    return InsertItem(item, &tabItem);
}

LONG CTabCtrl::InsertItem(int item, TCITEMW* tabItem)
{
    return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tabItem)));
}

BOOL CTabCtrl::GetItem(int item, TCITEMW* tabItem) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tabItem)));
}

BOOL CTabCtrl::SetItem(int item, TCITEMW* tabItem)
{
    return static_cast<BOOL>(SendMessage(TCM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tabItem)));
}

BOOL CTabCtrl::DeleteItem(int item) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item))); }

BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }

int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }

SIZE CTabCtrl::SetItemSize(SIZE size)
{
    LRESULT previous = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy)));
    SIZE result;
    result.cx = LOWORD(static_cast<std::uintptr_t>(previous));
    result.cy = HIWORD(static_cast<std::uintptr_t>(previous));
    return result;
}

BOOL CTabCtrl::GetItemRect(int item, LPRECT rect) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect)
{
    SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}

int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }

int CTabCtrl::SetCurSel(int item) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item))); }

int CTabCtrl::HitTest(TCHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
