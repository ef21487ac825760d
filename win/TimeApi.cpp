#include "win/TimeApi.h"

#include "win/DebugLog.h"
#include "win/Handles.h"

#include <cerrno>
#include <chrono>
#include <cstring>

namespace win {

// Howard Hinnant's days_from_civil / civil_from_days.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

unsigned DaysInMonth(std::int64_t year, unsigned month)
{
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool IsValidSystemTime(const SYSTEMTIME& time)
{
    return time.wYear >= 1601 && time.wYear <= 30827 && time.wMonth >= 1 && time.wMonth <= 12 && time.wDay >= 1 &&
           time.wDay <= DaysInMonth(time.wYear, time.wMonth) && time.wHour < 24 && time.wMinute < 60 &&
           time.wSecond < 60 && time.wMilliseconds < 1000;
}

std::int64_t SystemTimeToUnixMilliseconds(const SYSTEMTIME& time)
{
    const std::int64_t days = DaysFromCivil(time.wYear, time.wMonth, time.wDay);
    return ((days * 24 + time.wHour) * 60 + time.wMinute) * 60000 + time.wSecond * 1000LL + time.wMilliseconds;
}

SYSTEMTIME UnixMillisecondsToSystemTime(std::int64_t milliseconds)
{
    std::int64_t days = milliseconds / 86400000;
    std::int64_t rest = milliseconds % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, year, month, day);
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    time.wHour = static_cast<WORD>(rest / 3600000);
    time.wMinute = static_cast<WORD>(rest / 60000 % 60);
    time.wSecond = static_cast<WORD>(rest / 1000 % 60);
    time.wMilliseconds = static_cast<WORD>(rest % 1000);
    return time;
}

std::int64_t FileTimeToTicks(const FILETIME& time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME TicksToFileTime(std::int64_t ticks)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFF);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return time;
}

}  // namespace win

namespace {

constexpr __time64_t kMaxTime64 = 32535215999;  // 3000-12-31 23:59:59, the C runtime's limit

BOOL Invalid()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Local milliseconds of a UTC time in `zone` (null: the current zone).
std::int64_t ToLocalMilliseconds(const TIME_ZONE_INFORMATION* zone, std::int64_t utcMilliseconds)
{
    const std::int64_t seconds = FloorDiv(utcMilliseconds, 1000);
    if (zone == nullptr)
        return utcMilliseconds + win::Clock::OffsetAt(seconds).seconds * 1000;
    const bool daylight = win::IsDaylightTime(*zone, seconds);
    return utcMilliseconds - 60000LL * (zone->Bias + (daylight ? zone->DaylightBias : zone->StandardBias));
}

thread_local struct tm t_tm;
thread_local char t_zoneName[64];

}  // namespace

void GetSystemTime(SYSTEMTIME* time)
{
    if (time != nullptr)
        *time = win::UnixMillisecondsToSystemTime(win::Clock::NowUnixMilliseconds());
}

void GetLocalTime(SYSTEMTIME* time)
{
    if (time != nullptr)
        *time = win::UnixMillisecondsToSystemTime(ToLocalMilliseconds(nullptr, win::Clock::NowUnixMilliseconds()));
}

void GetSystemTimeAsFileTime(FILETIME* time)
{
    if (time != nullptr)
        *time = win::TicksToFileTime(win::Clock::NowUnixMilliseconds() * 10000 + win::kUnixEpochTicks);
}

namespace {

BOOL SetClockTo(std::int64_t targetUtcMilliseconds)
{
    const std::int64_t realNow = win::Clock::NowUnixMilliseconds() - win::Clock::GetOffsetSeconds() * 1000;
    // Whole seconds keep the offset exact across a save and restore; the
    // milliseconds of the new time come from the machine's clock.
    win::Clock::SetOffsetSeconds(FloorDiv(targetUtcMilliseconds - realNow + 500, 1000));
    return TRUE;
}

}  // namespace

BOOL SetLocalTime(const SYSTEMTIME* time)
{
    if (time == nullptr || !win::IsValidSystemTime(*time)) {
        OutputDebugStringW(L"SetLocalTime: invalid time");
        return Invalid();
    }
    const std::int64_t local = win::SystemTimeToUnixMilliseconds(*time);
    const std::int64_t utcSeconds = win::Clock::LocalToUnix(FloorDiv(local, 1000));
    return SetClockTo(utcSeconds * 1000 + time->wMilliseconds);
}

