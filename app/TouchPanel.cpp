#include "TouchPanel.h"

#include "win/DebugLog.h"
#include "win/Window.h"

#include <exception>

TouchPanel::TouchPanel(std::thread::id uiThread, ConfigSource config)
    : m_uiThread(uiThread), m_configSource(std::move(config))
{
}

void TouchPanel::Wake() const
{
    // Any message ends the UI thread's wait; the loop then asks OnIdle again.
    PostThreadMessageW(m_uiThread, WM_NULL, 0, 0);
}

bool TouchPanel::OnIdle()
{
    if (std::this_thread::get_id() != m_uiThread)
        return false;

    std::shared_ptr<Pending> next;
    {
        std::lock_guard guard(m_lock);
        if (!m_queue.empty()) {
            next = std::move(m_queue.front());
            m_queue.pop_front();
        }
    }
    if (next) {
        CommandResult result;
        try {
            result = next->command();
        } catch (const std::exception& fault) {
            // A command must not unwind through the message loop.
            result = CommandResult{500, fault.what()};
            OutputDebugStringA((std::string("touch panel: command failed: ") + fault.what()).c_str());
        }
        std::lock_guard guard(m_lock);
        next->result = std::move(result);
        next->done = true;
        next->idleMark = m_idleCount;
        m_changed.notify_all();
        return true;
    }

    if (m_idleWork)
        m_idleWork();
    const std::uint64_t before = Current().version;
    Publish();
    std::function<void()> hook;
    {
        std::lock_guard guard(m_lock);
        ++m_idleCount;
        m_changed.notify_all();
        if (m_published.version != before)
            hook = m_publishedHook;
    }
    if (hook)
        hook();
    return false;
}

void TouchPanel::SetPublishedHook(std::function<void()> hook)
{
    std::lock_guard guard(m_lock);
    m_publishedHook = std::move(hook);
}

void TouchPanel::Publish()
{
    unsigned long long counter = win::ChangeCounter();
    bool windowsChanged = !m_everPublished || counter != m_lastCounter;
    bool configChanged;
    {
        std::lock_guard guard(m_lock);
        configChanged = m_configChanged || windowsChanged;
        m_configChanged = false;
    }
    if (!windowsChanged && !configChanged)
        return;
    m_lastCounter = counter;

    std::shared_ptr<const std::string> screen;
    std::uint64_t version = 0;
    if (windowsChanged) {
        // A new version only when something the panel shows differs: a change
        // that was undone or a bare invalidation publishes nothing.
        std::string windows = m_screens.Capture();
        if (!m_everPublished || windows != m_lastWindows) {
            {
                std::lock_guard guard(m_lock);
                version = m_published.version + 1;
            }
            screen = std::make_shared<const std::string>(
                "{\"version\":" + std::to_string(version) + ",\"windows\":" + windows + "}");
            m_lastWindows = std::move(windows);
        }
        m_everPublished = true;
    }
    std::shared_ptr<const std::string> config;
    if (configChanged && m_configSource)
        config = std::make_shared<const std::string>(m_configSource());

    std::lock_guard guard(m_lock);
    if (screen) {
        m_published.screen = std::move(screen);
        m_published.version = version;
    }
    if (config && (!m_published.config || *m_published.config != *config))
        m_published.config = std::move(config);
}

void TouchPanel::MarkConfigChanged()
{
    std::lock_guard guard(m_lock);
    m_configChanged = true;
}

TouchPanel::Outcome TouchPanel::Run(Command command, std::chrono::milliseconds limit, bool settle)
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    auto pending = std::make_shared<Pending>();
    pending->command = std::move(command);
    Outcome outcome;
    std::unique_lock guard(m_lock);
    if (m_closed) {
        outcome.screen = m_published;
        return outcome;
    }
    m_queue.push_back(pending);
    Wake();
    m_changed.wait_until(guard, deadline, [&] { return pending->done || m_closed; });
    if (!pending->done) {
        // Withdraw it, so that a command the caller gave up on never runs late.
        std::erase(m_queue, pending);
        outcome.screen = m_published;
        return outcome;
    }
    outcome.ran = true;
    outcome.result = pending->result;
    if (outcome.result.status == 200 && settle)
        outcome.settled = m_changed.wait_until(guard, deadline, [&] {
            return m_idleCount > pending->idleMark || m_closed;
        }) && !m_closed;
    outcome.screen = m_published;
    return outcome;
}

TouchPanel::Published TouchPanel::WaitForVersionAfter(std::uint64_t after, std::chrono::milliseconds limit)
{
    std::unique_lock guard(m_lock);
    m_changed.wait_for(guard, limit, [&] { return m_published.version > after || m_closed; });
    return m_published;
}

TouchPanel::Published TouchPanel::Current() const
{
    std::lock_guard guard(m_lock);
    return m_published;
}

void TouchPanel::Close()
{
    std::function<void()> hook;
    {
        std::lock_guard guard(m_lock);
        m_closed = true;
        m_queue.clear();
        m_changed.notify_all();
        hook = m_publishedHook;
    }
    if (hook)
        hook();
}

bool TouchPanel::IsClosed() const
{
    std::lock_guard guard(m_lock);
    return m_closed;
}
