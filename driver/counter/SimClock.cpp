#include "SimClock.h"

#include <thread>

namespace tarvexsim
{
CSimClock::CSimClock()
{
    Restart();
}

void CSimClock::Restart()
{
    m_epoch = std::chrono::steady_clock::now();
    m_nWallOffsetUs = 0;
    m_nManualUs = 0;
    m_bManual = false;
}

int64_t CSimClock::WallUs() const
{
    const auto elapsed = std::chrono::steady_clock::now() - m_epoch;
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() + m_nWallOffsetUs;
}

int64_t CSimClock::NowUs() const
{
    return m_bManual ? m_nManualUs : WallUs();
}

void CSimClock::UseManual(bool bManual)
{
    if (bManual == m_bManual)
        return;
    if (bManual)
        m_nManualUs = WallUs();
    else
        m_nWallOffsetUs += m_nManualUs - WallUs();
    m_bManual = bManual;
}

void CSimClock::AdvanceUs(int64_t nStepUs)
{
    if (nStepUs <= 0)
        return;
    if (m_bManual)
        m_nManualUs += nStepUs;
    else
        m_nWallOffsetUs += nStepUs;
}

void CSimClock::WaitUntil(int64_t nTimeUs)
{
    const int64_t nWaitUs = nTimeUs - NowUs();
    if (nWaitUs <= 0)
        return;
    if (m_bManual)
        m_nManualUs = nTimeUs;
    else
        std::this_thread::sleep_for(std::chrono::microseconds(nWaitUs));
}
} // namespace tarvexsim
