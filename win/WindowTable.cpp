// The window table: creation, destruction, the window tree and the window
// properties that every class shares.
#include "win/WindowTable.h"

#include "win/DebugLog.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cwctype>
#include <unordered_map>

namespace win::detail {
namespace {

// Handles looked up lately, by their low bits: a message sent to a list row
// by row looks up the same few windows (the list, its page, the dialog)
// many times over, and handles are handed out in sequence, so the windows of
// one dialog fall into different slots.
struct RecentWindow {
    HWND hwnd = nullptr;
    WindowObject* window = nullptr;
};
constexpr std::size_t kRecentWindows = 64;

struct Table {
    std::unordered_map<HWND, std::unique_ptr<WindowObject>> windows;
    std::array<RecentWindow, kRecentWindows> recent;
    std::vector<HWND> topLevel;  // front to back
    std::uintptr_t nextHandle = 0x10000;
    std::vector<WindowClass> classes;
};

Table& TheTable()
{
    static Table* table = new Table;  // never destroyed: windows may die during static destruction
    return *table;
}

std::atomic<unsigned long long> changeCounter{1};
// The counter when a reader last asked for a version (table lock).
unsigned long long observedCounter = 0;

bool SameClassName(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

}  // namespace

// Constant-initialised and never destroyed in effect (its destructor does
// nothing), so windows that die during static destruction can still take it.
constinit TableMutex tableMutex;

RecentWindow& RecentSlot(HWND hwnd)
{
    return TheTable().recent[(reinterpret_cast<std::uintptr_t>(hwnd) >> 2) % kRecentWindows];
}

WindowObject* Find(HWND hwnd)
{
    RecentWindow& recent = RecentSlot(hwnd);
    if (hwnd && recent.hwnd == hwnd)
        return recent.window;
    auto& windows = TheTable().windows;
    // A window being destroyed is still found: it receives WM_DESTROY and
    // WM_NCDESTROY, and IsWindow holds until it is gone, as on Windows.
    auto found = windows.find(hwnd);
    if (found == windows.end())
        return nullptr;
    recent = {hwnd, found->second.get()};
    return recent.window;
}

std::vector<HWND>& TopLevelList() { return TheTable().topLevel; }

void RecordChange(WindowObject* window, bool always)
{
    unsigned long long version = changeCounter.fetch_add(1, std::memory_order_relaxed) + 1;
    // A window that changed after the last read already carries a version no
    // reader has seen, and so does every window above it: a list filled row
    // by row pays one look-up per row, not one per ancestor.
    if (!window || (!always && window->version > observedCounter))
        return;
    window->version = version;
    for (WindowObject* level = window; level; level = level->parent ? Find(level->parent) : nullptr)
        level->treeVersion = version;
}

const WindowClass* FindClass(const std::wstring& name)
{
    for (const auto& windowClass : TheTable().classes)
        if (SameClassName(windowClass.name, name))
            return &windowClass;
    return nullptr;
}

}  // namespace win::detail

using namespace win::detail;

namespace win {

void RegisterWindowClass(const WindowClass& windowClass)
{
    std::lock_guard guard(TableLock());
    auto& classes = TheTable().classes;
    for (auto& existing : classes) {
        if (SameClassName(existing.name, windowClass.name)) {
            existing = windowClass;
            return;
        }
    }
    classes.push_back(windowClass);
}

bool IsWindowClassRegistered(const std::wstring& name)
{
    std::lock_guard guard(TableLock());
    return FindClass(name) != nullptr;
}

WindowState* GetWindowState(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window ? window->state.get() : nullptr;
}

void SetDescribeHook(HWND hwnd, DescribeHook hook)
{
    std::lock_guard guard(TableLock());
    if (WindowObject* window = Find(hwnd))
        window->describeHook = std::move(hook);
    MarkChanged(hwnd);
}

void SetFrameworkObject(HWND hwnd, void* object)
{
    std::lock_guard guard(TableLock());
    if (WindowObject* window = Find(hwnd))
        window->frameworkObject = object;
}

void* GetFrameworkObject(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window ? window->frameworkObject : nullptr;
}

void SetWindowTemplateId(HWND hwnd, UINT templateId)
{
    std::lock_guard guard(TableLock());
    if (WindowObject* window = Find(hwnd))
        window->templateId = templateId;
}

UINT GetWindowTemplateId(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window ? window->templateId : 0;
}

void SetWindowModal(HWND hwnd, bool modal)
{
    std::lock_guard guard(TableLock());
    if (WindowObject* window = Find(hwnd))
        window->modal = modal;
    MarkChanged(hwnd);
}

bool IsWindowModal(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window && window->modal;
}

std::thread::id GetWindowThread(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window ? window->thread : std::thread::id{};
}

std::vector<HWND> TopLevelWindows()
{
    std::lock_guard guard(TableLock());
    return TopLevelList();
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(parent);
    return window ? window->children : std::vector<HWND>{};
}

void MarkChanged(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    RecordChange(hwnd ? Find(hwnd) : nullptr);
}

unsigned long long ChangeCounter() { return changeCounter.load(std::memory_order_relaxed); }

unsigned long long WindowVersion(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    observedCounter = changeCounter.load(std::memory_order_relaxed);
    WindowObject* window = Find(hwnd);
    return window ? window->version : 0;
}

unsigned long long TreeVersion(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    observedCounter = changeCounter.load(std::memory_order_relaxed);
    WindowObject* window = Find(hwnd);
    return window ? window->treeVersion : 0;
}

size_t WindowCount()
{
    std::lock_guard guard(TableLock());
    return TheTable().windows.size();
}

}  // namespace win

// ---------------------------------------------------------------------------
// Lifetime.

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, int controlId, HINSTANCE, LPVOID param)
{
    HWND hwnd = nullptr;
    {
        std::lock_guard guard(TableLock());
        const win::WindowClass* windowClass = FindClass(className ? className : L"");
        if (!windowClass) {
            OutputDebugStringW((std::wstring(L"CreateWindowExW: unknown class ") + (className ? className : L"")).c_str());
            return nullptr;
        }
        WindowObject* parentWindow = parent ? Find(parent) : nullptr;
        if (parent && (!parentWindow || parentWindow->destroying)) {
            OutputDebugStringW(L"CreateWindowExW: invalid parent");
            return nullptr;
        }
        auto& table = TheTable();
        hwnd = reinterpret_cast<HWND>(table.nextHandle);
        table.nextHandle += 4;

        auto window = std::make_unique<WindowObject>();
        window->handle = hwnd;
        window->className = windowClass->name;
        window->procedure = windowClass->procedure;
        window->screenClass = windowClass->screenClass;
        if (windowClass->createState)
            window->state = windowClass->createState();
        window->style = style;
        window->exStyle = exStyle;
        window->id = (style & WS_CHILD) ? controlId : 0;
        window->text = windowName ? windowName : L"";
        window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
        window->thread = std::this_thread::get_id();
        if (style & WS_CHILD) {
            window->parent = parent;
            if (parentWindow)
                parentWindow->children.push_back(hwnd);  // new children go to the bottom, as on Windows
        } else {
            window->owner = parent;
            table.topLevel.insert(table.topLevel.begin(), hwnd);
        }
        table.windows.emplace(hwnd, std::move(window));
    }
    win::MarkChanged(hwnd);

    CREATESTRUCTW create;
    create.lpCreateParams = param;
    create.hwndParent = parent;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    std::vector<HWND> children;
    std::vector<HWND> owned;
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window || window->destroying)
            return FALSE;
        window->destroying = true;
        children = window->children;
        for (HWND top : TopLevelList()) {
            WindowObject* candidate = Find(top);
            if (candidate && candidate->owner == hwnd && !candidate->destroying)
                owned.push_back(top);
        }
    }
    // Owned popups die first, then the window gets WM_DESTROY before its
    // children, and WM_NCDESTROY after them, as on Windows.
    for (HWND popup : owned)
        DestroyWindow(popup);
    if (IsWindowVisible(hwnd))
        ShowWindow(hwnd, SW_HIDE);
    ForgetFocus(hwnd);
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : children)
        DestroyWindow(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    ForgetTimers(hwnd);

    std::unique_ptr<WindowObject> dead;
    {
        std::lock_guard guard(TableLock());
        auto& table = TheTable();
        auto found = table.windows.find(hwnd);
        if (found == table.windows.end())
            return FALSE;
        WindowObject* window = found->second.get();
        if (window->parent) {
            if (WindowObject* parentWindow = Find(window->parent)) {
                auto& siblings = parentWindow->children;
                siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
                RecordChange(parentWindow, true);
            }
        }
        auto& top = table.topLevel;
        top.erase(std::remove(top.begin(), top.end(), hwnd), top.end());
        if (RecentWindow& recent = RecentSlot(hwnd); recent.hwnd == hwnd)
            recent = {};
        dead = std::move(found->second);
        table.windows.erase(found);
    }
    win::MarkChanged(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    if (!hwnd)
        return FALSE;
    std::lock_guard guard(TableLock());
    return Find(hwnd) != nullptr;
}

HWND GetParent(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return nullptr;
    return (window->style & WS_CHILD) ? window->parent : window->owner;
}

HWND SetParent(HWND child, HWND newParent)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(child);
    WindowObject* parentWindow = Find(newParent);
    if (!window || !parentWindow || !(window->style & WS_CHILD))
        return nullptr;
    HWND old = window->parent;
    if (WindowObject* oldParent = Find(old)) {
        auto& siblings = oldParent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    }
    window->parent = newParent;
    parentWindow->children.insert(parentWindow->children.begin(), child);
    RecordChange(Find(old), true);
    RecordChange(window, true);
    return old;
}

