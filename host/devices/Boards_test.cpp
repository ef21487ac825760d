#include "host/devices/AMPIO.h"
#include "host/devices/BRAMIO.h"
#include "host/devices/CommIO.h"
#include "host/devices/FLCUIO.h"
#include "host/devices/MLCUIO.h"
#include "host/devices/PRMPIO.h"

#include "host/CurrentProfileScope_test.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <tuple>
#include <vector>

namespace {

BYTE ByteAt(const void* record, std::size_t offset)
{
    return static_cast<const BYTE*>(record)[offset];
}

DWORD WordAt(const void* record, std::size_t offset)
{
    DWORD value = 0;
    std::memcpy(&value, static_cast<const BYTE*>(record) + offset, 4);
    return value;
}

} // namespace

TEST(Boards, InterfacesAsFittedWhenTheObjectWasMade)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.interfaces = {true, false, true, false, true};
    });
    CPRMPIO board;
    InstrumentProfile::Modify([](InstrumentProfile& p) { p.interfaces.rs232c = false; });
    EXPECT_EQ(std::make_tuple(board.DetectRS232C(), board.DetectEvent(), board.DetectGPS(), board.DetectCLKSync(),
                              board.DetectRemote()),
              std::make_tuple(true, false, true, false, true));
    EXPECT_FALSE(CPRMPIO().DetectRS232C());
}

TEST(Boards, AmplifierSlotsAndOutOfRangeSlots)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.ampTypes = {};
        p.ampTypes[0] = 3;
        p.ampTypes[15] = 0xFE;
    });
    CAMPIO amps;
    EXPECT_EQ((std::vector<BYTE>{amps.GetAmpTypeCode(0), amps.GetAmpTypeCode(1), amps.GetAmpTypeCode(15),
                                 amps.GetAmpTypeCode(16), amps.GetAmpTypeCode(-1)}),
              (std::vector<BYTE>{3, 0, 0xFE, 0, 0}));
}

TEST(Boards, DriverRecordsCarryTheVersionWhereTheReportReadsIt)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.mlcuDriver = {0x01, 0x05};
        p.flcuDriver = {0x10, 0x0A};
        p.prmpDriver = {2, 0x10};
        p.prmpDriverKP = {1, 0x02};
        p.ampDriver = {3, 4};
        p.bramDriver = {5, 6};
        p.commDriver = {7, 8};
        p.prmpHardwareVersion = 0xABCD1234;
    });
    // Sub-CPU board drivers: bytes 2 and 3; the others: words at 4 and 8.
    EXPECT_EQ(ByteAt(CMLCUIO::GetDriverVersion(), 2) << 8 | ByteAt(CMLCUIO::GetDriverVersion(), 3), 0x0105);
    EXPECT_EQ(ByteAt(CFLCUIO::GetDriverVersion(), 2) << 8 | ByteAt(CFLCUIO::GetDriverVersion(), 3), 0x100A);
    EXPECT_EQ(std::make_pair(WordAt(CPRMPIO::GetDriverVersion(), 4), WordAt(CPRMPIO::GetDriverVersion(), 8)),
              std::make_pair(2u, 0x10u));
    EXPECT_EQ(WordAt(CPRMPIO::GetDriverVersionKP(), 8), 2u);
    EXPECT_EQ(WordAt(CAMPIO::GetDriverVersion(), 4), 3u);
    EXPECT_EQ(WordAt(CBRAMIO::GetDriverVersion(), 8), 6u);
    EXPECT_EQ(WordAt(CommIO::GetDriverVersion(), 4), 7u);
    EXPECT_EQ(CPRMPIO::GetHwVersion() & 0xFFFF, 0x1234u);
}

TEST(Boards, SubCpuRecordsAreFourWords)
{
    CurrentProfileScope scope([](InstrumentProfile& p) {
        p.mlcu = {2, 1, 0x0102, 256};
        p.flcu = {3, 0, 0x0201, 64};
    });
    const T_CPU_VERSION* mlcu = CMLCUIO::GetVersion();
    EXPECT_EQ((std::vector<DWORD>{WordAt(mlcu, 0), WordAt(mlcu, 4), WordAt(mlcu, 8), WordAt(mlcu, 12)}),
              (std::vector<DWORD>{2, 1, 0x0102, 256}));
    EXPECT_EQ(CFLCUIO::GetVersion()->dwRamSize, 64u);
    // Two records of one kind are distinct; one thread's record is not
    // rewritten by another thread's call.
    EXPECT_NE(static_cast<const void*>(CMLCUIO::GetVersion()), static_cast<const void*>(CFLCUIO::GetVersion()));
    InstrumentProfile::Modify([](InstrumentProfile& p) { p.mlcu.major = 9; });
    std::thread([] { EXPECT_EQ(CMLCUIO::GetVersion()->dwMajor, 9u); }).join();
    EXPECT_EQ(mlcu->dwMajor, 2u);
}
