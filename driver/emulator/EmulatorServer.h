#pragma once
// The emulator's services on their sockets: raw SCPI, the VXI-11 core and abort channels, and the
// portmapper answer (or a registration with a running rpcbind). Each service that cannot start is named
// on the report stream with the reason; the others go on.

#include "Emulator.h"
#include "EventLoop.h"
#include "Options.h"
#include "PortMapper.h"
#include "Vxi11Server.h"

#include <atomic>
#include <memory>
#include <ostream>

namespace emulator
{
class CEmulatorServer
{
public:
    CEmulatorServer(const SOptions& options, std::ostream* pCommandLog, std::ostream& report);
    ~CEmulatorServer();

    bool IsServing() const { return m_nRawPort != 0 || m_nVxi11Port != 0; }
    uint16_t RawPort() const { return m_nRawPort; }
    uint16_t Vxi11Port() const { return m_nVxi11Port; }

    // Serves until Stop, then closes every link.
    void Run();
    // From any thread or a signal handler.
    void Stop();

private:
    class CWakeChannel;

    void StartRaw(const SOptions& options, std::ostream& report);
    void StartVxi11(const SOptions& options, std::ostream& report);
    void StartPortMapper(const SOptions& options, std::ostream& report);
    std::optional<CFileDescriptor> Open(const SSocketAddress& address, int nType, const char* pszService,
                                        std::ostream& report);

    CEmulator m_emulator;
    CEventLoop m_loop;
    std::unique_ptr<CVxi11Server> m_pVxi11;
    std::unique_ptr<CVxi11AbortServer> m_pVxi11Abort;
    std::unique_ptr<CPortMapper> m_pPortMapper;
    uint16_t m_nRawPort = 0;
    uint16_t m_nVxi11Port = 0;
    bool m_bRegistered = false; // with rpcbind, to be taken back at the end
    int m_anWakePipe[2] = {-1, -1};
    std::atomic<bool> m_bStop = false;
};
} // namespace emulator
