// The configuration record the host hands to the dialog, and the two plain
// blocks it points to. All three are shared with the host and keep the
// instrument's layouts: fixed-width fields, little-endian, offsets checked
// below. The blocks are byte-copied (dialog snapshots, saved setups), so they
// are trivially copyable and hold no pointers; their unused bytes are named so
// that a copy is fully defined.
#pragma once

#include "win/Win32Types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// Host configuration objects, defined by the host's framework layer.
class CONFIG_SYSMEAS;
class CONFIG_SYSREC;

// The communication block: port, RS-232C parameters, delimiter and time-out
// shared by both ports, and the automatic transmission triggers.
struct T_CONFIG_COMM {
    bool bUpsOnRs232c;     // a UPS occupies the RS-232C port
    BYTE reserved1[3];
    DWORD dwPort;          // 0 none, 1 RS-232C, 2 LAN
    DWORD dwDelimiter;     // 1 CR, 2 LF, 3 CR+LF, anything else none
    DWORD dwTimeout;       // milliseconds
    DWORD dwBaudRate;      // 2400, 4800, 9600, 19200 or 38400
    DWORD dwDataBits;      // 8 or 7
    DWORD dwStopBits;      // 0 one stop bit, 2 two stop bits
    DWORD dwParity;        // 0 none, 1 odd, 2 even
    DWORD dwFlowControl;   // 0 none, 1 RTS/CTS, 2 XON/XOFF
    bool bSendOnTrigger;   // automatic transmission when a trigger is detected
    bool bSendOnRecordEnd; // ... when a recording ends
    bool bSendOnError;     // ... when an error occurs
    BYTE reserved39;
};

constexpr DWORD COMM_PORT_NONE = 0;
constexpr DWORD COMM_PORT_RS232C = 1;
constexpr DWORD COMM_PORT_LAN = 2;

// The auxiliary block: sounds, display auto-off, screen copy, key-lock
// password, the two shutdown bytes and the mouse cursor.
struct T_CONFIG_MISC {
    bool bBuzzer;
    bool bClickSound;
    bool bDisplayAutoOff;
    bool bKeyLockOnResume;     // ask for the key-lock password when the display comes back
    DWORD dwAutoOffDelay;      // minutes, 1 to 60
    bool bScreenCopyToPaper;
    bool bScreenCopyToFolder;
    char szScreenCopyFolder[260];  // UTF-8 ("ANSI"), NUL-terminated
    char16_t szPassword[16];       // UTF-16LE, NUL-terminated, at most 15 characters
    bool bNoMemorySaveAtShutdown;  // byte 302: written by the shutdown flow
    bool bMaintenanceNextStart;    // byte 303: written by the maintenance page
    bool bMouseCursor;
    BYTE reserved305[3];
};

// The record of pointers. Each member is a pointer, so on a 64-bit build the
// members widen to 8 bytes and keep their order.
struct T_CONFIG_SYSTEM {
    CONFIG_SYSMEAS* pSysMeas;   // measurement mode, show-at-power-on flag
    char* pCurrentFolder;       // 260-byte UTF-8 ("ANSI") buffer, NUL-terminated
    CONFIG_SYSREC* pSysRec1;    // the recording configuration
    CONFIG_SYSREC* pSysRec2;    // the second one, used only when the frame is told so
    T_CONFIG_COMM* pComm;
    T_CONFIG_MISC* pMisc;
};

// Sizes of what the record's members point to, in member order: what the
// saved-setups dialog copies and the frame's snapshots are made of.
constexpr std::size_t CONFIG_SYSMEAS_SIZE = 44;
constexpr std::size_t CURRENT_FOLDER_SIZE = 260;
constexpr std::size_t CONFIG_SYSREC_SIZE = 85476;
constexpr std::size_t CONFIG_COMM_SIZE = 40;
constexpr std::size_t CONFIG_MISC_SIZE = 308;
constexpr std::array<std::size_t, 6> CONFIG_SYSTEM_MEMBER_SIZES = {
    CONFIG_SYSMEAS_SIZE, CURRENT_FOLDER_SIZE, CONFIG_SYSREC_SIZE,
    CONFIG_SYSREC_SIZE, CONFIG_COMM_SIZE, CONFIG_MISC_SIZE,
};

