// Operator input. A tap is a button-down and button-up posted to a control, a
// key is WM_KEYDOWN (with WM_CHAR for text) and WM_KEYUP posted to the window
// that has the focus; both reach handlers only through the message loop and
// its PreTranslateMessage chain. Drivers supply that input when a message
// loop finds its queue empty.
#pragma once

#include "win/Win32Types.h"

#include <string>
#include <string_view>

namespace win {

// Asked for input by a message loop whose queue is empty. OnIdle runs on the
// loop's thread. It returns true after it made progress (posted input, ended
// a window); false makes the loop wait for posted messages.
class InputDriver {
public:
    virtual ~InputDriver() = default;
    virtual bool OnIdle() = 0;
};

// The process-wide driver (null: loops just wait). Returns the previous one.
InputDriver* SetInputDriver(InputDriver* driver);
InputDriver* GetInputDriver();

// Ends every running modal loop at its next check with result -1, and makes
// loops started later end at once, until ClearModalAbort. A scripted operator
// that has no step for the window in front of it uses this so a failing test
// unwinds instead of hanging.
void AbortAllModalLoops();
void ClearModalAbort();
bool IsModalAbortRequested();

// Why an input was refused.
enum class InputResult {
    Posted,
    NoWindow,     // not a window
    Hidden,       // the control or one of its ancestors is hidden
    Disabled,     // the control or one of its ancestors is disabled
    NoSuchPart,   // the row, column or tab does not exist
};
const char* InputResultName(InputResult result);

// Whether a control can take input now (visible and enabled up to its top-level window).
InputResult CanTakeInput(HWND hwnd);

// Taps at the centre of the control. keyFlags adds MK_CONTROL / MK_SHIFT.
InputResult Tap(HWND control, WPARAM keyFlags = 0);
// Taps a part of the control: "row", "column" (list header) or "tab".
InputResult TapPart(HWND control, const std::string& part, int index, WPARAM keyFlags = 0, bool twice = false);
// Taps at a point in the control's client coordinates.
InputResult TapAt(HWND control, POINT point, WPARAM keyFlags = 0);
// Two taps in quick succession: down, up, double-click, up.
InputResult DoubleTap(HWND control);
InputResult DoubleTapAt(HWND control, POINT point, WPARAM keyFlags = 0);
// Presses and releases a key in the window (delivered to the focused window
// when it lies inside it, else to the window itself).
InputResult PressKey(HWND window, UINT virtualKey);
// Types text as WM_CHAR messages to the focused window inside `window`.
InputResult TypeText(HWND window, std::wstring_view text);

}  // namespace win
