#include "Socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace emulator
{
CFileDescriptor& CFileDescriptor::operator=(CFileDescriptor&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_nFd = other.Release();
    }
    return *this;
}

int CFileDescriptor::Release()
{
    const int nFd = m_nFd;
    m_nFd = -1;
    return nFd;
}

void CFileDescriptor::Close()
{
    if (m_nFd >= 0)
        ::close(m_nFd);
    m_nFd = -1;
}

uint16_t SSocketAddress::Port() const
{
    if (storage.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port);
}

SSocketAddress SSocketAddress::WithPort(uint16_t nPort) const
{
    SSocketAddress address = *this;
    if (storage.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(address.storage).sin6_port = htons(nPort);
    else
        reinterpret_cast<sockaddr_in&>(address.storage).sin_port = htons(nPort);
    return address;
}

std::string SSocketAddress::Text() const
{
    char szHost[INET6_ADDRSTRLEN] = "";
    if (storage.ss_family == AF_INET6)
    {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(storage).sin6_addr, szHost, sizeof szHost);
        return "[" + std::string(szHost) + "]:" + std::to_string(Port());
    }
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(storage).sin_addr, szHost, sizeof szHost);
    return std::string(szHost) + ":" + std::to_string(Port());
}

std::optional<SSocketAddress> ParseSocketAddress(std::string_view text)
{
    const size_t nColon = text.rfind(':');
    if (nColon == std::string_view::npos || nColon == 0)
        return std::nullopt;
    std::string_view host = text.substr(0, nColon);
    const std::string_view port = text.substr(nColon + 1);
    unsigned nPort = 0;
    const auto result = std::from_chars(port.data(), port.data() + port.size(), nPort);
    if (port.empty() || result.ec != std::errc() || result.ptr != port.data() + port.size() || nPort > 65535)
        return std::nullopt;
    if (host.front() == '[')
    {
        if (host.size() < 3 || host.back() != ']')
            return std::nullopt;
        host = host.substr(1, host.size() - 2);
    }
    else if (host.find(':') != std::string_view::npos)
        return std::nullopt; // an IPv6 address needs its brackets

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* pResult = nullptr;
    if (getaddrinfo(std::string(host).c_str(), std::to_string(nPort).c_str(), &hints, &pResult) != 0 ||
        !pResult)
        return std::nullopt;
    SSocketAddress address;
    std::memcpy(&address.storage, pResult->ai_addr, pResult->ai_addrlen);
    address.nLength = pResult->ai_addrlen;
    freeaddrinfo(pResult);
    return address;
}

void SetNonBlocking(int nFd)
{
    ::fcntl(nFd, F_SETFL, ::fcntl(nFd, F_GETFL) | O_NONBLOCK);
}

std::optional<CFileDescriptor> OpenServerSocket(const SSocketAddress& address, int nType, std::string& reason)
{
    CFileDescriptor socket(::socket(address.storage.ss_family, nType | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.IsOpen())
    {
        reason = std::strerror(errno);
        return std::nullopt;
    }
    const int nOn = 1;
    ::setsockopt(socket.Get(), SOL_SOCKET, SO_REUSEADDR, &nOn, sizeof nOn);
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address.storage), address.nLength) != 0 ||
        (nType == SOCK_STREAM && ::listen(socket.Get(), SOMAXCONN) != 0))
    {
        reason = std::strerror(errno);
        return std::nullopt;
    }
    return socket;
}

bool SendQueued(int nFd, std::string& queued)
{
    while (!queued.empty())
    {
        const ssize_t nSent = ::send(nFd, queued.data(), queued.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (nSent < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        queued.erase(0, static_cast<size_t>(nSent));
    }
    return true;
}

SSocketAddress LocalAddress(int nFd)
{
    SSocketAddress address;
    address.nLength = sizeof address.storage;
    ::getsockname(nFd, reinterpret_cast<sockaddr*>(&address.storage), &address.nLength);
    return address;
}
} // namespace emulator
