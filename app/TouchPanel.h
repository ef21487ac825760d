// The touch-panel driver: the bridge between the HTTP threads and the UI
// thread. HTTP threads queue commands (a tap, a key, typed text) and wake
// the UI thread; the UI thread's message loop calls OnIdle when its queue is
// empty, which runs one queued command (the command posts input, so the loop
// has work again) or, with nothing queued, publishes the screen when it has
// changed and tells the waiting HTTP threads that the UI is idle.
//
// Screen capture and every command run on the UI thread only; the published
// screen and configuration are immutable strings that any thread may read.
#pragma once

#include "ScreenCache.h"
#include "win/Input.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TouchPanel : public win::InputDriver {
public:
    // What a command answers: 200, or a 4xx status with a message, when the
    // command refused the input (nothing was posted then).
    struct CommandResult {
        int status = 200;
        std::string error;
    };
    using Command = std::function<CommandResult()>;

    struct Published {
        std::uint64_t version = 0;                 // 0: nothing published yet
        std::shared_ptr<const std::string> screen; // {"version": N, "windows": [...]}
        std::shared_ptr<const std::string> config; // the configuration as JSON
    };

    // What became of a command handed to Run.
    struct Outcome {
        bool ran = false;       // false: the UI thread did not take it in time (or the panel closed)
        CommandResult result;
        bool settled = false;   // the UI thread was idle again after the command
        Published screen;       // the newest screen when Run returned
    };

    // Builds the JSON text of the host's configuration (UI thread).
    using ConfigSource = std::function<std::string()>;

    TouchPanel(std::thread::id uiThread, ConfigSource config);

    // UI thread (other threads' loops are answered false).
    bool OnIdle() override;
    // Makes the next idle rebuild the configuration even when no window changed
    // (the receiver changed the host's state without a visible change).
    void MarkConfigChanged();
    // Work for the UI thread whenever it is idle with no input waiting,
    // before the screen is published (set before the loop runs).
    void SetIdleWork(std::function<void()> work) { m_idleWork = std::move(work); }

    // Any thread but the UI thread. Queues the command, wakes the UI thread
    // and waits until it ran and, with `settle`, until the UI thread was idle
    // again afterwards, all within `limit`.
    Outcome Run(Command command, std::chrono::milliseconds limit, bool settle = true);
    // Waits until a version above `after` is published, at most `limit`;
    // returns the newest publication either way.
    Published WaitForVersionAfter(std::uint64_t after, std::chrono::milliseconds limit);
    Published Current() const;
    // Wakes every waiter and refuses further commands (the simulator is ending).
    void Close();
    // Called on the UI thread after each new publication, and by Close: lets
    // a server that does not block a thread per waiter answer its waiters.
    void SetPublishedHook(std::function<void()> hook);
    bool IsClosed() const;

private:
    struct Pending {
        Command command;
        CommandResult result;
        bool done = false;
        std::uint64_t idleMark = 0;   // the idle count when the command ran
    };

    void Wake() const;
    void Publish();

    const std::thread::id m_uiThread;
    ConfigSource m_configSource;

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Pending>> m_queue;
    std::uint64_t m_idleCount = 0;
    bool m_closed = false;
    Published m_published;
    std::function<void()> m_publishedHook;

    // UI thread only.
    std::function<void()> m_idleWork;
    ScreenCache m_screens;
    unsigned long long m_lastCounter = 0;
    bool m_everPublished = false;
    std::string m_lastWindows;
    bool m_configChanged = true;
};
