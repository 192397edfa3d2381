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

// The items of each entry point, a set item and the query that answers it. The sense items 22, 24 and 28
// to 34 have no caller in the program; they give the rest of a channel's settings an item of their own:
//   22/23 expected value, 24/25 resolution, 28/29 lower reference, 30/31 upper reference: the present
//         function's configure parameters, one at a time;
//   32/33 the input's low-pass filter, ON or OFF; 34/35 the number of readings averaged, 1 to 1000 (both
//         only kept and answered: the simulated readings do not depend on them).
// 17 and 19 answer the frequency range and its automatic selection, which the program only sets.
const CCounterSettings::SItem CCounterSettings::s_aItems[] = {
    {ESubsystem::Sense, 4, 5, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).triggerLevel; }},
    {ESubsystem::Sense, 6, 7, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).autoTrigger; }},
    {ESubsystem::Sense, 8, 9, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).relativeLevel; }},
    {ESubsystem::Sense, 10, 11, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).slope; }},
    {ESubsystem::Sense, 12, 13, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).hysteresis; }},
    {ESubsystem::Sense, 14, 15, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).aperture; }},
    {ESubsystem::Sense, 16, 17, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).frequencyRange; }},
    {ESubsystem::Sense, 18, 19, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).frequencyRangeAuto; }},
    {ESubsystem::Sense, 20, 21, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).function; }},
    {ESubsystem::Sense, 22, 23, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).expected; }},
    {ESubsystem::Sense, 24, 25, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).resolution; }},
    {ESubsystem::Sense, 26, 27, EIndex::Channel,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_referenceSource; }},
    {ESubsystem::Sense, 28, 29, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).lowerReference; }},
    {ESubsystem::Sense, 30, 31, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).upperReference; }},
    {ESubsystem::Sense, 32, 33, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).filter; }},
    {ESubsystem::Sense, 34, 35, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).averages; }},
    {ESubsystem::Input, 1, 2, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).attenuation; }},
    {ESubsystem::Input, 3, 4, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).coupling; }},
    {ESubsystem::Input, 5, 6, EIndex::Channel,
     [](CCounterSettings& s, int c) -> CParameter& { return s.Channel(c).impedance; }},
    {ESubsystem::Input, 7, 8, EIndex::Channel,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_routing; }},
    {ESubsystem::Arm, 2, 3, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startLevel; }},
    {ESubsystem::Arm, 4, 5, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startSlope; }},
    {ESubsystem::Arm, 6, 7, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_startSource; }},
    {ESubsystem::Arm, 9, 10, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopLevel; }},
    {ESubsystem::Arm, 11, 12, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopSlope; }},
    {ESubsystem::Arm, 13, 14, EIndex::None,
     [](CCounterSettings& s, int) -> CParameter& { return s.m_stopSource; }},
    {ESubsystem::Output, 1, 2, EIndex::Line,
     [](CCounterSettings& s, int n) -> CParameter& { return s.m_aLines[static_cast<size_t>(n)]; }},
    {ESubsystem::Output, 3, 4, EIndex::None,
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
    {
        if (item.eSubsystem == eSubsystem && (item.nSetItem == nItem || item.nQueryItem == nItem))
            return &item;
    }
    return nullptr;
}

EItemRole CCounterSettings::Role(ESubsystem eSubsystem, int nItem)
{
    if (eSubsystem == ESubsystem::Arm && (nItem == kStartImmediateItem || nItem == kStopImmediateItem))
        return EItemRole::Set;
    const SItem* pItem = FindItem(eSubsystem, nItem);
    if (!pItem)
        return EItemRole::Unknown;
    return pItem->nSetItem == nItem ? EItemRole::Set : EItemRole::Query;
}

const SScpiError* CCounterSettings::Lookup(ESubsystem eSubsystem, int nIndex, int nItem, EItemRole eRole,
                                           CParameter*& pParameter)
{
    const SItem* pItem = FindItem(eSubsystem, nItem);
    if (!pItem || Role(eSubsystem, nItem) != eRole)
        return &kUndefinedHeader;
    if ((pItem->eIndex == EIndex::Channel && !IsChannel(nIndex)) ||
        (pItem->eIndex == EIndex::Line && (nIndex < 0 || nIndex >= kTriggerLineCount)))
        return &kDataOutOfRange;
    pParameter = &pItem->pfnParameter(*this, nIndex);
    return nullptr;
}

const SScpiError* CCounterSettings::Set(ESubsystem eSubsystem, int nIndex, int nItem, const CScpiValue& value)
{
    CParameter* pParameter = nullptr;
    if (const SScpiError* pError = Lookup(eSubsystem, nIndex, nItem, EItemRole::Set, pParameter))
        return pError;
    return pParameter->Set(value);
}

const SScpiError* CCounterSettings::Query(ESubsystem eSubsystem, int nIndex, int nItem, std::string& answer)
{
    CParameter* pParameter = nullptr;
    if (const SScpiError* pError = Lookup(eSubsystem, nIndex, nItem, EItemRole::Query, pParameter))
        return pError;
    answer = pParameter->Answer();
    return nullptr;
}

const SScpiError* CCounterSettings::Configure(int nChannel, int nFunctionIndex,
                                              const CScpiValue (&aParameters)[4])
{
    if (!IsChannel(nChannel))
        return &kDataOutOfRange;
    const std::string_view keyword = FunctionKeyword(nFunctionIndex);
    if (keyword.empty())
        return &kIllegalParameter;
    // Worked on a copy, so that a refused parameter leaves the whole configuration as it was.
    SChannelSettings channel = Channel(nChannel);
    if (const SScpiError* pError = channel.function.Set(CScpiValue::FromText(keyword)))
        return pError;
    CParameter* aTargets[4] = {&channel.expected, &channel.resolution, &channel.lowerReference,
                               &channel.upperReference};
    for (size_t n = 0; n < 4; ++n)
    {
        if (const SScpiError* pError = aTargets[n]->Set(aParameters[n]))
            return pError;
    }
    Channel(nChannel) = channel;
    return nullptr;
}
} // namespace tarvexsim
