// What an operator gets of every panel and dialog without the mouse or the screen: each control's role,
// name and state as assistive tools read them, and every caption whole in its control in the font in use.

#include "AppTestFixture.h"

#include "controls/ReadingDisplay.h"
#include "controls/ToggleButton.h"
#include "dialogs/ReferenceDlg.h"
#include "dialogs/SelectInstrumentDlg.h"
#include "dialogs/ValueEntryDlg.h"
#include "framework/Dialog.h"
#include "framework/ModalDialog.h"
#include "framework/ModalScript.h"
#include "panels/MeasurePanel.h"
#include "panels/PanelController.h"
#include "readings/window/ReadingsWindow.h"
#include "res/ResourceIds.h"

#include <QAccessible>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace
{
using Visit = std::function<void(const std::string& screen, QWidget& widget)>;

std::string RoleWord(QAccessible::Role role)
{
    static const std::map<QAccessible::Role, std::string> words{
        {QAccessible::Button, "button"},     {QAccessible::CheckBox, "check box"},
        {QAccessible::RadioButton, "radio"}, {QAccessible::ComboBox, "combo"},
        {QAccessible::EditableText, "edit"}, {QAccessible::StaticText, "text"},
        {QAccessible::Grouping, "group"},    {QAccessible::Graphic, "graphic"},
        {QAccessible::Chart, "chart"},       {QAccessible::Table, "table"},
    };
    const auto it = words.find(role);
    return it != words.end() ? it->second : "role " + std::to_string(role);
}

// A combo box's name: Qt on Linux gives a combo box its text as name and its label through the label
// relation, which screen readers speak as the name.
QString NameOf(QAccessibleInterface* pControl)
{
    if (pControl->role() == QAccessible::ComboBox)
    {
        const auto labels = pControl->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
    }
    return pControl->text(QAccessible::Name);
}

// What a screen reader reads as a control's value: a static text's is its text (AT-SPI's Text interface),
// not the accessible value, which AT-SPI carries only as a number.
QString ValueOf(QAccessibleInterface* pControl)
{
    if (pControl->role() != QAccessible::StaticText)
        return pControl->text(QAccessible::Value);
    QAccessibleTextInterface* pText = pControl->textInterface();
    return pText ? pText->text(0, pText->characterCount()) : QString();
}

// One control as assistive tools present it: role, name, the value of what is neither an edit nor a combo
// box (whose values are the instrument's), the description unless it repeats the value (as a display's
// does, for AT-SPI), and the states that matter.
std::string Describe(QAccessibleInterface* pControl)
{
    std::string text = RoleWord(pControl->role()) + " \"" + NameOf(pControl).toStdString() + "\"";
    const QString value = ValueOf(pControl);
    if (!value.isEmpty() && pControl->role() != QAccessible::EditableText &&
        pControl->role() != QAccessible::ComboBox)
        text += " = \"" + value.toStdString() + "\"";
    const QString description = pControl->text(QAccessible::Description);
    if (!description.isEmpty() && description != value)
        text += " (" + description.toStdString() + ")";
    const QAccessible::State state = pControl->state();
    for (const auto& [bSet, pszState] : {std::pair{bool(state.checkable), " checkable"},
                                         {bool(state.checked), " checked"},
                                         {bool(state.pressed), " pressed"},
                                         {bool(state.readOnly), " read-only"},
                                         {bool(state.disabled), " disabled"}})
        if (bSet)
            text += pszState;
    return text;
}

// The shown controls of a panel or dialog, described, in order.
std::vector<std::string> DescribeControls(QWidget& screen)
{
    QAccessibleInterface* pScreen = QAccessible::queryAccessibleInterface(&screen);
    std::vector<std::string> controls;
    for (int i = 0; i < pScreen->childCount(); ++i)
    {
        QAccessibleInterface* pControl = pScreen->child(i);
        if (!pControl->state().invisible)
            controls.push_back(Describe(pControl));
    }
    std::ranges::sort(controls);
    return controls;
}

// A caption and the room its control gives it, in pixels of the control's font.
struct SCaption
{
    QString text;
    QSize need;
    QSize room;
};

QSize Extent(const QWidget& control, const QString& text)
{
    return QFontMetrics(control.font()).size(Qt::TextShowMnemonic, text);
}

// Every caption a control can show, with its room: the text area the style leaves, the owner-drawn toggle's
// text rectangle (inset 3) in both states, each item of a combo box in its edit field.
std::vector<SCaption> CaptionsOf(QWidget& control)
{
    QStyle* pStyle = control.style();
    std::vector<SCaption> captions;
    if (auto* pLabel = qobject_cast<QLabel*>(&control))
    {
        const QRect room = pLabel->contentsRect();
        const QSize need = pLabel->wordWrap() ? QFontMetrics(pLabel->font())
                                                    .boundingRect(QRect(QPoint(), QSize(room.width(), 1000)),
                                                                  Qt::TextWordWrap, pLabel->text())
                                                    .size()
                                              : Extent(control, pLabel->text());
        captions.push_back({pLabel->text(), need, room.size()});
    }
    else if (auto* pToggle = qobject_cast<CToggleButton*>(&control))
    {
        const int nState = pToggle->GetState();
        for (int nShown : {0, 1})
        {
            pToggle->SetState(nShown);
            const QString caption = QString::fromLatin1(pToggle->Caption());
            captions.push_back({caption, QFontMetrics(control.font()).size(0, caption),
                                control.rect().adjusted(3, 3, -3, -3).size()});
        }
        pToggle->SetState(nState);
    }
    else if (qobject_cast<QPushButton*>(&control) || qobject_cast<QRadioButton*>(&control) ||
             qobject_cast<QCheckBox*>(&control))
    {
        auto& button = static_cast<QAbstractButton&>(control);
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        const QStyle::SubElement contents =
            qobject_cast<QPushButton*>(&control)    ? QStyle::SE_PushButtonContents
            : qobject_cast<QRadioButton*>(&control) ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_CheckBoxContents;
        const QRect room = pStyle->subElementRect(contents, &option, &button) & button.rect();
        captions.push_back({button.text(), Extent(control, button.text()), room.size()});
    }
    else if (auto* pGroup = qobject_cast<QGroupBox*>(&control))
    {
        QStyleOptionGroupBox option;
        option.initFrom(pGroup);
        option.text = pGroup->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label =
            pStyle->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, pGroup);
        captions.push_back({pGroup->title(), Extent(control, pGroup->title()),
                            QSize(pGroup->width() - label.left(), label.height())});
    }
    else if (auto* pCombo = qobject_cast<QComboBox*>(&control))
    {
        QStyleOptionComboBox option;
        option.initFrom(pCombo);
        option.editable = pCombo->isEditable();
        const QRect field =
            pStyle->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, pCombo);
        for (int i = 0; i < pCombo->count(); ++i)
            captions.push_back({pCombo->itemText(i), Extent(control, pCombo->itemText(i)), field.size()});
    }
    else if (auto* pDisplay = qobject_cast<CReadingDisplay*>(&control))
    {
        const QString text = QString::fromLatin1(pDisplay->GetText());
        captions.push_back({text, Extent(control, text), control.rect().adjusted(1, 1, -1, -1).size()});
    }
    return captions;
}

