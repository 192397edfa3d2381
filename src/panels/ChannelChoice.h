#pragma once
// The input channel a setting panel shows and sets: channel 1 or 2, chosen by the panel's Channel toggle
// (state 0 channel 1, state 1 channel 2). The panel's controller keeps it, so a panel shown again resumes
// on the channel last chosen.

#include <array>

class CChannelChoice
{
public:
    // One channel as the session addresses it.
    struct SChannel
    {
        int m_nChannel;
    };

    CChannelChoice() = default;
    CChannelChoice(const CChannelChoice&) = delete;
    CChannelChoice& operator=(const CChannelChoice&) = delete;

    int Current() const { return m_pChannel->m_nChannel; }
    void SelectByToggleState(int nState) { m_pChannel = &m_aChannels[nState == 0 ? 0 : 1]; }

private:
    std::array<SChannel, 2> m_aChannels{{{1}, {2}}};
    SChannel* m_pChannel = &m_aChannels[0];
};
