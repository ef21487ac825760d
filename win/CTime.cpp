#include "win/CTime.h"

#include <cwchar>

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int daylight)
{
    struct tm fields {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = daylight;
    m_time = _mktime64(&fields);
}

CTime::CTime(const SYSTEMTIME& time, int daylight)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, daylight)
{
}

CTime::CTime(const FILETIME& time, int)
{
    const std::int64_t ticks = win::FileTimeToTicks(time) - win::kUnixEpochTicks;
    m_time = ticks >= 0 ? ticks / win::kTicksPerSecond : -((-ticks + win::kTicksPerSecond - 1) / win::kTicksPerSecond);
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

struct tm CTime::LocalFields() const
{
    const struct tm* fields = _localtime64(&m_time);
    return fields != nullptr ? *fields : tm{};
}

int CTime::GetYear() const
{
    return LocalFields().tm_year + 1900;
}

int CTime::GetMonth() const
{
    return LocalFields().tm_mon + 1;
}

int CTime::GetDay() const
{
    return LocalFields().tm_mday;
}

int CTime::GetHour() const
{
    return LocalFields().tm_hour;
}

int CTime::GetMinute() const
{
    return LocalFields().tm_min;
}

int CTime::GetSecond() const
{
    return LocalFields().tm_sec;
}

int CTime::GetDayOfWeek() const
{
    return LocalFields().tm_wday + 1;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& time) const
{
    const struct tm* fields = _localtime64(&m_time);
    if (fields == nullptr)
        return false;
    time.wYear = static_cast<WORD>(fields->tm_year + 1900);
    time.wMonth = static_cast<WORD>(fields->tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(fields->tm_wday);
    time.wDay = static_cast<WORD>(fields->tm_mday);
    time.wHour = static_cast<WORD>(fields->tm_hour);
    time.wMinute = static_cast<WORD>(fields->tm_min);
    time.wSecond = static_cast<WORD>(fields->tm_sec);
    time.wMilliseconds = 0;
    return true;
}

CString CTime::Format(LPCWSTR format) const
{
    const struct tm* fields = _localtime64(&m_time);
    if (fields == nullptr || format == nullptr)
        return CString();
    wchar_t text[256];
    const std::size_t length = std::wcsftime(text, 256, format, fields);
    return CString(text, static_cast<int>(length));
}
