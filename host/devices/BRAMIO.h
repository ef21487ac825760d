// The battery-backed memory board (BRAM): its driver version.
#pragma once

#include "host/devices/VersionRecords.h"

class CBRAMIO {
public:
    static const T_DRIVER_VERSION* GetDriverVersion();
};
