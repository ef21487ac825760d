#include "tests/harness/ScriptedOperator.h"

#include "win/Screen.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace testing_support {
namespace {

std::string Narrow(const std::wstring& text) { return win::WideToUtf8(text); }

HWND FindControlIn(HWND window, int id, bool wantVisible)
{
    for (HWND child : win::ChildWindows(window)) {
        if (GetDlgCtrlID(child) == id && (!wantVisible || IsWindowVisible(child)))
            return child;
        if (HWND nested = FindControlIn(child, id, wantVisible))
            return nested;
    }
    return nullptr;
}

void CollectTexts(const win::ScreenWindow& window, std::vector<std::wstring>& texts)
{
    texts.push_back(window.caption);
    for (const auto& control : window.controls) {
        if (!control.visible)
            continue;
        texts.push_back(control.text);
        for (const auto& tab : control.tabs)
            texts.push_back(tab);
        for (const auto& row : control.rows)
            for (const auto& cell : row)
                texts.push_back(cell);
        if (control.value)
            texts.push_back(*control.value);
    }
    for (const auto& child : window.children)
        if (child.visible)
            CollectTexts(child, texts);
}

ScriptedOperator::Matcher ForTemplate(UINT templateId)
{
    return [templateId](HWND window) { return templateId == 0 || win::GetWindowTemplateId(window) == templateId; };
}

std::string DescribeForTest(HWND hwnd)
{
    if (!hwnd)
        return "(no window)";
    char line[64];
    std::snprintf(line, sizeof line, " (template %u)", win::GetWindowTemplateId(hwnd));
    return "'" + Narrow(GetWindowTextString(hwnd)) + "'" + line;
}

HWND FrontWindow()
{
    for (HWND top : win::TopLevelWindows())
        if (IsWindowVisible(top) && IsWindowEnabled(top))
            return top;
    return nullptr;
}

}  // namespace

HWND FindControl(HWND window, int id)
{
    if (HWND visible = FindControlIn(window, id, true))
        return visible;
    return FindControlIn(window, id, false);
}

bool ShowsText(HWND window, const std::wstring& text)
{
    std::vector<std::wstring> texts;
    CollectTexts(win::DescribeWindow(window), texts);
    for (const auto& shown : texts)
        if (shown.find(text) != std::wstring::npos)
            return true;
    return false;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

ScriptedOperator::ScriptedOperator()
{
    win::ClearModalAbort();
    m_previous = win::SetInputDriver(this);
}

ScriptedOperator::~ScriptedOperator()
{
    win::SetInputDriver(m_previous);
    win::ClearModalAbort();
    if (!m_aborted && m_next < m_steps.size())
        ADD_FAILURE() << "scripted operator: step " << m_next + 1 << " (" << m_steps[m_next].description
                      << ") was never reached";
}

ScriptedOperator& ScriptedOperator::Do(UINT templateId, std::string description, Action action)
{
    m_steps.push_back(ScriptStep{std::move(description), ForTemplate(templateId), std::move(action)});
    return *this;
}

ScriptedOperator& ScriptedOperator::InputStep(UINT templateId, const std::string& what,
                                              std::function<win::InputResult(HWND window)> input)
{
    return Do(templateId, what, [this, what, input](HWND window) {
        win::InputResult result = input(window);
        if (result != win::InputResult::Posted)
            Fail("cannot " + what + " in " + DescribeForTest(window) + ": " + win::InputResultName(result));
    });
}

ScriptedOperator& ScriptedOperator::Tap(UINT templateId, int controlId, WPARAM keyFlags)
{
    return InputStep(templateId, "tap control " + std::to_string(controlId), [controlId, keyFlags](HWND window) {
        HWND control = FindControl(window, controlId);
        return control ? win::Tap(control, keyFlags) : win::InputResult::NoWindow;
    });
}

ScriptedOperator& ScriptedOperator::TapPart(UINT templateId, int controlId, const std::string& part, int index,
                                            WPARAM keyFlags, bool twice)
{
    std::string what = "tap " + part + " " + std::to_string(index) + " of control " + std::to_string(controlId);
    return InputStep(templateId, what, [controlId, part, index, keyFlags, twice](HWND window) {
        HWND control = FindControl(window, controlId);
        return control ? win::TapPart(control, part, index, keyFlags, twice) : win::InputResult::NoWindow;
    });
}

ScriptedOperator& ScriptedOperator::PressKey(UINT templateId, UINT virtualKey)
{
    return InputStep(templateId, "press key " + std::to_string(virtualKey),
                     [virtualKey](HWND window) { return win::PressKey(window, virtualKey); });
}

ScriptedOperator& ScriptedOperator::Type(UINT templateId, std::wstring text)
{
    return InputStep(templateId, "type '" + Narrow(text) + "'",
                     [text](HWND window) { return win::TypeText(window, text); });
}

ScriptedOperator& ScriptedOperator::Answer(int buttonId) { return Tap(0, buttonId); }

bool ScriptedOperator::OnIdle()
{
    if (m_aborted)
        return false;
    HWND front = FrontWindow();
    if (!front) {
        // A loop with nothing on the screen can never get input.
        if (++m_idleWithoutWindow > 3) {
            Fail("a message loop is waiting but no window is on the screen");
            return true;
        }
        return false;
    }
    m_idleWithoutWindow = 0;
    if (m_next >= m_steps.size()) {
        Fail("the scripted operator has no step for window " + DescribeForTest(front));
        return true;
    }
    ScriptStep& step = m_steps[m_next];
    if (!step.matcher(front)) {
        Fail("the scripted operator's next step (" + step.description + ") does not fit the window in front: " +
             DescribeForTest(front));
        return true;
    }
    ++m_next;
    m_seen.push_back(win::GetWindowTemplateId(front));
    step.action(front);
    return true;
}

void ScriptedOperator::Fail(const std::string& message)
{
    m_failures.push_back(message);
    ADD_FAILURE() << message;
    m_aborted = true;
    win::AbortAllModalLoops();
}

struct Watchdog::State {
    std::mutex lock;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};

Watchdog::Watchdog(std::chrono::seconds limit) : m_state(new State)
{
    State* state = m_state;
    state->thread = std::thread([state, limit] {
        std::unique_lock guard(state->lock);
        if (!state->wake.wait_for(guard, limit, [state] { return state->done; })) {
            std::fprintf(stderr, "watchdog: the test did not finish within %lld s (a nested loop never returned?)\n",
                         static_cast<long long>(limit.count()));
            std::fflush(stderr);
            std::abort();
        }
    });
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard guard(m_state->lock);
        m_state->done = true;
    }
    m_state->wake.notify_all();
    m_state->thread.join();
    delete m_state;
}

}  // namespace testing_support
