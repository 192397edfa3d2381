// The ten dialog templates: every control a dialog class names exists with the kind the class expects;
// each template builds into a host with every control of its kind, caption, rectangle and state and the
// host's size by the dialog-unit rule; controls lie inside their dialog; radio sets are exclusive only
// within themselves; the combo boxes' items and sorting; and the published numbers, sizes and places a typo
// could break. Each template is also saved as a PNG under templates/ in the working directory (the build
// folder), so a person can look at it.

#include "res/DialogTemplates.h"
#include "framework/Button.h"
#include "framework/DialogControls.h"
#include "framework/DialogUnits.h"
#include "framework/WinTypes.h"
#include "res/ControlIds.h"
#include "res/ResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace
{
using K = EControlKind;

const SControlTemplate* FindControl(const SDialogTemplate& dialogTemplate, int nId)
{
    const auto it = std::ranges::find(dialogTemplate.controls, nId, &SControlTemplate::nId);
    return it != dialogTemplate.controls.end() ? &*it : nullptr;
}

// The controls each dialog class names, by the kind it treats them as.
struct SNamedControls
{
    int nTemplateId;
    EControlKind kind;
    std::vector<int> ids;
};

std::vector<SNamedControls> NamedControls()
{
    namespace about = res::about;
    namespace arm = res::arm;
    namespace event_trig = res::event_trig;
    namespace input_config = res::input_config;
    namespace measure = res::measure;
    namespace misc = res::misc;
    namespace output_config = res::output_config;
    namespace value_entry = res::value_entry;
    using namespace res;
    return {
        {IDD_ABOUT, K::Static, {about::IDC_ICON}},
        {IDD_ABOUT, K::DefPushButton, {IDOK}},
        {IDD_MEASURE, K::FrameStatic, {measure::IDC_HEADER, measure::IDC_LOWER_FRAME}},
        {IDD_MEASURE,
         K::Static,
         {measure::IDC_LOGO_MARK, measure::IDC_EMBLEM_MARK, measure::IDC_NAME_MARK, measure::IDC_SLOT_MARK}},
        {IDD_MEASURE,
         K::OwnerDrawButton,
         {measure::IDC_SLOT, measure::IDC_INDICATOR, measure::IDC_READING, measure::IDC_UNITS}},
        {IDD_MEASURE,
         K::AutoRadioButton,
         {measure::IDC_CHANNEL_1, measure::IDC_CHANNEL_2, measure::IDC_CHANNEL_3}},
        {IDD_MEASURE, K::DropDownCombo, {measure::IDC_FUNCTION}},
        {IDD_MEASURE,
         K::PushButton,
         {measure::IDC_SEND_CONFIG, measure::IDC_READ, measure::IDC_START_IMM, measure::IDC_STOP_IMM,
          measure::IDC_EXPECTED, measure::IDC_RESOLUTION, measure::IDC_LOWER_REF, measure::IDC_UPPER_REF,
          measure::IDC_INITIATE, measure::IDC_FETCH}},
        {IDD_INPUT_CONFIG,
         K::OwnerDrawButton,
         {input_config::IDC_CHANNEL, input_config::IDC_ATTENUATION, input_config::IDC_COUPLING,
          input_config::IDC_IMPEDANCE, input_config::IDC_ROUTING}},
        {IDD_INPUT_CONFIG, K::FrameStatic, {input_config::IDC_FRAME}},
        {IDD_EVENT_TRIG,
         K::AutoRadioButton,
         {event_trig::IDC_AUTO_OFF, event_trig::IDC_AUTO_ON, event_trig::IDC_HYST_MIN,
          event_trig::IDC_HYST_MAX, event_trig::IDC_HYST_DEF}},
        {IDD_EVENT_TRIG,
         K::PushButton,
         {event_trig::IDC_ONCE, event_trig::IDC_QUERY, event_trig::IDC_SEND_REL, event_trig::IDC_SEND_LEV}},
        {IDD_EVENT_TRIG, K::OwnerDrawButton, {event_trig::IDC_CHANNEL, event_trig::IDC_SLOPE}},
        {IDD_EVENT_TRIG, K::Edit, {event_trig::IDC_REL_LEVEL, event_trig::IDC_TRIG_LEVEL}},
        {IDD_EVENT_TRIG, K::FrameStatic, {event_trig::IDC_FRAME}},
        {IDD_VALUE_ENTRY, K::Static, {value_entry::IDC_PROMPT}},
        {IDD_VALUE_ENTRY, K::Edit, {value_entry::IDC_VALUE}},
        {IDD_VALUE_ENTRY, K::DropDownCombo, {value_entry::IDC_HIDDEN_COMBO}},
        {IDD_VALUE_ENTRY, K::GroupBox, {value_entry::IDC_DISCRETES}},
        {IDD_VALUE_ENTRY,
         K::AutoRadioButton,
         {value_entry::IDC_MIN, value_entry::IDC_MAX, value_entry::IDC_DEF, value_entry::IDC_AUTO}},
        {IDD_VALUE_ENTRY, K::DefPushButton, {IDOK}},
        {IDD_VALUE_ENTRY, K::PushButton, {IDCANCEL}},
        {IDD_ARM, K::DropDownList, {arm::IDC_START_SOURCE, arm::IDC_STOP_SOURCE}},
        {IDD_ARM,
         K::AutoRadioButton,
         {arm::IDC_START_MIN, arm::IDC_START_MAX, arm::IDC_START_DEF, arm::IDC_STOP_MIN, arm::IDC_STOP_MAX,
          arm::IDC_STOP_DEF}},
        {IDD_ARM, K::OwnerDrawButton, {arm::IDC_START_SLOPE, arm::IDC_STOP_SLOPE}},
        {IDD_ARM, K::FrameStatic, {arm::IDC_FRAME}},
        {IDD_MISC, K::FrameStatic, {misc::IDC_FRAME}},
        {IDD_MISC,
         K::PushButton,
         {misc::IDC_TRIGGER, misc::IDC_MEAS_TIMEOUT, misc::IDC_APERTURE, misc::IDC_MEAS_ABORT,
          misc::IDC_FREQ_RANGE}},
        {IDD_MISC, K::AutoRadioButton, {misc::IDC_ROSC_INT, misc::IDC_ROSC_EXT, misc::IDC_ROSC_CLK10}},
        {IDD_OUTPUT_CONFIG, K::FrameStatic, {output_config::IDC_FRAME}},
        {IDD_OUTPUT_CONFIG, K::AutoCheckBox, {output_config::IDC_TRIGGER_LINE}},
        {IDD_OUTPUT_CONFIG, K::OwnerDrawButton, {output_config::IDC_TIMEBASE}},
        {IDD_SELECT_INSTRUMENT, K::DropDownList, {select_instrument::IDC_RESOURCES}},
        {IDD_SELECT_INSTRUMENT, K::DefPushButton, {IDOK}},
        {IDD_SELECT_INSTRUMENT, K::PushButton, {IDCANCEL}},
        {IDD_REFERENCE, K::Edit, {reference::IDC_REFERENCE}},
        {IDD_REFERENCE, K::DefPushButton, {IDOK}},
        {IDD_REFERENCE, K::PushButton, {IDCANCEL}},
    };
}

TEST(DialogTemplates, EveryNamedControlExistsWithItsKindAndEveryNumberedControlIsNamed)
{
    std::map<int, std::set<int>> named; // by template
    for (const SNamedControls& row : NamedControls())
    {
        SCOPED_TRACE(row.nTemplateId);
        const SDialogTemplate* pTemplate = res::FindDialogTemplate(row.nTemplateId);
        ASSERT_NE(pTemplate, nullptr);
        for (int nId : row.ids)
        {
            SCOPED_TRACE(nId);
            EXPECT_TRUE(named[row.nTemplateId].insert(nId).second);
            const SControlTemplate* pControl = FindControl(*pTemplate, nId);
            ASSERT_NE(pControl, nullptr);
            EXPECT_EQ(pControl->kind, row.kind);
        }
    }
    EXPECT_EQ(named.size(), res::AllDialogTemplates().size());
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        SCOPED_TRACE(pTemplate->nId);
        for (const SControlTemplate& control : pTemplate->controls)
        {
            EXPECT_TRUE(control.nId == IDC_STATIC || named[pTemplate->nId].contains(control.nId))
                << control.nId << " has no name";
        }
    }
}

