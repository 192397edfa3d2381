// Building templates into widgets: kinds, styles, geometry, captions, radio groups, combo boxes, texts
// and the take-over of a template control by a custom control.

#include "framework/DialogControls.h"
#include "framework/Button.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

using testsupport::BuildInHost;

namespace
{
SDialogTemplate MakeTemplate(std::vector<SControlTemplate> controls, bool bModal = false)
{
    return {900, 200, 150, "Test Dialog", bModal, "MS Sans Serif", 8, std::move(controls)};
}

QRect Pixels(const CDialogControls& controls, int x, int y, int cx, int cy)
{
    return DialogUnitsToPixels(QRect(x, y, cx, cy), controls.BaseUnits());
}

// Widgets among the host's children, bottom of the stack first.
std::vector<QWidget*> StackOrder(const QWidget* pHost)
{
    std::vector<QWidget*> widgets;
    for (QObject* pChild : pHost->children())
        if (auto* pWidget = qobject_cast<QWidget*>(pChild))
            widgets.push_back(pWidget);
    return widgets;
}
} // namespace

TEST(DialogControlsBuild, EveryKindBecomesItsWidgetWithItsStyles)
{
    struct SCase
    {
        EControlKind kind;
        unsigned nStyle;
        const char* pszClass;
        Qt::FocusPolicy focus;
    };
    const SCase cases[] = {
        {EControlKind::Static, CS_NONE, "QLabel", Qt::NoFocus},
        {EControlKind::StaticRight, CS_NONE, "QLabel", Qt::NoFocus},
        {EControlKind::FrameStatic, CS_NONE, "QFrame", Qt::NoFocus},
        {EControlKind::GroupBox, CS_NONE, "QGroupBox", Qt::NoFocus},
        {EControlKind::PushButton, CS_TABSTOP, "QPushButton", Qt::StrongFocus},
        {EControlKind::DefPushButton, CS_NONE, "QPushButton", Qt::ClickFocus},
        {EControlKind::OwnerDrawButton, CS_TABSTOP | CS_DISABLED, "CButton", Qt::StrongFocus},
        {EControlKind::AutoRadioButton, CS_GROUP | CS_TABSTOP, "QRadioButton", Qt::StrongFocus},
        {EControlKind::AutoCheckBox, CS_HIDDEN, "QCheckBox", Qt::ClickFocus},
        {EControlKind::Edit, CS_TABSTOP | CS_HIDDEN | CS_DISABLED, "QLineEdit", Qt::StrongFocus},
        {EControlKind::DropDownCombo, CS_TABSTOP, "QComboBox", Qt::StrongFocus},
        {EControlKind::DropDownList, CS_VSCROLL, "QComboBox", Qt::ClickFocus},
    };
    for (const auto& c : cases)
    {
        auto pBuilt = BuildInHost(MakeTemplate({{77, c.kind, "", 10, 20, 60, 10, c.nStyle, {}}}));
        QWidget* pControl = pBuilt->controls.Item(77);
        ASSERT_NE(pControl, nullptr) << c.pszClass;
        EXPECT_STREQ(pControl->metaObject()->className(), c.pszClass);
        EXPECT_EQ(pControl->parentWidget(), pBuilt->pHost.get()) << c.pszClass;
        EXPECT_EQ(pControl->property("ctrlId").toInt(), 77) << c.pszClass;
        EXPECT_EQ(pControl->focusPolicy(), c.focus) << c.pszClass;
        EXPECT_EQ(pBuilt->controls.IsEnabled(77), !(c.nStyle & CS_DISABLED)) << c.pszClass;
        EXPECT_EQ(pBuilt->controls.IsShown(77), !(c.nStyle & CS_HIDDEN)) << c.pszClass;
        EXPECT_EQ(pControl->isVisible(), !(c.nStyle & CS_HIDDEN)) << c.pszClass;
    }
}

