#include "SettingsFile.h"

#include "host/ConfigText.h"
#include "host/KeyValueText.h"
#include "host/formats/AtomicFile.h"
#include "win/TextConvert.h"
#include "win/WholeFile.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kEnd = "SYSDLG-SIM SETTINGS";
constexpr const char* kSectionPrefix = "section = ";
constexpr const char* kChecksumPrefix = "checksum = ";
const char* const kSections[] = {"CONFIG_SYSMEAS", "CONFIG_SYSREC 1", "CONFIG_SYSREC 2"};

std::string Hex(const unsigned char* bytes, std::size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

bool ParseHex(std::string_view text, unsigned char* bytes, std::size_t count)
{
    if (text.size() != count * 2)
        return false;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < count; ++i) {
        int high = digit(text[2 * i]);
        int low = digit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

// Writes a fixed text buffer as its text and, when bytes after the
// terminator are not zero, a ".tail" key that brings them back.
void WriteTextField(std::ostringstream& out, const std::string& key, std::wstring_view text,
                    const unsigned char* bytes, std::size_t size, std::size_t textBytes)
{
    out << key << " = " << KeyValueText::Escape(text) << '\n';
    std::size_t tailStart = std::min(textBytes, size);
    bool tail = false;
    for (std::size_t i = tailStart; i < size; ++i)
        tail = tail || bytes[i] != 0;
    if (tail)
        out << key << ".tail = " << Hex(bytes + tailStart, size - tailStart) << '\n';
}

std::size_t NarrowTextBytes(const char* buffer, std::size_t size)
{
    std::size_t length = strnlen(buffer, size);
    return length < size ? length + 1 : size;
}

std::size_t WideTextBytes(const char16_t* buffer, std::size_t units)
{
    std::size_t length = 0;
    while (length < units && buffer[length] != 0)
        ++length;
    return (length < units ? length + 1 : units) * sizeof(char16_t);
}

// The head of the file: every key of the folder and the two blocks.
class HeadReader {
public:
    explicit HeadReader(std::map<std::string, std::string> values) : m_values(std::move(values)) {}

    bool Flag(const std::string& key, bool& out)
    {
        const std::string* value = Take(key);
        return value && KeyValueText::ParseFlag(*value, out);
    }
    template <typename T>
    bool Number(const std::string& key, long long min, long long max, T& out)
    {
        const std::string* value = Take(key);
        long long number = 0;
        if (!value || !KeyValueText::ParseInteger(*value, min, max, number))
            return false;
        out = static_cast<T>(number);
        return true;
    }
    bool Bytes(const std::string& key, unsigned char* bytes, std::size_t count)
    {
        const std::string* value = Take(key);
        return value && ParseHex(*value, bytes, count);
    }
    bool Narrow(const std::string& key, char* buffer, std::size_t size)
    {
        std::wstring text;
        const std::string* value = Take(key);
        if (!value || !KeyValueText::Unescape(*value, text))
            return false;
        std::string utf8 = win::WideToUtf8(text);
        if (utf8.size() >= size)
            return false;
        std::memset(buffer, 0, size);
        std::memcpy(buffer, utf8.data(), utf8.size());
        return Tail(key, reinterpret_cast<unsigned char*>(buffer), size, utf8.size() + 1);
    }
    bool Wide(const std::string& key, char16_t* buffer, std::size_t units)
    {
        std::wstring text;
        const std::string* value = Take(key);
        if (!value || !KeyValueText::Unescape(*value, text))
            return false;
        std::u16string utf16 = win::WideToUtf16(text);
        if (utf16.size() >= units)
            return false;
        std::memset(buffer, 0, units * sizeof(char16_t));
        std::memcpy(buffer, utf16.data(), utf16.size() * sizeof(char16_t));
        return Tail(key, reinterpret_cast<unsigned char*>(buffer), units * sizeof(char16_t),
                    (utf16.size() + 1) * sizeof(char16_t));
    }

    const std::string& Failed() const { return m_failed; }
    // Keys nobody asked for.
    std::string Leftover() const { return m_values.empty() ? std::string() : m_values.begin()->first; }

private:
    const std::string* Take(const std::string& key)
    {
        auto found = m_values.find(key);
        if (found == m_values.end()) {
            m_failed = key;
            return nullptr;
        }
        m_taken = found->second;
        m_values.erase(found);
        m_failed = key;
        return &m_taken;
    }
    bool Tail(const std::string& key, unsigned char* bytes, std::size_t size, std::size_t start)
    {
        auto found = m_values.find(key + ".tail");
        if (found == m_values.end())
            return true;
        std::string value = found->second;
        m_values.erase(found);
        m_failed = key + ".tail";
        return start <= size && ParseHex(value, bytes + start, size - start);
    }

    std::map<std::string, std::string> m_values;
    std::string m_taken;
    std::string m_failed;
};

bool ReadHead(std::string_view text, HostState& state, std::string& error)
{
    std::vector<KeyValueEntry> entries;
    if (!KeyValueText::Split(text, entries, error))
        return false;
    if (entries.empty() || entries.front().key != "format" || entries.front().value != SettingsFile::kFormat) {
        error = "not a settings file of this instrument (format line missing or wrong)";
        return false;
    }
    std::map<std::string, std::string> values;
    for (std::size_t i = 1; i < entries.size(); ++i)
        values.emplace(entries[i].key, entries[i].value);
    HeadReader head(std::move(values));

    T_CONFIG_COMM& comm = state.Comm();
    T_CONFIG_MISC& misc = state.Misc();
    unsigned char commReserved[4] = {};
    bool ok = head.Narrow("folder", state.CurrentFolder(), CURRENT_FOLDER_SIZE) &&
              head.Flag("comm.ups_on_rs232c", comm.bUpsOnRs232c) &&
              head.Number("comm.port", 0, 0xFFFFFFFF, comm.dwPort) &&
              head.Number("comm.delimiter", 0, 0xFFFFFFFF, comm.dwDelimiter) &&
              head.Number("comm.timeout", 0, 0xFFFFFFFF, comm.dwTimeout) &&
              head.Number("comm.baud_rate", 0, 0xFFFFFFFF, comm.dwBaudRate) &&
              head.Number("comm.data_bits", 0, 0xFFFFFFFF, comm.dwDataBits) &&
              head.Number("comm.stop_bits", 0, 0xFFFFFFFF, comm.dwStopBits) &&
              head.Number("comm.parity", 0, 0xFFFFFFFF, comm.dwParity) &&
              head.Number("comm.flow_control", 0, 0xFFFFFFFF, comm.dwFlowControl) &&
              head.Flag("comm.send_on_trigger", comm.bSendOnTrigger) &&
              head.Flag("comm.send_on_record_end", comm.bSendOnRecordEnd) &&
              head.Flag("comm.send_on_error", comm.bSendOnError) &&
              head.Bytes("comm.reserved", commReserved, 4) &&
              head.Flag("misc.buzzer", misc.bBuzzer) &&
              head.Flag("misc.click_sound", misc.bClickSound) &&
              head.Flag("misc.display_auto_off", misc.bDisplayAutoOff) &&
              head.Flag("misc.key_lock_on_resume", misc.bKeyLockOnResume) &&
              head.Number("misc.auto_off_delay", 0, 0xFFFFFFFF, misc.dwAutoOffDelay) &&
              head.Flag("misc.screen_copy_to_paper", misc.bScreenCopyToPaper) &&
              head.Flag("misc.screen_copy_to_folder", misc.bScreenCopyToFolder) &&
              head.Narrow("misc.screen_copy_folder", misc.szScreenCopyFolder, sizeof misc.szScreenCopyFolder) &&
              head.Wide("misc.password", misc.szPassword, 16) &&
              head.Flag("misc.no_memory_save_at_shutdown", misc.bNoMemorySaveAtShutdown) &&
              head.Flag("misc.maintenance_next_start", misc.bMaintenanceNextStart) &&
              head.Flag("misc.mouse_cursor", misc.bMouseCursor) &&
              head.Bytes("misc.reserved", misc.reserved305, 3);
    if (!ok) {
        error = "missing or bad value: " + head.Failed();
        return false;
    }
    if (std::string extra = head.Leftover(); !extra.empty()) {
        error = "unknown key: " + extra;
        return false;
    }
    std::memcpy(comm.reserved1, commReserved, 3);
    comm.reserved39 = commReserved[3];
    return true;
}

}  // namespace

std::uint32_t SettingsFile::Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string SettingsFile::Write(const HostState& state)
{
    std::ostringstream out;
    const T_CONFIG_COMM& comm = state.Comm();
    const T_CONFIG_MISC& misc = state.Misc();
    auto flag = [](bool value) { return value ? "1" : "0"; };
    out << "# The instrument's settings, written by sysdlg-sim. Edits break the checksum.\n";
    out << "format = " << kFormat << '\n';
    const char* folder = state.CurrentFolder();
    WriteTextField(out, "folder", win::Utf8ToWide(std::string(folder, strnlen(folder, CURRENT_FOLDER_SIZE))),
                   reinterpret_cast<const unsigned char*>(folder), CURRENT_FOLDER_SIZE,
                   NarrowTextBytes(folder, CURRENT_FOLDER_SIZE));
    unsigned char commReserved[4] = {comm.reserved1[0], comm.reserved1[1], comm.reserved1[2], comm.reserved39};
    out << "comm.ups_on_rs232c = " << flag(comm.bUpsOnRs232c) << '\n'
        << "comm.port = " << comm.dwPort << '\n'
        << "comm.delimiter = " << comm.dwDelimiter << '\n'
        << "comm.timeout = " << comm.dwTimeout << '\n'
        << "comm.baud_rate = " << comm.dwBaudRate << '\n'
        << "comm.data_bits = " << comm.dwDataBits << '\n'
        << "comm.stop_bits = " << comm.dwStopBits << '\n'
        << "comm.parity = " << comm.dwParity << '\n'
        << "comm.flow_control = " << comm.dwFlowControl << '\n'
        << "comm.send_on_trigger = " << flag(comm.bSendOnTrigger) << '\n'
        << "comm.send_on_record_end = " << flag(comm.bSendOnRecordEnd) << '\n'
        << "comm.send_on_error = " << flag(comm.bSendOnError) << '\n'
        << "comm.reserved = " << Hex(commReserved, 4) << '\n'
        << "misc.buzzer = " << flag(misc.bBuzzer) << '\n'
        << "misc.click_sound = " << flag(misc.bClickSound) << '\n'
        << "misc.display_auto_off = " << flag(misc.bDisplayAutoOff) << '\n'
        << "misc.key_lock_on_resume = " << flag(misc.bKeyLockOnResume) << '\n'
        << "misc.auto_off_delay = " << misc.dwAutoOffDelay << '\n'
        << "misc.screen_copy_to_paper = " << flag(misc.bScreenCopyToPaper) << '\n'
        << "misc.screen_copy_to_folder = " << flag(misc.bScreenCopyToFolder) << '\n';
    const char* copyFolder = misc.szScreenCopyFolder;
    WriteTextField(out, "misc.screen_copy_folder",
                   win::Utf8ToWide(std::string(copyFolder, strnlen(copyFolder, sizeof misc.szScreenCopyFolder))),
                   reinterpret_cast<const unsigned char*>(copyFolder), sizeof misc.szScreenCopyFolder,
                   NarrowTextBytes(copyFolder, sizeof misc.szScreenCopyFolder));
    WriteTextField(out, "misc.password", win::Utf16FieldToWide(misc.szPassword, 16),
                   reinterpret_cast<const unsigned char*>(misc.szPassword), sizeof misc.szPassword,
                   WideTextBytes(misc.szPassword, 16));
    out << "misc.no_memory_save_at_shutdown = " << flag(misc.bNoMemorySaveAtShutdown) << '\n'
        << "misc.maintenance_next_start = " << flag(misc.bMaintenanceNextStart) << '\n'
        << "misc.mouse_cursor = " << flag(misc.bMouseCursor) << '\n'
        << "misc.reserved = " << Hex(misc.reserved305, 3) << '\n';

    out << kSectionPrefix << kSections[0] << '\n' << ConfigText::Write(state.SysMeas());
    out << kSectionPrefix << kSections[1] << '\n' << ConfigText::Write(state.SysRec1());
    out << kSectionPrefix << kSections[2] << '\n' << ConfigText::Write(state.SysRec2());
    std::string body = out.str();
    if (!body.empty() && body.back() != '\n')
        body += '\n';
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "%08x", Crc32(body));
    return body + kChecksumPrefix + checksum + "\nend = " + kEnd + "\n";
}

