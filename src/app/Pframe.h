#pragma once
// The main window: opens the instrument session at start-up, owns the six panel controllers and shows the
// active one's panel in its client area, runs the 300 ms update timer for the Measure and Arm controllers,
// and carries the System, Panels and Help menus. It cannot be resized by the operator; it takes the size
// of the panel it shows.

#include "framework/MenuBar.h"
#include "framework/MessageMap.h"
#include "framework/TimerSet.h"
#include "framework/WinTypes.h"
#include "panels/PanelContext.h"
#include "panels/PanelController.h"
#include "panels/UpdateTimer.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class CInstrumentSession;
class CMeasureController;

namespace readings
{
class CReadingStream;
}

class CPframe : public QMainWindow, public IPanelFrame, public IUpdateTimer
{
    Q_OBJECT

public:
    static constexpr int kInitialWidth = 320;
    static constexpr int kInitialHeight = 450;
    static constexpr int kUpdateTimer = 1;
    static constexpr int kUpdatePeriod = 300;    // milliseconds
    static constexpr int kDriverTimeout = 12000; // milliseconds

    // Builds the window: 320 x 450 centred on the screen, fixed size, no maximise button, menu 130, the
    // Measure title. Opening the session and showing a panel is InitFrame's work; the Measure panel
    // publishes its readings to the stream.
    CPframe(CInstrumentSession& session, readings::CReadingStream& readings);
    ~CPframe() override;

    // The frame's start-up under a wait cursor: the session opened (or non-live), the controllers created,
    // the update timer started and the Measure panel shown.
    void InitFrame();
    // Start-up has finished: the window may be closed from now on (a close request before is refused).
    void EnableClose() { m_bCloseDisabled = false; }
    // What Exit and closing the window do, and a termination request at any moment, start-up included: the
    // timer stopped, the window hidden, the driver closed and unloaded, the main loop asked to end.
    void EndProgram();

    // The controllers, for the tests and the screen-reader checks that look at the panels.
    CPanelController* GetController(int nIndex) const; // null outside 0..5
    CPanelController* GetActiveController() const { return m_pActive; }
    CMeasureController& MeasureController() const;
    int GetInstrumentSlot() const { return m_nSlot; }
    const CMenuBar& Menu() const { return m_menu; }
    int UpdateTimerInterval() const; // 0 while the update timer is stopped

    // IPanelFrame
    QWidget* ClientArea() override { return m_pClient; }
    void FitToPanel(const QWidget& panel) override;
    bool IsAutoUpdateOn() const override { return m_bAutoUpdate; }
    void OnAutoUpdateMode() override;

    // IUpdateTimer
    void StopUpdateTimer() override;
    void StartUpdateTimer(int nMilliseconds) override;

protected:
    void timerEvent(QTimerEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void OpenSession();
    bool OpenChosenInstrument(const std::vector<std::string>& resources);
    void CreateControllers();
    void SwitchPanel(int nIndex);
    // True when live; otherwise "Non-Live Mode: Function disabled" (caption "Error") and false.
    bool CheckLive();

    void OnReset();
    void OnSelfTest();
    void OnSync();
    template <int nIndex> void OnPanel() { SwitchPanel(nIndex); }
    void OnExit();
    void OnHelpContents();
    void OnAbout();

    static const SMessageEntry<CPframe> s_messageMap[];

    CInstrumentSession& m_session;
    readings::CReadingStream& m_readings;
    QWidget* m_pClient;
    CMenuBar m_menu;
    CTimerSet m_timers;

    std::array<std::unique_ptr<CPanelController>, PANEL_COUNT> m_apControllers;
    CPanelController* m_pActive = nullptr;
    int m_nSlot = -2;
    bool m_bAutoUpdate = false;
    bool m_bInTimer = false;
    bool m_bCloseDisabled = true;
};
