#include "Vxi11Transport.h"

#include "Deadline.h"
#include "LanStatus.h"
#include "TcpConnection.h"
#include "Vxi11Codes.h"
#include "vxi11.h"

#include <pthread.h>
#include <rpc/pmap_prot.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lan
{
namespace
{
// Time a call may take beyond the I/O time-out the instrument itself keeps.
constexpr int kCallMarginMs = 1000;
// The longest a device clear is waited for.
constexpr int kClearTimeoutMs = 1000;
// Reads of one response at most: its parts beyond the kept bound are read and dropped.
constexpr int kMostReadsPerResponse = 256;

// libtirpc writes to its socket without MSG_NOSIGNAL: a peer gone must fail the call, not end the program
// with SIGPIPE. The signal is blocked during the call and a SIGPIPE it raised is taken away.
class CSigpipeGuard
{
public:
    CSigpipeGuard()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_bWasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~CSigpipeGuard()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!m_bWasPending && sigismember(&pending, SIGPIPE) == 1)
        {
            const timespec noWait{0, 0};
            sigtimedwait(&m_pipe, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    CSigpipeGuard(const CSigpipeGuard&) = delete;
    CSigpipeGuard& operator=(const CSigpipeGuard&) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
    bool m_bWasPending = false;
};

timeval TimeValue(int nMs)
{
    return {static_cast<time_t>(nMs / 1000), static_cast<suseconds_t>(nMs % 1000 * 1000)};
}

// A client of the program on a connection of our own, which it closes when it is destroyed.
CLIENT* ClientOn(const STcpConnection& connection, rpcprog_t nProgram, rpcvers_t nVersion)
{
    netbuf address{connection.nPeerLength, connection.nPeerLength,
                   const_cast<void*>(static_cast<const void*>(&connection.peer))};
    CLIENT* pClient = clnt_vc_create(connection.nSocket, &address, nProgram, nVersion, 0, 0);
    if (pClient)
        clnt_control(pClient, CLSET_FD_CLOSE, nullptr);
    else
        ::close(connection.nSocket);
    return pClient;
}

// The core channel's port from the host's portmapper (version 2, GETPORT over TCP); 0 when it has none.
ViStatus CorePort(const SResourceName& resource, const CDeadline& deadline, u_int& nPort, std::string& reason)
{
    STcpConnection connection;
    ViStatus status =
        ConnectTcp(resource.host, resource.bIpv6, PMAPPORT, deadline.RemainingMs(), connection, reason);
    if (status != VI_SUCCESS)
    {
        reason = "no portmapper: " + reason;
        return status;
    }
    CLIENT* pClient = ClientOn(connection, PMAPPROG, PMAPVERS);
    if (!pClient)
    {
        reason = "no RPC client";
        return kIoError;
    }
    pmap parameters{DEVICE_CORE, DEVICE_CORE_VERSION, IPPROTO_TCP, 0};
    const timeval timeout = TimeValue(deadline.RemainingMs());
    const clnt_stat eStatus =
        clnt_call(pClient, PMAPPROC_GETPORT, reinterpret_cast<xdrproc_t>(xdr_pmap),
                  reinterpret_cast<char*>(&parameters), reinterpret_cast<xdrproc_t>(xdr_u_int),
                  reinterpret_cast<char*>(&nPort), timeout);
    clnt_destroy(pClient);
    if (eStatus == RPC_TIMEDOUT)
    {
        reason = "timed out";
        return VI_ERROR_TMO;
    }
    if (eStatus != RPC_SUCCESS || nPort == 0 || nPort > 65535)
    {
        reason = "no VXI-11 service there";
        return kResourceNotFound;
    }
    return VI_SUCCESS;
}

ViStatus StatusOfDeviceError(long nError)
{
    switch (nError)
    {
    case vxi11::kNoError:
        return VI_SUCCESS;
    case vxi11::kIoTimeout:
        return VI_ERROR_TMO;
    case vxi11::kInvalidLink:
        return kConnectionLost; // the instrument no longer knows the link: it was restarted
    default:
        return kIoError;
    }
}
} // namespace

ViStatus CVxi11Transport::Open(int nTimeoutMs, std::string& reason)
{
    Close();
    const CSigpipeGuard guard;
    const CDeadline deadline(nTimeoutMs);
    u_int nPort = 0;
    if (const ViStatus status = CorePort(m_resource, deadline, nPort, reason); status != VI_SUCCESS)
        return status;
    STcpConnection connection;
    if (const ViStatus status = ConnectTcp(m_resource.host, m_resource.bIpv6, static_cast<uint16_t>(nPort),
                                           deadline.RemainingMs(), connection, reason);
        status != VI_SUCCESS)
        return status;
    m_pClient = ClientOn(connection, DEVICE_CORE, DEVICE_CORE_VERSION);
    if (!m_pClient)
    {
        reason = "no RPC client";
        return kIoError;
    }
    Create_LinkParms parameters{static_cast<long>(::getpid()), 0, 0, m_resource.device.data()};
    Create_LinkResp result{};
    ViStatus status = Call(create_link_1, parameters, result, deadline.RemainingMs());
    if (status == VI_SUCCESS && result.error != vxi11::kNoError)
    {
        reason = "device " + m_resource.device + " not accessible (VXI-11 error " +
                 std::to_string(result.error) + ")";
        status = kResourceNotFound;
    }
    else if (status != VI_SUCCESS)
        reason = status == VI_ERROR_TMO ? "timed out" : "no answer to create_link";
    if (status != VI_SUCCESS)
    {
        clnt_destroy(m_pClient);
        m_pClient = nullptr;
        return status;
    }
    m_nLink = result.lid;
    m_nMaxReceiveSize = result.maxRecvSize;
    return VI_SUCCESS;
}

void CVxi11Transport::Close()
{
    if (!m_pClient)
        return;
    const CSigpipeGuard guard;
    Device_Error result{};
    // A link that failed is not asked to go: the instrument may not answer.
    if (!m_bFailed)
        Call(destroy_link_1, m_nLink, result, 0);
    clnt_destroy(m_pClient);
    m_pClient = nullptr;
    m_bFailed = false;
}

template <typename TArguments, typename TResult>
ViStatus CVxi11Transport::Call(clnt_stat (*pfnCall)(TArguments*, TResult*, CLIENT*),
                               const TArguments& arguments, TResult& result, int nTimeoutMs)
{
    if (!m_pClient)
        return kConnectionLost;
    // The client's own time-out stands in for the fixed one rpcgen's calls pass.
    timeval timeout = TimeValue(nTimeoutMs + kCallMarginMs);
    clnt_control(m_pClient, CLSET_TIMEOUT, reinterpret_cast<char*>(&timeout));
    const clnt_stat eStatus = pfnCall(const_cast<TArguments*>(&arguments), &result, m_pClient);
    m_bFailed = m_bFailed || eStatus != RPC_SUCCESS;
    switch (eStatus)
    {
    case RPC_SUCCESS:
        return VI_SUCCESS;
    case RPC_TIMEDOUT:
        return VI_ERROR_TMO;
    case RPC_CANTSEND:
    case RPC_CANTRECV:
        return kConnectionLost;
    default:
        // A reply that does not decode, or a refusal of the call.
        return kIoError;
    }
}

ViStatus CVxi11Transport::Send(const std::string& message, int nTimeoutMs)
{
    const CSigpipeGuard guard;
    const CDeadline deadline(nTimeoutMs);
    const std::string text = message + "\n";
    const size_t nChunk = std::clamp<size_t>(m_nMaxReceiveSize, 64, VXI11_MAX_DATA);
    for (size_t nSent = 0; nSent < text.size();)
    {
        const size_t nSize = std::min(nChunk, text.size() - nSent);
        const bool bLast = nSent + nSize == text.size();
        Device_WriteParms parameters{m_nLink,
                                     static_cast<u_long>(deadline.RemainingMs()),
                                     0,
                                     bLast ? long{vxi11::kEnd} : 0L,
                                     {static_cast<u_int>(nSize), const_cast<char*>(text.data() + nSent)}};
        Device_WriteResp result{};
        ViStatus status = Call(device_write_1, parameters, result, deadline.RemainingMs());
        if (status == VI_SUCCESS)
            status = StatusOfDeviceError(result.error);
        if (status != VI_SUCCESS)
            return status;
        if (result.size == 0 || result.size > nSize)
            return kIoError;
        nSent += result.size;
    }
    return VI_SUCCESS;
}

ViStatus CVxi11Transport::Receive(std::string& response, int nTimeoutMs)
{
    response.clear();
    const CSigpipeGuard guard;
    const CDeadline deadline(nTimeoutMs);
    for (int nRead = 0; nRead < kMostReadsPerResponse; ++nRead)
    {
        Device_ReadParms parameters{m_nLink, kLongestResponse,    static_cast<u_long>(deadline.RemainingMs()),
                                    0,       vxi11::kTermCharSet, '\n'};
        Device_ReadResp result{};
        ViStatus status = Call(device_read_1, parameters, result, deadline.RemainingMs());
        if (status == VI_SUCCESS)
            status = StatusOfDeviceError(result.error);
        const bool bEnd = (result.reason & (vxi11::kEndOfMessage | vxi11::kCharacter)) != 0;
        if (status == VI_SUCCESS && result.data.data_val)
        {
            const size_t nKept = kLongestResponse - std::min(response.size(), kLongestResponse);
            response.append(result.data.data_val, std::min<size_t>(result.data.data_len, nKept));
        }
        xdr_free(reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), reinterpret_cast<char*>(&result));
        if (status != VI_SUCCESS)
            return status;
        if (bEnd)
        {
            if (response.ends_with('\n'))
                response.pop_back();
            return VI_SUCCESS;
        }
    }
    return kIoError;
}

ViStatus CVxi11Transport::Clear(int nTimeoutMs)
{
    // A clear comes after a failure: an instrument that does not answer it is not waited for long.
    nTimeoutMs = std::min(nTimeoutMs, kClearTimeoutMs);
    const CSigpipeGuard guard;
    Device_GenericParms parameters{m_nLink, 0, 0, static_cast<u_long>(std::max(nTimeoutMs, 0))};
    Device_Error result{};
    const ViStatus status = Call(device_clear_1, parameters, result, nTimeoutMs);
    return status == VI_SUCCESS ? StatusOfDeviceError(result.error) : status;
}
} // namespace lan
