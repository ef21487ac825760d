// A small modal box of the window system made for one call: caption,
// message and a row of push buttons. The box ends with the id of the button
// pressed, or IDCANCEL for Escape. MessageBoxW and the shell's questions are
// such boxes, so the operator (or a script) answers them like any dialog.
#pragma once

#include "win/Win32Types.h"

#include <string>
#include <vector>

namespace win {

struct BoxButton {
    int id = 0;
    std::wstring text;
};

// The first button is the default one.
int ShowQuestionBox(HWND owner, UINT templateId, const std::wstring& caption, const std::wstring& text,
                    const std::vector<BoxButton>& buttons);

}  // namespace win
