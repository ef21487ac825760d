// The touch panel's screen text, built from what changed. It keeps the text
// of every control and the contents of every window it serialised, each with
// the change version it was built from; a capture describes again only the
// windows whose version moved since, and splices the kept texts in for the
// rest. A window that no longer exists is forgotten at the next capture.
//
// UI thread only (capturing reads window state and asks controls for their
// geometry).
#pragma once

#include "win/Screen.h"

#include <string>
#include <unordered_map>
#include <vector>

class ScreenCache : private win::ScreenReuse {
public:
    // The windows array of the screen as it is now: [window, ...].
    std::string Capture();
    // The windows array of captured windows; reused ones must be held.
    std::string Serialise(const std::vector<win::ScreenWindow>& windows);

    // How many windows and controls are held (for tests of forgetting).
    std::size_t HeldCount() const { return m_contents.size() + m_controls.size(); }

private:
    struct Held {
        unsigned long long version = 0;
        std::string text;
    };

    bool HoldsWindow(HWND window, unsigned long long treeVersion) override;
    bool HoldsControl(HWND control, unsigned long long version) override;

    void AppendWindow(const win::ScreenWindow& window, std::string& out);
    void AppendControl(const win::ScreenControl& control, std::string& out);
    void ForgetDeadWindows();

    // A window's contents: "controls":[...],"children":[...]
    std::unordered_map<HWND, Held> m_contents;
    std::unordered_map<HWND, Held> m_controls;
};
