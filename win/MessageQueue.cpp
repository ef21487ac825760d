// Per-thread message queues: posted messages, messages sent from other
// threads, timers and the quit flag; the loop functions and dispatch; focus,
// capture and key state.
#include "win/DebugLog.h"
#include "win/Input.h"
#include "win/WindowTable.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <unordered_map>

using namespace win::detail;

namespace {

using Clock = std::chrono::steady_clock;

struct ThreadQueue;

struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    ThreadQueue* sender = nullptr;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds period{0};
    Clock::time_point due;
};

struct ThreadQueue {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<MSG> posted;
    std::deque<SentMessage*> sent;
    std::vector<Timer> timers;
    bool quit = false;
    int quitCode = 0;
};

struct Queues {
    std::mutex lock;
    std::unordered_map<std::thread::id, std::shared_ptr<ThreadQueue>> byThread;
};

Queues& AllQueues()
{
    static Queues* queues = new Queues;
    return *queues;
}

std::shared_ptr<ThreadQueue> QueueOf(std::thread::id thread)
{
    auto& queues = AllQueues();
    std::lock_guard guard(queues.lock);
    auto& queue = queues.byThread[thread];
    if (!queue)
        queue = std::make_shared<ThreadQueue>();
    return queue;
}

ThreadQueue& CurrentQueue()
{
    thread_local std::shared_ptr<ThreadQueue> mine = QueueOf(std::this_thread::get_id());
    return *mine;
}

// Focus, capture and key state belong to the user-interface thread; one set
// for the process is enough for a single-panel instrument.
std::mutex focusLock;
HWND focusWindow = nullptr;
HWND activeWindow = nullptr;
HWND captureWindow = nullptr;
thread_local WPARAM currentKeyFlags = 0;

DWORD NowMilliseconds()
{
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count());
}

// A window's owner thread and procedure in one look-up; false when the
// window does not exist.
bool OwnerAndProcedure(HWND hwnd, std::thread::id& owner, WNDPROC& procedure)
{
    std::lock_guard guard(TableLock());
    WindowObject* window = Find(hwnd);
    if (!window)
        return false;
    owner = window->thread;
    procedure = window->procedure;
    return true;
}

LRESULT Call(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return procedure ? procedure(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CallProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::thread::id owner;
    WNDPROC procedure = nullptr;
    if (!OwnerAndProcedure(hwnd, owner, procedure))
        return 0;
    return Call(procedure, hwnd, message, wParam, lParam);
}

void ProcessSentMessages(ThreadQueue& queue)
{
    for (;;) {
        SentMessage* sent = nullptr;
        {
            std::lock_guard guard(queue.lock);
            if (queue.sent.empty())
                return;
            sent = queue.sent.front();
            queue.sent.pop_front();
        }
        LRESULT result = CallProcedure(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        ThreadQueue* sender = sent->sender;
        std::lock_guard guard(sender->lock);
        sent->result = result;
        sent->done = true;
        sender->wake.notify_all();
    }
}

bool Matches(const MSG& msg, HWND filter, UINT first, UINT last)
{
    if (filter && msg.hwnd != filter && !IsChild(filter, msg.hwnd))
        return false;
    if (first == 0 && last == 0)
        return true;
    return msg.message >= first && msg.message <= last;
}

// Takes (or peeks) the first matching posted message. Called with the queue lock held.
bool TakePosted(ThreadQueue& queue, MSG* msg, HWND filter, UINT first, UINT last, bool remove)
{
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!Matches(*it, filter, first, last))
            continue;
        *msg = *it;
        if (remove)
            queue.posted.erase(it);
        return true;
    }
    return false;
}

bool TakeDueTimer(ThreadQueue& queue, MSG* msg, bool remove)
{
    auto now = Clock::now();
    for (auto& timer : queue.timers) {
        if (timer.due > now)
            continue;
        *msg = MSG{timer.hwnd, WM_TIMER, timer.id, 0, NowMilliseconds(), {}};
        if (remove)
            timer.due = now + timer.period;
        return true;
    }
    return false;
}

void NoteRetrieved(const MSG& msg)
{
    if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_LBUTTONDBLCLK)
        currentKeyFlags = msg.wParam;
}

// One attempt to get a message without waiting. Returns true with *msg filled.
bool TryGet(ThreadQueue& queue, MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool* quit)
{
    ProcessSentMessages(queue);
    std::lock_guard guard(queue.lock);
    if (TakePosted(queue, msg, filter, first, last, remove))
        return true;
    if (queue.quit) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, NowMilliseconds(), {}};
        if (remove)
            queue.quit = false;
        *quit = true;
        return true;
    }
    return TakeDueTimer(queue, msg, remove);
}

