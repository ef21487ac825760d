// The recording configuration: channels, data number, time axis, timer and
// interval functions, print format and texts, user speed tables and the
// rest of the recording parameters. 85476 bytes, byte-copied by the
// saved-setups dialog: a CONFIG_BASE header and the PARAMS record, which
// the data record reads and writes whole (its counter lies at byte 85404).
//
// Texts are stored as UTF-16 in fixed fields; setters cut a longer text at
// the field's limit (never inside a surrogate pair).
#pragma once

#include "host/ConfigBase.h"
#include "win/CString.h"

#include <cstddef>
#include <type_traits>

// One user speed entry (see the user speed table dialog for the encoding).
struct SPEED_TABLE {
    LONG value = 0;  // pen: 100000 / (mm/s); memory and file: interval in µs
    LONG mode = 0;   // 3 pen entry, 0 sampling-interval entry
    LONG unit = 0;   // pen 2 mm/s, 3 mm/min; interval 0 µs, 1 ms, 2 s, 3 min
};
static_assert(sizeof(SPEED_TABLE) == 12);

class CONFIG_SYSREC : public CONFIG_BASE {
public:
    static constexpr int kChannels = 16;
    static constexpr int kSigLabelLines = 8;
    static constexpr int kSigLabelChars = 30;
    static constexpr int kAnnotationLines = 108;
    static constexpr int kAnnotationChars = 79;
    static constexpr int kMeasInfoLines = 108;
    static constexpr int kMeasInfoChars = 30;
    static constexpr int kSpeedEntries = 2;

    // Change mask bits reported to the change hook.
    enum Change : DWORD {
        CHANGE_CHANNELS = 0x1,
        CHANGE_DATA_NO = 0x2,
        CHANGE_RECORD_FORMAT = 0x4,  // synchronisation ratio, time-axis notation
        CHANGE_TIMER = 0x8,          // start timer, its times and repeat mode, interval function
        CHANGE_SPEED_TABLE = 0x10,
        CHANGE_PRINT_FORMAT = 0x20,  // grid, amplitude scale, print switches
        CHANGE_PRINT_TEXT = 0x40,    // signal names, user annotation, measurement information
        CHANGE_FEED = 0x80,
        CHANGE_FILE_SAVE = 0x100,
        CHANGE_MEMORY = 0x200,
        CHANGE_PARAMS = 0x400,       // SetParams
    };

    // The recording parameters. Fields are little-endian and fixed-width;
    // the offsets are part of the stored settings and checked below.
    struct PARAMS {
        DWORD dwUseChanMask = 0;
        DWORD dwTotalMemSize = 0;
        DWORD dwDataNo = 0;
        LONG lSync = 0;
        LONG lTimeScale = 0;
        LONG bStartTimer = 0;
        SYSTEMTIME stStartTime;
        SYSTEMTIME stEndTime;
        LONG lEvery = 0;
        LONG bInterval = 0;
        LONG lIntervalTime = 0;
        LONG lRunTime = 0;
        LONG bFRecSave = 0;
        DWORD dwFeedLen = 0;
        LONG lGrid = 0;
        LONG lVScale = 0;
        BYTE bChannelMarkPSW = 0;
        BYTE bSysAnnotationPSW = 0;
        BYTE bChanAnnotationPSW = 0;
        BYTE bTimeScalePSW = 0;
        BYTE bSigLabelPSW = 0;
        BYTE bUserAnnotationPSW = 0;
        BYTE bMeasInfoPSW = 0;
        BYTE bReservedPSW = 0;
        SPEED_TABLE speedPen[kSpeedEntries];
        SPEED_TABLE speedMem[kSpeedEntries];
        SPEED_TABLE speedFile[kSpeedEntries];
        char16_t szSigLabel[kChannels][kSigLabelLines][32] = {};
        char16_t szAnnotation[kAnnotationLines][80] = {};
        char16_t szMeasInfo[kMeasInfoLines][32] = {};
        BYTE reserved1[52852] = {};
        DWORD dwDataRecordCounter = 0;  // byte 85404: numbers the data-record charts
        BYTE reserved2[56] = {};
    };

    CONFIG_SYSREC();

    // Channels and memory.
    DWORD GetUseChanMask() const { return m_params.dwUseChanMask; }
    void SetUseChanMask(DWORD mask);
    DWORD GetTotalMemSize() const { return m_params.dwTotalMemSize; }
    void SetTotalMemSize(DWORD bytes);  // the host's, from the fitted memory
    DWORD GetDataNo() const { return m_params.dwDataNo; }
    void SetDataNo(DWORD dataNo);

