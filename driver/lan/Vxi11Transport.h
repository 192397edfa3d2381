#pragma once
// VXI-11 through the client rpcgen makes of the RPC definition, on libtirpc: the core channel found through
// the host's portmapper, one link to the device, writes with END, reads until the end of a response. Every
// call has the time-out it is given, not the library's fixed one.

#include "ResourceName.h"
#include "Transport.h"

#include <rpc/rpc.h>

namespace lan
{
class CVxi11Transport : public ITransport
{
public:
    explicit CVxi11Transport(const SResourceName& resource) : m_resource(resource) {}
    ~CVxi11Transport() override { Close(); }

    ViStatus Open(int nTimeoutMs, std::string& reason) override;
    void Close() override;
    ViStatus Send(const std::string& message, int nTimeoutMs) override;
    ViStatus Receive(std::string& response, int nTimeoutMs) override;
    ViStatus Clear(int nTimeoutMs) override;

private:
    // One call of rpcgen's client; it may take the I/O time-out and a margin for the way there and back.
    template <typename TArguments, typename TResult>
    ViStatus Call(clnt_stat (*pfnCall)(TArguments*, TResult*, CLIENT*), const TArguments& arguments,
                  TResult& result, int nTimeoutMs);

    SResourceName m_resource;
    CLIENT* m_pClient = nullptr;
    long m_nLink = 0;
    unsigned long m_nMaxReceiveSize = 0;
    bool m_bFailed = false; // a call of the link failed
};
} // namespace lan
