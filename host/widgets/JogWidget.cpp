#include "host/widgets/JogWidget.h"

#include "win/DebugLog.h"

IMPLEMENT_DYNAMIC(JogWidget, TouchWidget)

void JogWidget::SetUnitString(LPCWSTR unit)
{
    m_unit = unit ? unit : L"";
    ShowValue();
}

void JogWidget::SetFormatString(LPCWSTR format)
{
    std::wstring candidate = format ? format : L"";
    if (!AcceptsFormat(candidate)) {
        OutputDebugStringW((L"jog: format refused: " + candidate).c_str());
        return;
    }
    m_format = std::move(candidate);
    ShowValue();
}

void JogWidget::Redraw() { ShowValue(); }

JogWidget::Zone JogWidget::ZoneAt(int width, int x)
{
    // Compare 6x with multiples of the width so no zone is lost to rounding.
    long long scaled = 6LL * x;
    if (scaled < width)
        return Zone::CoarseDown;
    if (scaled < 2LL * width)
        return Zone::FineDown;
    if (scaled < 4LL * width)
        return Zone::Middle;
    if (scaled < 5LL * width)
        return Zone::FineUp;
    return Zone::CoarseUp;
}

void JogWidget::OnTap(POINT point)
{
    RECT client{};
    GetClientRect(&client);
    bool changed = false;
    switch (ZoneAt(client.right, point.x)) {
    case Zone::CoarseDown: changed = Step(-1, true); break;
    case Zone::FineDown: changed = Step(-1, false); break;
    case Zone::FineUp: changed = Step(+1, false); break;
    case Zone::CoarseUp: changed = Step(+1, true); break;
    case Zone::Middle:
        m_bSelected = !m_bSelected;
        Changed();
        return;
    }
    if (!changed)
        return;
    ShowValue();
    NotifyParent(JN_CHANGE);
}

void JogWidget::Describe(win::ScreenControl& control) const
{
    control.className = "jog";
    control.value = FormatValue();
    control.unit = m_unit;
    control.selected = m_bSelected;
    // Relative widths of the tap zones, left to right, for whoever draws the jog.
    control.extra.emplace_back("zones", L"1,1,2,1,1");
}

void JogWidget::OnAttached() { ShowValue(); }

void JogWidget::ShowValue()
{
    if (!m_hWnd)
        return;
    std::wstring text = FormatValue();
    if (!m_unit.empty())
        text += L" " + m_unit;
    // The static underneath keeps the text for anything that reads it.
    ::SetWindowTextW(m_hWnd, text.c_str());
    Changed();
}
