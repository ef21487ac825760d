// The shared blocks as bytes: what the host, the saved-setup files and the
// frame's word snapshots see.
#include "core/ConfigRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

template <typename Block>
std::vector<unsigned char> Bytes(const Block& block)
{
    std::vector<unsigned char> bytes(sizeof(Block));
    std::memcpy(bytes.data(), &block, sizeof(Block));
    return bytes;
}

TEST(ConfigRecords, CommBlockFieldsLieLittleEndianAtTheirOffsets)
{
    T_CONFIG_COMM comm{};
    comm.bUpsOnRs232c = true;
    comm.dwPort = COMM_PORT_LAN;
    comm.dwDelimiter = 3;
    comm.dwTimeout = 10000;
    comm.dwBaudRate = 38400;
    comm.dwDataBits = 7;
    comm.dwStopBits = 2;
    comm.dwParity = 1;
    comm.dwFlowControl = 2;
    comm.bSendOnTrigger = false;
    comm.bSendOnRecordEnd = true;
    comm.bSendOnError = true;

    const std::vector<unsigned char> expected = {
        1, 0, 0, 0,           2, 0, 0, 0,           3, 0, 0, 0,    0x10, 0x27, 0, 0,
        0x00, 0x96, 0, 0,     7, 0, 0, 0,           2, 0, 0, 0,    1, 0, 0, 0,
        2, 0, 0, 0,           0, 1, 1, 0,
    };
    EXPECT_EQ(expected, Bytes(comm));
}

TEST(ConfigRecords, MiscBlockKeepsFolderPasswordAndShutdownBytesApart)
{
    T_CONFIG_MISC misc{};
    misc.dwAutoOffDelay = 60;
    std::memset(misc.szScreenCopyFolder, 'A', sizeof misc.szScreenCopyFolder - 1);
    const char16_t password[] = u"パス0123456789abc";  // 15 units and the terminator
    static_assert(sizeof password == sizeof misc.szPassword);
    std::memcpy(misc.szPassword, password, sizeof password);
    misc.bNoMemorySaveAtShutdown = true;
    misc.bMouseCursor = true;

    const std::vector<unsigned char> bytes = Bytes(misc);
    EXPECT_EQ(60, bytes[4]);
    EXPECT_EQ('A', bytes[10]);
    // The folder ends with its terminator in its last byte; the password is
    // UTF-16LE, low byte first (パ is U+30D1).
    EXPECT_EQ((std::vector<unsigned char>{'A', 0, 0xD1, 0x30}), std::vector<unsigned char>(&bytes[268], &bytes[272]));
    EXPECT_EQ((std::vector<unsigned char>{0, 0, 1, 0, 1}), std::vector<unsigned char>(&bytes[300], &bytes[305]))
        << "the password's end, then the shutdown, maintenance and cursor bytes";
}

}  // namespace
