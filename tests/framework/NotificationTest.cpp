// Control notifications with their Windows meaning, driven by real mouse, key and accessibility events, and
// the owner-drawn button's painting and double click.

#include "framework/Button.h"
#include "framework/DialogControls.h"

#include "support/TestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

namespace
{
constexpr int kButton = 50;
constexpr int kOwnerDraw = 51;
constexpr int kEdit = 52;
constexpr int kList = 53;
constexpr int kCheck = 54;
constexpr int kRadio = 55;

using Counts = std::map<std::pair<ENotification, int>, int>;

// One control of each notifying kind, every notification counted.
struct SNotifyingHost
{
    std::unique_ptr<testsupport::STemplateHost> pBuilt;
    Counts counts;

    SNotifyingHost()
        : pBuilt(testsupport::BuildInHost(
              {900,
               200,
               150,
               "",
               false,
               "MS Sans Serif",
               8,
               {
                   {kButton, EControlKind::PushButton, "Go", 4, 4, 40, 14, CS_TABSTOP, {}},
                   {kOwnerDraw, EControlKind::OwnerDrawButton, "", 4, 20, 40, 14, CS_TABSTOP, {}},
                   {kEdit, EControlKind::Edit, "", 4, 40, 80, 12, CS_TABSTOP, {}},
                   {kList,
                    EControlKind::DropDownList,
                    "",
                    4,
                    56,
                    80,
                    40,
                    CS_TABSTOP,
                    {"one", "two", "three"}},
                   {kCheck, EControlKind::AutoCheckBox, "Check", 4, 72, 60, 10, CS_TABSTOP, {}},
                   {kRadio, EControlKind::AutoRadioButton, "Radio", 4, 84, 60, 10, CS_GROUP | CS_TABSTOP, {}},
               }}))
    {
        const std::pair<ENotification, int> bindings[] = {
            {BN_CLICKED, kButton}, {BN_CLICKED, kOwnerDraw}, {BN_DOUBLECLICKED, kOwnerDraw},
            {EN_CHANGE, kEdit},    {CBN_SELCHANGE, kList},   {BN_CLICKED, kCheck},
            {BN_CLICKED, kRadio}};
        for (const auto& binding : bindings)
            pBuilt->controls.Connect(binding.first, binding.second, [this, binding] { ++counts[binding]; });
    }
    CDialogControls& Controls() { return pBuilt->controls; }
    QWidget* Item(int nId) { return pBuilt->controls.Item(nId); }
    // Runs an action of the control's accessibility interface, as AT-SPI does.
    void Act(int nId, const QString& action)
    {
        QAccessible::queryAccessibleInterface(Item(nId))->actionInterface()->doAction(action);
    }
};
} // namespace

TEST(Notifications, EachHasItsWindowsMeaning)
{
    struct SCase
    {
        const char* pszName;
        std::function<void(SNotifyingHost&)> act;
        Counts expected;
    };
    const SCase cases[] = {
        {"click inside",
         [](SNotifyingHost& h) { testsupport::Click(h.Item(kButton)); },
         {{{BN_CLICKED, kButton}, 1}}},
        {"press inside, release outside",
         [](SNotifyingHost& h)
         {
             QTest::mousePress(h.Item(kButton), Qt::LeftButton);
             QTest::mouseRelease(h.Item(kButton), Qt::LeftButton, {}, QPoint(-10, -10));
         },
         {}},
        {"right click", [](SNotifyingHost& h) { QTest::mouseClick(h.Item(kButton), Qt::RightButton); }, {}},
        {"space bar",
         [](SNotifyingHost& h) { QTest::keyClick(h.Item(kButton), Qt::Key_Space); },
         {{{BN_CLICKED, kButton}, 1}}},
        {"programmatic check", [](SNotifyingHost& h) { h.Controls().SetCheck(kCheck, true); }, {}},
        {"check box by space",
         [](SNotifyingHost& h) { QTest::keyClick(h.Item(kCheck), Qt::Key_Space); },
         {{{BN_CLICKED, kCheck}, 1}}},
        // A screen reader's action on a radio button clicks it, as a radio's default action does on Windows.
        {"radio by the accessibility Toggle action",
         [](SNotifyingHost& h) { h.Act(kRadio, QAccessibleActionInterface::toggleAction()); },
         {{{BN_CLICKED, kRadio}, 1}}},
        {"radio by the accessibility Press action",
         [](SNotifyingHost& h) { h.Act(kRadio, QAccessibleActionInterface::pressAction()); },
         {{{BN_CLICKED, kRadio}, 1}}},
        {"owner-drawn click then double click",
         [](SNotifyingHost& h)
         {
             QWidget* pButton = h.Item(kOwnerDraw);
             QTest::mousePress(pButton, Qt::LeftButton);
             QTest::mouseRelease(pButton, Qt::LeftButton);
             QTest::mouseDClick(pButton, Qt::LeftButton);
             QTest::mouseRelease(pButton, Qt::LeftButton);
         },
         {{{BN_CLICKED, kOwnerDraw}, 1}, {{BN_DOUBLECLICKED, kOwnerDraw}, 1}}},
        {"programmatic selection", [](SNotifyingHost& h) { h.Controls().SetCurSel(kList, 1); }, {}},
        {"selection by the keyboard",
         [](SNotifyingHost& h)
         {
             h.Controls().SetCurSel(kList, 0);
             QTest::keyClick(h.Item(kList), Qt::Key_Down);
             EXPECT_EQ(h.Controls().Text(kList), "two");
         },
         {{{CBN_SELCHANGE, kList}, 1}}},
        {"programmatic text",
         [](SNotifyingHost& h) { h.Controls().SetText(kEdit, "abc"); },
         {{{EN_CHANGE, kEdit}, 1}}},
        {"the same text again",
         [](SNotifyingHost& h)
         {
             h.Controls().SetText(kEdit, "abc");
             h.counts.clear();
             h.Controls().SetText(kEdit, "abc");
         },
         {}},
        {"an empty edit set empty", [](SNotifyingHost& h) { h.Controls().SetText(kEdit, ""); }, {}},
        {"typing",
         [](SNotifyingHost& h) { QTest::keyClicks(h.Item(kEdit), "12"); },
         {{{EN_CHANGE, kEdit}, 2}}},
    };
    for (const auto& c : cases)
    {
        SNotifyingHost host;
        c.act(host);
        EXPECT_EQ(host.counts, c.expected) << c.pszName;
    }
}

