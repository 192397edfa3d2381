#pragma once
// A VISA resource string of an instrument on the LAN: TCPIP[board]::HOST::PORT::SOCKET (raw SCPI) or
// TCPIP[board]::HOST[::DEVICE][::INSTR] (VXI-11, device inst0 unless named, e.g. a gateway's gpib0,9,3).
// HOST is a name, an IPv4 address or an IPv6 address in brackets. Keywords are read in any case.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lan
{
struct SResourceName
{
    enum class EProtocol
    {
        RawSocket,
        Vxi11,
    };

    EProtocol eProtocol = EProtocol::Vxi11;
    int nBoard = 0;
    std::string host; // without the brackets of an IPv6 address
    bool bIpv6 = false;
    uint16_t nPort = 0; // RawSocket
    std::string device; // Vxi11
};

// None when the text is no such resource string.
std::optional<SResourceName> ParseResourceName(std::string_view text);
} // namespace lan
