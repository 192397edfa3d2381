#include "PanelController.h"

#include "framework/Dialog.h"

void CPanelController::DestroyPanel()
{
    if (m_pPanel != nullptr)
        m_pPanel->DestroyWindow();
}
