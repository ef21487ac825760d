// Change reports of the host: windows that registered with MRInit receive
// their message whenever the host announces that stored data changed
// (IMRRec::MReport). The message is posted with the report code as wParam
// and 0 as lParam. A window that no longer exists is dropped at the next
// report.
#pragma once

#include "win/Win32Types.h"

#include <utility>
#include <vector>

class IModifiedReport {
public:
    // Registers `hwnd` for `message`; registering a window again replaces
    // its message. A null window is refused with FALSE.
    static BOOL MRInit(HWND hwnd, UINT message);
    static void MRTerm(HWND hwnd);

    // Posts each registered window its message; returns how many got it.
    static int Broadcast(UINT code);
    static std::vector<std::pair<HWND, UINT>> GetRegistrations();
};
