#include "host/widgets/CPushSwitch.h"

IMPLEMENT_DYNAMIC(CPushSwitch, TouchWidget)

void CPushSwitch::Select(int select)
{
    m_selected = select != 0;
    m_selectedByParent = true;
    Changed();
}

LRESULT CPushSwitch::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_GETCHECK:
        return m_selected ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        Select(wParam == BST_CHECKED ? 1 : 0);
        return 0;
    default:
        return TouchWidget::WindowProc(message, wParam, lParam);
    }
}

void CPushSwitch::OnTap(POINT)
{
    const bool before = m_selected;
    m_selected = true;
    m_selectedByParent = false;
    Changed();
    if (!NotifyParent(BN_CLICKED))
        return;
    if (!m_selectedByParent) {
        m_selected = before;
        Changed();
    }
}

void CPushSwitch::Describe(win::ScreenControl& control) const
{
    control.className = "pushswitch";
    control.checked.reset();
    control.selected = m_selected;
}
