// The Tarvex Counter soft front panel: starts live against the counter's driver, or non-live without it.

#include "app/PanelApp.h"
#include "app/Pframe.h"
#include "framework/TerminationSignals.h"
#include "instrument/LoadReport.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    framework::CTerminationSignals termination;
    CPanelApp panelApp;
    // Which driver the panel talks to, so that simulated readings are never taken for the instrument's.
    for (const std::string& line : LoadReport(panelApp.Session()))
        std::fprintf(stderr, "tarvex: %s\n", line.c_str());
    if (!panelApp.InitInstance())
        return 1;
    // A termination request ends the program as closing its window does: the driver closed and unloaded.
    termination.Connect([&panelApp] { panelApp.MainWindow()->close(); });
    return QApplication::exec();
}