class CScreenReaderTest : public CAppTest
{
protected:
    // Starts the program and shows each panel and each dialog in turn.
    void ForEachScreen(const Visit& visit)
    {
        Start();
        const std::pair<int, const char*> panels[] = {{res::ID_PANELS_MEASURE, "Measure"},
                                                      {res::ID_PANELS_EVENT_TRIG, "Event Trig"},
                                                      {res::ID_PANELS_INPUT_CONFIG, "Input Config"},
                                                      {res::ID_PANELS_ARM, "Arm"},
                                                      {res::ID_PANELS_MISC, "Misc"},
                                                      {res::ID_PANELS_OUTPUT_CONFIG, "Output Config"}};
        for (const auto& [nCommand, pszPanel] : panels)
        {
            Choose(nCommand);
            visit(pszPanel, *Frame().GetActiveController()->GetPanel());
        }
        const auto visitModal = [&](const char* pszDialog)
        { QueueModalScript([&visit, pszDialog](CModalDialog& dialog) { visit(pszDialog, dialog); }); };
        visitModal("About");
        Choose(res::ID_HELP_ABOUT);
        CValueEntryLimits limits;
        limits.m_dMin = 0.001;
        limits.m_dMax = 99.999;
        limits.m_nDiscretes = CValueEntryLimits::DISCRETE_MIN | CValueEntryLimits::DISCRETE_MAX |
                              CValueEntryLimits::DISCRETE_DEF;
        CValueEntryDlg valueEntry("0.1", limits, "RANGE", &Frame());
        visitModal("Value entry");
        valueEntry.DoModal();
        CReferenceDlg reference(&Frame(), "Lower Reference:Rise Time");
        visitModal("Reference");
        reference.DoModal();
        CSelectInstrumentDlg select({"GPIB0::10::INSTR", "GPIB0::1::INSTR"}, &Frame());
        visitModal("Select Instrument");
        select.DoModal();
    }
};
} // namespace

