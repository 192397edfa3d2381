#include "EventLoop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace emulator
{
void CEventLoop::Add(std::unique_ptr<IChannel> channel)
{
    m_channels.push_back(std::move(channel));
}

void CEventLoop::RunOnce(int nWaitMs)
{
    std::vector<pollfd> fds;
    std::vector<IChannel*> polled;
    for (const auto& channel : m_channels)
    {
        fds.push_back({channel->Fd(), channel->Events(), 0});
        polled.push_back(channel.get());
    }
    const int nReady = ::poll(fds.data(), fds.size(), nWaitMs);
    if (nReady > 0)
    {
        // Channels added while handling these (accepted clients) wait for the next round.
        for (size_t n = 0; n < fds.size(); ++n)
            if (fds[n].revents != 0 && !polled[n]->IsClosed())
                polled[n]->OnReady(fds[n].revents);
    }
    std::erase_if(m_channels, [](const std::unique_ptr<IChannel>& channel) { return channel->IsClosed(); });
}
} // namespace emulator
