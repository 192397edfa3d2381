// Message boxes and beeps: the recorder, the Qt service's real box, the application box's owner, and the
// help window that reports a missing help file through the same service.

#include "framework/MessageService.h"
#include "framework/HelpViewer.h"
#include "framework/WaitCursor.h"

#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

TEST(RecordingMessages, RecordsBoxesAndBeepsInOrderAndActsWhileABoxIsUp)
{
    CScopedRecordingMessages recorder;
    std::vector<std::string> seenInBox;
    recorder.onBox = [&](const SRecordedMessage& message)
    {
        seenInBox.push_back(message.text);
        if (message.text == "first")
            MessageService().MessageBox(nullptr, "nested", "Inner", EMessageIcon::None);
    };
    MessageService().MessageBeep(0);
    EXPECT_EQ(AppMessageBox("first"), IDOK);
    EXPECT_EQ(MessageService().MessageBox(nullptr, "second", "Error", EMessageIcon::Error), IDOK);
    MessageService().MessageBeep(0x30);

    const auto& messages = recorder.Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].kind, SRecordedMessage::Beep);
    EXPECT_EQ(messages[0].nBeepType, 0u);
    EXPECT_EQ(messages[1].caption, kApplicationTitle);
    EXPECT_EQ(messages[1].icon, EMessageIcon::Warning);
    EXPECT_EQ(messages[2].caption, "Inner");
    EXPECT_EQ(messages[3].caption, "Error");
    EXPECT_EQ(messages[3].icon, EMessageIcon::Error);
    EXPECT_EQ(messages[4].nBeepType, 0x30u);
    EXPECT_EQ(recorder.BoxTexts(), (std::vector<std::string>{"first", "nested", "second"}));
    EXPECT_EQ(seenInBox, (std::vector<std::string>{"first", "nested", "second"}));
    EXPECT_EQ(recorder.BeepCount(), 2);
    recorder.Clear();
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RecordingMessages, LeavingTheScopeRestoresTheQtService)
{
    {
        CScopedRecordingMessages recorder;
        EXPECT_EQ(&MessageService(), &recorder);
    }
    EXPECT_NE(dynamic_cast<CQtMessageService*>(&MessageService()), nullptr);
}

TEST(QtMessages, ShowsAModalBoxWithCaptionTextIconOwnerAndTheArrowCursor)
{
    QWidget owner;
    owner.show();
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* pParent = nullptr;
    Qt::CursorShape cursor = Qt::BlankCursor;
    QTimer::singleShot(0,
                       [&]
                       {
                           auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                           ASSERT_NE(pBox, nullptr);
                           title = pBox->windowTitle();
                           text = pBox->text();
                           icon = pBox->icon();
                           pParent = pBox->parentWidget();
                           cursor = QApplication::overrideCursor()->shape();
                           pBox->button(QMessageBox::Ok)->click();
                       });
    const CWaitCursor startUp; // a box during start-up
    CQtMessageService service;
    EXPECT_EQ(service.MessageBox(&owner, "TIME OUT! <b>", "tarvex", EMessageIcon::Warning), IDOK);
    EXPECT_EQ(title, QStringLiteral("tarvex"));
    EXPECT_EQ(text, QStringLiteral("TIME OUT! <b>"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(pParent, &owner);
    EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor) << "the wait cursor is back";
}

namespace
{
// Keeps the owner of the last box.
class COwnerProbe : public IMessageService
{
public:
    int MessageBox(QWidget* pOwner, const std::string&, const std::string&, EMessageIcon) override
    {
        m_pOwner = pOwner;
        return IDOK;
    }
    void MessageBeep(unsigned) override {}
    QWidget* m_pOwner = nullptr;
};
} // namespace

TEST(AppMessageBox, IsOwnedByTheMainWindowOrTheModalDialogAboveIt)
{
    COwnerProbe probe;
    SetMessageService(&probe);
    QMainWindow frame;
    frame.show();
    AppMessageBox("x");
    EXPECT_EQ(probe.m_pOwner, &frame);

    QDialog modal(&frame);
    modal.setModal(true);
    modal.show();
    AppMessageBox("y");
    EXPECT_EQ(probe.m_pOwner, &modal);
    modal.hide();
    SetMessageService(nullptr);
}

namespace
{
QString BesideTheProgram(const char* pszName)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(pszName));
}

std::vector<QTextBrowser*> HelpWindows()
{
    std::vector<QTextBrowser*> windows;
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (auto* pBrowser = qobject_cast<QTextBrowser*>(pWidget))
            windows.push_back(pBrowser);
    return windows;
}
} // namespace

TEST(HelpViewer, MissingFileIsReportedAndOpensNothing)
{
    CScopedRecordingMessages recorder;
    QFile::remove(BesideTheProgram("fwtest-missing.hlp"));
    EXPECT_FALSE(ShowHelpContents(nullptr, "fwtest-missing.hlp"));
    ASSERT_EQ(recorder.BoxTexts().size(), 1u);
    EXPECT_NE(recorder.BoxTexts()[0].find("fwtest-missing.hlp"), std::string::npos);
    EXPECT_TRUE(HelpWindows().empty());
}

// Beside the program in a build; in bin/../share/<program>/ once installed.
TEST(HelpViewer, OpensOneWindowTitledFromTheFileAndReusesIt)
{
    const QString dataFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/" +
                                               QCoreApplication::applicationName());
    ASSERT_TRUE(QDir().mkpath(dataFolder));
    for (const QString& path : {BesideTheProgram("fwtest-help.hlp"), dataFolder + "/fwtest-help.hlp"})
    {
        SCOPED_TRACE(path.toStdString());
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("<html><head><title>Counter Help</title></head><body><h1>Contents</h1></body></html>");
        }
        CScopedRecordingMessages recorder;
        auto pOwner = std::make_unique<QWidget>();
        EXPECT_TRUE(ShowHelpContents(pOwner.get(), "fwtest-help.hlp"));
        EXPECT_TRUE(ShowHelpContents(pOwner.get(), "fwtest-help.hlp"));
        const auto windows = HelpWindows();
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("Counter Help"));
        EXPECT_TRUE(windows[0]->isVisible());
        EXPECT_TRUE(windows[0]->toPlainText().contains(QStringLiteral("Contents")));
        EXPECT_TRUE(recorder.Messages().empty());

        pOwner.reset(); // the help window goes with its owner
        EXPECT_TRUE(HelpWindows().empty());
        QFile::remove(path);
    }
    QDir().rmpath(dataFolder);
}
