// The dialog framework's time value: seconds since 1970 (UTC) in a 64-bit
// __time64_t; the calendar fields and Format use local time through the
// platform's time zone (TimeApi.h). Trivially copyable, zero when
// default-constructed.
#pragma once

#include "win/CString.h"
#include "win/TimeApi.h"

class CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // Local calendar time; a daylight flag of -1 lets the zone decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int daylight = -1);
    CTime(const SYSTEMTIME& time, int daylight = -1);  // local time
    CTime(const FILETIME& time, int daylight = -1);    // UTC file time

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    CTime& operator=(__time64_t time)
    {
        m_time = time;
        return *this;
    }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    // False for a time the C runtime cannot convert (before 1970, after 3000).
    bool GetAsSystemTime(SYSTEMTIME& time) const;
    // wcsftime of the local time; empty when the time cannot be converted.
    CString Format(LPCWSTR format) const;

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }
    friend bool operator!=(const CTime& a, const CTime& b) { return a.m_time != b.m_time; }
    friend bool operator<(const CTime& a, const CTime& b) { return a.m_time < b.m_time; }
    friend bool operator>(const CTime& a, const CTime& b) { return a.m_time > b.m_time; }
    friend bool operator<=(const CTime& a, const CTime& b) { return a.m_time <= b.m_time; }
    friend bool operator>=(const CTime& a, const CTime& b) { return a.m_time >= b.m_time; }

private:
    struct tm LocalFields() const;

    __time64_t m_time = 0;
};
