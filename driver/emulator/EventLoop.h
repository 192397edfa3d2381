#pragma once
// The emulator's one thread: it waits with poll() for whichever of its sockets is ready and hands each
// event to the socket's channel, so every client is served in turn and none can hold up the others.

#include <memory>
#include <vector>

namespace emulator
{
class IChannel
{
public:
    virtual ~IChannel() = default;
    virtual int Fd() const = 0;
    // POLLIN and POLLOUT as the channel wants them now; 0 while it waits for nothing.
    virtual short Events() const = 0;
    virtual void OnReady(short nEvents) = 0;
    virtual bool IsClosed() const = 0;
};

class CEventLoop
{
public:
    // Sockets the emulator keeps open at most, listeners included; a client beyond them is refused.
    static constexpr size_t kMaxChannels = 600;

    void Add(std::unique_ptr<IChannel> channel);
    bool IsFull() const { return m_channels.size() >= kMaxChannels; }
    // Waits at most nWaitMs for an event, handles those that came, and drops the channels that closed.
    void RunOnce(int nWaitMs);
    void CloseAll() { m_channels.clear(); }

private:
    std::vector<std::unique_ptr<IChannel>> m_channels;
};
} // namespace emulator
