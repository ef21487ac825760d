#include "host/widgets/CJogInt64.h"

#include "host/widgets/NumberFormat.h"

#include <algorithm>
#include <limits>

IMPLEMENT_DYNAMIC(CJogInt64, JogWidget)

namespace {

constexpr __int64 kLowest = std::numeric_limits<__int64>::min();
constexpr __int64 kHighest = std::numeric_limits<__int64>::max();

__int64 SaturatingAdd(__int64 a, __int64 b)
{
    __int64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? kHighest : kLowest;
    return sum;
}

}  // namespace

CJogInt64::CJogInt64() : CJogInt64(L"%I64d") {}

CJogInt64::CJogInt64(std::wstring defaultFormat)
    : JogWidget(std::move(defaultFormat)), m_maximum(kHighest), m_minimum(kLowest)
{
}

void CJogInt64::SetMaxMinValue(__int64 maximum, __int64 minimum)
{
    if (maximum < minimum)
        std::swap(maximum, minimum);
    m_maximum = maximum;
    m_minimum = minimum;
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    ShowValue();
}

void CJogInt64::SetStep(__int64 coarse, __int64 fine)
{
    m_coarseStep = coarse;
    m_fineStep = fine;
}

bool CJogInt64::SetValue(__int64 value, bool notify)
{
    if (value < m_minimum || value > m_maximum)
        return false;
    bool changed = value != m_value;
    m_value = value;
    ShowValue();
    if (notify && changed)
        NotifyParent(JN_CHANGE);
    return true;
}

__int64 CJogInt64::GetValue(bool deselect)
{
    if (deselect && m_bSelected) {
        m_bSelected = false;
        Changed();
    }
    return m_value;
}

bool CJogInt64::Step(int direction, bool coarse)
{
    __int64 step = coarse ? m_coarseStep : m_fineStep;
    __int64 next;
    if (direction > 0)
        next = SaturatingAdd(m_value, step);
    else
        next = step == kLowest ? SaturatingAdd(m_value, kHighest) : SaturatingAdd(m_value, -step);
    next = std::clamp(next, m_minimum, m_maximum);
    if (next == m_value)
        return false;
    m_value = next;
    return true;
}

std::wstring CJogInt64::FormatValue() const
{
    std::wstring text;
    if (!host::FormatInteger(m_format, m_value, text))
        host::FormatInteger(L"%lld", m_value, text);
    return text;
}

bool CJogInt64::AcceptsFormat(const std::wstring& format) const
{
    std::wstring probe;
    return host::FormatInteger(format, 0, probe);
}
