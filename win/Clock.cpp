#include "win/TimeApi.h"

#include "win/TextConvert.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>

namespace win {
namespace {

std::atomic<std::int64_t> g_offsetMilliseconds{0};

struct ZoneState {
    std::mutex mutex;
    bool fixed = false;
    TIME_ZONE_INFORMATION zone;
};

ZoneState& TheZone()
{
    static ZoneState state;
    return state;
}

std::optional<TIME_ZONE_INFORMATION> FixedZone()
{
    ZoneState& state = TheZone();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.fixed)
        return std::nullopt;
    return state.zone;
}

std::int64_t RealNowMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Local seconds (as if UTC) of a transition rule in `year`.
std::int64_t TransitionLocalSeconds(const SYSTEMTIME& rule, std::int64_t year)
{
    unsigned day = rule.wDay;
    if (rule.wYear == 0) {
        // wDay-th (5 = last) wDayOfWeek of the month.
        const std::int64_t first = DaysFromCivil(year, rule.wMonth, 1);
        const unsigned firstWeekday = static_cast<unsigned>(((first % 7) + 11) % 7);  // 1970-01-01 was a Thursday
        day = 1 + (rule.wDayOfWeek + 7 - firstWeekday) % 7 + 7 * (std::max<unsigned>(rule.wDay, 1) - 1);
        while (day > DaysInMonth(year, rule.wMonth))
            day -= 7;
    }
    return DaysFromCivil(year, rule.wMonth, day) * 86400 + rule.wHour * 3600 + rule.wMinute * 60 + rule.wSecond;
}

std::int64_t OffsetSeconds(const TIME_ZONE_INFORMATION& zone, bool daylight)
{
    return -60LL * (zone.Bias + (daylight ? zone.DaylightBias : zone.StandardBias));
}

tm LocalTm(std::int64_t unixSeconds)
{
    std::time_t t = static_cast<std::time_t>(unixSeconds);
    tm result {};
    localtime_r(&t, &result);
    return result;
}

void CopyName(WCHAR (&target)[32], const char* name)
{
    std::wstring wide = Utf8ToWide(name != nullptr ? name : "");
    std::size_t length = std::min<std::size_t>(wide.size(), 31);
    std::wmemcpy(target, wide.data(), length);
    target[length] = L'\0';
}

// Windows' rule form of a transition at `localSeconds` (local wall time).
SYSTEMTIME RuleOf(std::int64_t localSeconds)
{
    SYSTEMTIME when = UnixMillisecondsToSystemTime(localSeconds * 1000);
    SYSTEMTIME rule;
    rule.wMonth = when.wMonth;
    rule.wDayOfWeek = when.wDayOfWeek;
    rule.wDay = static_cast<WORD>((when.wDay - 1) / 7 + 1);
    if (when.wDay + 7 > static_cast<int>(DaysInMonth(when.wYear, when.wMonth)))
        rule.wDay = 5;  // "last" is how rules such as "last Sunday of March" are written
    rule.wHour = when.wHour;
    rule.wMinute = when.wMinute;
    rule.wSecond = when.wSecond;
    return rule;
}

// The first second at which the process zone's offset differs from that at `from`.
std::int64_t FindTransition(std::int64_t from, std::int64_t to)
{
    const long offset = LocalTm(from).tm_gmtoff;
    while (to - from > 1) {
        std::int64_t middle = from + (to - from) / 2;
        if (LocalTm(middle).tm_gmtoff == offset)
            from = middle;
        else
            to = middle;
    }
    return to;
}

TIME_ZONE_INFORMATION ProcessZone(int year, DWORD* zoneId)
{
    tzset();
    TIME_ZONE_INFORMATION zone;
    const std::int64_t start = DaysFromCivil(year, 1, 1) * 86400;
    const std::int64_t end = DaysFromCivil(year + 1, 1, 1) * 86400;
    std::optional<std::int64_t> toDaylight;
    std::optional<std::int64_t> toStandard;
    tm previous = LocalTm(start);
    long standardOffset = previous.tm_gmtoff;
    long daylightOffset = previous.tm_gmtoff;
    bool sawStandard = previous.tm_isdst == 0;
    std::string standardName = previous.tm_isdst == 0 && previous.tm_zone ? previous.tm_zone : "";
    std::string daylightName = previous.tm_isdst > 0 && previous.tm_zone ? previous.tm_zone : "";
    for (std::int64_t t = start + 86400; t <= end; t += 86400) {
        tm current = LocalTm(t);
        if (current.tm_gmtoff != previous.tm_gmtoff || current.tm_isdst != previous.tm_isdst) {
            std::int64_t change = FindTransition(t - 86400, t);
            if (current.tm_isdst > 0 && previous.tm_isdst <= 0 && !toDaylight)
                toDaylight = change;
            else if (current.tm_isdst <= 0 && previous.tm_isdst > 0 && !toStandard)
                toStandard = change;
        }
        if (current.tm_isdst > 0) {
            daylightOffset = current.tm_gmtoff;
            if (current.tm_zone)
                daylightName = current.tm_zone;
        } else if (!sawStandard || current.tm_gmtoff != standardOffset) {
            standardOffset = current.tm_gmtoff;
            sawStandard = true;
            if (current.tm_zone)
                standardName = current.tm_zone;
        } else if (standardName.empty() && current.tm_zone) {
            standardName = current.tm_zone;
        }
        previous = current;
    }
    zone.Bias = static_cast<LONG>(-standardOffset / 60);
    CopyName(zone.StandardName, standardName.c_str());
    CopyName(zone.DaylightName, (daylightName.empty() ? standardName : daylightName).c_str());
    if (toDaylight && toStandard) {
        zone.DaylightBias = static_cast<LONG>(-(daylightOffset - standardOffset) / 60);
        zone.DaylightDate = RuleOf(*toDaylight + standardOffset);
        zone.StandardDate = RuleOf(*toStandard + daylightOffset);
    }
    if (zoneId != nullptr) {
        if (!toDaylight || !toStandard)
            *zoneId = TIME_ZONE_ID_UNKNOWN;
        else
            *zoneId = LocalTm(Clock::NowUnixMilliseconds() / 1000).tm_isdst > 0 ? TIME_ZONE_ID_DAYLIGHT
                                                                                 : TIME_ZONE_ID_STANDARD;
    }
    return zone;
}

}  // namespace