// What the widget built for a template control must be.
bool HasKind(QWidget* pWidget, EControlKind kind)
{
    switch (kind)
    {
    case K::Static:
    case K::StaticRight:
    {
        auto* pLabel = qobject_cast<QLabel*>(pWidget);
        return pLabel && bool(pLabel->alignment() & Qt::AlignRight) == (kind == K::StaticRight);
    }
    case K::FrameStatic:
        return qobject_cast<QFrame*>(pWidget) && !qobject_cast<QLabel*>(pWidget);
    case K::GroupBox:
        return qobject_cast<QGroupBox*>(pWidget) != nullptr;
    case K::PushButton:
    case K::DefPushButton:
    {
        auto* pButton = qobject_cast<QPushButton*>(pWidget);
        return pButton && pButton->isDefault() == (kind == K::DefPushButton);
    }
    case K::OwnerDrawButton:
        return qobject_cast<CButton*>(pWidget) != nullptr;
    case K::AutoRadioButton:
        return qobject_cast<QRadioButton*>(pWidget) != nullptr;
    case K::AutoCheckBox:
        return qobject_cast<QCheckBox*>(pWidget) != nullptr;
    case K::Edit:
        return qobject_cast<QLineEdit*>(pWidget) != nullptr;
    case K::DropDownCombo:
    case K::DropDownList:
    {
        auto* pCombo = qobject_cast<QComboBox*>(pWidget);
        return pCombo && pCombo->isEditable() == (kind == K::DropDownCombo);
    }
    }
    return false;
}

