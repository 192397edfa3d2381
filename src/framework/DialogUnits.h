#pragma once
// Dialog units to pixels, as Windows converts them: the base units come from the dialog font
// (bx = (advance of "A".."Z" "a".."z" + 26) / 52, by = font height), x px = MulDiv(x, bx, 4) and
// y px = MulDiv(y, by, 8).

#include <QFont>
#include <QRect>

struct SBaseUnits
{
    int cx;
    int cy;
};

// a * b / c rounded half away from zero, as Windows' MulDiv; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The font a template's face and size stand for ("MS Sans Serif" 8 is DejaVu Sans at 8 pt).
QFont DialogFont(const char* pszFace, int nPointSize);

SBaseUnits BaseUnitsOf(const QFont& font);

QRect DialogUnitsToPixels(const QRect& rcUnits, const SBaseUnits& base);
