#include "EventTrigPanel.h"

#include "PanelText.h"

#include "controls/PanelFrame.h"
#include "controls/ToggleButton.h"
#include "instrument/InstrumentSession.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace
{
using enum CEventTrigDlg::EControlId;

constexpr StateTexts kSlopeTexts{"POS", "NEG"};

// A radio button that sends its keyword for one sense selector when clicked.
struct SSenseRadio
{
    int nCtrlId;
    ESenseSelector eSelector;
    const char* pszKeyword;
};

constexpr std::array kSenseRadios{
    SSenseRadio{IDC_AUTO_OFF, ESenseSelector::AutoTrigger, "OFF"},
    SSenseRadio{IDC_AUTO_ON, ESenseSelector::AutoTrigger, "ON"},
    SSenseRadio{IDC_HYST_MIN, ESenseSelector::Hysteresis, "MIN"},
    SSenseRadio{IDC_HYST_MAX, ESenseSelector::Hysteresis, "MAX"},
    SSenseRadio{IDC_HYST_DEF, ESenseSelector::Hysteresis, "DEF"},
};

// A level edit with its Send button, the selector it sets and the rule its text must pass.
struct SLevelEdit
{
    int nEditId;
    int nSendId;
    ESenseSelector eSelector;
    bool (*pfnAcceptable)(const std::string& text);
};

constexpr std::array kLevelEdits{
    SLevelEdit{IDC_TRIG_LEVEL, IDC_SEND_LEV, ESenseSelector::TriggerLevel, IsTriggerLevelAcceptable},
    SLevelEdit{IDC_REL_LEVEL, IDC_SEND_REL, ESenseSelector::RelativeTriggerLevel, IsRelativeLevelAcceptable},
};

const SLevelEdit& LevelEdit(int nEditId)
{
    return *std::ranges::find(kLevelEdits, nEditId, &SLevelEdit::nEditId);
}
} // namespace

void CEventTrigController::CreatePanel(const QPoint& position)
{
    m_pPanel = new CEventTrigDlg(position, this);
}

void CEventTrigController::Refresh(CDialog* pPanel)
{
    RefreshReportingFailure<CEventTrigDlg>(
        pPanel, [this](CEventTrigDlg& dialog)
        { dialog.ReadInstrument(m_channels.Current(), m_context.Frame().IsAutoUpdateOn()); });
}

// A double click on a toggle is a second click: it flips the toggle again and acts again.
const SMessageEntry<CEventTrigDlg> CEventTrigDlg::s_messageMap[] = {
    {BN_CLICKED, IDC_CHANNEL, &CEventTrigDlg::OnChannel},
    {BN_DOUBLECLICKED, IDC_CHANNEL, &CEventTrigDlg::OnChannel},
    {BN_CLICKED, IDC_SLOPE, &CEventTrigDlg::OnSlope},
    {BN_DOUBLECLICKED, IDC_SLOPE, &CEventTrigDlg::OnSlope},
    {BN_CLICKED, IDC_AUTO_OFF, &CEventTrigDlg::OnSenseRadio<IDC_AUTO_OFF>},
    {BN_CLICKED, IDC_AUTO_ON, &CEventTrigDlg::OnSenseRadio<IDC_AUTO_ON>},
    {BN_CLICKED, IDC_ONCE, &CEventTrigDlg::OnOnce},
    {BN_CLICKED, IDC_HYST_MIN, &CEventTrigDlg::OnSenseRadio<IDC_HYST_MIN>},
    {BN_CLICKED, IDC_HYST_MAX, &CEventTrigDlg::OnSenseRadio<IDC_HYST_MAX>},
    {BN_CLICKED, IDC_HYST_DEF, &CEventTrigDlg::OnSenseRadio<IDC_HYST_DEF>},
    {BN_CLICKED, IDC_QUERY, &CEventTrigDlg::OnQuery},
    {BN_CLICKED, IDC_SEND_LEV, &CEventTrigDlg::OnSendLevel<IDC_TRIG_LEVEL>},
    {BN_CLICKED, IDC_SEND_REL, &CEventTrigDlg::OnSendLevel<IDC_REL_LEVEL>},
    {EN_CHANGE, IDC_TRIG_LEVEL, &CEventTrigDlg::OnLevelChange<IDC_TRIG_LEVEL>},
    {EN_CHANGE, IDC_REL_LEVEL, &CEventTrigDlg::OnLevelChange<IDC_REL_LEVEL>},
};

CEventTrigDlg::CEventTrigDlg(const QPoint& position, CEventTrigController* pController)
    : CPanelDialog(position, pController),
      m_pChannelToggle(std::make_unique<CToggleButton>(res::IDS_TRIG_CHANNEL_1, res::IDS_TRIG_CHANNEL_2)),
      m_pSlopeToggle(std::make_unique<CToggleButton>(res::IDS_TRIG_SLOPE_POS, res::IDS_TRIG_SLOPE_NEG)),
      m_pFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED))
{
    Create(*res::FindDialogTemplate(res::IDD_EVENT_TRIG));
}

CEventTrigDlg::~CEventTrigDlg() = default;

void CEventTrigDlg::OnInitDialog()
{
    m_controls.Bind<CEventTrigDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_CHANNEL, m_pChannelToggle.get());
    m_controls.Subclass(IDC_SLOPE, m_pSlopeToggle.get());
    m_controls.Subclass(IDC_FRAME, m_pFrame.get());
    ResizeFrame();
    m_pController->Refresh(this);
    PlaceAtPosition();
}