TEST_F(CScreenReaderTest, EveryControlOfEveryPanelAndDialogHasItsRoleNameAndState)
{
    // The simulator's power-on settings, live; frames read as unnamed panes (role 10).
    const std::map<std::string, std::vector<std::string>> expected{
        {"Measure",
         {R"_(role 10 "")_", R"_(role 10 "")_",
          R"_(check box "Instrument live" checkable checked read-only)_", R"_(text "Slot" = "5" read-only)_",
          R"_(group "Channel")_", R"_(radio "1" checkable checked)_", R"_(radio "2" checkable)_",
          R"_(radio "3" checkable)_", R"_(button "Reading" = "                           ")_",
          R"_(button "Unit" = "Hz")_", R"_(text "Function:" read-only)_", R"_(combo "Function:")_",
          R"_(button "Send Config")_", R"_(button "Read")_", R"_(button "Start IMM")_",
          R"_(button "Stop IMM")_", R"_(button "Expected value...")_", R"_(button "Resolution...")_"}},
        {"Event Trig",
         {R"_(group "Auto Trig")_",
          R"_(radio "OFF" checkable checked)_",
          R"_(radio "ON" checkable)_",
          R"_(button "Once")_",
          R"_(group "Hyst")_",
          R"_(radio "MIN" checkable)_",
          R"_(radio "MAX" checkable)_",
          R"_(radio "DEF" checkable checked)_",
          R"_(button "Channel 1" checkable)_",
          R"_(button "Slope POS" checkable)_",
          R"_(button "Query")_",
          R"_(group "REL TRIG ")_",
          R"_(text "10 to 90 or MIN,MAX, DEF" read-only)_",
          R"_(edit "REL TRIG" (10 to 90 or MIN,MAX, DEF))_",
          R"_(button "Send REL")_",
          R"_(group "Trig LEV ")_",
          R"_(text "(-10.2375 to 10.2375 or MIN,MAX,DEF)" read-only)_",
          R"_(edit "Trig LEV" ((-10.2375 to 10.2375 or MIN,MAX,DEF)))_",
          R"_(button "Send Lev")_",
          R"_(role 10 "")_"}},
        {"Input Config",
         {R"_(button "Channel 1" checkable)_", R"_(button "x1" checkable)_", R"_(button "DC" checkable)_",
          R"_(button "50 ohm" checkable)_", R"_(button "Separate" checkable)_", R"_(role 10 "")_",
          R"_(text "Attenuation:" read-only)_", R"_(text "Coupling:" read-only)_",
          R"_(text "Impedance:" read-only)_", R"_(text "Routing:" read-only)_"}},
        {"Arm",
         {R"_(group "Start")_", R"_(text "Source" read-only)_", R"_(combo "Source")_",
          R"_(group "Start Level")_", R"_(radio "MIN" checkable)_", R"_(radio "MAX " checkable checked)_",
          R"_(radio "DEF" checkable)_", R"_(button "Slope +" checkable)_", R"_(group "Stop")_",
          R"_(text "Source:" read-only)_", R"_(combo "Source:")_", R"_(group "Stop Level")_",
          R"_(radio "MIN" checkable)_", R"_(radio "MAX" checkable checked)_", R"_(radio "DEF" checkable)_",
          R"_(button "Slope +" checkable)_", R"_(role 10 "")_"}},
        {"Misc",
         {R"_(role 10 "")_", R"_(button "Trigger" disabled)_", R"_(button "Meas Timeout...")_",
          R"_(button "Aperture...")_", R"_(button "MEAS Abort")_", R"_(button "Freq Range...")_",
          R"_(group "Rosc Source")_", R"_(radio "Internal" checkable)_", R"_(radio "Ext" checkable)_",
          R"_(radio "CLK10" checkable checked)_"}},
        {"Output Config",
         {R"_(role 10 "")_", R"_(group "Gate Out")_", R"_(check box "TTLTrg 0" checkable)_",
          R"_(button "INT TBASE Output off" checkable)_"}},
        {"About",
         {R"_(graphic "" read-only)_", R"_(text "tarvex Counter soft front panel" read-only)_",
          R"_(text "VERSION: A.02.02" read-only)_",
          R"_(text "VXI Plug & Play Driver revision required: A.01.00 or greater" read-only)_",
          R"_(text "Tarvex firmware revison date code required: 3401 or greater" read-only)_",
          R"_(text "KSL version required: 3.0 or greater" read-only)_", R"_(button "OK")_"}},
        {"Value entry",
         {R"_(text "Range: 0.001 to 99.999 " read-only)_", R"_(edit "Range: 0.001 to 99.999 ")_",
          R"_(group "Discretes")_", R"_(radio "MIN" checkable)_", R"_(radio "MAX" checkable)_",
          R"_(radio "DEF" checkable)_", R"_(radio "AUTO" checkable disabled)_", R"_(button "OK")_",
          R"_(button "Cancel")_"}},
        {"Reference",
         {R"_(text "Enter a Voltage number between -10.2375V and 10.2375V, note the 'V', OR enter a percentage )_"
          R"_(between 10 and 90 (no suffix)" read-only)_",
          R"_(edit "Enter a Voltage number between -10.2375V and 10.2375V, note the 'V', OR enter a percentage )_"
          R"_(between 10 and 90 (no suffix)")_",
          R"_(button "OK" disabled)_", R"_(button "Cancel")_"}},
        {"Select Instrument",
         {R"_(text "Pick the instrument from the selection below:" read-only)_",
          R"_(combo "Pick the instrument from the selection below:")_", R"_(button "OK")_",
          R"_(button "Cancel")_"}},
    };
    std::map<std::string, std::vector<std::string>> seen;
    ForEachScreen([&](const std::string& screen, QWidget& widget)
                  { seen[screen] = DescribeControls(widget); });
    ASSERT_EQ(seen.size(), expected.size());
    for (const auto& [screen, controls] : expected)
    {
        std::vector<std::string> want = controls;
        std::ranges::sort(want);
        EXPECT_EQ(seen[screen], want) << screen;
    }
}

