#pragma once
// Raw SCPI over TCP: plain POSIX sockets, messages and responses ended by a newline, no SIGPIPE
// (MSG_NOSIGNAL). A response not ended within the time-out is a time-out.

#include "ResourceName.h"
#include "Transport.h"

namespace lan
{
class CRawSocketTransport : public ITransport
{
public:
    explicit CRawSocketTransport(const SResourceName& resource) : m_resource(resource) {}
    ~CRawSocketTransport() override { Close(); }

    ViStatus Open(int nTimeoutMs, std::string& reason) override;
    void Close() override;
    ViStatus Send(const std::string& message, int nTimeoutMs) override;
    ViStatus Receive(std::string& response, int nTimeoutMs) override;
    ViStatus Clear(int) override;

private:
    SResourceName m_resource;
    int m_nSocket = -1;
};
} // namespace lan
