#pragma once
// Drawing arithmetic shared by the owner-drawn controls, kept apart from the painting so it can be checked
// on its own: where a centred text starts, the round lamp's square, disc and shadow arc, and the 2-pixel
// bevel along a rectangle.

#include "framework/DeviceContext.h"
#include "framework/Rect.h"

#include <QPoint>
#include <QSize>

// Where a text of the given extent starts when centred in rc. A coordinate in which the text does not fit
// is 0, the control's own origin, not rc's edge.
QPoint CentredTextOrigin(const CRect& rc, QSize extent);

// Where a disabled toggle draws its grayed caption: half the spare width of the text rectangle, counted
// from the control's left edge (never negative), and the text rectangle's top.
QPoint GrayedTextOrigin(const CRect& rcText, QSize extent);

// The largest square centred in rc (integer division of the spare length).
CRect LargestCentredSquare(const CRect& rc);

// The lamp disc inside the ring square: the square shrunk on every side by a fifth of its side, truncated.
CRect LampDiscRect(const CRect& rcSquare);

// The ends of the ring's shadow arc: the lower-left point (start) and the upper-right point (end) at 45
// degrees on the circle inscribed in the square, truncated toward zero. Drawn counter-clockwise from start
// to end, the arc covers the lower-right half.
struct SArcEnds
{
    QPoint ptStart;
    QPoint ptEnd;
};
SArcEnds ShadowArcEnds(const CRect& rcSquare);

// The 3D edge along rc with 2-pixel pens of the system highlight and shadow colours: left and top edges
// light and right and bottom dark when raised, the reverse when sunken. The pen selected before is
// selected again afterwards.
void DrawBevel(CDC& dc, const CRect& rc, bool bSunken);
