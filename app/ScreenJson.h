// The screen as the touch-panel API shows it:
//   {"version": N, "windows": [window...]}
//   window:  {"hwnd", "template", "caption", "visible", "enabled", "modal",
//             "rect": [x, y, w, h], "controls": [...], "children": [window...]}
//            (a hidden child window has no controls and children)
//   control: {"id", "class", "text", "rect": [x, y, w, h], "visible", "enabled"}
//            plus, where they apply: "checked", "selected", "tabs", "current",
//            "columns", the rows in view ("rows" from "firstRow", of
//            "rowCount" in all, "selectedRows" among them of "selectedCount"
//            in all, "topRow"), "value", "unit", and "focused" for the
//            control that has the keyboard focus; for drawing, tab controls
//            add "itemRects" and list views "columnWidths" and "rowHeight",
//            and each control's class-specific extras.
// Top-level rects are panel pixels; a child window's and a control's rect are
// relative to the client area of the window that holds it.
#pragma once

#include "win/Screen.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

class ScreenJson {
public:
    static nlohmann::json Control(const win::ScreenControl& control);
    // A window's own fields, without its controls and children.
    static nlohmann::json WindowFields(const win::ScreenWindow& window);
    // The rows a list described: "rows", "firstRow", "rowCount",
    // "selectedRows", "selectedCount".
    static void AddRows(const win::ScreenControl& control, nlohmann::json& out);

    // Handles travel as numbers; these convert both ways.
    static std::uint64_t HandleNumber(HWND hwnd);
    static HWND HandleFromNumber(std::uint64_t number);
};
