// The ten dialog templates, built offscreen into a host widget: every control with its kind, caption,
// rectangle, visibility and enabling; the host's size by the dialog-unit rule; radio sets exclusive only
// within themselves; the combo boxes' items and sorting. Each template is also saved as a PNG under
// templates/ in the working directory (the build folder), so a person can look at it.

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
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace
{
// What the built widget must be.
enum class EWidget
{
    Label,
    RightLabel,
    Frame,
    Group,
    Push,
    DefPush,
    OwnerDraw,
    Radio,
    Check,
    Edit,
    EditCombo,
    ListCombo,
};

enum EState : unsigned
{
    kShown = 0,
    kHidden = 1,
    kDisabled = 2,
};

struct SExpectedControl
{
    int nId;
    EWidget widget;
    const char* pszCaption;
    QRect rcUnits;
    unsigned nState = kShown;
};

struct SExpectedTemplate
{
    int nId;
    QSize sizeUnits;
    const char* pszTitle;
    bool bModal;
    std::vector<SExpectedControl> controls;
};

// Names a template in test output.
void PrintTo(const SExpectedTemplate& expected, std::ostream* pStream)
{
    *pStream << "IDD_" << expected.nId;
}

using W = EWidget;

const std::vector<SExpectedTemplate> kExpectedTemplates = {
    {res::IDD_ABOUT,
     {262, 96},
     "About tarvex Pnl",
     true,
     {
         {res::about::IDC_ICON, W::Label, "", {10, 10, 24, 22}},
         {IDC_STATIC, W::Label, "tarvex Counter soft front panel", {44, 10, 208, 8}},
         {IDC_STATIC, W::Label, "VERSION: A.02.02", {44, 22, 208, 8}},
         {IDC_STATIC,
          W::Label,
          "VXI Plug && Play Driver revision required: A.01.00 or greater",
          {44, 38, 208, 8}},
         {IDC_STATIC,
          W::Label,
          "Tarvex firmware revison date code required: 3401 or greater",
          {44, 50, 208, 8}},
         {IDC_STATIC, W::Label, "KSL version required: 3.0 or greater", {44, 62, 208, 8}},
         {IDOK, W::DefPush, "OK", {106, 76, 50, 14}},
     }},
    {res::IDD_MEASURE,
     {145, 201},
     "",
     false,
     {
         {1007, W::Frame, "", {4, 4, 136, 56}},
         {1027, W::Label, "", {8, 8, 56, 20}, kHidden},
         {1029, W::Label, "", {84, 8, 39, 32}, kHidden},
         {1172, W::Label, "Tarvex Counter", {52, 36, 44, 16}, kHidden},
         {1173, W::Label, "Slot:", {8, 43, 16, 9}, kHidden},
         {1006, W::OwnerDraw, "", {28, 41, 18, 12}},
         {1005, W::OwnerDraw, "", {104, 44, 16, 13}},
         {1025, W::Frame, "", {4, 64, 136, 128}},
         {IDC_STATIC, W::Group, "Channel", {8, 66, 120, 23}},
         {1061, W::Radio, "1", {16, 78, 24, 8}},
         {1062, W::Radio, "2", {52, 78, 24, 8}},
         {1063, W::Radio, "3", {88, 78, 20, 8}},
         {1015, W::OwnerDraw, "?", {8, 92, 102, 16}},
         {1016, W::OwnerDraw, "", {110, 92, 24, 16}},
         {IDC_STATIC, W::RightLabel, "Function:", {8, 114, 32, 8}},
         {1019, W::EditCombo, "", {44, 112, 60, 55}},
         {1119, W::Push, "Send Config", {8, 128, 60, 12}},
         {1143, W::Push, "Read", {75, 128, 60, 12}},
         {1072, W::Push, "Start IMM", {8, 144, 60, 12}},
         {1174, W::Push, "Stop IMM", {75, 144, 60, 12}},
         {1071, W::Push, "Expected value...", {8, 160, 60, 12}},
         {1116, W::Push, "Resolution...", {76, 160, 60, 12}},
         {1117, W::Push, "Lower Ref...", {8, 176, 60, 12}},
         {1118, W::Push, "Upper Ref...", {72, 176, 60, 12}},
         {1021, W::Push, "Initiate IMM", {16, 176, 60, 12}, kHidden},
         {1120, W::Push, "Fetch", {84, 176, 28, 12}, kHidden | kDisabled},
     }},
    {res::IDD_INPUT_CONFIG,
     {145, 181},
     "",
     false,
     {
         {1030, W::OwnerDraw, "Channel", {60, 20, 40, 16}},
         {1031, W::OwnerDraw, "Button2", {60, 60, 40, 12}},
         {1032, W::OwnerDraw, "Button3", {60, 84, 40, 12}},
         {1033, W::OwnerDraw, "Button4", {60, 112, 40, 12}},
         {1034, W::OwnerDraw, "Button5", {60, 140, 40, 12}},
         {1036, W::Frame, "", {3, 3, 130, 173}},
         {IDC_STATIC, W::RightLabel, "Attenuation:", {12, 62, 45, 8}},
         {IDC_STATIC, W::RightLabel, "Coupling:", {16, 87, 38, 8}},
         {IDC_STATIC, W::RightLabel, "Impedance:", {16, 114, 40, 8}},
         {IDC_STATIC, W::RightLabel, "Routing:", {20, 142, 36, 8}},
     }},
    {res::IDD_EVENT_TRIG,
     {145, 193},
     "",
     false,
     {
         {IDC_STATIC, W::Group, "Auto Trig", {8, 12, 37, 64}},
         {1121, W::Radio, "OFF", {12, 28, 28, 10}},
         {1122, W::Radio, "ON", {12, 44, 28, 10}},
         {1072, W::Push, "Once", {12, 60, 26, 12}},
         {IDC_STATIC, W::Group, "Hyst", {48, 12, 36, 64}},
         {1125, W::Radio, "MIN", {52, 28, 28, 10}},
         {1126, W::Radio, "MAX", {52, 44, 28, 10}},
         {1127, W::Radio, "DEF", {52, 60, 28, 10}},
         {1037, W::OwnerDraw, "Channel", {88, 16, 45, 12}},
         {1044, W::OwnerDraw, "Pos Slope", {88, 36, 45, 12}},
         {1041, W::Push, "Query", {88, 56, 45, 12}},
         {IDC_STATIC, W::Group, "REL TRIG ", {8, 80, 124, 44}},
         {IDC_STATIC, W::Label, "10 to 90 or MIN,MAX, DEF", {12, 92, 88, 8}},
         {1058, W::Edit, "", {12, 104, 68, 13}},
         {1071, W::Push, "Send REL", {84, 104, 36, 12}, kDisabled},
         {IDC_STATIC, W::Group, "Trig LEV ", {8, 128, 124, 56}},
         {IDC_STATIC, W::Label, "(-10.2375 to 10.2375 or MIN,MAX,DEF)", {12, 140, 116, 20}},
         {1128, W::Edit, "", {12, 168, 68, 13}},
         {1144, W::Push, "Send Lev", {84, 168, 36, 12}, kDisabled},
         {1038, W::Frame, "", {4, 4, 132, 184}},
     }},
    {res::IDD_VALUE_ENTRY,
     {216, 103},
     "",
     true,
     {
         {1046, W::Label, "", {4, 8, 188, 9}},
         {1023, W::Edit, "", {4, 24, 208, 13}},
         {1153, W::EditCombo, "", {40, 32, 116, 12}},
         {1154, W::Group, "Discretes", {4, 44, 208, 32}},
         {1149, W::Radio, "MIN", {8, 60, 44, 10}},
         {1150, W::Radio, "MAX", {56, 60, 44, 10}},
         {1151, W::Radio, "DEF", {104, 60, 48, 11}},
         {1152, W::Radio, "AUTO", {156, 60, 48, 10}},
         {IDOK, W::DefPush, "OK", {72, 80, 32, 16}},
         {IDCANCEL, W::Push, "Cancel", {112, 80, 32, 16}},
     }},
    {res::IDD_ARM,
     {145, 193},
     "",
     false,
     {
         {IDC_STATIC, W::Group, "Start", {8, 8, 60, 152}},
         {IDC_STATIC, W::Label, "Source", {12, 20, 30, 8}},
         {1019, W::ListCombo, "", {12, 32, 52, 52}},
         {IDC_STATIC, W::Group, "Level", {12, 48, 52, 72}},
         {1132, W::Radio, "MIN", {24, 60, 32, 8}},
         {1133, W::Radio, "MAX ", {24, 80, 36, 8}},
         {1134, W::Radio, "DEF", {24, 96, 32, 10}},
         {1072, W::OwnerDraw, "Slope +", {20, 128, 32, 12}},
         {IDC_STATIC, W::Group, "Stop", {72, 8, 60, 152}},
         {IDC_STATIC, W::Label, "Source:", {80, 20, 30, 8}},
         {1142, W::ListCombo, "", {80, 32, 48, 48}},
         {IDC_STATIC, W::Group, "Level", {76, 48, 52, 72}},
         {1138, W::Radio, "MIN", {88, 60, 32, 8}},
         {1139, W::Radio, "MAX", {88, 80, 36, 8}},
         {1140, W::Radio, "DEF", {88, 96, 32, 11}},
         {1071, W::OwnerDraw, "Slope +", {84, 128, 32, 12}},
         {1077, W::Frame, "", {4, 4, 133, 184}},
     }},
    {res::IDD_MISC,
     {145, 193},
     "",
     false,
     {
         {1089, W::Frame, "", {3, 3, 130, 185}},
         {1083, W::Push, "Trigger", {8, 32, 48, 12}},
         {1082, W::Push, "Meas Timeout...", {68, 32, 56, 12}},
         {1084, W::Push, "Aperture...", {8, 60, 48, 12}},
         {1081, W::Push, "MEAS Abort", {68, 60, 48, 12}},
         {1087, W::Push, "Freq Range...", {8, 96, 48, 12}},
         {IDC_STATIC, W::Group, "Rosc Source", {8, 124, 120, 44}},
         {1146, W::Radio, "Internal", {12, 144, 34, 10}},
         {1147, W::Radio, "Ext", {56, 144, 24, 11}},
         {1148, W::Radio, "CLK10", {88, 144, 35, 10}},
     }},
    {res::IDD_OUTPUT_CONFIG,
     {145, 189},
     "",
     false,
     {
         {1090, W::Frame, "", {3, 3, 130, 185}},
         {IDC_STATIC, W::Group, "Gate Out", {8, 8, 120, 60}},
         {1158, W::Check, "TTLTrg 0", {16, 28, 52, 9}},
         {1071, W::OwnerDraw, "INT TBASE Output off", {8, 112, 108, 12}},
     }},
    {res::IDD_SELECT_INSTRUMENT,
     {186, 92},
     "Select Instrument",
     true,
     {
         {IDC_STATIC, W::Label, "Pick the instrument from the selection below:", {4, 12, 176, 8}},
         {1111, W::ListCombo, "", {4, 28, 176, 40}},
         {IDOK, W::DefPush, "OK", {16, 64, 50, 14}},
         {IDCANCEL, W::Push, "Cancel", {100, 64, 50, 14}},
     }},
    {res::IDD_REFERENCE,
     {186, 92},
     "Reference ",
     true,
     {
         {IDC_STATIC,
          W::Label,
          "Enter a Voltage number between -10.2375V and 10.2375V, note the 'V', OR enter a percentage "
          "between 10 and 90 (no suffix)",
          {8, 8, 164, 28}},
         {1155, W::Edit, "", {8, 40, 164, 13}},
         {IDOK, W::DefPush, "OK", {36, 64, 50, 14}},
         {IDCANCEL, W::Push, "Cancel", {104, 64, 50, 14}},
     }},
};

bool IsCombo(EWidget widget)
{
    return widget == EWidget::EditCombo || widget == EWidget::ListCombo;
}

bool HasKind(QWidget* pWidget, EWidget widget)
{
    switch (widget)
    {
    case EWidget::Label:
    case EWidget::RightLabel:
    {
        auto* pLabel = qobject_cast<QLabel*>(pWidget);
        return pLabel && bool(pLabel->alignment() & Qt::AlignRight) == (widget == EWidget::RightLabel);
    }
    case EWidget::Frame:
        return qobject_cast<QFrame*>(pWidget) && !qobject_cast<QLabel*>(pWidget);
    case EWidget::Group:
        return qobject_cast<QGroupBox*>(pWidget) != nullptr;
    case EWidget::Push:
    case EWidget::DefPush:
    {
        auto* pButton = qobject_cast<QPushButton*>(pWidget);
        return pButton && pButton->isDefault() == (widget == EWidget::DefPush);
    }
    case EWidget::OwnerDraw:
        return qobject_cast<CButton*>(pWidget) != nullptr;
    case EWidget::Radio:
        return qobject_cast<QRadioButton*>(pWidget) != nullptr;
    case EWidget::Check:
        return qobject_cast<QCheckBox*>(pWidget) != nullptr;
    case EWidget::Edit:
        return qobject_cast<QLineEdit*>(pWidget) != nullptr;
    case EWidget::EditCombo:
    case EWidget::ListCombo:
    {
        auto* pCombo = qobject_cast<QComboBox*>(pWidget);
        return pCombo && pCombo->isEditable() == (widget == EWidget::EditCombo);
    }
    }
    return false;
}

// The text a person sees on the control.
QString ShownCaption(QWidget* pWidget)
{
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
    {
        return pLabel->text();
    }
    if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget))
    {
        return pGroup->title();
    }
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
    {
        return pButton->text();
    }
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
    {
        return pEdit->text();
    }
    if (auto* pCombo = qobject_cast<QComboBox*>(pWidget))
    {
        return pCombo->currentText();
    }
    return QString();
}

