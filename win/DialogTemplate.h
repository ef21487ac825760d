// Dialog templates: what a dialog resource holds (caption, font, size and
// controls in dialog units) and the process-wide registry that dialogs are
// created from. The resources module parses the template files and registers
// them; the window system only looks them up.
#pragma once

#include "win/Win32Types.h"

#include <optional>
#include <string>
#include <vector>

namespace win {

// Control classes a template can name. Custom host widgets sit on top of one
// of these (a push switch on a button, a jog on a static, ...).
enum class ControlClass {
    Button,      // push button, check box, radio, group box and owner-drawn by style
    Static,
    Edit,
    ListBox,
    ListView,    // "SysListView32"
    TabControl,  // "SysTabControl32"
    Custom,      // a placeholder for a host control that creates its own window
};

struct ControlTemplate {
    int id = 0;
    ControlClass controlClass = ControlClass::Static;
    std::wstring className;  // the template's class name, for the screen and debugging
    DWORD style = 0;         // WS_* | BS_* | ES_* ... as in a resource script
    DWORD exStyle = 0;
    int x = 0;               // dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::wstring text;       // template text; "\n" already turned into a line break
};

struct DialogTemplate {
    UINT id = 0;
    std::wstring caption;
    std::wstring fontName;
    int fontSize = 9;        // points
    DWORD style = 0;         // WS_POPUP | WS_CAPTION | DS_MODALFRAME, or WS_CHILD for pages
    int x = 0;               // dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::vector<ControlTemplate> controls;
};

// Registers a template under its id, replacing any earlier one. Returns false
// (and logs) when the template is malformed: duplicate control ids other than
// -1, or negative sizes.
bool RegisterDialogTemplate(DialogTemplate dialogTemplate);
// The template of that id, or nullptr. A returned pointer stays valid for the
// life of the process: a replaced template is kept, it is only no longer found.
const DialogTemplate* FindDialogTemplate(UINT id);
// The ids of every registered template, ascending.
std::vector<UINT> RegisteredDialogTemplateIds();

// Dialog units to pixels. Base units come from the template font: this port
// uses a fixed cell of 6 by 10 pixels for a 9-point font, scaled linearly
// with the point size, so that the 378 by 346 system dialog (567 by 433
// pixels) fits the 640 by 480 panel. The conversion is MulDiv(x, baseX, 4)
// and MulDiv(y, baseY, 8), as on Windows.
struct DialogBaseUnits {
    int x = 6;
    int y = 10;
};
DialogBaseUnits BaseUnitsForFont(int pointSize);
RECT DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy);

}  // namespace win
