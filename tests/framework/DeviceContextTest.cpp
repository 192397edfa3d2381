// The device context: pens, rectangles, fills, ellipses and arcs by their pixels, text output with its
// background and clipping, grayed text, bitmaps, selections and the system colours.

#include "framework/DeviceContext.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <functional>

using testsupport::PixelAt;

namespace
{
const QColor kBackground(10, 20, 30);

QImage Paint(int cx, int cy, const std::function<void(CDC&)>& draw)
{
    QImage image(cx, cy, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    CDC dc(painter);
    draw(dc);
    painter.end();
    return image;
}

struct SPixel
{
    int x, y;
    QColor colour;
};

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
} // namespace

TEST(DeviceContext, DrawsShapesWithGdiPixelRules)
{
    static CPen red1(PS_SOLID, 1, RGB(255, 0, 0));
    static CPen green2(PS_SOLID, 2, RGB(0, 255, 0));
    static CPen blue2(PS_SOLID, 2, RGB(0, 0, 255));
    static CPen blue1(PS_SOLID, 1, RGB(0, 0, 255));
    static CBrush blueBrush(RGB(0, 0, 255));
    static CBrush greenBrush(RGB(0, 255, 0));
    struct SCase
    {
        const char* pszName;
        std::function<void(CDC&)> draw;
        std::vector<SPixel> pixels;
    };
    const SCase cases[] = {
        {"1-pixel line leaves out its end point",
         [](CDC& dc)
         {
             dc.SelectObject(&red1);
             dc.MoveTo(2, 5);
             dc.LineTo(8, 5);
         },
         {{2, 5, kRed},
          {7, 5, kRed},
          {8, 5, kBackground},
          {1, 5, kBackground},
          {5, 4, kBackground},
          {5, 6, kBackground}}},
        {"a line drawn backwards leaves out its own end",
         [](CDC& dc)
         {
             dc.SelectObject(&red1);
             dc.MoveTo(8, 5);
             dc.LineTo(2, 5);
         },
         {{8, 5, kRed}, {3, 5, kRed}, {2, 5, kBackground}}},
        {"2-pixel pen at x covers x-1 and x",
         [](CDC& dc)
         {
             dc.SelectObject(&green2);
             dc.MoveTo(5, 2);
             dc.LineTo(5, 8);
         },
         {{4, 2, kGreen},
          {5, 2, kGreen},
          {4, 7, kGreen},
          {5, 7, kGreen},
          {3, 5, kBackground},
          {6, 5, kBackground},
          {5, 8, kBackground}}},
        {"2-pixel pen at y covers y-1 and y",
         [](CDC& dc)
         {
             dc.SelectObject(&green2);
             dc.MoveTo(2, 5);
             dc.LineTo(8, 5);
         },
         {{3, 4, kGreen}, {3, 5, kGreen}, {3, 3, kBackground}, {3, 6, kBackground}}},
        {"a bevel of two 2-pixel pens inside a rectangle",
         [](CDC& dc)
         {
             dc.SelectObject(&green2);
             dc.MoveTo(2, 12);
             dc.LineTo(2, 2);
             dc.LineTo(12, 2);
             dc.SelectObject(&blue2);
             dc.LineTo(12, 12);
             dc.LineTo(2, 12);
         },
         {{2, 5, kGreen},
          {5, 2, kGreen},
          {2, 11, kGreen},
          {11, 5, kBlue},
          {5, 11, kBlue},
          {11, 2, kBlue},
          {3, 3, kBackground},
          {10, 10, kBackground}}},
        {"rectangle: pen outline inside, brush within, right and bottom exclusive",
         [](CDC& dc)
         {
             dc.SelectObject(&blueBrush);
             dc.Rectangle(CRect(2, 2, 8, 8));
         },
         {{2, 2, kBlack},
          {7, 2, kBlack},
          {2, 7, kBlack},
          {7, 7, kBlack},
          {3, 3, kBlue},
          {6, 6, kBlue},
          {8, 5, kBackground},
          {5, 8, kBackground},
          {1, 1, kBackground}}},
        {"an empty rectangle draws nothing",
         [](CDC& dc) { dc.Rectangle(CRect(5, 5, 5, 9)); },
         {{5, 5, kBackground}, {4, 5, kBackground}}},
        {"fill without outline",
         [](CDC& dc) { dc.FillRect(CRect(1, 1, 4, 4), &greenBrush); },
         {{1, 1, kGreen}, {3, 3, kGreen}, {4, 3, kBackground}, {3, 4, kBackground}, {0, 0, kBackground}}},
        {"ellipse inscribed in its rectangle",
         [](CDC& dc)
         {
             dc.SelectObject(&blue1);
             dc.SelectObject(&greenBrush);
             dc.Ellipse(CRect(0, 0, 21, 21));
         },
         {{10, 10, kGreen},
          {10, 0, kBlue},
          {0, 10, kBlue},
          {20, 10, kBlue},
          {10, 20, kBlue},
          {0, 0, kBackground},
          {20, 20, kBackground},
          {21, 10, kBackground}}},
        {"arc from lower left to upper right goes counter-clockwise over the lower right",
         [](CDC& dc)
         {
             dc.SelectObject(&red1);
             dc.Arc(CRect(0, 0, 21, 21), QPoint(3, 17), QPoint(17, 3));
         },
         {{10, 20, kRed}, {20, 10, kRed}, {10, 0, kBackground}, {0, 10, kBackground}, {10, 10, kBackground}}},
        {"arc from upper right to lower left goes over the upper left",
         [](CDC& dc)
         {
             dc.SelectObject(&red1);
             dc.Arc(CRect(0, 0, 21, 21), QPoint(17, 3), QPoint(3, 17));
         },
         {{10, 0, kRed}, {0, 10, kRed}, {10, 20, kBackground}, {20, 10, kBackground}}},
    };
    for (const auto& c : cases)
    {
        const QImage image = Paint(24, 24, c.draw);
        for (const auto& pixel : c.pixels)
        {
            EXPECT_EQ(PixelAt(image, pixel.x, pixel.y), pixel.colour)
                << c.pszName << " at (" << pixel.x << ", " << pixel.y << ")";
        }
    }
}

// An arc over an ellipse of the same rectangle covers the ellipse's outline on its side: the lamp's ring is
// dark all along its lower right, with no pixel of the light outline left showing there.
TEST(DeviceContext, ArcCoversTheOutlineOfItsEllipse)
{
    CPen light(PS_SOLID, 1, RGB(255, 255, 255));
    CPen dark(PS_SOLID, 1, RGB(128, 128, 128));
    CBrush face(RGB(192, 192, 192));
    for (const int nSide : {13, 16, 21, 30})
    {
        SCOPED_TRACE(nSide);
        const CRect rc(0, 0, nSide, nSide);
        const int r = nSide / 2;
        const QImage image = Paint(nSide + 2, nSide + 2,
                                   [&](CDC& dc)
                                   {
                                       dc.SelectObject(&light);
                                       dc.SelectObject(&face);
                                       dc.Ellipse(rc);
                                       dc.SelectObject(&dark);
                                       dc.Arc(rc, QPoint(r - r * 7 / 10, r + r * 7 / 10),
                                              QPoint(r + r * 7 / 10, r - r * 7 / 10));
                                   });
        int nDark = 0;
        for (int y = 0; y < nSide; ++y)
        {
            for (int x = 0; x < nSide; ++x)
            {
                // Well inside the lower-right half, away from the arc's two ends.
                if (x + y < nSide + 2)
                    continue;
                EXPECT_NE(PixelAt(image, x, y), QColor(255, 255, 255))
                    << "light outline at " << x << ", " << y;
                nDark += PixelAt(image, x, y) == QColor(128, 128, 128) ? 1 : 0;
            }
        }
        EXPECT_GT(nDark, nSide / 2);
    }
}

TEST(DeviceContext, OpaqueClippedTextFillsTheRectangleAndStaysInside)
{
    const CRect rc(2, 2, 14, 12);
    const QImage image = Paint(60, 20,
                               [&](CDC& dc)
                               {
                                   dc.SetBkColor(RGB(0, 255, 0));
                                   dc.SetTextColor(RGB(0, 0, 0));
                                   dc.ExtTextOut(2, 2, ETO_OPAQUE | ETO_CLIPPED, &rc, "WWWWWWWW");
                               });
    int nText = 0;
    for (int y = 0; y < image.height(); ++y)
    {
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor colour = PixelAt(image, x, y);
            if (!rc.PtInRect(x, y))
            {
                ASSERT_EQ(colour, kBackground) << "outside the rectangle at " << x << ", " << y;
            }
            else if (colour != kGreen)
            {
                ASSERT_NE(colour, kBackground) << "unfilled inside at " << x << ", " << y;
                ++nText;
            }
        }
    }
    EXPECT_GT(nText, 10); // the text itself was drawn
}

