#include "host/devices/FLCUIO.h"

const T_DRIVER_VERSION* CFLCUIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::FLCU);
}

const T_CPU_VERSION* CFLCUIO::GetVersion()
{
    return VersionRecords::Cpu(VersionRecords::CPU_FLCU);
}
