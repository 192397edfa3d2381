#pragma once
// The application object: owns the instrument session (constructed with it, so the libraries are loaded
// before start-up), the frame window and the stream of readings with what takes them (the log and the
// Readings window), runs the start-up, and answers the panels' questions about the live state, the
// controllers and the frame. The Qt application object itself is main's.

#include "instrument/InstrumentSession.h"
#include "panels/PanelHost.h"
#include "readings/ReadingStream.h"

#include <memory>
#include <string>

class CPframe;
class CReadingsWindow;

namespace readings
{
class CReadingLog;
}

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

    CPframe* MainWindow() const { return m_pMainWnd.get(); }

    // Appends every reading published from now on to the log. A write that fails is reported once, in a
    // message box shown after the tick that failed, and the log stops; the panel goes on.
    void LogReadings(std::unique_ptr<readings::CReadingLog> pLog);
    // Shows the Readings window, made when first shown, or brings it to the front.
    void ShowReadingsWindow();
    CReadingsWindow* ReadingsWindow() const { return m_pReadingsWindow.get(); }

    // IPanelHost
    CInstrumentSession& Session() override { return m_session; }
    IUpdateTimer& UpdateTimer() override;
    IPanelFrame& Frame() override;
    bool CheckLive() override;
    bool IsLive() const override { return m_bInstrumentLive != 0; }
    CPanelController* GetController(int nIndex) override;
    CPanelController* GetActiveController() override;
    COLORREF GetIndicatorColour() const override;
    int GetInstrumentSlot() const override;
    readings::CReadingStream& Readings() override { return m_readings; }

    CInstrumentSession m_session;
    // Set once by the frame's start-up when the instrument was opened; never changed afterwards.
    int m_bInstrumentLive = 0;
    // The frame, published by its start-up once its controllers exist; what the panels reach.
    CPframe* m_pFrame = nullptr;

private:
    // Declared before its sinks, so that it outlives them.
    readings::CReadingStream m_readings;
    std::unique_ptr<readings::CReadingLog> m_pLog;
    std::unique_ptr<CReadingsWindow> m_pReadingsWindow;
    // The main window from its construction on (the error report may need its timer during start-up).
    std::unique_ptr<CPframe> m_pMainWnd;
};
