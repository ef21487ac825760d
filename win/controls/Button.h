// The "Button" window class: push buttons, check boxes, radio buttons, group
// boxes and owner-drawn buttons, told apart by the BS_TYPEMASK bits of the
// style. A press is button-down (pushed, captured), then button-up: inside
// the button it releases, toggles an auto check box or checks an auto radio
// button, and only then sends BN_CLICKED. Group boxes take no input and a
// disabled button never notifies. BM_SETCHECK, BM_SETSTATE and BM_SETSTYLE
// send nothing.
#pragma once

#include "win/controls/ControlState.h"

namespace win {

class Button : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class: "button" for push buttons, "checkbox" (with `checked`) for
    // check boxes and for radio buttons (extra "kind" = "radio"), "groupbox",
    // "ownerdraw". Extras: "default", "pushLike", "multiline", "pushed".
    void Describe(ScreenControl& control) const override;

    // Operator input.
    void ButtonDown();
    void ButtonUp(POINT point);
    void DoubleClick();
    void KeyDown(UINT key);
    void KeyUp(UINT key);
    void Click();

    // Messages from code.
    UINT GetCheck() const { return m_check; }
    void SetCheck(WPARAM check);
    UINT GetState() const;
    void SetPushed(bool pushed);
    void SetButtonStyle(DWORD style, bool redraw);
    void SetFocused(bool focused);

private:
    DWORD Type() const;
    bool TakesInput() const;
    void StartPress();
    void EndPress(bool inside);
    void UncheckOtherAutoRadioButtons();

    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_focused = false;
    bool m_pressing = false;  // a press began here and waits for its release
};

}  // namespace win
