#include "host/widgets/CHandButton.h"

IMPLEMENT_DYNAMIC(CHandButton, TouchWidget)

void CHandButton::OnTap(POINT)
{
    NotifyParent(BN_CLICKED);
}

void CHandButton::Describe(win::ScreenControl& control) const
{
    control.className = "hand";
    control.checked.reset();
    // The templates leave the owner-drawn button without a text: the host draws the hand.
    if (control.text.empty())
        control.text = L"手";
}
