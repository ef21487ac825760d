#include "host/ConfigSysRec.h"

#include "win/TextConvert.h"

#include <cstring>
#include <cwchar>

namespace {

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour, WORD minute)
{
    SYSTEMTIME time;
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wDayOfWeek = dayOfWeek;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

bool SameTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameEntry(const SPEED_TABLE& a, const SPEED_TABLE& b)
{
    return a.value == b.value && a.mode == b.mode && a.unit == b.unit;
}

bool ValidIndex(int index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

CONFIG_SYSREC::CONFIG_SYSREC() : CONFIG_BASE(KIND_SYSREC)
{
    // Six channels of 128 MB of memory; the common print switches on.
    m_params.dwUseChanMask = 0x3F;
    m_params.dwTotalMemSize = 134217728;
    m_params.stStartTime = MakeTime(2024, 1, 1, 1, 9, 0);
    m_params.stEndTime = MakeTime(2024, 1, 1, 1, 17, 0);
    m_params.lIntervalTime = 60;
    m_params.lRunTime = 10;
    m_params.dwFeedLen = 20;
    m_params.lGrid = 1;
    m_params.lVScale = 1;
    m_params.bChannelMarkPSW = 1;
    m_params.bSysAnnotationPSW = 1;
    m_params.bChanAnnotationPSW = 1;
    m_params.bTimeScalePSW = 1;
    // Pen: 50 mm/s and 100 mm/min; memory: 200 µs and 5 ms; file: 1 ms and 2 s.
    m_params.speedPen[0] = {2000, 3, 2};
    m_params.speedPen[1] = {60000, 3, 3};
    m_params.speedMem[0] = {200, 0, 0};
    m_params.speedMem[1] = {5000, 0, 1};
    m_params.speedFile[0] = {1000, 0, 1};
    m_params.speedFile[1] = {2000000, 0, 2};
}

template <typename T>
void CONFIG_SYSREC::Store(T& field, const T& value, DWORD change)
{
    if (field == value)
        return;
    field = value;
    ReportChange(change);
}

void CONFIG_SYSREC::SetUseChanMask(DWORD mask) { Store(m_params.dwUseChanMask, mask, CHANGE_CHANNELS); }
void CONFIG_SYSREC::SetTotalMemSize(DWORD bytes) { Store(m_params.dwTotalMemSize, bytes, CHANGE_MEMORY); }
void CONFIG_SYSREC::SetDataNo(DWORD dataNo) { Store(m_params.dwDataNo, dataNo, CHANGE_DATA_NO); }
void CONFIG_SYSREC::SetSync(int sync) { Store<LONG>(m_params.lSync, sync, CHANGE_RECORD_FORMAT); }
void CONFIG_SYSREC::SetTimeScale(int timeScale) { Store<LONG>(m_params.lTimeScale, timeScale, CHANGE_RECORD_FORMAT); }
void CONFIG_SYSREC::SetStartTimer(bool on) { Store<LONG>(m_params.bStartTimer, on ? 1 : 0, CHANGE_TIMER); }
void CONFIG_SYSREC::SetEvery(int every) { Store<LONG>(m_params.lEvery, every, CHANGE_TIMER); }
void CONFIG_SYSREC::SetInterval(bool on) { Store<LONG>(m_params.bInterval, on ? 1 : 0, CHANGE_TIMER); }
void CONFIG_SYSREC::SetIntervalTime(int minutes) { Store<LONG>(m_params.lIntervalTime, minutes, CHANGE_TIMER); }
void CONFIG_SYSREC::SetRunTime(int minutes) { Store<LONG>(m_params.lRunTime, minutes, CHANGE_TIMER); }
void CONFIG_SYSREC::SetFRecSave(bool on) { Store<LONG>(m_params.bFRecSave, on ? 1 : 0, CHANGE_FILE_SAVE); }
void CONFIG_SYSREC::SetFeedLen(DWORD millimetres) { Store(m_params.dwFeedLen, millimetres, CHANGE_FEED); }
void CONFIG_SYSREC::SetGrid(int grid) { Store<LONG>(m_params.lGrid, grid, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetVScale(int scale) { Store<LONG>(m_params.lVScale, scale, CHANGE_PRINT_FORMAT); }

void CONFIG_SYSREC::SetChannelMarkPSW(bool on) { Store<BYTE>(m_params.bChannelMarkPSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetSysAnnotationPSW(bool on) { Store<BYTE>(m_params.bSysAnnotationPSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetChanAnnotationPSW(bool on) { Store<BYTE>(m_params.bChanAnnotationPSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetTimeScalePSW(bool on) { Store<BYTE>(m_params.bTimeScalePSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetSigLabelPSW(bool on) { Store<BYTE>(m_params.bSigLabelPSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetUserAnnotationPSW(bool on) { Store<BYTE>(m_params.bUserAnnotationPSW, on, CHANGE_PRINT_FORMAT); }
void CONFIG_SYSREC::SetMeasInfoPSW(bool on) { Store<BYTE>(m_params.bMeasInfoPSW, on, CHANGE_PRINT_FORMAT); }

void CONFIG_SYSREC::SetStartTime(const SYSTEMTIME& time)
{
    if (SameTime(m_params.stStartTime, time))
        return;
    m_params.stStartTime = time;
    ReportChange(CHANGE_TIMER);
}

void CONFIG_SYSREC::SetEndTime(const SYSTEMTIME& time)
{
    if (SameTime(m_params.stEndTime, time))
        return;
    m_params.stEndTime = time;
    ReportChange(CHANGE_TIMER);
}

CString CONFIG_SYSREC::GetSigLabelText(int channel, int line) const
{
    if (!ValidIndex(channel, kChannels) || !ValidIndex(line, kSigLabelLines))
        return {};
    return win::Utf16FieldToWide(m_params.szSigLabel[channel][line], std::size(m_params.szSigLabel[channel][line]));
}

void CONFIG_SYSREC::SetSigLabelText(int channel, int line, const wchar_t* text)
{
    if (!ValidIndex(channel, kChannels) || !ValidIndex(line, kSigLabelLines))
        return;
    StoreText(m_params.szSigLabel[channel][line], std::size(m_params.szSigLabel[channel][line]), kSigLabelChars, text);
}

CString CONFIG_SYSREC::GetAnnotationText(int line) const
{
    if (!ValidIndex(line, kAnnotationLines))
        return {};
    return win::Utf16FieldToWide(m_params.szAnnotation[line], std::size(m_params.szAnnotation[line]));
}

void CONFIG_SYSREC::SetAnnotationText(int line, const wchar_t* text)
{
    if (!ValidIndex(line, kAnnotationLines))
        return;
    StoreText(m_params.szAnnotation[line], std::size(m_params.szAnnotation[line]), kAnnotationChars, text);
}

CString CONFIG_SYSREC::GetMeasInfoText(int line) const
{
    if (!ValidIndex(line, kMeasInfoLines))
        return {};
    return win::Utf16FieldToWide(m_params.szMeasInfo[line], std::size(m_params.szMeasInfo[line]));
}

void CONFIG_SYSREC::SetMeasInfoText(int line, const wchar_t* text)
{
    if (!ValidIndex(line, kMeasInfoLines))
        return;
    StoreText(m_params.szMeasInfo[line], std::size(m_params.szMeasInfo[line]), kMeasInfoChars, text);
}

void CONFIG_SYSREC::StoreText(char16_t* field, std::size_t capacity, std::size_t maxChars, const wchar_t* text)
{
    std::wstring_view value = text ? std::wstring_view(text) : std::wstring_view();
    if (value.size() > maxChars)
        value = value.substr(0, maxChars);
    // Zero-filled past the terminator, so that equal texts are equal bytes.
    char16_t stored[80] = {};
    win::CopyToUtf16Buffer(value, stored, capacity);
    if (std::memcmp(stored, field, capacity * sizeof(char16_t)) == 0)
        return;
    std::memcpy(field, stored, capacity * sizeof(char16_t));
    ReportChange(CHANGE_PRINT_TEXT);
}

SPEED_TABLE CONFIG_SYSREC::GetSpeedPen(int index) const
{
    return ValidIndex(index, kSpeedEntries) ? m_params.speedPen[index] : SPEED_TABLE{};
}

SPEED_TABLE CONFIG_SYSREC::GetSpeedMem(int index) const
{
    return ValidIndex(index, kSpeedEntries) ? m_params.speedMem[index] : SPEED_TABLE{};
}

SPEED_TABLE CONFIG_SYSREC::GetSpeedFile(int index) const
{
    return ValidIndex(index, kSpeedEntries) ? m_params.speedFile[index] : SPEED_TABLE{};
}

void CONFIG_SYSREC::SetSpeedPen(int index, const SPEED_TABLE& entry)
{
    if (!ValidIndex(index, kSpeedEntries) || SameEntry(m_params.speedPen[index], entry))
        return;
    m_params.speedPen[index] = entry;
    ReportChange(CHANGE_SPEED_TABLE);
}

void CONFIG_SYSREC::SetSpeedMem(int index, const SPEED_TABLE& entry)
{
    if (!ValidIndex(index, kSpeedEntries) || SameEntry(m_params.speedMem[index], entry))
        return;
    m_params.speedMem[index] = entry;
    ReportChange(CHANGE_SPEED_TABLE);
}

void CONFIG_SYSREC::SetSpeedFile(int index, const SPEED_TABLE& entry)
{
    if (!ValidIndex(index, kSpeedEntries) || SameEntry(m_params.speedFile[index], entry))
        return;
    m_params.speedFile[index] = entry;
    ReportChange(CHANGE_SPEED_TABLE);
}

void CONFIG_SYSREC::SetParams(const PARAMS& params)
{
    if (&params == &m_params || std::memcmp(&params, &m_params, sizeof params) == 0)
        return;
    std::memcpy(&m_params, &params, sizeof params);
    ReportChange(CHANGE_PARAMS);
}
