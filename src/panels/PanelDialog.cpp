#include "PanelDialog.h"

#include "PanelController.h"

CPanelDialog::CPanelDialog(const QPoint& position, CPanelController* pController)
    : CDialog(pController->Context().Frame().ClientArea()), m_ptPosition(position.x(), position.y() + 1),
      m_pController(pController)
{
}

const CPanelContext& CPanelDialog::Context() const
{
    return m_pController->Context();
}

CInstrumentSession& CPanelDialog::Session() const
{
    return Context().Session();
}

void CPanelDialog::PlaceAtPosition()
{
    move(m_ptPosition);
}

void CPanelDialog::ResizeFrame()
{
    Context().Frame().FitToPanel(*this);
}

void CPanelDialog::OnDestroy()
{
    OnPanelDestroyed();
    m_pController->PanelDestroyed(this);
}