HWND GetAncestorTopLevel(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    while (window && (window->style & WS_CHILD) && window->parent) {
        WindowObject* parent = Find(window->parent);
        if (!parent)
            break;
        window = parent;
    }
    return window ? window->handle : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    while (window && (window->style & WS_CHILD)) {
        if (window->parent == parent)
            return TRUE;
        window = Find(window->parent);
    }
    return FALSE;
}

HWND GetDlgItem(HWND dialog, int id)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(dialog);
    if (!window)
        return nullptr;
    for (HWND child : window->children) {
        WindowObject* candidate = Find(child);
        if (candidate && !candidate->destroying && candidate->id == id)
            return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window ? window->id : 0;
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return nullptr;
    switch (relation) {
    case GW_CHILD:
        return window->children.empty() ? nullptr : window->children.front();
    case GW_OWNER:
        return window->owner;
    case GW_HWNDFIRST:
    case GW_HWNDNEXT: {
        const std::vector<HWND>* siblings = &TopLevelList();
        if ((window->style & WS_CHILD) && window->parent)
            if (WindowObject* parent = Find(window->parent))
                siblings = &parent->children;
        if (siblings->empty())
            return nullptr;
        if (relation == GW_HWNDFIRST)
            return siblings->front();
        auto position = std::find(siblings->begin(), siblings->end(), hwnd);
        if (position == siblings->end() || ++position == siblings->end())
            return nullptr;
        return *position;
    }
    default:
        return nullptr;
    }
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int size)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window || !buffer || size <= 0)
        return 0;
    int count = std::min<int>(size - 1, static_cast<int>(window->className.size()));
    std::copy_n(window->className.begin(), count, buffer);
    buffer[count] = L'\0';
    return count;
}

