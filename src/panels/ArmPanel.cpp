#include "ArmPanel.h"

#include "PanelText.h"

#include "controls/PanelFrame.h"
#include "controls/ToggleButton.h"
#include "instrument/InstrumentSession.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace
{
using enum CArmDlg::EControlId;

// Indexed by EArmLevel.
constexpr std::array<const char*, 3> kLevelKeywords{"MIN", "MAX", "DEF"};

constexpr StateTexts kSlopeTexts{"POS", "NEG"};

// The levels the instrument reports for MIN, DEF and MAX.
constexpr double kMinLevel = -1.3;
constexpr double kDefLevel = 0.0;
constexpr double kMaxLevel = 1.6;

// One arm's controls and the session's arm selectors for its settings.
struct SArm
{
    int nSourceId;
    int nSlopeId;
    int nFirstLevelId; // the MIN radio; MAX and DEF follow it
    EArmSelector eSourceSelector;
    EArmSelector eSlopeSelector;
    EArmSelector eLevelSelector;
};

constexpr std::array<SArm, 2> kArms{{
    {IDC_START_SOURCE, IDC_START_SLOPE, IDC_START_MIN, EArmSelector::StartSource, EArmSelector::StartSlope,
     EArmSelector::StartLevel},
    {IDC_STOP_SOURCE, IDC_STOP_SLOPE, IDC_STOP_MIN, EArmSelector::StopSource, EArmSelector::StopSlope,
     EArmSelector::StopLevel},
}};

// The ten setting controls that the lock disables.
constexpr std::array kSettingIds{IDC_STOP_MIN,   IDC_STOP_MAX,   IDC_STOP_DEF,    IDC_START_MIN,
                                 IDC_START_MAX,  IDC_START_DEF,  IDC_STOP_SOURCE, IDC_START_SOURCE,
                                 IDC_STOP_SLOPE, IDC_START_SLOPE};
} // namespace

EArmLevel ArmLevelOfReply(const std::string& reply)
{
    const double dLevel = LeadingDouble(reply);
    if (dLevel == kMaxLevel)
        return ARM_LEVEL_MAX;
    if (dLevel == kDefLevel)
        return ARM_LEVEL_DEF;
    if (dLevel == kMinLevel)
        return ARM_LEVEL_MIN;
    return ARM_LEVEL_NONE;
}

const char* ArmSourceText(int nIndex)
{
    return nIndex >= 0 && nIndex < static_cast<int>(res::kArmSources.size()) ? res::kArmSources[nIndex]
                                                                             : nullptr;
}

CArmController::CArmController(const CPanelContext& context, const IMeasurement& measurement)
    : CPanelController(context), m_measurement(measurement)
{
}

// A measurement cycle on the Measure panel's channel, or Auto Update Mode, uses the arm settings.
bool CArmController::IsMeasurementRunning() const
{
    return m_measurement.IsCycleRunning() || m_context.Frame().IsAutoUpdateOn();
}

void CArmController::CreatePanel(const QPoint& position)
{
    m_pPanel = new CArmDlg(position, this);
}

// While the settings are in use the panel is locked and the instrument is not read.
void CArmController::Refresh(CDialog* pPanel)
{
    RefreshReportingFailure<CArmDlg>(
        pPanel,
        [this](CArmDlg& dialog)
        {
            if (IsMeasurementRunning())
                dialog.LockSettings();
            else
                dialog.ReadInstrument();
        });
}

// A double click on a slope toggle is a second click: it flips the toggle again and sends again.
const SMessageEntry<CArmDlg> CArmDlg::s_messageMap[] = {
    {CBN_SELCHANGE, IDC_START_SOURCE, &CArmDlg::OnSource<ARM_START>},
    {CBN_SELCHANGE, IDC_STOP_SOURCE, &CArmDlg::OnSource<ARM_STOP>},
    {BN_CLICKED, IDC_START_SLOPE, &CArmDlg::OnSlope<ARM_START>},
    {BN_DOUBLECLICKED, IDC_START_SLOPE, &CArmDlg::OnSlope<ARM_START>},
    {BN_CLICKED, IDC_STOP_SLOPE, &CArmDlg::OnSlope<ARM_STOP>},
    {BN_DOUBLECLICKED, IDC_STOP_SLOPE, &CArmDlg::OnSlope<ARM_STOP>},
    {BN_CLICKED, IDC_START_MIN, &CArmDlg::OnLevel<ARM_START, ARM_LEVEL_MIN>},
    {BN_CLICKED, IDC_START_MAX, &CArmDlg::OnLevel<ARM_START, ARM_LEVEL_MAX>},
    {BN_CLICKED, IDC_START_DEF, &CArmDlg::OnLevel<ARM_START, ARM_LEVEL_DEF>},
    {BN_CLICKED, IDC_STOP_MIN, &CArmDlg::OnLevel<ARM_STOP, ARM_LEVEL_MIN>},
    {BN_CLICKED, IDC_STOP_MAX, &CArmDlg::OnLevel<ARM_STOP, ARM_LEVEL_MAX>},
    {BN_CLICKED, IDC_STOP_DEF, &CArmDlg::OnLevel<ARM_STOP, ARM_LEVEL_DEF>},
};

