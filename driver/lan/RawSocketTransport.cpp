#include "RawSocketTransport.h"

#include "Deadline.h"
#include "LanStatus.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
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

// Waits until the socket can be read or written, or the deadline passes; false at the deadline.
bool WaitFor(int nSocket, short nEvents, const CDeadline& deadline)
{
    for (;;)
    {
        pollfd fd{nSocket, nEvents, 0};
        const int nReady = ::poll(&fd, 1, deadline.RemainingMs());
        if (nReady > 0)
            return true;
        if (nReady == 0 || errno != EINTR)
            return false;
    }
}
} // namespace

ViStatus CRawSocketTransport::Open(int nTimeoutMs, std::string& reason)
{
    Close();
    addrinfo hints{};
    hints.ai_family = m_resource.bIpv6 ? AF_INET6 : AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* pAddresses = nullptr;
    if (::getaddrinfo(m_resource.host.c_str(), std::to_string(m_resource.nPort).c_str(), &hints,
                      &pAddresses) != 0 ||
        !pAddresses)
    {
        reason = "unknown host";
        return kResourceNotFound;
    }
    const CDeadline deadline(nTimeoutMs);
    ViStatus status = kResourceNotFound;
    for (const addrinfo* pAddress = pAddresses; pAddress && m_nSocket < 0; pAddress = pAddress->ai_next)
        status = Connect(pAddress->ai_addr, pAddress->ai_addrlen, pAddress->ai_family, deadline.RemainingMs(),
                         reason);
    ::freeaddrinfo(pAddresses);
    return status;
}

ViStatus CRawSocketTransport::Connect(const void* pAddress, unsigned nLength, int nFamily, int nTimeoutMs,
                                      std::string& reason)
{
    const int nSocket = ::socket(nFamily, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (nSocket < 0)
        return StatusOfConnectError(errno, reason);
    int nError = 0;
    if (::connect(nSocket, static_cast<const sockaddr*>(pAddress), nLength) != 0)
    {
        nError = errno;
        if (nError == EINPROGRESS)
        {
            nError = ETIMEDOUT;
            if (WaitFor(nSocket, POLLOUT, CDeadline(nTimeoutMs)))
            {
                socklen_t nSize = sizeof nError;
                ::getsockopt(nSocket, SOL_SOCKET, SO_ERROR, &nError, &nSize);
            }
        }
    }
    if (nError != 0)
    {
        ::close(nSocket);
        return StatusOfConnectError(nError, reason);
    }
    // Commands are short and each waits for its answer: send them at once.
    const int nOn = 1;
    ::setsockopt(nSocket, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
    m_nSocket = nSocket;
    return VI_SUCCESS;
}

void CRawSocketTransport::Close()
{
    if (m_nSocket >= 0)
        ::close(m_nSocket);
    m_nSocket = -1;
}

ViStatus CRawSocketTransport::Send(const std::string& message, int nTimeoutMs)
{
    if (m_nSocket < 0)
        return kConnectionLost;
    // Whatever came unasked (a late answer) belongs to no question of ours; an end of stream is the
    // instrument gone.
    char discard[512];
    for (int n = 0; n < 64; ++n)
    {
        const ssize_t nRead = ::recv(m_nSocket, discard, sizeof discard, MSG_DONTWAIT);
        if (nRead > 0 || (nRead < 0 && errno == EINTR))
            continue;
        if (nRead < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        return kConnectionLost;
    }
    const std::string text = message + "\n";
    const CDeadline deadline(nTimeoutMs);
    size_t nSent = 0;
    while (nSent < text.size())
    {
        const ssize_t n =
            ::send(m_nSocket, text.data() + nSent, text.size() - nSent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
        {
            nSent += static_cast<size_t>(n);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return kConnectionLost;
        if (!WaitFor(m_nSocket, POLLOUT, deadline))
            return VI_ERROR_TMO;
    }
    return VI_SUCCESS;
}

ViStatus CRawSocketTransport::Receive(std::string& response, int nTimeoutMs)
{
    response.clear();
    if (m_nSocket < 0)
        return kConnectionLost;
    const CDeadline deadline(nTimeoutMs);
    char buffer[1024];
    for (;;)
    {
        const ssize_t nRead = ::recv(m_nSocket, buffer, sizeof buffer, MSG_DONTWAIT);
        if (nRead == 0)
            return kConnectionLost;
        if (nRead < 0)
        {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return kConnectionLost;
            if (!WaitFor(m_nSocket, POLLIN, deadline))
                return VI_ERROR_TMO;
            continue;
        }
        const std::string_view received(buffer, static_cast<size_t>(nRead));
        const size_t nEnd = received.find('\n');
        // Kept up to the bound; the rest of a longer response is read and dropped.
        const std::string_view part = received.substr(0, nEnd);
        response.append(part.substr(0, kLongestResponse - std::min(response.size(), kLongestResponse)));
        if (nEnd != std::string_view::npos)
        {
            if (response.ends_with('\r'))
                response.pop_back();
            return VI_SUCCESS;
        }
    }
}

ViStatus CRawSocketTransport::Clear(int)
{
    return kNotSupported;
}
} // namespace lan