void WaitForInput(ThreadQueue& queue)
{
    std::unique_lock guard(queue.lock);
    auto ready = [&] { return !queue.posted.empty() || !queue.sent.empty() || queue.quit; };
    if (ready())
        return;
    if (queue.timers.empty()) {
        queue.wake.wait(guard, ready);
        return;
    }
    auto next = queue.timers.front().due;
    for (const auto& timer : queue.timers)
        next = std::min(next, timer.due);
    queue.wake.wait_until(guard, next, ready);
}

bool PostTo(ThreadQueue& queue, const MSG& msg)
{
    std::lock_guard guard(queue.lock);
    queue.posted.push_back(msg);
    queue.wake.notify_all();
    return true;
}

}  // namespace

namespace win::detail {

void ForgetFocus(HWND hwnd)
{
    bool hadFocus = false;
    {
        std::lock_guard guard(focusLock);
        hadFocus = focusWindow == hwnd;
        if (hadFocus)
            focusWindow = nullptr;
        if (captureWindow == hwnd)
            captureWindow = nullptr;
        if (activeWindow == hwnd)
            activeWindow = nullptr;
    }
    // The screen shows which control has the focus.
    if (hadFocus)
        win::MarkChanged(hwnd);
}

void ForgetTimers(HWND hwnd)
{
    auto& queue = CurrentQueue();
    std::lock_guard guard(queue.lock);
    std::erase_if(queue.timers, [&](const Timer& timer) { return timer.hwnd == hwnd; });
}

}  // namespace win::detail

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The owner and the procedure in one look-up: a list filled or read row
    // by row sends hundreds of thousands of messages.
    std::thread::id owner;
    WNDPROC procedure = nullptr;
    if (!OwnerAndProcedure(hwnd, owner, procedure))
        return 0;
    if (owner == std::this_thread::get_id())
        return Call(procedure, hwnd, message, wParam, lParam);

    // Another thread owns the window: queue the message there and wait for the
    // answer, serving messages sent to this thread meanwhile.
    auto target = QueueOf(owner);
    ThreadQueue& mine = CurrentQueue();
    SentMessage sent{hwnd, message, wParam, lParam, 0, false, &mine};
    {
        std::lock_guard guard(target->lock);
        target->sent.push_back(&sent);
        target->wake.notify_all();
    }
    for (;;) {
        ProcessSentMessages(mine);
        std::unique_lock guard(mine.lock);
        if (sent.done)
            return sent.result;
        mine.wake.wait_for(guard, std::chrono::milliseconds(50), [&] { return sent.done || !mine.sent.empty(); });
        if (sent.done)
            return sent.result;
        if (!IsWindow(hwnd)) {
            // The window died before its thread served the message: withdraw it.
            std::lock_guard targetGuard(target->lock);
            auto& queued = target->sent;
            auto position = std::find(queued.begin(), queued.end(), &sent);
            if (position != queued.end()) {
                queued.erase(position);
                return 0;
            }
        }
    }
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{hwnd, message, wParam, lParam, NowMilliseconds(), {}};
    if (!hwnd)
        return PostTo(CurrentQueue(), msg) ? TRUE : FALSE;
    std::thread::id owner = win::GetWindowThread(hwnd);
    if (owner == std::thread::id{})
        return FALSE;
    return PostTo(*QueueOf(owner), msg) ? TRUE : FALSE;
}

BOOL PostThreadMessageW(std::thread::id thread, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{nullptr, message, wParam, lParam, NowMilliseconds(), {}};
    return PostTo(*QueueOf(thread), msg) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode)
{
    auto& queue = CurrentQueue();
    std::lock_guard guard(queue.lock);
    queue.quit = true;
    queue.quitCode = exitCode;
    queue.wake.notify_all();
}

BOOL PeekMessageW(MSG* msg, HWND filter, UINT first, UINT last, UINT remove)
{
    if (!msg)
        return FALSE;
    bool quit = false;
    if (!TryGet(CurrentQueue(), msg, filter, first, last, (remove & PM_REMOVE) != 0, &quit))
        return FALSE;
    if (remove & PM_REMOVE)
        NoteRetrieved(*msg);
    return TRUE;
}

BOOL GetMessageW(MSG* msg, HWND filter, UINT first, UINT last)
{
    if (!msg)
        return -1;
    auto& queue = CurrentQueue();
    for (;;) {
        bool quit = false;
        if (TryGet(queue, msg, filter, first, last, true, &quit)) {
            NoteRetrieved(*msg);
            return quit ? FALSE : TRUE;
        }
        // The queue is empty: the installed driver may supply the next input.
        if (win::InputDriver* driver = win::GetInputDriver())
            if (driver->OnIdle())
                continue;
        WaitForInput(queue);
    }
}

