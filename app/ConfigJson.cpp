#include "ConfigJson.h"

#include "PlaybackScreen.h"

#include "host/ConfigText.h"
#include "host/KeyValueText.h"
#include "host/devices/NetConfig.h"
#include "win/TextConvert.h"

#include <cstring>

namespace {

std::string NarrowField(const char* buffer, std::size_t size)
{
    // The buffer's text up to its terminator, made valid UTF-8 for JSON.
    return win::WideToUtf8(win::Utf8ToWide(std::string(buffer, strnlen(buffer, size))));
}

}  // namespace

nlohmann::json ConfigJson::Comm(const T_CONFIG_COMM& comm)
{
    return {
        {"upsOnRs232c", comm.bUpsOnRs232c},
        {"port", comm.dwPort},
        {"delimiter", comm.dwDelimiter},
        {"timeout", comm.dwTimeout},
        {"baudRate", comm.dwBaudRate},
        {"dataBits", comm.dwDataBits},
        {"stopBits", comm.dwStopBits},
        {"parity", comm.dwParity},
        {"flowControl", comm.dwFlowControl},
        {"sendOnTrigger", comm.bSendOnTrigger},
        {"sendOnRecordEnd", comm.bSendOnRecordEnd},
        {"sendOnError", comm.bSendOnError},
    };
}

nlohmann::json ConfigJson::Network()
{
    // What the adapter runs with, as the LAN settings read it.
    const CNetConfig adapter(-1);
    return {
        {"dhcp", adapter.IsEnableDHCP()},
        {"address", win::WideToUtf8(CNetConfig::AddrToString(adapter.GetIPAddress()).GetStdString())},
        {"mask", win::WideToUtf8(CNetConfig::AddrToString(adapter.GetSubnetMask()).GetStdString())},
        {"gateway", win::WideToUtf8(CNetConfig::AddrToString(adapter.GetDefaultGateway()).GetStdString())},
    };
}

nlohmann::json ConfigJson::Misc(const T_CONFIG_MISC& misc)
{
    return {
        {"buzzer", misc.bBuzzer},
        {"clickSound", misc.bClickSound},
        {"displayAutoOff", misc.bDisplayAutoOff},
        {"keyLockOnResume", misc.bKeyLockOnResume},
        {"autoOffDelay", misc.dwAutoOffDelay},
        {"screenCopyToPaper", misc.bScreenCopyToPaper},
        {"screenCopyToFolder", misc.bScreenCopyToFolder},
        {"screenCopyFolder", NarrowField(misc.szScreenCopyFolder, sizeof misc.szScreenCopyFolder)},
        {"password", win::WideToUtf8(win::Utf16FieldToWide(misc.szPassword, 16))},
        {"noMemorySaveAtShutdown", misc.bNoMemorySaveAtShutdown},
        {"maintenanceNextStart", misc.bMaintenanceNextStart},
        {"mouseCursor", misc.bMouseCursor},
    };
}

nlohmann::json ConfigJson::ObjectText(const std::string& text)
{
    nlohmann::json fields = nlohmann::json::object();
    std::vector<KeyValueEntry> entries;
    std::string error;
    if (!KeyValueText::Split(text, entries, error)) {
        fields["error"] = error;
        return fields;
    }
    for (const KeyValueEntry& entry : entries) {
        if (entry.key == "format" || entry.key == "end")
            continue;
        std::wstring value;
        fields[entry.key] = KeyValueText::Unescape(entry.value, value) ? win::WideToUtf8(value) : entry.value;
    }
    return fields;
}

nlohmann::json ConfigJson::Describe(const HostState& state)
{
    return {
        {"folder", NarrowField(state.CurrentFolder(), CURRENT_FOLDER_SIZE)},
        {"playback", PlaybackScreen::IsOpen() ? nlohmann::json(win::WideToUtf8(PlaybackScreen::OpenFile()))
                                              : nlohmann::json(nullptr)},
        {"comm", Comm(state.Comm())},
        {"network", Network()},
        {"misc", Misc(state.Misc())},
        {"sysmeas", ObjectText(ConfigText::Write(state.SysMeas()))},
        {"sysrec1", ObjectText(ConfigText::Write(state.SysRec1()))},
        {"sysrec2", ObjectText(ConfigText::Write(state.SysRec2()))},
    };
}
