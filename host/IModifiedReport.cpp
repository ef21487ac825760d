#include "host/IModifiedReport.h"

#include "win/Window.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<std::pair<HWND, UINT>> g_registrations;

} // namespace

BOOL IModifiedReport::MRInit(HWND hwnd, UINT message)
{
    if (!hwnd)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto& registration : g_registrations) {
        if (registration.first == hwnd) {
            registration.second = message;
            return TRUE;
        }
    }
    g_registrations.emplace_back(hwnd, message);
    return TRUE;
}

void IModifiedReport::MRTerm(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase_if(g_registrations, [hwnd](const auto& registration) { return registration.first == hwnd; });
}

int IModifiedReport::Broadcast(UINT code)
{
    std::vector<std::pair<HWND, UINT>> targets;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        // Handles are not reused while the table lives, so a dead handle
        // can only be a window that was destroyed.
        std::erase_if(g_registrations, [](const auto& registration) { return !IsWindow(registration.first); });
        targets = g_registrations;
    }
    int posted = 0;
    for (const auto& [hwnd, message] : targets)
        posted += PostMessageW(hwnd, message, static_cast<WPARAM>(code), 0) ? 1 : 0;
    return posted;
}

std::vector<std::pair<HWND, UINT>> IModifiedReport::GetRegistrations()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_registrations;
}
