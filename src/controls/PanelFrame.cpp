#include "PanelFrame.h"

#include "ControlGeometry.h"

#include <QPainter>

CPanelFrame::CPanelFrame(EEdge eEdge) : m_bSunken(eEdge == EDGE_SUNKEN)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CPanelFrame::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    CDC dc(painter);
    DrawBevel(dc, CRect::FromQRect(rect()), m_bSunken);
}