// The text a person sees on the control.
QString ShownCaption(QWidget* pWidget)
{
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        return pLabel->text();
    if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget))
        return pGroup->title();
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
        return pButton->text();
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        return pEdit->text();
    if (auto* pCombo = qobject_cast<QComboBox*>(pWidget))
        return pCombo->currentText();
    return QString();
}

// A static shows a doubled ampersand as one; buttons and group boxes keep the mnemonic marks.
QString ExpectedShownCaption(const SControlTemplate& control)
{
    QString caption = QString::fromLatin1(control.pszCaption);
    if (control.kind == K::Static || control.kind == K::StaticRight)
        caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return caption;
}

QRect UnitsOf(const SControlTemplate& control)
{
    return {control.x, control.y, control.cx, control.cy};
}

// A combo box's height in the template includes its dropped-down list, so only its top, left and width
// are the template's.
bool HasGeometry(QWidget* pWidget, const SControlTemplate& control, const SBaseUnits& base)
{
    const QRect rcExpected = DialogUnitsToPixels(UnitsOf(control), base);
    const QRect rcActual = pWidget->geometry();
    if (control.kind == K::DropDownCombo || control.kind == K::DropDownList)
        return rcActual.topLeft() == rcExpected.topLeft() && rcActual.width() == rcExpected.width();
    return rcActual == rcExpected;
}

// Builds a template into its own host, as a dialog does: a modal template into a QDialog (where the
// default button is a default button), a panel into a plain widget.
struct SBuiltTemplate
{
    std::unique_ptr<QWidget> pHost;
    CDialogControls controls;

