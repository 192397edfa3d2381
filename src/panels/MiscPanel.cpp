#include "MiscPanel.h"

#include "PanelText.h"

#include "controls/PanelFrame.h"
#include "dialogs/ValueEntryDlg.h"
#include "instrument/InstrumentSession.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cstdint>

namespace
{
using enum CMiscDlg::EControlId;

// Frequency range and oscillator source belong to the instrument as a whole; they are set on channel 1.
constexpr int kInstrumentChannel = 1;

// A reference oscillator source radio and the source it stands for.
struct SRoscRadio
{
    int nCtrlId;
    const char* pszSource;
};

constexpr std::array kRoscRadios{
    SRoscRadio{IDC_ROSC_INT, "INT"},
    SRoscRadio{IDC_ROSC_EXT, "EXT"},
    SRoscRadio{IDC_ROSC_CLK10, "CLK10"},
};

CValueEntryLimits Limits(double dMin, double dMax, const char* pszUnits, std::uint8_t nDiscretes)
{
    CValueEntryLimits limits;
    limits.m_dMin = dMin;
    limits.m_dMax = dMax;
    limits.m_strUnits = pszUnits;
    limits.m_bRange = true;
    limits.m_nDiscretes = nDiscretes;
    return limits;
}

constexpr std::uint8_t kLevelDiscretes =
    CValueEntryLimits::DISCRETE_MIN | CValueEntryLimits::DISCRETE_MAX | CValueEntryLimits::DISCRETE_DEF;
constexpr std::uint8_t kAllDiscretes = kLevelDiscretes | CValueEntryLimits::DISCRETE_AUTO;

// The entry dialogs that start empty show one blank.
const std::string kBlankValue = " ";
} // namespace

CMiscController::CMiscController(const CPanelContext& context, IMeasurement& measurement)
    : CPanelController(context), m_measurement(measurement)
{
}

void CMiscController::CreatePanel(const QPoint& position)
{
    m_pPanel = new CMiscDlg(position, this);
}

void CMiscController::Refresh(CDialog* pPanel)
{
    RefreshReportingFailure<CMiscDlg>(
        pPanel, [](CMiscDlg& dialog) { dialog.ReadInstrument(); });
}

const SMessageEntry<CMiscDlg> CMiscDlg::s_messageMap[] = {
    {BN_CLICKED, IDC_TRIGGER, &CMiscDlg::OnTrigger},
    {BN_CLICKED, IDC_MEAS_ABORT, &CMiscDlg::OnMeasAbort},
    {BN_CLICKED, IDC_ROSC_INT, &CMiscDlg::OnRoscSource<IDC_ROSC_INT>},
    {BN_CLICKED, IDC_ROSC_EXT, &CMiscDlg::OnRoscSource<IDC_ROSC_EXT>},
    {BN_CLICKED, IDC_ROSC_CLK10, &CMiscDlg::OnRoscSource<IDC_ROSC_CLK10>},
    {BN_CLICKED, IDC_APERTURE, &CMiscDlg::OnAperture},
    {BN_CLICKED, IDC_FREQ_RANGE, &CMiscDlg::OnFreqRange},
    {BN_CLICKED, IDC_MEAS_TIMEOUT, &CMiscDlg::OnMeasTimeout},
};

CMiscDlg::CMiscDlg(const QPoint& position, CMiscController* pController)
    : CPanelDialog(position, pController), m_pFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED))
{
    Create(*res::FindDialogTemplate(res::IDD_MISC));
}

CMiscDlg::~CMiscDlg() = default;

IMeasurement& CMiscDlg::Measurement() const
{
    return static_cast<CMiscController&>(*m_pController).Measurement();
}

void CMiscDlg::OnInitDialog()
{
    m_controls.Bind<CMiscDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_FRAME, m_pFrame.get());
    ResizeFrame();
    m_pController->Refresh(this);
    PlaceAtPosition();
}

// Only the three exact source texts check a radio; any other answer leaves the radios as they are.
void CMiscDlg::ReadInstrument()
{
    m_controls.Enable(IDC_TRIGGER, Measurement().IsCycleRunning());
    const std::string source = Session().QuerySense(kInstrumentChannel, ESenseSelector::ReferenceOscillator);
    const auto it =
        std::ranges::find_if(kRoscRadios, [&](const SRoscRadio& radio) { return source == radio.pszSource; });
    if (it != kRoscRadios.end())
        m_controls.CheckRadioButton(IDC_ROSC_INT, IDC_ROSC_CLK10, it->nCtrlId);
}

// The bus trigger for a cycle armed by BUS. A failure is reported, and the device cleared after it.
void CMiscDlg::OnTrigger()
{
    if (!Context().CallReportingFailure([this] { Session().Trigger(); }))
        Session().DeviceClear();
}

// Ends the Measure panel's cycle; a failed step leaves the steps after it undone.
void CMiscDlg::OnMeasAbort()
{
    IMeasurement& measurement = Measurement();
    Session().Abort(measurement.GetChannelNumber());
    measurement.EndCycle();
    m_controls.Enable(IDC_TRIGGER, false);
    Session().ClearStatus();
}

// The radio has checked itself; its source is sent.
template <int nCtrlId> void CMiscDlg::OnRoscSource()
{
    const SRoscRadio& radio = *std::ranges::find(kRoscRadios, nCtrlId, &SRoscRadio::nCtrlId);
    Session().SetSense(kInstrumentChannel, ESenseSelector::ReferenceOscillator, radio.pszSource);
}

// The aperture of the Measure panel's channel, starting from the instrument's present value.
void CMiscDlg::OnAperture()
{
    const int nChannel = Measurement().GetChannelNumber();
    const std::string present = Session().QuerySense(nChannel, ESenseSelector::Aperture);
    if (const auto value = AskValue(present, Limits(0.001, 99.999, "", kLevelDiscretes), "RANGE"))
        Session().SetSense(nChannel, ESenseSelector::Aperture, *value);
}

// "AUTO" switches the automatic frequency range on; anything else is a range.
void CMiscDlg::OnFreqRange()
{
    const auto value = AskValue(kBlankValue, Limits(0.001, 200000000.0, "", kAllDiscretes), "RANGE");
    if (!value)
        return;
    if (*value == "AUTO")
        Session().SetSense(kInstrumentChannel, ESenseSelector::FrequencyRangeAuto, "ON");
    else
        Session().SetSense(kInstrumentChannel, ESenseSelector::FrequencyRange, *value);
}

// The number the entry accepted (0 to 500000), cut to whole milliseconds: "1e3" is 1000 ms, "250.7" 250 ms.
void CMiscDlg::OnMeasTimeout()
{
    if (const auto value = AskValue(kBlankValue, Limits(0.0, 500000.0, " Milli Seconds", 0), "TIMEOUT RANGE"))
        Session().SetTimeout(static_cast<int32_t>(LeadingDouble(*value)));
}

std::optional<std::string> CMiscDlg::AskValue(const std::string& initial, const CValueEntryLimits& limits,
                                              const char* pszTitle)
{
    CValueEntryDlg entry(initial, limits, pszTitle, this);
    if (entry.DoModal() == IDCANCEL)
        return std::nullopt;
    return entry.m_strValue;
}
