#include "LanInstrument.h"

#include "LanStatus.h"
#include "RawSocketTransport.h"
#include "ScpiCommand.h"
#include "ScpiWriter.h"
#include "Vxi11Transport.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace lan
{
namespace
{
constexpr std::string_view kIdentityStart = "TARVEX,COUNTER";
constexpr int kErrorQueueBit = 0x04;

std::unique_ptr<ITransport> MakeTransport(const SResourceName& resource)
{
    if (resource.eProtocol == SResourceName::EProtocol::RawSocket)
        return std::make_unique<CRawSocketTransport>(resource);
    return std::make_unique<CVxi11Transport>(resource);
}

bool IsTarvexCounter(std::string_view identity)
{
    return identity.size() >= kIdentityStart.size() &&
           std::equal(
               kIdentityStart.begin(), kIdentityStart.end(), identity.begin(),
               [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); });
}

// The common query every message ends with.
const std::string& StatusByteQuery()
{
    static const std::string query =
        scpi::CommandText(*scpi::FindCommand(scpi::EOperation::StatusByte, 0, true), 1);
    return query;
}
} // namespace

CLanInstrument::CLanInstrument(const SResourceName& resource, std::string name)
    : m_resource(resource), m_name(std::move(name)), m_pTransport(MakeTransport(resource))
{
}

ViStatus CLanInstrument::Open(int nTimeoutMs, std::string& reason)
{
    m_bOpen = false;
    ViStatus status = m_pTransport->Open(nTimeoutMs, reason);
    if (status != VI_SUCCESS)
        return status;
    m_bOpen = true;
    m_bOutOfStep = false;
    const int nTimeoutBefore = m_nTimeoutMs;
    m_nTimeoutMs = nTimeoutMs;
    std::string identity;
    status = Query(scpi::CommandText(*scpi::FindCommand(scpi::EOperation::Identify, 0, true), 1), identity,
                   EChecks::Nothing);
    m_nTimeoutMs = nTimeoutBefore;
    if (status == VI_SUCCESS && !IsTarvexCounter(identity))
    {
        reason = "not a Tarvex counter (it answers \"" + identity.substr(0, 80) + "\")";
        status = kNotATarvexCounter;
    }
    else if (status != VI_SUCCESS)
        reason = status == VI_ERROR_TMO ? "timed out" : "no answer to *IDN?";
    if (status != VI_SUCCESS)
    {
        m_pTransport->Close();
        m_bOpen = false;
        return status;
    }
    m_identity = identity;
    return VI_SUCCESS;
}

ViStatus CLanInstrument::Reopen()
{
    // An instrument that is gone is not waited for as long as for an answer: a panel whose instrument
    // stalled or vanished stays usable, each call failing after this at most.
    std::string reason;
    return Open(std::min(m_nTimeoutMs, kReopenTimeoutMs), reason);
}

ViStatus CLanInstrument::Command(const std::string& command, EChecks eChecks)
{
    return Exchange(command, false, nullptr, eChecks);
}

ViStatus CLanInstrument::Query(const std::string& query, std::string& answer, EChecks eChecks)
{
    answer.clear();
    return Exchange(query, true, &answer, eChecks);
}

ViStatus CLanInstrument::Exchange(const std::string& message, bool bQuery, std::string* pAnswer,
                                  EChecks eChecks)
{
    if ((!m_bOpen || m_bOutOfStep) && Reopen() != VI_SUCCESS)
        return kConnectionLost;
    ViStatus status = m_pTransport->Send(message + ";" + StatusByteQuery(), m_nTimeoutMs);
    std::string response;
    if (status == VI_SUCCESS)
        status = m_pTransport->Receive(response, m_nTimeoutMs);
    if (status == kConnectionLost)
    {
        m_pTransport->Close();
        m_bOpen = false;
    }
    if (status == VI_ERROR_TMO)
        m_bOutOfStep = true;
    if (status != VI_SUCCESS)
        return status;

    // "<answer>;<status byte>", or the status byte alone when the query answered nothing.
    const size_t nSeparator = response.rfind(';');
    const std::string_view statusByte = nSeparator == std::string::npos
                                            ? std::string_view(response)
                                            : std::string_view(response).substr(nSeparator + 1);
    int nStatusByte = 0;
    const auto result = std::from_chars(statusByte.data() + (statusByte.starts_with('+') ? 1 : 0),
                                        statusByte.data() + statusByte.size(), nStatusByte);
    if (statusByte.empty() || result.ec != std::errc() || result.ptr != statusByte.data() + statusByte.size())
        return kIoError;
    if (bQuery && nSeparator != std::string::npos)
        *pAnswer = response.substr(0, nSeparator);
    if (eChecks == EChecks::Errors && m_bDetectErrors && (nStatusByte & kErrorQueueBit) != 0)
        return TARVEX_INSTR_ERROR_DETECTED;
    return VI_SUCCESS;
}

ViStatus CLanInstrument::DeviceClear()
{
    ViStatus status = m_bOpen ? m_pTransport->Clear(m_nTimeoutMs) : kConnectionLost;
    if (status == VI_SUCCESS)
    {
        m_bOutOfStep = false;
        return VI_SUCCESS;
    }
    // The raw socket's way: drop the link and make it anew.
    m_pTransport->Close();
    m_bOpen = false;
    status = Reopen();
    return status == VI_SUCCESS ? VI_SUCCESS : kConnectionLost;
}
} // namespace lan
