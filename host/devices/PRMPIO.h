// The peripheral board (PRMP): which optional interfaces are fitted, and
// the versions of its driver, its key-panel driver and its hardware. An
// object answers for the instrument as it was when the object was made.
#pragma once

#include "host/InstrumentProfile.h"
#include "host/devices/VersionRecords.h"

#include <memory>

class CPRMPIO {
public:
    CPRMPIO();

    bool DetectRS232C() const { return m_profile->interfaces.rs232c; }
    bool DetectEvent() const { return m_profile->interfaces.event; }
    bool DetectGPS() const { return m_profile->interfaces.gps; }
    bool DetectCLKSync() const { return m_profile->interfaces.clockSync; }
    bool DetectRemote() const { return m_profile->interfaces.remote; }

    static const T_DRIVER_VERSION* GetDriverVersion();
    static const T_DRIVER_VERSION* GetDriverVersionKP();
    // The board's hardware version; the low 16 bits are the revision shown.
    static DWORD GetHwVersion();

private:
    std::shared_ptr<const InstrumentProfile> m_profile;
};