// The action a screen reader offers on a channel radio chooses the channel as a click does: the function list
// becomes the channel's own (nine functions on channel 2, three on channel 3).
TEST_F(CScreenReaderTest, TheActionOfAChannelRadioChoosesTheChannel)
{
    Start();
    auto& measure = static_cast<CMeasureDlg&>(*Frame().GetActiveController()->GetPanel());
    for (const auto& [nRadio, nFunctions] :
         {std::pair{CMeasureDlg::IDC_CHANNEL_2, 9}, {CMeasureDlg::IDC_CHANNEL_3, 3}})
    {
        QAccessibleActionInterface* pActions =
            QAccessible::queryAccessibleInterface(measure.Controls().Item(nRadio))->actionInterface();
        ASSERT_FALSE(pActions->actionNames().isEmpty());
        pActions->doAction(pActions->actionNames().front());
        EXPECT_TRUE(measure.Controls().IsChecked(nRadio)) << nRadio;
        EXPECT_EQ(measure.Controls().GetCount(CMeasureDlg::IDC_FUNCTION), nFunctions) << nRadio;
    }
}

// The Readings window's charts read as charts and its table as a table, by their names, not as bare
// containers ("filler" to AT-SPI); a chart's drawing surface inside has nothing of its own to say.
TEST_F(CScreenReaderTest, TheChartsAndTheTableOfTheReadingsWindowHaveTheirRoles)
{
    Start();
    m_pApp->ShowReadingsWindow();
    CReadingsWindow& window = *m_pApp->ReadingsWindow();
    std::vector<QWidget*> views;
    std::ranges::copy(window.findChildren<QChartView*>(), std::back_inserter(views));
    std::ranges::copy(window.findChildren<QTableView*>(), std::back_inserter(views));
    std::vector<std::string> seen;
    for (QWidget* pView : views)
    {
        QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pView);
        seen.push_back(
            RoleWord(pInterface->role()) + " \"" + NameOf(pInterface).toStdString() + "\"" +
            (pInterface->role() == QAccessible::Chart && pInterface->childCount() > 0 ? " with parts" : ""));
    }
    std::ranges::sort(seen);
    EXPECT_EQ(seen, (std::vector<std::string>{R"_(chart "Allan deviation plot")_", R"_(chart "Trend")_",
                                              R"_(table "Allan deviation")_"}));
}

TEST_F(CScreenReaderTest, EveryCaptionOfEveryPanelAndDialogFitsItsControl)
{
    std::vector<std::string> clipped;
    ForEachScreen(
        [&](const std::string& screen, QWidget& widget)
        {
            for (QWidget* pControl : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                for (const SCaption& caption : CaptionsOf(*pControl))
                    if (caption.need.width() > caption.room.width() ||
                        caption.need.height() > caption.room.height())
                        clipped.push_back(screen + ": \"" + caption.text.toStdString() + "\" needs " +
                                          std::to_string(caption.need.width()) + "x" +
                                          std::to_string(caption.need.height()) + ", has " +
                                          std::to_string(caption.room.width()) + "x" +
                                          std::to_string(caption.room.height()));
        });
    EXPECT_EQ(clipped, std::vector<std::string>{});
}
