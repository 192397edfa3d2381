// The two-state toggle: how mouse and keyboard flip it and notify, its look in each state, and what it
// tells the accessibility layer.

#include "PixelProbe.h"

#include "controls/ToggleButton.h"
#include "res/ResourceIds.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{
using enum res::EStringId;
constexpr int kNoString = 0; // not in the string table

struct SToggleFixture
{
    explicit SToggleFixture(int nCaption0 = IDS_X1, QSize size = {100, 40})
        : toggle(nCaption0, IDS_X10), clicked(&toggle, &QAbstractButton::clicked),
          doubleClicked(&toggle, &CButton::doubleClicked)
    {
        toggle.resize(size);
        toggle.setFocusPolicy(Qt::NoFocus); // the window's activation leaves it unfocused
        toggle.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&toggle));
    }
    QRect TextArea() const { return toggle.rect().adjusted(3, 3, -3, -3); }

    CToggleButton toggle;
    QSignalSpy clicked;
    QSignalSpy doubleClicked;
};

// Plays a script of events on the toggle: P press, R release inside, O release outside, D the double-click
// event of a second press, S the space bar, A the accessibility Press action, r a right click.
void Play(CToggleButton* p, const char* pszScript)
{
    const QPoint in(50, 20), out(150, 60);
    for (const char* pc = pszScript; *pc; ++pc)
    {
        switch (*pc)
        {
        case 'P':
            QTest::mousePress(p, Qt::LeftButton, {}, in);
            break;
        case 'R':
            QTest::mouseRelease(p, Qt::LeftButton, {}, in);
            break;
        case 'O':
            QTest::mouseRelease(p, Qt::LeftButton, {}, out);
            break;
        case 'D':
            QTest::mouseDClick(p, Qt::LeftButton, {}, in);
            break;
        case 'S':
            QTest::keyClick(p, Qt::Key_Space);
            break;
        case 'A':
        {
            QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(p);
            pInterface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            break;
        }
        case 'r':
            QTest::mouseClick(p, Qt::RightButton, {}, in);
            break;
        }
    }
}

TEST(ToggleButton, MouseKeyboardAndAccessibilityFlipBeforeTheyNotify)
{
    const struct
    {
        const char* pszScript;
        int nState, nClicked, nDoubleClicked;
    } cases[] = {
        {"PR", 1, 1, 0},                   // a click
        {"P", 1, 0, 0},                    // the state flips on the press
        {"PO", 0, 0, 0},                   // released outside: not notified, and the caption goes back
        {"PRDR", 0, 1, 1},                 // double click: two flips, two notifications
        {"PRPR", 0, 2, 0},                 // two single clicks
        {"S", 1, 1, 0},                    // space bar: a click
        {"SS", 0, 2, 0},   {"A", 1, 1, 0}, // the accessibility Press action: a click
        {"POPR", 1, 1, 0}, {"r", 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        SToggleFixture f;
        f.toggle.setFocus();
        std::vector<int> notifiedStates; // what a panel reads in its click handler
        QObject::connect(&f.toggle, &QAbstractButton::clicked,
                         [&] { notifiedStates.push_back(f.toggle.GetState()); });
        Play(&f.toggle, c.pszScript);
        EXPECT_EQ(f.toggle.GetState(), c.nState) << c.pszScript;
        EXPECT_EQ(f.toggle.Caption(), c.nState ? "x10" : "x1") << c.pszScript;
        EXPECT_EQ(f.clicked.count(), c.nClicked) << c.pszScript;
        EXPECT_EQ(f.doubleClicked.count(), c.nDoubleClicked) << c.pszScript;
        if (!notifiedStates.empty())
        {
            EXPECT_EQ(notifiedStates.front(), 1)
                << c.pszScript << ": the first click sends the flipped state";
        }
    }
}

TEST(ToggleButton, AFocusedToggleShowsAFocusRectangle)
{
    SToggleFixture f;
    const QRect rcFocus = f.toggle.rect().adjusted(4, 4, -5, -5); // the outline inside the caption's area
    const auto focusPixels = [&]
    {
        const QImage image = pixelprobe::Grab(f.toggle);
        int nCount = 0;
        for (int x = rcFocus.left(); x <= rcFocus.right(); ++x)
            nCount += pixelprobe::At(image, x, rcFocus.top()) != GetSysColor(COLOR_BTNFACE) ? 1 : 0;
        return nCount;
    };
    EXPECT_EQ(focusPixels(), 0);
    f.toggle.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.toggle));
    f.toggle.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(f.toggle.hasFocus());
    pixelprobe::Save(pixelprobe::Grab(f.toggle), "toggle_focused");
    EXPECT_NEAR(focusPixels(), rcFocus.width() / 2, 1) << "every other pixel of the outline";
}

