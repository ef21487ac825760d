#include "host/formats/RecordedData.h"

#include <cmath>
#include <cstdio>
#include <cwctype>

namespace formats {

namespace {

bool HasControlCharacter(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

}  // namespace

std::string ValidateRecordedData(const RecordedData& data)
{
    if (data.channels.empty())
        return "no channel";
    if (data.channels.size() > RecordedData::kMaxChannels)
        return "too many channels";
    if (!std::isfinite(data.intervalSeconds) || data.intervalSeconds <= 0.0)
        return "sampling interval not positive";
    const std::size_t count = data.SampleCount();
    if (count > RecordedData::kMaxSamples)
        return "too many samples";
    for (const DataChannel& channel : data.channels) {
        if (channel.samples.size() != count)
            return "channels of different lengths";
        if (!std::isfinite(channel.scale) || !std::isfinite(channel.offset))
            return "scale or offset not finite";
        if (channel.name.size() > RecordedData::kMaxNameLength || channel.unit.size() > RecordedData::kMaxUnitLength)
            return "channel name or unit too long";
        if (HasControlCharacter(channel.name) || HasControlCharacter(channel.unit))
            return "control character in a channel name or unit";
    }
    return {};
}

bool DataFileKindFromExtension(std::wstring extension, DataFileKind& kind)
{
    if (!extension.empty() && extension.front() == L'.')
        extension.erase(0, 1);
    for (wchar_t& c : extension)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (extension == L"fsd")
        kind = DataFileKind::Fsd;
    else if (extension == L"fpp")
        kind = DataFileKind::Fpp;
    else if (extension == L"drt")
        kind = DataFileKind::Drt;
    else if (extension == L"clc")
        kind = DataFileKind::Clc;
    else
        return false;
    return true;
}

std::string FormatStartTime(const SYSTEMTIME& time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u.%03u", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    return text;
}

}  // namespace formats
