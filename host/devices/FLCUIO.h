// The file-recorder sub-CPU board (FLCU): its driver and firmware versions.
#pragma once

#include "host/devices/VersionRecords.h"

class CFLCUIO {
public:
    static const T_DRIVER_VERSION* GetDriverVersion();
    static const T_CPU_VERSION* GetVersion();
};
