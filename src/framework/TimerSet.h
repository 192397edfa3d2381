#pragma once
// Numbered timers of one window (SetTimer / KillTimer): the owner forwards its timerEvent and learns
// which numbered timer fired. Setting a running timer again restarts it with the new period.

#include <map>

class QObject;
class QTimerEvent;

class CTimerSet
{
public:
    explicit CTimerSet(QObject* pOwner);

    void SetTimer(int nId, int nMilliseconds);
    void KillTimer(int nId);
    bool IsRunning(int nId) const;
    int Interval(int nId) const;               // 0 when not running
    int IdOf(const QTimerEvent* pEvent) const; // 0 for a timer that is not ours

private:
    struct STimer
    {
        int nQtId;
        int nInterval;
    };
    QObject* m_pOwner;
    std::map<int, STimer> m_timers;
};
