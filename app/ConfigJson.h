// The host's configuration as the touch-panel API shows it (GET /api/config):
//   {"folder": "D:\\data\\",
//    "playback": "D:\\data\\WAVE0001.FSD" (the file on the playback screen) or null,
//    "comm": {"upsOnRs232c": false, "port": 1, ...},
//    "misc": {"buzzer": true, ..., "password": "...", ...},
//    "sysmeas": {"mode": "0", "startup": "1"},
//    "sysrec1": {"use_chan_mask": "63", ...}, "sysrec2": {...}}
// The two blocks are decoded field by field with their types; the objects
// show the keys and values of their settings text (host/ConfigText.h).
#pragma once

#include "HostState.h"

#include <nlohmann/json.hpp>

class ConfigJson {
public:
    static nlohmann::json Describe(const HostState& state);
    static nlohmann::json Comm(const T_CONFIG_COMM& comm);
    // The network adapter of the simulated instrument.
    static nlohmann::json Network();
    static nlohmann::json Misc(const T_CONFIG_MISC& misc);
    // The key = value lines of an object's settings text, without its frame.
    static nlohmann::json ObjectText(const std::string& text);
};
