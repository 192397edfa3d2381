// The round lamp: disc, ring and surround in wide and tall controls, colours fixed when built, and a look
// nothing the operator does can change.

#include "PixelProbe.h"

#include "controls/RoundIndicator.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>

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
    } cases[] = {
        {"wide_live", kLive, {80, 30}, {{0, 0}, {24, 15}, {55, 15}}, {40, 3}},
        {"tall_live", kLive, {30, 80}, {{29, 79}, {15, 24}, {15, 55}}, {15, 28}},
        {"wide_not_live", kNotLive, {80, 30}, {{79, 0}, {10, 15}, {69, 15}}, {40, 26}},
        {"square_not_live", kNotLive, {31, 31}, {{0, 0}, {30, 30}, {0, 30}}, {15, 3}},
    };
    for (const auto& c : cases)
    {
        COLORREF crSource = c.crLamp;
        CRoundIndicator lamp(&crSource, kTeal);
        crSource = kTeal; // read once, when built
        lamp.resize(c.size);
        const QImage image = pixelprobe::Grab(lamp);
        pixelprobe::Save(image, std::string("lamp_") + c.pszName);
        EXPECT_EQ(pixelprobe::At(image, c.size.width() / 2, c.size.height() / 2), c.crLamp) << c.pszName;
        for (const QPoint& pt : c.ptsSurround)
        {
            EXPECT_EQ(pixelprobe::At(image, pt.x(), pt.y()), kTeal)
                << c.pszName << " " << pt.x() << "," << pt.y();
        }
        EXPECT_EQ(pixelprobe::At(image, c.ptRing.x(), c.ptRing.y()), GetSysColor(COLOR_BTNFACE)) << c.pszName;
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
