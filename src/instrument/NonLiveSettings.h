#pragma once
// The program-wide record the session answers from when no instrument is open: a function index and 22
// setting texts, starting at the counter's power-on values. Storing a keyword keeps the value the counter
// itself would keep for it (auto trigger "ON" as "1", an attenuation "MAX" as "10", and so on).

#include "MeasureFunction.h"

#include <array>
#include <string>

class CNonLiveSettings
{
public:
    enum ESetting
    {
        ConfigureParameter1,
        ConfigureParameter2,
        ConfigureParameter3,
        ConfigureParameter4,
        Attenuation,
        Coupling,
        Routing,
        StartSlope,
        StartSource,
        StopSlope,
        StopSource,
        TimebaseOutput,
        Impedance,
        StartLevel,
        StopLevel,
        Aperture,
        TriggerLevel,
        RelativeTriggerLevel,
        AutoTrigger,
        Slope,
        Hysteresis,
        ReferenceOscillatorSource,
        SettingCount,
    };

    CNonLiveSettings();

    EMeasureFunction Function() const { return m_eFunction; }
    const std::string& Setting(ESetting eSetting) const { return m_astrSetting[eSetting]; }

    void StoreConfiguration(EMeasureFunction eFunction, const std::string& p1, const std::string& p2,
                            const std::string& p3, const std::string& p4);
    // Stores a text as the counter would keep it: a keyword with a value of its own becomes that value.
    void Store(ESetting eSetting, const std::string& text);
    // The instrument reset: the function and every setting but the configure parameters.
    void RestoreAfterReset();

private:
    EMeasureFunction m_eFunction;
    std::array<std::string, SettingCount> m_astrSetting;
};
