#pragma once
// The program's command line, read with Qt's parser: --help, --version, --driver-dir FOLDER, --instrument
// RESOURCE, --log FILE and --trend, and Qt's standard options (-platform, -style ...), which are left for Qt.
// Without an option the program starts as it always has. Reading needs no application object, so the answers
// that only print (help, version, a wrong option) need no display.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class CCommandLine
{
public:
    enum class EAction
    {
        Run,         // start the front panel
        ShowHelp,    // the usage on standard output, status 0
        ShowVersion, // the program's name and version on standard output, status 0
        Fail,        // what is wrong and the usage on standard error, status 2
    };

    // The arguments as main received them, the program's own path first.
    explicit CCommandLine(const QStringList& arguments);

    EAction Action() const { return m_eAction; }
    // The folder the driver libraries are loaded from, and only from, made absolute; empty: the library
    // search path.
    const std::string& DriverFolder() const { return m_strDriverFolder; }
    // The instruments on the network to hand to the LAN driver, as VISA resources; empty: the driver's own
    // search.
    const std::vector<std::string>& Instruments() const { return m_instruments; }
    // The file every reading is appended to; empty: no log.
    const std::string& LogFile() const { return m_strLogFile; }
    // Whether the Readings window opens at start-up.
    bool ShowsTrend() const { return m_bTrend; }
    // Qt's -platform and -platformpluginpath; empty when not given.
    QString QtPlatform() const { return m_parser.value(QStringLiteral("platform")); }
    QString QtPlatformPluginFolder() const { return m_parser.value(QStringLiteral("platformpluginpath")); }
    // Why the arguments were refused (Fail only).
    const QString& Error() const { return m_strError; }
    // Prints what a ShowHelp, ShowVersion or Fail action asks for and returns the program's exit status.
    // The usage names the program as QCoreApplication's arguments do, so one should exist by then.
    int Answer() const;

private:
    QCommandLineParser m_parser;
    EAction m_eAction = EAction::Run;
    std::string m_strDriverFolder;
    std::string m_strLogFile;
    std::vector<std::string> m_instruments;
    bool m_bTrend = false;
    QString m_strError;
};