static_assert(sizeof(bool) == 1);

static_assert(sizeof(T_CONFIG_COMM) == CONFIG_COMM_SIZE);
static_assert(std::is_trivially_copyable_v<T_CONFIG_COMM> && std::is_standard_layout_v<T_CONFIG_COMM>);
static_assert(offsetof(T_CONFIG_COMM, bUpsOnRs232c) == 0);
static_assert(offsetof(T_CONFIG_COMM, dwPort) == 4);
static_assert(offsetof(T_CONFIG_COMM, dwDelimiter) == 8);
static_assert(offsetof(T_CONFIG_COMM, dwTimeout) == 12);
static_assert(offsetof(T_CONFIG_COMM, dwBaudRate) == 16);
static_assert(offsetof(T_CONFIG_COMM, dwDataBits) == 20);
static_assert(offsetof(T_CONFIG_COMM, dwStopBits) == 24);
static_assert(offsetof(T_CONFIG_COMM, dwParity) == 28);
static_assert(offsetof(T_CONFIG_COMM, dwFlowControl) == 32);
static_assert(offsetof(T_CONFIG_COMM, bSendOnTrigger) == 36);
static_assert(offsetof(T_CONFIG_COMM, bSendOnRecordEnd) == 37);
static_assert(offsetof(T_CONFIG_COMM, bSendOnError) == 38);
static_assert(offsetof(T_CONFIG_COMM, reserved39) == 39);

static_assert(sizeof(T_CONFIG_MISC) == CONFIG_MISC_SIZE);
static_assert(std::is_trivially_copyable_v<T_CONFIG_MISC> && std::is_standard_layout_v<T_CONFIG_MISC>);
static_assert(offsetof(T_CONFIG_MISC, bBuzzer) == 0);
static_assert(offsetof(T_CONFIG_MISC, bClickSound) == 1);
static_assert(offsetof(T_CONFIG_MISC, bDisplayAutoOff) == 2);
static_assert(offsetof(T_CONFIG_MISC, bKeyLockOnResume) == 3);
static_assert(offsetof(T_CONFIG_MISC, dwAutoOffDelay) == 4);
static_assert(offsetof(T_CONFIG_MISC, bScreenCopyToPaper) == 8);
static_assert(offsetof(T_CONFIG_MISC, bScreenCopyToFolder) == 9);
static_assert(offsetof(T_CONFIG_MISC, szScreenCopyFolder) == 10);
static_assert(sizeof(T_CONFIG_MISC::szScreenCopyFolder) == 260);
static_assert(offsetof(T_CONFIG_MISC, szPassword) == 270);
static_assert(sizeof(T_CONFIG_MISC::szPassword) == 32);
static_assert(offsetof(T_CONFIG_MISC, bNoMemorySaveAtShutdown) == 302);
static_assert(offsetof(T_CONFIG_MISC, bMaintenanceNextStart) == 303);
static_assert(offsetof(T_CONFIG_MISC, bMouseCursor) == 304);
static_assert(offsetof(T_CONFIG_MISC, reserved305) == 305);

static_assert(std::is_trivially_copyable_v<T_CONFIG_SYSTEM> && std::is_standard_layout_v<T_CONFIG_SYSTEM>);
static_assert(sizeof(T_CONFIG_SYSTEM) == 6 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pSysMeas) == 0 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pCurrentFolder) == 1 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pSysRec1) == 2 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pSysRec2) == 3 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pComm) == 4 * sizeof(void*));
static_assert(offsetof(T_CONFIG_SYSTEM, pMisc) == 5 * sizeof(void*));
static_assert(sizeof(void*) != 4 || sizeof(T_CONFIG_SYSTEM) == 24, "the instrument's layout on 32-bit builds");
