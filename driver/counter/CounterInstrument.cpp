#include "CounterInstrument.h"

#include "ScpiFormat.h"
#include "SignalModel.h"
#include "SimClock.h"

#include <algorithm>
#include <cmath>

namespace tarvexsim
{
namespace
{
// Rise and fall times are measured between these levels unless told otherwise.
constexpr double kLowerReferencePercent = 10.0;
constexpr double kUpperReferencePercent = 90.0;
} // namespace

CCounterInstrument::CCommand::CCommand(CCounterInstrument& instrument, bool bInterruptsQuery)
    : m_instrument(instrument)
{
    instrument.AdvanceAll();
    if (bInterruptsQuery && instrument.m_bQueryPending)
    {
        instrument.m_bQueryPending = false;
        instrument.Report(&scpi::kQueryInterrupted);
    }
}

CCounterInstrument::CCommand::~CCommand()
{
    // Settings changed by the command (a source, a driven line) take effect now.
    m_instrument.AdvanceAll();
    if (m_instrument.m_bOperationCompleteRequested && m_instrument.PendingMeasurements() == 0)
    {
        m_instrument.m_bOperationCompleteRequested = false;
        m_instrument.m_nEventStatus |= kOperationCompleteBit;
    }
}

CCounterInstrument::CCounterInstrument(CSimClock& clock) : m_clock(clock) {}

void CCounterInstrument::PowerOn()
{
    m_settings.PowerOn();
    m_aChannels = {};
}

void CCounterInstrument::ResetSimulation()
{
    PowerOn();
    m_errors.Clear();
    m_noise.Reseed();
    m_bExternalArm = false;
    m_bQueryPending = false;
    m_nEventStatus = kPowerOnBit;
    m_nEventEnable = 0;
    m_nServiceEnable = 0;
    m_bOperationCompleteRequested = false;
}

void CCounterInstrument::Report(const scpi::SScpiError* pError)
{
    if (pError)
        PushError(*pError);
}

void CCounterInstrument::PushError(int32_t nCode, std::string_view text)
{
    m_errors.Push(nCode, text);
    m_nEventStatus |= scpi::EventStatusBitOf(nCode);
}

void CCounterInstrument::UndefinedCommand()
{
    CCommand command(*this);
    Report(&scpi::kUndefinedHeader);
}

void CCounterInstrument::Advance()
{
    CCommand command(*this, false);
}

bool CCounterInstrument::CheckChannel(int nChannel)
{
    if (CCounterSettings::IsChannel(nChannel))
        return true;
    Report(&scpi::kDataOutOfRange);
    return false;
}

void CCounterInstrument::AdvanceAll()
{
    const int64_t nNowUs = m_clock.NowUs();
    for (int nChannel = 1; nChannel <= CCounterSettings::kChannelCount; ++nChannel)
        MeasurementOf(nChannel).Advance(nNowUs, Rules(nChannel));
}

bool CCounterInstrument::IsSourceReady(const std::string& source) const
{
    if (source == "IMM")
        return true;
    if (source == "EXT")
        return m_bExternalArm;
    if (source.size() == 5 && source.starts_with("TTLT"))
        return m_settings.IsLineDriven(source[4] - '0');
    return false; // BUS waits for *TRG, HOLD for ever
}

EFunction CCounterInstrument::FunctionOf(int nChannel) const
{
    return FunctionFromKeyword(m_settings.Channel(nChannel).function.Keyword())
        .value_or(EFunction::Frequency);
}

SArmRules CCounterInstrument::Rules(int nChannel) const
{
    const SChannelSettings& channel = m_settings.Channel(nChannel);
    const EFunction eFunction = FunctionOf(nChannel);
    SArmRules rules;
    rules.bStartReady = IsSourceReady(m_settings.StartSource());
    rules.bStopReady = IsSourceReady(m_settings.StopSource());
    rules.bTotalize = eFunction == EFunction::Totalize;
    rules.bContinuous = channel.continuous.IsOn();
    rules.nGateUs =
        IsGatedByAperture(eFunction) ? std::llround(channel.aperture.Number() * 1e6) : kShortGateUs;
    return rules;
}

void CCounterInstrument::Restart(int nChannel)
{
    CMeasurement& measurement = MeasurementOf(nChannel);
    measurement.Abort();
    if (m_settings.Channel(nChannel).continuous.IsOn())
        measurement.Initiate(m_clock.NowUs());
}

void CCounterInstrument::Set(ESubsystem eSubsystem, int nIndex, int nItem, const CScpiValue& value)
{
    CCommand command(*this);
    if (eSubsystem == ESubsystem::Sense && nItem == TARVEX_SENSE_AUTO_TRIGGER_SET && value.IsKeyword("ONCE"))
    {
        AutoTriggerOnce(nIndex);
        return;
    }
    if (eSubsystem == ESubsystem::Arm && nItem == TARVEX_ARM_START_IMMEDIATE)
    {
        for (SChannelState& state : m_aChannels)
            state.measurement.StartArmEvent(m_clock.NowUs());
        return;
    }
    if (eSubsystem == ESubsystem::Arm && nItem == TARVEX_ARM_STOP_IMMEDIATE)
    {
        for (int nChannel = 1; nChannel <= CCounterSettings::kChannelCount; ++nChannel)
            MeasurementOf(nChannel).StopArmEvent(m_clock.NowUs(), Rules(nChannel));
        return;
    }
    const scpi::SScpiError* pError = m_settings.Set(eSubsystem, nIndex, nItem, value);
    Report(pError);
    // A new function makes a running measurement meaningless.
    if (!pError && eSubsystem == ESubsystem::Sense && nItem == TARVEX_SENSE_FUNCTION_SET)
        Restart(nIndex);
}

void CCounterInstrument::Query(ESubsystem eSubsystem, int nIndex, int nItem, std::string& answer)
{
    CCommand command(*this);
    Report(m_settings.Query(eSubsystem, nIndex, nItem, answer));
}

void CCounterInstrument::AutoTriggerOnce(int nChannel)
{
    if (!CheckChannel(nChannel))
        return;
    // One automatic search: the trigger level goes to the relative level of the signal's swing, and
    // automatic triggering stays off.
    SChannelSettings& channel = m_settings.Channel(nChannel);
    const SSignal signal = CSignalModel::Signal(nChannel, m_settings.IsCommonRouting());
    channel.triggerLevel.Set(
        CScpiValue::FromNumber(CSignalModel::LevelAt(signal, channel.relativeLevel.Number())));
    channel.autoTrigger.Set(CScpiValue::FromNumber(0.0));
}

bool CCounterInstrument::Configure(int nChannel, int nFunctionIndex, const CScpiValue (&aParameters)[4])
{
    CCommand command(*this);
    const scpi::SScpiError* pError = m_settings.Configure(nChannel, nFunctionIndex, aParameters);
    Report(pError);
    if (!pError)
        Restart(nChannel);
    return !pError;
}

void CCounterInstrument::QueryConfiguration(int nChannel, std::string& answer)
{
    CCommand command(*this);
    if (!CheckChannel(nChannel))
        return;
    const SChannelSettings& channel = m_settings.Channel(nChannel);
    answer = "\"" + channel.function.Keyword() + " " + channel.expected.Answer() + "," +
             channel.resolution.Answer() + "\"";
}

void CCounterInstrument::InitiateImmediate(int nChannel)
{
    CCommand command(*this);
    // A measurement already under way goes on: the counter does not restart it, so a running total keeps
    // counting when it is initiated again.
    if (CheckChannel(nChannel) && !MeasurementOf(nChannel).IsPending())
        MeasurementOf(nChannel).Initiate(m_clock.NowUs());
}

void CCounterInstrument::SetContinuous(int nChannel, const CScpiValue& value)
{
    CCommand command(*this);
    if (!CheckChannel(nChannel))
        return;
    CParameter& continuous = m_settings.Channel(nChannel).continuous;
    const scpi::SScpiError* pError = continuous.Set(value);
    Report(pError);
    if (!pError && continuous.IsOn() && !MeasurementOf(nChannel).IsPending())
        MeasurementOf(nChannel).Initiate(m_clock.NowUs());
}

void CCounterInstrument::QueryContinuous(int nChannel, std::string& answer)
{
    CCommand command(*this);
    if (CheckChannel(nChannel))
        answer = m_settings.Channel(nChannel).continuous.Answer();
}

void CCounterInstrument::Abort(int nChannel)
{
    CCommand command(*this);
    if (CheckChannel(nChannel))
        Restart(nChannel);
}

ViStatus CCounterInstrument::Fetch(int nChannel, int32_t nTimeoutMs, std::string& reading)
{
    CCommand command(*this);
    if (!CheckChannel(nChannel))
        return VI_SUCCESS;
    return FetchChecked(nChannel, nTimeoutMs, reading);
}

ViStatus CCounterInstrument::Read(int nChannel, int32_t nTimeoutMs, std::string& reading)
{
    CCommand command(*this);
    if (!StartReading(nChannel))
        return VI_SUCCESS;
    return FetchChecked(nChannel, nTimeoutMs, reading);
}

bool CCounterInstrument::StartReading(int nChannel)
{
    CCommand command(*this);
    if (!CheckChannel(nChannel))
        return false;
    MeasurementOf(nChannel).Abort();
    MeasurementOf(nChannel).Initiate(m_clock.NowUs());
    return true;
}

std::optional<int64_t> CCounterInstrument::CompletionUs(int nChannel)
{
    if (!CCounterSettings::IsChannel(nChannel))
        return std::nullopt;
    return MeasurementOf(nChannel).CompletionUs(Rules(nChannel));
}

int64_t CCounterInstrument::NowUs() const
{
    return m_clock.NowUs();
}

CCounterInstrument::EFetch CCounterInstrument::TryFetch(int nChannel, std::string& reading)
{
    CCommand command(*this);
    if (!CheckChannel(nChannel))
        return EFetch::Refused;
    CMeasurement& measurement = MeasurementOf(nChannel);
    const SArmRules rules = Rules(nChannel);
    if (measurement.Phase() == CMeasurement::EPhase::Idle)
    {
        Report(&scpi::kDataStale);
        return EFetch::Refused;
    }
    // A total is answered at once, whatever has been counted so far.
    if (!rules.bTotalize && !measurement.HasResult())
        return EFetch::Pending;
    reading = ReadingText(nChannel, rules);
    return EFetch::Ready;
}

ViStatus CCounterInstrument::FetchChecked(int nChannel, int32_t nTimeoutMs, std::string& reading)
{
    if (TryFetch(nChannel, reading) != EFetch::Pending)
        return VI_SUCCESS;
    const auto completion = CompletionUs(nChannel);
    if (!completion || *completion - m_clock.NowUs() > int64_t{nTimeoutMs} * 1000)
    {
        // The answer never comes in time; the query stays open until a device clear.
        m_bQueryPending = true;
        return VI_ERROR_TMO;
    }
    m_clock.WaitUntil(*completion);
    TryFetch(nChannel, reading);
    return VI_SUCCESS;
}

std::string CCounterInstrument::ReadingText(int nChannel, const SArmRules& rules)
{
    const CMeasurement& measurement = MeasurementOf(nChannel);
    if (rules.bTotalize)
        return CScpiFormat::Integer(
            std::llround(ReadingValue(nChannel, measurement.CountedUs(m_clock.NowUs()))));
    // The same measurement answers the same text however often it is fetched.
    SChannelState& state = m_aChannels[static_cast<size_t>(nChannel - 1)];
    if (!state.bCached || state.nCachedSerial != measurement.ResultSerial())
    {
        state.cachedReading = CScpiFormat::Reading(ReadingValue(nChannel, measurement.ResultGateUs()));
        state.nCachedSerial = measurement.ResultSerial();
        state.bCached = true;
    }
    return state.cachedReading;
}

double CCounterInstrument::ReadingValue(int nChannel, int64_t nGateUs)
{
    const SChannelSettings& channel = m_settings.Channel(nChannel);
    SReadingInputs inputs;
    inputs.eFunction = FunctionOf(nChannel);
    inputs.nGateUs = nGateUs;
    inputs.bAcCoupled = channel.coupling.Keyword() == "AC";
    inputs.dLowerPercent = ReferencePercent(nChannel, channel.lowerReference, kLowerReferencePercent);
    inputs.dUpperPercent = ReferencePercent(nChannel, channel.upperReference, kUpperReferencePercent);
    return CSignalModel::Reading(nChannel, m_settings.IsCommonRouting(), inputs, m_noise);
}

double CCounterInstrument::ReferencePercent(int nChannel, const CParameter& reference,
                                            double dDefaultPercent) const
{
    const std::string& keyword = reference.Keyword();
    if (keyword == "MIN")
        return kLowerReferencePercent;
    if (keyword == "MAX")
        return kUpperReferencePercent;
    if (!keyword.empty())
        return dDefaultPercent;
    if (reference.IsVolts())
        return CSignalModel::PercentOf(CSignalModel::Signal(nChannel, m_settings.IsCommonRouting()),
                                       reference.Number());
    return reference.Number();
}

void CCounterInstrument::ClearStatus()
{
    CCommand command(*this);
    m_errors.Clear();
    m_nEventStatus = 0;
    m_bOperationCompleteRequested = false;
}

void CCounterInstrument::Trigger()
{
    CCommand command(*this);
    BusTrigger();
}

void CCounterInstrument::Reset()
{
    CCommand command(*this);
    PowerOn();
    m_bOperationCompleteRequested = false;
}

void CCounterInstrument::BusTrigger()
{
    const bool bStartsOnBus = m_settings.StartSource() == "BUS";
    const bool bStopsOnBus = m_settings.StopSource() == "BUS";
    for (int nChannel = 1; nChannel <= CCounterSettings::kChannelCount; ++nChannel)
    {
        // One trigger moves a measurement on by one step: it either closes a gate or opens one.
        CMeasurement& measurement = MeasurementOf(nChannel);
        const bool bStopped = bStopsOnBus && measurement.StopArmEvent(m_clock.NowUs(), Rules(nChannel));
        if (!bStopped && bStartsOnBus)
            measurement.StartArmEvent(m_clock.NowUs());
    }
}

int CCounterInstrument::OperationCondition()
{
    CCommand command(*this);
    return PendingMeasurements() > 0 ? kMeasuringBit : 0;
}

int CCounterInstrument::PendingMeasurements() const
{
    return static_cast<int>(std::count_if(
        m_aChannels.begin(), m_aChannels.end(),
        [](const SChannelState& state) { return state.measurement.IsPending(); }));
}

int CCounterInstrument::TakeEventStatus()
{
    CCommand command(*this);
    const int nStatus = m_nEventStatus;
    m_nEventStatus = 0;
    return nStatus;
}

int CCounterInstrument::StatusByte(bool bMessageAvailable) const
{
    int nStatus = (HasErrors() ? kErrorQueueBit : 0) | (bMessageAvailable ? kMessageAvailableBit : 0) |
                  ((m_nEventStatus & m_nEventEnable) != 0 ? kEventSummaryBit : 0);
    if ((nStatus & m_nServiceEnable) != 0)
        nStatus |= kServiceRequestBit;
    return nStatus;
}

void CCounterInstrument::RequestOperationComplete()
{
    CCommand command(*this);
    m_bOperationCompleteRequested = true;
}

void CCounterInstrument::DeviceClear()
{
    CCommand command(*this, false);
    m_bQueryPending = false;
}

int CCounterInstrument::SelfTest(std::string& message)
{
    message = "Self test passed";
    return 0;
}

void CCounterInstrument::SetExternalArm(bool bOn)
{
    CCommand command(*this, false);
    m_bExternalArm = bOn;
}
} // namespace tarvexsim
