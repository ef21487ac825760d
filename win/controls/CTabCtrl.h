// CTabCtrl: the framework's wrapper of a "SysTabControl32" window.
// SetItemSize takes and returns a SIZE (a CSize converts to one).
#pragma once

#include "win/Wnd.h"
#include "win/controls/CommCtrl.h"

class CTabCtrl : public CWnd {
public:
    DECLARE_DYNAMIC(CTabCtrl)

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    LONG InsertItem(int item, LPCWSTR text);
    LONG InsertItem(int item, TCITEMW* tabItem);
    BOOL GetItem(int item, TCITEMW* tabItem) const;
    BOOL SetItem(int item, TCITEMW* tabItem);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    SIZE SetItemSize(SIZE size);
    BOOL GetItemRect(int item, LPRECT rect) const;
    // larger FALSE: window rectangle to display area; TRUE: the reverse.
    void AdjustRect(BOOL larger, LPRECT rect);
    int GetCurSel() const;
    int SetCurSel(int item);  // silent: TCN_SELCHANGING/TCN_SELCHANGE come only from taps
    int HitTest(TCHITTESTINFO* info) const;
};
