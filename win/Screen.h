// What the screen shows: a read-only description of every visible top-level
// window with its controls and child dialogs. Describing only reads window
// state; it runs on the thread that owns the windows.
//
// Two forms. The full description (DescribeWindow, DescribeControl) holds
// every row of every list and every child dialog, shown or not: tests and
// the scripted operator read windows through it. The panel's capture
// (CaptureScreen) costs what the operator sees: a list brings the rows in
// view, a hidden child dialog only its own fields, and a window the reader
// still holds from an earlier capture is not described again.
#pragma once

#include "win/Win32Types.h"

#include <optional>
#include <string>
#include <vector>

namespace win {

struct ScreenControl {
    HWND hwnd = nullptr;
    int id = 0;
    std::string className;   // "button", "checkbox", "groupbox", "static", "edit", "tab", "listview",
                             // "listbox", "pushswitch", "hand", "jog", "channels", "ownerdraw", ...
    std::wstring text;
    RECT rect{};             // pixels, relative to the client area of the dialog that holds the control
    bool visible = false;    // the control's own visibility flag
    bool enabled = false;
    bool focused = false;
    std::optional<bool> checked;           // check boxes
    std::optional<bool> selected;          // push switches
    std::vector<std::wstring> tabs;        // tab controls
    std::optional<int> current;            // tab controls
    std::vector<std::wstring> columns;     // list views
    // Lists: the rows described (cells; list boxes one cell), from firstRow
    // on, and the selected rows among them, by index in the whole list.
    std::vector<std::vector<std::wstring>> rows;
    std::vector<int> selectedRows;
    int firstRow = 0;
    int rowCount = 0;                      // rows in the whole list
    int selectedCount = 0;                 // selected rows in the whole list
    // Counts every change of the list's rows, those out of view too, so that
    // a reader that keeps rows it fetched earlier sees when they went stale.
    unsigned long long rowsRevision = 0;
    std::optional<int> topRow;             // first row scrolled into view
    std::optional<std::wstring> value;     // jogs: the value as shown
    std::optional<std::wstring> unit;      // jogs
    std::vector<std::pair<std::string, std::wstring>> extra;  // class-specific extras
    unsigned long long version = 0;        // the window's change version, read before describing it
    bool reused = false;                   // capture: the reader holds it; only hwnd and version are set
};

struct ScreenWindow {
    HWND hwnd = nullptr;
    UINT templateId = 0;
    std::wstring caption;
    RECT rect{};             // top level: screen pixels; children: relative to the parent dialog's client area
    bool visible = false;
    bool enabled = false;
    bool modal = false;
    std::vector<ScreenControl> controls;
    std::vector<ScreenWindow> children;  // child dialogs (tab pages, embedded sheets)
    unsigned long long version = 0;      // the window's tree version, read before describing it
    // Capture: the reader holds the controls and children of this version,
    // so they are left out; the window's own fields are there.
    bool reused = false;
};

// What a capture's reader kept from earlier captures: a window (dialog) or
// control it holds at `version` is not described again.
class ScreenReuse {
public:
    virtual ~ScreenReuse() = default;
    virtual bool HoldsWindow(HWND window, unsigned long long treeVersion) = 0;
    virtual bool HoldsControl(HWND control, unsigned long long version) = 0;
};

// Every visible top-level window, front to back (the active modal window
// first), in the panel's form.
std::vector<ScreenWindow> CaptureScreen(ScreenReuse* reuse = nullptr);
// One window (visible or not) with its controls and child dialogs, in full.
ScreenWindow DescribeWindow(HWND hwnd);
ScreenControl DescribeControl(HWND hwnd);
// Up to `count` rows of a list from `first` (fewer at its end), with the
// list's row count and the selected rows among them. Nullopt for a window
// without rows.
std::optional<ScreenControl> DescribeRows(HWND hwnd, int first, int count);

}  // namespace win
