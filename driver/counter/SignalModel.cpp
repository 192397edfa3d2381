#include "SignalModel.h"

#include "NoiseSource.h"

#include <algorithm>
#include <cmath>

namespace tarvexsim
{
namespace
{
constexpr SSignal kSignals[] = {
    {10e6, 1.0, 0.05, 0.4, 2.5e-9, 3.0e-9},
    {1e6, 0.5, 0.0, 0.5, 5.0e-9, 5.0e-9},
    {1.2000005e9, 0.2, 0.0, 0.5, 1.0e-10, 1.0e-10},
};
// Time from an edge on channel 1 to the next edge on channel 2.
constexpr double kTimeInterval = 1.5e-7;
// Relative frequency noise times the gate time: 1e-7 at the default 0.1 s gate.
constexpr double kFrequencyNoiseSeconds = 1e-8;
constexpr double kTimeNoise = 50e-12;
constexpr double kVoltageNoise = 1e-3;
// A gate never counts as shorter than this, so that a gate closed at once still reads finitely.
constexpr double kShortestGate = 1e-6;
// Rise and fall times are given between these levels.
constexpr double kEdgeSpanPercent = 80.0;
} // namespace

SSignal CSignalModel::Signal(int nChannel, bool bCommonRouting)
{
    const int nSource = nChannel == 2 && bCommonRouting ? 1 : std::clamp(nChannel, 1, 3);
    return kSignals[nSource - 1];
}

double CSignalModel::Reading(int nChannel, bool bCommonRouting, const SReadingInputs& inputs,
                             CNoiseSource& noise)
{
    const SSignal signal = Signal(nChannel, bCommonRouting);
    const double dGate = std::max(static_cast<double>(inputs.nGateUs) * 1e-6, kShortestGate);
    const double dRelative = 1.0 + noise.Gaussian() * kFrequencyNoiseSeconds / dGate;
    const double dTimeNoise = noise.Gaussian() * kTimeNoise;
    const double dVoltNoise = noise.Gaussian() * kVoltageNoise;
    // AC coupling takes the mean away.
    const double dShift = inputs.bAcCoupled ? -signal.Mean() : 0.0;

    switch (inputs.eFunction)
    {
    case EFunction::Frequency:
        return signal.dFrequency * dRelative;
    case EFunction::Period:
        return 1.0 / (signal.dFrequency * dRelative);
    case EFunction::FrequencyRatio:
    {
        const SSignal reference = Signal(nChannel == 1 ? 2 : 1, bCommonRouting);
        return signal.dFrequency / reference.dFrequency * dRelative;
    }
    case EFunction::PositiveWidth:
        return signal.dDutyCycle / signal.dFrequency + dTimeNoise;
    case EFunction::NegativeWidth:
        return (1.0 - signal.dDutyCycle) / signal.dFrequency + dTimeNoise;
    case EFunction::AcVolts:
        return 2.0 * signal.dAmplitude * std::sqrt(signal.dDutyCycle * (1.0 - signal.dDutyCycle)) +
               dVoltNoise;
    case EFunction::DcVolts:
        return signal.Mean() + dShift + dVoltNoise;
    case EFunction::MinVolts:
        return signal.Low() + dShift + dVoltNoise;
    case EFunction::MaxVolts:
        return signal.High() + dShift + dVoltNoise;
    case EFunction::TimeInterval:
        return kTimeInterval + dTimeNoise;
    case EFunction::RiseTime:
    case EFunction::FallTime:
    {
        const double dEdge = inputs.eFunction == EFunction::RiseTime ? signal.dRiseTime : signal.dFallTime;
        const double dSpan = std::abs(inputs.dUpperPercent - inputs.dLowerPercent) / kEdgeSpanPercent;
        return dEdge * dSpan + dTimeNoise * 0.1;
    }
    case EFunction::Totalize:
        break;
    }
    return static_cast<double>(Count(nChannel, bCommonRouting, inputs.nGateUs));
}

int64_t CSignalModel::Count(int nChannel, bool bCommonRouting, int64_t nMicroseconds)
{
    // Whole hertz times whole microseconds stay exact in a double for seconds of counting.
    const double dEdges = Signal(nChannel, bCommonRouting).dFrequency *
                          static_cast<double>(std::max<int64_t>(nMicroseconds, 0));
    return static_cast<int64_t>(std::floor(dEdges / 1e6));
}

double CSignalModel::LevelAt(const SSignal& signal, double dPercent)
{
    return signal.Low() + (signal.High() - signal.Low()) * dPercent / 100.0;
}

double CSignalModel::PercentOf(const SSignal& signal, double dVolts)
{
    return std::clamp((dVolts - signal.Low()) / (signal.High() - signal.Low()) * 100.0, 0.0, 100.0);
}
} // namespace tarvexsim
