// Settings files of the configuration objects: the `key = value` text (see
// KeyValueText.h) in which the simulator keeps CONFIG_SYSMEAS and
// CONFIG_SYSREC between runs.
//
// A file starts with `format = CONFIG_SYSMEAS 1` (or `CONFIG_SYSREC 1`) and
// ends with `end = <same name>`; every scalar key must be present. Texts,
// reserved words and reserved bytes appear only when non-empty / non-zero.
// Reading is all or nothing: a truncated file, an unknown or missing key or
// a value out of range leaves the object untouched and names the fault.
#pragma once

#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"

#include <string>
#include <string_view>

class ConfigText {
public:
    static std::string Write(const CONFIG_SYSMEAS& config);
    static bool Read(std::string_view text, CONFIG_SYSMEAS& config, std::string& error);

    static std::string Write(const CONFIG_SYSREC& config);
    static bool Read(std::string_view text, CONFIG_SYSREC& config, std::string& error);
};
