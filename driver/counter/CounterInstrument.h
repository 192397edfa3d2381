#pragma once
// The simulated counter itself: its settings, its measurements on three channels, its arming sources and
// outputs, and its error queue. Commands that go wrong put an entry into the queue, as the instrument does;
// only a time-out is returned as a status.

#include "CounterSettings.h"
#include "ErrorQueue.h"
#include "MeasureFunction.h"
#include "Measurement.h"
#include "NoiseSource.h"
#include "TarvexAbi.h"

#include <array>
#include <string>
#include <string_view>

namespace tarvexsim
{
class CSimClock;

class CCounterInstrument
{
public:
    // Operation condition bit: a measurement is waiting for its arm or counting.
    static constexpr int kMeasuringBit = 0x40;
    // Gate time of the functions that do not count for the aperture.
    static constexpr int64_t kShortGateUs = 10'000;

    explicit CCounterInstrument(CSimClock& clock);

    // The power-on settings, nothing measuring (*RST).
    void PowerOn();
    // As after loading: also the error queue, the noise, the external arming signal.
    void ResetSimulation();

    void Set(ESubsystem eSubsystem, int nIndex, int nItem, const CScpiValue& value);
    void Query(ESubsystem eSubsystem, int nIndex, int nItem, std::string& answer);
    // False when the configuration was refused (its error is queued).
    bool Configure(int nChannel, int nFunctionIndex, const CScpiValue (&aParameters)[4]);
    void QueryConfiguration(int nChannel, std::string& answer);

    void InitiateImmediate(int nChannel);
    void SetContinuous(int nChannel, const CScpiValue& value);
    void QueryContinuous(int nChannel, std::string& answer);
    // Waits for the reading at most the time-out; VI_ERROR_TMO when it does not come in time.
    ViStatus Fetch(int nChannel, int32_t nTimeoutMs, std::string& reading);
    // Abort, initiate and fetch in one.
    ViStatus Read(int nChannel, int32_t nTimeoutMs, std::string& reading);

    // A fetch that never waits, for callers that wait in their own way.
    enum class EFetch
    {
        Ready,   // the reading is there
        Refused, // nothing was initiated, or the channel is wrong; the error is queued
        Pending, // the measurement is still running
    };
    EFetch TryFetch(int nChannel, std::string& reading);
    // The abort and initiate of a read; false (the error queued) for a wrong channel.
    bool StartReading(int nChannel);
    // When the channel's running measurement ends by itself; none when only an arming event ends it, or
    // when nothing runs.
    std::optional<int64_t> CompletionUs(int nChannel);
    int64_t NowUs() const;

    void Abort(int nChannel);
    void ClearStatus(); // *CLS
    void Trigger();     // *TRG
    void Reset();       // *RST
    int OperationCondition();
    // Ends a query that timed out, keeping everything else.
    void DeviceClear();
    int SelfTest(std::string& message);
    void UndefinedCommand();
    // Brings the measurements up to now, for a caller that waits for one.
    void Advance();

    void PushError(int32_t nCode, std::string_view text);
    void PushError(const scpi::SScpiError& error) { PushError(error.nCode, error.pszText); }
    std::optional<SErrorEntry> PopError() { return m_errors.Pop(); }
    bool HasErrors() const { return !m_errors.IsEmpty(); }

    // The status registers of IEEE 488.2. Reading the event status register clears it.
    static constexpr int kOperationCompleteBit = 0x01;
    static constexpr int kPowerOnBit = 0x80;
    static constexpr int kErrorQueueBit = 0x04;       // status byte: the error queue holds an entry
    static constexpr int kMessageAvailableBit = 0x10; // status byte: a response waits to be read
    static constexpr int kEventSummaryBit = 0x20;     // status byte: an enabled event happened
    static constexpr int kServiceRequestBit = 0x40;   // status byte: an enabled summary bit is set
    int TakeEventStatus();
    void SetEventEnable(int nMask) { m_nEventEnable = nMask & 0xFF; }
    int EventEnable() const { return m_nEventEnable; }
    void SetServiceEnable(int nMask) { m_nServiceEnable = nMask & 0xBF; }
    int ServiceEnable() const { return m_nServiceEnable; }
    int StatusByte(bool bMessageAvailable) const;
    // *OPC: the operation complete bit is set once no measurement is pending any more.
    void RequestOperationComplete();

    void SetExternalArm(bool bOn);
    CCounterSettings& Settings() { return m_settings; }

private:
    // Brings the measurements up to now before and after a command; a command interrupts a query that
    // timed out and is still waiting for its answer.
    class CCommand
    {
    public:
        CCommand(CCounterInstrument& instrument, bool bInterruptsQuery = true);
        ~CCommand();
        CCommand(const CCommand&) = delete;
        CCommand& operator=(const CCommand&) = delete;

    private:
        CCounterInstrument& m_instrument;
    };

    struct SChannelState
    {
        CMeasurement measurement;
        bool bCached = false;
        uint64_t nCachedSerial = 0;
        std::string cachedReading;
    };

    void Report(const scpi::SScpiError* pError);
    int PendingMeasurements() const;
    bool CheckChannel(int nChannel);
    void AdvanceAll();
    SArmRules Rules(int nChannel) const;
    bool IsSourceReady(const std::string& source) const;
    EFunction FunctionOf(int nChannel) const;
    CMeasurement& MeasurementOf(int nChannel)
    {
        return m_aChannels[static_cast<size_t>(nChannel - 1)].measurement;
    }
    void Restart(int nChannel);
    void AutoTriggerOnce(int nChannel);
    void BusTrigger();
    ViStatus FetchChecked(int nChannel, int32_t nTimeoutMs, std::string& reading);
    std::string ReadingText(int nChannel, const SArmRules& rules);
    double ReadingValue(int nChannel, int64_t nGateUs);
    double ReferencePercent(int nChannel, const CParameter& reference, double dDefaultPercent) const;

    CSimClock& m_clock;
    CCounterSettings m_settings;
    CErrorQueue m_errors;
    CNoiseSource m_noise;
    std::array<SChannelState, CCounterSettings::kChannelCount> m_aChannels;
    bool m_bExternalArm = false;
    bool m_bQueryPending = false;
    int m_nEventStatus = kPowerOnBit;
    int m_nEventEnable = 0;
    int m_nServiceEnable = 0;
    bool m_bOperationCompleteRequested = false;
};
} // namespace tarvexsim
