#pragma once
// A stand-in for the application and its frame, for panel tests: a real session against the simulated
// counter, a plain window as the frame, the controllers a test puts in (the Measure controller among them
// when a panel asks for the measurement), a recorded update timer and the frame's Auto Update Mode.

#include "instrument/InstrumentSession.h"
#include "panels/PanelController.h"
#include "panels/PanelHost.h"
#include "panels/UpdateTimer.h"
#include "readings/ReadingStream.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class CRecordedUpdateTimer : public IUpdateTimer
{
public:
    void StopUpdateTimer() override { m_events.push_back(-1); }
    void StartUpdateTimer(int nMilliseconds) override { m_events.push_back(nMilliseconds); }
    std::vector<int> m_events; // -1 for a stop, the period for a start
};

class CPanelTestHost : public IPanelHost, public IPanelFrame
{
public:
    // Opens the simulated counter as the frame does (automatic search, time-out); bLive false leaves the
    // session non-live.
    explicit CPanelTestHost(bool bLive = true);
    ~CPanelTestHost() override;

    void SetController(int nIndex, std::unique_ptr<CPanelController> pController);
    // Shows the panel of a controller as the frame's panel switch does (destroying the shown one).
    void ShowPanel(int nIndex);

    // IPanelHost
    CInstrumentSession& Session() override { return m_session; }
    IUpdateTimer& UpdateTimer() override { return m_timer; }
    IPanelFrame& Frame() override { return *this; }
    CPanelController* GetController(int nIndex) override;
    CPanelController* GetActiveController() override;
    IMeasurement& Measurement() override;
    int GetInstrumentSlot() const override { return m_nSlot; }
    readings::CReadingStream& Readings() override { return m_readings; }

    // IPanelFrame
    QWidget* ClientArea() override { return &m_window; }
    void FitToPanel(const QWidget& panel) override;
    bool IsAutoUpdateOn() const override { return m_bAutoUpdate; }
    void OnAutoUpdateMode() override;

    CInstrumentSession m_session;
    CRecordedUpdateTimer m_timer;
    readings::CReadingStream m_readings;
    QWidget m_window;
    std::array<std::unique_ptr<CPanelController>, PANEL_COUNT> m_apControllers;
    CPanelController* m_pActive = nullptr;
    int m_nSlot = -2;
    bool m_bAutoUpdate = false;
    int m_nAutoUpdateCommands = 0;
};