// A static shows a doubled ampersand as one; buttons and group boxes keep the mnemonic marks.
QString ExpectedShownCaption(const SExpectedControl& expected)
{
    QString caption = QString::fromLatin1(expected.pszCaption);
    if (expected.widget == EWidget::Label || expected.widget == EWidget::RightLabel)
    {
        caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    return caption;
}

// A combo box's height in the template includes its dropped-down list, so only its top, left and width
// are the template's.
bool HasGeometry(QWidget* pWidget, const SExpectedControl& expected, const framework::SBaseUnits& base)
{
    const QRect rcExpected = framework::DialogUnitsToPixels(expected.rcUnits, base);
    const QRect rcActual = pWidget->geometry();
    if (IsCombo(expected.widget))
    {
        return rcActual.topLeft() == rcExpected.topLeft() && rcActual.width() == rcExpected.width();
    }
    return rcActual == rcExpected;
}

// Builds a template into its own host, as a dialog does: a modal template into a QDialog (where the
// default button is a default button), a panel into a plain widget.
struct SBuiltTemplate
{
    std::unique_ptr<QWidget> pHost;
    framework::CDialogControls controls;

    explicit SBuiltTemplate(int nId)
    {
        const SDialogTemplate* pTemplate = res::FindDialogTemplate(nId);
        pHost = pTemplate && pTemplate->bModal ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
        if (pTemplate)
        {
            controls.Build(pHost.get(), *pTemplate);
        }
    }

    QWidget* Find(const SExpectedControl& expected) const
    {
        if (expected.nId != IDC_STATIC)
        {
            return controls.Item(expected.nId);
        }
        for (QWidget* pChild : pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        {
            if (HasKind(pChild, expected.widget) && ShownCaption(pChild) == ExpectedShownCaption(expected) &&
                HasGeometry(pChild, expected, controls.BaseUnits()))
            {
                return pChild;
            }
        }
        return nullptr;
    }
};

class DialogTemplateTest : public testing::TestWithParam<SExpectedTemplate>
{
};

TEST_P(DialogTemplateTest, BuiltControlsHaveTheirKindCaptionPlaceAndState)
{
    const SExpectedTemplate& expected = GetParam();
    const SDialogTemplate* pTemplate = res::FindDialogTemplate(expected.nId);
    ASSERT_NE(pTemplate, nullptr);
    EXPECT_EQ(pTemplate->bModal, expected.bModal);
    EXPECT_STREQ(pTemplate->pszFontFace, "MS Sans Serif");
    EXPECT_EQ(pTemplate->nPointSize, 8);
    SBuiltTemplate built(expected.nId);
    EXPECT_EQ(built.pHost->windowTitle(), QString::fromLatin1(expected.pszTitle));
    const framework::SBaseUnits base = built.controls.BaseUnits();

    for (const SExpectedControl& expectedControl : expected.controls)
    {
        SCOPED_TRACE(testing::Message()
                     << "id " << expectedControl.nId << " \"" << expectedControl.pszCaption << "\"");
        QWidget* pControl = built.Find(expectedControl);
        ASSERT_NE(pControl, nullptr);
        EXPECT_EQ(pControl->parentWidget(), built.pHost.get());
        EXPECT_TRUE(HasKind(pControl, expectedControl.widget)) << pControl->metaObject()->className();
        EXPECT_EQ(ShownCaption(pControl), ExpectedShownCaption(expectedControl));
        EXPECT_TRUE(HasGeometry(pControl, expectedControl, base))
            << "at " << pControl->x() << "," << pControl->y() << " size " << pControl->width() << "x"
            << pControl->height();
        EXPECT_EQ(pControl->isHidden(), bool(expectedControl.nState & kHidden));
        EXPECT_EQ(pControl->isEnabled(), !(expectedControl.nState & kDisabled));
        if (expectedControl.nId != IDC_STATIC)
        {
            EXPECT_EQ(built.controls.IsShown(expectedControl.nId), !(expectedControl.nState & kHidden));
        }
    }
    EXPECT_EQ(built.pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(expected.controls.size()));
}

TEST_P(DialogTemplateTest, HostTakesTheTemplateSizeInPixelsAndIsSavedAsPicture)
{
    const SExpectedTemplate& expected = GetParam();
    SBuiltTemplate built(expected.nId);
    const SDialogTemplate* pTemplate = res::FindDialogTemplate(expected.nId);
    ASSERT_NE(pTemplate, nullptr);

    const framework::SBaseUnits base =
        framework::BaseUnitsOf(framework::DialogFont(pTemplate->pszFontFace, pTemplate->nPointSize));
    ASSERT_GT(base.cx, 0);
    ASSERT_GT(base.cy, 0);
    const QSize size = framework::DialogUnitsToPixels(QRect(QPoint(0, 0), expected.sizeUnits), base).size();
    EXPECT_EQ(built.pHost->size(), size);
    EXPECT_EQ(built.controls.SizeInPixels(), size);

    built.pHost->show();
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("templates")));
    const QString path = QStringLiteral("templates/IDD_%1.png").arg(expected.nId);
    ASSERT_TRUE(built.pHost->grab().save(path));
    EXPECT_EQ(QImage(path).size(), size);
}

