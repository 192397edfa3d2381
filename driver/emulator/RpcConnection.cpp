#include "RpcConnection.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace emulator
{
namespace
{
constexpr uint32_t kLastFragment = 0x80000000u;
constexpr size_t kMarkSize = 4;
} // namespace

CRpcConnection::CRpcConnection(CFileDescriptor socket, IRpcProgram& program)
    : m_socket(std::move(socket)), m_program(program)
{
}

CRpcConnection::~CRpcConnection()
{
    m_program.OnClosed(*this);
}

void CRpcConnection::Close()
{
    // The program learns of it when the loop drops the connection, not in the middle of a call.
    m_bClosed = true;
}

short CRpcConnection::Events() const
{
    // A client that does not read its replies gets no more calls answered until it does.
    short nEvents = m_bWaiting || m_output.size() > kLongestRecord ? 0 : POLLIN;
    if (!m_output.empty())
        nEvents |= POLLOUT;
    return nEvents;
}

void CRpcConnection::OnReady(short nEvents)
{
    if (nEvents & (POLLIN | POLLHUP | POLLERR))
        Receive();
    if (nEvents & POLLOUT)
        Send();
}

void CRpcConnection::Receive()
{
    char buffer[8192];
    const ssize_t nRead = ::recv(m_socket.Get(), buffer, sizeof buffer, 0);
    if (nRead == 0 || (nRead < 0 && errno != EAGAIN && errno != EINTR))
        return Close();
    if (nRead < 0)
        return;
    m_input.append(buffer, static_cast<size_t>(nRead));
    RunCalls();
}

void CRpcConnection::RunCalls()
{
    // Fragments that have come in full, until a call waits for its reply.
    while (!m_bWaiting && !m_bClosed && m_input.size() >= kMarkSize)
    {
        uint32_t nMark = 0;
        std::memcpy(&nMark, m_input.data(), kMarkSize);
        nMark = ntohl(nMark);
        const size_t nLength = nMark & ~kLastFragment;
        if (m_record.size() + nLength > kLongestRecord)
            return Close();
        if (m_input.size() < kMarkSize + nLength)
            return;
        m_record.append(m_input, kMarkSize, nLength);
        m_input.erase(0, kMarkSize + nLength);
        if (!(nMark & kLastFragment))
            continue;
        CRpcCall call(m_record);
        m_record.clear();
        // Anything that is not a call has no answer: the peer does not speak RPC.
        if (!call.IsCall())
            return Close();
        if (const auto reply = m_program.Dispatch(*this, call))
            Queue(*reply);
        else
            m_bWaiting = true;
    }
}

void CRpcConnection::Reply(const std::string& record)
{
    m_bWaiting = false;
    Queue(record);
    RunCalls();
}

void CRpcConnection::Queue(const std::string& record)
{
    const uint32_t nMark = htonl(kLastFragment | static_cast<uint32_t>(record.size()));
    m_output.append(reinterpret_cast<const char*>(&nMark), kMarkSize);
    m_output += record;
    Send();
}

void CRpcConnection::Send()
{
    if (!m_bClosed && !SendQueued(m_socket.Get(), m_output))
        Close();
}
} // namespace emulator
