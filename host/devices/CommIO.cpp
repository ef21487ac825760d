#include "host/devices/CommIO.h"

const T_DRIVER_VERSION* CommIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::COMM);
}