BOOL SetSystemTime(const SYSTEMTIME* time)
{
    if (time == nullptr || !win::IsValidSystemTime(*time))
        return Invalid();
    return SetClockTo(win::SystemTimeToUnixMilliseconds(*time));
}

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone)
{
    if (zone == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    DWORD id = TIME_ZONE_ID_UNKNOWN;
    *zone = win::Clock::CurrentZone(now.wYear, &id);
    return id;
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* universal,
                                     SYSTEMTIME* local)
{
    if (universal == nullptr || local == nullptr || !win::IsValidSystemTime(*universal))
        return Invalid();
    *local = win::UnixMillisecondsToSystemTime(ToLocalMilliseconds(zone, win::SystemTimeToUnixMilliseconds(*universal)));
    return TRUE;
}

BOOL TzSpecificLocalTimeToSystemTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* local,
                                     SYSTEMTIME* universal)
{
    if (local == nullptr || universal == nullptr || !win::IsValidSystemTime(*local))
        return Invalid();
    const std::int64_t localMilliseconds = win::SystemTimeToUnixMilliseconds(*local);
    std::int64_t utc = 0;
    if (zone == nullptr) {
        utc = win::Clock::LocalToUnix(FloorDiv(localMilliseconds, 1000)) * 1000 + local->wMilliseconds;
    } else {
        const std::int64_t asStandard = localMilliseconds + 60000LL * (zone->Bias + zone->StandardBias);
        const std::int64_t asDaylight = localMilliseconds + 60000LL * (zone->Bias + zone->DaylightBias);
        utc = win::IsDaylightTime(*zone, FloorDiv(asDaylight, 1000)) ? asDaylight : asStandard;
    }
    *universal = win::UnixMillisecondsToSystemTime(utc);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime)
{
    if (fileTime == nullptr || systemTime == nullptr)
        return Invalid();
    const std::int64_t ticks = win::FileTimeToTicks(*fileTime);
    if (ticks < 0)  // above 0x7FFFFFFFFFFFFFFF
        return Invalid();
    const std::int64_t milliseconds = (ticks - win::kUnixEpochTicks) / 10000 -
                                      ((ticks - win::kUnixEpochTicks) % 10000 < 0 ? 1 : 0);
    *systemTime = win::UnixMillisecondsToSystemTime(milliseconds);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime)
{
    if (systemTime == nullptr || fileTime == nullptr || !win::IsValidSystemTime(*systemTime))
        return Invalid();
    *fileTime = win::TicksToFileTime(win::SystemTimeToUnixMilliseconds(*systemTime) * 10000 + win::kUnixEpochTicks);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime)
{
    if (fileTime == nullptr || localFileTime == nullptr)
        return Invalid();
    const std::int64_t offset = win::Clock::OffsetAt(win::Clock::NowUnixMilliseconds() / 1000).seconds;
    *localFileTime = win::TicksToFileTime(win::FileTimeToTicks(*fileTime) + offset * win::kTicksPerSecond);
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime)
{
    if (fileTime == nullptr || localFileTime == nullptr)
        return Invalid();
    const std::int64_t offset = win::Clock::OffsetAt(win::Clock::NowUnixMilliseconds() / 1000).seconds;
    *fileTime = win::TicksToFileTime(win::FileTimeToTicks(*localFileTime) - offset * win::kTicksPerSecond);
    return TRUE;
}

LONG CompareFileTime(const FILETIME* first, const FILETIME* second)
{
    const auto a = static_cast<std::uint64_t>(win::FileTimeToTicks(*first));
    const auto b = static_cast<std::uint64_t>(win::FileTimeToTicks(*second));
    return a < b ? -1 : a > b ? 1 : 0;
}

__time64_t _time64(__time64_t* time)
{
    const __time64_t now = FloorDiv(win::Clock::NowUnixMilliseconds(), 1000);
    if (time != nullptr)
        *time = now;
    return now;
}

namespace {

struct tm* FillTm(std::int64_t seconds, std::int64_t offset, bool daylight, const std::string& zoneName)
{
    const SYSTEMTIME fields = win::UnixMillisecondsToSystemTime((seconds + offset) * 1000);
    std::memset(&t_tm, 0, sizeof t_tm);
    t_tm.tm_year = fields.wYear - 1900;
    t_tm.tm_mon = fields.wMonth - 1;
    t_tm.tm_mday = fields.wDay;
    t_tm.tm_hour = fields.wHour;
    t_tm.tm_min = fields.wMinute;
    t_tm.tm_sec = fields.wSecond;
    t_tm.tm_wday = fields.wDayOfWeek;
    t_tm.tm_yday = static_cast<int>(win::DaysFromCivil(fields.wYear, fields.wMonth, fields.wDay) -
                                    win::DaysFromCivil(fields.wYear, 1, 1));
    t_tm.tm_isdst = daylight ? 1 : 0;
    t_tm.tm_gmtoff = static_cast<long>(offset);
    std::strncpy(t_zoneName, zoneName.c_str(), sizeof t_zoneName - 1);
    t_zoneName[sizeof t_zoneName - 1] = '\0';
    t_tm.tm_zone = t_zoneName;
    return &t_tm;
}

}  // namespace

struct tm* _localtime64(const __time64_t* time)
{
    if (time == nullptr || *time < 0 || *time > kMaxTime64) {
        errno = EINVAL;
        return nullptr;
    }
    const win::Clock::LocalOffset offset = win::Clock::OffsetAt(*time);
    return FillTm(*time, offset.seconds, offset.daylight, win::Clock::ZoneAbbreviation(*time));
}

struct tm* _gmtime64(const __time64_t* time)
{
    if (time == nullptr || *time < 0 || *time > kMaxTime64) {
        errno = EINVAL;
        return nullptr;
    }
    return FillTm(*time, 0, false, "UTC");
}

__time64_t _mktime64(struct tm* localTime)
{
    if (localTime == nullptr)
        return -1;
    // Normalises out-of-range fields the way mktime does, by plain arithmetic.
    std::int64_t year = localTime->tm_year + 1900LL + FloorDiv(localTime->tm_mon, 12);
    const auto month = static_cast<unsigned>(localTime->tm_mon - FloorDiv(localTime->tm_mon, 12) * 12 + 1);
    const std::int64_t local = (win::DaysFromCivil(year, month, 1) + localTime->tm_mday - 1) * 86400 +
                               localTime->tm_hour * 3600LL + localTime->tm_min * 60LL + localTime->tm_sec;
    const std::int64_t utc = win::Clock::LocalToUnix(local);
    if (utc < 0 || utc > kMaxTime64)
        return -1;
    *localTime = *_localtime64(&utc);
    return utc;
}