TEST(DeviceContext, TextOutFillsItsCellOnlyInOpaqueMode)
{
    struct SCase
    {
        int nMode;
        QColor cell;
    };
    for (const auto& c : {SCase{OPAQUE, kGreen}, SCase{TRANSPARENT, kBackground}})
    {
        QSize extent;
        const QImage image = Paint(40, 30,
                                   [&](CDC& dc)
                                   {
                                       dc.SetBkMode(c.nMode);
                                       dc.SetBkColor(RGB(0, 255, 0));
                                       dc.TextOut(3, 4, "i");
                                       extent = dc.GetTextExtent("i");
                                   });
        // The bottom row of the cell is below the letter, so only the background mode decides its colour.
        EXPECT_EQ(PixelAt(image, 3, 4 + extent.height() - 1), c.cell) << c.nMode;
        EXPECT_EQ(PixelAt(image, 3 + extent.width(), 4), kBackground) << c.nMode;
    }
}

TEST(DeviceContext, GrayStringDrawsInTheShadowAndHighlightColours)
{
    const QImage image = Paint(90, 36,
                               [](CDC& dc)
                               {
                                   // Text is smoothed: stems this thick have pixels of the full colour.
                                   QFont bold(QStringLiteral("DejaVu Sans"));
                                   bold.setPixelSize(20);
                                   bold.setBold(true);
                                   dc.Painter().setFont(bold);
                                   CBrush black(RGB(0, 0, 0));
                                   dc.SetTextColor(RGB(255, 0, 0));
                                   dc.GrayString(&black, "HHH", 2, 2);
                                   // The context's own text colour and background mode are put back.
                                   EXPECT_EQ(dc.SetTextColor(RGB(0, 0, 0)), RGB(255, 0, 0));
                                   EXPECT_EQ(dc.SetBkMode(OPAQUE), OPAQUE);
                               });
    bool bShadow = false, bHighlight = false, bTextColour = false;
    for (int y = 0; y < image.height(); ++y)
    {
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor colour = PixelAt(image, x, y);
            bShadow |= colour == ToQColor(GetSysColor(COLOR_BTNSHADOW));
            bHighlight |= colour == ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
            bTextColour |= colour == kRed;
        }
    }
    EXPECT_TRUE(bShadow);
    EXPECT_TRUE(bHighlight);
    EXPECT_FALSE(bTextColour);
    EXPECT_EQ(PixelAt(image, 0, 0), kBackground); // transparent: no cell filled
}

