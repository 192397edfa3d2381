#include "app/PanelApp.h"

#include "app/Pframe.h"
#include "framework/Application.h"
#include "framework/MessageService.h"
#include "panels/MeasurePanel.h"
#include "readings/ReadingLog.h"
#include "readings/window/ReadingsWindow.h"
#include "res/Bitmaps.h"

#include <QApplication>
#include <QShortcut>
#include <QTimer>

#include <cassert>

CPanelApp::CPanelApp(const std::string& libraryFolder) : m_session(libraryFolder)
{
    SetPanelHost(this);
}

CPanelApp::~CPanelApp()
{
    // The panels may still reach the application while the frame destroys them.
    m_pFrame.reset();
    SetPanelHost(nullptr);
}

bool CPanelApp::InitInstance()
{
    SetDialogColours(*qApp);
    UseCNumberFormat();
    QApplication::setWindowIcon(res::ProgramIcon());
    m_pFrame = std::make_unique<CPframe>(*this);
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

IUpdateTimer& CPanelApp::UpdateTimer()
{
    assert(m_pFrame != nullptr);
    return *m_pFrame;
}

IPanelFrame& CPanelApp::Frame()
{
    assert(m_pFrame != nullptr);
    return *m_pFrame;
}

CPanelController* CPanelApp::GetController(int nIndex)
{
    return m_pFrame != nullptr ? m_pFrame->GetController(nIndex) : nullptr;
}

CPanelController* CPanelApp::GetActiveController()
{
    return m_pFrame != nullptr ? m_pFrame->GetActiveController() : nullptr;
}

IMeasurement& CPanelApp::Measurement()
{
    assert(m_pFrame != nullptr);
    return m_pFrame->MeasureController();
}

int CPanelApp::GetInstrumentSlot() const
{
    assert(m_pFrame != nullptr);
    return m_pFrame->GetInstrumentSlot();
}
