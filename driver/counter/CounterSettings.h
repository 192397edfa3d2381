#pragma once
// Everything the counter remembers: the three channels' settings, the arming of a measurement, the
// outputs, and the settings the channels share. Reads and answers them by the item codes of the driver's
// sense, input, arm and output entry points.

#include "ChannelSettings.h"
#include "TarvexAbi.h"

#include <array>
#include <string>

namespace tarvexsim
{
enum class ESubsystem
{
    Sense,
    Input,
    Arm,
    Output,
};

enum class EItemRole
{
    Set,
    Query,
    Unknown,
};

class CCounterSettings
{
public:
    static constexpr int kChannelCount = 3;
    static constexpr int kTriggerLineCount = 8;
    CCounterSettings();
    void PowerOn();

    static EItemRole Role(ESubsystem eSubsystem, int nItem);
    // nIndex is the channel (sense, input), the trigger line (output) or unused (arm). Null when taken.
    const scpi::SScpiError* Set(ESubsystem eSubsystem, int nIndex, int nItem, const CScpiValue& value);
    const scpi::SScpiError* Query(ESubsystem eSubsystem, int nIndex, int nItem, std::string& answer);
    // Sets the function and its four parameters together, or nothing at all.
    const scpi::SScpiError* Configure(int nChannel, int nFunctionIndex, const CScpiValue (&aParameters)[4]);

    static bool IsChannel(int nChannel) { return nChannel >= 1 && nChannel <= kChannelCount; }
    SChannelSettings& Channel(int nChannel) { return m_aChannels[static_cast<size_t>(nChannel - 1)]; }
    const SChannelSettings& Channel(int nChannel) const
    {
        return m_aChannels[static_cast<size_t>(nChannel - 1)];
    }
    const std::string& StartSource() const { return m_startSource.Keyword(); }
    const std::string& StopSource() const { return m_stopSource.Keyword(); }
    bool IsLineDriven(int nLine) const { return m_aLines[static_cast<size_t>(nLine)].IsOn(); }
    bool IsCommonRouting() const { return m_routing.Keyword() == "COMM"; }

private:
    // How an item's index argument is checked before the item is looked up.
    enum class EIndex
    {
        Channel,
        Line,
        None,
    };

    struct SItem
    {
        ESubsystem eSubsystem;
        int nSetItem;
        int nQueryItem; // 0: no query
        EIndex eIndex;
        CParameter& (*pfnParameter)(CCounterSettings& settings, int nIndex);
    };

    static const SItem* FindItem(ESubsystem eSubsystem, int nItem);
    const scpi::SScpiError* Lookup(ESubsystem eSubsystem, int nIndex, int nItem, EItemRole eRole,
                                   CParameter*& pParameter);

    std::array<SChannelSettings, kChannelCount> m_aChannels;
    CParameter m_referenceSource;
    CParameter m_routing;
    CParameter m_startLevel;
    CParameter m_startSlope;
    CParameter m_startSource;
    CParameter m_stopLevel;
    CParameter m_stopSlope;
    CParameter m_stopSource;
    std::array<CParameter, kTriggerLineCount> m_aLines;
    CParameter m_timebaseOutput;

    static const SItem s_aItems[];
};
} // namespace tarvexsim
