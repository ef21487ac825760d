#include "host/devices/PRMPIO.h"

CPRMPIO::CPRMPIO() : m_profile(InstrumentProfile::Current()) {}

const T_DRIVER_VERSION* CPRMPIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::PRMP);
}

const T_DRIVER_VERSION* CPRMPIO::GetDriverVersionKP()
{
    return VersionRecords::Driver(VersionRecords::PRMP_KP);
}

DWORD CPRMPIO::GetHwVersion()
{
    return InstrumentProfile::Current()->prmpHardwareVersion;
}