std::string TemplateName(const testing::TestParamInfo<SExpectedTemplate>& info)
{
    return "IDD_" + std::to_string(info.param.nId);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateTest, testing::ValuesIn(kExpectedTemplates), TemplateName);

TEST(DialogTemplates, AllTenAreListedOnceAndUnknownNumbersHaveNone)
{
    std::set<int> ids;
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        ASSERT_NE(pTemplate, nullptr);
        EXPECT_TRUE(ids.insert(pTemplate->nId).second) << pTemplate->nId;
        EXPECT_EQ(res::FindDialogTemplate(pTemplate->nId), pTemplate);
    }
    EXPECT_EQ(ids, (std::set<int>{100, 104, 113, 114, 115, 119, 120, 121, 125, 128}));

    for (int nId : {-1, 0, 1, 99, 101, 109, 111, 130, 1019})
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(res::FindDialogTemplate(nId), nullptr);
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
            EXPECT_TRUE(rcDialog.contains(QRect(control.x, control.y, control.cx, control.cy)));
            EXPECT_GT(control.cx, 0);
            EXPECT_GT(control.cy, 0);
            if (control.nId != IDC_STATIC)
            {
                EXPECT_TRUE(ids.insert(control.nId).second);
            }
        }
    }
}

TEST(DialogTemplates, ButtonsEditsAndCombosAreReachedByTab)
{
    for (const SDialogTemplate* pTemplate : res::AllDialogTemplates())
    {
        SCOPED_TRACE(pTemplate->nId);
        SBuiltTemplate built(pTemplate->nId);
        for (const SControlTemplate& control : pTemplate->controls)
        {
            auto* pControl = built.controls.Item(control.nId);
            const bool bTakesTab = qobject_cast<QPushButton*>(pControl) ||
                                   qobject_cast<QLineEdit*>(pControl) || qobject_cast<QComboBox*>(pControl) ||
                                   qobject_cast<QCheckBox*>(pControl);
            if (control.nId == IDC_STATIC || !bTakesTab)
            {
                continue;
            }
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

const std::vector<SRadioSets> kRadioSets = {
    {res::IDD_MEASURE, {{1061, 1062, 1063}}},
    {res::IDD_EVENT_TRIG, {{1121, 1122}, {1125, 1126, 1127}}},
    {res::IDD_VALUE_ENTRY, {{1149, 1150, 1151, 1152}}},
    {res::IDD_ARM, {{1132, 1133, 1134}, {1138, 1139, 1140}}},
    {res::IDD_MISC, {{1146, 1147, 1148}}},
};

TEST(DialogTemplates, RadioButtonsAreExclusiveOnlyWithinTheirOwnSet)
{
    for (const SRadioSets& templateSets : kRadioSets)
    {
        SCOPED_TRACE(templateSets.nTemplateId);
        SBuiltTemplate built(templateSets.nTemplateId);
        built.pHost->show();
        for (std::size_t nSet = 0; nSet < templateSets.sets.size(); ++nSet)
        {
            // The last radio of every other set stays checked throughout.
            for (std::size_t nOther = 0; nOther < templateSets.sets.size(); ++nOther)
            {
                if (nOther != nSet)
                {
                    built.controls.ItemAs<QAbstractButton>(templateSets.sets[nOther].back())->click();
                }
            }
            for (int nClicked : templateSets.sets[nSet])
            {
                SCOPED_TRACE(nClicked);
                auto* pRadio = built.controls.ItemAs<QAbstractButton>(nClicked);
                ASSERT_NE(pRadio, nullptr);
                pRadio->click();
                for (int nId : templateSets.sets[nSet])
                {
                    EXPECT_EQ(built.controls.IsChecked(nId), nId == nClicked) << nId;
                }
                for (std::size_t nOther = 0; nOther < templateSets.sets.size(); ++nOther)
                {
                    if (nOther != nSet)
                    {
                        EXPECT_TRUE(built.controls.IsChecked(templateSets.sets[nOther].back()));
                    }
                }
            }
        }
    }
}

const std::vector<std::string> kArmSources = {"EXT",   "IMM",   "BUS",   "HOLD",  "TTLT0", "TTLT1",
                                              "TTLT2", "TTLT3", "TTLT4", "TTLT5", "TTLT6", "TTLT7"};

std::vector<std::string> ItemsOf(const framework::CDialogControls& controls, int nId)
{
    std::vector<std::string> items;
    for (int i = 0; i < controls.GetCount(nId); ++i)
    {
        items.push_back(controls.GetLBText(nId, i));
    }
    return items;
}

TEST(DialogTemplates, ArmSourceBoxesHoldTheTwelveSourcesInOrderAndDoNotSort)
{
    SBuiltTemplate built(res::IDD_ARM);
    for (int nId : {1019, 1142})
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
         {SComboCase{res::IDD_MEASURE, 1019, false}, SComboCase{res::IDD_VALUE_ENTRY, 1153, true},
          SComboCase{res::IDD_SELECT_INSTRUMENT, 1111, true}})
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
