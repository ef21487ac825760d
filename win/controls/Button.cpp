#include "win/controls/Button.h"

#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

#include <algorithm>

namespace win {
namespace {

// The highest check state each button type keeps; BM_SETCHECK clamps to it,
// so push buttons, group boxes and owner-drawn buttons stay unchecked.
UINT MaximumCheck(DWORD type)
{
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
        return BST_INDETERMINATE;
    default:
        return BST_UNCHECKED;
    }
}

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

}  // namespace

WindowClass Button::Class()
{
    return WindowClass{L"Button", &Button::Procedure, [] { return std::make_unique<Button>(); }, "button"};
}

LRESULT Button::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* button = StateOf<Button>(hwnd);
    if (!button)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: button->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: button->ButtonDown(); return 0;
    case WM_LBUTTONUP: button->ButtonUp(PointFromLParam(lParam)); return 0;
    case WM_LBUTTONDBLCLK: button->DoubleClick(); return 0;
    case WM_KEYDOWN: button->KeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_KEYUP: button->KeyUp(static_cast<UINT>(wParam)); return 0;
    case WM_SETFOCUS: button->SetFocused(true); return 0;
    case WM_KILLFOCUS: button->SetFocused(false); return 0;
    case BM_GETCHECK: return static_cast<LRESULT>(button->GetCheck());
    case BM_SETCHECK: button->SetCheck(wParam); return 0;
    case BM_GETSTATE: return static_cast<LRESULT>(button->GetState());
    case BM_SETSTATE: button->SetPushed(wParam != 0); return 0;
    case BM_SETSTYLE: button->SetButtonStyle(static_cast<DWORD>(wParam), lParam != 0); return 0;
    case BM_CLICK: button->Click(); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

DWORD Button::Type() const { return Style() & BS_TYPEMASK; }

bool Button::TakesInput() const { return Type() != BS_GROUPBOX && Enabled(); }

void Button::ButtonDown()
{
    if (!TakesInput())
        return;
    HWND self = Self();
    SetFocus(self);
    if (IsWindow(self))
        StartPress();
}

void Button::StartPress()
{
    HWND self = Self();
    SetCapture(self);
    m_pressing = true;
    SendMessageW(self, BM_SETSTATE, TRUE, 0);
}

void Button::ButtonUp(POINT point)
{
    RECT client{};
    GetClientRect(Self(), &client);
    EndPress(PtInRect(&client, point) != FALSE);
}

void Button::EndPress(bool inside)
{
    if (!m_pressing)
        return;
    m_pressing = false;
    HWND self = Self();
    if (!m_pushed) {
        ReleaseCapture();
        return;
    }
    SendMessageW(self, BM_SETSTATE, FALSE, 0);
    if (!IsWindow(self))
        return;
    if (!inside || !Enabled()) {
        ReleaseCapture();
        return;
    }
    // The check changes before the parent hears of the click, so a BN_CLICKED
    // handler reads the new state.
    switch (Type()) {
    case BS_AUTOCHECKBOX: SendMessageW(self, BM_SETCHECK, m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0); break;
    case BS_AUTORADIOBUTTON: SendMessageW(self, BM_SETCHECK, BST_CHECKED, 0); break;
    case BS_AUTO3STATE: SendMessageW(self, BM_SETCHECK, (m_check + 1) % 3, 0); break;
    default: break;
    }
    if (!IsWindow(self))
        return;
    ReleaseCapture();
    NotifyCommand(BN_CLICKED);
}

void Button::DoubleClick()
{
    if (!TakesInput())
        return;
    // Radio and owner-drawn buttons always report a double click, others only
    // with BS_NOTIFY; for the rest the second press is just another press.
    DWORD type = Type();
    if (IsRadio(type) || type == BS_OWNERDRAW || (Style() & BS_NOTIFY)) {
        NotifyCommand(BN_DOUBLECLICKED);
        return;
    }
    ButtonDown();
}

void Button::KeyDown(UINT key)
{
    if (key == VK_SPACE && TakesInput() && !m_pressing)
        StartPress();
}

void Button::KeyUp(UINT key)
{
    if (key == VK_SPACE)
        EndPress(true);
}

void Button::Click()
{
    // As on Windows: a button-down and button-up at the client origin.
    HWND self = Self();
    SendMessageW(self, WM_LBUTTONDOWN, 0, 0);
    if (IsWindow(self))
        SendMessageW(self, WM_LBUTTONUP, 0, 0);
}

void Button::SetCheck(WPARAM check)
{
    UINT clamped = std::min<UINT>(static_cast<UINT>(check), MaximumCheck(Type()));
    if (clamped != m_check) {
        m_check = clamped;
        Changed();
    }
    if (Type() == BS_AUTORADIOBUTTON && m_check == BST_CHECKED)
        UncheckOtherAutoRadioButtons();
}

void Button::UncheckOtherAutoRadioButtons()
{
    // The group runs from the nearest sibling at or before this button that
    // has WS_GROUP up to the next sibling that has it.
    HWND self = Self();
    std::vector<HWND> siblings = ChildWindows(GetParent(self));
    auto position = std::find(siblings.begin(), siblings.end(), self);
    if (position == siblings.end())
        return;
    auto first = position;
    while (first != siblings.begin() && !(GetWindowLongPtrW(*first, GWL_STYLE) & WS_GROUP))
        --first;
    for (auto sibling = first; sibling != siblings.end(); ++sibling) {
        if (sibling != first && (GetWindowLongPtrW(*sibling, GWL_STYLE) & WS_GROUP))
            break;
        if (*sibling == self)
            continue;
        DWORD style = static_cast<DWORD>(GetWindowLongPtrW(*sibling, GWL_STYLE));
        if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && StateOf<Button>(*sibling))
            SendMessageW(*sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

UINT Button::GetState() const
{
    return m_check | (m_pushed ? static_cast<UINT>(BST_PUSHED) : 0U) | (m_focused ? static_cast<UINT>(BST_FOCUS) : 0U);
}

void Button::SetPushed(bool pushed)
{
    if (pushed == m_pushed)
        return;
    m_pushed = pushed;
    Changed();
}

void Button::SetButtonStyle(DWORD style, bool)
{
    DWORD current = Style();
    DWORD changed = (current & ~BS_TYPEMASK) | (style & BS_TYPEMASK);
    if (changed != current)
        SetWindowLongPtrW(Self(), GWL_STYLE, static_cast<LONG_PTR>(changed));
}

void Button::SetFocused(bool focused) { m_focused = focused; }

void Button::Describe(ScreenControl& control) const
{
    DWORD style = Style();
    DWORD type = style & BS_TYPEMASK;
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        control.className = "checkbox";
        control.checked = m_check == BST_CHECKED;
        if (IsRadio(type))
            control.extra.emplace_back("kind", L"radio");
        if (m_check == BST_INDETERMINATE)
            control.extra.emplace_back("indeterminate", L"1");
        break;
    case BS_GROUPBOX: control.className = "groupbox"; break;
    case BS_OWNERDRAW: control.className = "ownerdraw"; break;
    default:
        control.className = "button";
        if (type == BS_DEFPUSHBUTTON)
            control.extra.emplace_back("default", L"1");
        break;
    }
    if (style & BS_PUSHLIKE)
        control.extra.emplace_back("pushLike", L"1");
    if (style & BS_MULTILINE)
        control.extra.emplace_back("multiline", L"1");
    if (m_pushed)
        control.extra.emplace_back("pushed", L"1");
}

}  // namespace win
