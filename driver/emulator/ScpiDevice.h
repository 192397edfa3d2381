#pragma once
// One client's conversation with the counter: it reads the client's program messages with the dialect's
// parser, runs each unit on the counter, and gathers the answers into response messages. A query whose
// answer is not there yet (a measurement still counting, *OPC? while one runs) waits, and the units after
// it wait with it, until Continue finds it answered; the device never sleeps, so one client's wait never
// holds up another.

#include "CounterInstrument.h"
#include "ScpiParser.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emulator
{
// What the instrument says of itself.
struct SIdentity
{
    std::string identification; // the answer to *IDN?
    std::optional<int> slot;    // none: the instrument is in no mainframe, and SYSTem:SLOT? fails
    int nLogicalAddress = 24;
};

class CScpiDevice
{
public:
    CScpiDevice(tarvexsim::CCounterInstrument& counter, const SIdentity& identity);

    // A whole program message, without its terminator. A message that comes while another waits, or
    // before the responses were taken, interrupts it (-410).
    void Receive(std::string_view message);
    // Runs what waits, as far as it can.
    void Continue();
    bool IsWaiting() const { return m_wait.has_value(); }
    // When a waiting unit can be answered without another command; none when only a command can.
    std::optional<int64_t> WakeUpUs();

    // The complete response messages so far, each ending in a newline; taking them empties the queue.
    std::string TakeResponses();
    // The response bytes themselves, for a transport that hands them out piecewise.
    std::string& Responses() { return m_responses; }

    // Device clear: what waits and the untaken responses are dropped; the measurement waited for is aborted.
    void Clear();
    // A message longer than the transport's input buffer was cut.
    void ReportInputOverrun();
    // The status byte, its message-available bit from this device's responses.
    int StatusByte() const;

private:
    enum class EWait
    {
        Fetch,             // a reading of the channel
        OperationComplete, // *OPC?: no measurement pending any more
        NoOperation,       // *WAI: the same, without an answer
    };
    struct SWait
    {
        EWait eWait;
        int nChannel;
    };

    // Runs one unit; false when it has to wait (m_wait set).
    bool Execute(const scpi::SUnit& unit);
    void ExecuteSetting(const scpi::SUnit& unit);
    // True when the wait is over at once; otherwise it is kept for Continue.
    bool Await(const SWait& wait);
    // True when the wait is over (its answer, if any, given).
    bool Resolve(const SWait& wait);
    void Answer(std::string text);
    void EndMessage();
    void Interrupt();
    std::optional<int> MaskParameter(const std::string& text);

    tarvexsim::CCounterInstrument& m_counter;
    const SIdentity& m_identity;
    std::optional<scpi::CMessageParser> m_parser; // the message being run
    std::optional<SWait> m_wait;
    std::vector<std::string> m_answers; // of the message being run
    std::string m_responses;
};
} // namespace emulator
