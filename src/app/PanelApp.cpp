#include "app/PanelApp.h"

#include "app/Pframe.h"
#include "framework/Application.h"
#include "panels/MeasurePanel.h"
#include "res/Bitmaps.h"

#include <QApplication>

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
    framework::SetDialogColours(*qApp);
    framework::UseCNumberFormat();
    QApplication::setWindowIcon(res::ProgramIcon());
    m_pFrame = std::make_unique<CPframe>(*this);
    m_pFrame->show();
    m_pFrame->InitFrame();
    m_pFrame->EnableClose();
    return true;
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
