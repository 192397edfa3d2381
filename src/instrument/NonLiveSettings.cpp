#include "NonLiveSettings.h"

#include <algorithm>
#include <iterator>

namespace
{
constexpr EMeasureFunction kDefaultFunction = EMeasureFunction::Frequency;

constexpr const char* kDefaults[] = {
    "AUTO",   // configure parameter 1
    "DEF",    // configure parameter 2
    "DEF",    // configure parameter 3
    "DEF",    // configure parameter 4
    "+1",     // attenuation
    "DC",     // coupling
    "SEP",    // routing
    "POS",    // start slope
    "IMM",    // start source
    "POS",    // stop slope
    "IMM",    // stop source
    "0",      // timebase output
    "50.0",   // impedance
    "1.6",    // start level
    "1.6",    // stop level
    "100e-3", // aperture
    "0.0",    // trigger level
    "+50",    // relative trigger level
    "0",      // auto trigger
    "POS",    // slope
    "DEF",    // hysteresis
    "CLK10",  // reference oscillator source
};
static_assert(std::size(kDefaults) == CNonLiveSettings::SettingCount);

struct SKeywordValue
{
    CNonLiveSettings::ESetting eSetting;
    const char* pszKeyword;
    const char* pszStored;
};

constexpr SKeywordValue kKeywordValues[] = {
    {CNonLiveSettings::AutoTrigger, "ON", "1"},   {CNonLiveSettings::AutoTrigger, "OFF", "0"},
    {CNonLiveSettings::AutoTrigger, "ONCE", "0"}, {CNonLiveSettings::Attenuation, "MIN", "1"},
    {CNonLiveSettings::Attenuation, "MAX", "10"}, {CNonLiveSettings::Impedance, "MIN", "50"},
    {CNonLiveSettings::Impedance, "MAX", "1e6"},  {CNonLiveSettings::StartLevel, "MIN", "-1.3"},
    {CNonLiveSettings::StartLevel, "MAX", "1.6"}, {CNonLiveSettings::StartLevel, "DEF", "0"},
    {CNonLiveSettings::StopLevel, "MIN", "-1.3"}, {CNonLiveSettings::StopLevel, "MAX", "1.6"},
    {CNonLiveSettings::StopLevel, "DEF", "0"},
};
} // namespace

CNonLiveSettings::CNonLiveSettings() : m_eFunction(kDefaultFunction)
{
    std::copy(std::begin(kDefaults), std::end(kDefaults), m_astrSetting.begin());
}

void CNonLiveSettings::StoreConfiguration(EMeasureFunction eFunction, const std::string& p1,
                                          const std::string& p2, const std::string& p3, const std::string& p4)
{
    m_eFunction = eFunction;
    m_astrSetting[ConfigureParameter1] = p1;
    m_astrSetting[ConfigureParameter2] = p2;
    m_astrSetting[ConfigureParameter3] = p3;
    m_astrSetting[ConfigureParameter4] = p4;
}

void CNonLiveSettings::Store(ESetting eSetting, const std::string& text)
{
    for (const SKeywordValue& mapping : kKeywordValues)
    {
        if (mapping.eSetting == eSetting && text == mapping.pszKeyword)
        {
            m_astrSetting[eSetting] = mapping.pszStored;
            return;
        }
    }
    m_astrSetting[eSetting] = text;
}

void CNonLiveSettings::RestoreAfterReset()
{
    m_eFunction = kDefaultFunction;
    std::copy(std::begin(kDefaults) + Attenuation, std::end(kDefaults), m_astrSetting.begin() + Attenuation);
}
