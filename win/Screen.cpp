// The screen snapshot: reads window state only.
#include "win/Screen.h"

#include "win/WindowTable.h"

#include <climits>

namespace win {
namespace {

struct Form {
    bool panel = false;            // lists in view, hidden child dialogs without contents
    ScreenReuse* reuse = nullptr;  // panel only
};

bool IsDialogWindow(HWND hwnd)
{
    std::lock_guard guard(detail::TableLock());
    detail::WindowObject* window = detail::Find(hwnd);
    return window && window->screenClass == "dialog";
}

ScreenControl Describe(HWND hwnd, const Form& form)
{
    ScreenControl control;
    // The version is read first: a change made while the control is being
    // described then shows as a newer version next time.
    control.version = WindowVersion(hwnd);
    if (form.reuse && form.reuse->HoldsControl(hwnd, control.version)) {
        control.hwnd = hwnd;
        control.reused = true;
        return control;
    }
    DescribeHook hook;
    HWND focus = GetFocus();  // before the table lock: the focus lock is never taken under it
    {
        std::lock_guard guard(detail::TableLock());
        detail::WindowObject* window = detail::Find(hwnd);
        if (!window)
            return control;
        control.hwnd = hwnd;
        control.id = window->id;
        control.className = window->screenClass;
        control.text = window->text;
        control.rect = window->rect;
        control.visible = (window->style & WS_VISIBLE) != 0;
        control.enabled = (window->style & WS_DISABLED) == 0;
        control.focused = focus == hwnd;
        // A scroll bar shows whatever the class: the reader lets the
        // operator scroll such a control.
        if (window->style & WS_VSCROLL)
            control.extra.emplace_back("vscroll", L"1");
        if (window->state) {
            window->state->Describe(control);
            const auto [first, count] = form.panel ? window->state->RowsInView() : std::pair{0, INT_MAX};
            window->state->DescribeRows(first, count, control);
        }
        hook = window->describeHook;
    }
    if (hook)
        hook(control);
    // A widget that lists its items itself shows all of them.
    if (control.rowCount == 0 && !control.rows.empty()) {
        control.rowCount = static_cast<int>(control.rows.size());
        control.selectedCount = static_cast<int>(control.selectedRows.size());
    }
    return control;
}

ScreenWindow Describe(HWND hwnd, HWND host, const Form& form);

// The controls and child dialogs of a window, front to back as the window
// tree keeps them.
void DescribeContents(HWND hwnd, ScreenWindow& described, const Form& form)
{
    for (HWND child : ChildWindows(hwnd)) {
        if (!IsWindow(child))
            continue;
        if (IsDialogWindow(child)) {
            described.children.push_back(Describe(child, nullptr, form));
            continue;
        }
        described.controls.push_back(Describe(child, form));
        // Dialogs nested inside a control (the pages inside the tab control)
        // belong to this window's children.
        for (HWND grandChild : ChildWindows(child))
            if (IsDialogWindow(grandChild))
                described.children.push_back(Describe(grandChild, child, form));
    }
}

// `host`: the control that holds a nested dialog, whose position the
// dialog's rect is offset by.
ScreenWindow Describe(HWND hwnd, HWND host, const Form& form)
{
    ScreenWindow described;
    described.version = TreeVersion(hwnd);
    bool child = false;
    {
        std::lock_guard guard(detail::TableLock());
        detail::WindowObject* window = detail::Find(hwnd);
        if (!window)
            return described;
        described.hwnd = hwnd;
        described.templateId = window->templateId;
        described.caption = window->text;
        described.visible = (window->style & WS_VISIBLE) != 0;
        described.enabled = (window->style & WS_DISABLED) == 0;
        described.modal = window->modal;
        child = (window->style & WS_CHILD) != 0;
        described.rect = window->rect;
        if (detail::WindowObject* holder = host ? detail::Find(host) : nullptr)
            OffsetRect(&described.rect, holder->rect.left, holder->rect.top);
    }
    if (!child)
        GetWindowRect(hwnd, &described.rect);
    // A page that is not shown costs the panel nothing but its own fields.
    if (form.panel && !described.visible)
        return described;
    if (form.reuse && form.reuse->HoldsWindow(hwnd, described.version)) {
        described.reused = true;
        return described;
    }
    DescribeContents(hwnd, described, form);
    return described;
}

}  // namespace

ScreenControl DescribeControl(HWND hwnd) { return Describe(hwnd, Form{}); }

ScreenWindow DescribeWindow(HWND hwnd) { return Describe(hwnd, nullptr, Form{}); }

std::vector<ScreenWindow> CaptureScreen(ScreenReuse* reuse)
{
    std::vector<ScreenWindow> screen;
    for (HWND top : TopLevelWindows())
        if (IsWindowVisible(top))
            screen.push_back(Describe(top, nullptr, Form{true, reuse}));
    return screen;
}

std::optional<ScreenControl> DescribeRows(HWND hwnd, int first, int count)
{
    ScreenControl control;
    std::lock_guard guard(detail::TableLock());
    detail::WindowObject* window = detail::Find(hwnd);
    if (!window || !window->state || !window->state->DescribeRows(first, count, control))
        return std::nullopt;
    control.hwnd = hwnd;
    control.id = window->id;
    control.className = window->screenClass;
    return control;
}

}  // namespace win
