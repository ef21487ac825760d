// The standard control classes of the window system: button (push, check box,
// radio, group box, owner-drawn), static, edit, list box, list view and tab
// control.
#pragma once

namespace win {

// Registers every standard control class; idempotent and thread-safe.
void RegisterStandardControls();

}  // namespace win