BOOL WaitMessage()
{
    WaitForInput(CurrentQueue());
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return FALSE;
    wchar_t character = 0;
    UINT key = static_cast<UINT>(msg->wParam);
    if (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK || key == VK_TAB || key == VK_SPACE)
        character = static_cast<wchar_t>(key == VK_RETURN ? L'\r' : key);
    else if (key >= '0' && key <= '9')
        character = static_cast<wchar_t>(key);
    else if (key >= 'A' && key <= 'Z')
        character = static_cast<wchar_t>(key - 'A' + 'a');
    if (!character)
        return FALSE;
    PostMessageW(msg->hwnd, WM_CHAR, static_cast<WPARAM>(character), msg->lParam);
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg || !msg->hwnd || !IsWindow(msg->hwnd))
        return 0;
    return CallProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return procedure ? procedure(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        {
            std::lock_guard guard(TableLock());
            WindowObject* window = Find(hwnd);
            if (!window)
                return FALSE;
            window->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        }
        win::MarkChanged(hwnd);
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        int size = static_cast<int>(wParam);
        if (!buffer || size <= 0)
            return 0;
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        if (!window) {
            buffer[0] = L'\0';
            return 0;
        }
        int count = std::min<int>(size - 1, static_cast<int>(window->text.size()));
        std::copy_n(window->text.begin(), count, buffer);
        buffer[count] = L'\0';
        return count;
    }
    case WM_GETTEXTLENGTH: {
        std::lock_guard guard(TableLock());
        WindowObject* window = Find(hwnd);
        return window ? static_cast<LRESULT>(window->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------
// Focus, activation, capture, key state.

HWND SetFocus(HWND hwnd)
{
    if (hwnd && !IsWindow(hwnd))
        return nullptr;
    HWND previous;
    {
        std::lock_guard guard(focusLock);
        previous = focusWindow;
        if (previous == hwnd)
            return previous;
        focusWindow = hwnd;
    }
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && IsWindow(hwnd))
        SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    win::MarkChanged(previous);
    win::MarkChanged(hwnd);
    return previous;
}

HWND GetFocus()
{
    std::lock_guard guard(focusLock);
    return focusWindow;
}

HWND GetActiveWindow()
{
    HWND active;
    {
        std::lock_guard guard(focusLock);
        active = activeWindow;
    }
    // Checked outside the focus lock: the table lock is never taken under it.
    if (active && IsWindow(active) && IsWindowVisible(active))
        return active;
    for (HWND top : win::TopLevelWindows())
        if (IsWindowVisible(top) && IsWindowEnabled(top))
            return top;
    return nullptr;
}

HWND SetActiveWindow(HWND hwnd)
{
    std::lock_guard guard(focusLock);
    HWND previous = activeWindow;
    activeWindow = hwnd;
    return previous;
}

HWND SetCapture(HWND hwnd)
{
    std::lock_guard guard(focusLock);
    HWND previous = captureWindow;
    captureWindow = hwnd;
    return previous;
}

BOOL ReleaseCapture()
{
    std::lock_guard guard(focusLock);
    captureWindow = nullptr;
    return TRUE;
}

HWND GetCapture()
{
    std::lock_guard guard(focusLock);
    return captureWindow;
}

short GetKeyState(int virtualKey)
{
    // The state that came with the input message being handled: taps carry
    // MK_CONTROL / MK_SHIFT in wParam.
    constexpr short down = static_cast<short>(0x8000);
    switch (virtualKey) {
    case VK_CONTROL: return (currentKeyFlags & MK_CONTROL) ? down : 0;
    case VK_SHIFT: return (currentKeyFlags & MK_SHIFT) ? down : 0;
    default: return 0;
    }
}

// ---------------------------------------------------------------------------
// Timers.

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, void*)
{
    if (!IsWindow(hwnd))
        return 0;
    auto queue = QueueOf(win::GetWindowThread(hwnd));
    std::lock_guard guard(queue->lock);
    auto period = std::chrono::milliseconds(std::max<UINT>(milliseconds, 1));
    for (auto& timer : queue->timers) {
        if (timer.hwnd == hwnd && timer.id == id) {
            timer.period = period;
            timer.due = Clock::now() + period;
            return id;
        }
    }
    queue->timers.push_back(Timer{hwnd, id, period, Clock::now() + period});
    queue->wake.notify_all();
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    if (!IsWindow(hwnd))
        return FALSE;
    auto queue = QueueOf(win::GetWindowThread(hwnd));
    std::lock_guard guard(queue->lock);
    auto removed = std::erase_if(queue->timers, [&](const Timer& timer) { return timer.hwnd == hwnd && timer.id == id; });
    return removed ? TRUE : FALSE;
}