TEST(DialogControlsBuild, HostGetsTheTemplateFontAndSizeAndControlsTheirRectangles)
{
    auto pBuilt = BuildInHost(MakeTemplate({
        {10, EControlKind::Edit, "", 4, 24, 208, 13, CS_TABSTOP, {}},
        {11, EControlKind::DropDownList, "", 4, 28, 176, 40, CS_SORTED | CS_VSCROLL, {}},
        {12, EControlKind::DropDownCombo, "", 40, 32, 116, 8, CS_NONE, {}},
    }));
    const CDialogControls& controls = pBuilt->controls;
    EXPECT_EQ(pBuilt->pHost->font(), DialogFont("MS Sans Serif", 8));
    EXPECT_EQ(controls.BaseUnits().cx, BaseUnitsOf(pBuilt->pHost->font()).cx);
    EXPECT_EQ(controls.SizeInPixels(), Pixels(controls, 0, 0, 200, 150).size());
    EXPECT_EQ(pBuilt->pHost->size(), controls.SizeInPixels());
    EXPECT_EQ(controls.Item(10)->geometry(), Pixels(controls, 4, 24, 208, 13));
    EXPECT_EQ(controls.ItemRect(10), CRect::FromQRect(Pixels(controls, 4, 24, 208, 13)));
    EXPECT_EQ(controls.ItemRect(99), CRect());

    // The dropped list is part of a combo box's template height: the closed box is 12 units high at most.
    const QRect list = Pixels(controls, 4, 28, 176, 40);
    EXPECT_EQ(controls.Item(11)->geometry(),
              QRect(list.topLeft(), QSize(list.width(), Pixels(controls, 0, 0, 0, 12).height())));
    EXPECT_EQ(controls.Item(12)->height(), Pixels(controls, 0, 0, 0, 8).height());
}

TEST(DialogControlsBuild, ModalHostGetsTitleFixedSizeAndDefaultButton)
{
    QDialog dialog;
    CDialogControls controls;
    controls.Build(&dialog,
                   MakeTemplate({{1, EControlKind::DefPushButton, "OK", 72, 80, 32, 16, CS_TABSTOP, {}},
                                 {2, EControlKind::PushButton, "Cancel", 112, 80, 32, 16, CS_TABSTOP, {}}},
                                true));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Test Dialog"));
    EXPECT_EQ(dialog.minimumSize(), controls.SizeInPixels());
    EXPECT_EQ(dialog.maximumSize(), controls.SizeInPixels());
    EXPECT_TRUE(controls.ItemAs<QPushButton>(1)->isDefault());
    EXPECT_FALSE(controls.ItemAs<QPushButton>(2)->isDefault());

    // In a child panel there is no default button.
    auto pPanel =
        BuildInHost(MakeTemplate({{1, EControlKind::DefPushButton, "OK", 72, 80, 32, 16, CS_NONE, {}}}));
    EXPECT_FALSE(pPanel->controls.ItemAs<QPushButton>(1)->isDefault());
}

