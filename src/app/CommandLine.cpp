#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace
{
// Why arguments that Qt's parser read cannot be run; empty when they can.
QString ArgumentError(const QCommandLineParser& parser, const QCommandLineOption& driverFolder)
{
    if (!parser.positionalArguments().isEmpty())
    {
        return QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    }
    const QStringList folders = parser.values(driverFolder);
    if (folders.size() > 1)
    {
        return QStringLiteral("--driver-dir may be given once only.");
    }
    if (!folders.isEmpty() && folders.first().isEmpty())
    {
        return QStringLiteral("--driver-dir needs a folder.");
    }
    return {};
}
} // namespace

CCommandLine::CCommandLine(const QStringList& arguments)
{
    m_parser.setApplicationDescription(QStringLiteral("The soft front panel of the Tarvex Counter."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    const QCommandLineOption driverFolder(
        QStringLiteral("driver-dir"),
        QStringLiteral("Load libvisa32.so and libtarvex_32.so from <folder> only, instead of searching the "
                       "library path; without them there the panel runs in non-live mode."),
        QStringLiteral("folder"));
    m_parser.addOptions({help, version, driverFolder});

    m_strError = m_parser.parse(arguments) ? ArgumentError(m_parser, driverFolder) : m_parser.errorText();
    if (!m_strError.isEmpty())
    {
        m_eAction = EAction::Fail;
        return;
    }
    if (const QString folder = m_parser.value(driverFolder); !folder.isEmpty())
    {
        m_strDriverFolder = QDir::cleanPath(QDir(folder).absolutePath()).toLocal8Bit().toStdString();
    }
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
