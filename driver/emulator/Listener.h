#pragma once
// A listening TCP socket: each client it accepts becomes a channel of the loop, made by the factory. A
// client beyond what the loop can hold is refused at once.

#include "EventLoop.h"
#include "Socket.h"

#include <functional>
#include <memory>

namespace emulator
{
class CListener : public IChannel
{
public:
    using Factory = std::function<std::unique_ptr<IChannel>(CFileDescriptor client)>;

    CListener(CEventLoop& loop, CFileDescriptor socket, Factory factory);

    int Fd() const override { return m_socket.Get(); }
    short Events() const override;
    void OnReady(short nEvents) override;
    bool IsClosed() const override { return false; }

private:
    CEventLoop& m_loop;
    CFileDescriptor m_socket;
    Factory m_factory;
};
} // namespace emulator
