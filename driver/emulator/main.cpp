// tarvex-emulator: the simulated Tarvex Counter on the network, for VISA clients and for the LAN driver.

#include "EmulatorServer.h"
#include "Options.h"

#include <csignal>
#include <fstream>
#include <iostream>

namespace
{
emulator::CEmulatorServer* g_pServer = nullptr;

void OnTerminationSignal(int)
{
    if (g_pServer)
        g_pServer->Stop();
}
} // namespace

int main(int argc, char** argv)
{
    std::string reason;
    const auto options = emulator::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (!options)
    {
        std::cerr << "tarvex-emulator: " << reason << "\n" << emulator::kUsage;
        return 2;
    }
    if (options->bHelp)
    {
        std::cout << emulator::kUsage;
        return 0;
    }
    if (options->bVersion)
    {
        std::cout << "tarvex-emulator " << TARVEX_VERSION << "\n";
        return 0;
    }
    std::ofstream commandLog;
    if (!options->commandLog.empty())
    {
        commandLog.open(options->commandLog, std::ios::app);
        if (!commandLog)
        {
            std::cerr << "tarvex-emulator: cannot open " << options->commandLog << " for appending\n";
            return 1;
        }
    }

    std::signal(SIGPIPE, SIG_IGN);
    emulator::CEmulatorServer server(*options, commandLog.is_open() ? &commandLog : nullptr, std::cerr);
    if (!server.IsServing())
    {
        std::cerr << "tarvex-emulator: no service could start\n";
        return 1;
    }
    g_pServer = &server;
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    server.Run();
    g_pServer = nullptr;
    return 0;
}
