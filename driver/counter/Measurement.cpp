#include "Measurement.h"

namespace tarvexsim
{
bool CMeasurement::IsPending() const
{
    return m_ePhase == EPhase::WaitArm || m_ePhase == EPhase::Gate || m_ePhase == EPhase::WaitStop;
}

void CMeasurement::Initiate(int64_t nNowUs)
{
    m_ePhase = EPhase::WaitArm;
    m_nPhaseStartUs = nNowUs;
    m_bHasResult = false;
}

void CMeasurement::Abort()
{
    m_ePhase = EPhase::Idle;
    m_bHasResult = false;
}

void CMeasurement::Complete(int64_t nTimeUs, const SArmRules& rules)
{
    m_bHasResult = true;
    m_nResultGateUs = nTimeUs - m_nArmUs;
    ++m_nResultSerial;
    m_ePhase = rules.bContinuous ? EPhase::WaitArm : EPhase::Done;
    m_nPhaseStartUs = nTimeUs;
}

void CMeasurement::SkipRepeatedCycles(int64_t nNowUs, const SArmRules& rules)
{
    // Continuous, self-arming measurements repeat every gate time; only the last results matter, so long
    // stretches of them are counted rather than run one by one.
    if (!rules.bContinuous || !rules.bStartReady || !rules.bStopReady || rules.bTotalize ||
        rules.nGateUs <= 0)
        return;
    const int64_t nCycles = (nNowUs - m_nArmUs) / rules.nGateUs - 1;
    if (nCycles <= 0)
        return;
    m_nArmUs += nCycles * rules.nGateUs;
    m_nResultSerial += static_cast<uint64_t>(nCycles);
    m_nResultGateUs = rules.nGateUs;
    m_bHasResult = true;
}

void CMeasurement::Advance(int64_t nNowUs, const SArmRules& rules)
{
    for (;;)
    {
        switch (m_ePhase)
        {
        case EPhase::WaitArm:
            if (!rules.bStartReady)
            {
                m_nPhaseStartUs = nNowUs;
                return;
            }
            m_nArmUs = m_nPhaseStartUs;
            m_ePhase = EPhase::Gate;
            SkipRepeatedCycles(nNowUs, rules);
            break;
        case EPhase::Gate:
            // A total counts until an event stops it (an immediate or matching stop arm) or an abort.
            if (rules.bTotalize || nNowUs < m_nArmUs + rules.nGateUs)
                return;
            m_ePhase = EPhase::WaitStop;
            m_nPhaseStartUs = m_nArmUs + rules.nGateUs;
            break;
        case EPhase::WaitStop:
            if (!rules.bStopReady)
            {
                m_nPhaseStartUs = nNowUs;
                return;
            }
            Complete(m_nPhaseStartUs, rules);
            break;
        case EPhase::Idle:
        case EPhase::Done:
            return;
        }
    }
}

bool CMeasurement::StartArmEvent(int64_t nNowUs)
{
    if (m_ePhase != EPhase::WaitArm)
        return false;
    m_ePhase = EPhase::Gate;
    m_nArmUs = nNowUs;
    return true;
}

bool CMeasurement::StopArmEvent(int64_t nNowUs, const SArmRules& rules)
{
    if (m_ePhase != EPhase::Gate && m_ePhase != EPhase::WaitStop)
        return false;
    Complete(nNowUs, rules);
    return true;
}

std::optional<int64_t> CMeasurement::CompletionUs(const SArmRules& rules) const
{
    switch (m_ePhase)
    {
    case EPhase::Gate:
        if (rules.bTotalize || !rules.bStopReady)
            return std::nullopt;
        return m_nArmUs + rules.nGateUs;
    case EPhase::Done:
    case EPhase::Idle:
    case EPhase::WaitArm:
    case EPhase::WaitStop:
        break;
    }
    return std::nullopt;
}

int64_t CMeasurement::CountedUs(int64_t nNowUs) const
{
    if (m_ePhase == EPhase::Gate)
        return nNowUs - m_nArmUs;
    return m_bHasResult ? m_nResultGateUs : 0;
}
} // namespace tarvexsim
