// The reading display: bevel, fill and centred text, a text that is on screen at once, and the text it gives
// the accessibility layer.

#include "PixelProbe.h"

#include "controls/ControlAccessible.h"
#include "controls/ReadingDisplay.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF kBlackish = 0x202020, kWhite = 0xFFFFFF, kGrey = RGB(192, 192, 192);

struct SDisplayFixture
{
    explicit SDisplayFixture(int nBorder, int nWidth = 120, COLORREF crBack = kBlackish,
                             COLORREF crText = kWhite)
        : display(nBorder, crBack, crText)
    {
        display.resize(nWidth, 24);
        display.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&display));
    }
    QRect Interior() const { return display.rect().adjusted(1, 1, -1, -1); }
    CReadingDisplay display;
};

TEST(ReadingDisplay, BevelFollowsTheBorderAndAnEmptyTextShowsOnlyTheFill)
{
    const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crDark = GetSysColor(COLOR_BTNSHADOW);
    for (const auto& [pszName, nBorder, crTopLeft, crBottomRight] : {std::tuple{"raised", 0, crLight, crDark},
                                                                     {"sunken", 1, crDark, crLight},
                                                                     {"flat", 2, kBlackish, kBlackish}})
    {
        SDisplayFixture f(nBorder);
        const QImage image = pixelprobe::Grab(f.display);
        pixelprobe::Save(image, std::string("display_empty_") + pszName);
        const int w = f.display.width(), h = f.display.height();
        EXPECT_EQ(pixelprobe::At(image, 0, h / 2), crTopLeft) << pszName;
        EXPECT_EQ(pixelprobe::At(image, w / 2, 0), crTopLeft) << pszName;
        EXPECT_EQ(pixelprobe::At(image, w - 1, h / 2), crBottomRight) << pszName;
        EXPECT_EQ(pixelprobe::At(image, w / 2, h - 1), crBottomRight) << pszName;
        const QRect interior = f.Interior();
        EXPECT_EQ(pixelprobe::CountColour(image, interior, kBlackish), interior.width() * interior.height());
    }
}

TEST(ReadingDisplay, TextIsCentredInItsOwnColours)
{
    for (const auto& [pszName, pszText, crBack, crText] :
         {std::tuple{"reading", "+1.00000E+06", kBlackish, kWhite}, {"slot", "7", kGrey, RGB(0, 0, 0)}})
    {
        SDisplayFixture f(CReadingDisplay::BORDER_SUNKEN, 120, crBack, crText);
        f.display.SetText(pszText);
        const QImage image = pixelprobe::Grab(f.display);
        pixelprobe::Save(image, std::string("display_text_") + pszName);
        const QRect ink = pixelprobe::InkBounds(image, f.Interior(), crBack);
        const int nTop = 1 + (f.display.height() - 2 - QFontMetrics(f.display.font()).height()) / 2;
        EXPECT_NEAR(ink.center().x(), f.display.width() / 2, 2) << pszName;
        EXPECT_GE(ink.top(), nTop) << pszName;
        EXPECT_LT(ink.bottom(), nTop + QFontMetrics(f.display.font()).height()) << pszName;
        EXPECT_GT(pixelprobe::CountColour(image, ink, crText), 0) << pszName;
    }
}

TEST(ReadingDisplay, TextWiderThanTheDisplayStartsAtTheLeftAndIsClipped)
{
    // From x = 0 a long text shows the same leading glyphs in a narrow and a wider display; centred, each
    // would show a different middle part.
    const std::string text = "-1.23456789012345678901234567890E+06 Hz overrange";
    SDisplayFixture narrow(CReadingDisplay::BORDER_SUNKEN, 50), wider(CReadingDisplay::BORDER_SUNKEN, 80);
    narrow.display.SetText(text);
    wider.display.SetText(text);
    const QImage image = pixelprobe::Grab(narrow.display);
    pixelprobe::Save(image, "display_text_too_wide");
    EXPECT_GT(pixelprobe::CountColour(image, narrow.Interior(), kWhite), 0);
    EXPECT_EQ(image.copy(narrow.Interior()), pixelprobe::Grab(wider.display).copy(narrow.Interior()));
    const QRect rightEdge(49, 0, 1, 24);
    EXPECT_EQ(pixelprobe::CountColour(image, rightEdge, GetSysColor(COLOR_BTNHIGHLIGHT)), 24)
        << "bevel intact";
}

