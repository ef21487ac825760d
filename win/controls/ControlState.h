// The base of every standard control's per-window state: the window it
// belongs to and the notifications a control sends to its parent.
#pragma once

#include "win/Window.h"

namespace win {

class ControlState : public WindowState {
public:
    // Called by the control's procedure on WM_CREATE.
    void Attach(HWND self) { m_self = self; }
    HWND Self() const { return m_self; }

protected:
    DWORD Style() const;
    int ControlId() const;
    bool Enabled() const;
    // WM_COMMAND with MAKEWPARAM(id, code) and the control's handle.
    void NotifyCommand(UINT code) const;
    // WM_NOTIFY with `header` filled in (from, id, code); the parent's result.
    // The parent may destroy the control: callers keep Self() in a local and
    // check IsWindow before they touch their state again.
    LRESULT NotifyParent(NMHDR& header, UINT code) const;
    void Changed() const
    {
        ++m_revision;
        MarkChanged(m_self);
    }
    // How many times the control's state changed.
    unsigned long long Revision() const { return m_revision; }
    // Writes "<what> (control <id>): <problem>" to the debug output; for
    // requests that fail because of the caller (a bad index, a null record).
    void LogFailure(const wchar_t* what, const wchar_t* problem) const;
    void LogBadIndex(const wchar_t* what, int index) const;

private:
    HWND m_self = nullptr;
    mutable unsigned long long m_revision = 0;
};

// The point of a mouse message's lParam, in client coordinates.
inline POINT PointFromLParam(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace win
