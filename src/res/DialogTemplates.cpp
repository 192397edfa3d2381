#include "DialogTemplates.h"

#include "ControlIds.h"
#include "ResourceIds.h"
#include "framework/WinTypes.h"

#include <algorithm>
#include <utility>

namespace res
{
namespace
{
// A control's rectangle in dialog units.
struct SUnits
{
    int x, y, cx, cy;
};

constexpr const char* kFontFace = "MS Sans Serif";
constexpr int kPointSize = 8;

// The first radio of a set: starts a group and takes the set's tab stop. The same bit on the control that
// follows a set closes it, so nothing after the set joins its exclusivity.
constexpr unsigned kFirstRadio = CS_GROUP | CS_TABSTOP;

SControlTemplate Make(int nId, EControlKind kind, const char* pszCaption, SUnits rc, unsigned nStyle,
                      std::vector<const char*> items = {})
{
    return {nId, kind, pszCaption, rc.x, rc.y, rc.cx, rc.cy, nStyle, std::move(items)};
}

SControlTemplate Text(int nId, const char* pszCaption, SUnits rc, unsigned nStyle = CS_NONE)
{
    return Make(nId, EControlKind::Static, pszCaption, rc, nStyle);
}

SControlTemplate RightText(const char* pszCaption, SUnits rc)
{
    return Make(IDC_STATIC, EControlKind::StaticRight, pszCaption, rc, CS_NONE);
}

SControlTemplate Frame(int nId, SUnits rc)
{
    return Make(nId, EControlKind::FrameStatic, "", rc, CS_NONE);
}

SControlTemplate Group(const char* pszCaption, SUnits rc, int nId = IDC_STATIC)
{
    return Make(nId, EControlKind::GroupBox, pszCaption, rc, CS_NONE);
}

SControlTemplate Button(int nId, const char* pszCaption, SUnits rc, unsigned nStyle = CS_NONE)
{
    return Make(nId, EControlKind::PushButton, pszCaption, rc, nStyle | CS_TABSTOP);
}

SControlTemplate DefaultButton(int nId, const char* pszCaption, SUnits rc, unsigned nStyle = CS_NONE)
{
    return Make(nId, EControlKind::DefPushButton, pszCaption, rc, nStyle | CS_TABSTOP);
}

// Owner-drawn buttons: nStyle says whether the custom control that takes it over is reached by Tab.
SControlTemplate OwnerDrawn(int nId, const char* pszCaption, SUnits rc, unsigned nStyle = CS_NONE)
{
    return Make(nId, EControlKind::OwnerDrawButton, pszCaption, rc, nStyle);
}

SControlTemplate Radio(int nId, const char* pszCaption, SUnits rc, unsigned nStyle = CS_NONE)
{
    return Make(nId, EControlKind::AutoRadioButton, pszCaption, rc, nStyle);
}

SControlTemplate CheckBox(int nId, const char* pszCaption, SUnits rc)
{
    return Make(nId, EControlKind::AutoCheckBox, pszCaption, rc, CS_TABSTOP);
}

SControlTemplate Edit(int nId, SUnits rc)
{
    return Make(nId, EControlKind::Edit, "", rc, CS_TABSTOP);
}

// Combo boxes: the height includes the dropped-down list.
SControlTemplate Combo(int nId, EControlKind kind, SUnits rc, unsigned nStyle,
                       std::vector<const char*> items = {})
{
    return Make(nId, kind, "", rc, nStyle | CS_TABSTOP, std::move(items));
}

std::vector<const char*> ArmSourceItems()
{
    return {kArmSources.begin(), kArmSources.end()};
}

SDialogTemplate Panel(int nId, int cx, int cy, std::vector<SControlTemplate> controls)
{
    return {nId, cx, cy, "", false, kFontFace, kPointSize, std::move(controls)};
}

SDialogTemplate Modal(int nId, int cx, int cy, const char* pszTitle, std::vector<SControlTemplate> controls)
{
    return {nId, cx, cy, pszTitle, true, kFontFace, kPointSize, std::move(controls)};
}

SDialogTemplate AboutTemplate()
{
    using enum about::EControlId;
    return Modal(
        IDD_ABOUT, 262, 96, "About tarvex Pnl",
        {
            Text(IDC_ICON, "", {10, 10, 24, 22}),
            Text(IDC_STATIC, "tarvex Counter soft front panel", {44, 10, 208, 8}),
            Text(IDC_STATIC, "VERSION: A.02.02", {44, 22, 208, 8}),
            Text(IDC_STATIC, "VXI Plug && Play Driver revision required: A.01.00 or greater",
                 {44, 38, 208, 8}),
            Text(IDC_STATIC, "Tarvex firmware revison date code required: 3401 or greater", {44, 50, 208, 8}),
            Text(IDC_STATIC, "KSL version required: 3.0 or greater", {44, 62, 208, 8}),
            DefaultButton(IDOK, "OK", {106, 76, 50, 14}),
        });
}

SDialogTemplate MeasureTemplate()
{
    using enum measure::EControlId;
    return Panel(IDD_MEASURE, 145, 201,
                 {
                     Frame(IDC_HEADER, {4, 4, 136, 56}),
                     Text(IDC_LOGO_MARK, "", {8, 8, 56, 20}, CS_HIDDEN),
                     Text(IDC_EMBLEM_MARK, "", {84, 8, 39, 32}, CS_HIDDEN),
                     Text(IDC_NAME_MARK, "Tarvex Counter", {52, 36, 44, 16}, CS_HIDDEN),
                     Text(IDC_SLOT_MARK, "Slot:", {8, 43, 16, 9}, CS_HIDDEN),
                     OwnerDrawn(IDC_SLOT, "", {28, 41, 18, 12}),
                     OwnerDrawn(IDC_INDICATOR, "", {104, 44, 16, 13}),
                     Frame(IDC_LOWER_FRAME, {4, 64, 136, 128}),
                     Group("Channel", {8, 66, 120, 23}),
                     Radio(IDC_CHANNEL_1, "1", {16, 78, 24, 8}, kFirstRadio),
                     Radio(IDC_CHANNEL_2, "2", {52, 78, 24, 8}),
                     Radio(IDC_CHANNEL_3, "3", {88, 78, 20, 8}),
                     OwnerDrawn(IDC_READING, "?", {8, 92, 102, 16}, CS_GROUP | CS_TABSTOP),
                     OwnerDrawn(IDC_UNITS, "", {110, 92, 24, 16}),
                     RightText("Function:", {8, 114, 32, 8}),
                     Combo(IDC_FUNCTION, EControlKind::DropDownCombo, {44, 112, 60, 55}, CS_NONE),
                     Button(IDC_SEND_CONFIG, "Send Config", {8, 128, 60, 12}),
                     Button(IDC_READ, "Read", {75, 128, 60, 12}),
                     Button(IDC_START_IMM, "Start IMM", {8, 144, 60, 12}),
                     Button(IDC_STOP_IMM, "Stop IMM", {75, 144, 60, 12}),
                     Button(IDC_EXPECTED, "Expected value...", {8, 160, 60, 12}),
                     Button(IDC_RESOLUTION, "Resolution...", {76, 160, 60, 12}),
                     Button(IDC_LOWER_REF, "Lower Ref...", {8, 176, 60, 12}),
                     Button(IDC_UPPER_REF, "Upper Ref...", {72, 176, 60, 12}),
                     Button(IDC_INITIATE, "Initiate IMM", {16, 176, 60, 12}, CS_HIDDEN),
                     Button(IDC_FETCH, "Fetch", {84, 176, 28, 12}, CS_HIDDEN | CS_DISABLED),
                 });
}

SDialogTemplate InputConfigTemplate()
{
    using enum input_config::EControlId;
    return Panel(IDD_INPUT_CONFIG, 145, 181,
                 {
                     OwnerDrawn(IDC_CHANNEL, "Channel", {60, 20, 40, 16}, CS_TABSTOP),
                     OwnerDrawn(IDC_ATTENUATION, "Button2", {60, 60, 40, 12}, CS_TABSTOP),
                     OwnerDrawn(IDC_COUPLING, "Button3", {60, 84, 40, 12}, CS_TABSTOP),
                     OwnerDrawn(IDC_IMPEDANCE, "Button4", {60, 112, 40, 12}, CS_TABSTOP),
                     OwnerDrawn(IDC_ROUTING, "Button5", {60, 140, 40, 12}, CS_TABSTOP),
                     Frame(IDC_FRAME, {3, 3, 130, 173}),
                     RightText("Attenuation:", {12, 62, 45, 8}),
                     RightText("Coupling:", {16, 87, 38, 8}),
                     RightText("Impedance:", {16, 114, 40, 8}),
                     RightText("Routing:", {20, 142, 36, 8}),
                 });
}

SDialogTemplate EventTrigTemplate()
{
    using enum event_trig::EControlId;
    return Panel(IDD_EVENT_TRIG, 145, 193,
                 {
                     Group("Auto Trig", {8, 12, 37, 64}),
                     Radio(IDC_AUTO_OFF, "OFF", {12, 28, 28, 10}, kFirstRadio),
                     Radio(IDC_AUTO_ON, "ON", {12, 44, 28, 10}),
                     Button(IDC_ONCE, "Once", {12, 60, 26, 12}, CS_GROUP),
                     Group("Hyst", {48, 12, 36, 64}),
                     Radio(IDC_HYST_MIN, "MIN", {52, 28, 28, 10}, kFirstRadio),
                     Radio(IDC_HYST_MAX, "MAX", {52, 44, 28, 10}),
                     Radio(IDC_HYST_DEF, "DEF", {52, 60, 28, 10}),
                     OwnerDrawn(IDC_CHANNEL, "Channel", {88, 16, 45, 12}, CS_GROUP | CS_TABSTOP),
                     OwnerDrawn(IDC_SLOPE, "Pos Slope", {88, 36, 45, 12}, CS_TABSTOP),
                     Button(IDC_QUERY, "Query", {88, 56, 45, 12}),
                     Group("REL TRIG ", {8, 80, 124, 44}),
                     Text(IDC_STATIC, "10 to 90 or MIN,MAX, DEF", {12, 92, 88, 8}, CS_HINT),
                     Edit(IDC_REL_LEVEL, {12, 104, 68, 13}),
                     Button(IDC_SEND_REL, "Send REL", {84, 104, 36, 12}, CS_DISABLED),
                     Group("Trig LEV ", {8, 128, 124, 56}),
                     Text(IDC_STATIC, "(-10.2375 to 10.2375 or MIN,MAX,DEF)", {12, 140, 116, 20}, CS_HINT),
                     Edit(IDC_TRIG_LEVEL, {12, 168, 68, 13}),
                     Button(IDC_SEND_LEV, "Send Lev", {84, 168, 36, 12}, CS_DISABLED),
                     Frame(IDC_FRAME, {4, 4, 132, 184}),
                 });
}

SDialogTemplate ValueEntryTemplate()
{
    using enum value_entry::EControlId;
    return Modal(IDD_VALUE_ENTRY, 216, 103, "",
                 {
                     Text(IDC_PROMPT, "", {4, 8, 188, 9}),
                     Edit(IDC_VALUE, {4, 24, 208, 13}),
                     Combo(IDC_HIDDEN_COMBO, EControlKind::DropDownCombo, {40, 32, 116, 12}, CS_SORTED),
                     Group("Discretes", {4, 44, 208, 32}, IDC_DISCRETES),
                     Radio(IDC_MIN, "MIN", {8, 60, 44, 10}, kFirstRadio),
                     Radio(IDC_MAX, "MAX", {56, 60, 44, 10}),
                     Radio(IDC_DEF, "DEF", {104, 60, 48, 11}),
                     Radio(IDC_AUTO, "AUTO", {156, 60, 48, 10}),
                     DefaultButton(IDOK, "OK", {72, 80, 32, 16}, CS_GROUP),
                     Button(IDCANCEL, "Cancel", {112, 80, 32, 16}),
                 });
}

SDialogTemplate ArmTemplate()
{
    using enum arm::EControlId;
    return Panel(IDD_ARM, 145, 193,
                 {
                     Group("Start", {8, 8, 60, 152}),
                     Text(IDC_STATIC, "Source", {12, 20, 30, 8}),
                     Combo(IDC_START_SOURCE, EControlKind::DropDownList, {12, 32, 52, 52}, CS_VSCROLL,
                           ArmSourceItems()),
                     Group("Level", {12, 48, 52, 72}),
                     Radio(IDC_START_MIN, "MIN", {24, 60, 32, 8}, kFirstRadio),
                     Radio(IDC_START_MAX, "MAX ", {24, 80, 36, 8}),
                     Radio(IDC_START_DEF, "DEF", {24, 96, 32, 10}),
                     OwnerDrawn(IDC_START_SLOPE, "Slope +", {20, 128, 32, 12}, CS_GROUP | CS_TABSTOP),
                     Group("Stop", {72, 8, 60, 152}),
                     Text(IDC_STATIC, "Source:", {80, 20, 30, 8}),
                     Combo(IDC_STOP_SOURCE, EControlKind::DropDownList, {80, 32, 48, 48}, CS_VSCROLL,
                           ArmSourceItems()),
                     Group("Level", {76, 48, 52, 72}),
                     Radio(IDC_STOP_MIN, "MIN", {88, 60, 32, 8}, kFirstRadio),
                     Radio(IDC_STOP_MAX, "MAX", {88, 80, 36, 8}),
                     Radio(IDC_STOP_DEF, "DEF", {88, 96, 32, 11}),
                     OwnerDrawn(IDC_STOP_SLOPE, "Slope +", {84, 128, 32, 12}, CS_GROUP | CS_TABSTOP),
                     Frame(IDC_FRAME, {4, 4, 133, 184}),
                 });
}

SDialogTemplate MiscTemplate()
{
    using enum misc::EControlId;
    return Panel(IDD_MISC, 145, 193,
                 {
                     Frame(IDC_FRAME, {3, 3, 130, 185}),
                     Button(IDC_TRIGGER, "Trigger", {8, 32, 48, 12}),
                     Button(IDC_MEAS_TIMEOUT, "Meas Timeout...", {68, 32, 56, 12}),
                     Button(IDC_APERTURE, "Aperture...", {8, 60, 48, 12}),
                     Button(IDC_MEAS_ABORT, "MEAS Abort", {68, 60, 48, 12}),
                     Button(IDC_FREQ_RANGE, "Freq Range...", {8, 96, 48, 12}),
                     Group("Rosc Source", {8, 124, 120, 44}),
                     Radio(IDC_ROSC_INT, "Internal", {12, 144, 34, 10}, kFirstRadio),
                     Radio(IDC_ROSC_EXT, "Ext", {56, 144, 24, 11}),
                     Radio(IDC_ROSC_CLK10, "CLK10", {88, 144, 35, 10}),
                 });
}

SDialogTemplate OutputConfigTemplate()
{
    using enum output_config::EControlId;
    return Panel(IDD_OUTPUT_CONFIG, 145, 189,
                 {
                     Frame(IDC_FRAME, {3, 3, 130, 185}),
                     Group("Gate Out", {8, 8, 120, 60}),
                     CheckBox(IDC_TRIGGER_LINE, "TTLTrg 0", {16, 28, 52, 9}),
                     OwnerDrawn(IDC_TIMEBASE, "INT TBASE Output off", {8, 112, 108, 12}, CS_TABSTOP),
                 });
}

SDialogTemplate SelectInstrumentTemplate()
{
    using enum select_instrument::EControlId;
    return Modal(
        IDD_SELECT_INSTRUMENT, 186, 92, "Select Instrument",
        {
            Text(IDC_STATIC, "Pick the instrument from the selection below:", {4, 12, 176, 8}),
            Combo(IDC_RESOURCES, EControlKind::DropDownList, {4, 28, 176, 40}, CS_SORTED | CS_VSCROLL),
            DefaultButton(IDOK, "OK", {16, 64, 50, 14}),
            Button(IDCANCEL, "Cancel", {100, 64, 50, 14}),
        });
}

SDialogTemplate ReferenceTemplate()
{
    using enum reference::EControlId;
    return Modal(IDD_REFERENCE, 186, 92, "Reference ",
                 {
                     Text(IDC_STATIC,
                          "Enter a Voltage number between -10.2375V and 10.2375V, note the 'V', OR enter a "
                          "percentage between 10 and 90 (no suffix)",
                          {8, 8, 164, 28}),
                     Edit(IDC_REFERENCE, {8, 40, 164, 13}),
                     DefaultButton(IDOK, "OK", {36, 64, 50, 14}),
                     Button(IDCANCEL, "Cancel", {104, 64, 50, 14}),
                 });
}

// Built once, in id order, and kept for the program's lifetime: dialogs hold references into it.
const std::vector<SDialogTemplate>& Templates()
{
    static const std::vector<SDialogTemplate> templates{
        AboutTemplate(),     MeasureTemplate(),      InputConfigTemplate(),
        EventTrigTemplate(), ValueEntryTemplate(),   ArmTemplate(),
        MiscTemplate(),      OutputConfigTemplate(), SelectInstrumentTemplate(),
        ReferenceTemplate(),
    };
    return templates;
}
} // namespace

const SDialogTemplate* FindDialogTemplate(int nId)
{
    const auto& templates = Templates();
    const auto it = std::ranges::find(templates, nId, &SDialogTemplate::nId);
    return it != templates.end() ? &*it : nullptr;
}

const std::vector<const SDialogTemplate*>& AllDialogTemplates()
{
    static const std::vector<const SDialogTemplate*> all = []
    {
        std::vector<const SDialogTemplate*> pointers;
        for (const auto& dialogTemplate : Templates())
            pointers.push_back(&dialogTemplate);
        return pointers;
    }();
    return all;
}
} // namespace res
