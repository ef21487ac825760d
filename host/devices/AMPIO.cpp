#include "host/devices/AMPIO.h"

CAMPIO::CAMPIO() : m_profile(InstrumentProfile::Current()) {}

BYTE CAMPIO::GetAmpTypeCode(int slot) const
{
    if (slot < 0 || slot >= InstrumentProfile::kAmpSlots)
        return 0;
    return m_profile->ampTypes[slot];
}

const T_DRIVER_VERSION* CAMPIO::GetDriverVersion()
{
    return VersionRecords::Driver(VersionRecords::AMP);
}