    explicit SBuiltTemplate(const SDialogTemplate& dialogTemplate)
        : pHost(dialogTemplate.bModal ? std::make_unique<QDialog>() : std::make_unique<QWidget>())
    {
        controls.Build(pHost.get(), dialogTemplate);
    }
    explicit SBuiltTemplate(int nId) : SBuiltTemplate(*res::FindDialogTemplate(nId)) {}

    // A static without id is found by its kind, caption and place.
    QWidget* Find(const SControlTemplate& control) const
    {
        if (control.nId != IDC_STATIC)
            return controls.Item(control.nId);
        for (QWidget* pChild : pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (HasKind(pChild, control.kind) && ShownCaption(pChild) == ExpectedShownCaption(control) &&
                HasGeometry(pChild, control, controls.BaseUnits()))
                return pChild;
        return nullptr;
    }
};

class DialogTemplateTest : public testing::TestWithParam<const SDialogTemplate*>
{
};

TEST_P(DialogTemplateTest, EveryControlIsBuiltWithItsKindCaptionPlaceAndState)
{
    const SDialogTemplate& dialogTemplate = *GetParam();
    EXPECT_STREQ(dialogTemplate.pszFontFace, "MS Sans Serif");
    EXPECT_EQ(dialogTemplate.nPointSize, 8);
    SBuiltTemplate built(dialogTemplate);
    EXPECT_EQ(built.pHost->windowTitle(), QString::fromLatin1(dialogTemplate.pszTitle));
    const SBaseUnits base = built.controls.BaseUnits();

    for (const SControlTemplate& control : dialogTemplate.controls)
    {
        SCOPED_TRACE(testing::Message() << "id " << control.nId << " \"" << control.pszCaption << "\"");
        QWidget* pControl = built.Find(control);
        ASSERT_NE(pControl, nullptr);
        EXPECT_EQ(pControl->parentWidget(), built.pHost.get());
        EXPECT_TRUE(HasKind(pControl, control.kind)) << pControl->metaObject()->className();
        EXPECT_EQ(ShownCaption(pControl), ExpectedShownCaption(control));
        EXPECT_TRUE(HasGeometry(pControl, control, base))
            << "at " << pControl->x() << "," << pControl->y() << " size " << pControl->width() << "x"
            << pControl->height();
        EXPECT_EQ(pControl->isHidden(), bool(control.nStyle & CS_HIDDEN));
        EXPECT_EQ(pControl->isEnabled(), !(control.nStyle & CS_DISABLED));
        if (control.nId != IDC_STATIC)
            EXPECT_EQ(built.controls.IsShown(control.nId), !(control.nStyle & CS_HIDDEN));
    }
    EXPECT_EQ(built.pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(dialogTemplate.controls.size()));
}

TEST_P(DialogTemplateTest, HostTakesTheTemplateSizeInPixelsAndIsSavedAsPicture)
{
    const SDialogTemplate& dialogTemplate = *GetParam();
    SBuiltTemplate built(dialogTemplate);
    const SBaseUnits base = BaseUnitsOf(DialogFont(dialogTemplate.pszFontFace, dialogTemplate.nPointSize));
    ASSERT_GT(base.cx, 0);
    ASSERT_GT(base.cy, 0);
    const QSize size = DialogUnitsToPixels(QRect(0, 0, dialogTemplate.cx, dialogTemplate.cy), base).size();
    EXPECT_EQ(built.pHost->size(), size);
    EXPECT_EQ(built.controls.SizeInPixels(), size);

    built.pHost->show();
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("templates")));
    const QString path = QStringLiteral("templates/IDD_%1.png").arg(dialogTemplate.nId);
    QFile::remove(path);
    ASSERT_TRUE(built.pHost->grab().save(path));
    EXPECT_EQ(QImage(path).size(), size);
}

