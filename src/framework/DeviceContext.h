#pragma once
// A device context over QPainter with the GDI operations the owner-drawn controls use, so that their
// drawing algorithms read as they are written: pens and brushes selected (returning the previous one),
// move-to/line-to, rectangle, fill, ellipse, arc, text extent, opaque and clipped text, grayed text,
// focus rectangle, bitmap copy, background mode and colours. System colours come from the application
// palette. At scale 1 everything lands on GDI's exact pixels; on a scaled screen ellipses and arcs are
// smoothed, and bitmaps are scaled smoothly where the scale is fractional.

#include "Rect.h"
#include "WinTypes.h"

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QPoint>

#include <string>

class QPainter;
class QPixmap;

enum ESysColor
{
    COLOR_WINDOWTEXT = 8,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
};

// Button face = QPalette::Button, highlight = QPalette::Light, shadow = QPalette::Dark,
// window and button text = QPalette::WindowText / ButtonText, of the application palette.
COLORREF GetSysColor(int nIndex);

QColor ToQColor(COLORREF cr);
COLORREF FromQColor(const QColor& colour);

enum EPenStyle
{
    PS_SOLID = 0,
};

enum EBackgroundMode
{
    TRANSPARENT = 1,
    OPAQUE = 2,
};

enum EDrawMode
{
    R2_COPYPEN = 13,
};

enum ETextOutOptions : unsigned
{
    ETO_OPAQUE = 0x0002,  // fill the rectangle with the background colour behind the text
    ETO_CLIPPED = 0x0004, // clip the text to the rectangle
};

class CPen
{
public:
    CPen(int nStyle, int nWidth, COLORREF cr);
    int Width() const { return m_nWidth; }
    COLORREF Colour() const { return m_cr; }

private:
    int m_nWidth;
    COLORREF m_cr;
};

class CBrush
{
public:
    explicit CBrush(COLORREF cr);
    COLORREF Colour() const { return m_cr; }

private:
    COLORREF m_cr;
};

class CDC
{
public:
    // Draws with the painter; the painter's font is the context's current font. A fresh context has the
    // stock black pen of width 1 and a white brush selected, background mode opaque, background white,
    // text black.
    explicit CDC(QPainter& painter);

    static CPen* StockBlackPen();

    CPen* SelectObject(CPen* pPen);       // returns the pen selected before
    CBrush* SelectObject(CBrush* pBrush); // returns the brush selected before
    CPen* GetCurrentPen() const { return m_pPen; }
    CBrush* GetCurrentBrush() const { return m_pBrush; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y); // draws with the current pen; the end point itself is not drawn

    void Rectangle(const CRect& rc); // outline with the current pen, inside with the current brush
    void FillRect(const CRect& rc, CBrush* pBrush); // fills without any outline
    void Ellipse(const CRect& rc);                  // inscribed ellipse, outline with pen, inside with brush
    void Arc(const CRect& rc, QPoint ptStart, QPoint ptEnd); // counter-clockwise from start to end

    QSize GetTextExtent(const std::string& text) const;
    void ExtTextOut(int x, int y, unsigned nOptions, const CRect* pRect, const std::string& text);
    void TextOut(int x, int y, const std::string& text);                    // honours the background mode
    void GrayString(CBrush* pBrush, const std::string& text, int x, int y); // grayed (disabled) text
    void DrawFocusRect(const CRect& rc); // dotted outline, inverting what lies beneath

    void BitBlt(int x, int y, const QPixmap& bitmap); // copies the pixels at natural size

    int SetBkMode(int nMode);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF SetTextColor(COLORREF cr);
    int SetROP2(int nMode);

    QPainter& Painter() { return m_painter; }

private:
    QPainter& m_painter;
    CPen* m_pPen;
    CBrush* m_pBrush;
    QPoint m_ptCurrent;
    int m_nBkMode = OPAQUE;
    COLORREF m_crBk;
    COLORREF m_crText;
    int m_nRop2 = R2_COPYPEN;
};