// ---------------------------------------------------------------------------
// Properties.

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_ID: return window->id;
    case GWLP_USERDATA: return window->userData;
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    LONG_PTR old = 0;
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return 0;
        switch (index) {
        case GWL_STYLE:
            old = static_cast<LONG_PTR>(window->style);
            window->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            old = static_cast<LONG_PTR>(window->exStyle);
            window->exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(window->procedure);
            window->procedure = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_ID:
            old = window->id;
            window->id = static_cast<int>(value);
            break;
        case GWLP_USERDATA:
            old = window->userData;
            window->userData = value;
            break;
        default:
            return 0;
        }
    }
    win::MarkChanged(hwnd);
    return old;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text)
{
    if (!IsWindow(hwnd))
        return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = L'\0';
    if (!IsWindow(hwnd))
        return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd)
{
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::wstring GetWindowTextString(HWND hwnd)
{
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, copied)));
    return text;
}

// ---------------------------------------------------------------------------
// Show, enable, position and z-order.

BOOL IsWindowVisible(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return FALSE;
    while (window) {
        if (!(window->style & WS_VISIBLE))
            return FALSE;
        if (!(window->style & WS_CHILD) || !window->parent)
            return TRUE;
        window = Find(window->parent);
    }
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command)
{
    bool wasVisible = false;
    bool show = command != SW_HIDE;
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return FALSE;
        wasVisible = (window->style & WS_VISIBLE) != 0;
        if (wasVisible == show)
            return wasVisible ? TRUE : FALSE;
    }
    SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return wasVisible ? TRUE : FALSE;
        if (show)
            window->style |= WS_VISIBLE;
        else
            window->style &= ~WS_VISIBLE;
    }
    if (!show) {
        // A hidden window cannot keep the focus.
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus)))
            ForgetFocus(focus);
    }
    win::MarkChanged(hwnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    bool wasDisabled = false;
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return FALSE;
        wasDisabled = (window->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable)
            return wasDisabled ? TRUE : FALSE;
        if (enable)
            window->style &= ~WS_DISABLED;
        else
            window->style |= WS_DISABLED;
    }
    if (!enable) {
        HWND focus = GetFocus();
        if (focus == hwnd)
            ForgetFocus(focus);
    }
    SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    win::MarkChanged(hwnd);
    return wasDisabled ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window)
            return FALSE;
        if (!(flags & SWP_NOMOVE)) {
            LONG w = window->rect.right - window->rect.left;
            LONG h = window->rect.bottom - window->rect.top;
            window->rect = RECT{x, y, x + w, y + h};
        }
        if (!(flags & SWP_NOSIZE)) {
            window->rect.right = window->rect.left + std::max(0, width);
            window->rect.bottom = window->rect.top + std::max(0, height);
        }
        if (!(flags & SWP_NOZORDER)) {
            std::vector<HWND>* siblings = &TopLevelList();
            if ((window->style & WS_CHILD) && window->parent)
                if (WindowObject* parent = Find(window->parent))
                    siblings = &parent->children;
            siblings->erase(std::remove(siblings->begin(), siblings->end(), hwnd), siblings->end());
            if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
                siblings->insert(siblings->begin(), hwnd);
            } else if (insertAfter == HWND_BOTTOM) {
                siblings->push_back(hwnd);
            } else {
                auto position = std::find(siblings->begin(), siblings->end(), insertAfter);
                siblings->insert(position == siblings->end() ? siblings->end() : position + 1, hwnd);
            }
        }
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hwnd, SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(hwnd, SW_HIDE);
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
    win::MarkChanged(hwnd);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    if (!rect)
        return FALSE;
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return FALSE;
    RECT result = window->rect;
    WindowObject* ancestor = (window->style & WS_CHILD) ? Find(window->parent) : nullptr;
    while (ancestor) {
        OffsetRect(&result, ancestor->rect.left, ancestor->rect.top);
        ancestor = (ancestor->style & WS_CHILD) ? Find(ancestor->parent) : nullptr;
    }
    *rect = result;
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    if (!rect)
        return FALSE;
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return FALSE;
    *rect = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    RECT rect;
    if (!point || !GetWindowRect(hwnd, &rect))
        return FALSE;
    point->x -= rect.left;
    point->y -= rect.top;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    RECT rect;
    if (!point || !GetWindowRect(hwnd, &rect))
        return FALSE;
    point->x += rect.left;
    point->y += rect.top;
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL)
{
    if (hwnd && !IsWindow(hwnd))
        return FALSE;
    win::MarkChanged(hwnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) { return IsWindow(hwnd); }

// ---------------------------------------------------------------------------
// Rectangles and stock objects.

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL OffsetRect(RECT* rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

HBRUSH GetStockObject(int object)
{
    // Distinct non-null handles; nothing is painted with them.
    if (object < WHITE_BRUSH || object > NULL_BRUSH)
        return nullptr;
    return reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(0xB000 + object));
}
