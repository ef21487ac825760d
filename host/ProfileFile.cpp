#include "host/ProfileFile.h"

#include "host/KeyValueText.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

namespace {

using Apply = std::function<bool(const std::string& value, InstrumentProfile& profile)>;

bool Integer(const std::string& value, long long min, long long max, long long& out)
{
    return KeyValueText::ParseInteger(value, min, max, out);
}

template <typename T>
Apply IntegerField(T InstrumentProfile::*field, long long min, long long max)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        long long parsed = 0;
        if (!Integer(value, min, max, parsed))
            return false;
        profile.*field = static_cast<T>(parsed);
        return true;
    };
}

Apply Flag(std::function<bool&(InstrumentProfile&)> field)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        return KeyValueText::ParseFlag(value, field(profile));
    };
}

Apply Text(std::function<std::wstring&(InstrumentProfile&)> field)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        return KeyValueText::Unescape(value, field(profile));
    };
}

Apply Address(std::function<DWORD&(InstrumentProfile&)> field)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        return KeyValueText::ParseDottedAddress(win::Utf8ToWide(value), field(profile));
    };
}

// "a,b" or "a,b,c,d": unsigned 32-bit numbers.
bool NumberList(const std::string& value, std::size_t count, std::vector<DWORD>& out)
{
    const auto items = KeyValueText::SplitList(value);
    if (items.size() != count)
        return false;
    out.clear();
    for (const auto& item : items) {
        long long number = 0;
        if (!Integer(item, 0, 0xFFFFFFFFLL, number))
            return false;
        out.push_back(static_cast<DWORD>(number));
    }
    return true;
}

Apply Version(VersionPair InstrumentProfile::*field)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        std::vector<DWORD> numbers;
        if (!NumberList(value, 2, numbers))
            return false;
        profile.*field = {numbers[0], numbers[1]};
        return true;
    };
}

Apply SubCpu(SubCpuVersion InstrumentProfile::*field)
{
    return [=](const std::string& value, InstrumentProfile& profile) {
        std::vector<DWORD> numbers;
        if (!NumberList(value, 4, numbers))
            return false;
        profile.*field = {numbers[0], numbers[1], numbers[2], numbers[3]};
        return true;
    };
}

const char* const kShapeNames[] = {"sine", "triangle", "square", "ramp"};
const char* const kFailureNames[] = {"none", "lock", "start", "pattern", "datachart"};

bool ParseMainVersion(const std::string& value, InstrumentProfile& profile)
{
    const auto items = KeyValueText::SplitList(value);
    long long major = 0, minor = 0, revision = 0, build = 0;
    if (items.size() != 4 || !Integer(items[0], 0, INT32_MAX, major) || !Integer(items[1], 0, INT32_MAX, minor)
        || !Integer(items[2], 0, 125, revision) || !Integer(items[3], 0, INT32_MAX, build))
        return false;
    profile.mainProgram.major = static_cast<int>(major);
    profile.mainProgram.minor = static_cast<int>(minor);
    profile.mainProgram.revision = static_cast<int>(revision);
    profile.mainProgram.build = static_cast<int>(build);
    return true;
}

bool ParseFailurePoint(const std::string& value, InstrumentProfile& profile)
{
    for (std::size_t i = 0; i < std::size(kFailureNames); ++i) {
        if (value == kFailureNames[i]) {
            profile.printer.failAt = static_cast<PrinterFailurePoint>(i);
            return true;
        }
    }
    return false;
}

