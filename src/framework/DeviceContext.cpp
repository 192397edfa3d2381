#include "DeviceContext.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

namespace
{
CBrush* StockWhiteBrush()
{
    static CBrush s_white(RGB(255, 255, 255));
    return &s_white;
}

// GDI draws a 0-width pen one pixel wide.
int PixelWidth(const CPen* pPen)
{
    return std::max(1, pPen->Width());
}

// How many device pixels a unit of drawing spans: 1 at scale 1, 1.5 or 2 on a scaled screen. The controls
// never rotate or shear, so the horizontal scale is the scale.
qreal DeviceScale(const QPainter& painter)
{
    return painter.deviceTransform().m11();
}

// Curves are smoothed wherever a unit is not one device pixel: on a scaled screen a GDI-exact outline shows
// its steps. At scale 1 they keep GDI's exact pixels.
bool SmoothsCurves(const QPainter& painter)
{
    return DeviceScale(painter) != 1.0;
}

// The rectangle an ellipse or arc inscribed in rc is stroked on, so that a 1-pixel outline stays inside rc.
// An aliased pen lies right of and below its line, a smoothed one is centred on it: half a pixel further in
// keeps the smoothed outline on the same pixels.
QRectF InscribedRect(const CRect& rc, bool bSmooth)
{
    const QRectF rect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
    return bSmooth ? rect.translated(0.5, 0.5) : rect;
}

// Angle of a point seen from the centre of rc, in degrees counter-clockwise from three o'clock.
double AngleFromCentre(const CRect& rc, QPoint pt)
{
    const double cx = (rc.left + rc.right) / 2.0;
    const double cy = (rc.top + rc.bottom) / 2.0;
    return std::atan2(cy - pt.y(), pt.x() - cx) * 180.0 / std::numbers::pi;
}
} // namespace

COLORREF GetSysColor(int nIndex)
{
    const QPalette palette = QApplication::palette();
    switch (nIndex)
    {
    case COLOR_WINDOWTEXT:
        return FromQColor(palette.color(QPalette::WindowText));
    case COLOR_BTNFACE:
        return FromQColor(palette.color(QPalette::Button));
    case COLOR_BTNSHADOW:
        return FromQColor(palette.color(QPalette::Dark));
    case COLOR_BTNTEXT:
        return FromQColor(palette.color(QPalette::ButtonText));
    case COLOR_BTNHIGHLIGHT:
        return FromQColor(palette.color(QPalette::Light));
    default:
        return 0;
    }
}

QColor ToQColor(COLORREF cr)
{
    return {GetRValue(cr), GetGValue(cr), GetBValue(cr)};
}

COLORREF FromQColor(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

CPen::CPen(int, int nWidth, COLORREF cr) : m_nWidth(nWidth), m_cr(cr) {}

CBrush::CBrush(COLORREF cr) : m_cr(cr) {}

CDC::CDC(QPainter& painter)
    : m_painter(painter), m_pPen(StockBlackPen()), m_pBrush(StockWhiteBrush()), m_crBk(RGB(255, 255, 255)),
      m_crText(RGB(0, 0, 0))
{
    // GDI draws shapes without smoothing: every pixel is either the pen or brush colour or left alone, which
    // keeps the owner-drawn looks crisp and their pixels exact. Text is smoothed like the rest of the window.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

CPen* CDC::StockBlackPen()
{
    static CPen s_black(PS_SOLID, 1, RGB(0, 0, 0));
    return &s_black;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (!pPen)
        return nullptr;
    return std::exchange(m_pPen, pPen);
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (!pBrush)
        return nullptr;
    return std::exchange(m_pBrush, pBrush);
}

void CDC::MoveTo(int x, int y)
{
    m_ptCurrent = QPoint(x, y);
}

void CDC::LineTo(int x, int y)
{
    // Bresenham from the current position, leaving out the end point. Each step fills the pen's width
    // across the main direction of the line, centred as GDI centres a geometric pen: a 2-pixel pen at x
    // covers x - 1 and x.
    const int nWidth = PixelWidth(m_pPen);
    const int nBack = nWidth / 2;
    const QColor colour = ToQColor(m_pPen->Colour());
    int px = m_ptCurrent.x();
    int py = m_ptCurrent.y();
    const int dx = std::abs(x - px);
    const int dy = -std::abs(y - py);
    const int sx = px < x ? 1 : -1;
    const int sy = py < y ? 1 : -1;
    const bool bMostlyHorizontal = dx >= -dy;
    int nError = dx + dy;
    while (px != x || py != y)
    {
        if (bMostlyHorizontal)
            m_painter.fillRect(px, py - nBack, 1, nWidth, colour);
        else
            m_painter.fillRect(px - nBack, py, nWidth, 1, colour);
        const int nDouble = 2 * nError;
        if (nDouble >= dy)
        {
            nError += dy;
            px += sx;
        }
        if (nDouble <= dx)
        {
            nError += dx;
            py += sy;
        }
    }
    m_ptCurrent = QPoint(x, y);
}

void CDC::Rectangle(const CRect& rc)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return;
    FillRect(rc, m_pBrush);
    // The outline runs along the outermost pixels; the current position is left where it was.
    const QPoint ptSaved = m_ptCurrent;
    MoveTo(rc.left, rc.top);
    LineTo(rc.right - 1, rc.top);
    LineTo(rc.right - 1, rc.bottom - 1);
    LineTo(rc.left, rc.bottom - 1);
    LineTo(rc.left, rc.top);
    m_ptCurrent = ptSaved;
}

void CDC::FillRect(const CRect& rc, CBrush* pBrush)
{
    if (pBrush && rc.Width() > 0 && rc.Height() > 0)
        m_painter.fillRect(rc.ToQRect(), ToQColor(pBrush->Colour()));
}

void CDC::Ellipse(const CRect& rc)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return;
    const bool bSmooth = SmoothsCurves(m_painter);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, bSmooth);
    m_painter.setPen(QPen(ToQColor(m_pPen->Colour()), PixelWidth(m_pPen)));
    m_painter.setBrush(ToQColor(m_pBrush->Colour()));
    m_painter.drawEllipse(InscribedRect(rc, bSmooth));
    m_painter.restore();
}

