// The network adapter's configuration. Addresses are 32-bit values whose
// most significant byte is the first dotted number.
//
// SetConfig with three zeros switches the adapter to DHCP (the addresses it
// held stay as the lease it reports); otherwise the address, mask and
// gateway must form a usable configuration: a contiguous non-zero mask, an
// address that is neither the network's nor its broadcast address, and a
// gateway of 0 or inside the address's network. A usable request gets the
// result the instrument profile prescribes (network.set_config_result): 1
// applied, 2 applied but in effect after a restart, anything else failed.
// A failed or refused request changes nothing.
#pragma once

#include "win/CString.h"
#include "win/Win32Types.h"

class CNetConfig {
public:
    // -1 (and 0) select the instrument's only adapter; any other selector
    // finds no adapter: every address reads 0 and SetConfig fails.
    explicit CNetConfig(int adapter);

    bool IsEnableDHCP() const { return m_dhcp; }
    DWORD GetIPAddress() const { return m_address; }
    DWORD GetSubnetMask() const { return m_mask; }
    DWORD GetDefaultGateway() const { return m_gateway; }

    int SetConfig(DWORD address, DWORD mask, DWORD gateway);

    static constexpr DWORD kNoAddress = 0xFFFFFFFF;

    // "a.b.c.d".
    static CString AddrToString(DWORD address);
    // Four dotted decimal numbers 0 to 255 (leading zeros allowed, no
    // blanks); anything else gives kNoAddress, which no configuration
    // takes. (0 would not do: three of them ask for DHCP.)
    static DWORD StringToAddr(const wchar_t* text);
    // The same with the verdict: false (and *address untouched) for text
    // that is not a dotted address.
    static bool StringToAddr(const wchar_t* text, DWORD* address);

    static bool IsUsableConfiguration(DWORD address, DWORD mask, DWORD gateway);

    // The last SetConfig request and its result, for the simulator's log.
    struct Request {
        DWORD address = 0;
        DWORD mask = 0;
        DWORD gateway = 0;
        int result = 0;
    };
    static int GetSetConfigCount();
    static Request GetLastRequest();

private:
    bool m_present;
    bool m_dhcp = false;
    DWORD m_address = 0;
    DWORD m_mask = 0;
    DWORD m_gateway = 0;
};