TEST(ToggleButton, SetStateStoresZeroOrOneShowsItAtOnceAndTellsAccessibility)
{
    SToggleFixture f;
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(&f.toggle);
    for (const auto& [nSet, nExpected] : {std::pair{1, 1}, {0, 0}, {5, 1}, {0, 0}, {-1, 1}})
    {
        f.toggle.SetState(nSet);
        EXPECT_EQ(f.toggle.GetState(), nExpected) << nSet;
        EXPECT_EQ(pixelprobe::OnScreen(f.toggle), pixelprobe::Grab(f.toggle))
            << "no event processed, " << nSet;
        EXPECT_EQ(pInterface->text(QAccessible::Name), nExpected ? "x10" : "x1");
        EXPECT_EQ(pInterface->role(), QAccessible::Button); // a toggle button: checkable, pressed in state 1
        EXPECT_TRUE(pInterface->state().checkable);
        EXPECT_EQ(bool(pInterface->state().checked), nExpected == 1);
        EXPECT_EQ(bool(pInterface->state().pressed), nExpected == 1);
    }
    EXPECT_FALSE(f.toggle.isCheckable()) << "checkable only for accessibility, so a click flips once";
}

TEST(ToggleButton, RaisedInStateZeroSunkenInStateOneWithTheCaptionCentred)
{
    const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crDark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    SToggleFixture f;
    const int w = f.toggle.width(), h = f.toggle.height();
    const QFontMetrics metrics(f.toggle.font());
    const int nTextTop = 3 + (h - 6 - metrics.height()) / 2;
    for (const auto& [nState, crTopLeft, crBottomRight, pszCaption] :
         {std::tuple{0, crLight, crDark, "x1"}, {1, crDark, crLight, "x10"}})
    {
        f.toggle.SetState(nState);
        const QImage image = pixelprobe::Grab(f.toggle);
        pixelprobe::Save(image, "toggle_state" + std::to_string(nState));
        EXPECT_EQ(pixelprobe::At(image, 0, h / 2), RGB(0, 0, 0)) << "black outline " << nState;
        EXPECT_EQ(pixelprobe::At(image, 2, h / 2), crTopLeft) << "left " << nState;
        EXPECT_EQ(pixelprobe::At(image, w / 2, 2), crTopLeft) << "top " << nState;
        EXPECT_EQ(pixelprobe::At(image, w - 3, h / 2), crBottomRight) << "right " << nState;
        EXPECT_EQ(pixelprobe::At(image, w / 2, h - 3), crBottomRight) << "bottom " << nState;

        const QRect ink = pixelprobe::InkBounds(image, f.TextArea(), crFace);
        EXPECT_NEAR(ink.center().x(), w / 2, 2) << nState;
        EXPECT_LE(ink.width(), metrics.horizontalAdvance(pszCaption) + 1) << nState;
        EXPECT_GE(ink.top(), nTextTop) << nState;
        EXPECT_LT(ink.bottom(), nTextTop + metrics.height()) << nState;
        EXPECT_GT(pixelprobe::CountColour(image, ink, RGB(0, 0, 0)), 0) << nState;
    }
}

TEST(ToggleButton, DisabledCaptionIsGrayedFromTheLeftEdgeAndAtTheTop)
{
    SToggleFixture f(IDS_X1, {100, 60});
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    const QRect enabledInk = pixelprobe::InkBounds(pixelprobe::Grab(f.toggle), f.TextArea(), crFace);
    f.toggle.setEnabled(false);
    const QImage image = pixelprobe::Grab(f.toggle);
    pixelprobe::Save(image, "toggle_disabled");
    const QRect grayedInk = pixelprobe::InkBounds(image, f.TextArea(), crFace);

    EXPECT_EQ(pixelprobe::CountColour(image, grayedInk, RGB(0, 0, 0)), 0);
    EXPECT_GT(pixelprobe::CountColour(image, grayedInk, GetSysColor(COLOR_BTNSHADOW)), 0);
    // The same glyphs, 3 pixels further left (the inset is not added) and at the text rectangle's top.
    const int nCentredOffset = (f.TextArea().height() - QFontMetrics(f.toggle.font()).height()) / 2;
    ASSERT_GT(nCentredOffset, 5);
    EXPECT_EQ(grayedInk.topLeft(), enabledInk.topLeft() - QPoint(3, nCentredOffset));
}

TEST(ToggleButton, EmptyFirstCaptionDrawsTheWindowTextInBothStates)
{
    SToggleFixture f(kNoString);
    f.toggle.setText(QStringLiteral("Pos Slope"));
    const QImage image0 = pixelprobe::Grab(f.toggle).copy(f.TextArea());
    f.toggle.SetState(1);
    EXPECT_EQ(f.toggle.Caption(), "Pos Slope");
    EXPECT_EQ(pixelprobe::Grab(f.toggle).copy(f.TextArea()), image0);
}

} // namespace
