// CButton: the framework's wrapper of a "Button" window.
#pragma once

#include "win/Wnd.h"

class CButton : public CWnd {
public:
    DECLARE_DYNAMIC(CButton)

    using CWnd::Create;
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCheck() const;
    void SetCheck(int check);  // silent: the parent hears nothing
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
};
