#include "host/widgets/TouchWidget.h"

#include "win/DebugLog.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(TouchWidget, CWnd)

TouchWidget::~TouchWidget()
{
    // The window may outlive this object for a moment (the base destroys it):
    // its description must not call into a dead widget.
    if (m_hWnd && IsWindow(m_hWnd))
        win::SetDescribeHook(m_hWnd, nullptr);
}

BOOL TouchWidget::AutoLoad(UINT id, CWnd* parent)
{
    if (!parent || !parent->m_hWnd) {
        OutputDebugStringW(L"TouchWidget::AutoLoad: no parent window");
        return FALSE;
    }
    if (!SubclassDlgItem(id, parent)) {
        wchar_t line[96];
        std::swprintf(line, 96, L"TouchWidget::AutoLoad: control %u cannot be taken over", id);
        OutputDebugStringW(line);
        return FALSE;
    }
    AttachWidget();
    return TRUE;
}

void TouchWidget::AttachWidget()
{
    win::SetDescribeHook(m_hWnd, [this](win::ScreenControl& control) { Describe(control); });
    OnAttached();
    Changed();
}

LRESULT TouchWidget::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnPress();
        return 0;
    case WM_LBUTTONUP:
        OnRelease(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        return 0;
    case BM_CLICK:
        // A click from code acts like the operator's tap in the middle.
        if (IsWindowEnabled())
            OnTap(Centre());
        return 0;
    case WM_ENABLE:
        if (!wParam)
            m_pressed = false;
        break;
    case WM_NCDESTROY:
        win::SetDescribeHook(m_hWnd, nullptr);
        m_pressed = false;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void TouchWidget::OnPress()
{
    m_pressed = IsWindowEnabled() != FALSE;
}

void TouchWidget::OnRelease(POINT point)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    RECT client{};
    GetClientRect(&client);
    if (!IsWindowEnabled() || !PtInRect(&client, point))
        return;
    OnTap(point);
}

bool TouchWidget::NotifyParent(UINT code)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return true;
    WPARAM wParam = MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), code);
    return SendAndSurvive(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(m_hWnd));
}

bool TouchWidget::SendAndSurvive(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The handler may end the dialog and with it this window (and the object
    // that holds this widget): keep the handle to notice that afterwards.
    HWND self = m_hWnd;
    if (target)
        SendMessageW(target, message, wParam, lParam);
    return IsWindow(self) && CWnd::FromHandlePermanent(self) == this;
}

void TouchWidget::Changed()
{
    if (m_hWnd)
        win::MarkChanged(m_hWnd);
}

POINT TouchWidget::Centre() const
{
    RECT client{};
    GetClientRect(&client);
    return POINT{client.right / 2, client.bottom / 2};
}
