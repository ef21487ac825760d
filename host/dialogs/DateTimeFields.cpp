#include "host/dialogs/DateTimeFields.h"

#include <algorithm>

namespace host {
namespace {

constexpr int kMinimum[DateTimeFields::FieldCount] = {DateTimeFields::kMinYear, 1, 1, 0, 0, 0};
constexpr int kMaximum[DateTimeFields::FieldCount] = {DateTimeFields::kMaxYear, 12, 31, 23, 59, 59};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int DateTimeFields::Minimum(Field field) { return kMinimum[field]; }
int DateTimeFields::Maximum(Field field) { return kMaximum[field]; }

void DateTimeFields::Set(const SYSTEMTIME& time)
{
    const int given[FieldCount] = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
    for (int field = 0; field < FieldCount; ++field)
        m_values[field] = std::clamp(given[field], kMinimum[field], kMaximum[field]);
}

SYSTEMTIME DateTimeFields::Get() const
{
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(m_values[Year]);
    time.wMonth = static_cast<WORD>(m_values[Month]);
    time.wDay = static_cast<WORD>(m_values[Day]);
    time.wHour = static_cast<WORD>(m_values[Hour]);
    time.wMinute = static_cast<WORD>(m_values[Minute]);
    time.wSecond = static_cast<WORD>(m_values[Second]);
    time.wMilliseconds = 0;
    time.wDayOfWeek = static_cast<WORD>(DayOfWeek(m_values[Year], m_values[Month], m_values[Day]));
    return time;
}

void DateTimeFields::Step(Field field, int delta)
{
    int low = kMinimum[field];
    int high = kMaximum[field];
    if (field == Year) {
        m_values[field] = std::clamp(m_values[field] + delta, low, high);
        return;
    }
    int span = high - low + 1;
    int offset = (m_values[field] - low + delta) % span;
    if (offset < 0)
        offset += span;
    m_values[field] = low + offset;
}

bool DateTimeFields::IsValid() const { return m_values[Day] <= DaysInMonth(m_values[Year], m_values[Month]); }

int DateTimeFields::DaysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

int DateTimeFields::DayOfWeek(int year, int month, int day)
{
    // Sakamoto's method.
    static constexpr int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[(month + 11) % 12] + day) % 7;
}

}  // namespace host
