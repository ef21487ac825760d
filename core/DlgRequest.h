// The request record that the dialog hands to the host's receiver
// (IDLGReceiver::OnDLGRequest), its kinds and the change flags of
// DLGREQ_SETTING_CHANGED.
//
// The record is ten words. The protocol names its fields by byte offset in
// the instrument's 40-byte layout: the word at offset N, the byte at N (the
// byte N % 4 of that word, counted from the least significant end, as on the
// little-endian instrument) and the 16-bit value at N. Words that carry a
// pointer (the sender and text parameters) must hold a whole pointer, so every
// word is pointer-sized: on a 32-bit build the record is exactly the
// instrument's 40 bytes, on a 64-bit build it is 80 bytes and the word at
// offset N is the (N / 4)-th word of 8 bytes. Always address fields through
// the offset accessors below, never through raw byte offsets into the object.
//
// Text parameters are pointers to NUL-terminated wide strings (wchar_t, the
// in-memory text of this port) owned by the sender and valid only during the
// call.
#pragma once

#include "core/Export.h"
#include "win/Win32Types.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

// Request kinds (the word at offset 8).
constexpr DWORD DLGREQ_APP_EXIT = 0;
constexpr DWORD DLGREQ_RESTART = 1;
constexpr DWORD DLGREQ_SHUTDOWN = 2;
constexpr DWORD DLGREQ_SETTING_CHANGED = 3;
constexpr DWORD DLGREQ_INITIALIZE = 4;
constexpr DWORD DLGREQ_SAVE_SETTINGS = 5;
constexpr DWORD DLGREQ_LOAD_SETTINGS = 6;
constexpr DWORD DLGREQ_SAVE_MEMORY_BLOCK = 7;
constexpr DWORD DLGREQ_CONVERT_FILE_CSV = 8;
constexpr DWORD DLGREQ_IS_PLAYBACK_FILE = 9;
constexpr DWORD DLGREQ_CLOSE_PLAYBACK = 10;
constexpr DWORD DLGREQ_EXPORT_FILE = 11;
constexpr DWORD DLGREQ_QUERY_PLAYBACK = 12;
constexpr DWORD DLGREQ_SAVE_TEXT = 13;
constexpr DWORD DLGREQ_LOAD_TEXT = 14;
constexpr DWORD DLGREQ_KIND_COUNT = 15;

// Change flags of DLGREQ_SETTING_CHANGED (the word at offset 12). A request
// carries the flag of the one group that changed.
constexpr DWORD CHG_MEASURE_MODE = 0x1;
constexpr DWORD CHG_RECORD_FORMAT = 0x4;
constexpr DWORD CHG_RECORD_TIMER = 0x8;
constexpr DWORD CHG_COMM = 0x10;
constexpr DWORD CHG_SPEED_TABLE = 0x20;
constexpr DWORD CHG_DATA_NO = 0x40;
constexpr DWORD CHG_AUTO_SEND = 0x80;
constexpr DWORD CHG_SOUND = 0x10000;
constexpr DWORD CHG_DISPLAY = 0x20000;
constexpr DWORD CHG_SCREEN_COPY = 0x40000;
constexpr DWORD CHG_PASSWORD = 0x80000;
constexpr DWORD CHG_CURSOR = 0x100000;

// Formats of DLGREQ_SAVE_MEMORY_BLOCK (byte at 24) and DLGREQ_EXPORT_FILE
// (word at 24).
constexpr DWORD DLGREQ_MEMORY_FORMAT_CSV = 0;
constexpr DWORD DLGREQ_MEMORY_FORMAT_DATA = 1;
constexpr DWORD DLGREQ_EXPORT_MATLAB = 2;
constexpr DWORD DLGREQ_EXPORT_FAMOS = 3;
constexpr DWORD DLGREQ_EXPORT_DIADEM = 4;

struct T_DLG_REQUEST {
    using WordValue = std::uintptr_t;

    static constexpr std::size_t kWordCount = 10;
    // Byte offsets the protocol names run from 0 to kProtocolBytes - 1.
    static constexpr std::size_t kProtocolBytes = 40;

    WordValue words[kWordCount];

