#include "InputConfigPanel.h"

#include "controls/PanelFrame.h"
#include "controls/ToggleButton.h"
#include "instrument/InstrumentSession.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace
{
using enum CInputConfigDlg::EControlId;

// What the instrument's replies show: state 0 is the first caption of each toggle.
int AttenuationState(const std::string& reply)
{
    return LeadingInteger(reply) == 1 ? 0 : 1; // x1, else x10
}

int CouplingState(const std::string& reply)
{
    return reply == "DC" ? 0 : 1; // DC, else AC
}

int ImpedanceState(const std::string& reply)
{
    return LeadingDouble(reply) == 50.0 ? 0 : 1; // 50 ohm, else 1 M ohm
}

int RoutingState(const std::string& reply)
{
    return reply == "COMM" ? 1 : 0; // Common, else Separate
}
} // namespace

void CInputConfigController::CreatePanel(const QPoint& position)
{
    m_pPanel = new CInputConfigDlg(position, this);
}

void CInputConfigController::Refresh(CDialog* pPanel)
{
    RefreshReportingFailure<CInputConfigDlg>(
        pPanel, [this](CInputConfigDlg& dialog) { dialog.ReadInstrument(m_channels.Current()); });
}

const std::array<CInputConfigDlg::SSetting, 4> CInputConfigDlg::s_settings{{
    {IDC_ATTENUATION,
     EInputSelector::Attenuation,
     {"MIN", "MAX"},
     AttenuationState,
     false,
     &CInputConfigDlg::m_pAttenuation},
    {IDC_COUPLING,
     EInputSelector::Coupling,
     {"DC", "AC"},
     CouplingState,
     false,
     &CInputConfigDlg::m_pCoupling},
    {IDC_IMPEDANCE,
     EInputSelector::Impedance,
     {"MIN", "MAX"},
     ImpedanceState,
     false,
     &CInputConfigDlg::m_pImpedance},
    {IDC_ROUTING, EInputSelector::Routing, {"SEP", "COMM"}, RoutingState, true, &CInputConfigDlg::m_pRouting},
}};

// A double click on a toggle is a second click: it flips the toggle again and sends again.
const SMessageEntry<CInputConfigDlg> CInputConfigDlg::s_messageMap[] = {
    {BN_CLICKED, IDC_ATTENUATION, &CInputConfigDlg::OnSetting<IDC_ATTENUATION>},
    {BN_CLICKED, IDC_COUPLING, &CInputConfigDlg::OnSetting<IDC_COUPLING>},
    {BN_CLICKED, IDC_IMPEDANCE, &CInputConfigDlg::OnSetting<IDC_IMPEDANCE>},
    {BN_CLICKED, IDC_ROUTING, &CInputConfigDlg::OnSetting<IDC_ROUTING>},
    {BN_CLICKED, IDC_CHANNEL, &CInputConfigDlg::OnChannel},
    {BN_DOUBLECLICKED, IDC_ATTENUATION, &CInputConfigDlg::OnSetting<IDC_ATTENUATION>},
    {BN_DOUBLECLICKED, IDC_COUPLING, &CInputConfigDlg::OnSetting<IDC_COUPLING>},
    {BN_DOUBLECLICKED, IDC_IMPEDANCE, &CInputConfigDlg::OnSetting<IDC_IMPEDANCE>},
    {BN_DOUBLECLICKED, IDC_ROUTING, &CInputConfigDlg::OnSetting<IDC_ROUTING>},
    {BN_DOUBLECLICKED, IDC_CHANNEL, &CInputConfigDlg::OnChannel},
};

CInputConfigDlg::CInputConfigDlg(const QPoint& position, CInputConfigController* pController)
    : CPanelDialog(position, pController),
      m_pAttenuation(std::make_unique<CToggleButton>(res::IDS_X1, res::IDS_X10)),
      m_pImpedance(std::make_unique<CToggleButton>(res::IDS_50_OHM, res::IDS_1_M_OHM)),
      m_pCoupling(std::make_unique<CToggleButton>(res::IDS_DC, res::IDS_AC)),
      m_pRouting(std::make_unique<CToggleButton>(res::IDS_SEPARATE, res::IDS_COMMON)),
      m_pChannel(std::make_unique<CToggleButton>(res::IDS_INPUT_CHANNEL_1, res::IDS_INPUT_CHANNEL_2)),
      m_pFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED))
{
    Create(*res::FindDialogTemplate(res::IDD_INPUT_CONFIG));
}

CInputConfigDlg::~CInputConfigDlg() = default;

void CInputConfigDlg::OnInitDialog()
{
    m_controls.Bind<CInputConfigDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_FRAME, m_pFrame.get());
    m_controls.Subclass(IDC_ATTENUATION, m_pAttenuation.get());
    m_controls.Subclass(IDC_IMPEDANCE, m_pImpedance.get());
    m_controls.Subclass(IDC_COUPLING, m_pCoupling.get());
    m_controls.Subclass(IDC_ROUTING, m_pRouting.get());
    m_controls.Subclass(IDC_CHANNEL, m_pChannel.get());
    m_pController->Refresh(this);
    PlaceAtPosition();
    ResizeFrame();
}

CInputConfigController& CInputConfigDlg::Controller() const
{
    return static_cast<CInputConfigController&>(*m_pController);
}

void CInputConfigDlg::ReadInstrument(int nChannel)
{
    m_pChannel->SetState(nChannel == 1 ? 0 : 1);
    m_controls.Enable(IDC_ROUTING, nChannel == 1);
    CInstrumentSession& session = Session();
    for (const SSetting& setting : s_settings)
    {
        const int nQueried = setting.bChannel1Only ? 1 : nChannel;
        const std::string reply = session.QueryInput(nQueried, setting.eSelector);
        (this->*setting.pToggle)->SetState(setting.pfnStateOf(reply));
    }
}

// The toggle has flipped already: its state now shown is the one to send. A refused setting stays shown
// until the next refresh.
template <int nCtrlId> void CInputConfigDlg::OnSetting()
{
    const SSetting& setting = *std::ranges::find(s_settings, nCtrlId, &SSetting::nCtrlId);
    const int nState = (this->*setting.pToggle)->GetState();
    Context().CallReportingFailure(
        [&]
        {
            Session().SetInput(Controller().m_channels.Current(), setting.eSelector,
                               StateText(setting.sent, nState));
        });
}

// The new channel's settings are read at once; the routing of the inputs is only set on channel 1.
void CInputConfigDlg::OnChannel()
{
    Controller().m_channels.SelectByToggleState(m_pChannel->GetState());
    m_pController->Refresh(this);
}
