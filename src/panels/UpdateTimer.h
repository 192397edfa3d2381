#pragma once
// The frame's periodic update timer as the error report sees it: stopped while message boxes are up, so
// that no timer tick calls into the session during a report, and started again afterwards.

class IUpdateTimer
{
public:
    virtual ~IUpdateTimer() = default;
    virtual void StopUpdateTimer() = 0;
    virtual void StartUpdateTimer(int nMilliseconds) = 0;
};
