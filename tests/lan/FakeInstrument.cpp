#include "FakeInstrument.h"

#include "EmulatorThread.h"
#include "Listener.h"
#include "RpcConnection.h"
#include "Vxi11Codes.h"
#include "vxi11.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <map>

namespace lantest
{
namespace
{
constexpr size_t kLongestInput = 65536;

// Runs the responder on each complete line of the input; what it answers is appended to the output.
void RespondToLines(std::string& input, std::string& output, const CFakeInstrument::Responder& responder)
{
    for (size_t nEnd = input.find('\n'); nEnd != std::string::npos; nEnd = input.find('\n'))
    {
        output += responder(input.substr(0, nEnd));
        input.erase(0, nEnd + 1);
    }
}
} // namespace

// One raw SCPI client.
class CFakeInstrument::CRawLink : public emulator::IChannel
{
public:
    CRawLink(emulator::CFileDescriptor socket, const Responder& responder)
        : m_socket(std::move(socket)), m_responder(responder)
    {
    }
    int Fd() const override { return m_socket.Get(); }
    short Events() const override { return static_cast<short>(POLLIN | (m_output.empty() ? 0 : POLLOUT)); }
    bool IsClosed() const override { return m_bClosed; }
    void OnReady(short nEvents) override
    {
        if (nEvents & (POLLIN | POLLHUP | POLLERR))
        {
            char buffer[4096];
            const ssize_t nRead = ::recv(m_socket.Get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (nRead == 0 || (nRead < 0 && errno != EAGAIN && errno != EINTR))
            {
                m_bClosed = true;
                return;
            }
            if (nRead > 0)
                m_input.append(buffer, static_cast<size_t>(nRead));
            RespondToLines(m_input, m_output, m_responder);
            m_bClosed = m_input.size() > kLongestInput;
        }
        if (!m_output.empty())
        {
            const ssize_t nSent =
                ::send(m_socket.Get(), m_output.data(), m_output.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (nSent > 0)
                m_output.erase(0, static_cast<size_t>(nSent));
            else if (errno != EAGAIN && errno != EINTR)
                m_bClosed = true;
        }
    }

private:
    emulator::CFileDescriptor m_socket;
    const Responder& m_responder;
    std::string m_input;
    std::string m_output;
    bool m_bClosed = false;
};

// The core channel of one device: a link, writes collected into messages, reads that take all answered.
class CFakeInstrument::CVxi11Program : public emulator::IRpcProgram
{
public:
    CVxi11Program(const Responder& responder, SVxi11Fault fault) : m_responder(responder), m_fault(fault) {}

    std::optional<std::string> Dispatch(emulator::CRpcConnection& connection,
                                        emulator::CRpcCall& call) override
    {
        if (call.Procedure() == m_fault.nProcedure && m_nCalls[call.Procedure()]++ >= m_fault.nProperCalls)
            return Fault(connection, call);
        switch (call.Procedure())
        {
        case create_link:
        {
            const auto parameters = call.Arguments<Create_LinkParms>(xdr_Create_LinkParms);
            const Create_LinkResp result{vxi11::kNoError, 1, 0, 4096};
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Create_LinkResp), &result);
        }
        case device_write:
        {
            const auto parameters = call.Arguments<Device_WriteParms>(xdr_Device_WriteParms);
            if (!parameters.IsDecoded())
                return call.Refusal(GARBAGE_ARGS);
            m_input.append(parameters->data.data_val, parameters->data.data_len);
            RespondToLines(m_input, m_output, m_responder);
            const Device_WriteResp result{vxi11::kNoError, parameters->data.data_len};
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_WriteResp), &result);
        }
        case device_read:
        {
            std::string data;
            data.swap(m_output);
            const Device_ReadResp result{data.empty() ? vxi11::kIoTimeout : vxi11::kNoError,
                                         vxi11::kEndOfMessage,
                                         {static_cast<u_int>(data.size()), data.data()}};
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), &result);
        }
        default:
        {
            const Device_Error result{vxi11::kNoError};
            return call.Success(reinterpret_cast<xdrproc_t>(xdr_Device_Error), &result);
        }
        }
    }

private:
    std::optional<std::string> Fault(emulator::CRpcConnection& connection, emulator::CRpcCall& call)
    {
        const std::string record = m_fault.record(call.Xid());
        if (!m_fault.bCutOff)
            return record;
        // A mark that promises the whole record, half of it, and the end of the connection.
        std::string bytes = Words({0x80000000u | static_cast<uint32_t>(record.size())});
        bytes += record.substr(0, record.size() / 2);
        [[maybe_unused]] const ssize_t nSent =
            ::send(connection.Fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        connection.Close();
        return std::nullopt;
    }

    const Responder& m_responder;
    SVxi11Fault m_fault;
    std::map<uint32_t, int> m_nCalls;
    std::string m_input;
    std::string m_output;
};

CFakeInstrument::CFakeInstrument(ETransport eTransport, Responder responder, SVxi11Fault fault)
    : m_responder(std::move(responder))
{
    // Nothing listens in the machine's own network.
    const bool bPrivate = !IsInTheMachinesNetwork();
    if (bPrivate && eTransport == ETransport::Raw)
        m_bServing = Listen(kRawPort, nullptr) != 0;
    else if (bPrivate)
    {
        m_pVxi11 = std::make_unique<CVxi11Program>(m_responder, std::move(fault));
        const uint16_t nCorePort = Listen(0, m_pVxi11.get());
        m_pPortMapper = std::make_unique<emulator::CPortMapper>(nCorePort);
        m_bServing = nCorePort != 0 && Listen(emulator::CPortMapper::kPort, m_pPortMapper.get()) != 0;
    }
    m_thread = std::thread(
        [this]
        {
            while (!m_bStop)
                m_loop.RunOnce(20);
            m_loop.CloseAll();
        });
}

CFakeInstrument::~CFakeInstrument()
{
    m_bStop = true;
    m_thread.join();
}

uint16_t CFakeInstrument::Listen(uint16_t nPort, emulator::IRpcProgram* pProgram)
{
    std::string reason;
    auto socket = emulator::OpenServerSocket(
        *emulator::ParseSocketAddress("127.0.0.1:" + std::to_string(nPort)), SOCK_STREAM, reason);
    if (!socket)
        return 0;
    const uint16_t nBound = emulator::LocalAddress(socket->Get()).Port();
    m_loop.Add(std::make_unique<emulator::CListener>(
        m_loop, std::move(*socket),
        [this, pProgram](emulator::CFileDescriptor client) -> std::unique_ptr<emulator::IChannel>
        {
            if (pProgram)
                return std::make_unique<emulator::CRpcConnection>(std::move(client), *pProgram);
            return std::make_unique<CRawLink>(std::move(client), m_responder);
        }));
    return nBound;
}

std::string CFakeInstrument::ReplyHeader(uint32_t nXid)
{
    return emulator::CRpcCall::Success(
        nXid, reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)()>(xdr_void)), nullptr);
}

std::string CFakeInstrument::Words(std::initializer_list<uint32_t> words)
{
    std::string bytes;
    for (const uint32_t nWord : words)
    {
        const uint32_t nNetwork = htonl(nWord);
        bytes.append(reinterpret_cast<const char*>(&nNetwork), sizeof nNetwork);
    }
    return bytes;
}
} // namespace lantest