std::string TemplateName(const testing::TestParamInfo<const SDialogTemplate*>& info)
{
    return "IDD_" + std::to_string(info.param->nId);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateTest, testing::ValuesIn(res::AllDialogTemplates()),
                         TemplateName);

TEST(DialogTemplates, EachIsListedOnceAndFoundByItsIdAndOtherNumbersHaveNone)
{
    std::set<int> ids;
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        ASSERT_NE(pTemplate, nullptr);
        EXPECT_TRUE(ids.insert(pTemplate->nId).second) << pTemplate->nId;
        EXPECT_EQ(res::FindDialogTemplate(pTemplate->nId), pTemplate);
    }
    EXPECT_EQ(ids.size(), 10u);
    for (int nId : {-1, 0, res::IDD_ABOUT - 1, res::IDD_ABOUT + 1, res::IDB_LOGO, res::IDR_MAIN_MENU,
                    int(res::measure::IDC_FUNCTION)})
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(res::FindDialogTemplate(nId), nullptr);
    }
}

struct SPublishedDialog
{
    int nId;
    int nNumber;
    QSize sizeUnits;
    const char* pszTitle;
    bool bModal;
};

TEST(DialogTemplates, PublishedDialogsKeepTheirNumbersSizesAndTitles)
{
    for (const SPublishedDialog& published : {
             SPublishedDialog{res::IDD_ABOUT, 100, {262, 96}, "About tarvex Pnl", true},
             SPublishedDialog{res::IDD_MEASURE, 104, {145, 201}, "", false},
             SPublishedDialog{res::IDD_INPUT_CONFIG, 113, {145, 181}, "", false},
             SPublishedDialog{res::IDD_VALUE_ENTRY, 115, {216, 103}, "", true},
             SPublishedDialog{res::IDD_OUTPUT_CONFIG, 121, {145, 189}, "", false},
             SPublishedDialog{res::IDD_SELECT_INSTRUMENT, 125, {186, 92}, "Select Instrument", true},
             SPublishedDialog{res::IDD_REFERENCE, 128, {186, 92}, "Reference ", true},
         })
    {
        SCOPED_TRACE(published.nNumber);
        EXPECT_EQ(published.nId, published.nNumber);
        const SDialogTemplate* pTemplate = res::FindDialogTemplate(published.nId);
        ASSERT_NE(pTemplate, nullptr);
        EXPECT_EQ(QSize(pTemplate->cx, pTemplate->cy), published.sizeUnits);
        EXPECT_STREQ(pTemplate->pszTitle, published.pszTitle);
        EXPECT_EQ(pTemplate->bModal, published.bModal);
    }
}

struct SPublishedControl
{
    int nTemplateId;
    int nId;
    int nNumber;
    const char* pszCaption;
    QRect rcUnits;
};

TEST(DialogTemplates, PublishedControlsKeepTheirNumbersCaptionsAndPlaces)
{
    for (const SPublishedControl& published : {
             SPublishedControl{res::IDD_MEASURE, res::measure::IDC_READING, 1015, "?", {8, 92, 102, 16}},
             SPublishedControl{
                 res::IDD_MEASURE, res::measure::IDC_SEND_CONFIG, 1119, "Send Config", {8, 128, 60, 12}},
             SPublishedControl{
                 res::IDD_MEASURE, res::measure::IDC_STOP_IMM, 1174, "Stop IMM", {75, 144, 60, 12}},
             SPublishedControl{
                 res::IDD_INPUT_CONFIG, res::input_config::IDC_CHANNEL, 1030, "Channel", {60, 20, 40, 16}},
             SPublishedControl{
                 res::IDD_EVENT_TRIG, res::event_trig::IDC_SEND_LEV, 1144, "Send Lev", {84, 168, 36, 12}},
             SPublishedControl{res::IDD_VALUE_ENTRY, res::value_entry::IDC_VALUE, 1023, "", {4, 24, 208, 13}},
             SPublishedControl{res::IDD_ARM, res::arm::IDC_STOP_SOURCE, 1142, "", {80, 32, 48, 48}},
             SPublishedControl{res::IDD_MISC, res::misc::IDC_ROSC_CLK10, 1148, "CLK10", {88, 144, 35, 10}},
             SPublishedControl{res::IDD_OUTPUT_CONFIG,
                               res::output_config::IDC_TIMEBASE,
                               1071,
                               "INT TBASE Output off",
                               {8, 112, 108, 12}},
         })
    {
        SCOPED_TRACE(published.nNumber);
        EXPECT_EQ(published.nId, published.nNumber);
        const SControlTemplate* pControl =
            FindControl(*res::FindDialogTemplate(published.nTemplateId), published.nId);
        ASSERT_NE(pControl, nullptr);
        EXPECT_STREQ(pControl->pszCaption, published.pszCaption);
        EXPECT_EQ(UnitsOf(*pControl), published.rcUnits);
    }
}

