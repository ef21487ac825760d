#include "host/ConfigText.h"

#include "host/KeyValueText.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

namespace {

using PARAMS = CONFIG_SYSREC::PARAMS;

enum class FieldType { Signed, Unsigned, Byte, Time, Speed };

struct ScalarField {
    const char* key;
    FieldType type;
    std::size_t offset;
};

#define FIELD(key, type, member) {key, FieldType::type, offsetof(PARAMS, member)}
const ScalarField kSysRecFields[] = {
    FIELD("use_chan_mask", Unsigned, dwUseChanMask),
    FIELD("total_mem_size", Unsigned, dwTotalMemSize),
    FIELD("data_no", Unsigned, dwDataNo),
    FIELD("sync", Signed, lSync),
    FIELD("time_scale", Signed, lTimeScale),
    FIELD("start_timer", Signed, bStartTimer),
    FIELD("start_time", Time, stStartTime),
    FIELD("end_time", Time, stEndTime),
    FIELD("every", Signed, lEvery),
    FIELD("interval", Signed, bInterval),
    FIELD("interval_time", Signed, lIntervalTime),
    FIELD("run_time", Signed, lRunTime),
    FIELD("frec_save", Signed, bFRecSave),
    FIELD("feed_len", Unsigned, dwFeedLen),
    FIELD("grid", Signed, lGrid),
    FIELD("vscale", Signed, lVScale),
    FIELD("psw.channel_mark", Byte, bChannelMarkPSW),
    FIELD("psw.sys_annotation", Byte, bSysAnnotationPSW),
    FIELD("psw.chan_annotation", Byte, bChanAnnotationPSW),
    FIELD("psw.time_scale", Byte, bTimeScalePSW),
    FIELD("psw.sig_label", Byte, bSigLabelPSW),
    FIELD("psw.user_annotation", Byte, bUserAnnotationPSW),
    FIELD("psw.meas_info", Byte, bMeasInfoPSW),
    FIELD("psw.reserved", Byte, bReservedPSW),
    FIELD("speed.pen.0", Speed, speedPen[0]),
    FIELD("speed.pen.1", Speed, speedPen[1]),
    FIELD("speed.mem.0", Speed, speedMem[0]),
    FIELD("speed.mem.1", Speed, speedMem[1]),
    FIELD("speed.file.0", Speed, speedFile[0]),
    FIELD("speed.file.1", Speed, speedFile[1]),
    FIELD("data_record_counter", Unsigned, dwDataRecordCounter),
};
#undef FIELD

struct ReservedArea {
    std::size_t offset;
    std::size_t size;
};
const ReservedArea kReservedAreas[] = {
    {offsetof(PARAMS, reserved1), sizeof(PARAMS::reserved1)},
    {offsetof(PARAMS, reserved2), sizeof(PARAMS::reserved2)},
};
constexpr std::size_t kReservedChunk = 32;

const char kSysMeasName[] = "CONFIG_SYSMEAS";
const char kSysRecName[] = "CONFIG_SYSREC";

std::string Line(const std::string& key, const std::string& value)
{
    return key + " = " + value + "\n";
}

template <typename T>
T ReadAt(const PARAMS& params, std::size_t offset)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(&params) + offset, sizeof value);
    return value;
}

template <typename T>
void WriteAt(PARAMS& params, std::size_t offset, const T& value)
{
    std::memcpy(reinterpret_cast<BYTE*>(&params) + offset, &value, sizeof value);
}

std::string FormatScalar(const PARAMS& params, const ScalarField& field)
{
    switch (field.type) {
    case FieldType::Signed: return std::to_string(ReadAt<LONG>(params, field.offset));
    case FieldType::Unsigned: return std::to_string(ReadAt<DWORD>(params, field.offset));
    case FieldType::Byte: return std::to_string(ReadAt<BYTE>(params, field.offset));
    case FieldType::Time: return KeyValueText::FormatTime(ReadAt<SYSTEMTIME>(params, field.offset), true);
    case FieldType::Speed: {
        const auto entry = ReadAt<SPEED_TABLE>(params, field.offset);
        return std::to_string(entry.value) + "," + std::to_string(entry.mode) + "," + std::to_string(entry.unit);
    }
    }
    return {};
}

bool ParseScalar(const std::string& value, const ScalarField& field, PARAMS& params)
{
    long long number = 0;
    switch (field.type) {
    case FieldType::Signed:
        if (!KeyValueText::ParseInteger(value, INT32_MIN, INT32_MAX, number))
            return false;
        WriteAt(params, field.offset, static_cast<LONG>(number));
        return true;
    case FieldType::Unsigned:
        if (!KeyValueText::ParseInteger(value, 0, 0xFFFFFFFFLL, number))
            return false;
        WriteAt(params, field.offset, static_cast<DWORD>(number));
        return true;
    case FieldType::Byte:
        if (!KeyValueText::ParseInteger(value, 0, 255, number))
            return false;
        WriteAt(params, field.offset, static_cast<BYTE>(number));
        return true;
    case FieldType::Time: {
        SYSTEMTIME time;
        if (!KeyValueText::ParseTime(value, false, time))
            return false;
        WriteAt(params, field.offset, time);
        return true;
    }
    case FieldType::Speed: {
        const auto items = KeyValueText::SplitList(value);
        long long parts[3] = {};
        if (items.size() != 3)
            return false;
        for (int i = 0; i < 3; ++i)
            if (!KeyValueText::ParseInteger(items[i], INT32_MIN, INT32_MAX, parts[i]))
                return false;
        WriteAt(params, field.offset,
                SPEED_TABLE{static_cast<LONG>(parts[0]), static_cast<LONG>(parts[1]), static_cast<LONG>(parts[2])});
        return true;
    }
    }
    return false;
}

