#pragma once
// What the panels need of the application and its frame: the one instrument session, the live state, the
// six controllers, the frame window the panels are shown in, its Auto Update Mode command, its update
// timer and the stream the Measure panel publishes its readings to. The application implements these; the
// panels reach it through PanelHost(), as every part of the program reaches the application object.

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
    virtual void OnAutoUpdateMode() = 0; // the System menu's Auto Update Mode command
};

// The application as the panels see it.
class IPanelHost
{
public:
    virtual ~IPanelHost() = default;
    virtual CInstrumentSession& Session() = 0;
    virtual IUpdateTimer& UpdateTimer() = 0;
    virtual IPanelFrame& Frame() = 0;
    // True when live; otherwise "Non-Live Mode: Function disabled" (caption "Error") and false.
    virtual bool CheckLive() = 0;
    virtual bool IsLive() const = 0;
    virtual CPanelController* GetController(int nIndex) = 0; // null outside 0..5
    virtual CPanelController* GetActiveController() = 0;
    virtual COLORREF GetIndicatorColour() const = 0;
    virtual int GetInstrumentSlot() const = 0;
    virtual readings::CReadingStream& Readings() = 0;
};

IPanelHost& PanelHost();
void SetPanelHost(IPanelHost* pHost);

// Reports the session's last failure through the error report (message boxes, timer stopped meanwhile).
void ReportSessionFailure();