    // Record format.
    int GetSync() const { return m_params.lSync; }
    void SetSync(int sync);
    int GetTimeScale() const { return m_params.lTimeScale; }
    void SetTimeScale(int timeScale);

    // Start timer and interval function.
    bool GetStartTimer() const { return m_params.bStartTimer != 0; }
    void SetStartTimer(bool on);
    SYSTEMTIME GetStartTime() const { return m_params.stStartTime; }
    void SetStartTime(const SYSTEMTIME& time);
    SYSTEMTIME GetEndTime() const { return m_params.stEndTime; }
    void SetEndTime(const SYSTEMTIME& time);
    int GetEvery() const { return m_params.lEvery; }
    void SetEvery(int every);
    bool GetInterval() const { return m_params.bInterval != 0; }
    void SetInterval(bool on);
    int GetIntervalTime() const { return m_params.lIntervalTime; }
    void SetIntervalTime(int minutes);
    int GetRunTime() const { return m_params.lRunTime; }
    void SetRunTime(int minutes);
    bool GetFRecSave() const { return m_params.bFRecSave != 0; }
    void SetFRecSave(bool on);

    // Paper feed length in millimetres.
    DWORD GetFeedLen() const { return m_params.dwFeedLen; }
    void SetFeedLen(DWORD millimetres);

    // Print format.
    int GetGrid() const { return m_params.lGrid; }
    void SetGrid(int grid);
    int GetVScale() const { return m_params.lVScale; }
    void SetVScale(int scale);
    bool GetChannelMarkPSW() const { return m_params.bChannelMarkPSW != 0; }
    void SetChannelMarkPSW(bool on);
    bool GetSysAnnotationPSW() const { return m_params.bSysAnnotationPSW != 0; }
    void SetSysAnnotationPSW(bool on);
    bool GetChanAnnotationPSW() const { return m_params.bChanAnnotationPSW != 0; }
    void SetChanAnnotationPSW(bool on);
    bool GetTimeScalePSW() const { return m_params.bTimeScalePSW != 0; }
    void SetTimeScalePSW(bool on);
    bool GetSigLabelPSW() const { return m_params.bSigLabelPSW != 0; }
    void SetSigLabelPSW(bool on);
    bool GetUserAnnotationPSW() const { return m_params.bUserAnnotationPSW != 0; }
    void SetUserAnnotationPSW(bool on);
    bool GetMeasInfoPSW() const { return m_params.bMeasInfoPSW != 0; }
    void SetMeasInfoPSW(bool on);

    // Print texts; an index out of range reads empty and writes nothing.
    CString GetSigLabelText(int channel, int line) const;
    void SetSigLabelText(int channel, int line, const wchar_t* text);
    CString GetAnnotationText(int line) const;
    void SetAnnotationText(int line, const wchar_t* text);
    CString GetMeasInfoText(int line) const;
    void SetMeasInfoText(int line, const wchar_t* text);

    // User speed tables, entry index 0 (user 1) or 1 (user 2); another
    // index reads a zero record and writes nothing.
    SPEED_TABLE GetSpeedPen(int index) const;
    void SetSpeedPen(int index, const SPEED_TABLE& entry);
    SPEED_TABLE GetSpeedMem(int index) const;
    void SetSpeedMem(int index, const SPEED_TABLE& entry);
    SPEED_TABLE GetSpeedFile(int index) const;
    void SetSpeedFile(int index, const SPEED_TABLE& entry);

    // The whole parameter record.
    PARAMS GetParams() const { return m_params; }
    void GetParams(PARAMS& params) const { params = m_params; }
    void SetParams(const PARAMS& params);

private:
    template <typename T>
    void Store(T& field, const T& value, DWORD change);
    void StoreText(char16_t* field, std::size_t capacity, std::size_t maxChars, const wchar_t* text);

    PARAMS m_params;
};

static_assert(sizeof(CONFIG_SYSREC::PARAMS) == 85464);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, stStartTime) == 24);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, dwFeedLen) == 76);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, bChannelMarkPSW) == 88);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, speedPen) == 96);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, szSigLabel) == 168);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, szAnnotation) == 8360);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, szMeasInfo) == 25640);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, reserved1) == 32552);
static_assert(offsetof(CONFIG_SYSREC::PARAMS, dwDataRecordCounter) == 85404);
static_assert(sizeof(CONFIG_SYSREC) == 85476);
static_assert(std::is_trivially_copyable_v<CONFIG_SYSREC>);
