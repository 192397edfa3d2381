#include "PanelController.h"

#include "framework/Dialog.h"

void CPanelController::DestroyPanel()
{
    if (m_pPanel != nullptr)
        m_pPanel->DestroyWindow();
}

void CPanelController::PanelDestroyed(const CDialog* pPanel)
{
    if (m_pPanel == pPanel)
        m_pPanel = nullptr;
}