TEST(DialogTemplates, ControlsLieInsideTheirDialogAndIdsAreUnique)
{
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        SCOPED_TRACE(pTemplate->nId);
        const QRect rcDialog(0, 0, pTemplate->cx, pTemplate->cy);
        std::set<int> ids;
        for (const SControlTemplate& control : pTemplate->controls)
        {
            SCOPED_TRACE(control.nId);
            EXPECT_TRUE(rcDialog.contains(UnitsOf(control)));
            EXPECT_GT(control.cx, 0);
            EXPECT_GT(control.cy, 0);
            if (control.nId != IDC_STATIC)
                EXPECT_TRUE(ids.insert(control.nId).second);
        }
    }
}

TEST(DialogTemplates, ButtonsEditsAndCombosAreReachedByTab)
{
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        SCOPED_TRACE(pTemplate->nId);
        SBuiltTemplate built(*pTemplate);
        for (const SControlTemplate& control : pTemplate->controls)
        {
            auto* pControl = built.controls.Item(control.nId);
            const bool bTakesTab = qobject_cast<QPushButton*>(pControl) ||
                                   qobject_cast<QLineEdit*>(pControl) || qobject_cast<QComboBox*>(pControl) ||
                                   qobject_cast<QCheckBox*>(pControl);
            if (control.nId == IDC_STATIC || !bTakesTab)
                continue;
            SCOPED_TRACE(control.nId);
            EXPECT_TRUE(pControl->focusPolicy() & Qt::TabFocus);
        }
    }
}

// Radio sets of each template: checking a radio unchecks the others of its set and nothing else.
struct SRadioSets
{
    int nTemplateId;
    std::vector<std::vector<int>> sets;
};