void CDC::Arc(const CRect& rc, QPoint ptStart, QPoint ptEnd)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return;
    const double dStart = AngleFromCentre(rc, ptStart);
    double dSpan = AngleFromCentre(rc, ptEnd) - dStart;
    if (dSpan <= 0)
        dSpan += 360.0; // counter-clockwise; equal angles give the whole ellipse
    // The outline of the very ellipse Ellipse draws, clipped to the sector between the two angles: Qt's own
    // arc puts its pixels elsewhere than its ellipse, which would leave the ellipse's outline showing.
    const bool bSmooth = SmoothsCurves(m_painter);
    const QRectF rcEllipse = InscribedRect(rc, bSmooth);
    const QRectF rcSector = rcEllipse.adjusted(-4, -4, 4, 4);
    QPainterPath sector(rcSector.center());
    sector.arcTo(rcSector, dStart, dSpan);
    sector.closeSubpath();
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, bSmooth);
    m_painter.setClipPath(sector, Qt::IntersectClip);
    m_painter.setPen(QPen(ToQColor(m_pPen->Colour()), PixelWidth(m_pPen)));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawEllipse(rcEllipse);
    m_painter.restore();
}

QSize CDC::GetTextExtent(const std::string& text) const
{
    const QFontMetrics metrics(m_painter.font());
    return {metrics.horizontalAdvance(QString::fromLatin1(text)), metrics.height()};
}

void CDC::ExtTextOut(int x, int y, unsigned nOptions, const CRect* pRect, const std::string& text)
{
    m_painter.save();
    if (pRect && (nOptions & ETO_OPAQUE))
        m_painter.fillRect(pRect->ToQRect(), ToQColor(m_crBk));
    if (pRect && (nOptions & ETO_CLIPPED))
        m_painter.setClipRect(pRect->ToQRect(), Qt::IntersectClip);
    const QString qtext = QString::fromLatin1(text);
    const QFontMetrics metrics(m_painter.font());
    if (m_nBkMode == OPAQUE)
        m_painter.fillRect(x, y, metrics.horizontalAdvance(qtext), metrics.height(), ToQColor(m_crBk));
    m_painter.setPen(ToQColor(m_crText));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), qtext);
    m_painter.restore();
}

void CDC::TextOut(int x, int y, const std::string& text)
{
    ExtTextOut(x, y, 0, nullptr, text);
}

void CDC::GrayString(CBrush*, const std::string& text, int x, int y)
{
    // The disabled look of the system: the text in the shadow colour over a highlight copy one pixel
    // lower right, on a transparent background.
    const int nMode = SetBkMode(TRANSPARENT);
    const COLORREF crText = SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    TextOut(x + 1, y + 1, text);
    SetTextColor(GetSysColor(COLOR_BTNSHADOW));
    TextOut(x, y, text);
    SetTextColor(crText);
    SetBkMode(nMode);
}

void CDC::DrawFocusRect(const CRect& rc)
{
    // Every other pixel of the outline inverted, so it shows on any background.
    m_painter.save();
    m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const auto invert = [this](int x, int y)
    {
        if (((x + y) & 1) == 0)
            m_painter.fillRect(x, y, 1, 1, Qt::white);
    };
    for (int x = rc.left; x < rc.right; ++x)
    {
        invert(x, rc.top);
        invert(x, rc.bottom - 1);
    }
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
    {
        invert(rc.left, y);
        invert(rc.right - 1, y);
    }
    m_painter.restore();
}

void CDC::BitBlt(int x, int y, const QPixmap& bitmap)
{
    // At a whole scale every pixel becomes a block of the same size. At a fractional one, blocks of two
    // sizes would distort the artwork (a P reads as an F), so the bitmap is scaled smoothly to the device
    // pixels it covers and copied onto them.
    const qreal dScale = DeviceScale(m_painter);
    if (dScale == std::floor(dScale))
    {
        m_painter.drawPixmap(x, y, bitmap);
        return;
    }
    QPixmap scaled = bitmap.scaled((QSizeF(bitmap.size()) * dScale).toSize(), Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(dScale);
    m_painter.drawPixmap(x, y, scaled);
}

int CDC::SetBkMode(int nMode)
{
    return std::exchange(m_nBkMode, nMode);
}

COLORREF CDC::SetBkColor(COLORREF cr)
{
    return std::exchange(m_crBk, cr);
}

COLORREF CDC::SetTextColor(COLORREF cr)
{
    return std::exchange(m_crText, cr);
}

int CDC::SetROP2(int nMode)
{
    return std::exchange(m_nRop2, nMode);
}
