#pragma once
// The few POSIX socket operations the emulator's servers need: an owned descriptor, an address given as
// "HOST:PORT" or "[IPv6]:PORT", listening and accepting without blocking.

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace emulator
{
class CFileDescriptor
{
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int nFd) : m_nFd(nFd) {}
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(CFileDescriptor&& other) noexcept : m_nFd(other.Release()) {}
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept;
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_nFd; }
    bool IsOpen() const { return m_nFd >= 0; }
    int Release();
    void Close();

private:
    int m_nFd = -1;
};

struct SSocketAddress
{
    sockaddr_storage storage{};
    socklen_t nLength = 0;

    uint16_t Port() const;
    SSocketAddress WithPort(uint16_t nPort) const;
    std::string Text() const; // "127.0.0.1:5025", "[::1]:5025"
};

// "127.0.0.1:5025", "[::1]:5025" or "localhost:5025" (the name's first address); none when it is not one.
std::optional<SSocketAddress> ParseSocketAddress(std::string_view text);

// A non-blocking socket of the type bound to the address (a TCP one listening); on failure, the reason.
std::optional<CFileDescriptor> OpenServerSocket(const SSocketAddress& address, int nType,
                                                std::string& reason);
// Sends what the socket takes of the queued bytes now, without SIGPIPE, and removes them from the queue;
// false when the peer is gone.
bool SendQueued(int nFd, std::string& queued);
// The address a socket is bound to.
SSocketAddress LocalAddress(int nFd);
void SetNonBlocking(int nFd);
} // namespace emulator
