#include "host/ConfigBase.h"

#include <memory>
#include <mutex>

namespace {

std::mutex g_hookMutex;
std::shared_ptr<const CONFIG_BASE::ChangeHook> g_hook;

std::shared_ptr<const CONFIG_BASE::ChangeHook> CurrentHook()
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    return g_hook;
}

} // namespace

CONFIG_BASE::ChangeHook CONFIG_BASE::SetChangeHook(ChangeHook hook)
{
    auto replacement = hook ? std::make_shared<const ChangeHook>(std::move(hook)) : nullptr;
    std::lock_guard<std::mutex> lock(g_hookMutex);
    ChangeHook previous = g_hook ? *g_hook : ChangeHook();
    g_hook = std::move(replacement);
    return previous;
}

void CONFIG_BASE::ReportChange(DWORD changes)
{
    if (changes == 0)
        return;
    if (m_holdDepth != 0) {
        m_heldChanges |= changes;
        return;
    }
    // The hook is called outside the lock: it may install another hook or
    // change configuration objects itself.
    if (const auto hook = CurrentHook())
        (*hook)(*this, changes);
}

void CONFIG_BASE::HoldChanges()
{
    ++m_holdDepth;
}

void CONFIG_BASE::ReleaseChanges()
{
    if (m_holdDepth == 0)
        return;
    if (--m_holdDepth != 0)
        return;
    const DWORD held = m_heldChanges;
    m_heldChanges = 0;
    ReportChange(held);
}

CONFIG_AUTOPENDINGCTRL::CONFIG_AUTOPENDINGCTRL(CONFIG_BASE* object) : m_object(object)
{
    if (m_object)
        m_object->HoldChanges();
}

CONFIG_AUTOPENDINGCTRL::~CONFIG_AUTOPENDINGCTRL()
{
    if (m_object)
        m_object->ReleaseChanges();
}
