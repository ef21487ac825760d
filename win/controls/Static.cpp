#include "win/controls/Static.h"

#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

namespace win {

WindowClass Static::Class()
{
    return WindowClass{L"Static", &Static::Procedure, [] { return std::make_unique<Static>(); }, "static"};
}

LRESULT Static::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* label = StateOf<Static>(hwnd);
    if (!label)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: label->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: label->ButtonDown(); return 0;
    case WM_LBUTTONDBLCLK: label->DoubleClick(); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Static::ButtonDown()
{
    if ((Style() & SS_NOTIFY) && Enabled())
        NotifyCommand(STN_CLICKED);
}

void Static::DoubleClick()
{
    if ((Style() & SS_NOTIFY) && Enabled())
        NotifyCommand(STN_DBLCLK);
}

void Static::Describe(ScreenControl& control) const
{
    switch (Style() & SS_TYPEMASK) {
    case SS_CENTER: control.extra.emplace_back("align", L"center"); break;
    case SS_RIGHT: control.extra.emplace_back("align", L"right"); break;
    default: control.extra.emplace_back("align", L"left"); break;
    }
}

}  // namespace win