bool SettingsFile::Read(std::string_view text, HostState& state, std::string& error)
{
    // The checksum line and the end line close the file; a file cut short
    // has neither.
    std::string endLine = std::string("\nend = ") + kEnd;
    std::size_t endAt = text.rfind(endLine);
    if (endAt == std::string_view::npos || text.substr(endAt + endLine.size()).find_first_not_of("\r\n \t") !=
                                               std::string_view::npos) {
        error = "the file is incomplete (no end line)";
        return false;
    }
    std::size_t checksumAt = text.rfind(std::string("\n") + kChecksumPrefix, endAt);
    if (checksumAt == std::string_view::npos) {
        error = "the file has no checksum";
        return false;
    }
    std::string_view body = text.substr(0, checksumAt + 1);
    std::string_view given = text.substr(checksumAt + 1 + std::strlen(kChecksumPrefix),
                                         endAt - checksumAt - 1 - std::strlen(kChecksumPrefix));
    char expected[16];
    std::snprintf(expected, sizeof expected, "%08x", Crc32(body));
    if (given != expected) {
        error = "the file is damaged (checksum does not match)";
        return false;
    }

    // Split the body at its section lines.
    std::vector<std::pair<std::string, std::string_view>> parts{{"", {}}};
    std::size_t partStart = 0;
    std::size_t position = 0;
    while (position < body.size()) {
        std::size_t lineEnd = body.find('\n', position);
        std::string_view line = body.substr(position, lineEnd - position);
        std::size_t next = lineEnd == std::string_view::npos ? body.size() : lineEnd + 1;
        if (line.rfind(kSectionPrefix, 0) == 0) {
            parts.back().second = body.substr(partStart, position - partStart);
            parts.emplace_back(std::string(line.substr(std::strlen(kSectionPrefix))), std::string_view{});
            partStart = next;
        }
        position = next;
    }
    parts.back().second = body.substr(partStart);
    if (parts.size() != 4 || parts[1].first != kSections[0] || parts[2].first != kSections[1] ||
        parts[3].first != kSections[2]) {
        error = "the file's sections are missing or out of order";
        return false;
    }

    // Everything goes into a scratch state first: all or nothing.
    auto scratch = std::make_unique<HostState>();
    std::string fault;
    if (!ReadHead(parts[0].second, *scratch, fault)) {
        error = fault;
        return false;
    }
    if (!ConfigText::Read(parts[1].second, scratch->SysMeas(), fault) ||
        !ConfigText::Read(parts[2].second, scratch->SysRec1(), fault) ||
        !ConfigText::Read(parts[3].second, scratch->SysRec2(), fault)) {
        error = fault;
        return false;
    }
    state.CopyFrom(*scratch);
    return true;
}

bool SettingsFile::Save(const std::string& posixPath, const HostState& state, std::string& error)
{
    // A fresh temporary (created, never opened through a link) put in place
    // by rename: the old file stays whole until the new one is.
    return formats::WriteFileAtomically(posixPath, Write(state), &error);
}

bool SettingsFile::Load(const std::string& posixPath, HostState& state, std::string& error, win::FollowLinks links)
{
    // Far larger than any settings file: refused rather than read.
    std::string text;
    if (!win::ReadWholeFile(posixPath, 16 << 20, "settings file", text, error, links))
        return false;
    return Read(text, state, error);
}
