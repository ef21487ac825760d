// CStatic: the framework's wrapper of a "Static" window.
#pragma once

#include "win/Wnd.h"

class CStatic : public CWnd {
public:
    DECLARE_DYNAMIC(CStatic)

    using CWnd::Create;
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};
