#include "host/widgets/CJogTimeMinute.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CJogTimeMinute, CJogInt64)

CJogTimeMinute::CJogTimeMinute() : CJogInt64(L"%I64d") {}

std::wstring CJogTimeMinute::FormatValue() const
{
    // Work on the magnitude as unsigned so the lowest value has one too.
    unsigned long long magnitude = m_value < 0 ? 0ULL - static_cast<unsigned long long>(m_value)
                                               : static_cast<unsigned long long>(m_value);
    wchar_t buffer[48];
    std::swprintf(buffer, 48, L"%ls%llu:%02llu", m_value < 0 ? L"-" : L"", magnitude / 60, magnitude % 60);
    return buffer;
}
