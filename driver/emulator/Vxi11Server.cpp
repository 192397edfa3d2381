#include "Vxi11Server.h"

#include "ScpiHeader.h"
#include "Vxi11Codes.h"
#include "vxi11.h"

#include <algorithm>
#include <cstring>

namespace emulator
{
namespace
{
std::string ErrorReply(const CRpcCall& call, long nError)
{
    Device_Error result{nError};
    return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_Error), &result);
}
} // namespace

// One link: its device, the message being written to it, and the read that waits for an answer.
class CVxi11Link : public ILink
{
public:
    CVxi11Link(CEmulator& emulator, CRpcConnection& connection)
        : m_emulator(emulator), m_connection(connection), m_device(emulator.Counter(), emulator.Identity()),
          m_nLink(emulator.Attach(*this))
    {
    }
    ~CVxi11Link() override { m_emulator.Detach(*this); }

    CRpcConnection& Connection() { return m_connection; }
    CScpiDevice& Device() override { return m_device; }

    unsigned long Write(std::string_view data, bool bEnd)
    {
        const size_t nSize = data.size();
        // A newline ends a message as the END flag does.
        for (size_t nEnd = data.find('\n'); nEnd != std::string_view::npos; nEnd = data.find('\n'))
        {
            Take(data.substr(0, nEnd));
            RunMessage();
            data.remove_prefix(nEnd + 1);
        }
        Take(data);
        if (bEnd && (!m_input.empty() || m_bDiscarding))
            RunMessage();
        return static_cast<unsigned long>(nSize);
    }

    // The reply of a read now, or none when the read waits for its answer.
    std::optional<std::string> Read(uint32_t nXid, const Device_ReadParms& parameters)
    {
        m_read = SRead{nXid, std::clamp<unsigned long>(parameters.requestSize, 1, VXI11_MAX_DATA),
                       (parameters.flags & vxi11::kTermCharSet) != 0, parameters.termChar,
                       m_emulator.NowUs() + static_cast<int64_t>(parameters.io_timeout) * 1000};
        return AnswerRead(m_emulator.NowUs());
    }

    void Clear()
    {
        m_device.Clear();
        m_input.clear();
        m_bDiscarding = false;
    }

    bool AbortRead()
    {
        if (!m_read)
            return false;
        m_connection.Reply(ReadReply(vxi11::kAbort, 0, ""));
        m_read.reset();
        return true;
    }

    void Flush(int64_t nNowUs) override
    {
        if (m_read)
        {
            if (const auto reply = AnswerRead(nNowUs))
                m_connection.Reply(*reply);
        }
    }

    std::optional<int64_t> WakeUpUs() override
    {
        return m_read ? std::optional<int64_t>(m_read->nDeadlineUs) : std::nullopt;
    }

private:
    struct SRead
    {
        uint32_t nXid;
        unsigned long nRequest;
        bool bTermChar;
        char cTermChar;
        int64_t nDeadlineUs;
    };

    void Take(std::string_view data)
    {
        if (m_bDiscarding)
            return;
        if (m_input.size() + data.size() > CVxi11Server::kMaxReceiveSize)
        {
            m_bDiscarding = true;
            m_input.clear();
            return;
        }
        m_input += data;
    }

    void RunMessage()
    {
        if (m_bDiscarding)
            m_device.ReportInputOverrun();
        else
            m_emulator.Receive(m_nLink, m_device, m_input);
        m_input.clear();
        m_bDiscarding = false;
    }

