#pragma once
// A counter that answers as a test says, on 127.0.0.1: raw SCPI on port 5025, or VXI-11 behind its own
// portmapper on port 111. It lets a test meet what the emulator never does: another maker's identity, an
// answer that never ends, VXI-11 replies that do not decode or stop in the middle. Served by the
// emulator's event loop and RPC connection in a thread of its own.

#include "EventLoop.h"
#include "PortMapper.h"
#include "Socket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>

namespace lantest
{
// A VXI-11 reply that replaces the proper one of a procedure once it has been answered properly
// nProperCalls times.
struct SVxi11Fault
{
    uint32_t nProcedure = 0;
    int nProperCalls = 1;
    std::function<std::string(uint32_t nXid)> record; // the reply record, without its mark
    bool bCutOff = false;                             // half of the record sent, then the connection closed
};

class CFakeInstrument
{
public:
    // The bytes sent back for a program message (given without its newline); nothing when empty.
    using Responder = std::function<std::string(const std::string& message)>;

    enum class ETransport
    {
        Raw,
        Vxi11,
    };

    CFakeInstrument(ETransport eTransport, Responder responder, SVxi11Fault fault = SVxi11Fault());
    ~CFakeInstrument();
    CFakeInstrument(const CFakeInstrument&) = delete;
    CFakeInstrument& operator=(const CFakeInstrument&) = delete;

    bool IsServing() const { return m_bServing; }

    // The record of a successful reply up to its result, and big-endian XDR words, to build faults with.
    static std::string ReplyHeader(uint32_t nXid);
    static std::string Words(std::initializer_list<uint32_t> words);

private:
    class CRawLink;
    class CVxi11Program;

    // Listens on 127.0.0.1 at the port (0: any); the port, 0 when it cannot.
    uint16_t Listen(uint16_t nPort, emulator::IRpcProgram* pProgram);

    Responder m_responder;
    emulator::CEventLoop m_loop;
    std::unique_ptr<CVxi11Program> m_pVxi11;
    std::unique_ptr<emulator::CPortMapper> m_pPortMapper;
    bool m_bServing = false;
    std::atomic<bool> m_bStop = false;
    std::thread m_thread;
};
} // namespace lantest
