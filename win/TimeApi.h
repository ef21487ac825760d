// Time: the instrument's simulated clock, time zones and the FILETIME /
// SYSTEMTIME conversions.
//
// The clock is the machine's clock plus an offset. SetLocalTime and
// SetSystemTime change only that offset, never the machine's clock; the
// simulator persists it through Clock::GetOffsetSeconds/SetOffsetSeconds.
// GetTickCount is monotonic and unaffected, as on Windows.
//
// The time zone is the process's (TZ) unless a fixed zone is set (tests):
// then every local conversion (GetLocalTime, _localtime64, CTime, file
// times) follows that zone's Windows rules.
//
// TIME_ZONE_INFORMATION keeps Windows' field order and types; its names are
// WCHAR (wchar_t) arrays, so the record is larger than Windows' 172 bytes.
#pragma once

#include "win/WinNT.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

struct TIME_ZONE_INFORMATION {
    LONG Bias = 0;  // minutes, UTC = local + Bias
    WCHAR StandardName[32] = {};
    SYSTEMTIME StandardDate;  // change to standard time (month 0: no daylight saving)
    LONG StandardBias = 0;
    WCHAR DaylightName[32] = {};
    SYSTEMTIME DaylightDate;  // change to daylight time, in local standard time
    LONG DaylightBias = 0;
};
using LPTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;
constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

void GetLocalTime(SYSTEMTIME* time);
void GetSystemTime(SYSTEMTIME* time);
void GetSystemTimeAsFileTime(FILETIME* time);
// FALSE with ERROR_INVALID_PARAMETER for a field out of range (the day of
// the week is ignored, as on Windows).
BOOL SetLocalTime(const SYSTEMTIME* time);
BOOL SetSystemTime(const SYSTEMTIME* time);

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone);
// A null zone means the current one.
BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* universal,
                                     SYSTEMTIME* local);
BOOL TzSpecificLocalTimeToSystemTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* local,
                                     SYSTEMTIME* universal);

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
// As on Windows, these use the bias in effect now, not at the converted time.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime);
LONG CompareFileTime(const FILETIME* first, const FILETIME* second);

// The C runtime's 64-bit time type: glibc declares __time64_t itself only
// where time_t is 32 bits wide.
#if !defined(__TIMESIZE) || __TIMESIZE == 64
using __time64_t = std::int64_t;
#endif
static_assert(sizeof(__time64_t) == 8);

// The C runtime's 64-bit time functions. _localtime64 and _gmtime64 return a per-thread record, or
// null for a negative time or one after the year 3000.
__time64_t _time64(__time64_t* time);
struct tm* _localtime64(const __time64_t* time);
struct tm* _gmtime64(const __time64_t* time);
__time64_t _mktime64(struct tm* localTime);

namespace win {

class Clock {
public:
    // Seconds the simulated clock runs ahead of the machine's.
    static std::int64_t GetOffsetSeconds();
    static void SetOffsetSeconds(std::int64_t seconds);
    // Simulated UTC time in milliseconds since 1970.
    static std::int64_t NowUnixMilliseconds();

    // A fixed zone for every local conversion, or back to the process's TZ.
    static void SetTimeZone(const TIME_ZONE_INFORMATION& zone);
    static void UseProcessTimeZone();
    // The current zone as GetTimeZoneInformation reports it, for `year`.
    static TIME_ZONE_INFORMATION CurrentZone(int year, DWORD* zoneId = nullptr);

    // Local time = UTC + seconds.
    struct LocalOffset {
        std::int64_t seconds = 0;
        bool daylight = false;
    };
    static LocalOffset OffsetAt(std::int64_t unixSeconds);
    // The UTC time of a local wall-clock time (seconds since 1970 as if the
    // local time were UTC). In a daylight-saving gap the standard offset
    // applies.
    static std::int64_t LocalToUnix(std::int64_t localSeconds);
    // The zone's name at a UTC time ("JST", "CET", ...), as UTF-8.
    static std::string ZoneAbbreviation(std::int64_t unixSeconds);
};

// Calendar arithmetic, proleptic Gregorian, valid far beyond FILETIME's range.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);
void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day);
unsigned DaysInMonth(std::int64_t year, unsigned month);
bool IsValidSystemTime(const SYSTEMTIME& time);
// Fields are not checked.
std::int64_t SystemTimeToUnixMilliseconds(const SYSTEMTIME& time);
SYSTEMTIME UnixMillisecondsToSystemTime(std::int64_t milliseconds);
// 100-nanosecond units since 1601.
std::int64_t FileTimeToTicks(const FILETIME& time);
FILETIME TicksToFileTime(std::int64_t ticks);
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;  // 1970-01-01 in FILETIME ticks

// The zone rules of a TIME_ZONE_INFORMATION: whether daylight time applies
// at a UTC time.
bool IsDaylightTime(const TIME_ZONE_INFORMATION& zone, std::int64_t unixSeconds);

}  // namespace win