    // The waiting read answered from the device's responses, or with a time-out once its time is over;
    // none while it still waits.
    std::optional<std::string> AnswerRead(int64_t nNowUs)
    {
        std::string& responses = m_device.Responses();
        if (responses.empty())
        {
            if (nNowUs < m_read->nDeadlineUs)
                return std::nullopt;
            m_read.reset();
            return ReadReply(vxi11::kIoTimeout, 0, "");
        }
        // One response message at a time, its newline included; less when the client asks for less.
        const size_t nMessageEnd = responses.find('\n') + 1;
        size_t nSize = std::min<size_t>(m_read->nRequest, nMessageEnd);
        long nReason = 0;
        if (m_read->bTermChar)
        {
            const size_t nTerm = responses.find(m_read->cTermChar);
            if (nTerm < nSize)
            {
                nSize = nTerm + 1;
                nReason |= vxi11::kCharacter;
            }
        }
        if (nSize == nMessageEnd)
            nReason |= vxi11::kEndOfMessage;
        else if (nSize == m_read->nRequest)
            nReason |= vxi11::kRequestCount;
        const std::string data = responses.substr(0, nSize);
        responses.erase(0, nSize);
        m_read.reset();
        return ReadReply(vxi11::kNoError, nReason, data);
    }

    std::string ReadReply(long nError, long nReason, const std::string& data)
    {
        Device_ReadResp result{};
        result.error = nError;
        result.reason = nReason;
        result.data.data_len = static_cast<u_int>(data.size());
        result.data.data_val = const_cast<char*>(data.data());
        return CRpcCall::Success(m_read->nXid, reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), &result);
    }

    CEmulator& m_emulator;
    CRpcConnection& m_connection;
    CScpiDevice m_device;
    int m_nLink;
    std::string m_input;
    bool m_bDiscarding = false;
    std::optional<SRead> m_read;
};

CVxi11Server::CVxi11Server(CEmulator& emulator, uint16_t nAbortPort)
    : m_emulator(emulator), m_nAbortPort(nAbortPort)
{
}

CVxi11Server::~CVxi11Server() = default;

void CVxi11Server::OnClosed(CRpcConnection& connection)
{
    std::erase_if(
        m_links, [&](const auto& entry) { return &entry.second->Connection() == &connection; });
}

CVxi11Link* CVxi11Server::FindLink(long nLink, const CRpcConnection& connection)
{
    const auto found = m_links.find(nLink);
    // A link is used on the connection that made it.
    if (found == m_links.end() || &found->second->Connection() != &connection)
        return nullptr;
    return found->second.get();
}

std::optional<std::string> CVxi11Server::Dispatch(CRpcConnection& connection, CRpcCall& call)
{
    if (call.Program() != DEVICE_CORE)
        return call.Refusal(PROG_UNAVAIL);
    if (call.Version() != DEVICE_CORE_VERSION)
        return call.VersionMismatch(DEVICE_CORE_VERSION, DEVICE_CORE_VERSION);
    if (call.Procedure() == create_link)
        return CreateLink(connection, call);
    return DispatchLinkCall(connection, call);
}

std::string CVxi11Server::CreateLink(CRpcConnection& connection, CRpcCall& call)
{
    const auto parameters = call.Arguments<Create_LinkParms>(xdr_Create_LinkParms);
    if (!parameters.IsDecoded())
        return call.Refusal(GARBAGE_ARGS);
    Create_LinkResp result{};
    result.abortPort = m_nAbortPort;
    result.maxRecvSize = kMaxReceiveSize;
    if (!parameters->device || !scpi::EqualsIgnoringCase(parameters->device, kDeviceName))
        result.error = vxi11::kDeviceNotAccessible;
    else if (m_links.size() >= kMaxLinks)
        result.error = vxi11::kOutOfResources;
    else
    {
        result.lid = m_nNextLink++;
        m_links[result.lid] = std::make_unique<CVxi11Link>(m_emulator, connection);
    }
    return call.Success(reinterpret_cast<xdrproc_t>(xdr_Create_LinkResp), &result);
}

