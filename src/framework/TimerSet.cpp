#include "TimerSet.h"

#include <QObject>
#include <QTimerEvent>

#include <algorithm>

CTimerSet::CTimerSet(QObject* pOwner) : m_pOwner(pOwner) {}

void CTimerSet::SetTimer(int nId, int nMilliseconds)
{
    KillTimer(nId);
    const int nInterval = std::max(0, nMilliseconds);
    const int nQtId = m_pOwner->startTimer(nInterval);
    if (nQtId != 0)
        m_timers[nId] = {nQtId, nInterval};
}

void CTimerSet::KillTimer(int nId)
{
    const auto it = m_timers.find(nId);
    if (it == m_timers.end())
        return;
    m_pOwner->killTimer(it->second.nQtId);
    m_timers.erase(it);
}

bool CTimerSet::IsRunning(int nId) const
{
    return m_timers.count(nId) != 0;
}

int CTimerSet::Interval(int nId) const
{
    const auto it = m_timers.find(nId);
    return it == m_timers.end() ? 0 : it->second.nInterval;
}

int CTimerSet::IdOf(const QTimerEvent* pEvent) const
{
    if (!pEvent)
        return 0;
    const auto it =
        std::find_if(m_timers.begin(), m_timers.end(),
                     [pEvent](const auto& entry) { return entry.second.nQtId == pEvent->timerId(); });
    return it == m_timers.end() ? 0 : it->first;
}
