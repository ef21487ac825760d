// One input of the touch-panel API: parsed from the request body on the HTTP
// thread (malformed input is refused there, 400), checked against the windows
// and carried out on the UI thread (unknown window or control 404, hidden or
// disabled control 409), through the window system's input path.
#pragma once

#include "TouchPanel.h"
#include "win/Win32Types.h"

#include <cstdint>
#include <string>

struct PanelInput {
    // The largest window number and control id the API takes, and the most
    // presses of one key an input may carry.
    static constexpr long long kMaxWindowNumber = 0xFFFFFFFFFFFFLL;
    static constexpr long long kMaxControlId = 0xFFFF;
    static constexpr long long kMaxRepeat = 100;

    enum class Kind { Tap, Key, Type };
    Kind kind = Kind::Tap;
    std::uint64_t hwnd = 0;
    int id = 0;                 // tap: the control id
    std::string part;           // tap: "", "row", "column", "tab", "item" or "ext"
    int index = 0;              // tap: index of the part
    bool atPoint = false;       // tap: at x, y (client pixels of the control)
    int x = 0;
    int y = 0;
    bool twice = false;         // tap: double tap
    UINT vk = 0;                // key
    int repeat = 1;             // key: presses in a row (a held or quickly repeated key)
    std::wstring text;          // type

    // route is "tap", "key" or "type".
    static bool Parse(const std::string& route, const std::string& body, PanelInput& out, std::string& error);

    // UI thread.
    TouchPanel::CommandResult Execute() const;

    // The control with that id in the window or, failing that, in one of its
    // child dialogs (a tab page); a visible one is preferred. Null when none.
    static HWND FindControl(HWND window, int id);
    // A dialog window (top level or child) that exists.
    static bool IsDialogWindow(HWND window);
};