const std::map<std::string, Apply>& FixedKeys()
{
    using P = InstrumentProfile;
    static const std::map<std::string, Apply> keys = {
        {"product.id", IntegerField(&P::productId, 0, 9999999)},
        {"product.pw7200", Flag([](P& p) -> bool& { return p.pw7200; })},
        {"product.option_kq58_751", IntegerField(&P::optionKQ58_751, INT32_MIN, INT32_MAX)},
        {"main.version", ParseMainVersion},
        {"main.text", Text([](P& p) -> std::wstring& { return p.mainProgram.text; })},
        {"driver.mlcu", Version(&P::mlcuDriver)},
        {"driver.flcu", Version(&P::flcuDriver)},
        {"driver.prmp", Version(&P::prmpDriver)},
        {"driver.prmp_kp", Version(&P::prmpDriverKP)},
        {"driver.amp", Version(&P::ampDriver)},
        {"driver.bram", Version(&P::bramDriver)},
        {"driver.comm", Version(&P::commDriver)},
        {"subcpu.mlcu", SubCpu(&P::mlcu)},
        {"subcpu.flcu", SubCpu(&P::flcu)},
        {"prmp.hw_version", IntegerField(&P::prmpHardwareVersion, 0, 0xFFFFFFFFLL)},
        {"interface.rs232c", Flag([](P& p) -> bool& { return p.interfaces.rs232c; })},
        {"interface.event", Flag([](P& p) -> bool& { return p.interfaces.event; })},
        {"interface.gps", Flag([](P& p) -> bool& { return p.interfaces.gps; })},
        {"interface.clock_sync", Flag([](P& p) -> bool& { return p.interfaces.clockSync; })},
        {"interface.remote", Flag([](P& p) -> bool& { return p.interfaces.remote; })},
        {"network.dhcp", Flag([](P& p) -> bool& { return p.network.dhcp; })},
        {"network.address", Address([](P& p) -> DWORD& { return p.network.address; })},
        {"network.mask", Address([](P& p) -> DWORD& { return p.network.mask; })},
        {"network.gateway", Address([](P& p) -> DWORD& { return p.network.gateway; })},
        {"network.set_config_result",
         [](const std::string& v, P& p) {
             long long n = 0;
             return Integer(v, INT32_MIN, INT32_MAX, n) && ((p.network.setConfigResult = static_cast<int>(n)), true);
         }},
        {"amp.names", [](const std::string& v, P& p) { return v == "none" && (p.ampTypeNames.clear(), true); }},
        {"memory.blocks", [](const std::string&, P&) { return true; }}, // applied first, see Parse
        {"memory.backup_reserve", IntegerField(&P::memBackupReserveSize, 0, INT64_MAX)},
        {"export.library", Flag([](P& p) -> bool& { return p.exportLibrary; })},
        {"printer.version", Text([](P& p) -> std::wstring& { return p.printer.version; })},
        {"printer.pattern_ms",
         [](const std::string& v, P& p) {
             long long n = 0;
             return Integer(v, 0, 3600000, n) && ((p.printer.patternMilliseconds = static_cast<int>(n)), true);
         }},
        {"printer.fail_at", ParseFailurePoint},
        {"printer.fail_after",
         [](const std::string& v, P& p) {
             long long n = 0;
             return Integer(v, 0, INT32_MAX, n) && ((p.printer.failAfterPatterns = static_cast<int>(n)), true);
         }},
        {"printer.failure_code",
         [](const std::string& v, P& p) {
             long long n = 0;
             return Integer(v, 0, 0xFFFFFFFFLL, n) && ((p.printer.failureCode = static_cast<DWORD>(n)), true);
         }},
        {"printer.failure_state",
         [](const std::string& v, P& p) {
             long long n = 0;
             return Integer(v, 0, 0xFFFFFFFFLL, n) && ((p.printer.failureState = static_cast<DWORD>(n)), true);
         }},
        {"usb.eject_result", IntegerField(&P::usbEjectResult, INT32_MIN, INT32_MAX)},
        {"playback.file", Text([](P& p) -> std::wstring& { return p.playbackFile; })},
        {"playback.close_succeeds", Flag([](P& p) -> bool& { return p.playbackCloseSucceeds; })},
    };
    return keys;
}

// Splits "prefix.<number>.rest": returns false unless the key has that form.
bool IndexedKey(const std::string& key, const std::string& prefix, long long max, int& index, std::string& rest)
{
    if (key.compare(0, prefix.size(), prefix) != 0)
        return false;
    const auto dot = key.find('.', prefix.size());
    const std::string number = key.substr(prefix.size(), dot == std::string::npos ? std::string::npos
                                                                                   : dot - prefix.size());
    long long parsed = 0;
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos
        || !Integer(number, 0, max, parsed))
        return false;
    index = static_cast<int>(parsed);
    rest = dot == std::string::npos ? std::string() : key.substr(dot + 1);
    return true;
}

