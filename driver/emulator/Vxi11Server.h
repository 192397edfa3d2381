#pragma once
// The counter as a VXI-11 instrument: the core channel's calls (create_link, device_write, device_read,
// device_readstb, device_trigger, device_clear, destroy_link, and the rest refused as not supported) and
// the abort channel's device_abort. Each link has its own input and output buffer and its own SCPI device;
// a read that finds no answer yet waits for it up to the read's own time-out without holding up any other
// link.

#include "Emulator.h"
#include "RpcConnection.h"

#include <map>
#include <memory>

namespace emulator
{
class CVxi11Link;

class CVxi11Server : public IRpcProgram
{
public:
    // The one device name the counter answers to.
    static constexpr const char* kDeviceName = "inst0";
    static constexpr size_t kMaxLinks = 256;
    // What a write may carry, and what each link buffers of an unterminated message.
    static constexpr unsigned kMaxReceiveSize = 4096;

    CVxi11Server(CEmulator& emulator, uint16_t nAbortPort);
    ~CVxi11Server() override;

    std::optional<std::string> Dispatch(CRpcConnection& connection, CRpcCall& call) override;
    void OnClosed(CRpcConnection& connection) override;
    // device_abort from the abort channel: a read that waits ends with the abort error.
    long Abort(long nLink);

private:
    std::optional<std::string> DispatchLinkCall(CRpcConnection& connection, CRpcCall& call);
    std::string CreateLink(CRpcConnection& connection, CRpcCall& call);
    CVxi11Link* FindLink(long nLink, const CRpcConnection& connection);

    CEmulator& m_emulator;
    uint16_t m_nAbortPort;
    std::map<long, std::unique_ptr<CVxi11Link>> m_links;
    long m_nNextLink = 1;
};

// The abort channel's program.
class CVxi11AbortServer : public IRpcProgram
{
public:
    explicit CVxi11AbortServer(CVxi11Server& core) : m_core(core) {}
    std::optional<std::string> Dispatch(CRpcConnection& connection, CRpcCall& call) override;

private:
    CVxi11Server& m_core;
};
} // namespace emulator