int CEventTrigDlg::Channel() const
{
    return static_cast<const CEventTrigController&>(*m_pController).m_channels.Current();
}

// Setting the level texts runs their checks, which set the Send buttons' enabling.
void CEventTrigDlg::ReadInstrument(int nChannel, bool bAutoUpdate)
{
    m_pChannelToggle->SetState(nChannel == 1 ? 0 : 1);
    m_controls.Enable(IDC_CHANNEL, !bAutoUpdate);
    m_pSlopeToggle->SetState(Session().QuerySense(nChannel, ESenseSelector::Slope) == "POS" ? 0 : 1);
    ShowAutoTrigger(Session().QuerySense(nChannel, ESenseSelector::AutoTrigger));
    ShowHysteresis(Session().QuerySense(nChannel, ESenseSelector::Hysteresis));
    m_controls.SetText(IDC_TRIG_LEVEL, Session().QuerySense(nChannel, ESenseSelector::TriggerLevel));
    m_controls.SetText(IDC_REL_LEVEL, Session().QuerySense(nChannel, ESenseSelector::RelativeTriggerLevel));
}

// A slope toggle showing NEG is left alone; one showing POS follows the instrument.
void CEventTrigDlg::UpdateFromInstrument()
{
    const int nChannel = Channel();
    if (m_pSlopeToggle->GetState() == 0 && Session().QuerySense(nChannel, ESenseSelector::Slope) != "POS")
        m_pSlopeToggle->SetState(1);
    ShowAutoTrigger(Session().QuerySense(nChannel, ESenseSelector::AutoTrigger));
    ShowHysteresis(Session().QuerySense(nChannel, ESenseSelector::Hysteresis));
}

// Any reply other than 1 or 0 leaves the radios as they are.
void CEventTrigDlg::ShowAutoTrigger(const std::string& reply)
{
    const int nOn = LeadingInteger(reply);
    if (nOn == 1)
        CheckRadio(IDC_AUTO_OFF, IDC_AUTO_ON, IDC_AUTO_ON);
    else if (nOn == 0)
        CheckRadio(IDC_AUTO_OFF, IDC_AUTO_ON, IDC_AUTO_OFF);
}

// Only the exact keywords check a radio; any other reply leaves the radios as they are.
void CEventTrigDlg::ShowHysteresis(const std::string& reply)
{
    for (const SSenseRadio& radio : kSenseRadios)
        if (radio.eSelector == ESenseSelector::Hysteresis && reply == radio.pszKeyword)
            CheckRadio(IDC_HYST_MIN, IDC_HYST_DEF, radio.nCtrlId);
}

void CEventTrigDlg::CheckRadio(int nFirstId, int nLastId, int nCheckId)
{
    if (!m_controls.IsChecked(nCheckId))
        m_controls.CheckRadioButton(nFirstId, nLastId, nCheckId);
}

void CEventTrigDlg::OnChannel()
{
    static_cast<CEventTrigController&>(*m_pController)
        .m_channels.SelectByToggleState(m_pChannelToggle->GetState());
    m_pController->Refresh(this);
}

// The toggle has flipped already; its new state is sent.
void CEventTrigDlg::OnSlope()
{
    Session().SetSense(Channel(), ESenseSelector::Slope, StateText(kSlopeTexts, m_pSlopeToggle->GetState()));
    UpdateFromInstrument();
}

// The radio has checked itself; only its keyword is sent.
template <int nCtrlId> void CEventTrigDlg::OnSenseRadio()
{
    const SSenseRadio& radio = *std::ranges::find(kSenseRadios, nCtrlId, &SSenseRadio::nCtrlId);
    Session().SetSense(Channel(), radio.eSelector, radio.pszKeyword);
}

// One automatic trigger; the instrument then says whether automatic triggering is on or off.
void CEventTrigDlg::OnOnce()
{
    const int nChannel = Channel();
    Session().SetSense(nChannel, ESenseSelector::AutoTrigger, "ONCE");
    ShowAutoTrigger(Session().QuerySense(nChannel, ESenseSelector::AutoTrigger));
}

// Replaces whatever was typed with the instrument's levels.
void CEventTrigDlg::OnQuery()
{
    const int nChannel = Channel();
    m_controls.SetText(IDC_TRIG_LEVEL, Session().QuerySense(nChannel, ESenseSelector::TriggerLevel));
    m_controls.SetText(IDC_REL_LEVEL, Session().QuerySense(nChannel, ESenseSelector::RelativeTriggerLevel));
}

// The edit's text goes exactly as typed.
template <int nEditId> void CEventTrigDlg::OnSendLevel()
{
    const SLevelEdit& edit = LevelEdit(nEditId);
    const std::string text = m_controls.Text(edit.nEditId, 255);
    if (!text.empty())
        Session().SetSense(Channel(), edit.eSelector, text);
    UpdateFromInstrument();
}

// Each time the text is acceptable, the Send button is enabled and the panel re-read.
template <int nEditId> void CEventTrigDlg::OnLevelChange()
{
    const SLevelEdit& edit = LevelEdit(nEditId);
    const bool bAcceptable = edit.pfnAcceptable(m_controls.Text(edit.nEditId, 255));
    m_controls.Enable(edit.nSendId, bAcceptable);
    if (bAcceptable)
        UpdateFromInstrument();
}
