// Records the memory-block manager hands out for each block of the
// waveform memory: its data information (T_DATAINF) and the header a file
// of the block starts with (T_FHEADER). Fixed layouts, offsets checked.
#pragma once

#include "win/Win32Types.h"

#include <cstddef>

struct T_DATAINF {
    DWORD dwSize = sizeof(T_DATAINF);
    DWORD dwBlockNo = 0;            // block index from 0
    DWORD dwChannelCount = 0;
    LONG lDataSize = 0;             // samples per channel (the file page's size column)
    DWORD dwChannelMask = 0;        // bit n: amplifier slot n was recorded
    DWORD dwSamplingIntervalUs = 0;
    LONG lTriggerPosition = 0;      // sample index of the trigger
    DWORD dwMeasureMode = 1;        // the memory recorder
    char16_t szTitle[32] = {};
    DWORD dwBitsPerSample = 16;
    DWORD dwFlags = 0;
    DWORD dwReserved[5] = {};
    // Start of the recording, broken down like the C runtime's struct tm:
    // month from 0, year from 1900, day of the week from Sunday = 0.
    LONG tmSecond = 0;
    LONG tmMinute = 0;
    LONG tmHour = 0;
    LONG tmDay = 0;
    LONG tmMonth = 0;
    LONG tmYear = 0;
    LONG tmWeekDay = 0;
    LONG tmYearDay = 0;
    LONG tmIsDst = 0;
};
static_assert(sizeof(T_DATAINF) == 160);
static_assert(offsetof(T_DATAINF, lDataSize) == 12);
static_assert(offsetof(T_DATAINF, tmSecond) == 124);
static_assert(offsetof(T_DATAINF, tmMinute) == 128);
static_assert(offsetof(T_DATAINF, tmHour) == 132);
static_assert(offsetof(T_DATAINF, tmDay) == 136);
static_assert(offsetof(T_DATAINF, tmMonth) == 140);
static_assert(offsetof(T_DATAINF, tmYear) == 144);
static_assert(offsetof(T_DATAINF, tmWeekDay) == 148);

struct T_FHEADER {
    char magic[8] = {};             // the recorded-data container's ("RECDATA1", host/formats/DataFile.h)
    DWORD dwVersion = 1;
    DWORD dwHeaderSize = sizeof(T_FHEADER);
    DWORD dwChannelCount = 0;
    LONG lDataCount = 0;            // samples per channel
    DWORD dwSamplingIntervalUs = 0;
    DWORD dwChannelMask = 0;
    SYSTEMTIME stStart;
    float fScale[16] = {};          // physical value of one count, per recorded channel
    float fOffset[16] = {};
    char16_t szUnit[16][8] = {};
};
static_assert(sizeof(T_FHEADER) == 432);
