// Operator input posted as messages, the input driver and the modal abort.
#include "win/Input.h"

#include "win/Window.h"

#include <atomic>

namespace win {
namespace {

std::atomic<InputDriver*> installedDriver{nullptr};
std::atomic<bool> modalAbort{false};

POINT CentreOf(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return POINT{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
}

// The window that keys go to: the focused window when it lies inside
// `window`, else the window itself.
HWND KeyTarget(HWND window)
{
    HWND focus = GetFocus();
    if (focus && (focus == window || IsChild(window, focus)) && IsWindowVisible(focus) && IsWindowEnabled(focus))
        return focus;
    return window;
}

}  // namespace

InputDriver* SetInputDriver(InputDriver* driver) { return installedDriver.exchange(driver); }
InputDriver* GetInputDriver() { return installedDriver.load(); }

void AbortAllModalLoops()
{
    modalAbort = true;
    // Wake every loop so it notices.
    for (HWND top : TopLevelWindows())
        PostMessageW(top, WM_NULL, 0, 0);
}

void ClearModalAbort() { modalAbort = false; }
bool IsModalAbortRequested() { return modalAbort.load(); }

const char* InputResultName(InputResult result)
{
    switch (result) {
    case InputResult::Posted: return "posted";
    case InputResult::NoWindow: return "no such window";
    case InputResult::Hidden: return "the control is hidden";
    case InputResult::Disabled: return "the control is disabled";
    case InputResult::NoSuchPart: return "no such part of the control";
    }
    return "?";
}

InputResult CanTakeInput(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return InputResult::NoWindow;
    if (!IsWindowVisible(hwnd))
        return InputResult::Hidden;
    // Input reaches a control only when it and every window above it is
    // enabled; a modal dialog disables its owner, so the owner's controls are
    // out of reach while it runs.
    for (HWND window = hwnd; window; window = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr)
        if (!IsWindowEnabled(window))
            return InputResult::Disabled;
    return InputResult::Posted;
}

InputResult TapAt(HWND control, POINT point, WPARAM keyFlags)
{
    InputResult state = CanTakeInput(control);
    if (state != InputResult::Posted)
        return state;
    LPARAM where = MAKELPARAM(static_cast<unsigned>(point.x), static_cast<unsigned>(point.y));
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keyFlags, where);
    PostMessageW(control, WM_LBUTTONUP, keyFlags, where);
    return InputResult::Posted;
}

InputResult Tap(HWND control, WPARAM keyFlags)
{
    if (!IsWindow(control))
        return InputResult::NoWindow;
    return TapAt(control, CentreOf(control), keyFlags);
}

InputResult DoubleTapAt(HWND control, POINT point, WPARAM keyFlags)
{
    InputResult state = CanTakeInput(control);
    if (state != InputResult::Posted)
        return state;
    LPARAM where = MAKELPARAM(static_cast<unsigned>(point.x), static_cast<unsigned>(point.y));
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keyFlags, where);
    PostMessageW(control, WM_LBUTTONUP, keyFlags, where);
    PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON | keyFlags, where);
    PostMessageW(control, WM_LBUTTONUP, keyFlags, where);
    return InputResult::Posted;
}

InputResult DoubleTap(HWND control)
{
    if (!IsWindow(control))
        return InputResult::NoWindow;
    return DoubleTapAt(control, CentreOf(control));
}

InputResult TapPart(HWND control, const std::string& part, int index, WPARAM keyFlags, bool twice)
{
    InputResult state = CanTakeInput(control);
    if (state != InputResult::Posted)
        return state;
    WindowState* windowState = GetWindowState(control);
    POINT point{};
    if (!windowState || !windowState->PointForPart(control, part, index, point))
        return InputResult::NoSuchPart;
    return twice ? DoubleTapAt(control, point, keyFlags) : TapAt(control, point, keyFlags);
}

InputResult PressKey(HWND window, UINT virtualKey)
{
    InputResult state = CanTakeInput(window);
    if (state != InputResult::Posted)
        return state;
    HWND target = KeyTarget(window);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    return InputResult::Posted;
}

InputResult TypeText(HWND window, std::wstring_view text)
{
    InputResult state = CanTakeInput(window);
    if (state != InputResult::Posted)
        return state;
    HWND target = KeyTarget(window);
    for (wchar_t character : text)
        PostMessageW(target, WM_CHAR, static_cast<WPARAM>(character), 1);
    return InputResult::Posted;
}

}  // namespace win
