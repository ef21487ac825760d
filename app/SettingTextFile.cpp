#include "SettingTextFile.h"
#include "win/WholeFile.h"

#include "host/KeyValueText.h"
#include "host/formats/AtomicFile.h"
#include "win/TextConvert.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace {

constexpr const char* kEnd = "SYSDLG-SIM SETTING TEXT";

struct CommNumber {
    const char* key;
    DWORD T_CONFIG_COMM::*field;
};
struct CommFlag {
    const char* key;
    bool T_CONFIG_COMM::*field;
};

constexpr CommNumber kCommNumbers[] = {
    {"comm.port", &T_CONFIG_COMM::dwPort},
    {"comm.delimiter", &T_CONFIG_COMM::dwDelimiter},
    {"comm.timeout", &T_CONFIG_COMM::dwTimeout},
    {"comm.baud_rate", &T_CONFIG_COMM::dwBaudRate},
    {"comm.data_bits", &T_CONFIG_COMM::dwDataBits},
    {"comm.stop_bits", &T_CONFIG_COMM::dwStopBits},
    {"comm.parity", &T_CONFIG_COMM::dwParity},
    {"comm.flow_control", &T_CONFIG_COMM::dwFlowControl},
};
constexpr CommFlag kCommFlags[] = {
    {"comm.ups_on_rs232c", &T_CONFIG_COMM::bUpsOnRs232c},
    {"comm.send_on_trigger", &T_CONFIG_COMM::bSendOnTrigger},
    {"comm.send_on_record_end", &T_CONFIG_COMM::bSendOnRecordEnd},
    {"comm.send_on_error", &T_CONFIG_COMM::bSendOnError},
};

// A key of the text groups: "signal.1.3.2", "annotation.2.10", "measinfo.1.1".
struct TextKey {
    std::uint16_t group = 0;
    int rec = 0;       // 1 or 2
    int channel = 0;   // signal names only, 1 to 16
    int line = 0;      // from 1
};

bool ParseIndex(std::string_view text, int min, int max, int& out)
{
    long long value = 0;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos ||
        !KeyValueText::ParseInteger(text, min, max, value))
        return false;
    out = static_cast<int>(value);
    return true;
}

std::vector<std::string_view> SplitDots(std::string_view key)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = key.find('.', start);
        parts.push_back(key.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
        if (dot == std::string_view::npos)
            return parts;
        start = dot + 1;
    }
}

// False for a key that is not a text key; `valid` false for a text key whose
// indexes are out of range.
bool ParseTextKey(std::string_view key, TextKey& out, bool& valid)
{
    std::vector<std::string_view> parts = SplitDots(key);
    valid = false;
    if (parts[0] == "signal" && parts.size() == 4) {
        out.group = SettingTextFile::kGroupSignalNames;
        valid = ParseIndex(parts[1], 1, 2, out.rec) && ParseIndex(parts[2], 1, CONFIG_SYSREC::kChannels, out.channel) &&
                ParseIndex(parts[3], 1, CONFIG_SYSREC::kSigLabelLines, out.line);
        return true;
    }
    if ((parts[0] == "annotation" || parts[0] == "measinfo") && parts.size() == 3) {
        bool annotation = parts[0] == "annotation";
        out.group = annotation ? SettingTextFile::kGroupAnnotations : SettingTextFile::kGroupMeasurementInfo;
        int lines = annotation ? CONFIG_SYSREC::kAnnotationLines : CONFIG_SYSREC::kMeasInfoLines;
        valid = ParseIndex(parts[1], 1, 2, out.rec) && ParseIndex(parts[2], 1, lines, out.line);
        return true;
    }
    return false;
}

int CharactersOf(std::uint16_t group)
{
    return group == SettingTextFile::kGroupSignalNames ? CONFIG_SYSREC::kSigLabelChars
           : group == SettingTextFile::kGroupAnnotations ? CONFIG_SYSREC::kAnnotationChars
                                                         : CONFIG_SYSREC::kMeasInfoChars;
}

void WriteText(std::ostringstream& out, const std::string& key, const CString& text)
{
    if (!text.IsEmpty())
        out << key << " = " << KeyValueText::Escape(text.GetString()) << '\n';
}

