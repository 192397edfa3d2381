// The Tarvex Counter soft front panel: starts live against the counter's driver, or non-live without it.

#include "CommandLine.h"
#include "PanelApp.h"
#include "Pframe.h"
#include "WaylandSupport.h"
#include "framework/TerminationSignals.h"
#include "framework/base/LibrarySearchPath.h"
#include "instrument/LoadReport.h"
#include "readings/ReadingLog.h"

#include <QApplication>
#include <QLibraryInfo>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace
{
// The LAN driver's folder: lan/ in the first of the program's own library folders that holds it.
std::string LanDriverFolder()
{
    const std::vector<std::string> folders = ProgramLibraryFolders();
    for (const std::string& folder : folders)
        if (::access((folder + "/lan/libtarvex_32.so").c_str(), F_OK) == 0)
            return folder + "/lan";
    return (folders.empty() ? std::string(".") : folders.front()) + "/lan";
}

// The driver the panel loads: the LAN driver, told which instruments to open in its own setting, when
// instruments are named; otherwise the folder asked for, or the search path.
std::string DriverFolder(const CCommandLine& commandLine)
{
    if (commandLine.Instruments().empty())
        return commandLine.DriverFolder();
    std::string list;
    for (const std::string& resource : commandLine.Instruments())
        list += (list.empty() ? "" : ";") + resource;
    ::setenv("TARVEX_INSTRUMENTS", list.c_str(), 1);
    return LanDriverFolder();
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tarvex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CCommandLine commandLine(arguments);
    if (commandLine.Action() != CCommandLine::EAction::Run)
    {
        // Help, version and a wrong option only print: no display is needed.
        const QCoreApplication application(argc, argv);
        return commandLine.Answer();
    }

    // Qt without its Wayland plugin on a Wayland desktop without X11 would end the program advising to
    // reinstall it: what is missing is said instead, before Qt tries.
    if (LacksWaylandSupport(commandLine, QLibraryInfo::path(QLibraryInfo::PluginsPath)))
    {
        std::fputs("tarvex: no Wayland support for Qt is installed; install the package qt6-wayland, or set "
                   "DISPLAY for X11\n",
                   stderr);
        return 1;
    }

    // A log that cannot be written stops the start before anything is loaded or shown.
    std::unique_ptr<readings::CReadingLog> pLog;
    if (!commandLine.LogFile().empty())
    {
        std::string strError;
        pLog = readings::CReadingLog::Open(commandLine.LogFile(), strError);
        if (pLog == nullptr)
        {
            std::fprintf(stderr, "tarvex: %s\n", strError.c_str());
            return 1;
        }
    }

    QApplication application(argc, argv);
    CTerminationSignals termination;
    CPanelApp panelApp(DriverFolder(commandLine));
    if (pLog != nullptr)
        panelApp.LogReadings(std::move(pLog));
    // Which driver the panel talks to, so that simulated readings are never taken for the instrument's.
    for (const std::string& line : LoadReport(panelApp.Session()))
        std::fprintf(stderr, "tarvex: %s\n", line.c_str());
    // A termination request ends the program as closing its window does, the driver closed and unloaded,
    // also while start-up waits for the operator in a box or a dialog. exit() leaves every running event
    // loop, the box's too; quit() does nothing before the main loop runs. The frame exists by the time any
    // event loop runs.
    bool bTerminated = false;
    termination.Connect(
        [&panelApp, &bTerminated]
        {
            bTerminated = true;
            panelApp.MainWindow()->EndProgram();
            QCoreApplication::exit(0);
        });
    if (!panelApp.InitInstance())
        return 1;
    // The main loop would start afresh, forgetting an end requested during start-up.
    if (bTerminated)
        return 0;
    if (commandLine.ShowsTrend())
        panelApp.ShowReadingsWindow();
    return QApplication::exec();
}
