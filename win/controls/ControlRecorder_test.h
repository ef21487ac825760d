// Message-sequence recording for the control tests. A parent window of a
// class registered here logs every WM_COMMAND and WM_NOTIFY its controls
// send, decoded to {message, code, wParam, lParam, detail}; a test acts
// (taps posted and pumped, or messages sent) and compares the log with the
// sequence it expects, and on a difference both are printed side by side.
//
// Decoding: WM_COMMAND keeps wParam's id and lParam's handle; WM_NOTIFY keeps
// the id in wParam and puts the item (iItem) of a list view notification in
// lParam (0 for other senders), with the rest in `detail`: the new and old
// state of LVN_ITEMCHANGING/LVN_ITEMCHANGED, the sub-item of clicks and
// column clicks.
#pragma once

#include "win/Window.h"
#include "win/controls/CommCtrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace win::testing {

struct Logged {
    UINT message = 0;
    UINT code = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string detail;
    bool operator==(const Logged&) const = default;
};

std::string Describe(const Logged& entry);

// Expected entries.
Logged Command(int id, UINT code, HWND control);
Logged Notify(int id, UINT code);
Logged ItemNotify(int id, UINT code, int item, std::string detail = {});
Logged StateNotify(int id, UINT code, int item, UINT newState, UINT oldState);
Logged ClickNotify(int id, UINT code, int item, int subItem);
Logged ColumnClick(int id, int column);

// Dispatches every message posted to this thread's queue.
void Pump();

class ControlRecorder {
public:
    ControlRecorder();
    ~ControlRecorder();
    ControlRecorder(const ControlRecorder&) = delete;
    ControlRecorder& operator=(const ControlRecorder&) = delete;

    HWND Parent() const { return m_parent; }
    // A visible child control of the recording parent.
    HWND Create(LPCWSTR className, DWORD style, int id, RECT rect = RECT{10, 10, 310, 210}, LPCWSTR text = L"");

    // The result the parent gives a WM_NOTIFY of that code (0 otherwise).
    void Answer(UINT code, LRESULT result) { m_answers[code] = result; }
    // Runs when the parent receives that WM_COMMAND or WM_NOTIFY code, after
    // logging it and before answering.
    void OnCode(UINT code, std::function<void()> action) { m_actions[code] = std::move(action); }
    // Runs with the notification record itself when the parent receives a
    // WM_NOTIFY of that code.
    void OnNotify(UINT code, std::function<void(const NMHDR&)> reader) { m_readers[code] = std::move(reader); }
    // Notification codes left out of the log (focus notifications, say).
    void Ignore(UINT code) { m_ignored[code] = true; }

    void Clear() { m_log.clear(); }
    const std::vector<Logged>& Log() const { return m_log; }
    // Success when the log equals `expected`; otherwise both sequences side by side.
    ::testing::AssertionResult Matches(const std::vector<Logged>& expected) const;

private:
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_parent = nullptr;
    std::vector<Logged> m_log;
    std::map<UINT, LRESULT> m_answers;
    std::map<UINT, std::function<void()>> m_actions;
    std::map<UINT, std::function<void(const NMHDR&)>> m_readers;
    std::map<UINT, bool> m_ignored;
};

}  // namespace win::testing