TEST(DialogControlsBuild, FramesAndGroupBoxesLieBeneathTheOtherControlsAndLetTheMouseThrough)
{
    auto pBuilt = BuildInHost(MakeTemplate({
        {10, EControlKind::Edit, "", 8, 8, 40, 12, CS_TABSTOP, {}},
        {11, EControlKind::GroupBox, "Discretes", 4, 4, 100, 40, CS_NONE, {}},
        {12, EControlKind::FrameStatic, "", 2, 2, 120, 60, CS_NONE, {}},
        {13, EControlKind::PushButton, "Go", 8, 24, 40, 14, CS_TABSTOP, {}},
    }));
    const CDialogControls& controls = pBuilt->controls;
    const std::vector<QWidget*> expected = {controls.Item(11), controls.Item(12), controls.Item(10),
                                            controls.Item(13)};
    EXPECT_EQ(StackOrder(pBuilt->pHost.get()), expected);
    EXPECT_TRUE(controls.Item(11)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(controls.Item(12)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(controls.Item(10)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(controls.ItemAs<QFrame>(12)->frameShape(), QFrame::Box);
}

TEST(DialogControlsText, CaptionsUseMnemonicsAndTextsRoundTrip)
{
    auto pBuilt = BuildInHost(MakeTemplate({
        {10, EControlKind::Static, "VXI Plug && Play", 4, 4, 120, 8, CS_NONE, {}},
        {11, EControlKind::StaticRight, "&Name:", 4, 14, 40, 8, CS_NONE, {}},
        {12, EControlKind::PushButton, "&Send && Go", 4, 24, 60, 14, CS_NONE, {}},
        {13, EControlKind::Edit, "initial", 4, 40, 60, 12, CS_NONE, {}},
        {14, EControlKind::Static, "A long text that takes two lines", 4, 60, 60, 24, CS_NONE, {}},
        {15, EControlKind::GroupBox, "&Group", 4, 90, 60, 24, CS_NONE, {}},
    }));
    CDialogControls& controls = pBuilt->controls;
    struct SCase
    {
        int nId;
        std::string windowText;
    };
    const SCase cases[] = {
        {10, "VXI Plug && Play"}, {11, "&Name:"}, {12, "&Send && Go"}, {13, "initial"}, {15, "&Group"}};
    for (const auto& c : cases)
        EXPECT_EQ(controls.Text(c.nId), c.windowText) << c.nId;
    // A static shows "&&" as one "&" and hides the mnemonic mark; buttons leave that to Qt.
    EXPECT_EQ(controls.ItemAs<QLabel>(10)->text(), QStringLiteral("VXI Plug & Play"));
    EXPECT_EQ(controls.ItemAs<QLabel>(11)->text(), QStringLiteral("Name:"));
    EXPECT_TRUE(controls.ItemAs<QLabel>(11)->alignment() & Qt::AlignRight);
    EXPECT_TRUE(controls.ItemAs<QLabel>(10)->alignment() & Qt::AlignLeft);
    EXPECT_FALSE(controls.ItemAs<QLabel>(10)->wordWrap());
    EXPECT_TRUE(controls.ItemAs<QLabel>(14)->wordWrap());

    controls.SetText(11, "Ready && set");
    EXPECT_EQ(controls.Text(11), "Ready && set");
    EXPECT_EQ(controls.ItemAs<QLabel>(11)->text(), QStringLiteral("Ready & set"));
    controls.SetText(13, "0123456789");
    EXPECT_EQ(controls.Text(13, 4), "0123");
    EXPECT_EQ(controls.Text(13, 0), "");
    // 8-bit texts pass through unchanged.
    controls.SetText(13, "5 \xb5s");
    EXPECT_EQ(controls.Text(13), "5 \xb5s");
    controls.SetText(99, "nobody");
    EXPECT_EQ(controls.Text(99), "");
}

// What the operator types or pastes into an edit goes to the instrument: at most 255 printable ASCII
// characters, however it arrives.
TEST(DialogControlsText, EditTakesAtMost255PrintableAsciiCharacters)
{
    auto pBuilt = BuildInHost(MakeTemplate({{13, EControlKind::Edit, "", 4, 40, 60, 12, CS_TABSTOP, {}}}));
    auto* pEdit = pBuilt->controls.ItemAs<QLineEdit>(13);
    const struct
    {
        const char* pszName;
        QString text;
        bool bPasted;
        std::string expected;
    } cases[] = {
        {"typed, 300 characters", QString(300, QLatin1Char('x')), false, std::string(255, 'x')},
        {"pasted, 10000 characters", QString(10000, QLatin1Char('y')), true, std::string(255, 'y')},
        {"typed outside ASCII", QString::fromUtf8("1\u00b5\u20ac\u00e92 ~"), false, "12 ~"},
        {"pasted outside ASCII", QString::fromUtf8("5 \u00b5s"), true, ""},
        {"pasted with a control character", QStringLiteral("ON\x01"), true, ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        pEdit->clear();
        if (c.bPasted)
        {
            QGuiApplication::clipboard()->setText(c.text);
            pEdit->paste();
        }
        else
        {
            for (const QChar ch : c.text)
            {
                QKeyEvent keyPress(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                QCoreApplication::sendEvent(pEdit, &keyPress);
            }
        }
        EXPECT_EQ(pBuilt->controls.Text(13, std::string::npos), c.expected);
    }
    pBuilt->controls.SetText(13, std::string(300, 'z'));
    EXPECT_EQ(pBuilt->controls.Text(13, std::string::npos), std::string(255, 'z'));
}

TEST(DialogControlsState, EnableAndShowChangeTheControlsOwnFlags)
{
    auto pBuilt =
        BuildInHost(MakeTemplate({{10, EControlKind::PushButton, "Go", 4, 4, 40, 14, CS_NONE, {}}}));
    CDialogControls& controls = pBuilt->controls;
    controls.Enable(10, false);
    controls.Show(10, false);
    EXPECT_FALSE(controls.IsEnabled(10));
    EXPECT_FALSE(controls.IsShown(10));
    // The flags are the control's own: hiding or disabling the host does not change them.
    controls.Enable(10, true);
    controls.Show(10, true);
    pBuilt->pHost->hide();
    pBuilt->pHost->setEnabled(false);
    EXPECT_TRUE(controls.IsShown(10));
    EXPECT_TRUE(controls.IsEnabled(10));
    EXPECT_FALSE(controls.IsShown(99));
    EXPECT_FALSE(controls.IsEnabled(99));
}

namespace
{
// Radios 11, 12, 13 form the template's first group (a static between them changes nothing); 21 and 22
// the group that CS_GROUP starts.
SDialogTemplate RadioTemplate()
{
    return MakeTemplate({
        {11, EControlKind::AutoRadioButton, "MIN", 4, 4, 40, 10, CS_TABSTOP, {}},
        {12, EControlKind::AutoRadioButton, "MAX", 4, 16, 40, 10, CS_NONE, {}},
        {30, EControlKind::Static, "between", 4, 28, 40, 8, CS_NONE, {}},
        {13, EControlKind::AutoRadioButton, "DEF", 4, 40, 40, 10, CS_NONE, {}},
        {21, EControlKind::AutoRadioButton, "ON", 60, 4, 40, 10, CS_GROUP | CS_TABSTOP, {}},
        {22, EControlKind::AutoRadioButton, "OFF", 60, 16, 40, 10, CS_NONE, {}},
    });
}

std::set<int> CheckedRadios(const CDialogControls& controls)
{
    std::set<int> checked;
    for (int nId : {11, 12, 13, 21, 22})
        if (controls.IsChecked(nId))
            checked.insert(nId);
    return checked;
}
} // namespace

TEST(DialogControlsRadio, ClickingChecksOneRadioOfItsOwnGroupOnly)
{
    auto pBuilt = BuildInHost(RadioTemplate());
    const CDialogControls& controls = pBuilt->controls;
    struct SStep
    {
        int nClick;
        std::set<int> checked;
    };
    const SStep steps[] = {
        {21, {21}},     {11, {11, 21}}, {13, {13, 21}}, // across the static, 13 is in 11's group
        {22, {13, 22}}, {22, {13, 22}},                 // clicking the checked one keeps it
        {12, {12, 22}},
    };
    for (const auto& step : steps)
    {
        QWidget* pRadio = controls.Item(step.nClick);
        testsupport::Click(pRadio, QPoint(6, pRadio->height() / 2)); // on the indicator
        EXPECT_EQ(CheckedRadios(controls), step.checked) << "after clicking " << step.nClick;
    }
}

TEST(DialogControlsRadio, CheckRadioButtonWorksOnTheRangeAndSetCheckCanUncheck)
{
    struct SCase
    {
        int nFirst, nLast, nCheck;
        std::set<int> checked;
    };
    const SCase cases[] = {
        {11, 13, 13, {13, 21}},
        {11, 22, 12, {12}},     // a range over both groups unchecks the other group too
        {21, 22, 0, {12}},      // a check id outside the range only unchecks the range
        {12, 12, 12, {12, 21}}, // a one-button range
    };
    for (const auto& c : cases)
    {
        auto pBuilt = BuildInHost(RadioTemplate());
        CDialogControls& controls = pBuilt->controls;
        controls.SetCheck(12, true);
        controls.SetCheck(21, true);
        controls.CheckRadioButton(c.nFirst, c.nLast, c.nCheck);
        EXPECT_EQ(CheckedRadios(controls), c.checked) << c.nFirst << ".." << c.nLast << " check " << c.nCheck;
    }
    auto pBuilt = BuildInHost(RadioTemplate());
    pBuilt->controls.SetCheck(11, true);
    pBuilt->controls.SetCheck(11, false); // the checked radio of an exclusive group
    EXPECT_EQ(CheckedRadios(pBuilt->controls), std::set<int>());
}

TEST(DialogControlsRadio, AnArrowKeyChecksTheRadioItMovesToAndSendsItsClickOnce)
{
    struct SCase
    {
        int nFocus;
        std::set<int> checkedBefore;
        Qt::Key key;
        int nTarget;
        std::set<int> checkedAfter;
    };
    const SCase cases[] = {
        {11, {}, Qt::Key_Down, 12, {12}},           // nothing checked in the group yet
        {12, {}, Qt::Key_Up, 11, {11}},             //
        {11, {11, 21}, Qt::Key_Down, 12, {12, 21}}, // from the checked radio; the other group keeps its own
        {12, {11}, Qt::Key_Down, 13, {13}},         // from an unchecked radio while another one is checked
    };
    for (const auto& c : cases)
    {
        auto pBuilt = BuildInHost(RadioTemplate());
        CDialogControls& controls = pBuilt->controls;
        std::map<int, int> clicks;
        for (int nId : {11, 12, 13, 21, 22})
        {
            controls.SetCheck(nId, c.checkedBefore.contains(nId));
            controls.Connect(BN_CLICKED, nId, [&clicks, nId] { ++clicks[nId]; });
        }
        pBuilt->pHost->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pBuilt->pHost.get()));
        controls.Item(c.nFocus)->setFocus();
        QTest::keyClick(controls.Item(c.nFocus), c.key);
        EXPECT_TRUE(controls.Item(c.nTarget)->hasFocus()) << c.nFocus << " to " << c.nTarget;
        EXPECT_EQ(CheckedRadios(controls), c.checkedAfter) << c.nFocus << " to " << c.nTarget;
        EXPECT_EQ(clicks, (std::map<int, int>{{c.nTarget, 1}})) << c.nFocus << " to " << c.nTarget;
    }
}

// Tab enters a group at its checked radio, so that the next arrow key moves on from the operator's choice;
// with none checked, at the group's own tab stop.
TEST(DialogControlsRadio, TabEntersEachGroupAtItsCheckedRadio)
{
    struct SCase
    {
        const char* pszName;
        std::function<void(CDialogControls&)> check;
        int nFirstGroup, nSecondGroup; // where Tab enters each group
    };
    const SCase cases[] = {
        {"none checked", [](CDialogControls&) {}, 11, 21},
        {"checked by the program",
         [](CDialogControls& c)
         {
             c.SetCheck(13, true);
             c.CheckRadioButton(21, 22, 22);
         },
         13, 22},
        {"checked by a click", [](CDialogControls& c) { testsupport::Click(c.Item(12), QPoint(6, 5)); }, 12,
         21},
        {"checked by an arrow key", [](CDialogControls& c) { QTest::keyClick(c.Item(21), Qt::Key_Up); }, 11,
         22},
        {"unchecked again",
         [](CDialogControls& c)
         {
             c.SetCheck(12, true);
             c.SetCheck(12, false);
         },
         11, 21},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        auto pBuilt = BuildInHost(RadioTemplate());
        CDialogControls& controls = pBuilt->controls;
        pBuilt->pHost->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pBuilt->pHost.get()));
        c.check(controls);
        controls.Item(22)->setFocus();
        const auto press = [](Qt::Key key)
        {
            QTest::keyClick(QApplication::focusWidget(), key);
            return QApplication::focusWidget()->property("ctrlId").toInt();
        };
        EXPECT_EQ(press(Qt::Key_Tab), c.nFirstGroup);
        EXPECT_EQ(press(Qt::Key_Tab), c.nSecondGroup);
        EXPECT_EQ(press(Qt::Key_Backtab), c.nFirstGroup);
    }
}

TEST(DialogControlsCombo, SortedCombosInsertIgnoringCaseAndNothingIsSelectedByAdding)
{
    auto pBuilt = BuildInHost(MakeTemplate({
        {40,
         EControlKind::DropDownList,
         "",
         4,
         4,
         100,
         60,
         CS_SORTED | CS_VSCROLL,
         {"beta", "Alpha", "gamma"}},
        {41, EControlKind::DropDownCombo, "", 4, 30, 100, 60, CS_NONE, {"b", "a"}},
    }));
    CDialogControls& controls = pBuilt->controls;
    const auto items = [&](int nId)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < controls.GetCount(nId); ++i)
            texts.push_back(controls.GetLBText(nId, i));
        return texts;
    };
    EXPECT_EQ(items(40), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(items(41), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(controls.GetCurSel(40), -1);
    EXPECT_EQ(controls.GetCurSel(41), -1);

    EXPECT_EQ(controls.AddString(40, "ALPHA2"), 1);
    EXPECT_EQ(controls.AddString(40, "alpha"), 1); // equal ignoring case: after the equal one
    EXPECT_EQ(controls.AddString(40, "Zulu"), 5);
    EXPECT_EQ(items(40), (std::vector<std::string>{"Alpha", "alpha", "ALPHA2", "beta", "gamma", "Zulu"}));
    EXPECT_EQ(controls.AddString(41, "0"), 2); // unsorted: at the end

    // Adding keeps what the operator typed into an editable combo box.
    controls.SetText(41, "typed");
    controls.AddString(41, "c");
    EXPECT_EQ(controls.Text(41), "typed");
    EXPECT_EQ(controls.GetCurSel(41), -1);

    EXPECT_EQ(controls.GetLBText(40, 99), "");
    EXPECT_EQ(controls.GetLBText(40, -1), "");
    EXPECT_EQ(controls.AddString(99, "x"), -1);
    EXPECT_EQ(controls.GetCount(99), 0);

    controls.SetCurSel(40, 2);
    EXPECT_EQ(controls.GetCurSel(40), 2);
    EXPECT_EQ(controls.Text(40), "ALPHA2");
    controls.SetCurSel(40, 17);
    EXPECT_EQ(controls.GetCurSel(40), -1);
    controls.ResetContent(40);
    EXPECT_EQ(controls.GetCount(40), 0);
}

TEST(DialogControlsCombo, SortedCombosPutBlanksAndPunctuationBeforeDigitsBeforeLetters)
{
    struct SCase
    {
        std::vector<const char*> added;
        std::vector<std::string> sorted;
    };
    const SCase cases[] = {
        {{"GPIB0::10::INSTR", "VXI0::24::INSTR", "gpib0::1::INSTR", "GPIB0::2::INSTR"},
         {"gpib0::1::INSTR", "GPIB0::10::INSTR", "GPIB0::2::INSTR", "VXI0::24::INSTR"}},
        {{"ab", "a1", "A_", "a-", "a b"}, {"a b", "a-", "A_", "a1", "ab"}},
    };
    for (const auto& c : cases)
    {
        auto pBuilt =
            BuildInHost(MakeTemplate({{40, EControlKind::DropDownList, "", 4, 4, 100, 60, CS_SORTED, {}}}));
        std::vector<std::string> items;
        for (const char* pszItem : c.added)
            pBuilt->controls.AddString(40, pszItem);
        for (int i = 0; i < pBuilt->controls.GetCount(40); ++i)
            items.push_back(pBuilt->controls.GetLBText(40, i));
        EXPECT_EQ(items, c.sorted) << c.added.front();
    }
}

TEST(DialogControlsCombo, FindStringSearchesAfterTheStartAndWrapsRound)
{
    auto pBuilt = BuildInHost(MakeTemplate(
        {{40, EControlKind::DropDownList, "", 4, 4, 100, 60, CS_NONE, {"Alpha", "alpine", "Beta", "ALP"}}}));
    struct SCase
    {
        int nStartAfter;
        std::string prefix;
        int nExpected;
    };
    const SCase cases[] = {
        {-1, "al", 0},   {0, "al", 1},
        {1, "AL", 3},    {3, "alp", 0}, // wraps round to the top
        {-1, "beta", 2}, {-1, "betamax", -1},
        {-1, "x", -1},   {2, "beta", 2}, // only the start item itself is left after wrapping
        {17, "b", 2},                    // a start beyond the list searches from the top
        {-1, "", 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(pBuilt->controls.FindString(40, c.nStartAfter, c.prefix), c.nExpected)
            << "after " << c.nStartAfter << " '" << c.prefix << "'";
    }
    EXPECT_EQ(pBuilt->controls.FindString(99, -1, "a"), -1);
}

namespace
{
// A custom owner-drawn control that takes over a template button.
class CProbeButton : public CButton
{
};
} // namespace

TEST(DialogControlsSubclass, CustomControlTakesOverIdGeometryStateOrderAndBindings)
{
    auto pBuilt = BuildInHost(MakeTemplate({
        {60, EControlKind::FrameStatic, "", 0, 0, 100, 100, CS_NONE, {}},
        {61, EControlKind::Edit, "", 4, 4, 60, 12, CS_TABSTOP, {}},
        {62, EControlKind::OwnerDrawButton, "Cap", 4, 20, 60, 14, CS_TABSTOP | CS_HIDDEN | CS_DISABLED, {}},
        {63, EControlKind::Edit, "", 4, 40, 60, 12, CS_TABSTOP, {}},
    }));
    CDialogControls& controls = pBuilt->controls;
    int nClicks = 0;
    controls.Connect(BN_CLICKED, 62, [&] { ++nClicks; });
    QPointer<QWidget> pPlaceholder = controls.Item(62);
    const QRect geometry = pPlaceholder->geometry();

    auto* pCustom = new CProbeButton;
    ASSERT_TRUE(controls.Subclass(62, pCustom));
    EXPECT_TRUE(pPlaceholder.isNull());
    EXPECT_EQ(controls.Item(62), pCustom);
    EXPECT_EQ(pCustom->parentWidget(), pBuilt->pHost.get());
    EXPECT_EQ(pCustom->property("ctrlId").toInt(), 62);
    EXPECT_EQ(pCustom->geometry(), geometry);
    EXPECT_EQ(pCustom->text(), QStringLiteral("Cap"));
    EXPECT_EQ(pCustom->font(), pBuilt->pHost->font());
    EXPECT_EQ(pCustom->focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(controls.IsShown(62));
    EXPECT_FALSE(controls.IsEnabled(62));
    auto* pFrame = new QWidget;
    ASSERT_TRUE(controls.Subclass(60, pFrame));
    EXPECT_TRUE(pFrame->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(pCustom->testAttribute(Qt::WA_TransparentForMouseEvents));
    const std::vector<QWidget*> stack = {pFrame, controls.Item(61), pCustom, controls.Item(63)};
    EXPECT_EQ(StackOrder(pBuilt->pHost.get()), stack);
    QWidget* pNext = controls.Item(61)->nextInFocusChain();
    EXPECT_EQ(pNext, pCustom);

    controls.Show(62, true);
    controls.Enable(62, true);
    testsupport::Click(pCustom);
    EXPECT_EQ(nClicks, 1);

    // The owner may delete its custom control: the id then reads as absent, never as a dangling pointer.
    delete pCustom;
    EXPECT_EQ(controls.Item(62), nullptr);
}

TEST(DialogControlsSubclass, UnknownIdOrNoControlChangesNothing)
{
    auto pBuilt = BuildInHost(MakeTemplate({{61, EControlKind::Edit, "", 4, 4, 60, 12, CS_TABSTOP, {}}}));
    CProbeButton custom;
    EXPECT_FALSE(pBuilt->controls.Subclass(99, &custom));
    EXPECT_FALSE(pBuilt->controls.Subclass(61, nullptr));
    EXPECT_EQ(custom.parentWidget(), nullptr);
    EXPECT_FALSE(custom.property("ctrlId").isValid());
    EXPECT_EQ(pBuilt->controls.Item(61)->metaObject()->className(), std::string("QLineEdit"));
}