// Focused once the keyboard has moved the focus in its window, the display shows a dotted outline inside its
// fill, as the style shows the focus of the other controls then; clicked, a focused display looks idle.
TEST(ReadingDisplay, AFocusRectangleShowsOnlyWhileFocusedAfterTheKeyboardMovedTheFocus)
{
    struct SCase
    {
        // T Tab (from the button before the display to it, or from it back on), C a click on the display
        const char* pszSteps;
        bool bOutline;
    };
    const SCase cases[] = {{"C", false}, {"T", true}, {"TC", true}, {"TT", false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszSteps);
        QWidget window;
        QPushButton before(QStringLiteral("Before"), &window);
        auto* pDisplay = new CReadingDisplay(CReadingDisplay::BORDER_SUNKEN, kBlackish, kWhite);
        pDisplay->setParent(&window);
        pDisplay->setGeometry(0, 30, 120, 24);
        pDisplay->setFocusPolicy(Qt::StrongFocus);
        pDisplay->SetText("+1.00000E+06");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        before.setFocus();
        const QImage idle = pixelprobe::Grab(*pDisplay);
        for (const char* pc = c.pszSteps; *pc; ++pc)
            *pc == 'T' ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)
                       : QTest::mouseClick(pDisplay, Qt::LeftButton);
        const QImage shown = pixelprobe::Grab(*pDisplay);
        pixelprobe::Save(shown, std::string("display_focus_") + c.pszSteps);
        const QRect outline = pDisplay->rect().adjusted(2, 2, -2, -2);
        int nChanged = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != idle.pixel(x, y))
                {
                    ++nChanged;
                    EXPECT_TRUE(outline.contains(x, y) && !outline.adjusted(1, 1, -1, -1).contains(x, y))
                        << x << "," << y << " is off the outline";
                }
        EXPECT_EQ(nChanged > 0, c.bOutline);
    }
}

TEST(ReadingDisplay, SetTextIsOnScreenAtOnceAndAFullRepaintShowsTheSame)
{
    SDisplayFixture f(CReadingDisplay::BORDER_SUNKEN);
    f.display.setAccessibleName(QStringLiteral("Reading"));
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(&f.display);
    const QImage blank = pixelprobe::OnScreen(f.display);
    ASSERT_FALSE(blank.isNull());
    for (const char* pszText : {"+9.99000E+02", "0", ""})
    {
        f.display.SetText(pszText);
        const QImage shown = pixelprobe::OnScreen(f.display); // no event processed
        EXPECT_EQ(shown == blank, *pszText == '\0') << pszText;
        f.display.update();
        QCoreApplication::processEvents();
        EXPECT_EQ(pixelprobe::OnScreen(f.display), shown) << pszText;
        EXPECT_EQ(pInterface->text(QAccessible::Name), "Reading");
        EXPECT_EQ(pInterface->text(QAccessible::Value), pszText);
        EXPECT_EQ(pInterface->text(QAccessible::Description), pszText); // where AT-SPI reads the value
    }
}

namespace
{
std::vector<std::pair<QObject*, QString>> s_valueChanges;

void RecordValueChange(QAccessibleEvent* pEvent)
{
    if (pEvent->type() == QAccessible::ValueChanged)
        s_valueChanges.emplace_back(pEvent->object(),
                                    static_cast<QAccessibleValueChangeEvent*>(pEvent)->value().toString());
}
} // namespace

TEST(ReadingDisplay, EveryNewTextIsAnnouncedAsAValueChange)
{
    SDisplayFixture f(CReadingDisplay::BORDER_SUNKEN);
    s_valueChanges.clear();
    const QAccessible::UpdateHandler previous = CControlAccessible::InstallValueListener(RecordValueChange);
    for (const char* pszText : {"+1.00000012E+07", "+1.00000012E+07", " ", "+9.9E+37"})
        f.display.SetText(pszText);
    CControlAccessible::InstallValueListener(previous);
    QObject* pDisplay = &f.display;
    const std::vector<std::pair<QObject*, QString>> expected{
        {pDisplay, "+1.00000012E+07"},
        {pDisplay, " "},
        {pDisplay, "+9.9E+37"}}; // the same text again is no news
    EXPECT_EQ(s_valueChanges, expected);
}

} // namespace
