#include "PanelDialog.h"

#include "PanelController.h"
#include "PanelHost.h"

CPanelDialog::CPanelDialog(const QPoint& position, IPanelFrame* pParent, CPanelController* pController)
    : CDialog(pParent->ClientArea()), m_ptPosition(position.x(), position.y() + 1),
      m_pController(pController), m_pFrame(pParent)
{
}

void CPanelDialog::PlaceAtPosition()
{
    move(m_ptPosition);
}

void CPanelDialog::ResizeFrame()
{
    m_pFrame->FitToPanel(*this);
}

void CPanelDialog::OnDestroy()
{
    OnPanelDestroyed();
    m_pController->PanelDestroyed(this);
}
