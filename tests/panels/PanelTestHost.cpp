#include "PanelTestHost.h"

#include "panels/MeasurePanel.h"

#include <string>

CPanelTestHost::CPanelTestHost(bool bLive)
{
    std::vector<std::string> resources;
    int32_t nCount = 0;
    if (!bLive || !m_session.AutoInit(1, resources, nCount) || nCount > 1)
        m_session.SetLive(false);
    if (m_session.IsLive())
    {
        m_session.SetTimeout(12000);
        m_nSlot = m_session.GetSlot();
    }
    m_window.resize(320, 450);
}

CPanelTestHost::~CPanelTestHost()
{
    if (m_pActive != nullptr)
        m_pActive->DestroyPanel();
    for (auto& pController : m_apControllers)
        pController.reset();
}

void CPanelTestHost::SetController(int nIndex, std::unique_ptr<CPanelController> pController)
{
    m_apControllers.at(nIndex) = std::move(pController);
}

void CPanelTestHost::ShowPanel(int nIndex)
{
    if (m_pActive != nullptr)
        m_pActive->DestroyPanel();
    m_pActive = m_apControllers.at(nIndex).get();
    m_pActive->CreatePanel(QPoint(0, 0));
}

CPanelController* CPanelTestHost::GetController(int nIndex)
{
    return nIndex >= 0 && nIndex < PANEL_COUNT ? m_apControllers[nIndex].get() : nullptr;
}

CPanelController* CPanelTestHost::GetActiveController()
{
    return m_pActive;
}

IMeasurement& CPanelTestHost::Measurement()
{
    return static_cast<CMeasureController&>(*m_apControllers[PANEL_MEASURE]);
}

void CPanelTestHost::FitToPanel(const QWidget& panel)
{
    const QRect rc = panel.geometry();
    m_window.resize(rc.x() + rc.width(), rc.y() + rc.height());
}

void CPanelTestHost::OnAutoUpdateMode()
{
    ++m_nAutoUpdateCommands;
    m_bAutoUpdate = !m_bAutoUpdate;
}
