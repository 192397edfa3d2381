#include "HelpViewer.h"

#include "MessageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>

namespace
{
QPointer<QTextBrowser> s_pHelpWindow; // the one help window, reused while it exists

// Beside the program, as the build leaves it, or in the data folder of an installed program
// (bin/../share/<program>/); the path beside the program when the file is in neither.
QString HelpFilePath(const std::string& helpFileName)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString fileName = QString::fromLatin1(helpFileName);
    const QString installed = programFolder.filePath(QStringLiteral("../share/") +
                                                     QCoreApplication::applicationName() + '/' + fileName);
    const QString beside = programFolder.filePath(fileName);
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? QDir::cleanPath(installed) : beside;
}
} // namespace

bool ShowHelpContents(QWidget* pOwner, const std::string& helpFileName)
{
    const QString path = HelpFilePath(helpFileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        MessageService().MessageBox(pOwner, "Cannot open the help file " + helpFileName + ".",
                                    kApplicationTitle, EMessageIcon::Warning);
        return false;
    }
    if (!s_pHelpWindow)
    {
        s_pHelpWindow = new QTextBrowser(pOwner);
        s_pHelpWindow->setWindowFlag(Qt::Window);
        s_pHelpWindow->setAttribute(Qt::WA_DeleteOnClose);
        s_pHelpWindow->resize(520, 600);
    }
    s_pHelpWindow->setSearchPaths({QFileInfo(path).absolutePath()});
    s_pHelpWindow->setHtml(QString::fromUtf8(file.readAll()));
    const QString title = s_pHelpWindow->documentTitle();
    s_pHelpWindow->setWindowTitle(title.isEmpty() ? QString::fromLatin1(helpFileName) : title);
    s_pHelpWindow->show();
    s_pHelpWindow->raise();
    s_pHelpWindow->activateWindow();
    return true;
}
