// Base of the host's touch widgets. A widget takes over a control of a
// dialog (AutoLoad) or makes its own window, turns the operator's
// button-down / button-up pairs into taps and describes itself on the
// screen through the window's describe hook.
//
// Tap recognition, as a push button does it:
//   down (or double-click) on the enabled widget  -> pressed
//   up while pressed, inside the client area       -> tap at that point
//   up outside, or the widget disabled meanwhile   -> no tap
// The widget keeps every mouse message from the control underneath, so the
// button or static it sits on never adds notifications of its own.
#pragma once

#include "win/Screen.h"
#include "win/Wnd.h"

class TouchWidget : public CWnd {
public:
    DECLARE_DYNAMIC(TouchWidget)

    TouchWidget() = default;
    ~TouchWidget() override;

    // Takes over control `id` of `parent`. FALSE (logged) when the parent or
    // the control is missing or the control already belongs to a framework object.
    BOOL AutoLoad(UINT id, CWnd* parent);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // A completed tap, in client coordinates.
    virtual void OnTap(POINT point) = 0;
    // Adds the widget's class and state to the window's screen description.
    virtual void Describe(win::ScreenControl& control) const = 0;
    // Runs once the widget owns its window (after AutoLoad or creation).
    virtual void OnAttached() {}

    // Installs the describe hook and runs OnAttached; for widgets that make their own window.
    void AttachWidget();
    // Sends WM_COMMAND with `code` and this control's id to the parent, as a
    // button does. Returns false when the handler destroyed this widget's
    // window; the caller must then not touch any member.
    bool NotifyParent(UINT code);
    // Sends any message to `target`, with the same survival check.
    bool SendAndSurvive(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    // Tells the screen that the widget looks different now.
    void Changed();
    // Client-area centre.
    POINT Centre() const;

private:
    void OnPress();
    void OnRelease(POINT point);

    bool m_pressed = false;
};
