#include "OutputConfigPanel.h"

#include "PanelText.h"

#include "controls/PanelFrame.h"
#include "controls/ToggleButton.h"
#include "instrument/InstrumentSession.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace
{
using enum COutputConfigDlg::EControlId;

constexpr const char* kTriggerLine = "TTLT0";
constexpr const char* kTimebase = "ROSC";
constexpr StateTexts kOffOn{"OFF", "ON"};
} // namespace

void COutputConfigController::CreatePanel(const QPoint& position)
{
    m_pPanel = new COutputConfigDlg(position, this);
}

void COutputConfigController::Refresh(CDialog* pPanel)
{
    RefreshReportingFailure<COutputConfigDlg>(
        pPanel, [](COutputConfigDlg& dialog) { dialog.ReadInstrument(); });
}

// A double click on the toggle is a second click: it flips the toggle again and sends again.
const SMessageEntry<COutputConfigDlg> COutputConfigDlg::s_messageMap[] = {
    {BN_CLICKED, IDC_TRIGGER_LINE, &COutputConfigDlg::OnTriggerLine},
    {BN_CLICKED, IDC_TIMEBASE, &COutputConfigDlg::OnTimebase},
    {BN_DOUBLECLICKED, IDC_TIMEBASE, &COutputConfigDlg::OnTimebase},
};

COutputConfigDlg::COutputConfigDlg(const QPoint& position, COutputConfigController* pController)
    : CPanelDialog(position, pController), m_pFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED)),
      m_pTimebase(std::make_unique<CToggleButton>(res::IDS_TIMEBASE_OFF, res::IDS_TIMEBASE_ON))
{
    Create(*res::FindDialogTemplate(res::IDD_OUTPUT_CONFIG));
}

COutputConfigDlg::~COutputConfigDlg() = default;

void COutputConfigDlg::OnInitDialog()
{
    m_controls.Bind<COutputConfigDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_FRAME, m_pFrame.get());
    m_controls.Subclass(IDC_TIMEBASE, m_pTimebase.get());
    ResizeFrame();
    m_pController->Refresh(this);
    PlaceAtPosition();
}

void COutputConfigDlg::ReadInstrument()
{
    CInstrumentSession& session = Session();
    m_controls.SetCheck(IDC_TRIGGER_LINE, session.QueryOutput(kTriggerLine) == "1");
    m_pTimebase->SetState(session.QueryOutput(kTimebase) == "0" ? 0 : 1);
}

// The check box has changed its check already; the new check is sent.
void COutputConfigDlg::OnTriggerLine()
{
    Session().SetOutput(kTriggerLine, StateText(kOffOn, m_controls.IsChecked(IDC_TRIGGER_LINE)));
}

// The toggle has flipped already; its new state is sent.
void COutputConfigDlg::OnTimebase()
{
    Session().SetOutput(kTimebase, StateText(kOffOn, m_pTimebase->GetState()));
}
