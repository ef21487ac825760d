// The headless window system: a process-wide table of windows reached through
// HWND, window procedures, per-thread message queues and the Win32 functions
// the dialog code calls. Windows have no pixels; the screen snapshot reads
// their state for the touch panel and for tests.
#pragma once

#include "win/Win32Types.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <typeinfo>
#include <utility>
#include <vector>

struct CREATESTRUCTW {
    LPVOID lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    void* hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCWSTR lpszName = nullptr;
    LPCWSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_ID = -12;
constexpr int GWLP_USERDATA = -21;
constexpr int DWLP_MSGRESULT = 0;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;

namespace win {

struct ScreenControl;

// State that a window class keeps per window (a list view's rows, a tab
// control's items, ...). The window procedure reaches it with StateOf<T>.
class WindowState {
public:
    virtual ~WindowState() = default;
    // Fills the class-specific parts of the window's screen description.
    virtual void Describe(ScreenControl& control) const {}
    // Where a tap on a part of the control lands, in client coordinates:
    // part "row", "column" or "tab" with its index. The control may scroll to
    // bring the part into view (a silent state change). False when there is
    // no such part.
    virtual bool PointForPart(HWND self, const std::string& part, int index, POINT& point) { return false; }
    // Lists: describes up to `count` rows from `first` (0 or more): rows,
    // firstRow, rowCount, the selected rows among those described,
    // selectedCount and rowsRevision. False for a window without rows.
    virtual bool DescribeRows(int first, int count, ScreenControl& control) const { return false; }
    // Lists: the first row in view and how many rows the view holds, the
    // last one perhaps in part.
    virtual std::pair<int, int> RowsInView() const { return {0, 0}; }
};

struct WindowClass {
    std::wstring name;                                 // "Button", "SysListView32", ...
    WNDPROC procedure = nullptr;
    std::function<std::unique_ptr<WindowState>()> createState;  // may be empty
    std::string screenClass;                           // class name the screen snapshot reports
};

// Registers (or replaces) a window class. Class names compare case-insensitively.
void RegisterWindowClass(const WindowClass& windowClass);
bool IsWindowClassRegistered(const std::wstring& name);

WindowState* GetWindowState(HWND hwnd);
template <class T>
T* StateOf(HWND hwnd)
{
    // The exact class first: a control's own procedure asks for its state on
    // every message, and the general cast costs more than the message.
    WindowState* state = GetWindowState(hwnd);
    if (state && typeid(*state) == typeid(T))
        return static_cast<T*>(state);
    return dynamic_cast<T*>(state);
}

// A hook that a framework object attached to a window (a push switch on a
// button, a jog on a static) uses to describe itself on the screen. It runs
// after the class's own Describe.
using DescribeHook = std::function<void(ScreenControl&)>;
void SetDescribeHook(HWND hwnd, DescribeHook hook);

// Framework object attached to a window (the CWnd); opaque to this layer.
void SetFrameworkObject(HWND hwnd, void* object);
void* GetFrameworkObject(HWND hwnd);

// The template a dialog window was created from (0 for other windows).
void SetWindowTemplateId(HWND hwnd, UINT templateId);
UINT GetWindowTemplateId(HWND hwnd);
// Marks a top-level window as running its own modal loop (for the screen).
void SetWindowModal(HWND hwnd, bool modal);
bool IsWindowModal(HWND hwnd);

// Thread that owns the window (the thread that created it).
std::thread::id GetWindowThread(HWND hwnd);

// Every top-level window, front to back, and a window's children, front to back.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);

// Incremented on every visible change of any window (text, state, position,
// visibility, creation, destruction). Controls call MarkChanged from their
// setters; the touch panel publishes a new screen when the counter moved.
void MarkChanged(HWND hwnd);
unsigned long long ChangeCounter();
// Where the changes happened: a window's version moves with every change of
// the window itself, its tree version with every change of the window or of
// any window below it (controls, child dialogs, their controls). A reader
// that keeps what it built from a window rebuilds it only when the version
// differs from the one it built it at. 0 for a window that does not exist.
unsigned long long WindowVersion(HWND hwnd);
unsigned long long TreeVersion(HWND hwnd);

// Number of live windows (tests use it to find leaks).
size_t WindowCount();

}  // namespace win

// Window lifetime and tree.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, int controlId, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestorTopLevel(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT relation);
int GetClassNameW(HWND hwnd, LPWSTR buffer, int size);

// Messages.
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(std::thread::id thread, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessageW(MSG* msg, HWND filter, UINT first, UINT last);
BOOL PeekMessageW(MSG* msg, HWND filter, UINT first, UINT last, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WaitMessage();

// Properties.
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int size);
int GetWindowTextLengthW(HWND hwnd);
std::wstring GetWindowTextString(HWND hwnd);

// Show, enable, position, z-order.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);  // the window and all its ancestors visible
BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns TRUE when the window was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // origin 0,0
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);

// Focus and activation.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
short GetKeyState(int virtualKey);

// Timers (delivered as WM_TIMER through the owner's queue).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, void* unused);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Rectangles.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL IsRectEmpty(const RECT* rect);
HBRUSH GetStockObject(int object);
