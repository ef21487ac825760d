#include "OperatorScript.h"

#include "win/TextConvert.h"

namespace {

// The window in front: the topmost top-level window that is shown and
// enabled (a modal dialog disables its owner).
HWND FrontWindow()
{
    for (HWND top : win::TopLevelWindows())
        if (IsWindowVisible(top) && IsWindowEnabled(top))
            return top;
    return nullptr;
}

bool Posted(win::InputResult result, const std::string& what, std::string& error)
{
    if (result == win::InputResult::Posted)
        return true;
    error = what + ": " + win::InputResultName(result);
    return false;
}

}  // namespace

OperatorScript::OperatorScript()
{
    win::ClearModalAbort();
    m_previous = win::SetInputDriver(this);
}

OperatorScript::~OperatorScript()
{
    win::SetInputDriver(m_previous);
    win::ClearModalAbort();
}

HWND OperatorScript::FindControl(HWND window, int controlId)
{
    for (HWND child : win::ChildWindows(window)) {
        if (GetDlgCtrlID(child) == controlId && IsWindowVisible(child))
            return child;
        if (HWND nested = FindControl(child, controlId))
            return nested;
    }
    return nullptr;
}

OperatorScript& OperatorScript::Do(UINT templateId, std::string description, Action action)
{
    m_steps.push_back(Step{templateId, std::move(description), std::move(action)});
    return *this;
}

OperatorScript& OperatorScript::Tap(UINT templateId, int controlId)
{
    const std::string what = "tap control " + std::to_string(controlId);
    return Do(templateId, what, [controlId, what](HWND window, std::string& error) {
        HWND control = FindControl(window, controlId);
        return Posted(control ? win::Tap(control) : win::InputResult::NoWindow, what, error);
    });
}

OperatorScript& OperatorScript::TapTab(UINT templateId, int controlId, int index)
{
    const std::string what = "tap tab " + std::to_string(index);
    return Do(templateId, what, [controlId, index, what](HWND window, std::string& error) {
        HWND control = FindControl(window, controlId);
        return Posted(control ? win::TapPart(control, "tab", index) : win::InputResult::NoWindow, what, error);
    });
}

OperatorScript& OperatorScript::Type(UINT templateId, std::wstring text)
{
    const std::string what = "type '" + win::WideToUtf8(text) + "'";
    return Do(templateId, what, [text, what](HWND window, std::string& error) {
        return Posted(win::TypeText(window, text), what, error);
    });
}

bool OperatorScript::OnIdle()
{
    if (!m_failure.empty())
        return false;
    HWND front = FrontWindow();
    if (!front) {
        // A loop that waits with nothing on the screen would wait forever.
        if (++m_idleWithoutWindow > 3)
            Fail("a message loop is waiting but no window is shown");
        return !m_failure.empty();
    }
    m_idleWithoutWindow = 0;
    const UINT shown = win::GetWindowTemplateId(front);
    const std::string where = "window '" + win::WideToUtf8(GetWindowTextString(front)) + "' (template " +
                              std::to_string(shown) + ")";
    if (m_next == m_steps.size()) {
        Fail("no step left for " + where);
        return true;
    }
    Step& step = m_steps[m_next++];
    if (step.templateId != shown) {
        Fail("step '" + step.description + "' is for template " + std::to_string(step.templateId) +
             ", but in front is " + where);
        return true;
    }
    std::string error;
    if (!step.action(front, error))
        Fail("step '" + step.description + "' failed in " + where + (error.empty() ? "" : ": " + error));
    return true;
}

void OperatorScript::Fail(std::string message)
{
    m_failure = std::move(message);
    win::AbortAllModalLoops();
}
