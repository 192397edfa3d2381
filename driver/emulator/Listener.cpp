#include "Listener.h"

#include <poll.h>
#include <sys/socket.h>

namespace emulator
{
CListener::CListener(CEventLoop& loop, CFileDescriptor socket, Factory factory)
    : m_loop(loop), m_socket(std::move(socket)), m_factory(std::move(factory))
{
}

short CListener::Events() const
{
    return POLLIN;
}

void CListener::OnReady(short)
{
    // Several clients may be waiting; take them all, a bounded number at a time.
    for (int n = 0; n < 64; ++n)
    {
        CFileDescriptor client(::accept4(m_socket.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!client.IsOpen())
            return;
        if (!m_loop.IsFull())
            m_loop.Add(m_factory(std::move(client)));
    }
}
} // namespace emulator
