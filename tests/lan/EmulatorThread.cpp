#include "EmulatorThread.h"

#include <fstream>

namespace lantest
{
bool IsInTheMachinesNetwork()
{
    // The interfaces of our namespace, one a line after two lines of headings: "  eth0: 1234 ...".
    std::ifstream interfaces("/proc/net/dev");
    std::string line;
    for (int n = 0; n < 256 && std::getline(interfaces, line); ++n)
    {
        const size_t nColon = line.find(':');
        const size_t nName = line.find_first_not_of(' ');
        if (n >= 2 && nColon != std::string::npos && line.substr(nName, nColon - nName) != "lo")
            return true;
    }
    return false;
}

bool CEmulatorThread::Start()
{
    Stop();
    if (IsInTheMachinesNetwork())
    {
        m_report << "not in a private network namespace: run through tests/support/in-private-network";
        return false;
    }
    emulator::SOptions options;
    options.listen = *emulator::ParseSocketAddress("127.0.0.1:" + std::to_string(kRawPort));
    m_report.str("");
    m_pServer = std::make_unique<emulator::CEmulatorServer>(options, nullptr, m_report);
    if (m_pServer->RawPort() != kRawPort || m_pServer->Vxi11Port() == 0 ||
        m_report.str().find("portmapper on") == std::string::npos)
        return false;
    m_thread = std::thread([this] { m_pServer->Run(); });
    return true;
}

void CEmulatorThread::Stop()
{
    if (m_thread.joinable())
    {
        m_pServer->Stop();
        m_thread.join();
    }
    m_pServer.reset();
}
} // namespace lantest
