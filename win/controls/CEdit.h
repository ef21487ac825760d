// CEdit: the framework's wrapper of an "Edit" window. Its text is read and
// set through CWnd (GetWindowText, SetWindowText).
#pragma once

#include "win/Wnd.h"

class CEdit : public CWnd {
public:
    DECLARE_DYNAMIC(CEdit)

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL SetReadOnly(BOOL readOnly = TRUE);
};
