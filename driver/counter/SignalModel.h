#pragma once
// The signals on the counter's three inputs and what each measurement function reads from them: channel 1
// a 10 MHz pulse of 1 V amplitude, 40 % duty cycle and a small offset; channel 2 a 1 MHz square wave;
// channel 3 about 1.2 GHz. Frequency noise shrinks as the gate grows.

#include "MeasureFunction.h"

#include <cstdint>

namespace tarvexsim
{
class CNoiseSource;

struct SSignal
{
    double dFrequency; // Hz
    double dAmplitude; // V, half of peak to peak
    double dOffset;    // V, the middle between low and high
    double dDutyCycle; // fraction of the period spent high
    double dRiseTime;  // s, 10 % to 90 %
    double dFallTime;  // s, 90 % to 10 %

    double Low() const { return dOffset - dAmplitude; }
    double High() const { return dOffset + dAmplitude; }
    double Mean() const { return Low() + 2.0 * dAmplitude * dDutyCycle; }
};

struct SReadingInputs
{
    EFunction eFunction;
    int64_t nGateUs;
    bool bAcCoupled;
    double dLowerPercent; // reference levels of rise and fall times, in percent of the amplitude
    double dUpperPercent;
};

class CSignalModel
{
public:
    // With common routing, channel 2 sees channel 1's signal.
    static SSignal Signal(int nChannel, bool bCommonRouting);
    static double Reading(int nChannel, bool bCommonRouting, const SReadingInputs& inputs,
                          CNoiseSource& noise);
    // Edges counted in the given time.
    static int64_t Count(int nChannel, bool bCommonRouting, int64_t nMicroseconds);
    // A level given in percent of the signal's swing, and back.
    static double LevelAt(const SSignal& signal, double dPercent);
    static double PercentOf(const SSignal& signal, double dVolts);
};
} // namespace tarvexsim