bool ParseChannel(const std::string& value, int slot, MemoryBlockProfile& block)
{
    auto existing = std::find_if(block.channels.begin(), block.channels.end(),
                                 [slot](const WaveformChannel& c) { return c.slot == slot; });
    if (value == "none") {
        if (existing != block.channels.end())
            block.channels.erase(existing);
        return true;
    }
    const auto items = KeyValueText::SplitList(value);
    if (items.size() != 3 && items.size() != 4)
        return false;
    WaveformChannel channel;
    channel.slot = slot;
    const auto shape = std::find(std::begin(kShapeNames), std::end(kShapeNames), items[0]);
    if (shape == std::end(kShapeNames))
        return false;
    channel.shape = static_cast<WaveformChannel::Shape>(shape - std::begin(kShapeNames));
    long long amplitude = 0, offset = 0;
    if (!KeyValueText::ParseDouble(items[1], channel.frequencyHz) || channel.frequencyHz < 0
        || channel.frequencyHz > 1e7 || !Integer(items[2], 0, 32767, amplitude)
        || (items.size() == 4 && !Integer(items[3], -32768, 32767, offset)))
        return false;
    channel.amplitude = static_cast<int>(amplitude);
    channel.offset = static_cast<int>(offset);
    if (existing != block.channels.end()) {
        *existing = channel;
    } else {
        block.channels.push_back(channel);
        std::sort(block.channels.begin(), block.channels.end(),
                  [](const WaveformChannel& a, const WaveformChannel& b) { return a.slot < b.slot; });
    }
    return true;
}

bool ParseBlockKey(const std::string& field, const std::string& value, MemoryBlockProfile& block)
{
    long long number = 0;
    if (field == "enabled")
        return KeyValueText::ParseFlag(value, block.enabled);
    if (field == "start")
        return KeyValueText::ParseTime(value, true, block.start);
    if (field == "samples") {
        if (!Integer(value, 0, InstrumentProfile::kMaxSamplesPerChannel, number))
            return false;
        block.sampleCount = static_cast<int>(number);
        return true;
    }
    if (field == "interval_us") {
        if (!Integer(value, 1, 0xFFFFFFFFLL, number))
            return false;
        block.samplingIntervalUs = static_cast<DWORD>(number);
        return true;
    }
    if (field == "channels") {
        if (value != "none")
            return false;
        block.channels.clear();
        return true;
    }
    int slot = 0;
    std::string rest;
    if (IndexedKey(field, "channel.", InstrumentProfile::kAmpSlots - 1, slot, rest) && rest.empty())
        return ParseChannel(value, slot, block);
    return false;
}

// Returns 0 when applied, 1 for an unknown key, 2 for a bad value.
int ApplyEntry(const KeyValueEntry& entry, InstrumentProfile& profile)
{
    const auto& fixed = FixedKeys();
    if (const auto found = fixed.find(entry.key); found != fixed.end())
        return found->second(entry.value, profile) ? 0 : 2;

    int index = 0;
    std::string rest;
    long long number = 0;
    if (IndexedKey(entry.key, "amp.slot.", InstrumentProfile::kAmpSlots - 1, index, rest) && rest.empty()) {
        if (!Integer(entry.value, 0, 255, number))
            return 2;
        profile.ampTypes[index] = static_cast<BYTE>(number);
        return 0;
    }
    if (IndexedKey(entry.key, "amp.name.", 255, index, rest) && rest.empty()) {
        std::wstring name;
        if (!KeyValueText::Unescape(entry.value, name))
            return 2;
        profile.ampTypeNames[index] = name;
        return 0;
    }
    if (IndexedKey(entry.key, "memory.block.", InstrumentProfile::kMaxMemoryBlocks - 1, index, rest)
        && !rest.empty()) {
        if (index >= static_cast<int>(profile.memoryBlocks.size()))
            return 2;
        return ParseBlockKey(rest, entry.value, profile.memoryBlocks[index]) ? 0 : 2;
    }
    return 1;
}

std::string Number(long long value)
{
    return std::to_string(value);
}

std::string Hex(unsigned long long value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llX", value);
    return buffer;
}

std::string Address(DWORD address)
{
    return win::WideToUtf8(KeyValueText::FormatDottedAddress(address));
}

std::string DoubleText(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

} // namespace

bool ProfileFile::Parse(const std::string& text, InstrumentProfile& profile, std::string& error)
{
    std::vector<KeyValueEntry> entries;
    if (!KeyValueText::Split(text, entries, error))
        return false;

    InstrumentProfile working = profile;
    // The block count comes first so that block keys may stand anywhere.
    for (const auto& entry : entries) {
        if (entry.key != "memory.blocks")
            continue;
        long long count = 0;
        if (!Integer(entry.value, 0, InstrumentProfile::kMaxMemoryBlocks, count)) {
            error = "line " + Number(entry.line) + ": memory.blocks must be 0 to "
                    + Number(InstrumentProfile::kMaxMemoryBlocks);
            return false;
        }
        working.memoryBlocks.resize(static_cast<std::size_t>(count));
    }
    for (const auto& entry : entries) {
        switch (ApplyEntry(entry, working)) {
        case 0: break;
        case 1: error = "line " + Number(entry.line) + ": unknown key '" + entry.key + "'"; return false;
        default:
            error = "line " + Number(entry.line) + ": bad value '" + entry.value + "' for " + entry.key;
            return false;
        }
    }
    profile = std::move(working);
    return true;
}

