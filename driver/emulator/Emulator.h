#pragma once
// The counter as the network sees it: one instrument, and one SCPI device for each client link, whatever
// the transport. A command from one link can answer another's waiting query (a *TRG arms the measurement
// another link fetches), so after every event each link goes on as far as it can.

#include "CounterInstrument.h"
#include "ScpiDevice.h"
#include "SimClock.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace emulator
{
// A client's link to the counter: a raw socket connection or a VXI-11 link.
class ILink
{
public:
    virtual ~ILink() = default;
    virtual CScpiDevice& Device() = 0;
    // Takes what the device has answered since, and finishes a transfer whose time has come.
    virtual void Flush(int64_t nNowUs) = 0;
    // When the link wants Flush without an event; none: only after an event.
    virtual std::optional<int64_t> WakeUpUs() = 0;
};

class CEmulator
{
public:
    // Each message received is written to the command log, when there is one, as "<link> <message>".
    CEmulator(SIdentity identity, std::ostream* pCommandLog);

    tarvexsim::CCounterInstrument& Counter() { return m_counter; }
    const SIdentity& Identity() const { return m_identity; }
    int64_t NowUs() const { return m_clock.NowUs(); }

    // Links number themselves through these, for the command log.
    int Attach(ILink& link);
    void Detach(ILink& link);
    // A program message from a link: logged, then run as far as it goes.
    void Receive(int nLink, CScpiDevice& device, std::string_view message);
    // Every link goes on after an event or when its time has come.
    void ContinueAll();
    std::optional<int64_t> WakeUpUs();

private:
    tarvexsim::CSimClock m_clock;
    tarvexsim::CCounterInstrument m_counter;
    SIdentity m_identity;
    std::ostream* m_pCommandLog;
    static constexpr int kMaxRounds = 16;

    std::vector<ILink*> m_links;
    int m_nNextLink = 1;
    uint64_t m_nReceived = 0;
};
} // namespace emulator
