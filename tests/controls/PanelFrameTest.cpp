// The panel frame: a 2-pixel edge, raised or sunken, in the system colours of the moment, and nothing else.

#include "PixelProbe.h"

#include "controls/PanelFrame.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace
{
std::array<COLORREF, 4> EdgesOf(const QImage& image) // left, top, right, bottom
{
    const int w = image.width(), h = image.height();
    return {pixelprobe::At(image, 0, h / 2), pixelprobe::At(image, w / 2, 0),
            pixelprobe::At(image, w - 1, h / 2), pixelprobe::At(image, w / 2, h - 1)};
}

TEST(PanelFrame, RaisedIsLightAtTopLeftSunkenIsDarkAndTheInsideIsUntouched)
{
    const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crDark = GetSysColor(COLOR_BTNSHADOW);
    for (const auto& [pszName, eEdge, crTL, crBR] :
         {std::tuple{"raised", CPanelFrame::EDGE_RAISED, crLight, crDark},
          {"sunken", CPanelFrame::EDGE_SUNKEN, crDark, crLight}})
    {
        QWidget host;
        host.resize(200, 150);
        auto* pFrame = new CPanelFrame(eEdge);
        pFrame->setParent(&host);
        pFrame->setGeometry(10, 10, 150, 100);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        const QImage hostImage = pixelprobe::Grab(host);
        pixelprobe::Save(hostImage, std::string("frame_") + pszName);
        const QImage image = hostImage.copy(pFrame->geometry());
        EXPECT_EQ(EdgesOf(image), (std::array{crTL, crTL, crBR, crBR})) << pszName;
        const QRect inside = image.rect().adjusted(2, 2, -2, -2);
        const COLORREF crHost = FromQColor(host.palette().color(QPalette::Window));
        EXPECT_EQ(pixelprobe::CountColour(image, inside, crHost), inside.width() * inside.height())
            << pszName;
    }
}

TEST(PanelFrame, OnlyTheSystemColoursAndTheSunkenFlagChangeItsLook)
{
    CPanelFrame frame(CPanelFrame::EDGE_RAISED);
    frame.resize(60, 40);
    const QImage before = pixelprobe::Grab(frame);
    frame.setEnabled(false);
    EXPECT_EQ(pixelprobe::Grab(frame), before) << "disabled";
    frame.setEnabled(true);
    frame.setFocus();
    EXPECT_EQ(pixelprobe::Grab(frame), before) << "focused";

    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Light, QColor(255, 255, 0));
    changed.setColor(QPalette::Dark, QColor(0, 0, 128));
    QApplication::setPalette(changed);
    const auto edges = EdgesOf(pixelprobe::Grab(frame));
    QApplication::setPalette(saved);
    EXPECT_EQ(edges, (std::array{RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 0, 128), RGB(0, 0, 128)}));
}

TEST(PanelFrame, ClicksPassThroughToTheControlUnderneath)
{
    QWidget host;
    host.resize(120, 80);
    auto* pButton = new QPushButton(QStringLiteral("Read"), &host);
    pButton->setGeometry(20, 20, 60, 24);
    auto* pFrame = new CPanelFrame(CPanelFrame::EDGE_RAISED);
    pFrame->setParent(&host);
    pFrame->setGeometry(0, 0, 120, 80); // on top of the button
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QSignalSpy clicked(pButton, &QAbstractButton::clicked);
    QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, QPoint(50, 32));
    EXPECT_EQ(clicked.count(), 1);
}
} // namespace
