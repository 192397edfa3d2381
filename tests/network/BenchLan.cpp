// How much the LAN driver adds to a reading: the time of one tarvex_read through the driver beside one bare
// request and answer of the same query (and of a query answered at once), written here on a plain socket (raw
// SCPI) and as bare VXI-11 calls, against an emulator on 127.0.0.1. A tool for scripts/bench-lan, not a test.
//   bench_lan LAN_DRIVER_FOLDER COUNT

#include "TarvexAbi.h"
#include "Vxi11Codes.h"
#include "vxi11.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <rpc/pmap_clnt.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace
{

double MicrosecondsPerCall(int nCount, const std::function<bool()>& call)
{
    for (int n = 0; n < 10; ++n) // warm up
        call();
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < nCount; ++n)
    {
        if (!call())
        {
            std::fprintf(stderr, "bench_lan: a call failed\n");
            std::exit(1);
        }
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
           nCount;
}

sockaddr_in Loopback(uint16_t nPort)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(nPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

double BareRawSocket(const std::string& query, int nCount)
{
    const int nSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(5025);
    const int nOn = 1;
    ::setsockopt(nSocket, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
    if (::connect(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return -1;
    const std::string message = query + "\n";
    const double dTime = MicrosecondsPerCall(nCount,
                                             [&]
                                             {
                                                 if (::send(nSocket, message.data(), message.size(), 0) < 0)
                                                     return false;
                                                 char c = 0;
                                                 while (::recv(nSocket, &c, 1, 0) == 1 && c != '\n')
                                                 {
                                                 }
                                                 return c == '\n';
                                             });
    ::close(nSocket);
    return dTime;
}

double BareVxi11(const std::string& query, int nCount)
{
    sockaddr_in address = Loopback(0);
    const u_short nPort = pmap_getport(&address, DEVICE_CORE, DEVICE_CORE_VERSION, IPPROTO_TCP);
    address = Loopback(nPort);
    int nSocket = RPC_ANYSOCK;
    CLIENT* pClient = clnttcp_create(&address, DEVICE_CORE, DEVICE_CORE_VERSION, &nSocket, 0, 0);
    if (!pClient)
        return -1;
    const timeval timeout{15, 0};
    Create_LinkParms link{1, 0, 0, const_cast<char*>("inst0")};
    Create_LinkResp linked{};
    clnt_call(pClient, create_link, reinterpret_cast<xdrproc_t>(xdr_Create_LinkParms),
              reinterpret_cast<char*>(&link), reinterpret_cast<xdrproc_t>(xdr_Create_LinkResp),
              reinterpret_cast<char*>(&linked), timeout);
    const std::string message = query + "\n";
    const double dTime = MicrosecondsPerCall(
        nCount,
        [&]
        {
            Device_WriteParms write{linked.lid,
                                    12000,
                                    0,
                                    vxi11::kEnd,
                                    {static_cast<u_int>(message.size()), const_cast<char*>(message.data())}};
            Device_WriteResp written{};
            Device_ReadParms read{linked.lid, 4096, 12000, 0, vxi11::kTermCharSet, '\n'};
            Device_ReadResp answer{};
            const bool bDone =
                clnt_call(pClient, device_write, reinterpret_cast<xdrproc_t>(xdr_Device_WriteParms),
                          reinterpret_cast<char*>(&write), reinterpret_cast<xdrproc_t>(xdr_Device_WriteResp),
                          reinterpret_cast<char*>(&written), timeout) == RPC_SUCCESS &&
                clnt_call(pClient, device_read, reinterpret_cast<xdrproc_t>(xdr_Device_ReadParms),
                          reinterpret_cast<char*>(&read), reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp),
                          reinterpret_cast<char*>(&answer), timeout) == RPC_SUCCESS &&
                answer.error == 0;
            xdr_free(reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), reinterpret_cast<char*>(&answer));
            return bDone;
        });
    clnt_destroy(pClient);
    return dTime;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: bench_lan LAN_DRIVER_FOLDER COUNT\n");
        return 2;
    }
    const int nCount = std::atoi(argv[2]);
    void* pDriver = ::dlopen((std::string(argv[1]) + "/libtarvex_32.so").c_str(), RTLD_NOW);
    if (!pDriver)
    {
        std::fprintf(stderr, "bench_lan: %s\n", ::dlerror());
        return 1;
    }
    const auto init = reinterpret_cast<tarvex_init_fn>(::dlsym(pDriver, "tarvex_init"));
    const auto timeOut = reinterpret_cast<tarvex_timeOut_fn>(::dlsym(pDriver, "tarvex_timeOut"));
    const auto sense = reinterpret_cast<tarvex_sense_fn>(::dlsym(pDriver, "tarvex_sense"));
    const auto read = reinterpret_cast<tarvex_read_fn>(::dlsym(pDriver, "tarvex_read"));
    const auto close = reinterpret_cast<tarvex_close_fn>(::dlsym(pDriver, "tarvex_close"));

    const struct
    {
        const char* pszName;
        const char* pszResource;
        double (*pfnBare)(const std::string&, int);
    } transports[] = {{"raw socket", "TCPIP::127.0.0.1::5025::SOCKET", BareRawSocket},
                      {"VXI-11", "TCPIP::127.0.0.1::inst0::INSTR", BareVxi11}};
    for (const auto& transport : transports)
    {
        ViSession vi = 0;
        if (init(transport.pszResource, 0, 0, &vi) != VI_SUCCESS)
            return 1;
        timeOut(vi, 12000);
        // The shortest gate, so that the time is the transport's rather than the measurement's.
        sense(vi, 1, TARVEX_SENSE_APERTURE_SET, 0.001, nullptr);
        char answer[TARVEX_BUFFER_SIZE];
        const double dRead = MicrosecondsPerCall(nCount, [&] { return read(vi, 1, answer) == VI_SUCCESS; });
        // A query the instrument answers at once shows the transport alone.
        const double dSlope = MicrosecondsPerCall(
            nCount, [&] { return sense(vi, 1, TARVEX_SENSE_SLOPE_QUERY, 0.0, answer) == VI_SUCCESS; });
        close(vi);
        const double dBareRead = transport.pfnBare("READ1?", nCount);
        const double dBareSlope = transport.pfnBare("SENS1:EVEN:SLOP?", nCount);
        std::printf("bench-lan: %-10s tarvex_read %8.1f us, bare READ1? %8.1f us: %.2f times\n",
                    transport.pszName, dRead, dBareRead, dRead / dBareRead);
        std::printf("bench-lan: %-10s tarvex_sense (slope query) %8.1f us, bare SENS1:EVEN:SLOP? %8.1f us: "
                    "%.2f times\n",
                    transport.pszName, dSlope, dBareSlope, dSlope / dBareSlope);
    }
    return 0;
}
