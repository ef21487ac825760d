// Internal: the process-wide window table shared by the window system's
// source files. Not for use outside win/.
#pragma once

#include "win/Screen.h"
#include "win/Window.h"

#include <atomic>
#include <map>
#include <pthread.h>

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
    unsigned long long version = 0;      // the change counter at the window's own last change
    unsigned long long treeVersion = 0;  // the newest version of the window and every window below it
};

// The table lock. Held only while the table or a window's fields are read or
// changed, never while a window procedure runs, so it is held briefly and
// seldom wanted by two threads at once. Recursive, as the table's functions
// call each other. Every message takes it several times: a thread that holds
// it only counts up, and a first take is one exchange (a pthread mutex costs
// several times as much); a thread that finds it taken sleeps until it is
// given back.
class TableMutex {
public:
    void lock()
    {
        const pthread_t self = pthread_self();
        if (m_owner.load(std::memory_order_relaxed) == self) {
            ++m_depth;
            return;
        }
        while (m_taken.exchange(1, std::memory_order_acquire) != 0)
            m_taken.wait(1, std::memory_order_relaxed);
        m_owner.store(self, std::memory_order_relaxed);
        m_depth = 1;
    }
    void unlock()
    {
        if (--m_depth == 0) {
            m_owner.store(pthread_t{}, std::memory_order_relaxed);
            m_taken.store(0, std::memory_order_release);
            m_taken.notify_one();
        }
    }

private:
    std::atomic<int> m_taken{0};
    // Only the holder writes its own id here, so a thread that reads its own
    // id holds the lock.
    std::atomic<pthread_t> m_owner{};
    unsigned m_depth = 0;
};
extern constinit TableMutex tableMutex;
inline TableMutex& TableLock() { return tableMutex; }
// The window, or null. Call with the lock held and do not keep the pointer
// across a call that may run a window procedure.
WindowObject* Find(HWND hwnd);
std::vector<HWND>& TopLevelList();

// Records a change of the window (null: none) in it and in every window
// above it; call with the lock held. `always` records it even where a reader
// has not yet seen the window's last change (the window moved to another
// parent, whose windows have not seen it at all).
void RecordChange(WindowObject* window, bool always = false);

// Focus bookkeeping cleared when a window dies.
void ForgetFocus(HWND hwnd);
// Timers of a dying window.
void ForgetTimers(HWND hwnd);

// Registered classes.
const WindowClass* FindClass(const std::wstring& name);

}  // namespace win::detail
