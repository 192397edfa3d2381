#include "CommandLine.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace
{
// Qt's standard options, which the Qt application object takes from the same arguments later: those of
// QGuiApplication, QApplication and the X11 platform, with a value (the next argument, or after '=') or
// without one, as Qt reads them.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",      "platformpluginpath",
    "platformtheme", "plugin",
    "qmljsdebugger", "qwindowgeometry",
    "qwindowicon",   "qwindowtitle",
    "session",       "style",
    "stylesheet",    "display",
    "geometry",      "title",
    "icon",          "name",
    "visual",        "dialogs",
};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};

QCommandLineOption HiddenOption(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

// Why an option with a value was given other than once with a value that is not empty; empty when it was
// not given or given so.
QString ValueError(const QCommandLineParser& parser, const QCommandLineOption& option, const QString& what)
{
    const QString name = QStringLiteral("--") + option.names().first();
    const QStringList values = parser.values(option);
    if (values.size() > 1)
        return name + QStringLiteral(" may be given once only.");
    if (!values.isEmpty() && values.first().isEmpty())
        return name + QStringLiteral(" needs a ") + what + QLatin1Char('.');
    return {};
}

// Why the instruments named cannot be handed to the LAN driver; empty when they can.
QString InstrumentError(const QCommandLineParser& parser, const QCommandLineOption& instrument,
                        const QCommandLineOption& driverFolder)
{
    const QStringList resources = parser.values(instrument);
    if (!resources.isEmpty() && parser.isSet(driverFolder))
    {
        return QStringLiteral("--instrument and --driver-dir exclude each other: --instrument loads the LAN "
                              "driver of the program's own library folder.");
    }
    for (const QString& resource : resources)
    {
        // The driver reads its instruments as one list separated by ';'.
        if (resource.trimmed().isEmpty() || resource.contains(QLatin1Char(';')))
        {
            return QStringLiteral(
                "--instrument needs one VISA resource, such as TCPIP::192.168.1.20::5025::SOCKET.");
        }
    }
    return {};
}

// The unknown options quoted as they were typed, dashes included, without a value after '='; Qt's parser
// names them without their dashes.
QString UnknownOptionError(const QStringList& names, const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& name : names)
    {
        QString typed = QStringLiteral("--") + name;
        for (const QString& argument : arguments.mid(1))
        {
            const QString option = argument.section(QLatin1Char('='), 0, 0);
            if (option.startsWith(QLatin1Char('-')) &&
                option.mid(option.startsWith(QStringLiteral("--")) ? 2 : 1) == name)
            {
                typed = option;
                break;
            }
        }
        quoted.append(QLatin1Char('\'') + typed + QLatin1Char('\''));
    }
    return (names.size() == 1 ? QStringLiteral("Unknown option ") : QStringLiteral("Unknown options: ")) +
           quoted.join(QStringLiteral(", ")) + QLatin1Char('.');
}

// Why arguments that Qt's parser read cannot be run; empty when they can.
QString ArgumentError(const QCommandLineParser& parser, const QCommandLineOption& driverFolder,
                      const QCommandLineOption& log, const QCommandLineOption& instrument)
{
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (QString error = ValueError(parser, driverFolder, QStringLiteral("folder")); !error.isEmpty())
        return error;
    if (QString error = InstrumentError(parser, instrument, driverFolder); !error.isEmpty())
        return error;
    return ValueError(parser, log, QStringLiteral("file"));
}
} // namespace

CCommandLine::CCommandLine(const QStringList& arguments)
{
    m_parser.setApplicationDescription(
        QStringLiteral("The soft front panel of the Tarvex Counter.\n"
                       "Qt's standard options, such as -platform, -style, -display and -reverse,\n"
                       "are accepted as well and passed on to Qt."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    const QCommandLineOption driverFolder(
        QStringLiteral("driver-dir"),
        QStringLiteral("Load libvisa32.so and libtarvex_32.so from <folder> only, instead of searching the "
                       "library path; without them there the panel runs in non-live mode."),
        QStringLiteral("folder"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral(
            "Append every reading the Measure panel shows to <file>, one CSV row each, with a header "
            "row when the file is new. A file that cannot be opened stops the start."),
        QStringLiteral("file"));
    const QCommandLineOption trend(
        QStringLiteral("trend"),
        QStringLiteral("Open the Readings window (trend, statistics, Allan deviation) at start-up; Ctrl+R in "
                       "the main window opens it at any time."));
    const QCommandLineOption instrument(
        QStringLiteral("instrument"),
        QStringLiteral(
            "Drive the counter on the network that <resource> names, through the LAN driver in the "
            "program's library folder; give it once for each instrument. <resource> is a VISA resource: "
            "TCPIP::HOST::PORT::SOCKET for raw SCPI (TCPIP::192.168.1.20::5025::SOCKET), "
            "TCPIP::HOST[::DEVICE][::INSTR] for VXI-11 (TCPIP::192.168.1.30::inst0::INSTR, or "
            "TCPIP::gateway.lab::gpib0,9,3::INSTR for a counter at GPIB address 9 behind a "
            "LAN-to-GPIB gateway)."),
        QStringLiteral("resource"));
    m_parser.addOptions({help, version, driverFolder, log, trend, instrument});
    // Qt's options are known here only to be read past: they stay in the arguments main hands to Qt. They
    // have one dash, so a single-dash word is an option's name, not a run of one-letter options.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* pszName : kQtOptionsWithValue)
    {
        m_parser.addOption(
            HiddenOption(QCommandLineOption(QString::fromLatin1(pszName), {}, QStringLiteral("value"))));
    }
    for (const char* pszName : kQtFlags)
        m_parser.addOption(HiddenOption(QCommandLineOption(QString::fromLatin1(pszName))));

    if (m_parser.parse(arguments))
    {
        m_strError = ArgumentError(m_parser, driverFolder, log, instrument);
    }
    else
    {
        const QStringList unknown = m_parser.unknownOptionNames();
        m_strError = unknown.isEmpty() ? m_parser.errorText() : UnknownOptionError(unknown, arguments);
    }
    if (!m_strError.isEmpty())
    {
        m_eAction = EAction::Fail;
        return;
    }
    if (const QString folder = m_parser.value(driverFolder); !folder.isEmpty())
        m_strDriverFolder = QDir::cleanPath(QDir(folder).absolutePath()).toLocal8Bit().toStdString();
    m_strLogFile = m_parser.value(log).toLocal8Bit().toStdString();
    for (const QString& resource : m_parser.values(instrument))
        m_instruments.push_back(resource.trimmed().toLocal8Bit().toStdString());
    m_bTrend = m_parser.isSet(trend);
    m_eAction = m_parser.isSet(help)      ? EAction::ShowHelp
                : m_parser.isSet(version) ? EAction::ShowVersion
                                          : EAction::Run;
}

int CCommandLine::Answer() const
{
    switch (m_eAction)
    {
    case EAction::ShowHelp:
        std::fputs(qPrintable(m_parser.helpText()), stdout);
        return 0;
    case EAction::ShowVersion:
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    case EAction::Fail:
        std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(m_strError), qPrintable(m_parser.helpText()));
        return 2;
    case EAction::Run:
        break;
    }
    return 0;
}
