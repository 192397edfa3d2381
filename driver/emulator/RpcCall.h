#pragma once
// ONC RPC (RFC 5531) as the emulator's servers speak it: a received call's header read from its record,
// its arguments decoded with rpcgen's XDR routines, and the reply records written back. Nothing in a
// record is trusted: a record that is no call, or arguments that do not decode, get the protocol's
// refusal, never a crash.

#include <rpc/rpc.h>

#include <cstdint>
#include <string>

namespace emulator
{
class CRpcCall
{
public:
    explicit CRpcCall(const std::string& record);
    ~CRpcCall();
    CRpcCall(const CRpcCall&) = delete;
    CRpcCall& operator=(const CRpcCall&) = delete;

    bool IsCall() const { return m_bCall; }
    uint32_t Xid() const { return m_nXid; }
    uint32_t Program() const { return m_nProgram; }
    uint32_t Version() const { return m_nVersion; }
    uint32_t Procedure() const { return m_nProcedure; }

    // The call's arguments, decoded by an XDR routine of rpcgen's; what the decoding allocates is freed with
    // them.
    template <typename T> class CArguments
    {
    public:
        CArguments(XDR& xdr, xdrproc_t pfnDecode)
            : m_pfnDecode(pfnDecode), m_bDecoded(pfnDecode(&xdr, &m_value))
        {
        }
        ~CArguments() { xdr_free(m_pfnDecode, reinterpret_cast<char*>(&m_value)); }
        CArguments(const CArguments&) = delete;
        CArguments& operator=(const CArguments&) = delete;

        // False when the arguments are garbage.
        bool IsDecoded() const { return m_bDecoded; }
        const T& operator*() const { return m_value; }
        const T* operator->() const { return &m_value; }

    private:
        T m_value{};
        xdrproc_t m_pfnDecode;
        bool m_bDecoded;
    };
    template <typename T, typename TDecode> CArguments<T> Arguments(TDecode pfnDecode)
    {
        return CArguments<T>(m_xdr, reinterpret_cast<xdrproc_t>(pfnDecode));
    }

    // Reply records.
    static std::string Success(uint32_t nXid, xdrproc_t pfnEncode, const void* pResult);
    std::string Success(xdrproc_t pfnEncode, const void* pResult) const
    {
        return Success(m_nXid, pfnEncode, pResult);
    }
    std::string Refusal(accept_stat eStatus) const; // PROG_UNAVAIL, PROC_UNAVAIL, GARBAGE_ARGS
    std::string VersionMismatch(uint32_t nLow, uint32_t nHigh) const;

private:
    static rpc_msg AcceptedReply(uint32_t nXid, accept_stat eStatus);
    static std::string Encode(rpc_msg& reply, size_t nResultSize);

    std::string m_record;
    XDR m_xdr{};
    bool m_bCall = false;
    uint32_t m_nXid = 0;
    uint32_t m_nProgram = 0;
    uint32_t m_nVersion = 0;
    uint32_t m_nProcedure = 0;
    char m_credentials[MAX_AUTH_BYTES] = {};
    char m_verifier[MAX_AUTH_BYTES] = {};
};
} // namespace emulator
