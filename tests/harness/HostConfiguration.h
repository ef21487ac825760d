// The host's side of the configuration record for tests: owns every object
// and block the record points to, with the host's defaults.
#pragma once

#include "core/ConfigRecords.h"
#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"

#include <memory>

namespace testing_support {

struct HostConfiguration {
    HostConfiguration();
    HostConfiguration(const HostConfiguration&) = delete;
    HostConfiguration& operator=(const HostConfiguration&) = delete;

    CONFIG_SYSMEAS sysMeas;
    char currentFolder[CURRENT_FOLDER_SIZE] = {};
    std::unique_ptr<CONFIG_SYSREC> sysRec1 = std::make_unique<CONFIG_SYSREC>();
    std::unique_ptr<CONFIG_SYSREC> sysRec2 = std::make_unique<CONFIG_SYSREC>();
    T_CONFIG_COMM comm{};
    T_CONFIG_MISC misc{};
    T_CONFIG_SYSTEM record{};
};

}  // namespace testing_support
