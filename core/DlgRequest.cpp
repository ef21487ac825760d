#include "core/DlgRequest.h"

#include <array>
#include <cwchar>
#include <vector>

namespace {

enum class FieldType {
    Number,   // the word, in decimal
    Mask,     // the word, in hexadecimal
    Flags,    // the word, as change-flag names
    Byte,     // the lowest byte of the word, or the byte at the offset
    Mask16,   // the 16-bit value at the offset, in hexadecimal
    Text,     // the word as a pointer to a NUL-terminated wide string
};

struct FieldSpec {
    const wchar_t* name;
    std::size_t offset;
    FieldType type;
};

struct KindSpec {
    const wchar_t* name;
    std::vector<FieldSpec> fields;
};

// One row per kind, in kind order: the parameters the sender fills and the
// results the host writes back, in offset order.
const std::array<KindSpec, DLGREQ_KIND_COUNT>& KindTable()
{
    static const std::array<KindSpec, DLGREQ_KIND_COUNT> table = {{
        {L"DLGREQ_APP_EXIT", {{L"exit", 16, FieldType::Byte}}},
        {L"DLGREQ_RESTART", {}},
        {L"DLGREQ_SHUTDOWN",
         {{L"shutdown", 12, FieldType::Number}, {L"skipMemorySave", 16, FieldType::Byte}}},
        {L"DLGREQ_SETTING_CHANGED", {{L"flags", 12, FieldType::Flags}}},
        {L"DLGREQ_INITIALIZE",
         {{L"items", 12, FieldType::Mask},
          {L"initialized", 16, FieldType::Mask},
          {L"errors", 20, FieldType::Mask},
          {L"restart", 24, FieldType::Byte}}},
        {L"DLGREQ_SAVE_SETTINGS", {{L"path", 12, FieldType::Text}, {L"saved", 16, FieldType::Byte}}},
        {L"DLGREQ_LOAD_SETTINGS", {{L"path", 12, FieldType::Text}, {L"loaded", 16, FieldType::Byte}}},
        {L"DLGREQ_SAVE_MEMORY_BLOCK",
         {{L"block", 12, FieldType::Number},
          {L"destination", 16, FieldType::Text},
          {L"format", 24, FieldType::Byte},
          {L"option", 28, FieldType::Byte},
          {L"written", 36, FieldType::Byte}}},
        {L"DLGREQ_CONVERT_FILE_CSV",
         {{L"source", 12, FieldType::Text},
          {L"destination", 16, FieldType::Text},
          {L"converted", 20, FieldType::Byte}}},
        {L"DLGREQ_IS_PLAYBACK_FILE", {{L"path", 12, FieldType::Text}, {L"inPlayback", 16, FieldType::Byte}}},
        {L"DLGREQ_CLOSE_PLAYBACK", {{L"closed", 12, FieldType::Byte}}},
        {L"DLGREQ_EXPORT_FILE",
         {{L"reserved", 12, FieldType::Number},
          {L"folder", 16, FieldType::Text},
          {L"source", 20, FieldType::Text},
          {L"format", 24, FieldType::Number},
          {L"option", 28, FieldType::Byte}}},
        {L"DLGREQ_QUERY_PLAYBACK", {{L"playbackOpen", 16, FieldType::Byte}}},
        {L"DLGREQ_SAVE_TEXT",
         {{L"path", 12, FieldType::Text}, {L"contents", 16, FieldType::Mask16}, {L"saved", 18, FieldType::Byte}}},
        {L"DLGREQ_LOAD_TEXT",
         {{L"path", 12, FieldType::Text}, {L"contents", 16, FieldType::Mask16}, {L"loaded", 18, FieldType::Byte}}},
    }};
    return table;
}

struct FlagName {
    DWORD flag;
    const wchar_t* name;
};

constexpr FlagName kFlagNames[] = {
    {CHG_MEASURE_MODE, L"CHG_MEASURE_MODE"},
    {CHG_RECORD_FORMAT, L"CHG_RECORD_FORMAT"},
    {CHG_RECORD_TIMER, L"CHG_RECORD_TIMER"},
    {CHG_COMM, L"CHG_COMM"},
    {CHG_SPEED_TABLE, L"CHG_SPEED_TABLE"},
    {CHG_DATA_NO, L"CHG_DATA_NO"},
    {CHG_AUTO_SEND, L"CHG_AUTO_SEND"},
    {CHG_SOUND, L"CHG_SOUND"},
    {CHG_DISPLAY, L"CHG_DISPLAY"},
    {CHG_SCREEN_COPY, L"CHG_SCREEN_COPY"},
    {CHG_PASSWORD, L"CHG_PASSWORD"},
    {CHG_CURSOR, L"CHG_CURSOR"},
};

std::wstring Hex(unsigned long long value)
{
    wchar_t buffer[32];
    std::swprintf(buffer, std::size(buffer), L"0x%llX", value);
    return buffer;
}

std::wstring FieldValue(const T_DLG_REQUEST& request, const FieldSpec& field)
{
    switch (field.type) {
    case FieldType::Number:
        return std::to_wstring(request.Word(field.offset));
    case FieldType::Mask:
        return Hex(request.Word(field.offset));
    case FieldType::Flags:
        return ChangeFlagsText(static_cast<DWORD>(request.Word(field.offset)));
    case FieldType::Byte:
        return std::to_wstring(request.Byte(field.offset));
    case FieldType::Mask16:
        return Hex(request.Word16(field.offset));
    case FieldType::Text: {
        const wchar_t* text = request.Text(field.offset);
        return text ? std::wstring(text) : std::wstring(L"(null)");
    }
    }
    return {};
}

}  // namespace

const wchar_t* DlgRequestKindName(DWORD kind)
{
    return kind < DLGREQ_KIND_COUNT ? KindTable()[kind].name : L"";
}

const wchar_t* ChangeFlagName(DWORD flag)
{
    for (const FlagName& entry : kFlagNames) {
        if (entry.flag == flag)
            return entry.name;
    }
    return L"";
}

std::wstring ChangeFlagsText(DWORD flags)
{
    if (flags == 0)
        return L"0";
    std::wstring text;
    DWORD unnamed = flags;
    for (const FlagName& entry : kFlagNames) {
        if (flags & entry.flag) {
            if (!text.empty())
                text += L'|';
            text += entry.name;
            unnamed &= ~entry.flag;
        }
    }
    if (unnamed != 0) {
        if (!text.empty())
            text += L'|';
        text += Hex(unnamed);
    }
    return text;
}

std::vector<DlgRequestField> DescribeDlgRequest(const T_DLG_REQUEST& request)
{
    std::vector<DlgRequestField> fields;
    const DWORD kind = request.Kind();
    if (kind >= DLGREQ_KIND_COUNT)
        return fields;
    for (const FieldSpec& field : KindTable()[kind].fields)
        fields.push_back({field.name, FieldValue(request, field)});
    return fields;
}