TEST(DeviceContext, BitBltCopiesPixelsUnchanged)
{
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixelColor(0, 0, QColor(1, 2, 3));
    source.setPixelColor(1, 0, QColor(250, 128, 7));
    source.setPixelColor(0, 1, QColor(0, 0, 0));
    source.setPixelColor(1, 1, QColor(255, 255, 255));
    const QPixmap bitmap = QPixmap::fromImage(source);
    const QImage image = Paint(10, 10, [&](CDC& dc) { dc.BitBlt(3, 4, bitmap); });
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(PixelAt(image, 3 + x, 4 + y), source.pixelColor(x, y)) << x << ", " << y;
    EXPECT_EQ(PixelAt(image, 5, 4), kBackground);
}

TEST(DeviceContext, SelectionsAndSettersReturnWhatWasThereBefore)
{
    Paint(
        4, 4,
        [](CDC& dc)
        {
            CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
            CBrush brush(RGB(4, 5, 6));
            EXPECT_EQ(dc.SelectObject(&pen), CDC::StockBlackPen());
            EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
            EXPECT_EQ(dc.GetCurrentPen(), &pen);
            CBrush* pStock = dc.SelectObject(&brush);
            ASSERT_NE(pStock, nullptr);
            EXPECT_EQ(pStock->Colour(), RGB(255, 255, 255));
            EXPECT_EQ(dc.SelectObject(pStock), &brush);
            EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
            EXPECT_EQ(dc.SetBkMode(OPAQUE), TRANSPARENT);
            EXPECT_EQ(dc.SetBkColor(RGB(9, 9, 9)), RGB(255, 255, 255));
            EXPECT_EQ(dc.SetBkColor(RGB(1, 1, 1)), RGB(9, 9, 9));
            EXPECT_EQ(dc.SetTextColor(RGB(7, 7, 7)), RGB(0, 0, 0));
            EXPECT_EQ(dc.SetROP2(R2_COPYPEN), R2_COPYPEN);
        });
}

TEST(SystemColours, ComeFromTheApplicationPalette)
{
    struct SCase
    {
        int nIndex;
        COLORREF cr;
    };
    const SCase cases[] = {
        {COLOR_BTNFACE, RGB(192, 192, 192)},      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},         {99, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSysColor(c.nIndex), c.cr) << c.nIndex;
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Button, QColor(1, 2, 3));
    QApplication::setPalette(changed);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    QApplication::setPalette(saved);

    // Colour values keep red in the low byte.
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
    EXPECT_EQ(ToQColor(0x00563412u), QColor(0x12, 0x34, 0x56));
}
