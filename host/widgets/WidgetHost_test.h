// Test support for the touch widgets: a visible modeless dialog with a few
// controls to attach widgets to, which records every WM_COMMAND and every
// other message it is told to watch, and can act while it handles one (as a
// page's handler would).
#pragma once

#include "tests/harness/ScriptedOperator.h"
#include "win/Dialog.h"
#include "win/DialogTemplate.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace widget_tests {

constexpr UINT kHostTemplate = 30990;
constexpr int kSwitchA = 100;
constexpr int kHandId = 102;
constexpr int kJogId = 110;

struct Notice {
    UINT message;
    int id;
    UINT code;
    LPARAM lParam;
};

inline void RegisterHostTemplate()
{
    win::DialogTemplate dialog;
    dialog.id = kHostTemplate;
    dialog.caption = L"widgets";
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 400;
    dialog.cy = 200;
    auto add = [&](int id, win::ControlClass controlClass, DWORD style, int x, int y, int cx, int cy) {
        dialog.controls.push_back(win::ControlTemplate{.id = id, .controlClass = controlClass, .className = {},
                                                       .style = style | WS_CHILD | WS_VISIBLE, .x = x, .y = y,
                                                       .cx = cx, .cy = cy, .text = {}});
    };
    add(kSwitchA, win::ControlClass::Button, BS_OWNERDRAW, 10, 10, 60, 24);
    add(kHandId, win::ControlClass::Button, BS_OWNERDRAW, 150, 10, 16, 16);
    add(kJogId, win::ControlClass::Static, SS_LEFT, 10, 50, 120, 16);  // 180 x 20 pixels
    win::RegisterDialogTemplate(dialog);
}

class WidgetHost : public CDialog {
public:
    WidgetHost()
    {
        RegisterHostTemplate();
        EXPECT_TRUE(Create(kHostTemplate, nullptr));
        ::ShowWindow(m_hWnd, SW_SHOW);
    }

    std::vector<Notice> notices;
    // Runs inside the handler of each recorded message.
    std::function<void(const Notice&)> onNotice;
    // A further message to record (the channel panel's).
    UINT watched = 0;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        Record(Notice{WM_COMMAND, LOWORD(wParam), HIWORD(wParam), lParam});
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (watched && message == watched) {
            Record(Notice{message, static_cast<int>(wParam), 0, lParam});
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    void Record(const Notice& notice)
    {
        notices.push_back(notice);
        if (onNotice)
            onNotice(notice);
    }
};

// Handles everything posted so far (the taps) on this thread.
inline void Pump() { testing_support::PumpPending(); }

}  // namespace widget_tests