void ClearGroup(CONFIG_SYSREC& config, std::uint16_t group)
{
    if (group == SettingTextFile::kGroupSignalNames) {
        for (int channel = 0; channel < CONFIG_SYSREC::kChannels; ++channel)
            for (int line = 0; line < CONFIG_SYSREC::kSigLabelLines; ++line)
                config.SetSigLabelText(channel, line, L"");
    } else if (group == SettingTextFile::kGroupAnnotations) {
        for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line)
            config.SetAnnotationText(line, L"");
    } else {
        for (int line = 0; line < CONFIG_SYSREC::kMeasInfoLines; ++line)
            config.SetMeasInfoText(line, L"");
    }
}

void SetText(CONFIG_SYSREC& config, const TextKey& key, const std::wstring& text)
{
    if (key.group == SettingTextFile::kGroupSignalNames)
        config.SetSigLabelText(key.channel - 1, key.line - 1, text.c_str());
    else if (key.group == SettingTextFile::kGroupAnnotations)
        config.SetAnnotationText(key.line - 1, text.c_str());
    else
        config.SetMeasInfoText(key.line - 1, text.c_str());
}

// Reads the communication keys; every one must be there.
bool ReadComm(std::map<std::string, std::string>& values, T_CONFIG_COMM& comm, std::string& error)
{
    for (const CommNumber& entry : kCommNumbers) {
        auto found = values.find(entry.key);
        long long number = 0;
        if (found == values.end() || !KeyValueText::ParseInteger(found->second, 0, 0xFFFFFFFF, number)) {
            error = std::string("missing or bad value: ") + entry.key;
            return false;
        }
        comm.*entry.field = static_cast<DWORD>(number);
        values.erase(found);
    }
    for (const CommFlag& entry : kCommFlags) {
        auto found = values.find(entry.key);
        bool flag = false;
        if (found == values.end() || !KeyValueText::ParseFlag(found->second, flag)) {
            error = std::string("missing or bad value: ") + entry.key;
            return false;
        }
        comm.*entry.field = flag;
        values.erase(found);
    }
    return true;
}

}  // namespace

std::string SettingTextFile::Write(const HostState& state, std::uint16_t contents)
{
    contents &= kAllGroups;
    std::ostringstream out;
    out << "# Setting text of the instrument, written by sysdlg-sim. UTF-8; texts may be edited.\n";
    out << "format = " << kFormat << '\n';
    char mask[8];
    std::snprintf(mask, sizeof mask, "0x%02X", static_cast<unsigned>(contents));
    out << "contents = " << mask << '\n';
    const CONFIG_SYSREC* recs[] = {&state.SysRec1(), &state.SysRec2()};
    if (contents & kGroupSignalNames) {
        out << "# 信号名称\n";
        for (int rec = 1; rec <= 2; ++rec)
            for (int channel = 1; channel <= CONFIG_SYSREC::kChannels; ++channel)
                for (int line = 1; line <= CONFIG_SYSREC::kSigLabelLines; ++line)
                    WriteText(out,
                              "signal." + std::to_string(rec) + "." + std::to_string(channel) + "." +
                                  std::to_string(line),
                              recs[rec - 1]->GetSigLabelText(channel - 1, line - 1));
    }
    if (contents & kGroupAnnotations) {
        out << "# ページアノテーション\n";
        for (int rec = 1; rec <= 2; ++rec)
            for (int line = 1; line <= CONFIG_SYSREC::kAnnotationLines; ++line)
                WriteText(out, "annotation." + std::to_string(rec) + "." + std::to_string(line),
                          recs[rec - 1]->GetAnnotationText(line - 1));
    }
    if (contents & kGroupMeasurementInfo) {
        out << "# 計測情報\n";
        for (int rec = 1; rec <= 2; ++rec)
            for (int line = 1; line <= CONFIG_SYSREC::kMeasInfoLines; ++line)
                WriteText(out, "measinfo." + std::to_string(rec) + "." + std::to_string(line),
                          recs[rec - 1]->GetMeasInfoText(line - 1));
    }
    if (contents & kGroupCommunication) {
        out << "# 通信\n";
        const T_CONFIG_COMM& comm = state.Comm();
        for (const CommFlag& entry : kCommFlags)
            out << entry.key << " = " << (comm.*entry.field ? 1 : 0) << '\n';
        for (const CommNumber& entry : kCommNumbers)
            out << entry.key << " = " << comm.*entry.field << '\n';
    }
    if (contents & kGroupCalculation)
        out << "# 関数演算: no calculation settings on this instrument\n";
    if (contents & kGroupAmpUnit)
        out << "# Amp Unit: no amplifier-unit settings on this instrument\n";
    out << "end = " << kEnd << '\n';
    return out.str();
}

