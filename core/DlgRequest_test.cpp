#include "core/DlgRequest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

TEST(DlgRequest, PrepareClearsEveryWordAndSetsSizeAndKind)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_TEXT);
    EXPECT_EQ(sizeof(T_DLG_REQUEST), request.Size());
    EXPECT_EQ(DLGREQ_SAVE_TEXT, request.Kind());
    for (std::size_t offset = 12; offset < T_DLG_REQUEST::kProtocolBytes; offset += 4)
        EXPECT_EQ(0u, request.Word(offset)) << "word at " << offset;
}

// Bytes and 16-bit values lie in their word from the low end, as on the
// little-endian instrument, and setting one leaves the rest of the word alone.
TEST(DlgRequest, BytesAndHalfWordsLieInTheirWordFromTheLowEnd)
{
    T_DLG_REQUEST request = Filled(DLGREQ_SAVE_TEXT);
    request.SetWord(16, 0x44332211);
    for (std::size_t offset = 16; offset < 20; ++offset) {
        EXPECT_EQ(request.Byte(offset), 0x11 * (offset - 15)) << "byte at " << offset;
        EXPECT_EQ(request.Byte(offset), RawByte(request, offset)) << "byte at " << offset;
    }
    EXPECT_EQ(0x2211, request.Word16(16));
    EXPECT_EQ(0x4433, request.Word16(18));
    request.SetWord16(16, 0x003F);
    request.SetByte(18, 1);
    EXPECT_EQ(0x4401003Fu, request.Word(16));
    request.SetByte(18, 0);
    EXPECT_EQ(0x4400003Fu, request.Word(16));

    request.SetWord(12, 0x0100);
    EXPECT_EQ(0, request.Byte(12)) << "a result byte reads only the lowest byte";
    request.SetByte(39, 0x9C);
    EXPECT_EQ(0x9C, RawByte(request, 39)) << "the last byte of the record";
    EXPECT_EQ(0x9C000000u, request.Word(36));

    const wchar_t* source = L"D:\\data\\a.mem";
    request.SetPointer(20, source);
    EXPECT_EQ(source, request.Text(20));
    EXPECT_EQ(0x9C000000u, request.Word(36));
    EXPECT_EQ(0x4400003Fu, request.Word(16)) << "a pointer never spills into another word";
}

TEST(DlgRequest, DescribesEachKindsFieldsInOffsetOrder)
{
    struct Row {
        DWORD kind;
        std::function<void(T_DLG_REQUEST&)> fill;
        std::vector<DlgRequestField> expected;
    };
    const std::wstring path = L"D:\\設定\\A.ENV";
    const Row rows[] = {
        {DLGREQ_SETTING_CHANGED, [](T_DLG_REQUEST& r) { r.SetWord(12, CHG_SCREEN_COPY); },
         {{L"flags", L"CHG_SCREEN_COPY"}}},
        {DLGREQ_SAVE_SETTINGS, [&](T_DLG_REQUEST& r) { r.SetPointer(12, path.c_str()); r.SetByte(16, 1); },
         {{L"path", path}, {L"saved", L"1"}}},
        {DLGREQ_SAVE_SETTINGS, [](T_DLG_REQUEST&) {}, {{L"path", L"(null)"}, {L"saved", L"0"}}},
        {DLGREQ_LOAD_TEXT,
         [](T_DLG_REQUEST& r) { r.SetPointer(12, L"D:\\t.txt"); r.SetWord16(16, 0xFFFF); r.SetByte(18, 1); },
         {{L"path", L"D:\\t.txt"}, {L"contents", L"0xFFFF"}, {L"loaded", L"1"}}},
        {DLGREQ_INITIALIZE,
         [](T_DLG_REQUEST& r) { r.SetWord(12, 0xB); r.SetWord(16, 0x9); r.SetWord(20, 1); r.SetByte(24, 1); },
         {{L"items", L"0xB"}, {L"initialized", L"0x9"}, {L"errors", L"0x1"}, {L"restart", L"1"}}},
        // Only the result byte counts, not what a reused record holds above it.
        {DLGREQ_CLOSE_PLAYBACK, [](T_DLG_REQUEST& r) { r.SetWord(12, 0x201); }, {{L"closed", L"1"}}},
        {DLGREQ_SHUTDOWN, [](T_DLG_REQUEST& r) { r.SetWord(12, 1); r.SetByte(16, 1); },
         {{L"shutdown", L"1"}, {L"skipMemorySave", L"1"}}},
        {DLGREQ_RESTART, [](T_DLG_REQUEST& r) { r.SetWord(12, 1); }, {}},
        {DLGREQ_KIND_COUNT, [](T_DLG_REQUEST& r) { r.SetWord(12, 1); }, {}},
    };
    for (const Row& row : rows) {
        T_DLG_REQUEST request = Filled(row.kind);
        row.fill(request);
        EXPECT_EQ(row.expected, DescribeDlgRequest(request)) << DlgRequestKindName(row.kind);
    }
}

// Names index a table: a kind past its end has none rather than a stray one.
TEST(DlgRequest, NamesKnownKindsAndFlagsAndShowsOtherBitsInHexadecimal)
{
    EXPECT_STREQ(L"DLGREQ_LOAD_TEXT", DlgRequestKindName(14));
    EXPECT_STREQ(L"", DlgRequestKindName(15));
    EXPECT_STREQ(L"", DlgRequestKindName(0xFFFFFFFF));
    EXPECT_EQ(L"0", ChangeFlagsText(0));
    EXPECT_EQ(L"CHG_RECORD_FORMAT|CHG_PASSWORD|0x8100", ChangeFlagsText(CHG_PASSWORD | CHG_RECORD_FORMAT | 0x8100));
}

}  // namespace
