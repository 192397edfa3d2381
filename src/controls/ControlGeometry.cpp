#include "ControlGeometry.h"

#include <algorithm>
#include <cmath>

namespace
{
// The angle of the arc's end points; its cosine and sine are both about 0.70711.
constexpr double kArcAngle = 0.7853975;

int CentredCoordinate(int nStart, int nSpace, int nLength)
{
    return nSpace > nLength ? nStart + (nSpace - nLength) / 2 : 0;
}
} // namespace

QPoint CentredTextOrigin(const CRect& rc, QSize extent)
{
    return {CentredCoordinate(rc.left, rc.Width(), extent.width()),
            CentredCoordinate(rc.top, rc.Height(), extent.height())};
}

QPoint GrayedTextOrigin(const CRect& rcText, QSize extent)
{
    return {std::max(0, (rcText.Width() - extent.width()) / 2), rcText.top};
}

CRect LargestCentredSquare(const CRect& rc)
{
    const int nWidth = rc.Width();
    const int nHeight = rc.Height();
    if (nWidth > nHeight)
    {
        const int nLeft = rc.left + (nWidth - nHeight) / 2;
        return {nLeft, rc.top, nLeft + nHeight, rc.bottom};
    }
    const int nTop = rc.top + (nHeight - nWidth) / 2;
    return {rc.left, nTop, rc.right, nTop + nWidth};
}

CRect LampDiscRect(const CRect& rcSquare)
{
    CRect rc = rcSquare;
    rc.DeflateRect(static_cast<int>(0.2 * rcSquare.Width()));
    return rc;
}

SArcEnds ShadowArcEnds(const CRect& rcSquare)
{
    const int r = rcSquare.Width() / 2;
    const double cx = rcSquare.left + r;
    const double cy = rcSquare.top + r;
    const double dx = r * std::cos(kArcAngle);
    const double dy = r * std::sin(kArcAngle);
    // Each coordinate is truncated toward zero to whole pixels.
    return {{static_cast<int>(cx - dx), static_cast<int>(cy + dy)},
            {static_cast<int>(cx + dx), static_cast<int>(cy - dy)}};
}

void DrawBevel(CDC& dc, const CRect& rc, bool bSunken)
{
    CPen penHighlight(PS_SOLID, 2, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penShadow(PS_SOLID, 2, GetSysColor(COLOR_BTNSHADOW));
    CPen* pOldPen = dc.SelectObject(bSunken ? &penShadow : &penHighlight);
    dc.MoveTo(rc.left, rc.bottom);
    dc.LineTo(rc.left, rc.top);
    dc.LineTo(rc.right, rc.top);
    dc.SelectObject(bSunken ? &penHighlight : &penShadow);
    dc.LineTo(rc.right, rc.bottom);
    dc.LineTo(rc.left, rc.bottom);
    dc.SelectObject(pOldPen);
}