bool SettingTextFile::Read(std::string_view text, std::uint16_t contents, HostState& state, std::uint16_t& loaded,
                           std::string& error)
{
    std::vector<KeyValueEntry> entries;
    if (!KeyValueText::Split(text, entries, error))
        return false;
    if (entries.empty() || entries.front().key != "format" || entries.front().value != kFormat) {
        error = "not a setting text file of this instrument (format line missing or wrong)";
        return false;
    }
    if (entries.back().key != "end" || entries.back().value != kEnd) {
        error = "the file is incomplete (no end line)";
        return false;
    }
    long long declared = 0;
    if (entries.size() < 3 || entries[1].key != "contents" ||
        !KeyValueText::ParseInteger(entries[1].value, 0, kAllGroups, declared)) {
        error = "the contents line is missing or out of range";
        return false;
    }

    std::map<std::string, std::string> values;
    for (std::size_t i = 2; i + 1 < entries.size(); ++i)
        values.emplace(entries[i].key, entries[i].value);

    // Everything goes into a scratch copy first: all or nothing.
    auto scratch = std::make_unique<HostState>();
    scratch->CopyFrom(state);
    const std::uint16_t take = static_cast<std::uint16_t>(declared) & contents;
    CONFIG_SYSREC* recs[] = {&scratch->SysRec1(), &scratch->SysRec2()};
    for (std::uint16_t group : {kGroupSignalNames, kGroupAnnotations, kGroupMeasurementInfo})
        if (take & group)
            for (CONFIG_SYSREC* rec : recs)
                ClearGroup(*rec, group);

    if (declared & kGroupCommunication) {
        T_CONFIG_COMM comm = scratch->Comm();
        if (!ReadComm(values, comm, error))
            return false;
        if (take & kGroupCommunication)
            scratch->Comm() = comm;
    }
    for (const auto& [key, value] : values) {
        TextKey parsed;
        bool valid = false;
        if (!ParseTextKey(key, parsed, valid)) {
            error = "unknown key: " + key;
            return false;
        }
        if (!valid) {
            error = "index out of range: " + key;
            return false;
        }
        if (!(declared & parsed.group)) {
            error = "a key of a group the file does not declare: " + key;
            return false;
        }
        std::wstring textValue;
        if (!KeyValueText::Unescape(value, textValue)) {
            error = "bad text: " + key;
            return false;
        }
        // Fields count UTF-16 units, as the instrument stores them.
        if (win::WideToUtf16(textValue).size() > static_cast<std::size_t>(CharactersOf(parsed.group))) {
            error = "text too long for its field: " + key;
            return false;
        }
        if (take & parsed.group)
            SetText(*recs[parsed.rec - 1], parsed, textValue);
    }
    state.CopyFrom(*scratch);
    loaded = take;
    return true;
}

bool SettingTextFile::Save(const std::string& posixPath, const HostState& state, std::uint16_t contents,
                           std::string& error)
{
    return formats::WriteFileAtomically(posixPath, Write(state, contents), &error);
}

bool SettingTextFile::Load(const std::string& posixPath, std::uint16_t contents, HostState& state, std::string& error)
{
    // Far larger than any setting text file: refused rather than read.
    std::string text;
    if (!win::ReadWholeFile(posixPath, 4 << 20, "setting text file", text, error))
        return false;
    std::uint16_t loaded = 0;
    return Read(text, contents, state, loaded, error);
}
