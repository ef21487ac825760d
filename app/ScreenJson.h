// The screen as the touch-panel API shows it:
//   {"version": N, "windows": [window...]}
//   window:  {"hwnd", "template", "caption", "visible", "enabled", "modal",
//             "rect": [x, y, w, h], "controls": [...], "children": [window...]}
//   control: {"id", "class", "text", "rect": [x, y, w, h], "visible", "enabled"}
//            plus, where they apply: "checked", "selected", "tabs", "current",
//            "columns", "rows", "selectedRows", "value", "unit", and "focused"
//            for the control that has the keyboard focus; for drawing, tab
//            controls add "itemRects" and list views "columnWidths" and
//            "rowHeight", and each control's class-specific extras.
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
    static nlohmann::json Window(const win::ScreenWindow& window);
    static nlohmann::json Screen(std::uint64_t version, const std::vector<win::ScreenWindow>& windows);

    // The windows array of the screen as it is now (UI thread).
    static std::string CaptureWindows();

    // Handles travel as numbers; these convert both ways.
    static std::uint64_t HandleNumber(HWND hwnd);
    static HWND HandleFromNumber(std::uint64_t number);
};
