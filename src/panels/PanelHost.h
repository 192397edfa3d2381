#pragma once
// What the panels need of the application and its frame: the one instrument session, whether it is live,
// the six controllers, the frame window the panels are shown in with its Auto Update Mode, its update
// timer, the Measure panel's measurement, which the other panels follow, and the stream the Measure panel
// publishes its readings to. The application implements these; the panels reach it through PanelHost(), as
// every part of the program reaches the application object.

#include "framework/WinTypes.h"

class CInstrumentSession;
class CPanelController;
class IUpdateTimer;
class QWidget;

namespace readings
{
class CReadingStream;
}

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

// The application as the panels see it.
class IPanelHost
{
public:
    virtual ~IPanelHost() = default;
    virtual CInstrumentSession& Session() = 0;
    virtual IUpdateTimer& UpdateTimer() = 0;
    virtual IPanelFrame& Frame() = 0;
    virtual CPanelController* GetController(int nIndex) = 0; // null outside 0..5
    virtual CPanelController* GetActiveController() = 0;
    virtual IMeasurement& Measurement() = 0;
    virtual int GetInstrumentSlot() const = 0;
    virtual readings::CReadingStream& Readings() = 0;

    // The session decides once, at start-up, whether the instrument is live.
    bool IsLive();
    // True when live; otherwise "Non-Live Mode: Function disabled" (caption "Error") and false.
    bool CheckLive();
    COLORREF GetIndicatorColour() { return IsLive() ? kLiveColour : kNonLiveColour; }
};

IPanelHost& PanelHost();
void SetPanelHost(IPanelHost* pHost);

// Reports the session's last failure through the error report (message boxes, timer stopped meanwhile).
void ReportSessionFailure();
