#include "host/devices/MLCUIO.h"

const T_DRIVER_VERSION* CMLCUIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::MLCU);
}

const T_CPU_VERSION* CMLCUIO::GetVersion()
{
    return VersionRecords::Cpu(VersionRecords::CPU_MLCU);
}