    // Clears every word, then sets size, sender and kind: the first two steps
    // of sending any request.
    void Prepare(const void* sender, DWORD kind)
    {
        for (WordValue& word : words)
            word = 0;
        words[0] = sizeof(T_DLG_REQUEST);
        SetSender(sender);
        SetKind(kind);
    }

    WordValue Size() const { return words[0]; }
    void* Sender() const { return reinterpret_cast<void*>(words[1]); }
    void SetSender(const void* sender) { words[1] = reinterpret_cast<WordValue>(sender); }
    DWORD Kind() const { return static_cast<DWORD>(words[2]); }
    void SetKind(DWORD kind) { words[2] = kind; }

    // The whole word at a multiple of 4.
    WordValue Word(std::size_t offset) const { return words[WordIndex(offset)]; }
    void SetWord(std::size_t offset, WordValue value) { words[WordIndex(offset)] = value; }

    // A byte anywhere in the 40 bytes.
    BYTE Byte(std::size_t offset) const
    {
        return static_cast<BYTE>(words[ByteWordIndex(offset)] >> ByteShift(offset));
    }
    void SetByte(std::size_t offset, BYTE value)
    {
        WordValue& word = words[ByteWordIndex(offset)];
        word = (word & ~(WordValue{0xFF} << ByteShift(offset))) | (WordValue{value} << ByteShift(offset));
    }

    // A 16-bit value at an even offset: bytes offset and offset + 1.
    WORD Word16(std::size_t offset) const
    {
        assert(offset % 2 == 0);
        return static_cast<WORD>(Byte(offset) | (Byte(offset + 1) << 8));
    }
    void SetWord16(std::size_t offset, WORD value)
    {
        assert(offset % 2 == 0);
        SetByte(offset, static_cast<BYTE>(value & 0xFF));
        SetByte(offset + 1, static_cast<BYTE>(value >> 8));
    }

    // A text parameter: a pointer held in the word at offset.
    const wchar_t* Text(std::size_t offset) const { return reinterpret_cast<const wchar_t*>(Word(offset)); }
    void SetPointer(std::size_t offset, const wchar_t* text) { SetWord(offset, reinterpret_cast<WordValue>(text)); }

private:
    static std::size_t WordIndex(std::size_t offset)
    {
        assert(offset % 4 == 0 && offset < kProtocolBytes);
        return offset / 4;
    }
    static std::size_t ByteWordIndex(std::size_t offset)
    {
        assert(offset < kProtocolBytes);
        return offset / 4;
    }
    static unsigned ByteShift(std::size_t offset) { return static_cast<unsigned>(offset % 4) * 8; }
};

static_assert(std::is_trivially_copyable_v<T_DLG_REQUEST>);
static_assert(std::is_standard_layout_v<T_DLG_REQUEST>);
static_assert(sizeof(T_DLG_REQUEST) == T_DLG_REQUEST::kWordCount * sizeof(void*));
static_assert(sizeof(void*) != 4 || sizeof(T_DLG_REQUEST) == 40, "the instrument's layout on 32-bit builds");
static_assert(sizeof(void*) != 8 || sizeof(T_DLG_REQUEST) == 80, "ten pointer-sized words on 64-bit builds");

// One meaningful field of a request, for logs and tests: a name such as
// "path" or "saved" and its value as text (numbers in decimal, masks in
// hexadecimal, change flags by name, text parameters as the text itself or
// "(null)").
struct DlgRequestField {
    std::wstring name;
    std::wstring value;

    bool operator==(const DlgRequestField&) const = default;
};

// "DLGREQ_SAVE_SETTINGS" for 5; an empty string for a kind outside 0 to 14.
SYSDLG_API const wchar_t* DlgRequestKindName(DWORD kind);
// "CHG_COMM" for 0x10; an empty string for anything but one known flag.
SYSDLG_API const wchar_t* ChangeFlagName(DWORD flag);
// Every flag of a mask by name, joined with '|'; bits without a name as
// "0x..."; "0" for no flag at all.
SYSDLG_API std::wstring ChangeFlagsText(DWORD flags);
// The fields the record's kind gives meaning to, parameters and results in
// offset order. Text parameters are read, so call it only while they are
// valid (inside OnDLGRequest or on the sender's side). Empty for an unknown
// kind and for the kinds without fields.
SYSDLG_API std::vector<DlgRequestField> DescribeDlgRequest(const T_DLG_REQUEST& request);
