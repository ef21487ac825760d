// CListBox: the framework's wrapper of a "ListBox" window. Results are the
// list box's own (LB_ERR for a bad index or the wrong selection mode).
#pragma once

#include "win/Wnd.h"

class CListBox : public CWnd {
public:
    DECLARE_DYNAMIC(CListBox)

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;

    // Single selection.
    int GetCurSel() const;
    int SetCurSel(int select);
    // Multiple selection.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maximum, int* items) const;

    int GetText(int index, LPWSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    int GetTopIndex() const;
    int SetTopIndex(int index);
};
