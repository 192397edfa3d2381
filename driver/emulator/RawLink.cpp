#include "RawLink.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace emulator
{
CRawLink::CRawLink(CEmulator& emulator, CFileDescriptor socket)
    : m_emulator(emulator), m_socket(std::move(socket)), m_device(emulator.Counter(), emulator.Identity()),
      m_nLink(emulator.Attach(*this))
{
}

CRawLink::~CRawLink()
{
    Close();
}

void CRawLink::Close()
{
    if (!m_socket.IsOpen())
        return;
    // A client gone while its query waited leaves no measurement waiting for it.
    m_device.Clear();
    m_emulator.Detach(*this);
    m_socket.Close();
}

short CRawLink::Events() const
{
    short nEvents = 0;
    if (!m_bPeerClosed && m_input.size() <= kInputLimit && m_output.size() < kOutputLimit)
        nEvents |= POLLIN;
    if (!m_output.empty())
        nEvents |= POLLOUT;
    return nEvents;
}

void CRawLink::OnReady(short nEvents)
{
    if (nEvents & (POLLIN | POLLHUP | POLLERR))
        Receive();
    if (m_socket.IsOpen() && (nEvents & POLLOUT))
        Send();
    // A client that hung up altogether can be told nothing more.
    if (m_bPeerClosed && (nEvents & (POLLHUP | POLLERR)))
        Close();
    CloseWhenDone();
}

void CRawLink::CloseWhenDone()
{
    // A client that only stopped sending still gets the answers to what it sent.
    if (m_bPeerClosed && m_output.empty() && !m_device.IsWaiting())
        Close();
}

void CRawLink::Receive()
{
    char buffer[4096];
    const ssize_t nRead = ::recv(m_socket.Get(), buffer, sizeof buffer, 0);
    if (nRead == 0)
    {
        m_bPeerClosed = true;
        return;
    }
    if (nRead < 0)
    {
        if (errno != EAGAIN && errno != EINTR)
            Close();
        return;
    }
    std::string_view received(buffer, static_cast<size_t>(nRead));
    if (m_bDiscarding)
    {
        const size_t nEnd = received.find('\n');
        if (nEnd == std::string_view::npos)
            return;
        received.remove_prefix(nEnd + 1);
        m_bDiscarding = false;
    }
    m_input += received;
    RunMessages();
    Send();
}

void CRawLink::RunMessages()
{
    while (!m_device.IsWaiting() && m_output.size() < kOutputLimit)
    {
        const size_t nEnd = m_input.find('\n');
        if (nEnd == std::string::npos)
        {
            if (m_input.size() > kInputLimit)
            {
                m_device.ReportInputOverrun();
                m_input.clear();
                m_bDiscarding = true;
            }
            return;
        }
        if (nEnd > kInputLimit)
        {
            m_device.ReportInputOverrun();
            m_input.erase(0, nEnd + 1);
            continue;
        }
        std::string_view message(m_input.data(), nEnd);
        if (message.ends_with('\r'))
            message.remove_suffix(1);
        m_emulator.Receive(m_nLink, m_device, message);
        m_input.erase(0, nEnd + 1);
        m_output += m_device.TakeResponses();
    }
}

void CRawLink::Flush(int64_t)
{
    if (!m_socket.IsOpen())
        return;
    m_output += m_device.TakeResponses();
    RunMessages();
    Send();
    if (m_socket.IsOpen())
        CloseWhenDone();
}

void CRawLink::Send()
{
    if (m_socket.IsOpen() && !SendQueued(m_socket.Get(), m_output))
        Close();
}
} // namespace emulator
