// Addresses typed on the LAN settings' keyboard.
#include "FuzzTarget.h"

#include "host/devices/NetConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = fuzz::Wide(data, size);
    DWORD address = 0;
    if (CNetConfig::StringToAddr(text.c_str(), &address)) {
        // A dotted address reads back as itself once written.
        if (CNetConfig::StringToAddr(CNetConfig::AddrToString(address)) != address)
            fuzz::Finding("an address does not survive its text");
    } else if (CNetConfig::StringToAddr(text.c_str()) != CNetConfig::kNoAddress) {
        fuzz::Finding("text that is no address gave one");
    }
    return 0;
}
