#include "win/WindowPlacement.h"

#include "win/Handles.h"
#include "win/WindowTable.h"

using namespace win::detail;

namespace {

bool Minimised(UINT showCmd)
{
    return showCmd == SW_SHOWMINIMIZED || showCmd == SW_MINIMIZE || showCmd == SW_SHOWMINNOACTIVE;
}

BOOL Refuse()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

}  // namespace

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT))
        return Refuse();
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return Refuse();
    placement->flags = 0;
    placement->showCmd = (window->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = window->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT) || !IsWindow(hwnd))
        return Refuse();
    const RECT& rect = placement->rcNormalPosition;
    MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    if (placement->showCmd == static_cast<UINT>(SW_HIDE)) {
        ShowWindow(hwnd, SW_HIDE);
        return TRUE;
    }
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return Refuse();
        const DWORD style = Minimised(placement->showCmd) ? window->style | WS_MINIMIZE : window->style & ~WS_MINIMIZE;
        if (style != window->style) {
            window->style = style;
            RecordChange(window);
        }
    }
    ShowWindow(hwnd, SW_SHOW);
    return TRUE;
}

BOOL IsIconic(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window && (window->style & WS_MINIMIZE) ? TRUE : FALSE;
}
