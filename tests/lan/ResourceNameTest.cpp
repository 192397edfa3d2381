// The VISA resource strings the LAN driver takes: every accepted form read into its parts, and a row for
// each kind of text it refuses.

#include "ResourceName.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace
{
using lan::SResourceName;
using EProtocol = SResourceName::EProtocol;

struct SAccepted
{
    const char* pszText;
    EProtocol eProtocol;
    int nBoard;
    const char* pszHost;
    bool bIpv6;
    uint16_t nPort;
    const char* pszDevice;
};

TEST(ResourceName, EveryAcceptedFormIsReadIntoItsParts)
{
    constexpr EProtocol kRaw = EProtocol::RawSocket;
    constexpr EProtocol kVxi11 = EProtocol::Vxi11;
    const SAccepted rows[] = {
        {"TCPIP::127.0.0.1::5025::SOCKET", kRaw, 0, "127.0.0.1", false, 5025, ""},
        {"TCPIP0::127.0.0.1::5025::SOCKET", kRaw, 0, "127.0.0.1", false, 5025, ""},
        {"TCPIP1::counter.lab.example::1::SOCKET", kRaw, 1, "counter.lab.example", false, 1, ""},
        {"tcpip::localhost::65535::socket", kRaw, 0, "localhost", false, 65535, ""},
        {"TcpIp12::my-counter::5025::Socket", kRaw, 12, "my-counter", false, 5025, ""},
        {"TCPIP::[::1]::5025::SOCKET", kRaw, 0, "::1", true, 5025, ""},
        {"TCPIP::[fe80::1:2]::5025::SOCKET", kRaw, 0, "fe80::1:2", true, 5025, ""},
        {"TCPIP::[::ffff:192.0.2.1]::5025::SOCKET", kRaw, 0, "::ffff:192.0.2.1", true, 5025, ""},
        {"TCPIP::192.0.2.7", kVxi11, 0, "192.0.2.7", false, 0, "inst0"},
        {"TCPIP::192.0.2.7::INSTR", kVxi11, 0, "192.0.2.7", false, 0, "inst0"},
        {"TCPIP0::192.0.2.7::instr", kVxi11, 0, "192.0.2.7", false, 0, "inst0"},
        {"TCPIP::192.0.2.7::inst1::INSTR", kVxi11, 0, "192.0.2.7", false, 0, "inst1"},
        {"TCPIP::192.0.2.7::inst1", kVxi11, 0, "192.0.2.7", false, 0, "inst1"},
        {"TCPIP2::gateway::gpib0,9,3::INSTR", kVxi11, 2, "gateway", false, 0, "gpib0,9,3"},
        {"TCPIP::gateway::gpib0,9", kVxi11, 0, "gateway", false, 0, "gpib0,9"},
        {"TCPIP::[2001:db8::7]::INSTR", kVxi11, 0, "2001:db8::7", true, 0, "inst0"},
        {"TCPIP::[2001:db8::7]::hislip_0::INSTR", kVxi11, 0, "2001:db8::7", true, 0, "hislip_0"},
        {"TCPIP::[::1]", kVxi11, 0, "::1", true, 0, "inst0"},
    };
    for (const SAccepted& row : rows)
    {
        SCOPED_TRACE(row.pszText);
        const std::optional<SResourceName> resource = lan::ParseResourceName(row.pszText);
        ASSERT_TRUE(resource);
        EXPECT_EQ(resource->eProtocol, row.eProtocol);
        EXPECT_EQ(resource->nBoard, row.nBoard);
        EXPECT_EQ(resource->host, row.pszHost);
        EXPECT_EQ(resource->bIpv6, row.bIpv6);
        if (row.eProtocol == kRaw)
            EXPECT_EQ(resource->nPort, row.nPort);
        else
            EXPECT_EQ(resource->device, row.pszDevice);
    }
}

TEST(ResourceName, EveryOtherTextIsRefused)
{
    const char* const rows[] = {
        "",
        "TCPIP",
        "TCPIP::",
        "GPIB0::9::INSTR",
        "USB0::0x1234::0x5678::SN1::INSTR",
        "ASRL1::INSTR",
        "TCPIPX::host::INSTR",    // a board that is no number
        "TCPIP-1::host::INSTR",   // nor a negative one
        "TCPIP1000::host::INSTR", // nor one of four digits
        " TCPIP::host::INSTR",    // blanks are no part of a resource
        "TCPIP::host::INSTR ",
        "TCPIP::host name::INSTR",
        "TCPIP::::INSTR", // no host
        "TCPIP::::5025::SOCKET",
        "TCPIP::host_1::INSTR",     // a character no host name has
        "TCPIP::host:5025::SOCKET", // the port belongs in its own part
        "TCPIP::host::0::SOCKET",   // port 0, 65536, or not a number
        "TCPIP::host::65536::SOCKET",
        "TCPIP::host::-1::SOCKET",
        "TCPIP::host::+5025::SOCKET",
        "TCPIP::host::50x25::SOCKET",
        "TCPIP::host:: 5025::SOCKET",
        "TCPIP::host::inst0::SOCKET",
        "TCPIP::host::SOCKET", // a socket with no port
        "TCPIP::host::::SOCKET",
        "TCPIP::2001:db8::1::INSTR", // IPv6 without brackets
        "TCPIP::::1::5025::SOCKET",
        "TCPIP::[::1::5025::SOCKET", // a bracket left open
        "TCPIP::[]::INSTR",
        "TCPIP::[host]::INSTR", // brackets hold an IPv6 address only
        "TCPIP::[::1]x::INSTR",
        "TCPIP::host::", // an empty device
        "TCPIP::host::::INSTR",
        "TCPIP::host::inst 0::INSTR",
        "TCPIP::host::inst0;*RST::INSTR",
        "TCPIP::host::inst0::INSTR::INSTR", // too many parts
        "TCPIP::host::5025::SOCKET::SOCKET",
        "TCPIP::host::inst0::SOCKET::INSTR",
    };
    for (const char* pszText : rows)
        EXPECT_FALSE(lan::ParseResourceName(pszText)) << pszText;
    // A host name longer than a DNS name can be, a device name beyond its bound.
    EXPECT_FALSE(lan::ParseResourceName("TCPIP::" + std::string(254, 'a') + "::INSTR"));
    EXPECT_TRUE(lan::ParseResourceName("TCPIP::" + std::string(253, 'a') + "::INSTR"));
    EXPECT_FALSE(lan::ParseResourceName("TCPIP::host::" + std::string(65, 'd') + "::INSTR"));
}
} // namespace
