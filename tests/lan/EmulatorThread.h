#pragma once
// The emulator in a thread of the test, serving raw SCPI on 127.0.0.1:5025 and VXI-11 behind its own
// portmapper on port 111 (so the test runs in a private network namespace). It can be stopped and started
// again on the same ports, as an instrument that goes away and comes back.

#include "EmulatorServer.h"

#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace lantest
{
inline constexpr uint16_t kRawPort = 5025;
inline constexpr const char* kRawResource = "TCPIP::127.0.0.1::5025::SOCKET";
inline constexpr const char* kVxi11Resource = "TCPIP::127.0.0.1::inst0::INSTR";

// True in a network with an interface besides the loopback: the machine's own, where nothing of these tests
// may listen. A private network namespace has only its loopback.
bool IsInTheMachinesNetwork();

class CEmulatorThread
{
public:
    CEmulatorThread() = default;
    ~CEmulatorThread() { Stop(); }
    CEmulatorThread(const CEmulatorThread&) = delete;
    CEmulatorThread& operator=(const CEmulatorThread&) = delete;

    // True when both services and the portmapper serve; what the emulator said otherwise in Report.
    bool Start();
    // Every link closed, the sockets too; joins the thread.
    void Stop();
    std::string Report() const { return m_report.str(); }

private:
    std::ostringstream m_report;
    std::unique_ptr<emulator::CEmulatorServer> m_pServer;
    std::thread m_thread;
};
} // namespace lantest
