#pragma once
// The application object: owns the instrument session (constructed with it, so the libraries are loaded
// before start-up) and the frame window, runs the start-up, and answers the panels' questions about the
// controllers, the frame and the Measure panel's measurement. The Qt application object itself is main's.

#include "instrument/InstrumentSession.h"
#include "panels/PanelHost.h"

#include <memory>
#include <string>

class CPframe;

class CPanelApp : public IPanelHost
{
public:
    // An empty folder looks for the libraries along the search path; a folder looks there only.
    explicit CPanelApp(const std::string& libraryFolder = {});
    ~CPanelApp() override;
    CPanelApp(const CPanelApp&) = delete;
    CPanelApp& operator=(const CPanelApp&) = delete;

    // Sets the dialog colours, creates and shows the frame and runs its start-up. Returns true.
    bool InitInstance();

    CPframe* MainWindow() const { return m_pFrame.get(); }

    // IPanelHost
    CInstrumentSession& Session() override { return m_session; }
    IUpdateTimer& UpdateTimer() override;
    IPanelFrame& Frame() override;
    CPanelController* GetController(int nIndex) override;
    CPanelController* GetActiveController() override;
    IMeasurement& Measurement() override;
    int GetInstrumentSlot() const override;

private:
    CInstrumentSession m_session;
    // The main window from its construction on (the error report may need its timer during start-up);
    // its controllers exist once its start-up has created them.
    std::unique_ptr<CPframe> m_pFrame;
};
