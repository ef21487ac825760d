// The "Edit" window class, single- and multi-line. The operator types at the
// end of the text: a printable character is appended, backspace removes the
// last character (a whole line break in a multi-line edit), Enter starts a
// new line in a multi-line edit; each change sends EN_CHANGE. A read-only
// edit (ES_READONLY, EM_SETREADONLY) and a disabled one ignore typing.
// WM_SETTEXT from code is silent. A tap gives the edit the focus, so keys
// and typed text reach it.
#pragma once

#include "win/controls/ControlState.h"

namespace win {

class Edit : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class "edit"; extras "readOnly", "multiline" and "number".
    void Describe(ScreenControl& control) const override;

    void ButtonDown();
    void Character(wchar_t character);
    BOOL SetReadOnly(bool readOnly);

private:
    bool Multiline() const;
};

}  // namespace win
