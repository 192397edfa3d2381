#include "app/PanelApp.h"

#include "app/Pframe.h"
#include "framework/Application.h"
#include "framework/MessageService.h"
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
