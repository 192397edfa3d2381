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
    ViStatus Fetch(int nChannel, int32_t nTimeoutMs, std::string& reading);
    // Abort, initiate and fetch in one.
    ViStatus Read(int nChannel, int32_t nTimeoutMs, std::string& reading);
    void Abort(int nChannel);
    void Common(std::string_view command); // *CLS, *TRG, *RST
    int OperationCondition();
    // Ends a query that timed out, keeping everything else.
    void DeviceClear();
    int SelfTest(std::string& message);
    void UndefinedCommand() { Report(&kUndefinedHeader); }

    void PushError(int32_t nCode, std::string_view text) { m_errors.Push(nCode, text); }
    std::optional<SErrorEntry> PopError() { return m_errors.Pop(); }
    bool HasErrors() const { return !m_errors.IsEmpty(); }

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

    void Report(const SScpiError* pError);
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
};
} // namespace tarvexsim
