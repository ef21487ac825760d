// The communication driver (RS-232C and LAN): its version.
#pragma once

#include "host/devices/VersionRecords.h"

class CommIO {
public:
    static const T_DRIVER_VERSION* GetDriverVersion();
};