bool IsDaylightTime(const TIME_ZONE_INFORMATION& zone, std::int64_t unixSeconds)
{
    if (zone.DaylightDate.wMonth == 0 || zone.StandardDate.wMonth == 0)
        return false;
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    const std::int64_t standardLocal = unixSeconds + OffsetSeconds(zone, false);
    CivilFromDays(standardLocal >= 0 ? standardLocal / 86400 : (standardLocal - 86399) / 86400, year, month, day);
    const std::int64_t start = TransitionLocalSeconds(zone.DaylightDate, year) - OffsetSeconds(zone, false);
    const std::int64_t end = TransitionLocalSeconds(zone.StandardDate, year) - OffsetSeconds(zone, true);
    if (start < end)
        return unixSeconds >= start && unixSeconds < end;
    return unixSeconds >= start || unixSeconds < end;  // southern hemisphere
}

std::int64_t Clock::GetOffsetSeconds()
{
    return g_offsetMilliseconds.load() / 1000;
}

void Clock::SetOffsetSeconds(std::int64_t seconds)
{
    g_offsetMilliseconds.store(seconds * 1000);
}

std::int64_t Clock::NowUnixMilliseconds()
{
    return RealNowMilliseconds() + g_offsetMilliseconds.load();
}

void Clock::SetTimeZone(const TIME_ZONE_INFORMATION& zone)
{
    ZoneState& state = TheZone();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.fixed = true;
    state.zone = zone;
}

void Clock::UseProcessTimeZone()
{
    ZoneState& state = TheZone();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.fixed = false;
}

TIME_ZONE_INFORMATION Clock::CurrentZone(int year, DWORD* zoneId)
{
    if (std::optional<TIME_ZONE_INFORMATION> fixed = FixedZone()) {
        if (zoneId != nullptr) {
            if (fixed->DaylightDate.wMonth == 0 || fixed->StandardDate.wMonth == 0)
                *zoneId = TIME_ZONE_ID_UNKNOWN;
            else
                *zoneId = IsDaylightTime(*fixed, NowUnixMilliseconds() / 1000) ? TIME_ZONE_ID_DAYLIGHT
                                                                                : TIME_ZONE_ID_STANDARD;
        }
        return *fixed;
    }
    return ProcessZone(year, zoneId);
}

Clock::LocalOffset Clock::OffsetAt(std::int64_t unixSeconds)
{
    if (std::optional<TIME_ZONE_INFORMATION> fixed = FixedZone()) {
        const bool daylight = IsDaylightTime(*fixed, unixSeconds);
        return {OffsetSeconds(*fixed, daylight), daylight};
    }
    tm local = LocalTm(unixSeconds);
    return {local.tm_gmtoff, local.tm_isdst > 0};
}

std::int64_t Clock::LocalToUnix(std::int64_t localSeconds)
{
    if (std::optional<TIME_ZONE_INFORMATION> fixed = FixedZone()) {
        const std::int64_t asStandard = localSeconds - OffsetSeconds(*fixed, false);
        if (!IsDaylightTime(*fixed, asStandard))
            return asStandard;
        const std::int64_t asDaylight = localSeconds - OffsetSeconds(*fixed, true);
        return IsDaylightTime(*fixed, asDaylight) ? asDaylight : asStandard;
    }
    // Two passes of the offset at the guessed instant settle on the right one
    // except in a gap, where the first (standard) guess stands.
    std::int64_t guess = localSeconds - OffsetAt(localSeconds).seconds;
    std::int64_t refined = localSeconds - OffsetAt(guess).seconds;
    if (refined + OffsetAt(refined).seconds == localSeconds)
        return refined;
    return guess + OffsetAt(guess).seconds == localSeconds ? guess : refined;
}

std::string Clock::ZoneAbbreviation(std::int64_t unixSeconds)
{
    if (std::optional<TIME_ZONE_INFORMATION> fixed = FixedZone())
        return WideToUtf8(IsDaylightTime(*fixed, unixSeconds) ? fixed->DaylightName : fixed->StandardName);
    tm local = LocalTm(unixSeconds);
    return local.tm_zone != nullptr ? local.tm_zone : "";
}

}  // namespace win
