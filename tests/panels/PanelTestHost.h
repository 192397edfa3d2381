#pragma once
// A stand-in for the application and its frame, for panel tests: a real session against the simulated
// counter, a plain window as the frame, the controllers a test puts in (made with the context the frame
// hands them, the Measure controller first when a panel follows the measurement), a recorded update timer
// and the frame's Auto Update Mode.

#include "instrument/InstrumentSession.h"
#include "panels/MeasurePanel.h"
#include "panels/PanelContext.h"
#include "panels/PanelController.h"
#include "panels/UpdateTimer.h"
#include "readings/ReadingStream.h"

#include <QWidget>

#include <array>
#include <memory>
#include <type_traits>
#include <vector>

class CRecordedUpdateTimer : public IUpdateTimer
{
public:
    void StopUpdateTimer() override { m_events.push_back(-1); }
    void StartUpdateTimer(int nMilliseconds) override { m_events.push_back(nMilliseconds); }
    std::vector<int> m_events; // -1 for a stop, the period for a start
};

class CPanelTestHost : public IPanelFrame
{
public:
    // Opens the simulated counter as the frame does (automatic search, time-out); bLive false leaves the
    // session non-live.
    explicit CPanelTestHost(bool bLive = true);
    ~CPanelTestHost() override;

    CPanelContext Context() { return {m_session, *this, m_timer}; }
    // A controller as the frame makes it: the Measure controller with the stream and the slot, the Arm and
    // Misc controllers with the Measure controller, which must be there already.
    template <class TController> std::unique_ptr<TController> Make()
    {
        if constexpr (std::is_same_v<TController, CMeasureController>)
            return std::make_unique<CMeasureController>(Context(), m_readings, m_nSlot);
        else if constexpr (std::is_constructible_v<TController, const CPanelContext&, IMeasurement&>)
            return std::make_unique<TController>(Context(), Measurement());
        else
            return std::make_unique<TController>(Context());
    }
    void SetController(int nIndex, std::unique_ptr<CPanelController> pController);
    // Shows the panel of a controller as the frame's panel switch does (destroying the shown one).
    void ShowPanel(int nIndex);

    bool IsLive() const { return m_session.IsLive(); }
    CPanelController* GetController(int nIndex);
    CPanelController* GetActiveController();
    IMeasurement& Measurement();

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
