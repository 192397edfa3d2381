#include "TcpConnection.h"

#include "Deadline.h"
#include "LanStatus.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lan
{
namespace
{
ViStatus StatusOfConnectError(int nError, std::string& reason)
{
    switch (nError)
    {
    case ECONNREFUSED:
        reason = "connection refused";
        return kResourceNotFound;
    case ETIMEDOUT:
        reason = "timed out";
        return VI_ERROR_TMO;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EHOSTDOWN:
        reason = "unreachable";
        return kResourceNotFound;
    default:
        reason = std::strerror(nError);
        return kResourceNotFound;
    }
}

// One address: 0 or the connect's error.
int Connect(int nSocket, const addrinfo& address, const CDeadline& deadline)
{
    if (::connect(nSocket, address.ai_addr, address.ai_addrlen) == 0)
        return 0;
    if (errno != EINPROGRESS)
        return errno;
    for (;;)
    {
        pollfd fd{nSocket, POLLOUT, 0};
        const int nReady = ::poll(&fd, 1, deadline.RemainingMs());
        if (nReady == 0)
            return ETIMEDOUT;
        if (nReady > 0)
            break;
        if (errno != EINTR)
            return errno;
    }
    int nError = 0;
    socklen_t nSize = sizeof nError;
    ::getsockopt(nSocket, SOL_SOCKET, SO_ERROR, &nError, &nSize);
    return nError;
}
} // namespace

ViStatus ConnectTcp(const std::string& host, bool bIpv6, uint16_t nPort, int nTimeoutMs,
                    STcpConnection& connection, std::string& reason)
{
    addrinfo hints{};
    hints.ai_family = bIpv6 ? AF_INET6 : AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* pAddresses = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(nPort).c_str(), &hints, &pAddresses) != 0 || !pAddresses)
    {
        reason = "unknown host";
        return kResourceNotFound;
    }
    const CDeadline deadline(nTimeoutMs);
    int nError = EHOSTUNREACH;
    for (const addrinfo* pAddress = pAddresses; pAddress; pAddress = pAddress->ai_next)
    {
        const int nSocket = ::socket(pAddress->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (nSocket < 0)
        {
            nError = errno;
            continue;
        }
        nError = Connect(nSocket, *pAddress, deadline);
        if (nError == 0)
        {
            // Commands are short and each waits for its answer: send them at once.
            const int nOn = 1;
            ::setsockopt(nSocket, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
            connection.nSocket = nSocket;
            std::memcpy(&connection.peer, pAddress->ai_addr, pAddress->ai_addrlen);
            connection.nPeerLength = pAddress->ai_addrlen;
            break;
        }
        ::close(nSocket);
    }
    ::freeaddrinfo(pAddresses);
    return nError == 0 ? VI_SUCCESS : StatusOfConnectError(nError, reason);
}
} // namespace lan
