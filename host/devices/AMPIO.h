// The amplifier slots: the type code of the amplifier fitted in each of
// the sixteen slots (0 for an empty slot), and the amplifier driver's
// version. An object answers for the slots as they were when it was made.
#pragma once

#include "host/InstrumentProfile.h"
#include "host/devices/VersionRecords.h"

#include <memory>

class CAMPIO {
public:
    CAMPIO();

    // Slot 0 to 15; any other slot reads as empty.
    BYTE GetAmpTypeCode(int slot) const;

    static const T_DRIVER_VERSION* GetDriverVersion();

private:
    std::shared_ptr<const InstrumentProfile> m_profile;
};
