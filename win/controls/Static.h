// The "Static" window class: a text label. Its alignment (SS_LEFT, SS_CENTER,
// SS_RIGHT) stays in the style and is shown on the screen. Only a static with
// SS_NOTIFY answers taps: STN_CLICKED on the press and STN_DBLCLK on a double
// click, as on Windows; any other static lets taps fall through.
#pragma once

#include "win/controls/ControlState.h"

namespace win {

class Static : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class "static", extra "align" = "left", "center" or "right".
    void Describe(ScreenControl& control) const override;

    void ButtonDown();
    void DoubleClick();
};

}  // namespace win
