#include "Options.h"

#include <charconv>

namespace emulator
{
namespace
{
constexpr const char* kDefaultListen = "127.0.0.1:5025";

std::optional<int> ParseInteger(const std::string& text, int nMin, int nMax)
{
    int nValue = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        nValue < nMin || nValue > nMax)
        return std::nullopt;
    return nValue;
}
} // namespace

const char* const kUsage =
    "Usage: tarvex-emulator [--listen ADDRESS:PORT] [--vxi11-port PORT] [--no-portmapper | --no-vxi11]\n"
    "                       [--slot N|none] [--command-log FILE]\n"
    "       tarvex-emulator --help | --version\n"
    "Serves the simulated Tarvex Counter on the network as a SCPI instrument, by raw socket and by VXI-11.\n"
    "\n"
    "  --listen ADDRESS:PORT  the raw SCPI socket (default 127.0.0.1:5025, loopback only); VXI-11 and the\n"
    "                         portmapper listen on the same address. An IPv6 address goes in brackets.\n"
    "  --vxi11-port PORT      the VXI-11 core channel's port (default: any free one; the portmapper tells\n"
    "                         clients which)\n"
    "  --no-portmapper        VXI-11 without the portmapper answer or an rpcbind registration: clients\n"
    "                         must be given the core channel's port\n"
    "  --no-vxi11             raw SCPI only: no VXI-11 and no portmapper\n"
    "  --slot N|none          the slot SYSTem:SLOT? reports (default 5); none: the query fails\n"
    "  --command-log FILE     append each program message received to FILE as \"<link> <message>\"\n"
    "  -h, --help             print this and exit\n"
    "  -v, --version          print the version and exit\n"
    "\n"
    "The portmapper answer needs port 111: where it cannot be bound, the emulator registers with a running\n"
    "rpcbind. SIGTERM or SIGINT closes every link and ends the emulator with status 0.\n"
    "Try it: lxi scpi --raw -a 127.0.0.1 '*IDN?'\n";

std::optional<SOptions> ParseOptions(const std::vector<std::string>& arguments, std::string& reason)
{
    SOptions options;
    std::string listen = kDefaultListen;
    bool bVxi11PortGiven = false;
    for (size_t n = 0; n < arguments.size(); ++n)
    {
        const std::string& argument = arguments[n];
        const bool bTakesValue = argument == "--listen" || argument == "--vxi11-port" ||
                                 argument == "--slot" || argument == "--command-log";
        if (bTakesValue && n + 1 >= arguments.size())
        {
            reason = argument + " needs a value";
            return std::nullopt;
        }
        if (argument == "-h" || argument == "--help")
            options.bHelp = true;
        else if (argument == "-v" || argument == "--version")
            options.bVersion = true;
        else if (argument == "--no-vxi11")
            options.bVxi11 = false;
        else if (argument == "--no-portmapper")
            options.bPortMapper = false;
        else if (argument == "--listen")
            listen = arguments[++n];
        else if (argument == "--vxi11-port")
        {
            const auto port = ParseInteger(arguments[++n], 0, 65535);
            if (!port)
            {
                reason = "not a port: " + arguments[n];
                return std::nullopt;
            }
            options.nVxi11Port = static_cast<uint16_t>(*port);
            bVxi11PortGiven = true;
        }
        else if (argument == "--slot")
        {
            const std::string& value = arguments[++n];
            options.slot = value == "none" ? std::nullopt : ParseInteger(value, 0, 12);
            if (value != "none" && !options.slot)
            {
                reason = "not a slot (0 to 12, or none): " + value;
                return std::nullopt;
            }
        }
        else if (argument == "--command-log")
            options.commandLog = arguments[++n];
        else
        {
            reason = "unknown option: " + argument;
            return std::nullopt;
        }
    }
    if (bVxi11PortGiven && !options.bVxi11)
    {
        reason = "--vxi11-port and --no-vxi11 exclude each other";
        return std::nullopt;
    }
    const auto address = ParseSocketAddress(listen);
    if (!address)
    {
        reason = "not an address and port: " + listen;
        return std::nullopt;
    }
    options.listen = *address;
    return options;
}
} // namespace emulator
