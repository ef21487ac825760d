#include "host/devices/NetConfig.h"

#include "host/CurrentProfileScope_test.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr DWORD kAddress = 0xC0A80064;  // 192.168.0.100
constexpr DWORD kMask = 0xFFFFFF00;
constexpr DWORD kGateway = 0xC0A80001;

void Adapter(InstrumentProfile& p, int result)
{
    p.network = {false, kAddress, kMask, kGateway, result};
}

} // namespace

// What the adapter answers decides what the next reader sees: 1 applies the
// request, 2 applies it after a restart (a zero address asks for DHCP, the
// lease keeping the old addresses), anything else changes nothing.
TEST(NetConfig, TheAdaptersAnswerDecidesWhatTheNextReaderSees)
{
    struct Row {
        int result;
        DWORD address, mask, gateway;
        bool dhcpAfter;
        DWORD addressAfter, maskAfter, gatewayAfter;
    };
    const Row rows[] = {
        {1, 0x0A010203, 0xFFFF0000, 0x0A0100FE, false, 0x0A010203, 0xFFFF0000, 0x0A0100FE},
        {2, 0, 0, 0, true, kAddress, kMask, kGateway},
        {5, 0x0A010203, 0xFFFF0000, 0, false, kAddress, kMask, kGateway},
        {5, 0, 0, 0, false, kAddress, kMask, kGateway},
    };
    for (const Row& row : rows) {
        CurrentProfileScope scope([&](InstrumentProfile& p) { Adapter(p, row.result); });
        const int before = CNetConfig::GetSetConfigCount();
        EXPECT_EQ(CNetConfig(-1).SetConfig(row.address, row.mask, row.gateway), row.result);
        CNetConfig after(-1);
        EXPECT_EQ(std::make_tuple(after.IsEnableDHCP(), after.GetIPAddress(), after.GetSubnetMask(),
                                  after.GetDefaultGateway()),
                  std::make_tuple(row.dhcpAfter, row.addressAfter, row.maskAfter, row.gatewayAfter))
            << "answer " << row.result << " to " << std::hex << row.address;
        EXPECT_EQ(CNetConfig::GetSetConfigCount(), before + 1);
        EXPECT_EQ(CNetConfig::GetLastRequest().address, row.address);
        EXPECT_EQ(CNetConfig::GetLastRequest().result, row.result);
    }
}

TEST(NetConfig, UnusableConfigurationsFailWhateverTheProfileSays)
{
    CurrentProfileScope scope([](InstrumentProfile& p) { Adapter(p, 1); });
    CNetConfig net(-1);
    EXPECT_EQ(net.SetConfig(0xC0A80100, kMask, 0), 0);           // the network's own address
    EXPECT_EQ(net.SetConfig(0xC0A801FF, kMask, 0), 0);           // its broadcast address
    EXPECT_EQ(net.SetConfig(kAddress, 0xFF00FF00, 0), 0);        // mask with a hole
    EXPECT_EQ(net.SetConfig(kAddress, 0, kGateway), 0);          // no mask
    EXPECT_EQ(net.SetConfig(kAddress, 0xFFFFFFFF, 0), 0);        // no room for hosts
    EXPECT_EQ(net.SetConfig(kAddress, kMask, 0x0A000001), 0);    // gateway elsewhere
    EXPECT_EQ(net.SetConfig(kAddress, kMask, kAddress), 0);      // gateway is the address
    EXPECT_EQ(net.SetConfig(0, kMask, kGateway), 0);
    EXPECT_EQ(CNetConfig(-1).GetIPAddress(), kAddress);
    EXPECT_EQ(net.SetConfig(0xC0A80002, kMask, 0), 1);           // no gateway is fine
}

TEST(NetConfig, UnknownAdapterReadsZerosAndRefuses)
{
    CurrentProfileScope scope([](InstrumentProfile& p) { Adapter(p, 1); });
    CNetConfig missing(3);
    EXPECT_EQ(missing.GetIPAddress(), 0u);
    EXPECT_EQ(missing.SetConfig(kAddress, kMask, kGateway), 0);
    EXPECT_EQ(CNetConfig(0).GetIPAddress(), kAddress);
}

TEST(NetConfig, AddressTextRoundTrip)
{
    for (DWORD address : {0u, 0xC0A80064u, 0xFFFFFFFFu, 0x01020304u, 0x0A00FF00u})
        EXPECT_EQ(CNetConfig::StringToAddr(CNetConfig::AddrToString(address)), address);
    EXPECT_EQ(CNetConfig::AddrToString(0xC0A80064), L"192.168.0.100");
    // Leading zeros are read as decimal.
    EXPECT_EQ(CNetConfig::StringToAddr(L"010.001.000.009"), 0x0A010009u);
}

TEST(NetConfig, BadAddressTextGivesAnAddressNoConfigurationTakes)
{
    const wchar_t* bad[] = {L"", L"1.2.3", L"1.2.3.4.5", L"256.1.1.1", L"1..2.3", L"1.2.3.4 ", L" 1.2.3.4",
                            L"a.b.c.d", L"1.2.3.-4", L"1.2.3.0004", L"１.２.３.４", L"1,2,3,4"};
    for (const wchar_t* text : bad) {
        EXPECT_EQ(CNetConfig::StringToAddr(text), CNetConfig::kNoAddress) << text;
        DWORD kept = 77;
        EXPECT_FALSE(CNetConfig::StringToAddr(text, &kept)) << text;
        EXPECT_EQ(kept, 77u);
    }
    EXPECT_EQ(CNetConfig::StringToAddr(nullptr), CNetConfig::kNoAddress);
    const DWORD none = CNetConfig::kNoAddress;
    EXPECT_FALSE(CNetConfig::IsUsableConfiguration(none, none, none));
    DWORD parsed = 0;
    EXPECT_TRUE(CNetConfig::StringToAddr(L"0.0.0.0", &parsed));
}
