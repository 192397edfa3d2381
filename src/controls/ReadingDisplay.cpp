#include "ReadingDisplay.h"

#include "ControlAccessible.h"
#include "ControlGeometry.h"

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
    {
        CControlAccessible::NotifyValueChanged(this, QString::fromLatin1(m_strText));
    }
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
        controls::DrawBevel(dc, rc, m_nBorder == BORDER_SUNKEN);
        rc.DeflateRect(1);
        dc.FillRect(rc, &brushBack);
    }

    const QPoint pt = controls::CentredTextOrigin(rc, dc.GetTextExtent(m_strText));
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(m_crBack);
    dc.SetTextColor(m_crText);
    if (!m_strText.empty())
    {
        dc.ExtTextOut(pt.x(), pt.y(), ETO_OPAQUE | ETO_CLIPPED, &rc, m_strText);
    }
}
