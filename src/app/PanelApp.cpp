#include "app/PanelApp.h"

#include "app/Pframe.h"
#include "framework/Application.h"
#include "framework/MessageService.h"
#include "readings/ReadingLog.h"
#include "readings/window/ReadingsWindow.h"
#include "res/Bitmaps.h"

#include <QApplication>
#include <QTimer>

#include <cassert>

CPanelApp::CPanelApp(const std::string& libraryFolder) : m_session(libraryFolder)
{
    SetPanelHost(this);
}

CPanelApp::~CPanelApp()
{
    // The panels may still reach the application while the frame destroys them.
    m_pMainWnd.reset();
    SetPanelHost(nullptr);
}

bool CPanelApp::InitInstance()
{
    framework::SetDialogColours(*qApp);
    framework::UseCNumberFormat();
    QApplication::setWindowIcon(res::ProgramIcon());
    m_pMainWnd = std::make_unique<CPframe>(*this);
    m_pMainWnd->show();
    m_pMainWnd->InitFrame();
    m_pMainWnd->EnableClose();
    return true;
}

void CPanelApp::LogReadings(std::unique_ptr<readings::CReadingLog> pLog)
{
    m_pLog = std::move(pLog);
    // The write fails inside a timer tick, which must not wait for the operator: the box comes after it.
    m_pLog->SetFailureHandler(
        [this](const std::string& strError)
        { QTimer::singleShot(0, m_pMainWnd.get(), [strError] { framework::AppMessageBox(strError); }); });
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
    assert(m_pMainWnd != nullptr);
    return *m_pMainWnd;
}

IPanelFrame& CPanelApp::Frame()
{
    assert(m_pFrame != nullptr);
    return *m_pFrame;
}

bool CPanelApp::CheckLive()
{
    if (m_bInstrumentLive != 0)
        return true;
    framework::MessageService().MessageBox(m_pMainWnd.get(), "Non-Live Mode: Function disabled", "Error",
                                           framework::EMessageIcon::None);
    return false;
}

CPanelController* CPanelApp::GetController(int nIndex)
{
    return m_pFrame != nullptr ? m_pFrame->GetController(nIndex) : nullptr;
}

CPanelController* CPanelApp::GetActiveController()
{
    return m_pFrame != nullptr ? m_pFrame->GetActiveController() : nullptr;
}

COLORREF CPanelApp::GetIndicatorColour() const
{
    assert(m_pFrame != nullptr);
    return m_pFrame->GetIndicatorColour();
}

int CPanelApp::GetInstrumentSlot() const
{
    assert(m_pFrame != nullptr);
    return m_pFrame->GetInstrumentSlot();
}
