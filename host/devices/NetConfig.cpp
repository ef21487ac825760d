#include "host/devices/NetConfig.h"

#include "host/InstrumentProfile.h"
#include "host/KeyValueText.h"
#include "win/DebugLog.h"

#include <mutex>

namespace {

std::mutex g_mutex;
int g_setConfigCount = 0;
CNetConfig::Request g_lastRequest;

bool IsContiguousMask(DWORD mask)
{
    // Ones from the top, then zeros: inverting gives 2^n - 1.
    const DWORD hostPart = ~mask;
    return mask != 0 && (hostPart & (hostPart + 1)) == 0;
}

} // namespace

CNetConfig::CNetConfig(int adapter) : m_present(adapter == -1 || adapter == 0)
{
    if (!m_present)
        return;
    const auto profile = InstrumentProfile::Current();
    m_dhcp = profile->network.dhcp;
    m_address = profile->network.address;
    m_mask = profile->network.mask;
    m_gateway = profile->network.gateway;
}

bool CNetConfig::IsUsableConfiguration(DWORD address, DWORD mask, DWORD gateway)
{
    if (!IsContiguousMask(mask) || mask == 0xFFFFFFFF)
        return false;
    const DWORD hostBits = address & ~mask;
    if (hostBits == 0 || hostBits == ~mask)
        return false;
    if (gateway == 0)
        return true;
    const DWORD gatewayHost = gateway & ~mask;
    return (gateway & mask) == (address & mask) && gateway != address && gatewayHost != 0 && gatewayHost != ~mask;
}

int CNetConfig::SetConfig(DWORD address, DWORD mask, DWORD gateway)
{
    const bool dhcp = address == 0 && mask == 0 && gateway == 0;
    int result = 0;
    if (!m_present) {
        OutputDebugStringW(L"CNetConfig::SetConfig: no such adapter\n");
    } else if (!dhcp && !IsUsableConfiguration(address, mask, gateway)) {
        OutputDebugStringW(L"CNetConfig::SetConfig: unusable address, mask or gateway\n");
    } else {
        result = InstrumentProfile::Current()->network.setConfigResult;
        if (result == 1 || result == 2) {
            InstrumentProfile::Modify([&](InstrumentProfile& profile) {
                profile.network.dhcp = dhcp;
                if (!dhcp) {
                    profile.network.address = address;
                    profile.network.mask = mask;
                    profile.network.gateway = gateway;
                }
            });
            m_dhcp = dhcp;
            if (!dhcp) {
                m_address = address;
                m_mask = mask;
                m_gateway = gateway;
            }
        }
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    ++g_setConfigCount;
    g_lastRequest = Request{address, mask, gateway, result};
    return result;
}

CString CNetConfig::AddrToString(DWORD address)
{
    return CString(KeyValueText::FormatDottedAddress(address));
}

DWORD CNetConfig::StringToAddr(const wchar_t* text)
{
    DWORD address = kNoAddress;
    StringToAddr(text, &address);
    return address;
}

bool CNetConfig::StringToAddr(const wchar_t* text, DWORD* address)
{
    DWORD parsed = 0;
    if (!text || !address || !KeyValueText::ParseDottedAddress(text, parsed))
        return false;
    *address = parsed;
    return true;
}

int CNetConfig::GetSetConfigCount()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_setConfigCount;
}

CNetConfig::Request CNetConfig::GetLastRequest()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_lastRequest;
}
