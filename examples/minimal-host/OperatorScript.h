// A scripted operator for a host without a touch panel: an input driver that
// the platform's message loops ask for input whenever their queue runs dry.
// Each step is meant for one window (by its dialog template id) and acts on
// it through the platform's input functions (taps, typed text), so the
// dialog gets exactly what a touch panel would send. A window the script has
// no step for ends every modal loop, so the host stops instead of waiting
// forever for input nobody will give.
#pragma once

#include "win/Input.h"
#include "win/Window.h"

#include <functional>
#include <string>
#include <vector>

class OperatorScript : public win::InputDriver {
public:
    // Returns false, with `error` set, when the step could not be done.
    using Action = std::function<bool(HWND window, std::string& error)>;

    // Installs itself as the process's input driver until destroyed.
    OperatorScript();
    ~OperatorScript() override;
    OperatorScript(const OperatorScript&) = delete;
    OperatorScript& operator=(const OperatorScript&) = delete;

    OperatorScript& Do(UINT templateId, std::string description, Action action);
    // Taps control `controlId` of the window (tab pages included).
    OperatorScript& Tap(UINT templateId, int controlId);
    // Taps tab `index` of tab control `controlId`.
    OperatorScript& TapTab(UINT templateId, int controlId, int index);
    // Types text into the control that has the focus in the window.
    OperatorScript& Type(UINT templateId, std::wstring text);

    bool OnIdle() override;

    bool Finished() const { return m_next == m_steps.size() && m_failure.empty(); }
    const std::string& Failure() const { return m_failure; }

    // The visible control with that id anywhere inside the window, child
    // dialogs (tab pages) included; null when there is none.
    static HWND FindControl(HWND window, int controlId);

private:
    struct Step {
        UINT templateId;
        std::string description;
        Action action;
    };
    void Fail(std::string message);

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::string m_failure;
    int m_idleWithoutWindow = 0;
    win::InputDriver* m_previous = nullptr;
};
