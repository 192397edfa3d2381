#include "RoundIndicator.h"

#include "ControlAccessible.h"
#include "ControlGeometry.h"

CRoundIndicator::CRoundIndicator(const COLORREF* pcrLamp, COLORREF crSurround)
    : m_crLamp(*pcrLamp), m_crSurround(crSurround)
{
    CControlAccessible::Install();
}

void CRoundIndicator::DescribeAs(const QString& name, bool bOn)
{
    m_bOn = bOn;
    setAccessibleName(name);
}

void CRoundIndicator::AddAccessibleState(QAccessible::State& state) const
{
    state.readOnly = true;
    state.checkable = true;
    state.checked = m_bOn;
}

void CRoundIndicator::DrawItem(CDC& dc, const CRect& rcItem)
{
    CBrush brushLamp(m_crLamp);
    CBrush brushSurround(m_crSurround);
    CBrush brushFace(GetSysColor(COLOR_BTNFACE));
    CPen penHighlight(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penShadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen penFace(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    CPen penSurround(PS_SOLID, 1, m_crSurround);

    CPen* pOldPen = dc.SelectObject(&penSurround);
    CBrush* pOldBrush = dc.GetCurrentBrush();
    dc.FillRect(rcItem, &brushSurround);

    // The ring: a face-coloured circle with a light outline, darkened over its lower-right half.
    dc.SelectObject(&penHighlight);
    const CRect rcSquare = LargestCentredSquare(rcItem);
    dc.SelectObject(&brushFace);
    dc.Ellipse(rcSquare);
    dc.SelectObject(&penShadow);
    const SArcEnds arc = ShadowArcEnds(rcSquare);
    dc.Arc(rcSquare, arc.ptStart, arc.ptEnd);

    dc.SelectObject(&penFace);
    dc.SelectObject(&brushLamp);
    dc.Ellipse(LampDiscRect(rcSquare));

    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}
