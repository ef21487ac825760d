// The scripted operator: an input driver for tests. When a message loop runs
// dry it looks at the window in front (the active modal window) and performs
// the next step of its script, which must be meant for that window. A window
// the script has no step for fails the test with the window's name, and every
// modal loop is ended so the test unwinds instead of hanging.
#pragma once

#include "win/Input.h"
#include "win/Window.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The first control with that id inside the window, searching child dialogs
// (tab pages) too; visible controls win over hidden ones.
HWND FindControl(HWND window, int id);

class ScriptedOperator : public win::InputDriver {
public:
    using Matcher = std::function<bool(HWND window)>;
    using Action = std::function<void(HWND window)>;

    // Installs itself as the input driver; the destructor uninstalls it,
    // fails the test when steps are left over and clears any modal abort.
    ScriptedOperator();
    ~ScriptedOperator() override;
    ScriptedOperator(const ScriptedOperator&) = delete;
    ScriptedOperator& operator=(const ScriptedOperator&) = delete;

    // Steps for the window of a template (0 matches any window).
    ScriptedOperator& Do(UINT templateId, std::string description, Action action);
    ScriptedOperator& Tap(UINT templateId, int controlId, WPARAM keyFlags = 0);
    ScriptedOperator& TapPart(UINT templateId, int controlId, const std::string& part, int index,
                              WPARAM keyFlags = 0, bool twice = false);
    ScriptedOperator& PressKey(UINT templateId, UINT virtualKey);
    ScriptedOperator& Type(UINT templateId, std::wstring text);
    // Answers whatever dialog is in front by tapping the button (IDOK = 1, IDCANCEL = 2, ...).
    ScriptedOperator& Answer(int buttonId);

    bool OnIdle() override;

    bool Finished() const { return m_next >= m_steps.size(); }
    size_t StepsDone() const { return m_next; }
    const std::vector<std::string>& Failures() const { return m_failures; }
    // Every front window the operator acted on, in order (template ids).
    const std::vector<UINT>& Seen() const { return m_seen; }

private:
    struct ScriptStep {
        std::string description;
        Matcher matcher;
        Action action;
    };
    // A step that gives the front window an input and fails the test when
    // the input is not taken.
    ScriptedOperator& InputStep(UINT templateId, const std::string& what,
                            std::function<win::InputResult(HWND window)> input);
    void Fail(const std::string& message);

    std::vector<ScriptStep> m_steps;
    size_t m_next = 0;
    std::vector<std::string> m_failures;
    std::vector<UINT> m_seen;
    win::InputDriver* m_previous = nullptr;
    bool m_aborted = false;
    int m_idleWithoutWindow = 0;
};

// Whether the window shows the text anywhere: caption, control texts, list
// cells, child dialogs included.
bool ShowsText(HWND window, const std::wstring& text);

// Pumps the calling thread's queue until it is empty (no driver involved).
void PumpPending();

// Fails the process with a message when a test runs longer than the limit:
// a nested loop that never returns must not hang the suite.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit = std::chrono::seconds(60));
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    struct State;
    State* m_state;
};

}  // namespace testing_support
