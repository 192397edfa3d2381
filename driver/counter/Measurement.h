#pragma once
// The timing of one channel's measurement: initiated, it waits for its start arm, counts through its gate,
// closes at its stop arm, and keeps its result; with continuous initiation the next one follows at once.
// Time is only looked at when asked (Advance), so a manual clock and the wall clock work alike.

#include <cstdint>
#include <optional>

namespace tarvexsim
{
// What the counter's settings mean for a measurement at the moment.
struct SArmRules
{
    bool bStartReady = false; // the start arm holds by itself: IMM, or EXT or TTLTn while driven
    bool bStopReady = false;  // likewise the stop arm
    bool bTotalize = false;   // counts until stopped instead of closing after a gate time
    bool bContinuous = false; // the next measurement starts when one ends
    int64_t nGateUs = 0;
};

class CMeasurement
{
public:
    enum class EPhase
    {
        Idle,     // nothing initiated
        WaitArm,  // initiated, waiting for the start arm
        Gate,     // counting
        WaitStop, // gate time over, waiting for the stop arm
        Done,     // result kept, nothing running
    };

    EPhase Phase() const { return m_ePhase; }
    bool IsPending() const;

    void Initiate(int64_t nNowUs);
    void Abort();
    // Brings the phases up to the given time. Nothing may have changed the rules since the last call.
    void Advance(int64_t nNowUs, const SArmRules& rules);
    // An arming event now (a bus trigger, an immediate arm). False when it did not concern the phase.
    bool StartArmEvent(int64_t nNowUs);
    bool StopArmEvent(int64_t nNowUs, const SArmRules& rules);
    // When the running measurement ends by itself; none when only an event could end it.
    std::optional<int64_t> CompletionUs(const SArmRules& rules) const;

    bool HasResult() const { return m_bHasResult; }
    int64_t ResultGateUs() const { return m_nResultGateUs; }
    uint64_t ResultSerial() const { return m_nResultSerial; }
    // The time counted so far: the running gate, else the last result's gate.
    int64_t CountedUs(int64_t nNowUs) const;

private:
    void Complete(int64_t nTimeUs, const SArmRules& rules);
    void SkipRepeatedCycles(int64_t nNowUs, const SArmRules& rules);

    EPhase m_ePhase = EPhase::Idle;
    int64_t m_nPhaseStartUs = 0; // when the present waiting phase began to be watched
    int64_t m_nArmUs = 0;        // when the gate opened
    bool m_bHasResult = false;
    int64_t m_nResultGateUs = 0;
    uint64_t m_nResultSerial = 0;
};
} // namespace tarvexsim
