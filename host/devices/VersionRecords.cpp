#include "host/devices/VersionRecords.h"

const T_DRIVER_VERSION* VersionRecords::Driver(DriverId which)
{
    thread_local T_DRIVER_VERSION records[DRIVER_COUNT];
    const auto profile = InstrumentProfile::Current();
    const VersionPair* pairs[DRIVER_COUNT] = {&profile->mlcuDriver, &profile->flcuDriver, &profile->prmpDriver,
                                              &profile->prmpDriverKP, &profile->ampDriver, &profile->bramDriver,
                                              &profile->commDriver};
    const VersionPair& pair = *pairs[which];
    T_DRIVER_VERSION& record = records[which];
    record = T_DRIVER_VERSION{};
    record.bMajor = static_cast<BYTE>(pair.major);
    record.bMinor = static_cast<BYTE>(pair.minor);
    record.dwMajor = pair.major;
    record.dwMinor = pair.minor;
    return &record;
}

const T_CPU_VERSION* VersionRecords::Cpu(CpuId which)
{
    thread_local T_CPU_VERSION records[CPU_COUNT];
    const auto profile = InstrumentProfile::Current();
    const SubCpuVersion& cpu = which == CPU_MLCU ? profile->mlcu : profile->flcu;
    records[which] = T_CPU_VERSION{cpu.major, cpu.minor, cpu.hardware, cpu.ramMegabytes};
    return &records[which];
}
