// Version records of the instrument's drivers and sub-CPUs. The device
// classes return pointers to records the host owns: each thread has its own
// copy of each record, refreshed from the instrument profile at every call,
// so a pointer stays valid (and unchanged by other threads) until the same
// thread asks for the same record again.
#pragma once

#include "host/InstrumentProfile.h"
#include "win/Win32Types.h"

#include <cstddef>

// A driver's version. Drivers of the sub-CPU boards report it in the bytes
// at 2 and 3, the others in the words at 4 and 8; the host fills both.
struct T_DRIVER_VERSION {
    WORD wSize = sizeof(T_DRIVER_VERSION);
    BYTE bMajor = 0;
    BYTE bMinor = 0;
    DWORD dwMajor = 0;
    DWORD dwMinor = 0;
    DWORD dwBuild = 0;
};
static_assert(sizeof(T_DRIVER_VERSION) == 16);
static_assert(offsetof(T_DRIVER_VERSION, bMajor) == 2);
static_assert(offsetof(T_DRIVER_VERSION, bMinor) == 3);
static_assert(offsetof(T_DRIVER_VERSION, dwMajor) == 4);
static_assert(offsetof(T_DRIVER_VERSION, dwMinor) == 8);

// A sub-CPU's firmware and board.
struct T_CPU_VERSION {
    DWORD dwMajor = 0;
    DWORD dwMinor = 0;
    DWORD dwHwVersion = 0;
    DWORD dwRamSize = 0;  // megabytes
};
static_assert(sizeof(T_CPU_VERSION) == 16);

class VersionRecords {
public:
    enum DriverId { MLCU, FLCU, PRMP, PRMP_KP, AMP, BRAM, COMM, DRIVER_COUNT };
    enum CpuId { CPU_MLCU, CPU_FLCU, CPU_COUNT };

    static const T_DRIVER_VERSION* Driver(DriverId which);
    static const T_CPU_VERSION* Cpu(CpuId which);
};
