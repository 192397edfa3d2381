#pragma once
// What the panels work with, handed to each panel controller by the frame when it creates the controller:
// the one instrument session, the frame window the panels are shown in with its Auto Update Mode, and the
// frame's update timer, which the error report stops while its boxes are up. The frame is reached only
// through these callbacks; the panels know nothing else of the application.

#include "UpdateTimer.h"

#include "framework/WinTypes.h"
#include "framework/base/UserException.h"

#include <utility>

class CInstrumentSession;
class QWidget;

// The frame as the panels see it.
class IPanelFrame
{
public:
    virtual ~IPanelFrame() = default;
    virtual QWidget* ClientArea() = 0; // the parent of the panel dialogs
    // Resizes the frame, keeping its top-left corner, so that its client area ends where the panel ends.
    virtual void FitToPanel(const QWidget& panel) = 0;
    // Auto Update Mode, a fresh reading on every tick: whether it is on, and the System menu's command
    // that switches it (on when off, off when on).
    virtual bool IsAutoUpdateOn() const = 0;
    virtual void OnAutoUpdateMode() = 0;
};

// The Measure panel's measurement as the other panels see it.
class IMeasurement
{
public:
    virtual int GetChannelNumber() const = 0; // the channel the Measure panel measures: 1, 2 or 3
    virtual bool IsCycleRunning() const = 0;  // a measurement cycle runs on that channel
    virtual void EndCycle() = 0;              // the cycle is over (the measurement was aborted)

protected:
    ~IMeasurement() = default;
};

// The lamp's colours: green while the instrument is live, grey when not.
inline constexpr COLORREF kLiveColour = RGB(0, 255, 0);
inline constexpr COLORREF kNonLiveColour = RGB(128, 128, 128);

class CPanelContext
{
public:
    CPanelContext(CInstrumentSession& session, IPanelFrame& frame, IUpdateTimer& updateTimer)
        : m_pSession(&session), m_pFrame(&frame), m_pUpdateTimer(&updateTimer)
    {
    }

    CInstrumentSession& Session() const { return *m_pSession; }
    IPanelFrame& Frame() const { return *m_pFrame; }
    // The session decides once, at start-up, whether the instrument is live.
    bool IsLive() const;

    // Runs panel work that calls the session: a CUserException from the session ends the work and goes to
    // the error report (message boxes, the update timer stopped meanwhile). True when the work completed,
    // false when it failed and the failure was reported.
    template <class F> bool CallReportingFailure(F&& work) const
    {
        try
        {
            std::forward<F>(work)();
            return true;
        }
        catch (const CUserException&)
        {
            ReportSessionFailure();
            return false;
        }
    }

private:
    void ReportSessionFailure() const;

    CInstrumentSession* m_pSession;
    IPanelFrame* m_pFrame;
    IUpdateTimer* m_pUpdateTimer;
};
