#include "CounterSettings.h"

#include "MeasureFunction.h"

namespace tarvexsim
{
namespace
{
struct SRules
{
    SParameterRule referenceSource = SParameterRule::Choice("CLK10", {"INT", "EXT", "CLK10"});
    SParameterRule routing = SParameterRule::Choice("SEP", {"SEP", "COMM"});
    // The arming levels: MIN, DEF and MAX read back as -1.3, 0 and 1.6.
    SParameterRule armLevel = SParameterRule::Number("1.6", -1.3, 1.6, 0.0);
    SParameterRule slope = SParameterRule::Choice("POS", {"POS", "NEG"});
    SParameterRule armSource =
        SParameterRule::Choice("IMM", {"EXT", "IMM", "BUS", "HOLD", "TTLT0", "TTLT1", "TTLT2", "TTLT3",
                                       "TTLT4", "TTLT5", "TTLT6", "TTLT7"});
    SParameterRule offByDefault = SParameterRule::Boolean("OFF");
};

const SRules& Rules()
{
    static const SRules rules;
    return rules;
}

template <size_t... N> std::array<CParameter, sizeof...(N)> MakeLines(std::index_sequence<N...>)
{
    return {((void)N, CParameter(Rules().offByDefault))...};
}
} // namespace

// The items of each entry point, a set item and the query that answers it. The sense items of the
// expected value, resolution, lower and upper reference (the present function's configure parameters, one
// at a time), filter (ON or OFF) and averages (1 to 1000 readings) have no caller in the program; they give
// the rest of a channel's settings an item of their own (filter and averages are only kept and answered:
// the simulated readings do not depend on them). The program only sets the frequency range and its
// automatic selection; their query items answer them.
const CCounterSettings::SItem CCounterSettings::s_aItems[] = {
    {ESubsystem::Sense, TARVEX_SENSE_TRIGGER_LEVEL_SET, TARVEX_SENSE_TRIGGER_LEVEL_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).triggerLevel; }},
    {ESubsystem::Sense, TARVEX_SENSE_AUTO_TRIGGER_SET, TARVEX_SENSE_AUTO_TRIGGER_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).autoTrigger; }},
    {ESubsystem::Sense, TARVEX_SENSE_RELATIVE_LEVEL_SET, TARVEX_SENSE_RELATIVE_LEVEL_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).relativeLevel; }},
    {ESubsystem::Sense, TARVEX_SENSE_SLOPE_SET, TARVEX_SENSE_SLOPE_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).slope; }},
    {ESubsystem::Sense, TARVEX_SENSE_HYSTERESIS_SET, TARVEX_SENSE_HYSTERESIS_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).hysteresis; }},
    {ESubsystem::Sense, TARVEX_SENSE_APERTURE_SET, TARVEX_SENSE_APERTURE_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).aperture; }},
    {ESubsystem::Sense, TARVEX_SENSE_FREQ_RANGE_SET, TARVEX_SENSE_FREQ_RANGE_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).frequencyRange; }},
    {ESubsystem::Sense, TARVEX_SENSE_FREQ_RANGE_AUTO_SET, TARVEX_SENSE_FREQ_RANGE_AUTO_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).frequencyRangeAuto; }},
    {ESubsystem::Sense, TARVEX_SENSE_FUNCTION_SET, TARVEX_SENSE_FUNCTION_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).function; }},
    {ESubsystem::Sense, TARVEX_SENSE_EXPECTED_SET, TARVEX_SENSE_EXPECTED_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).expected; }},
    {ESubsystem::Sense, TARVEX_SENSE_RESOLUTION_SET, TARVEX_SENSE_RESOLUTION_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).resolution; }},
    {ESubsystem::Sense, TARVEX_SENSE_ROSC_SOURCE_SET, TARVEX_SENSE_ROSC_SOURCE_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_referenceSource; }},
    {ESubsystem::Sense, TARVEX_SENSE_LOWER_REF_SET, TARVEX_SENSE_LOWER_REF_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).lowerReference; }},
    {ESubsystem::Sense, TARVEX_SENSE_UPPER_REF_SET, TARVEX_SENSE_UPPER_REF_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).upperReference; }},
    {ESubsystem::Sense, TARVEX_SENSE_FILTER_SET, TARVEX_SENSE_FILTER_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).filter; }},
    {ESubsystem::Sense, TARVEX_SENSE_AVERAGES_SET, TARVEX_SENSE_AVERAGES_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).averages; }},
    {ESubsystem::Input, TARVEX_INPUT_ATTENUATION_SET, TARVEX_INPUT_ATTENUATION_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).attenuation; }},
    {ESubsystem::Input, TARVEX_INPUT_COUPLING_SET, TARVEX_INPUT_COUPLING_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).coupling; }},
    {ESubsystem::Input, TARVEX_INPUT_IMPEDANCE_SET, TARVEX_INPUT_IMPEDANCE_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).impedance; }},
    {ESubsystem::Input, TARVEX_INPUT_ROUTING_SET, TARVEX_INPUT_ROUTING_QUERY, EIndex::Channel,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_routing; }},
    {ESubsystem::Arm, TARVEX_ARM_START_LEVEL_SET, TARVEX_ARM_START_LEVEL_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startLevel; }},
    {ESubsystem::Arm, TARVEX_ARM_START_SLOPE_SET, TARVEX_ARM_START_SLOPE_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startSlope; }},
    {ESubsystem::Arm, TARVEX_ARM_START_SOURCE_SET, TARVEX_ARM_START_SOURCE_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startSource; }},
    {ESubsystem::Arm, TARVEX_ARM_STOP_LEVEL_SET, TARVEX_ARM_STOP_LEVEL_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopLevel; }},
    {ESubsystem::Arm, TARVEX_ARM_STOP_SLOPE_SET, TARVEX_ARM_STOP_SLOPE_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopSlope; }},
    {ESubsystem::Arm, TARVEX_ARM_STOP_SOURCE_SET, TARVEX_ARM_STOP_SOURCE_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopSource; }},
    {ESubsystem::Output, TARVEX_OUTPUT_TRIGGER_LINE_SET, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, EIndex::Line,
     [](CCounterSettings& s, int n) -> CParameter& { return s.m_aLines[static_cast<size_t>(n)]; }},
    {ESubsystem::Output, TARVEX_OUTPUT_TIMEBASE_SET, TARVEX_OUTPUT_TIMEBASE_QUERY, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_timebaseOutput; }},
};

