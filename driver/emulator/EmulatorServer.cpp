#include "EmulatorServer.h"

#include "Listener.h"
#include "RawLink.h"
#include "vxi11.h"

#include <fcntl.h>
#include <poll.h>
#include <rpc/pmap_clnt.h>
#include <unistd.h>

#include <algorithm>

namespace emulator
{
namespace
{
std::string IdentificationText()
{
    return std::string("Tarvex,Counter,0,") + TARVEX_VERSION;
}
} // namespace

// The read end of the pipe Stop writes to, so that a stop wakes the loop at once.
class CEmulatorServer::CWakeChannel : public IChannel
{
public:
    explicit CWakeChannel(int nFd) : m_nFd(nFd) {}
    int Fd() const override { return m_nFd; }
    short Events() const override { return POLLIN; }
    void OnReady(short) override
    {
        char buffer[16];
        while (::read(m_nFd, buffer, sizeof buffer) > 0)
        {
        }
    }
    bool IsClosed() const override { return false; }

private:
    int m_nFd;
};

CEmulatorServer::CEmulatorServer(const SOptions& options, std::ostream* pCommandLog, std::ostream& report)
    : m_emulator(SIdentity{IdentificationText(), options.slot, 24}, pCommandLog)
{
    if (::pipe2(m_anWakePipe, O_NONBLOCK | O_CLOEXEC) == 0)
        m_loop.Add(std::make_unique<CWakeChannel>(m_anWakePipe[0]));
    StartRaw(options, report);
    if (options.bVxi11)
        StartVxi11(options, report);
}

CEmulatorServer::~CEmulatorServer()
{
    m_loop.CloseAll();
    if (m_bRegistered)
        pmap_unset(DEVICE_CORE, DEVICE_CORE_VERSION);
    for (int nFd : m_anWakePipe)
        if (nFd >= 0)
            ::close(nFd);
}

std::optional<CFileDescriptor> CEmulatorServer::Open(const SSocketAddress& address, int nType,
                                                     const char* pszService, std::ostream& report)
{
    std::string reason;
    auto socket = OpenServerSocket(address, nType, reason);
    if (!socket)
        report << "tarvex-emulator: cannot serve " << pszService << " on " << address.Text() << ": " << reason
               << std::endl;
    return socket;
}

void CEmulatorServer::StartRaw(const SOptions& options, std::ostream& report)
{
    auto socket = Open(options.listen, SOCK_STREAM, "raw SCPI", report);
    if (!socket)
        return;
    m_nRawPort = LocalAddress(socket->Get()).Port();
    report << "tarvex-emulator: raw SCPI on " << options.listen.WithPort(m_nRawPort).Text() << std::endl;
    m_loop.Add(
        std::make_unique<CListener>(m_loop, std::move(*socket),
                                    [this](CFileDescriptor client)
                                    { return std::make_unique<CRawLink>(m_emulator, std::move(client)); }));
}

void CEmulatorServer::StartVxi11(const SOptions& options, std::ostream& report)
{
    auto abortSocket = Open(options.listen.WithPort(0), SOCK_STREAM, "the VXI-11 abort channel", report);
    auto coreSocket = Open(options.listen.WithPort(options.nVxi11Port), SOCK_STREAM, "VXI-11", report);
    if (!abortSocket || !coreSocket)
        return;
    const uint16_t nAbortPort = LocalAddress(abortSocket->Get()).Port();
    m_nVxi11Port = LocalAddress(coreSocket->Get()).Port();
    m_pVxi11 = std::make_unique<CVxi11Server>(m_emulator, nAbortPort);
    m_pVxi11Abort = std::make_unique<CVxi11AbortServer>(*m_pVxi11);
    const auto connectionTo = [](IRpcProgram& program)
    {
        return [&program](CFileDescriptor client)
        { return std::make_unique<CRpcConnection>(std::move(client), program); };
    };
    m_loop.Add(std::make_unique<CListener>(m_loop, std::move(*coreSocket), connectionTo(*m_pVxi11)));
    m_loop.Add(std::make_unique<CListener>(m_loop, std::move(*abortSocket), connectionTo(*m_pVxi11Abort)));
    report << "tarvex-emulator: VXI-11 device " << CVxi11Server::kDeviceName << " on "
           << options.listen.WithPort(m_nVxi11Port).Text() << " (abort channel on port " << nAbortPort << ")"
           << std::endl;
    if (options.bPortMapper)
        StartPortMapper(options, report);
}

void CEmulatorServer::StartPortMapper(const SOptions& options, std::ostream& report)
{
    const SSocketAddress address = options.listen.WithPort(CPortMapper::kPort);
    std::string reason;
    auto tcp = OpenServerSocket(address, SOCK_STREAM, reason);
    auto udp = tcp ? OpenServerSocket(address, SOCK_DGRAM, reason) : std::nullopt;
    if (tcp && udp)
    {
        m_pPortMapper = std::make_unique<CPortMapper>(m_nVxi11Port);
        IRpcProgram& program = *m_pPortMapper;
        m_loop.Add(std::make_unique<CListener>(m_loop, std::move(*tcp),
                                               [&program](CFileDescriptor client) {
                                                   return std::make_unique<CRpcConnection>(std::move(client),
                                                                                           program);
                                               }));
        m_loop.Add(std::make_unique<CUdpRpcChannel>(std::move(*udp), *m_pPortMapper));
        report << "tarvex-emulator: portmapper on " << address.Text() << " (TCP and UDP)" << std::endl;
        return;
    }
    m_bRegistered = pmap_set(DEVICE_CORE, DEVICE_CORE_VERSION, IPPROTO_TCP, m_nVxi11Port) != 0;
    if (m_bRegistered)
        report << "tarvex-emulator: no portmapper of its own (" << address.Text() << ": " << reason
               << "); VXI-11 registered with the running rpcbind" << std::endl;
    else
        report
            << "tarvex-emulator: cannot serve the portmapper on " << address.Text() << ": " << reason
            << ", and no rpcbind took the registration: VXI-11 clients that ask the portmapper will not find "
               "the counter"
            << std::endl;
}

void CEmulatorServer::Run()
{
    while (!m_bStop)
    {
        // Wait for the next event, or until a waiting query or read may be answered.
        int nWaitMs = 1000;
        if (const auto wakeUp = m_emulator.WakeUpUs())
            nWaitMs =
                static_cast<int>(std::clamp<int64_t>((*wakeUp - m_emulator.NowUs() + 999) / 1000, 1, 1000));
        m_loop.RunOnce(nWaitMs);
        m_emulator.ContinueAll();
    }
    m_loop.CloseAll();
}

void CEmulatorServer::Stop()
{
    m_bStop = true;
    if (m_anWakePipe[1] >= 0)
    {
        const char c = 0;
        [[maybe_unused]] const ssize_t nWritten = ::write(m_anWakePipe[1], &c, 1);
    }
}
} // namespace emulator