std::optional<std::string> CVxi11Server::DispatchLinkCall(CRpcConnection& connection, CRpcCall& call)
{
    switch (call.Procedure())
    {
    case device_write:
    {
        const auto parameters = call.Arguments<Device_WriteParms>(xdr_Device_WriteParms);
        if (!parameters.IsDecoded())
            return call.Refusal(GARBAGE_ARGS);
        Device_WriteResp result{};
        if (CVxi11Link* pLink = FindLink(parameters->lid, connection))
            result.size = pLink->Write(std::string_view(parameters->data.data_val, parameters->data.data_len),
                                       (parameters->flags & vxi11::kEnd) != 0);
        else
            result.error = vxi11::kInvalidLink;
        return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_WriteResp), &result);
    }
    case device_read:
    {
        const auto parameters = call.Arguments<Device_ReadParms>(xdr_Device_ReadParms);
        if (!parameters.IsDecoded())
            return call.Refusal(GARBAGE_ARGS);
        CVxi11Link* pLink = FindLink(parameters->lid, connection);
        if (!pLink)
        {
            Device_ReadResp result{};
            result.error = vxi11::kInvalidLink;
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), &result);
        }
        return pLink->Read(call.Xid(), *parameters);
    }
    case device_readstb:
    case device_trigger:
    case device_clear:
    case device_remote:
    case device_local:
    {
        const auto parameters = call.Arguments<Device_GenericParms>(xdr_Device_GenericParms);
        if (!parameters.IsDecoded())
            return call.Refusal(GARBAGE_ARGS);
        CVxi11Link* pLink = FindLink(parameters->lid, connection);
        if (call.Procedure() == device_readstb)
        {
            Device_ReadStbResp result{};
            result.error = pLink ? vxi11::kNoError : vxi11::kInvalidLink;
            result.stb = pLink ? static_cast<u_char>(pLink->Device().StatusByte()) : 0;
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_ReadStbResp), &result);
        }
        if (!pLink)
            return ErrorReply(call, vxi11::kInvalidLink);
        if (call.Procedure() == device_trigger)
            m_emulator.Counter().Trigger();
        else if (call.Procedure() == device_clear)
            pLink->Clear();
        return ErrorReply(call, vxi11::kNoError);
    }
    case destroy_link:
    {
        const auto nLink = call.Arguments<Device_Link>(xdr_Device_Link);
        if (!nLink.IsDecoded())
            return call.Refusal(GARBAGE_ARGS);
        if (!FindLink(*nLink, connection))
            return ErrorReply(call, vxi11::kInvalidLink);
        m_links.erase(*nLink);
        return ErrorReply(call, vxi11::kNoError);
    }
    case device_lock:
    case device_unlock:
    case device_enable_srq:
    case device_docmd:
    case create_intr_chan:
    case destroy_intr_chan:
        // Locking, service requests and interrupt channels are not the counter's: refused, whatever the
        // arguments.
        if (call.Procedure() == device_docmd)
        {
            Device_DocmdResp result{};
            result.error = vxi11::kNotSupported;
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_DocmdResp), &result);
        }
        return ErrorReply(call, vxi11::kNotSupported);
    default:
        return call.Refusal(PROC_UNAVAIL);
    }
}

long CVxi11Server::Abort(long nLink)
{
    const auto found = m_links.find(nLink);
    if (found == m_links.end())
        return vxi11::kInvalidLink;
    found->second->AbortRead();
    return vxi11::kNoError;
}

std::optional<std::string> CVxi11AbortServer::Dispatch(CRpcConnection&, CRpcCall& call)
{
    if (call.Program() != DEVICE_ASYNC)
        return call.Refusal(PROG_UNAVAIL);
    if (call.Version() != DEVICE_ASYNC_VERSION)
        return call.VersionMismatch(DEVICE_ASYNC_VERSION, DEVICE_ASYNC_VERSION);
    if (call.Procedure() != device_abort)
        return call.Refusal(PROC_UNAVAIL);
    const auto nLink = call.Arguments<Device_Link>(xdr_Device_Link);
    if (!nLink.IsDecoded())
        return call.Refusal(GARBAGE_ARGS);
    return ErrorReply(call, m_core.Abort(*nLink));
}
} // namespace emulator