TEST(DialogTemplates, RadioButtonsAreExclusiveOnlyWithinTheirOwnSet)
{
    namespace arm = res::arm;
    namespace event_trig = res::event_trig;
    namespace measure = res::measure;
    namespace misc = res::misc;
    namespace value_entry = res::value_entry;
    const std::vector<SRadioSets> radioSets = {
        {res::IDD_MEASURE, {{measure::IDC_CHANNEL_1, measure::IDC_CHANNEL_2, measure::IDC_CHANNEL_3}}},
        {res::IDD_EVENT_TRIG,
         {{event_trig::IDC_AUTO_OFF, event_trig::IDC_AUTO_ON},
          {event_trig::IDC_HYST_MIN, event_trig::IDC_HYST_MAX, event_trig::IDC_HYST_DEF}}},
        {res::IDD_VALUE_ENTRY,
         {{value_entry::IDC_MIN, value_entry::IDC_MAX, value_entry::IDC_DEF, value_entry::IDC_AUTO}}},
        {res::IDD_ARM,
         {{arm::IDC_START_MIN, arm::IDC_START_MAX, arm::IDC_START_DEF},
          {arm::IDC_STOP_MIN, arm::IDC_STOP_MAX, arm::IDC_STOP_DEF}}},
        {res::IDD_MISC, {{misc::IDC_ROSC_INT, misc::IDC_ROSC_EXT, misc::IDC_ROSC_CLK10}}},
    };
    for (const SRadioSets& templateSets : radioSets)
    {
        SCOPED_TRACE(templateSets.nTemplateId);
        SBuiltTemplate built(templateSets.nTemplateId);
        built.pHost->show();
        for (std::size_t nSet = 0; nSet < templateSets.sets.size(); ++nSet)
        {
            // The last radio of every other set stays checked throughout.
            for (std::size_t nOther = 0; nOther < templateSets.sets.size(); ++nOther)
                if (nOther != nSet)
                    built.controls.ItemAs<QAbstractButton>(templateSets.sets[nOther].back())->click();
            for (int nClicked : templateSets.sets[nSet])
            {
                SCOPED_TRACE(nClicked);
                auto* pRadio = built.controls.ItemAs<QAbstractButton>(nClicked);
                ASSERT_NE(pRadio, nullptr);
                pRadio->click();
                for (int nId : templateSets.sets[nSet])
                    EXPECT_EQ(built.controls.IsChecked(nId), nId == nClicked) << nId;
                for (std::size_t nOther = 0; nOther < templateSets.sets.size(); ++nOther)
                    if (nOther != nSet)
                        EXPECT_TRUE(built.controls.IsChecked(templateSets.sets[nOther].back()));
            }
        }
    }
}

const std::vector<std::string> kArmSources = {"EXT",   "IMM",   "BUS",   "HOLD",  "TTLT0", "TTLT1",
                                              "TTLT2", "TTLT3", "TTLT4", "TTLT5", "TTLT6", "TTLT7"};

std::vector<std::string> ItemsOf(const CDialogControls& controls, int nId)
{
    std::vector<std::string> items;
    for (int i = 0; i < controls.GetCount(nId); ++i)
        items.push_back(controls.GetLBText(nId, i));
    return items;
}

TEST(DialogTemplates, ArmSourceBoxesHoldTheTwelveSourcesInOrderAndDoNotSort)
{
    SBuiltTemplate built(res::IDD_ARM);
    for (int nId : {res::arm::IDC_START_SOURCE, res::arm::IDC_STOP_SOURCE})
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(ItemsOf(built.controls, nId), kArmSources);
        EXPECT_EQ(built.controls.FindString(nId, -1, "ttlt"), 4);
        EXPECT_EQ(built.controls.AddString(nId, "AAA"), 12);
    }
}

struct SComboCase
{
    int nTemplateId;
    int nId;
    bool bSorted;
};

TEST(DialogTemplates, OtherComboBoxesStartEmptyAndSortOnlyWhereTheDialogAsksIt)
{
    for (const SComboCase& combo :
         {SComboCase{res::IDD_MEASURE, res::measure::IDC_FUNCTION, false},
          SComboCase{res::IDD_VALUE_ENTRY, res::value_entry::IDC_HIDDEN_COMBO, true},
          SComboCase{res::IDD_SELECT_INSTRUMENT, res::select_instrument::IDC_RESOURCES, true}})
    {
        SCOPED_TRACE(combo.nId);
        SBuiltTemplate built(combo.nTemplateId);
        EXPECT_EQ(built.controls.GetCount(combo.nId), 0);
        built.controls.AddString(combo.nId, "VXI0::9::INSTR");
        built.controls.AddString(combo.nId, "GPIB0::3::INSTR");
        const std::vector<std::string> expected =
            combo.bSorted ? std::vector<std::string>{"GPIB0::3::INSTR", "VXI0::9::INSTR"}
                          : std::vector<std::string>{"VXI0::9::INSTR", "GPIB0::3::INSTR"};
        EXPECT_EQ(ItemsOf(built.controls, combo.nId), expected);
    }
}
} // namespace
