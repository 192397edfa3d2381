#include "RpcCall.h"

#include <cstring>

namespace emulator
{
namespace
{
// Room for a reply's header besides its result.
constexpr size_t kReplyHeaderSize = 64;
} // namespace

CRpcCall::CRpcCall(const std::string& record) : m_record(record)
{
    xdrmem_create(&m_xdr, m_record.data(), static_cast<u_int>(m_record.size()), XDR_DECODE);
    rpc_msg call{};
    call.rm_call.cb_cred.oa_base = m_credentials;
    call.rm_call.cb_verf.oa_base = m_verifier;
    if (!xdr_callmsg(&m_xdr, &call) || call.rm_direction != CALL ||
        call.rm_call.cb_rpcvers != RPC_MSG_VERSION)
        return;
    m_bCall = true;
    m_nXid = call.rm_xid;
    m_nProgram = static_cast<uint32_t>(call.rm_call.cb_prog);
    m_nVersion = static_cast<uint32_t>(call.rm_call.cb_vers);
    m_nProcedure = static_cast<uint32_t>(call.rm_call.cb_proc);
}

CRpcCall::~CRpcCall()
{
    xdr_destroy(&m_xdr);
}

std::string CRpcCall::Encode(rpc_msg& reply, size_t nResultSize)
{
    std::string record(nResultSize, '\0');
    XDR xdr;
    xdrmem_create(&xdr, record.data(), static_cast<u_int>(record.size()), XDR_ENCODE);
    const bool bEncoded = xdr_replymsg(&xdr, &reply);
    record.resize(bEncoded ? xdr_getpos(&xdr) : 0);
    xdr_destroy(&xdr);
    return record;
}

rpc_msg CRpcCall::AcceptedReply(uint32_t nXid, accept_stat eStatus)
{
    rpc_msg reply{};
    reply.rm_xid = nXid;
    reply.rm_direction = REPLY;
    reply.rm_reply.rp_stat = MSG_ACCEPTED;
    reply.acpted_rply.ar_verf = _null_auth;
    reply.acpted_rply.ar_stat = eStatus;
    return reply;
}

std::string CRpcCall::Success(uint32_t nXid, xdrproc_t pfnEncode, const void* pResult)
{
    rpc_msg reply = AcceptedReply(nXid, SUCCESS);
    reply.acpted_rply.ar_results.where = static_cast<char*>(const_cast<void*>(pResult));
    reply.acpted_rply.ar_results.proc = pfnEncode;
    return Encode(reply, xdr_sizeof(pfnEncode, const_cast<void*>(pResult)) + kReplyHeaderSize);
}

std::string CRpcCall::Refusal(accept_stat eStatus) const
{
    rpc_msg reply = AcceptedReply(m_nXid, eStatus);
    return Encode(reply, kReplyHeaderSize);
}

std::string CRpcCall::VersionMismatch(uint32_t nLow, uint32_t nHigh) const
{
    rpc_msg reply = AcceptedReply(m_nXid, PROG_MISMATCH);
    reply.acpted_rply.ar_vers.low = nLow;
    reply.acpted_rply.ar_vers.high = nHigh;
    return Encode(reply, kReplyHeaderSize);
}
} // namespace emulator
