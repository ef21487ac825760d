// The screen snapshot: reads window state only.
#include "win/Screen.h"

#include "win/WindowTable.h"

namespace win {
namespace {

bool IsDialogWindow(const detail::WindowObject& window)
{
    return window.screenClass == "dialog";
}

}  // namespace

ScreenControl DescribeControl(HWND hwnd)
{
    ScreenControl control;
    DescribeHook hook;
    HWND focus = GetFocus();  // before the table lock: the focus lock is never taken under it
    {
        std::lock_guard guard(detail::TableLock());
        detail::WindowObject* window = detail::Find(hwnd);
        if (!window)
            return control;
        control.hwnd = hwnd;
        control.id = window->id;
        control.className = window->screenClass;
        control.text = window->text;
        control.rect = window->rect;
        control.visible = (window->style & WS_VISIBLE) != 0;
        control.enabled = (window->style & WS_DISABLED) == 0;
        control.focused = focus == hwnd;
        if (window->state)
            window->state->Describe(control);
        hook = window->describeHook;
    }
    if (hook)
        hook(control);
    return control;
}

ScreenWindow DescribeWindow(HWND hwnd)
{
    ScreenWindow described;
    std::vector<HWND> children;
    {
        std::lock_guard guard(detail::TableLock());
        detail::WindowObject* window = detail::Find(hwnd);
        if (!window)
            return described;
        described.hwnd = hwnd;
        described.templateId = window->templateId;
        described.caption = window->text;
        described.visible = (window->style & WS_VISIBLE) != 0;
        described.enabled = (window->style & WS_DISABLED) == 0;
        described.modal = window->modal;
        children = window->children;
    }
    GetWindowRect(hwnd, &described.rect);
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
        std::lock_guard guard(detail::TableLock());
        if (detail::WindowObject* window = detail::Find(hwnd))
            described.rect = window->rect;
    }
    // Children are listed front to back, as the window tree keeps them.
    for (HWND child : children) {
        bool isDialog = false;
        {
            std::lock_guard guard(detail::TableLock());
            detail::WindowObject* window = detail::Find(child);
            if (!window)
                continue;
            isDialog = IsDialogWindow(*window);
        }
        if (isDialog) {
            described.children.push_back(DescribeWindow(child));
        } else {
            described.controls.push_back(DescribeControl(child));
            // Dialogs nested inside a control (the pages inside the tab control)
            // belong to this window's children.
            for (HWND grandChild : ChildWindows(child)) {
                bool nestedDialog = false;
                {
                    std::lock_guard guard(detail::TableLock());
                    detail::WindowObject* window = detail::Find(grandChild);
                    nestedDialog = window && IsDialogWindow(*window);
                }
                if (nestedDialog) {
                    ScreenWindow nested = DescribeWindow(grandChild);
                    RECT host = described.controls.back().rect;
                    OffsetRect(&nested.rect, host.left, host.top);
                    described.children.push_back(std::move(nested));
                }
            }
        }
    }
    return described;
}

std::vector<ScreenWindow> CaptureScreen()
{
    std::vector<ScreenWindow> screen;
    for (HWND top : TopLevelWindows())
        if (IsWindowVisible(top))
            screen.push_back(DescribeWindow(top));
    return screen;
}

}  // namespace win
