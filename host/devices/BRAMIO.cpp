#include "host/devices/BRAMIO.h"

const T_DRIVER_VERSION* CBRAMIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::BRAM);
}
