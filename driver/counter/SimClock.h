#pragma once
// The simulator's time in microseconds: the wall clock, or a manual clock that moves only when told, so
// that tests never wait. Time never runs backwards, also when switching between the two.

#include <chrono>
#include <cstdint>

namespace tarvexsim
{
class CSimClock
{
public:
    CSimClock();

    int64_t NowUs() const;
    void UseManual(bool bManual);
    // Moves time forward (a negative step does nothing); with the wall clock, it jumps ahead.
    void AdvanceUs(int64_t nStepUs);
    // Waits until the given time: the manual clock jumps there, the wall clock sleeps.
    void WaitUntil(int64_t nTimeUs);
    // The wall clock again, starting from zero.
    void Restart();

private:
    int64_t WallUs() const;

    std::chrono::steady_clock::time_point m_epoch;
    int64_t m_nWallOffsetUs = 0;
    int64_t m_nManualUs = 0;
    bool m_bManual = false;
};
} // namespace tarvexsim