std::string ProfileFile::Write(const InstrumentProfile& p)
{
    std::ostringstream out;
    const auto line = [&out](const std::string& key, const std::string& value) {
        out << key << " = " << value << '\n';
    };
    const auto version = [&](const std::string& key, const VersionPair& v) {
        line(key, Hex(v.major) + "," + Hex(v.minor));
    };
    const auto subCpu = [&](const std::string& key, const SubCpuVersion& v) {
        line(key, Hex(v.major) + "," + Hex(v.minor) + "," + Hex(v.hardware) + "," + Number(v.ramMegabytes));
    };
    out << "# instrument profile\n";
    line("product.id", Number(p.productId));
    line("product.pw7200", p.pw7200 ? "1" : "0");
    line("product.option_kq58_751", Number(p.optionKQ58_751));
    line("main.version", Number(p.mainProgram.major) + "," + Number(p.mainProgram.minor) + ","
                             + Number(p.mainProgram.revision) + "," + Number(p.mainProgram.build));
    line("main.text", KeyValueText::Escape(p.mainProgram.text));
    version("driver.mlcu", p.mlcuDriver);
    version("driver.flcu", p.flcuDriver);
    version("driver.prmp", p.prmpDriver);
    version("driver.prmp_kp", p.prmpDriverKP);
    version("driver.amp", p.ampDriver);
    version("driver.bram", p.bramDriver);
    version("driver.comm", p.commDriver);
    subCpu("subcpu.mlcu", p.mlcu);
    subCpu("subcpu.flcu", p.flcu);
    line("prmp.hw_version", Hex(p.prmpHardwareVersion));
    for (int slot = 0; slot < InstrumentProfile::kAmpSlots; ++slot)
        line("amp.slot." + Number(slot), Number(p.ampTypes[slot]));
    line("amp.names", "none");
    for (const auto& [code, name] : p.ampTypeNames)
        line("amp.name." + Number(code), KeyValueText::Escape(name));
    line("interface.rs232c", p.interfaces.rs232c ? "1" : "0");
    line("interface.event", p.interfaces.event ? "1" : "0");
    line("interface.gps", p.interfaces.gps ? "1" : "0");
    line("interface.clock_sync", p.interfaces.clockSync ? "1" : "0");
    line("interface.remote", p.interfaces.remote ? "1" : "0");
    line("network.dhcp", p.network.dhcp ? "1" : "0");
    line("network.address", Address(p.network.address));
    line("network.mask", Address(p.network.mask));
    line("network.gateway", Address(p.network.gateway));
    line("network.set_config_result", Number(p.network.setConfigResult));
    line("memory.blocks", Number(static_cast<long long>(p.memoryBlocks.size())));
    for (std::size_t b = 0; b < p.memoryBlocks.size(); ++b) {
        const auto& block = p.memoryBlocks[b];
        const std::string prefix = "memory.block." + Number(static_cast<long long>(b)) + ".";
        line(prefix + "enabled", block.enabled ? "1" : "0");
        line(prefix + "start", KeyValueText::FormatTime(block.start, false));
        line(prefix + "samples", Number(block.sampleCount));
        line(prefix + "interval_us", Number(block.samplingIntervalUs));
        line(prefix + "channels", "none");
        for (const auto& channel : block.channels)
            line(prefix + "channel." + Number(channel.slot),
                 std::string(kShapeNames[static_cast<int>(channel.shape)]) + "," + DoubleText(channel.frequencyHz)
                     + "," + Number(channel.amplitude) + "," + Number(channel.offset));
    }
    line("memory.backup_reserve", Number(p.memBackupReserveSize));
    line("export.library", p.exportLibrary ? "1" : "0");
    line("printer.version", KeyValueText::Escape(p.printer.version));
    line("printer.pattern_ms", Number(p.printer.patternMilliseconds));
    line("printer.fail_at", kFailureNames[static_cast<int>(p.printer.failAt)]);
    line("printer.fail_after", Number(p.printer.failAfterPatterns));
    line("printer.failure_code", Number(p.printer.failureCode));
    line("printer.failure_state", Number(p.printer.failureState));
    line("usb.eject_result", Number(p.usbEjectResult));
    line("playback.file", KeyValueText::Escape(p.playbackFile));
    line("playback.close_succeeds", p.playbackCloseSucceeds ? "1" : "0");
    return out.str();
}
