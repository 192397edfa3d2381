#include "PanelFrame.h"

#include "ControlGeometry.h"

#include <QPainter>

CPanelFrame::CPanelFrame(int bSunken) : m_bSunken(bSunken)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CPanelFrame::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    CDC dc(painter);
    controls::DrawBevel(dc, CRect::FromQRect(rect()), m_bSunken != 0);
}
