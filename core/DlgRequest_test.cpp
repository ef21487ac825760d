#include "core/DlgRequest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

// The byte the protocol calls "byte at offset" as it lies in the object's
// memory: word offset / 4, byte offset % 4 from the low end of that word.
BYTE RawByte(const T_DLG_REQUEST& request, std::size_t offset)
{
    unsigned char bytes[sizeof(T_DLG_REQUEST)];
    std::memcpy(bytes, &request, sizeof bytes);
    return bytes[(offset / 4) * sizeof(void*) + offset % 4];
}

T_DLG_REQUEST Filled(DWORD kind)
{
    T_DLG_REQUEST request;
    std::memset(&request, 0xA5, sizeof request);
    int sender = 0;
    request.Prepare(&sender, kind);
    return request;
}

TEST(DlgRequest, PrepareClearsEveryWordAndSetsSizeSenderKind)
{
    T_DLG_REQUEST request;
    std::memset(&request, 0xFF, sizeof request);
    int sender = 0;
    request.Prepare(&sender, DLGREQ_SAVE_TEXT);

    EXPECT_EQ(sizeof(T_DLG_REQUEST), request.Size());
    EXPECT_EQ(&sender, request.Sender());
    EXPECT_EQ(DLGREQ_SAVE_TEXT, request.Kind());
    for (std::size_t offset = 12; offset < T_DLG_REQUEST::kProtocolBytes; offset += 4)
        EXPECT_EQ(0u, request.Word(offset)) << "word at " << offset;
}

TEST(DlgRequest, ByteAtOffsetIsThatByteOfItsWordFromTheLowEnd)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_TEXT);
    request.SetWord(16, 0x44332211);

    EXPECT_EQ(0x11, request.Byte(16));
    EXPECT_EQ(0x22, request.Byte(17));
    EXPECT_EQ(0x33, request.Byte(18));
    EXPECT_EQ(0x44, request.Byte(19));
    EXPECT_EQ(0x2211, request.Word16(16));
    EXPECT_EQ(0x4433, request.Word16(18));
    for (std::size_t offset = 16; offset < 20; ++offset)
        EXPECT_EQ(request.Byte(offset), RawByte(request, offset)) << "byte at " << offset;
}

TEST(DlgRequest, SettingAByteLeavesTheRestOfItsWordAlone)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_TEXT);
    request.SetWord16(16, 0x003F);
    request.SetByte(18, 1);

    EXPECT_EQ(0x003F, request.Word16(16));
    EXPECT_EQ(1, request.Byte(18));
    EXPECT_EQ(0x0001003Fu, request.Word(16));
    request.SetByte(18, 0);
    EXPECT_EQ(0x003Fu, request.Word(16));
}

TEST(DlgRequest, LowestByteOfAWordIsTheByteAtItsOffset)
{
    T_DLG_REQUEST request = Filled(DLGREQ_CLOSE_PLAYBACK);
    request.SetWord(12, 0x0100);
    EXPECT_EQ(0, request.Byte(12)) << "a result byte reads only the lowest byte";
    request.SetByte(12, 7);
    EXPECT_EQ(0x0107u, request.Word(12));
}

TEST(DlgRequest, LastByteOfTheRecordIsAddressable)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_MEMORY_BLOCK);
    request.SetByte(39, 0x9C);
    EXPECT_EQ(0x9C, request.Byte(39));
    EXPECT_EQ(0x9C, RawByte(request, 39));
    EXPECT_EQ(0x9C000000u, request.Word(36));
}

TEST(DlgRequest, PointerWordsHoldAWholePointer)
{
    T_DLG_REQUEST request = Filled(DLGREQ_CONVERT_FILE_CSV);
    const wchar_t* source = L"D:\\data\\a.mem";
    const wchar_t* destination = L"D:\\data\\a.csv";
    request.SetPointer(12, source);
    request.SetPointer(16, destination);

    EXPECT_EQ(source, request.Text(12));
    EXPECT_EQ(destination, request.Text(16));
    EXPECT_EQ(0u, request.Word(20)) << "a pointer never spills into the next word";
}

TEST(DlgRequest, EveryKindHasItsOwnName)
{
    std::set<std::wstring> names;
    for (DWORD kind = 0; kind < DLGREQ_KIND_COUNT; ++kind) {
        std::wstring name = DlgRequestKindName(kind);
        EXPECT_EQ(0u, name.rfind(L"DLGREQ_", 0)) << kind;
        names.insert(name);
    }
    EXPECT_EQ(DLGREQ_KIND_COUNT, names.size());
    EXPECT_STREQ(L"DLGREQ_APP_EXIT", DlgRequestKindName(DLGREQ_APP_EXIT));
    EXPECT_STREQ(L"DLGREQ_SETTING_CHANGED", DlgRequestKindName(3));
    EXPECT_STREQ(L"DLGREQ_LOAD_TEXT", DlgRequestKindName(14));
    EXPECT_STREQ(L"", DlgRequestKindName(15));
    EXPECT_STREQ(L"", DlgRequestKindName(0xFFFFFFFF));
}

TEST(DlgRequest, ChangeFlagNamesCoverOnlySingleKnownFlags)
{
    EXPECT_STREQ(L"CHG_MEASURE_MODE", ChangeFlagName(0x1));
    EXPECT_STREQ(L"CHG_AUTO_SEND", ChangeFlagName(0x80));
    EXPECT_STREQ(L"CHG_SOUND", ChangeFlagName(0x10000));
    EXPECT_STREQ(L"CHG_CURSOR", ChangeFlagName(0x100000));
    EXPECT_STREQ(L"", ChangeFlagName(0x2)) << "flag 0x2 is never sent";
    EXPECT_STREQ(L"", ChangeFlagName(CHG_COMM | CHG_SOUND));
    EXPECT_STREQ(L"", ChangeFlagName(0));
}

