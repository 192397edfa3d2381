#pragma once
// The settings the counter keeps for each of its three channels: event detection, gate, function and
// its configuration, input conditioning, continuous initiation.

#include "Parameter.h"

namespace tarvexsim
{
struct SChannelSettings
{
    explicit SChannelSettings(int nChannel);
    void PowerOn();

    // sense
    CParameter triggerLevel;
    CParameter autoTrigger;
    CParameter relativeLevel;
    CParameter slope;
    CParameter hysteresis;
    CParameter aperture;
    CParameter frequencyRange;
    CParameter frequencyRangeAuto;
    CParameter function;
    CParameter expected;
    CParameter resolution;
    CParameter lowerReference;
    CParameter upperReference;
    CParameter filter;
    CParameter averages;
    // input
    CParameter attenuation;
    CParameter coupling;
    CParameter impedance;
    // initiate
    CParameter continuous;
};
} // namespace tarvexsim
