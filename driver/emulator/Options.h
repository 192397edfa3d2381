#pragma once
// The emulator's command line.

#include "Socket.h"

#include <optional>
#include <string>
#include <vector>

namespace emulator
{
struct SOptions
{
    SSocketAddress listen;   // the raw SCPI socket; VXI-11 and the portmapper use its host
    uint16_t nVxi11Port = 0; // 0: any free port
    bool bVxi11 = true;
    bool bPortMapper = true; // answer the portmapper on port 111, or register with rpcbind
    std::optional<int> slot = 5;
    std::string commandLog;
    bool bHelp = false;
    bool bVersion = false;
};

// The options of the arguments (without the program name); none, with the reason, when they are wrong.
std::optional<SOptions> ParseOptions(const std::vector<std::string>& arguments, std::string& reason);
extern const char* const kUsage;
} // namespace emulator
