#include "MessageService.h"

#include "WinTypes.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <algorithm>

namespace
{
IMessageService* s_pService = nullptr;

CQtMessageService& QtService()
{
    static CQtMessageService s_qtService;
    return s_qtService;
}

// The owner of an application message box: a modal dialog that is up, else the shown main window.
QWidget* ApplicationOwner()
{
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    const auto topLevels = QApplication::topLevelWidgets();
    const auto it = std::find_if(topLevels.begin(), topLevels.end(),
                                 [](QWidget* pWidget)
                                 { return qobject_cast<QMainWindow*>(pWidget) && pWidget->isVisible(); });
    return it != topLevels.end() ? *it : QApplication::activeWindow();
}

QMessageBox::Icon ToQtIcon(EMessageIcon icon)
{
    switch (icon)
    {
    case EMessageIcon::Information:
        return QMessageBox::Information;
    case EMessageIcon::Warning:
        return QMessageBox::Warning;
    case EMessageIcon::Error:
        return QMessageBox::Critical;
    case EMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

IMessageService& MessageService()
{
    return s_pService ? *s_pService : QtService();
}

void SetMessageService(IMessageService* pService)
{
    s_pService = pService;
}

int AppMessageBox(const std::string& text)
{
    return MessageService().MessageBox(ApplicationOwner(), text, kApplicationTitle, EMessageIcon::Warning);
}

int CQtMessageService::MessageBox(QWidget* pOwner, const std::string& text, const std::string& caption,
                                  EMessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), QString::fromLatin1(caption), QString::fromLatin1(text), QMessageBox::Ok,
                    pOwner);
    box.setTextFormat(Qt::PlainText);
    // The box is answered with the ordinary cursor, also under the wait cursor of the start-up.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QApplication::restoreOverrideCursor();
    return IDOK;
}

void CQtMessageService::MessageBeep(unsigned)
{
    QApplication::beep();
}

int CRecordingMessageService::MessageBox(QWidget*, const std::string& text, const std::string& caption,
                                         EMessageIcon icon)
{
    SRecordedMessage message{SRecordedMessage::Box, caption, text, icon, 0};
    m_messages.push_back(message);
    if (onBox)
        onBox(message); // a copy: the callback may record further messages
    return IDOK;
}

void CRecordingMessageService::MessageBeep(unsigned nType)
{
    m_messages.push_back({SRecordedMessage::Beep, {}, {}, EMessageIcon::None, nType});
}

std::vector<std::string> CRecordingMessageService::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const auto& message : m_messages)
        if (message.kind == SRecordedMessage::Box)
            texts.push_back(message.text);
    return texts;
}

int CRecordingMessageService::BeepCount() const
{
    return static_cast<int>(std::count_if(
        m_messages.begin(), m_messages.end(),
        [](const SRecordedMessage& m) { return m.kind == SRecordedMessage::Beep; }));
}
