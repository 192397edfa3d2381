#include "Emulator.h"

#include <algorithm>

namespace emulator
{
CEmulator::CEmulator(SIdentity identity, std::ostream* pCommandLog)
    : m_counter(m_clock), m_identity(std::move(identity)), m_pCommandLog(pCommandLog)
{
    m_counter.ResetSimulation();
}

int CEmulator::Attach(ILink& link)
{
    m_links.push_back(&link);
    return m_nNextLink++;
}

void CEmulator::Detach(ILink& link)
{
    std::erase(m_links, &link);
}

void CEmulator::Receive(int nLink, CScpiDevice& device, std::string_view message)
{
    if (m_pCommandLog)
        *m_pCommandLog << nLink << ' ' << message << std::endl;
    ++m_nReceived;
    device.Receive(message);
}

void CEmulator::ContinueAll()
{
    m_counter.Advance();
    const int64_t nNowUs = NowUs();
    // A link's flush may run the next message it holds, which may end another link's wait: go round again
    // while messages are run, a bounded number of times.
    for (int nRound = 0; nRound < kMaxRounds; ++nRound)
    {
        const uint64_t nReceivedBefore = m_nReceived;
        const std::vector<ILink*> links = m_links;
        for (ILink* pLink : links)
        {
            if (std::find(m_links.begin(), m_links.end(), pLink) == m_links.end())
                continue;
            pLink->Device().Continue();
            pLink->Flush(nNowUs);
        }
        if (m_nReceived == nReceivedBefore)
            break;
    }
}

std::optional<int64_t> CEmulator::WakeUpUs()
{
    std::optional<int64_t> earliest;
    for (ILink* pLink : m_links)
    {
        for (const auto time : {pLink->Device().WakeUpUs(), pLink->WakeUpUs()})
            if (time && (!earliest || *time < *earliest))
                earliest = time;
    }
    return earliest;
}
} // namespace emulator
