#pragma once
// The application object: owns the instrument session (constructed with it, so the libraries are loaded
// before start-up), the frame window and the stream of readings with what takes them (the log and the
// Readings window), and runs the start-up. The frame hands the panels what they work with. The Qt
// application object itself is main's.

#include "instrument/InstrumentSession.h"
#include "readings/ReadingStream.h"

#include <memory>
#include <string>

class CPframe;
class CReadingsWindow;

namespace readings
{
class CReadingLog;
}

class CPanelApp
{
public:
    // An empty folder looks for the libraries along the search path; a folder looks there only.
    explicit CPanelApp(const std::string& libraryFolder = {});
    ~CPanelApp();
    CPanelApp(const CPanelApp&) = delete;
    CPanelApp& operator=(const CPanelApp&) = delete;

    // Sets the dialog colours, creates and shows the frame and runs its start-up. Returns true.
    bool InitInstance();

    CPframe* MainWindow() const { return m_pFrame.get(); }

    // Appends every reading published from now on to the log. A write that fails is reported once, in a
    // message box shown after the tick that failed, and the log stops; the panel goes on.
    void LogReadings(std::unique_ptr<readings::CReadingLog> pLog);
    // Shows the Readings window, made when first shown, or brings it to the front: --trend and Ctrl+R.
    void ShowReadingsWindow();
    CReadingsWindow* ReadingsWindow() const { return m_pReadingsWindow.get(); }

    CInstrumentSession& Session() { return m_session; }

private:
    CInstrumentSession m_session;
    // Declared before its sinks, so that it outlives them.
    readings::CReadingStream m_readings;
    std::unique_ptr<readings::CReadingLog> m_pLog;
    std::unique_ptr<CReadingsWindow> m_pReadingsWindow;
    // The main window from its construction on (the error report may need its timer during start-up);
    // its controllers exist once its start-up has created them.
    std::unique_ptr<CPframe> m_pFrame;
};
