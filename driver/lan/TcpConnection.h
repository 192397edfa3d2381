#pragma once
// A TCP connection opened within a time-out: the host's addresses tried in turn, each connect waited for
// with poll, so neither an unreachable host nor a silent one holds the caller longer than it allows.

#include "TarvexAbi.h"

#include <sys/socket.h>

#include <cstdint>
#include <string>

namespace lan
{
struct STcpConnection
{
    int nSocket = -1; // the caller's to close
    sockaddr_storage peer{};
    socklen_t nPeerLength = 0;
};

// On failure the status and the reason in a few words: "connection refused", "unreachable", "timed out",
// "unknown host".
ViStatus ConnectTcp(const std::string& host, bool bIpv6, uint16_t nPort, int nTimeoutMs,
                    STcpConnection& connection, std::string& reason);
} // namespace lan