TEST(DlgRequest, ChangeFlagsTextNamesEachFlagAndShowsUnnamedBits)
{
    EXPECT_EQ(L"0", ChangeFlagsText(0));
    EXPECT_EQ(L"CHG_COMM", ChangeFlagsText(CHG_COMM));
    EXPECT_EQ(L"CHG_RECORD_FORMAT|CHG_PASSWORD", ChangeFlagsText(CHG_PASSWORD | CHG_RECORD_FORMAT));
    EXPECT_EQ(L"CHG_DATA_NO|0x8102", ChangeFlagsText(CHG_DATA_NO | 0x8000 | 0x100 | 0x2));
    EXPECT_EQ(L"0x80000000", ChangeFlagsText(0x80000000));
}

TEST(DlgRequest, DescribesSettingChangedByFlagName)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SETTING_CHANGED);
    request.SetWord(12, CHG_SCREEN_COPY);
    std::vector<DlgRequestField> expected = {{L"flags", L"CHG_SCREEN_COPY"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));
}

TEST(DlgRequest, DescribesTextParametersAsTheirText)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_SETTINGS);
    std::wstring path = L"D:\\設定\\A.ENV";
    request.SetPointer(12, path.c_str());
    request.SetByte(16, 1);
    std::vector<DlgRequestField> expected = {{L"path", path}, {L"saved", L"1"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));

    request.SetPointer(12, nullptr);
    EXPECT_EQ(L"(null)", DescribeDlgRequest(request)[0].value);
}

TEST(DlgRequest, DescribesTheSixteenBitContentsAndTheByteAbove)
{
    T_DLG_REQUEST request = Filled(DLGREQ_LOAD_TEXT);
    request.SetPointer(12, L"D:\\t.txt");
    request.SetWord16(16, 0xFFFF);
    request.SetByte(18, 1);
    std::vector<DlgRequestField> expected = {
        {L"path", L"D:\\t.txt"}, {L"contents", L"0xFFFF"}, {L"loaded", L"1"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));
}

TEST(DlgRequest, DescribesMemoryBlockSaveInOffsetOrder)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_MEMORY_BLOCK);
    request.SetWord(12, 3);
    request.SetPointer(16, L"D:\\m\\B003.FSD");
    request.SetByte(24, DLGREQ_MEMORY_FORMAT_DATA);
    request.SetByte(28, 1);
    request.SetByte(36, 0);
    std::vector<DlgRequestField> expected = {{L"block", L"3"},
                                             {L"destination", L"D:\\m\\B003.FSD"},
                                             {L"format", L"1"},
                                             {L"option", L"1"},
                                             {L"written", L"0"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));
}

TEST(DlgRequest, DescribesInitializeMasksInHexadecimal)
{
    T_DLG_REQUEST request = Filled(DLGREQ_INITIALIZE);
    request.SetWord(12, 0xB);
    request.SetWord(16, 0x9);
    request.SetWord(20, 0x1);
    request.SetByte(24, 1);
    std::vector<DlgRequestField> expected = {
        {L"items", L"0xB"}, {L"initialized", L"0x9"}, {L"errors", L"0x1"}, {L"restart", L"1"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));
}

TEST(DlgRequest, DescribesExportWithBothPaths)
{
    T_DLG_REQUEST request = Filled(DLGREQ_EXPORT_FILE);
    request.SetPointer(16, L"D:\\out\\");
    request.SetPointer(20, L"D:\\data\\r.mem");
    request.SetWord(24, DLGREQ_EXPORT_DIADEM);
    request.SetByte(28, 1);
    auto fields = DescribeDlgRequest(request);
    ASSERT_EQ(5u, fields.size());
    EXPECT_EQ(L"D:\\out\\", fields[1].value);
    EXPECT_EQ(L"D:\\data\\r.mem", fields[2].value);
    EXPECT_EQ(L"4", fields[3].value);
}

TEST(DlgRequest, ClosePlaybackReadsOnlyItsResultByte)
{
    T_DLG_REQUEST request = Filled(DLGREQ_QUERY_PLAYBACK);
    request.SetByte(16, 1);
    request.SetKind(DLGREQ_CLOSE_PLAYBACK);
    request.SetWord(12, 0x201);
    std::vector<DlgRequestField> expected = {{L"closed", L"1"}};
    EXPECT_EQ(expected, DescribeDlgRequest(request));
}

TEST(DlgRequest, KindsWithoutFieldsAndUnknownKindsDescribeNothing)
{
    EXPECT_TRUE(DescribeDlgRequest(Filled(DLGREQ_RESTART)).empty());
    T_DLG_REQUEST unknown = Filled(DLGREQ_KIND_COUNT);
    unknown.SetWord(12, 1);
    EXPECT_TRUE(DescribeDlgRequest(unknown).empty());
}

TEST(DlgRequest, ShutdownAndAppExitNameTheirParameters)
{
    T_DLG_REQUEST shutdown = Filled(DLGREQ_SHUTDOWN);
    shutdown.SetWord(12, 1);
    shutdown.SetByte(16, 1);
    std::vector<DlgRequestField> expectedShutdown = {{L"shutdown", L"1"}, {L"skipMemorySave", L"1"}};
    EXPECT_EQ(expectedShutdown, DescribeDlgRequest(shutdown));

    T_DLG_REQUEST exit = Filled(DLGREQ_APP_EXIT);
    exit.SetByte(16, 1);
    std::vector<DlgRequestField> expectedExit = {{L"exit", L"1"}};
    EXPECT_EQ(expectedExit, DescribeDlgRequest(exit));
}

}  // namespace
