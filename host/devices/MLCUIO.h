// The memory-recorder sub-CPU board (MLCU): its driver and firmware versions.
#pragma once

#include "host/devices/VersionRecords.h"

class CMLCUIO {
public:
    static const T_DRIVER_VERSION* GetDriverVersion();
    static const T_CPU_VERSION* GetVersion();
};
