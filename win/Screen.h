// What the screen shows: a read-only description of every visible top-level
// window with its controls and child dialogs. Capturing it only reads window
// state; it runs on the thread that owns the windows.
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
    std::vector<std::vector<std::wstring>> rows;  // list views (cells), list boxes (one cell)
    std::vector<int> selectedRows;         // list views, list boxes
    std::optional<int> topRow;             // first row scrolled into view
    std::optional<std::wstring> value;     // jogs: the value as shown
    std::optional<std::wstring> unit;      // jogs
    std::vector<std::pair<std::string, std::wstring>> extra;  // class-specific extras
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
};

// Every visible top-level window, front to back (the active modal window first).
std::vector<ScreenWindow> CaptureScreen();
// One window (visible or not) with its controls and child dialogs.
ScreenWindow DescribeWindow(HWND hwnd);
ScreenControl DescribeControl(HWND hwnd);

}  // namespace win
