#include "PanelApp.h"

#include "Pframe.h"
#include "framework/Application.h"
#include "framework/MessageService.h"
#include "readings/ReadingLog.h"
#include "readings/window/ReadingsWindow.h"
#include "res/Bitmaps.h"

#include <QApplication>
#include <QShortcut>
#include <QTimer>

CPanelApp::CPanelApp(const std::string& libraryFolder) : m_session(libraryFolder) {}

// The frame goes first: its panels work with the session and the stream while it destroys them.
CPanelApp::~CPanelApp()
{
    m_pFrame.reset();
}

bool CPanelApp::InitInstance()
{
    SetDialogColours(*qApp);
    UseCNumberFormat();
    QApplication::setWindowIcon(res::ProgramIcon());
    m_pFrame = std::make_unique<CPframe>(m_session, m_readings);
    m_pFrame->show();
    m_pFrame->InitFrame();
    m_pFrame->EnableClose();
    // A shortcut of the main window, in no menu, so the menus stay as they are.
    auto* pReadingsShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), m_pFrame.get());
    QObject::connect(pReadingsShortcut, &QShortcut::activated, m_pFrame.get(),
                     [this] { ShowReadingsWindow(); });
    return true;
}

void CPanelApp::LogReadings(std::unique_ptr<readings::CReadingLog> pLog)
{
    m_pLog = std::move(pLog);
    // The write fails inside a timer tick, which must not wait for the operator: the box comes after it.
    m_pLog->SetFailureHandler(
        [this](const std::string& strError)
        { QTimer::singleShot(0, m_pFrame.get(), [strError] { AppMessageBox(strError); }); });
    m_readings.Subscribe(m_pLog.get());
}

void CPanelApp::ShowReadingsWindow()
{
    if (m_pReadingsWindow == nullptr)
        m_pReadingsWindow = std::make_unique<CReadingsWindow>(m_readings);
    m_pReadingsWindow->Present();
}
