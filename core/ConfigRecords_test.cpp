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

TEST(ConfigRecords, CommBlockReadsBackFromTheHostsBytes)
{
    unsigned char bytes[CONFIG_COMM_SIZE] = {};
    bytes[4] = 1;                   // port RS-232C
    bytes[16] = 0x80;               // 9600 baud
    bytes[17] = 0x25;
    bytes[36] = 1;                  // transmit on trigger
    T_CONFIG_COMM comm;
    std::memcpy(&comm, bytes, sizeof bytes);
    EXPECT_EQ(COMM_PORT_RS232C, comm.dwPort);
    EXPECT_EQ(9600u, comm.dwBaudRate);
    EXPECT_TRUE(comm.bSendOnTrigger);
    EXPECT_FALSE(comm.bSendOnRecordEnd);
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
    EXPECT_EQ('A', bytes[268]);
    EXPECT_EQ(0, bytes[269]) << "the folder's terminator is its last byte";
    EXPECT_EQ(0xD1, bytes[270]) << "UTF-16LE: low byte first (パ is U+30D1)";
    EXPECT_EQ(0x30, bytes[271]);
    EXPECT_EQ(0, bytes[300]);
    EXPECT_EQ(0, bytes[301]);
    EXPECT_EQ(1, bytes[302]);
    EXPECT_EQ(0, bytes[303]);
    EXPECT_EQ(1, bytes[304]);
}

TEST(ConfigRecords, BlocksCopyWholeAsTheFramesWordSnapshots)
{
    T_CONFIG_MISC misc{};
    misc.bBuzzer = true;
    misc.bMaintenanceNextStart = true;
    std::memcpy(misc.szScreenCopyFolder, "D:\\copy", 8);

    static_assert(CONFIG_MISC_SIZE == 77 * 4 && CONFIG_COMM_SIZE == 10 * 4);
    std::uint32_t words[77];
    std::memcpy(words, &misc, sizeof words);
    T_CONFIG_MISC copy;
    std::memcpy(&copy, words, sizeof words);
    EXPECT_EQ(Bytes(misc), Bytes(copy));
    EXPECT_TRUE(copy.bMaintenanceNextStart);
    EXPECT_STREQ("D:\\copy", copy.szScreenCopyFolder);
}

TEST(ConfigRecords, MemberSizesFollowTheRecordOrder)
{
    EXPECT_EQ((std::array<std::size_t, 6>{44, 260, 85476, 85476, 40, 308}), CONFIG_SYSTEM_MEMBER_SIZES);
    EXPECT_EQ(sizeof(T_CONFIG_COMM), CONFIG_SYSTEM_MEMBER_SIZES[4]);
    EXPECT_EQ(sizeof(T_CONFIG_MISC), CONFIG_SYSTEM_MEMBER_SIZES[5]);
}

TEST(ConfigRecords, SystemRecordHoldsSixPointersInOrder)
{
    T_CONFIG_COMM comm{};
    T_CONFIG_MISC misc{};
    char folder[CURRENT_FOLDER_SIZE] = "D:\\";
    T_CONFIG_SYSTEM record{nullptr, folder, nullptr, nullptr, &comm, &misc};

    void* slots[6];
    static_assert(sizeof slots == sizeof record);
    std::memcpy(slots, &record, sizeof record);
    EXPECT_EQ(nullptr, slots[0]);
    EXPECT_EQ(static_cast<void*>(folder), slots[1]);
    EXPECT_EQ(static_cast<void*>(&comm), slots[4]);
    EXPECT_EQ(static_cast<void*>(&misc), slots[5]);
}

}  // namespace
