// A window's placement: its show state (normal or minimised) and its normal
// rectangle. A minimised window keeps WS_VISIBLE, as on Windows, and carries
// WS_MINIMIZE until it is restored; the panel has no task bar, so nothing
// else changes. Minimum and maximum positions are not kept.
#pragma once

#include "win/Window.h"

constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;
constexpr DWORD WS_MINIMIZE = 0x20000000;

struct WINDOWPLACEMENT {
    UINT length = 0;
    UINT flags = 0;
    UINT showCmd = 0;
    POINT ptMinPosition{};
    POINT ptMaxPosition{};
    RECT rcNormalPosition{};  // as the parent's client area (top level: the screen) places it
};

// Both fail (FALSE, ERROR_INVALID_PARAMETER) unless `length` is the record's size.
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Moves the window to the normal rectangle and applies the show state:
// the minimised states minimise it, SW_HIDE hides it, the others show it
// restored.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
BOOL IsIconic(HWND hwnd);
