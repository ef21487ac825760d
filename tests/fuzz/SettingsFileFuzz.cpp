// The host's settings file and the setting text file as read back.
#include "FuzzTarget.h"

#include "HostState.h"
#include "SettingTextFile.h"
#include "SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HostState state;
    std::string error;
    if (size > 0 && data[0] % 2 == 0) {
        SettingsFile::Read(fuzz::Bytes(data + 1, size - 1), state, error);
    } else if (size > 2) {
        std::uint16_t loaded = 0;
        const std::uint16_t contents = static_cast<std::uint16_t>(data[1] | data[2] << 8);
        SettingTextFile::Read(fuzz::Bytes(data + 3, size - 3), contents, state, loaded, error);
    }
    return 0;
}
