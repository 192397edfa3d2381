#include "ResourceName.h"

#include "ScpiHeader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace lan
{
using scpi::EqualsIgnoringCase;

namespace
{
std::optional<int> Number(std::string_view text, int nMax)
{
    int nValue = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() || nValue < 0 ||
        nValue > nMax)
        return std::nullopt;
    return nValue;
}

// The parts between "::", the brackets of an IPv6 address kept whole.
std::vector<std::string_view> Parts(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t nStart = 0;
    bool bInBrackets = false;
    for (size_t n = 0; n < text.size(); ++n)
    {
        if (text[n] == '[')
            bInBrackets = true;
        else if (text[n] == ']')
            bInBrackets = false;
        else if (!bInBrackets && text.substr(n, 2) == "::")
        {
            parts.push_back(text.substr(nStart, n - nStart));
            nStart = n + 2;
            ++n;
        }
    }
    parts.push_back(text.substr(nStart));
    return parts;
}

bool IsHostName(std::string_view host)
{
    return !host.empty() && host.size() <= 253 &&
           std::all_of(
               host.begin(), host.end(),
               [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.'; });
}

bool IsIpv6Address(std::string_view host)
{
    return !host.empty() && host.size() <= 45 &&
           std::all_of(
               host.begin(), host.end(),
               [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.'; }) &&
           host.find(':') != std::string_view::npos;
}

// A device name: letters, digits and the commas and dots of a gateway's address ("gpib0,9,3").
bool IsDeviceName(std::string_view device)
{
    return !device.empty() && device.size() <= 64 &&
           std::all_of(
               device.begin(), device.end(),
               [](char c)
               { return std::isalnum(static_cast<unsigned char>(c)) || c == ',' || c == '.' || c == '_'; });
}
} // namespace

std::optional<SResourceName> ParseResourceName(std::string_view text)
{
    const std::vector<std::string_view> parts = Parts(text);
    if (parts.size() < 2 || parts.size() > 4 || !EqualsIgnoringCase(parts[0].substr(0, 5), "TCPIP"))
        return std::nullopt;
    SResourceName resource;
    const std::string_view board = parts[0].substr(5);
    const auto nBoard = board.empty() ? std::optional<int>(0) : Number(board, 999);
    if (!nBoard)
        return std::nullopt;
    resource.nBoard = *nBoard;

    std::string_view host = parts[1];
    if (host.starts_with('['))
    {
        if (!host.ends_with(']') || !IsIpv6Address(host.substr(1, host.size() - 2)))
            return std::nullopt;
        resource.bIpv6 = true;
        host = host.substr(1, host.size() - 2);
    }
    else if (!IsHostName(host))
        return std::nullopt;
    resource.host = std::string(host);

    const std::string_view last = parts.back();
    if (parts.size() == 4 && EqualsIgnoringCase(last, "SOCKET"))
    {
        const auto nPort = Number(parts[2], 65535);
        if (!nPort || *nPort == 0)
            return std::nullopt;
        resource.eProtocol = SResourceName::EProtocol::RawSocket;
        resource.nPort = static_cast<uint16_t>(*nPort);
        return resource;
    }
    // TCPIP::HOST, TCPIP::HOST::INSTR, TCPIP::HOST::DEVICE, TCPIP::HOST::DEVICE::INSTR
    const bool bEndsInInstr = parts.size() > 2 && EqualsIgnoringCase(last, "INSTR");
    const size_t nDeviceParts = parts.size() - 2 - (bEndsInInstr ? 1 : 0);
    if (nDeviceParts > 1)
        return std::nullopt;
    resource.device = nDeviceParts == 1 ? std::string(parts[2]) : "inst0";
    if (!IsDeviceName(resource.device) || EqualsIgnoringCase(resource.device, "SOCKET"))
        return std::nullopt;
    return resource;
}
} // namespace lan
