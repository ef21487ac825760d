// Internal: the process-wide window table shared by the window system's
// source files. Not for use outside win/.
#pragma once

#include "win/Screen.h"
#include "win/Window.h"

#include <map>
#include <mutex>

namespace win::detail {

struct WindowObject {
    HWND handle = nullptr;
    std::wstring className;
    WNDPROC procedure = nullptr;
    std::unique_ptr<WindowState> state;
    std::string screenClass;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::wstring text;
    RECT rect{};                   // relative to the parent's client area (top level: screen)
    HWND parent = nullptr;         // child windows
    HWND owner = nullptr;          // top-level windows owned by another
    std::vector<HWND> children;    // front to back
    std::thread::id thread;
    LONG_PTR userData = 0;
    void* frameworkObject = nullptr;
    DescribeHook describeHook;
    UINT templateId = 0;
    bool modal = false;
    bool destroying = false;
};

// The table lock. Held only while the table or a window's fields are read or
// changed, never while a window procedure runs.
std::recursive_mutex& TableLock();
// The window, or null. Call with the lock held and do not keep the pointer
// across a call that may run a window procedure.
WindowObject* Find(HWND hwnd);
std::vector<HWND>& TopLevelList();

// Focus bookkeeping cleared when a window dies.
void ForgetFocus(HWND hwnd);
// Timers of a dying window.
void ForgetTimers(HWND hwnd);

// Registered classes.
const WindowClass* FindClass(const std::wstring& name);

}  // namespace win::detail