CCounterSettings::CCounterSettings()
    : m_aChannels{SChannelSettings(1), SChannelSettings(2), SChannelSettings(3)},
      m_referenceSource(Rules().referenceSource), m_routing(Rules().routing), m_startLevel(Rules().armLevel),
      m_startSlope(Rules().slope), m_startSource(Rules().armSource), m_stopLevel(Rules().armLevel),
      m_stopSlope(Rules().slope), m_stopSource(Rules().armSource),
      m_aLines(MakeLines(std::make_index_sequence<kTriggerLineCount>())),
      m_timebaseOutput(Rules().offByDefault)
{
}

void CCounterSettings::PowerOn()
{
    for (SChannelSettings& channel : m_aChannels)
        channel.PowerOn();
    for (CParameter& line : m_aLines)
        line.PowerOn();
    for (CParameter* pParameter :
         {&m_referenceSource, &m_routing, &m_startLevel, &m_startSlope, &m_startSource, &m_stopLevel,
          &m_stopSlope, &m_stopSource, &m_timebaseOutput})
        pParameter->PowerOn();
}

const CCounterSettings::SItem* CCounterSettings::FindItem(ESubsystem eSubsystem, int nItem)
{
    for (const SItem& item : s_aItems)
        if (item.eSubsystem == eSubsystem && (item.nSetItem == nItem || item.nQueryItem == nItem))
            return &item;
    return nullptr;
}

EItemRole CCounterSettings::Role(ESubsystem eSubsystem, int nItem)
{
    if (eSubsystem == ESubsystem::Arm &&
        (nItem == TARVEX_ARM_START_IMMEDIATE || nItem == TARVEX_ARM_STOP_IMMEDIATE))
        return EItemRole::Set;
    const SItem* pItem = FindItem(eSubsystem, nItem);
    if (!pItem)
        return EItemRole::Unknown;
    return pItem->nSetItem == nItem ? EItemRole::Set : EItemRole::Query;
}

const scpi::SScpiError* CCounterSettings::Lookup(ESubsystem eSubsystem, int nIndex, int nItem,
                                                 EItemRole eRole, CParameter*& pParameter)
{
    const SItem* pItem = FindItem(eSubsystem, nItem);
    if (!pItem || Role(eSubsystem, nItem) != eRole)
        return &scpi::kUndefinedHeader;
    if ((pItem->eIndex == EIndex::Channel && !IsChannel(nIndex)) ||
        (pItem->eIndex == EIndex::Line && (nIndex < 0 || nIndex >= kTriggerLineCount)))
        return &scpi::kDataOutOfRange;
    pParameter = &pItem->pfnParameter(*this, nIndex);
    return nullptr;
}

const scpi::SScpiError* CCounterSettings::Set(ESubsystem eSubsystem, int nIndex, int nItem,
                                              const CScpiValue& value)
{
    CParameter* pParameter = nullptr;
    if (const scpi::SScpiError* pError = Lookup(eSubsystem, nIndex, nItem, EItemRole::Set, pParameter))
        return pError;
    return pParameter->Set(value);
}

const scpi::SScpiError* CCounterSettings::Query(ESubsystem eSubsystem, int nIndex, int nItem,
                                                std::string& answer)
{
    CParameter* pParameter = nullptr;
    if (const scpi::SScpiError* pError = Lookup(eSubsystem, nIndex, nItem, EItemRole::Query, pParameter))
        return pError;
    answer = pParameter->Answer();
    return nullptr;
}

const scpi::SScpiError* CCounterSettings::Configure(int nChannel, int nFunctionIndex,
                                                    const CScpiValue (&aParameters)[4])
{
    if (!IsChannel(nChannel))
        return &scpi::kDataOutOfRange;
    const std::string_view keyword = FunctionKeyword(nFunctionIndex);
    if (keyword.empty())
        return &scpi::kIllegalParameter;
    // Worked on a copy, so that a refused parameter leaves the whole configuration as it was.
    SChannelSettings channel = Channel(nChannel);
    if (const scpi::SScpiError* pError = channel.function.Set(CScpiValue::FromText(keyword)))
        return pError;
    CParameter* aTargets[4] = {&channel.expected, &channel.resolution, &channel.lowerReference,
                               &channel.upperReference};
    for (size_t n = 0; n < 4; ++n)
        if (const scpi::SScpiError* pError = aTargets[n]->Set(aParameters[n]))
            return pError;
    Channel(nChannel) = channel;
    return nullptr;
}
} // namespace tarvexsim
