#pragma once
// The portmapper's answer (program 100000, version 2) for a VXI-11 client that asks where the counter's
// core channel is: GETPORT of DEVICE_CORE over TCP gives its port, anything else 0. Served on TCP and on
// UDP, where each datagram is one call. Later versions of the protocol are answered with the version it
// speaks, so that a client falls back to it.

#include "EventLoop.h"
#include "RpcConnection.h"
#include "Socket.h"

#include <cstdint>

namespace emulator
{
class CPortMapper : public IRpcProgram
{
public:
    static constexpr uint16_t kPort = 111;

    explicit CPortMapper(uint16_t nCorePort) : m_nCorePort(nCorePort) {}
    std::optional<std::string> Dispatch(CRpcConnection& connection, CRpcCall& call) override;
    // The reply to one call, whatever the transport.
    std::string Answer(CRpcCall& call) const;

private:
    uint16_t m_nCorePort;
};

class CUdpRpcChannel : public IChannel
{
public:
    CUdpRpcChannel(CFileDescriptor socket, const CPortMapper& program);

    int Fd() const override { return m_socket.Get(); }
    short Events() const override;
    void OnReady(short nEvents) override;
    bool IsClosed() const override { return false; }

private:
    CFileDescriptor m_socket;
    const CPortMapper& m_program;
};
} // namespace emulator
