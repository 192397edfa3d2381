#include "RawSocketTransport.h"

#include "Deadline.h"
#include "LanStatus.h"
#include "TcpConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace lan
{
namespace
{
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
    STcpConnection connection;
    const ViStatus status =
        ConnectTcp(m_resource.host, m_resource.bIpv6, m_resource.nPort, nTimeoutMs, connection, reason);
    m_nSocket = connection.nSocket;
    return status;
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
        // The answer is not there the moment the message has gone: wait for it, then take what came.
        if (!WaitFor(m_nSocket, POLLIN, deadline))
            return VI_ERROR_TMO;
        const ssize_t nRead = ::recv(m_nSocket, buffer, sizeof buffer, MSG_DONTWAIT);
        if (nRead == 0)
            return kConnectionLost;
        if (nRead < 0)
        {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            return kConnectionLost;
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
