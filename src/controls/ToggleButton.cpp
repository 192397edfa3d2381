#include "ToggleButton.h"

#include "ControlAccessible.h"
#include "ControlGeometry.h"

#include "res/StringTable.h"

#include <QMouseEvent>

#include <utility>

CToggleButton::CToggleButton(int nCaption0Id, int nCaption1Id)
    : m_strCaption0(res::LoadString(nCaption0Id)), m_strCaption1(res::LoadString(nCaption1Id))
{
    CControlAccessible::Install();
}

void CToggleButton::StoreState(int nState)
{
    m_nState = nState != 0 ? 1 : 0;
    CControlAccessible::NotifyShownChanged(this);
}

void CToggleButton::SetState(int nState)
{
    StoreState(nState);
    repaint();
}

std::string CToggleButton::Caption() const
{
    if (m_strCaption0.empty())
        return text().toLatin1().toStdString();
    return m_nState == 0 ? m_strCaption0 : m_strCaption1;
}

QString CToggleButton::AccessibleName() const
{
    return QString::fromLatin1(Caption());
}

void CToggleButton::AddAccessibleState(QAccessible::State& state) const
{
    state.checkable = true;
    state.checked = m_nState != 0;
    state.pressed = m_nState != 0;
}

void CToggleButton::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton && CRect::FromQRect(rect()).PtInRect(pt.x(), pt.y()))
    {
        // The default processing below repaints the pressed button, which shows the new state.
        StoreState(m_nState == 0 ? 1 : 0);
        m_bFlippedByPress = true;
    }
    CButton::mousePressEvent(pEvent);
}

void CToggleButton::mouseReleaseEvent(QMouseEvent* pEvent)
{
    CButton::mouseReleaseEvent(pEvent);
    // Released outside: no click, so nothing was sent, and the caption goes back to what the instrument has.
    if (pEvent->button() == Qt::LeftButton && std::exchange(m_bFlippedByPress, false))
        SetState(m_nState == 0 ? 1 : 0);
}

void CToggleButton::nextCheckState()
{
    // A mouse click flipped the state when the button went down; the space bar and the accessibility Press
    // action flip it here.
    if (!std::exchange(m_bFlippedByPress, false))
        SetState(m_nState == 0 ? 1 : 0);
}

void CToggleButton::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        SetState(m_nState == 0 ? 1 : 0);
    CButton::mouseDoubleClickEvent(pEvent);
}

void CToggleButton::DrawItem(CDC& dc, const CRect& rcItem)
{
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    CBrush brushFace(crFace);
    CBrush* pOldBrush = dc.SelectObject(&brushFace);
    CPen* pOldPen = dc.SelectObject(CDC::StockBlackPen());
    dc.Rectangle(rcItem);

    CRect rc = rcItem;
    rc.DeflateRect(2);
    DrawBevel(dc, rc, m_nState != 0);

    const std::string caption = Caption();
    const QSize extent = dc.GetTextExtent(caption);
    rc.DeflateRect(1);
    dc.SetBkColor(crFace);
    if (isEnabled())
    {
        const QPoint pt = CentredTextOrigin(rc, extent);
        dc.ExtTextOut(pt.x(), pt.y(), ETO_OPAQUE | ETO_CLIPPED, &rc, caption);
    }
    else
    {
        CBrush brushBlack(RGB(0, 0, 0));
        const QPoint pt = GrayedTextOrigin(rc, extent);
        dc.GrayString(&brushBlack, caption, pt.x(), pt.y());
    }
    if (hasFocus())
    {
        rc.DeflateRect(1);
        dc.DrawFocusRect(rc);
    }

    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}
