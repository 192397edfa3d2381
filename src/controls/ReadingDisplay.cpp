#include "ReadingDisplay.h"

#include "ControlAccessible.h"
#include "ControlGeometry.h"

#include <QKeyEvent>

CReadingDisplay::CReadingDisplay(int nBorder, COLORREF crBack, COLORREF crText)
    : m_nBorder(nBorder), m_crBack(crBack), m_crText(crText)
{
    CControlAccessible::Install();
}

void CReadingDisplay::SetText(const std::string& text)
{
    const bool bChanged = text != m_strText;
    m_strText = text;
    // A screen reader follows new readings, Auto Update's too, without asking again and again.
    if (bChanged)
        CControlAccessible::NotifyValueChanged(this, QString::fromLatin1(m_strText));
    // One drawing serves both: the synchronous repaint runs DrawItem, whose bevel is the same as before.
    repaint();
}

void CReadingDisplay::DrawItem(CDC& dc, const CRect& rcItem)
{
    CBrush brushBack(m_crBack);
    dc.SetROP2(R2_COPYPEN);

    CRect rc = rcItem;
    if (m_nBorder == BORDER_FLAT)
    {
        dc.FillRect(rc, &brushBack);
        rc.DeflateRect(1);
    }
    else
    {
        DrawBevel(dc, rc, m_nBorder == BORDER_SUNKEN);
        rc.DeflateRect(1);
        dc.FillRect(rc, &brushBack);
    }

    const QPoint pt = CentredTextOrigin(rc, dc.GetTextExtent(m_strText));
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(m_crBack);
    dc.SetTextColor(m_crText);
    if (!m_strText.empty())
        dc.ExtTextOut(pt.x(), pt.y(), ETO_OPAQUE | ETO_CLIPPED, &rc, m_strText);
    // The focus shows only once the keyboard has moved it in this window, as the style shows it on the
    // other controls, so a display clicked with the mouse looks as an idle one.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange))
    {
        rc.DeflateRect(1);
        dc.DrawFocusRect(rc);
    }
}

void CReadingDisplay::keyPressEvent(QKeyEvent* pEvent)
{
    // Enter starts a measurement as the space bar and a click do, once per press.
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    if (!bEnter)
        CButton::keyPressEvent(pEvent);
    else if (!pEvent->isAutoRepeat())
        click();
}
