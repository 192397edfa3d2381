#pragma once
// A TCP connection that carries ONC RPC records, each in fragments behind a four-byte mark (RFC 5531,
// record marking). Every complete call goes to the connection's program; a program that cannot answer at
// once (a VXI-11 read waiting for its data) answers later, and the connection reads nothing more until it
// has. A record longer than kLongestRecord closes the connection.

#include "EventLoop.h"
#include "RpcCall.h"
#include "Socket.h"

#include <optional>
#include <string>

namespace emulator
{
class CRpcConnection;

class IRpcProgram
{
public:
    virtual ~IRpcProgram() = default;
    // The reply record, or none when the program will answer later with Reply.
    virtual std::optional<std::string> Dispatch(CRpcConnection& connection, CRpcCall& call) = 0;
    // The connection is dropped; nothing may use it afterwards.
    virtual void OnClosed(CRpcConnection&) {}
};

class CRpcConnection : public IChannel
{
public:
    static constexpr size_t kLongestRecord = 65536 + 1024;

    CRpcConnection(CFileDescriptor socket, IRpcProgram& program);
    ~CRpcConnection() override;

    int Fd() const override { return m_socket.Get(); }
    short Events() const override;
    void OnReady(short nEvents) override;
    bool IsClosed() const override { return m_bClosed; }

    // The answer to the call left waiting.
    void Reply(const std::string& record);
    void Close();

private:
    void Receive();
    void RunCalls();
    void Send();
    void Queue(const std::string& record);

    CFileDescriptor m_socket;
    IRpcProgram& m_program;
    std::string m_input;     // received bytes not yet read into the record
    std::string m_record;    // the fragments of the record so far
    bool m_bWaiting = false; // a call is waiting for its reply
    std::string m_output;
    bool m_bClosed = false;
};
} // namespace emulator
