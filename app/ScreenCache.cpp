#include "ScreenCache.h"

#include "ScreenJson.h"
#include "win/Window.h"

bool ScreenCache::HoldsWindow(HWND window, unsigned long long treeVersion)
{
    auto held = m_contents.find(window);
    return held != m_contents.end() && held->second.version == treeVersion;
}

bool ScreenCache::HoldsControl(HWND control, unsigned long long version)
{
    auto held = m_controls.find(control);
    return held != m_controls.end() && held->second.version == version;
}

std::string ScreenCache::Capture()
{
    ForgetDeadWindows();
    return Serialise(win::CaptureScreen(this));
}

std::string ScreenCache::Serialise(const std::vector<win::ScreenWindow>& windows)
{
    std::string out = "[";
    for (const win::ScreenWindow& window : windows) {
        if (out.size() > 1)
            out += ',';
        AppendWindow(window, out);
    }
    out += ']';
    return out;
}

void ScreenCache::AppendWindow(const win::ScreenWindow& window, std::string& out)
{
    // The window's own fields are always fresh: a page's position follows
    // the control that holds it, which is not below the page.
    std::string fields = ScreenJson::WindowFields(window).dump();
    fields.pop_back();  // the closing brace; the contents follow
    out += fields;
    out += ',';
    if (window.reused) {
        // Held by construction: the capture reuses only what HoldsWindow found.
        out += m_contents.at(window.hwnd).text;
        out += '}';
        return;
    }
    std::string contents = "\"controls\":[";
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (i)
            contents += ',';
        AppendControl(window.controls[i], contents);
    }
    contents += "],\"children\":[";
    for (std::size_t i = 0; i < window.children.size(); ++i) {
        if (i)
            contents += ',';
        AppendWindow(window.children[i], contents);
    }
    contents += ']';
    out += contents;
    out += '}';
    // A hidden page was captured without its contents: nothing to keep.
    if (window.visible && window.hwnd)
        m_contents[window.hwnd] = Held{window.version, std::move(contents)};
}

void ScreenCache::AppendControl(const win::ScreenControl& control, std::string& out)
{
    if (control.reused) {
        out += m_controls.at(control.hwnd).text;
        return;
    }
    std::string text = ScreenJson::Control(control).dump();
    out += text;
    if (control.hwnd)
        m_controls[control.hwnd] = Held{control.version, std::move(text)};
}

void ScreenCache::ForgetDeadWindows()
{
    // Handles are never given out twice, so a held text can only belong to
    // its own window.
    std::erase_if(m_contents, [](const auto& entry) { return !IsWindow(entry.first); });
    std::erase_if(m_controls, [](const auto& entry) { return !IsWindow(entry.first); });
}
