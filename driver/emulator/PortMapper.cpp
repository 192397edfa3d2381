#include "PortMapper.h"

#include "vxi11.h"

#include <poll.h>
#include <rpc/pmap_prot.h>
#include <sys/socket.h>

namespace emulator
{
namespace
{
constexpr uint32_t kPortMapperVersion = 2;

// The result of the null procedure: nothing.
bool_t EncodeNothing(XDR*, void*)
{
    return TRUE;
}
} // namespace

std::optional<std::string> CPortMapper::Dispatch(CRpcConnection&, CRpcCall& call)
{
    return Answer(call);
}

std::string CPortMapper::Answer(CRpcCall& call) const
{
    if (call.Program() != PMAPPROG)
        return call.Refusal(PROG_UNAVAIL);
    if (call.Version() != kPortMapperVersion)
        return call.VersionMismatch(kPortMapperVersion, kPortMapperVersion);
    switch (call.Procedure())
    {
    case PMAPPROC_NULL:
        return call.Success(reinterpret_cast<xdrproc_t>(EncodeNothing), nullptr);
    case PMAPPROC_GETPORT:
    {
        const auto parameters = call.Arguments<pmap>(xdr_pmap);
        if (!parameters.IsDecoded())
            return call.Refusal(GARBAGE_ARGS);
        u_int nPort = parameters->pm_prog == DEVICE_CORE && parameters->pm_vers == DEVICE_CORE_VERSION &&
                              parameters->pm_prot == IPPROTO_TCP
                          ? m_nCorePort
                          : 0;
        return call.Success(reinterpret_cast<xdrproc_t>(xdr_u_int), &nPort);
    }
    default:
        return call.Refusal(PROC_UNAVAIL);
    }
}

CUdpRpcChannel::CUdpRpcChannel(CFileDescriptor socket, const CPortMapper& program)
    : m_socket(std::move(socket)), m_program(program)
{
}

short CUdpRpcChannel::Events() const
{
    return POLLIN;
}

void CUdpRpcChannel::OnReady(short)
{
    char buffer[8192];
    SSocketAddress peer;
    peer.nLength = sizeof peer.storage;
    const ssize_t nRead = ::recvfrom(m_socket.Get(), buffer, sizeof buffer, MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&peer.storage), &peer.nLength);
    if (nRead <= 0)
        return;
    CRpcCall call(std::string(buffer, static_cast<size_t>(nRead)));
    if (!call.IsCall())
        return;
    const std::string reply = m_program.Answer(call);
    ::sendto(m_socket.Get(), reply.data(), reply.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
             reinterpret_cast<const sockaddr*>(&peer.storage), peer.nLength);
}
} // namespace emulator
