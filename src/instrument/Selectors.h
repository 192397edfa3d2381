#pragma once
// The selectors of the session's setting operations: which setting of a group a set or query addresses.
// The session maps each to the driver's item codes.

// SetSense and QuerySense.
enum class ESenseSelector
{
    NoItem = 0, // sends item 0, which the counter does not know
    TriggerLevel = 1,
    RelativeTriggerLevel = 2,
    AutoTrigger = 3,
    Slope = 4,
    Hysteresis = 5,
    Aperture = 6,
    FrequencyRange = 7,
    FrequencyRangeAuto = 8,
    Function = 9,
    ExpectedValue = 10,
    Resolution = 11,
    ReferenceOscillator = 12,
    LowerReference = 13,
    UpperReference = 14,
    Averages = 15,
    Filter = 16,
};

// SetInput and QueryInput.
enum class EInputSelector
{
    Attenuation = 1,
    Coupling = 2,
    Impedance = 3,
    Routing = 4,
};

// SetArm and QueryArm. The immediate arms are set without a text and have no query.
enum class EArmSelector
{
    StartImmediate = 1,
    StartLevel = 2,
    StartSlope = 3,
    StartSource = 4,
    StopImmediate = 5,
    StopLevel = 6,
    StopSlope = 7,
    StopSource = 8,
};
