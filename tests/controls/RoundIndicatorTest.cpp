// The round lamp: disc, ring and surround in wide and tall controls, colours fixed when built, and a look
// nothing the operator does can change.

#include "PixelProbe.h"

#include "controls/RoundIndicator.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace
{
constexpr COLORREF kLive = RGB(0, 255, 0), kNotLive = RGB(128, 128, 128), kTeal = 0x808040;

TEST(RoundIndicator, DiscAtTheCentreRingAroundItSurroundBeside)
{
    const struct
    {
        const char* pszName;
        COLORREF crLamp;
        QSize size;
        QPoint ptsSurround[3]; // a corner and both sides of the ring square
        QPoint ptRing;         // between the outline and the disc
        qreal dScale;          // device pixels to a unit: on a scaled screen the outlines are smoothed
    } cases[] = {
        {"wide_live", kLive, {80, 30}, {{0, 0}, {24, 15}, {55, 15}}, {40, 3}, 1},
        {"tall_live", kLive, {30, 80}, {{29, 79}, {15, 24}, {15, 55}}, {15, 28}, 1},
        {"wide_not_live", kNotLive, {80, 30}, {{79, 0}, {10, 15}, {69, 15}}, {40, 26}, 1},
        {"square_not_live", kNotLive, {31, 31}, {{0, 0}, {30, 30}, {0, 30}}, {15, 3}, 1},
        {"wide_live_1.5x", kLive, {80, 30}, {{0, 0}, {24, 15}, {55, 15}}, {40, 3}, 1.5},
        {"tall_not_live_1.5x", kNotLive, {31, 80}, {{30, 79}, {15, 23}, {15, 55}}, {15, 27}, 1.5},
    };
    for (const auto& c : cases)
    {
        COLORREF crSource = c.crLamp;
        CRoundIndicator lamp(&crSource, kTeal);
        crSource = kTeal; // read once, when built
        lamp.resize(c.size);
        const QImage image = pixelprobe::GrabScaled(lamp, c.dScale);
        pixelprobe::Save(image, std::string("lamp_") + c.pszName);
        const auto at = [&](QPoint pt)
        {
            const QPoint ptDevice = pixelprobe::DevicePixel(pt, c.dScale);
            return pixelprobe::At(image, ptDevice.x(), ptDevice.y());
        };
        EXPECT_EQ(at({c.size.width() / 2, c.size.height() / 2}), c.crLamp) << c.pszName;
        for (const QPoint& pt : c.ptsSurround)
            EXPECT_EQ(at(pt), kTeal) << c.pszName << " " << pt.x() << "," << pt.y();
        EXPECT_EQ(at(c.ptRing), GetSysColor(COLOR_BTNFACE)) << c.pszName;
        // Smoothed edges blend the colours they part; at scale 1 every pixel has one of the lamp's colours.
        const std::set<COLORREF> own{c.crLamp, kTeal, GetSysColor(COLOR_BTNFACE),
                                     GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
        int nBlended = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                nBlended += own.count(pixelprobe::At(image, x, y)) == 0 ? 1 : 0;
        EXPECT_EQ(nBlended > 0, c.dScale != 1) << c.pszName;
    }
}

TEST(RoundIndicator, RingIsLightAtTheUpperLeftAndDarkAtTheLowerRight)
{
    const COLORREF crLamp = kLive;
    CRoundIndicator lamp(&crLamp, kTeal);
    lamp.resize(60, 60);
    const QImage image = pixelprobe::Grab(lamp);
    const QRect upperLeft(0, 0, 30, 30), lowerRight(30, 30, 30, 30);
    EXPECT_GT(pixelprobe::CountColour(image, upperLeft, GetSysColor(COLOR_BTNHIGHLIGHT)), 20);
    // Drawn the other way round (clockwise, or between the wrong points) the arc would darken the upper left.
    EXPECT_EQ(pixelprobe::CountColour(image, upperLeft, GetSysColor(COLOR_BTNSHADOW)), 0);
    EXPECT_GT(pixelprobe::CountColour(image, lowerRight, GetSysColor(COLOR_BTNSHADOW)), 20);
}

TEST(RoundIndicator, NothingTheOperatorDoesChangesItsLook)
{
    const struct
    {
        const char* pszName;
        std::function<void(CRoundIndicator*)> act;
    } cases[] = {
        {"click", [](CRoundIndicator* p) { QTest::mouseClick(p, Qt::LeftButton); }},
        {"held down", [](CRoundIndicator* p) { QTest::mousePress(p, Qt::LeftButton); }},
        {"double click", [](CRoundIndicator* p) { QTest::mouseDClick(p, Qt::LeftButton); }},
        {"focus", [](CRoundIndicator* p) { p->setFocus(); }},
        {"disabled", [](CRoundIndicator* p) { p->setEnabled(false); }},
    };
    for (const auto& c : cases)
    {
        const COLORREF crLamp = kLive;
        CRoundIndicator lamp(&crLamp, kTeal);
        lamp.resize(40, 30);
        lamp.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&lamp));
        const QImage before = pixelprobe::Grab(lamp);
        c.act(&lamp);
        EXPECT_EQ(pixelprobe::Grab(lamp), before) << c.pszName;
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(&lamp)->state().readOnly) << c.pszName;
    }
}
} // namespace
