#include "host/widgets/CJogNumCtrl.h"

#include "host/widgets/NumberFormat.h"
#include "win/DebugLog.h"

#include <algorithm>
#include <cmath>
#include <limits>

IMPLEMENT_DYNAMIC(CJogNumCtrl, JogWidget)

CJogNumCtrl::CJogNumCtrl()
    : JogWidget(L"%g"),
      m_maximum(std::numeric_limits<double>::max()),
      m_minimum(std::numeric_limits<double>::lowest())
{
}

void CJogNumCtrl::SetMaxMinValue(double maximum, double minimum)
{
    if (std::isnan(maximum) || std::isnan(minimum)) {
        OutputDebugStringW(L"CJogNumCtrl::SetMaxMinValue: not a number");
        return;
    }
    if (maximum < minimum)
        std::swap(maximum, minimum);
    m_maximum = maximum;
    m_minimum = minimum;
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    ShowValue();
}

void CJogNumCtrl::SetStep(double coarse, double fine)
{
    if (std::isfinite(coarse))
        m_coarseStep = coarse;
    if (std::isfinite(fine))
        m_fineStep = fine;
}

bool CJogNumCtrl::SetValue(double value)
{
    if (std::isnan(value) || value < m_minimum || value > m_maximum)
        return false;
    m_value = value;
    ShowValue();
    return true;
}

bool CJogNumCtrl::Step(int direction, bool coarse)
{
    double step = (coarse ? m_coarseStep : m_fineStep) * direction;
    double next = std::clamp(m_value + step, m_minimum, m_maximum);
    if (std::isnan(next) || next == m_value)
        return false;
    m_value = next;
    return true;
}

std::wstring CJogNumCtrl::FormatValue() const
{
    std::wstring text;
    if (!host::FormatDouble(m_format, m_value, text))
        host::FormatDouble(L"%g", m_value, text);
    return text;
}

bool CJogNumCtrl::AcceptsFormat(const std::wstring& format) const
{
    std::wstring probe;
    return host::FormatDouble(format, 0.0, probe);
}