std::string HexBytes(const BYTE* bytes, std::size_t count)
{
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += pair;
    }
    return text;
}

bool ParseHexBytes(const std::string& text, std::vector<BYTE>& bytes)
{
    if (text.empty() || text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        long long value = 0;
        if (!std::isxdigit(static_cast<unsigned char>(text[i])) || !std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            || !KeyValueText::ParseInteger("0x" + text.substr(i, 2), 0, 255, value))
            return false;
        bytes.push_back(static_cast<BYTE>(value));
    }
    return true;
}

// "<prefix><a>" or "<prefix><a>.<b>": indexes within their limits.
bool ParseIndexes(const std::string& key, const std::string& prefix, int count, const int* limits, int* out)
{
    if (key.compare(0, prefix.size(), prefix) != 0)
        return false;
    std::string rest = key.substr(prefix.size());
    for (int i = 0; i < count; ++i) {
        const auto dot = rest.find('.');
        const bool last = i == count - 1;
        if (last != (dot == std::string::npos))
            return false;
        const std::string number = last ? rest : rest.substr(0, dot);
        long long value = 0;
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos
            || !KeyValueText::ParseInteger(number, 0, limits[i] - 1, value))
            return false;
        out[i] = static_cast<int>(value);
        rest = last ? std::string() : rest.substr(dot + 1);
    }
    return true;
}

bool StoreTextValue(const std::string& value, char16_t* field, std::size_t capacity)
{
    std::wstring text;
    if (!KeyValueText::Unescape(value, text) || text.find(L'\0') != std::wstring::npos)
        return false;
    if (win::WideToUtf16(text).size() > capacity - 1)
        return false;
    std::fill(field, field + capacity, u'\0');
    win::CopyToUtf16Buffer(text, field, capacity);
    return true;
}

// Checks the format and end lines; returns the entries between them.
bool Frame(std::string_view text, const char* name, std::vector<KeyValueEntry>& body, std::string& error)
{
    std::vector<KeyValueEntry> entries;
    if (!KeyValueText::Split(text, entries, error))
        return false;
    if (entries.empty() || entries.front().key != "format" || entries.front().value != std::string(name) + " 1") {
        error = std::string("not a ") + name + " settings file (format line missing or wrong)";
        return false;
    }
    if (entries.back().key != "end" || entries.back().value != name) {
        error = "the file is truncated (no end line)";
        return false;
    }
    body.assign(entries.begin() + 1, entries.end() - 1);
    return true;
}

std::string Where(const KeyValueEntry& entry)
{
    return "line " + std::to_string(entry.line) + ": ";
}

} // namespace

std::string ConfigText::Write(const CONFIG_SYSMEAS& config)
{
    std::string text = Line("format", std::string(kSysMeasName) + " 1");
    text += Line("mode", std::to_string(config.GetMode()));
    text += Line("startup", config.GetStartup() ? "1" : "0");
    for (int i = 0; i < CONFIG_SYSMEAS::kReservedWords; ++i)
        if (config.GetReserved(i) != 0)
            text += Line("reserved." + std::to_string(i), std::to_string(config.GetReserved(i)));
    text += Line("end", kSysMeasName);
    return text;
}

bool ConfigText::Read(std::string_view text, CONFIG_SYSMEAS& config, std::string& error)
{
    std::vector<KeyValueEntry> body;
    if (!Frame(text, kSysMeasName, body, error))
        return false;
    long long mode = 0;
    bool startup = false;
    bool haveMode = false, haveStartup = false;
    DWORD reserved[CONFIG_SYSMEAS::kReservedWords] = {};
    for (const auto& entry : body) {
        long long value = 0;
        int index = 0;
        const int limit = CONFIG_SYSMEAS::kReservedWords;
        bool good = false;
        if (entry.key == "mode") {
            good = haveMode = KeyValueText::ParseInteger(entry.value, INT32_MIN, INT32_MAX, mode);
        } else if (entry.key == "startup") {
            good = haveStartup = KeyValueText::ParseFlag(entry.value, startup);
        } else if (ParseIndexes(entry.key, "reserved.", 1, &limit, &index)) {
            good = KeyValueText::ParseInteger(entry.value, 0, 0xFFFFFFFFLL, value);
            reserved[index] = static_cast<DWORD>(value);
        } else {
            error = Where(entry) + "unknown key '" + entry.key + "'";
            return false;
        }
        if (!good) {
            error = Where(entry) + "bad value '" + entry.value + "' for " + entry.key;
            return false;
        }
    }
    if (!haveMode || !haveStartup) {
        error = std::string("missing key '") + (haveMode ? "startup" : "mode") + "'";
        return false;
    }
    config.SetMode(static_cast<int>(mode));
    config.SetStartup(startup);
    for (int i = 0; i < CONFIG_SYSMEAS::kReservedWords; ++i)
        config.SetReserved(i, reserved[i]);
    return true;
}