CArmDlg::CArmDlg(const QPoint& position, CArmController* pController)
    : CPanelDialog(position, pController), m_pFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED)),
      m_apSlopes{std::make_unique<CToggleButton>(res::IDS_ARM_SLOPE_POS, res::IDS_ARM_SLOPE_NEG),
                 std::make_unique<CToggleButton>(res::IDS_ARM_SLOPE_POS, res::IDS_ARM_SLOPE_NEG)}
{
    Create(*res::FindDialogTemplate(res::IDD_ARM));
}

CArmDlg::~CArmDlg() = default;

void CArmDlg::OnInitDialog()
{
    m_controls.Bind<CArmDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_FRAME, m_pFrame.get());
    m_controls.Subclass(IDC_START_SLOPE, m_apSlopes[ARM_START].get());
    m_controls.Subclass(IDC_STOP_SLOPE, m_apSlopes[ARM_STOP].get());
    ResizeFrame();
    m_pController->Refresh(this);
    PlaceAtPosition();
}

void CArmDlg::LockSettings()
{
    for (const int nId : kSettingIds)
        m_controls.Enable(nId, false);
}

void CArmDlg::ReadInstrument()
{
    for (const int nArm : {ARM_START, ARM_STOP})
        ShowSource(nArm);
    for (const int nArm : {ARM_START, ARM_STOP})
        ShowSlope(nArm);
    for (const int nArm : {ARM_START, ARM_STOP})
        ShowLevel(nArm);
}

// The first item that begins with the reply, ignoring case; with none the selection stays.
void CArmDlg::ShowSource(int nArm)
{
    const SArm& arm = kArms[nArm];
    const int nIndex = m_controls.FindString(arm.nSourceId, -1, Session().QueryArm(arm.eSourceSelector));
    if (nIndex >= 0)
        m_controls.SetCurSel(arm.nSourceId, nIndex);
}

// Only exactly "POS" shows the positive slope.
void CArmDlg::ShowSlope(int nArm)
{
    m_apSlopes[nArm]->SetState(Session().QueryArm(kArms[nArm].eSlopeSelector) == "POS" ? 0 : 1);
}

// A reply that names no level leaves the radios as they are.
void CArmDlg::ShowLevel(int nArm)
{
    const SArm& arm = kArms[nArm];
    const EArmLevel level = ArmLevelOfReply(Session().QueryArm(arm.eLevelSelector));
    if (level != ARM_LEVEL_NONE)
        m_controls.CheckRadioButton(arm.nFirstLevelId, arm.nFirstLevelId + ARM_LEVEL_DEF,
                                    arm.nFirstLevelId + level);
}

template <int nArm> void CArmDlg::OnSource()
{
    const SArm& arm = kArms[nArm];
    if (const char* pszSource = ArmSourceText(m_controls.GetCurSel(arm.nSourceId)))
        Session().SetArm(arm.eSourceSelector, pszSource);
}

// The toggle has flipped already; its new state is sent.
template <int nArm> void CArmDlg::OnSlope()
{
    Session().SetArm(kArms[nArm].eSlopeSelector, StateText(kSlopeTexts, m_apSlopes[nArm]->GetState()));
}

// The radio has checked itself. Setting one arm's level may move the other's, so the other is re-read.
template <int nArm, int nLevel> void CArmDlg::OnLevel()
{
    Session().SetArm(kArms[nArm].eLevelSelector, kLevelKeywords[nLevel]);
    ShowLevel(nArm == ARM_START ? ARM_STOP : ARM_START);
}