TEST(Notifications, EscapingExceptionsAreContainedInTheDispatch)
{
    struct SCase
    {
        const char* pszName;
        std::function<void()> handler;
        const char* pszWarning; // null: nothing may be logged
    };
    const SCase cases[] = {
        {"user exception", [] { ThrowUserException(); }, nullptr},
        {"standard exception", [] { throw std::runtime_error("boom"); }, "boom"},
        {"anything else", [] { throw 42; }, "unknown exception"},
    };
    for (const auto& c : cases)
    {
        SNotifyingHost host;
        host.Controls().Connect(BN_CLICKED, kButton, c.handler);
        testsupport::CCapturedWarnings warnings;
        testsupport::Click(host.Item(kButton));
        testsupport::Click(host.Item(kButton));
        // The handler bound before the throwing one ran both times: nothing crossed the event loop.
        EXPECT_EQ((host.counts[{BN_CLICKED, kButton}]), 2) << c.pszName;
        if (c.pszWarning)
        {
            ASSERT_EQ(warnings.Texts().size(), 2) << c.pszName;
            EXPECT_TRUE(warnings.Texts().front().contains(QLatin1String(c.pszWarning))) << c.pszName;
        }
        else
        {
            EXPECT_TRUE(warnings.Texts().isEmpty()) << c.pszName;
        }
    }
}

TEST(Notifications, BindingMadeBeforeTheBuildTakesEffect)
{
    CDialogControls controls;
    int nClicks = 0;
    controls.Connect(BN_CLICKED, 5, [&] { ++nClicks; });
    QWidget host;
    controls.Build(&host, {900,
                           100,
                           50,
                           "",
                           false,
                           "MS Sans Serif",
                           8,
                           {{5, EControlKind::PushButton, "Go", 4, 4, 40, 14, CS_NONE, {}}}});
    host.show();
    testsupport::Click(controls.Item(5));
    EXPECT_EQ(nClicks, 1);
}

namespace
{
// Paints its item rectangle in one colour, inset by one pixel, to show what DrawItem is given.
class CFilledButton : public CButton
{
protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override
    {
        m_rcSeen = rcItem;
        CBrush brush(RGB(200, 10, 20));
        CRect rc = rcItem;
        rc.DeflateRect(1);
        dc.FillRect(rc, &brush);
    }

public:
    CRect m_rcSeen;
};
} // namespace

TEST(OwnerDrawButton, PaintsThroughDrawItemWithTheWholeClientRectangle)
{
    CFilledButton button;
    button.resize(30, 12);
    const QImage image = testsupport::Grab(&button);
    EXPECT_EQ(button.m_rcSeen, CRect(0, 0, 30, 12));
    EXPECT_EQ(testsupport::PixelAt(image, 1, 1), QColor(200, 10, 20));
    EXPECT_EQ(testsupport::PixelAt(image, 28, 10), QColor(200, 10, 20));
    EXPECT_NE(testsupport::PixelAt(image, 29, 11), QColor(200, 10, 20));
}