std::string ConfigText::Write(const CONFIG_SYSREC& config)
{
    const PARAMS params = config.GetParams();
    std::ostringstream out;
    out << Line("format", std::string(kSysRecName) + " 1");
    for (const auto& field : kSysRecFields)
        out << Line(field.key, FormatScalar(params, field));
    for (int channel = 0; channel < CONFIG_SYSREC::kChannels; ++channel)
        for (int line = 0; line < CONFIG_SYSREC::kSigLabelLines; ++line)
            if (const auto text = config.GetSigLabelText(channel, line); !text.IsEmpty())
                out << Line("sig_label." + std::to_string(channel) + "." + std::to_string(line),
                            KeyValueText::Escape(text.GetStdString()));
    for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line)
        if (const auto text = config.GetAnnotationText(line); !text.IsEmpty())
            out << Line("annotation." + std::to_string(line), KeyValueText::Escape(text.GetStdString()));
    for (int line = 0; line < CONFIG_SYSREC::kMeasInfoLines; ++line)
        if (const auto text = config.GetMeasInfoText(line); !text.IsEmpty())
            out << Line("meas_info." + std::to_string(line), KeyValueText::Escape(text.GetStdString()));
    const auto* bytes = reinterpret_cast<const BYTE*>(&params);
    for (const auto& area : kReservedAreas) {
        for (std::size_t start = 0; start < area.size; start += kReservedChunk) {
            const std::size_t length = std::min(kReservedChunk, area.size - start);
            const BYTE* chunk = bytes + area.offset + start;
            bool zero = true;
            for (std::size_t i = 0; i < length && zero; ++i)
                zero = chunk[i] == 0;
            if (!zero)
                out << Line("reserved." + std::to_string(area.offset + start), HexBytes(chunk, length));
        }
    }
    out << Line("end", kSysRecName);
    return out.str();
}

bool ConfigText::Read(std::string_view text, CONFIG_SYSREC& config, std::string& error)
{
    std::vector<KeyValueEntry> body;
    if (!Frame(text, kSysRecName, body, error))
        return false;
    // Built on the heap: the record is 85 KB.
    auto params = std::make_unique<PARAMS>();
    std::set<std::string> seen;
    for (const auto& entry : body) {
        bool known = true;
        bool good = false;
        int index[2] = {};
        const int sigLimits[2] = {CONFIG_SYSREC::kChannels, CONFIG_SYSREC::kSigLabelLines};
        const int annotationLimit = CONFIG_SYSREC::kAnnotationLines;
        const int measInfoLimit = CONFIG_SYSREC::kMeasInfoLines;
        const int reservedLimit = static_cast<int>(sizeof(PARAMS));
        const ScalarField* scalar = nullptr;
        for (const auto& field : kSysRecFields)
            if (entry.key == field.key)
                scalar = &field;
        if (scalar) {
            good = ParseScalar(entry.value, *scalar, *params);
            seen.insert(scalar->key);
        } else if (ParseIndexes(entry.key, "sig_label.", 2, sigLimits, index)) {
            good = StoreTextValue(entry.value, params->szSigLabel[index[0]][index[1]], 32);
        } else if (ParseIndexes(entry.key, "annotation.", 1, &annotationLimit, index)) {
            good = StoreTextValue(entry.value, params->szAnnotation[index[0]], 80);
        } else if (ParseIndexes(entry.key, "meas_info.", 1, &measInfoLimit, index)) {
            good = StoreTextValue(entry.value, params->szMeasInfo[index[0]], 32);
        } else if (ParseIndexes(entry.key, "reserved.", 1, &reservedLimit, index)) {
            std::vector<BYTE> bytes;
            const std::size_t offset = static_cast<std::size_t>(index[0]);
            for (const auto& area : kReservedAreas)
                if (offset >= area.offset && ParseHexBytes(entry.value, bytes)
                    && offset + bytes.size() <= area.offset + area.size) {
                    std::memcpy(reinterpret_cast<BYTE*>(params.get()) + offset, bytes.data(), bytes.size());
                    good = true;
                }
        } else {
            known = false;
        }
        if (!known) {
            error = Where(entry) + "unknown key '" + entry.key + "'";
            return false;
        }
        if (!good) {
            error = Where(entry) + "bad value '" + entry.value + "' for " + entry.key;
            return false;
        }
    }
    for (const auto& field : kSysRecFields) {
        if (!seen.count(field.key)) {
            error = std::string("missing key '") + field.key + "'";
            return false;
        }
    }
    config.SetParams(*params);
    return true;
}
