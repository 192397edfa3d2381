#include "MeasurePanel.h"

#include "controls/PanelFrame.h"
#include "controls/ReadingDisplay.h"
#include "controls/RoundIndicator.h"
#include "dialogs/ReferenceDlg.h"
#include "dialogs/ValueEntryDlg.h"
#include "framework/DeviceContext.h"
#include "framework/base/LeadingNumber.h"
#include "instrument/InstrumentSession.h"
#include "readings/ReadingStream.h"
#include "res/Bitmaps.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QPainter>

namespace
{
// Indices of a function's four parameter texts.
enum EParam
{
    PARAM_EXPECTED = 0,
    PARAM_RESOLUTION = 1,
    PARAM_LOWER_REF = 2,
    PARAM_UPPER_REF = 3,
};

// Which parameter buttons a function shows.
enum EParamButtons
{
    BUTTONS_NONE,        // no parameters to enter
    BUTTONS_VALUES,      // Expected value and Resolution
    BUTTONS_REFERENCE,   // those and one reference ("Reference...")
    BUTTONS_LOWER_UPPER, // those and both references ("Lower Ref...", "Upper Ref...")
};

struct SRange
{
    double dMin;
    double dMax;
};

// The ranges the value entry offers for a function's expected value (channels 1, 2, 3) and resolution.
struct SFunctionLimits
{
    std::array<SRange, 3> expected;
    SRange resolution;
};

constexpr SFunctionLimits kFreqLimits{{{{0.001, 2e8}, {0.001, 1e8}, {9e7, 2.5e9}}}, {1e-9, 1e5}};
constexpr SFunctionLimits kPeriodLimits{{{{5e-9, 1000}, {1e-8, 1000}, {4e-10, 1.11111111e-8}}},
                                        {1e-18, 0.001}};
// The finest ratio resolution is taken as the smallest ratio the expected value admits.
constexpr SFunctionLimits kRatioLimits{{{{1e-10, 1e12}, {1e-10, 1e12}, {1e-10, 1e12}}}, {1e-10, 4000}};
constexpr SFunctionLimits kPulseLimits{{{{5e-9, 0.01}, {5e-9, 0.01}, {5e-9, 0.01}}}, {1e-10, 1e-7}};
constexpr SFunctionLimits kIntervalLimits{{{{1e-9, 1000}, {1e-9, 1000}, {1e-9, 1000}}}, {1e-10, 1e-7}};
constexpr SFunctionLimits kEdgeLimits{{{{1.5e-8, 0.03}, {1.5e-8, 0.03}, {1.5e-8, 0.03}}}, {1e-10, 0.001}};

struct SMeasureFunction
{
    int nLabelId; // string table
    EMeasureFunction eFunction;
    const char* pszUnits;
    const char* pszInitialExpected; // the expected-value text a channel starts with
    EParamButtons buttons;
    const SFunctionLimits* pLimits; // null where no value is entered
};

// The functions in list order: the list index is what a channel stores and the combo box shows.
constexpr auto kFunctions = std::to_array<SMeasureFunction>({
    {res::IDS_FREQ, EMeasureFunction::Frequency, "Hz", "AUTO", BUTTONS_VALUES, &kFreqLimits},
    {res::IDS_PERIOD, EMeasureFunction::Period, "Sec", "AUTO", BUTTONS_VALUES, &kPeriodLimits},
    {res::IDS_FREQ_RATIO, EMeasureFunction::FrequencyRatio, "   ", "DEF", BUTTONS_VALUES, &kRatioLimits},
    {res::IDS_PWIDTH, EMeasureFunction::PositiveWidth, "Sec", "AUTO", BUTTONS_REFERENCE, &kPulseLimits},
    {res::IDS_NWIDTH, EMeasureFunction::NegativeWidth, "Sec", "AUTO", BUTTONS_REFERENCE, &kPulseLimits},
    {res::IDS_AC_RMS, EMeasureFunction::AcVolts, "V", "AUTO", BUTTONS_NONE, nullptr},
    {res::IDS_DCV, EMeasureFunction::DcVolts, "V", "AUTO", BUTTONS_NONE, nullptr},
    {res::IDS_MIN_V, EMeasureFunction::MinVolts, "V", "AUTO", BUTTONS_NONE, nullptr},
    {res::IDS_MAX_V, EMeasureFunction::MaxVolts, "V", "AUTO", BUTTONS_NONE, nullptr},
    {res::IDS_TIME_INT, EMeasureFunction::TimeInterval, "Sec", "AUTO", BUTTONS_VALUES, &kIntervalLimits},
    {res::IDS_TOTALIZE, EMeasureFunction::Totalize, "Events", "AUTO", BUTTONS_NONE, nullptr},
    {res::IDS_RISE_TIME, EMeasureFunction::RiseTime, "Sec", "AUTO", BUTTONS_LOWER_UPPER, &kEdgeLimits},
    {res::IDS_FALL_TIME, EMeasureFunction::FallTime, "Sec", "AUTO", BUTTONS_LOWER_UPPER, &kEdgeLimits},
});

// The index of a function in the list.
constexpr int FunctionIndex(EMeasureFunction eFunction)
{
    int nIndex = 0;
    while (kFunctions[nIndex].eFunction != eFunction)
        ++nIndex;
    return nIndex;
}

constexpr int kTotalize = FunctionIndex(EMeasureFunction::Totalize);
constexpr std::uint8_t kOperationPending = 0x40;
constexpr const char* kNoUnits = "   ";

// How many functions, from the top of the list, each channel offers: channel 1 all of them, channel 2 those
// up to MAX V, channel 3 those up to FREQ Ratio.
constexpr std::array<int, 3> kFunctionsOffered{static_cast<int>(kFunctions.size()),
                                               FunctionIndex(EMeasureFunction::MaxVolts) + 1,
                                               FunctionIndex(EMeasureFunction::FrequencyRatio) + 1};

constexpr std::array<int, 3> kChannelIds{CMeasureDlg::IDC_CHANNEL_1, CMeasureDlg::IDC_CHANNEL_2,
                                         CMeasureDlg::IDC_CHANNEL_3};

// The controls a running cycle or continuous initiation locks, in the order they are switched.
constexpr std::array<int, 10> kLockedControls{CMeasureDlg::IDC_EXPECTED,    CMeasureDlg::IDC_RESOLUTION,
                                              CMeasureDlg::IDC_LOWER_REF,   CMeasureDlg::IDC_UPPER_REF,
                                              CMeasureDlg::IDC_SEND_CONFIG, CMeasureDlg::IDC_INITIATE,
                                              CMeasureDlg::IDC_CHANNEL_1,   CMeasureDlg::IDC_CHANNEL_2,
                                              CMeasureDlg::IDC_CHANNEL_3,   CMeasureDlg::IDC_FUNCTION};

constexpr int kReadingBlanks = 27;
constexpr COLORREF kDisplayBack = RGB(0x20, 0x20, 0x20);
constexpr COLORREF kDisplayText = RGB(0xFF, 0xFF, 0xFF);

int ChannelIndex(int nChannel)
{
    return nChannel - 1;
}

// The function f of a channel, when that channel offers it; null for anything else (no selection, or a
// function the instrument reports that the channel's list does not have), so no table is indexed with it.
const SMeasureFunction* OfferedFunction(int nFunction, int nChannel)
{
    if (nFunction < 0 || nFunction >= kFunctionsOffered[ChannelIndex(nChannel)])
        return nullptr;
    return &kFunctions[nFunction];
}

std::string Label(const SMeasureFunction& function)
{
    return res::LoadString(function.nLabelId);
}

// The first failure has been reported; the recovery steps after it are tried each on its own, so that a
// second failure cannot keep the panel from returning to a known state or report twice. True when the step
// succeeded.
template <class F> bool IgnoreFailure(F&& call)
{
    try
    {
        std::forward<F>(call)();
        return true;
    }
    catch (const CUserException&)
    {
        return false;
    }
}

void ClearDeviceAndStatus(CInstrumentSession& session)
{
    session.DeviceClear();
    IgnoreFailure([&] { session.ClearStatus(); });
}

void ClearDeviceAbortAndStatus(CInstrumentSession& session, int nChannel)
{
    session.DeviceClear();
    IgnoreFailure([&] { session.Abort(nChannel); });
    IgnoreFailure([&] { session.ClearStatus(); });
}
} // namespace

CMeasureChannel::CMeasureChannel(int nCtrlId) : m_nCtrlId(nCtrlId)
{
    for (const SMeasureFunction& function : kFunctions)
        m_aParams.push_back({function.pszInitialExpected, "DEF", "DEF", "DEF"});
}

CMeasureController::CMeasureController(const CPanelContext& context, readings::CReadingStream& readings,
                                       int nSlot)
    : CPanelController(context), m_readings(readings), m_nSlot(nSlot)
{
    for (std::size_t i = 0; i < m_apChannels.size(); ++i)
        m_apChannels[i] = std::make_unique<CMeasureChannel>(kChannelIds[i]);
    m_pChannel = m_apChannels[0].get();
}

CMeasureController::~CMeasureController() = default;

void CMeasureController::CreatePanel(const QPoint& position)
{
    m_pPanel = new CMeasureDlg(position, this);
}

int CMeasureController::GetChannelNumber() const
{
    switch (m_pChannel->m_nCtrlId)
    {
    case CMeasureDlg::IDC_CHANNEL_1:
        return 1;
    case CMeasureDlg::IDC_CHANNEL_2:
        return 2;
    default:
        return 3;
    }
}

bool CMeasureController::IsCycleRunning() const
{
    return m_pChannel->GetCycle() != CMeasureChannel::CYCLE_IDLE;
}

void CMeasureController::EndCycle()
{
    m_pChannel->SetCycle(CMeasureChannel::CYCLE_IDLE);
}

void CMeasureController::SelectChannel(int nIndex)
{
    m_pChannel = m_apChannels[nIndex].get();
    ClearReading();
}

void CMeasureController::ResetCycles()
{
    for (auto& pChannel : m_apChannels)
        pChannel->SetCycle(CMeasureChannel::CYCLE_IDLE);
}

void CMeasureController::TakeReading(const std::string& text)
{
    ShowInPlaceOfReading(text);
    PublishReading(text);
}

void CMeasureController::ShowInPlaceOfReading(const std::string& text)
{
    m_strReading = text;
    if (CMeasureDlg* pDialog = Dialog())
        pDialog->ShowReading(m_strReading);
}

void CMeasureController::ClearReading()
{
    ShowInPlaceOfReading(std::string(kReadingBlanks, ' '));
}

void CMeasureController::MeasurementFailed()
{
    ClearReading();
    PublishReading(std::string());
}

void CMeasureController::ReadBackAfterFailure()
{
    if (m_pPanel != nullptr)
        ReadPanel(m_pPanel, EReport::Nothing);
}

void CMeasureController::ShowNewestTotal()
{
    CMeasureDlg* pDialog = Dialog();
    if (pDialog == nullptr)
        return;
    const bool bNewTotal = pDialog->ReadingDisplay().GetText() != m_strReading;
    pDialog->ShowReading(m_strReading);
    if (bNewTotal)
        PublishReading(m_strReading);
}

void CMeasureController::ShowUnits(CMeasureDlg& dialog)
{
    const SMeasureFunction* pFunction = OfferedFunction(m_pChannel->m_nFunction, GetChannelNumber());
    m_strUnitText = pFunction != nullptr ? pFunction->pszUnits : kNoUnits;
    dialog.ShowUnitText(m_strUnitText);
}

// Also while another panel is shown: the reading is then kept for the display, and a log or trend fed
// from the stream does not depend on which panel the operator looks at.
void CMeasureController::PublishReading(const std::string& text)
{
    if (!m_readings.HasSubscribers())
        return;
    const int nChannel = GetChannelNumber();
    const SMeasureFunction* pFunction = OfferedFunction(m_pChannel->m_nFunction, nChannel);
    m_readings.Publish(nChannel, pFunction != nullptr ? std::optional(pFunction->eFunction) : std::nullopt,
                       pFunction != nullptr ? Label(*pFunction) : std::string(), text,
                       pFunction != nullptr ? pFunction->pszUnits : kNoUnits, m_context.IsLive());
}

CMeasureDlg* CMeasureController::Dialog() const
{
    return static_cast<CMeasureDlg*>(m_pPanel);
}

void CMeasureController::Refresh(CDialog* pPanel)
{
    ReadPanel(pPanel, EReport::Failure);
}

void CMeasureController::ReadPanel(CDialog* pPanel, EReport eReport)
{
    m_bRefreshFailed = false;
    if (pPanel == nullptr)
        return;
    auto& dialog = static_cast<CMeasureDlg&>(*pPanel);
    dialog.ShowReading(m_strReading);
    dialog.ShowUnitText(m_strUnitText);
    const auto readInstrument = [&]
    {
        if (m_bFirstRefresh)
            RestorePowerOnSetup(dialog);
        ReadInstrument(dialog, GetChannelNumber());
    };
    const bool bRead = eReport == EReport::Failure ? m_context.CallReportingFailure(readInstrument)
                                                   : IgnoreFailure(readInstrument);
    if (!bRead)
    {
        ClearDeviceAndStatus(Session());
        m_bRefreshFailed = true;
        // The locks follow the cycle, which the panel knows without the instrument: with none running they
        // go, so a failing instrument does not leave the panel locked.
        if (!IsCycleRunning() && !m_pChannel->m_bContinuous)
            dialog.UnlockControls();
    }
}

// After start-up and System Reset: channel 1 measuring frequency with automatic expected value and
// default resolution, Auto Update Mode off, and that configuration sent. A reading taken before belongs
// to another setup, so it goes.
void CMeasureController::RestorePowerOnSetup(CMeasureDlg& dialog)
{
    m_bFirstRefresh = false;
    ClearReading();
    dialog.ShowReading(m_strReading); // the dialog is still being built: it is not the panel yet
    m_pChannel = m_apChannels[0].get();
    m_pChannel->m_nFunction = 0;
    m_pChannel->m_aParams[0][PARAM_EXPECTED] = "AUTO";
    m_pChannel->m_aParams[0][PARAM_RESOLUTION] = "DEF";
    if (m_context.Frame().IsAutoUpdateOn())
        m_context.Frame().OnAutoUpdateMode();
    dialog.SendConfig();
}

// Puts the instrument's function and initiation state for the channel into the dialog. The instrument,
// not the stored choice, decides which function is shown.
void CMeasureController::ReadInstrument(CMeasureDlg& dialog, int nChannel)
{
    CInstrumentSession& session = Session();
    CDialogControls& controls = dialog.Controls();
    const int nOffered = kFunctionsOffered[ChannelIndex(nChannel)];
    controls.ResetContent(CMeasureDlg::IDC_FUNCTION);
    for (int i = 0; i < nOffered; ++i)
        controls.AddString(CMeasureDlg::IDC_FUNCTION, Label(kFunctions[i]));

    const std::string answer = session.QuerySense(nChannel, ESenseSelector::Function);
    int nFunction = 0;
    while (nFunction < static_cast<int>(kFunctions.size()) &&
           answer != QuotedFunctionKeyword(kFunctions[nFunction].eFunction))
        ++nFunction;
    // A function the channel does not offer is no function of the list.
    const int nShown = nFunction < nOffered ? nFunction : -1;
    SetFunction(nShown);
    controls.SetCurSel(CMeasureDlg::IDC_FUNCTION, nShown);

    controls.CheckRadioButton(CMeasureDlg::IDC_CHANNEL_1, CMeasureDlg::IDC_CHANNEL_3, m_pChannel->m_nCtrlId);

    m_pChannel->m_bContinuous = LeadingInteger(session.QueryContinuous(nChannel)) != 0;
    // Continuous initiation locks the same controls as a running cycle.
    if (m_pChannel->m_bContinuous || IsCycleRunning())
        dialog.LockControls();
    else
        dialog.UnlockControls();

    dialog.ShowFunctionControls(nShown);
    ShowUnits(dialog);
}

void CMeasureController::OnTimerTick()
{
    // A driver call is in progress below this tick (a message loop inside it): try again next tick.
    if (Session().IsBusy())
        return;
    const int nChannel = GetChannelNumber();
    if (m_context.Frame().IsAutoUpdateOn())
        AutoUpdate(nChannel);
    else if (IsCycleRunning())
        PollCycle(nChannel);
}

// A fresh reading on every tick, also while another panel is shown. A failure switches Auto Update Mode
// and continuous initiation off, so one failing instrument gives one report.
void CMeasureController::AutoUpdate(int nChannel)
{
    CInstrumentSession& session = Session();
    const bool bFetched = m_context.CallReportingFailure(
        [&]
        {
            session.InitiateImmediate(nChannel);
            TakeReading(session.Fetch(nChannel));
        });
    if (bFetched)
        return;
    ClearDeviceAbortAndStatus(session, nChannel);
    MeasurementFailed();
    m_pChannel->m_bContinuous = false;
    IgnoreFailure([&] { session.InitiateContinuous(nChannel, false); });
    EndCycle();
    m_context.Frame().OnAutoUpdateMode();
    ReadBackAfterFailure();
}

// One polling step of a running cycle. With both arming sources immediate the reading is there at once and
// is fetched whatever the operation status says; otherwise the cycle waits while the operation is pending.
void CMeasureController::PollCycle(int nChannel)
{
    CInstrumentSession& session = Session();
    const bool bPolled = m_context.CallReportingFailure(
        [&]
        {
            const std::uint8_t nCondition = session.QueryOperationPending();
            const std::string startSource = session.QueryArm(EArmSelector::StartSource);
            const std::string stopSource = session.QueryArm(EArmSelector::StopSource);
            if (startSource == "IMM" && stopSource == "IMM")
                FetchCycleReading(nChannel, false);
            if (m_pChannel->GetCycle() == CMeasureChannel::CYCLE_WAITING &&
                (nCondition & kOperationPending) != 0)
                return;
            FetchCycleReading(nChannel, true);
        });
    if (bPolled)
        return;
    ClearDeviceAbortAndStatus(session, nChannel);
    MeasurementFailed();
    EndCycle();
    ReadBackAfterFailure();
}

// Fetches into the kept reading and moves the cycle on: the first total starts totalizing, whose later
// totals are kept but not shown; any other cycle ends. Without a panel the cycle moves on only when
// bAdvanceWithoutPanel is set.
void CMeasureController::FetchCycleReading(int nChannel, bool bAdvanceWithoutPanel)
{
    m_strReading = Session().Fetch(nChannel);
    CMeasureDlg* pDialog = Dialog();
    if (pDialog != nullptr)
    {
        ShowUnits(*pDialog);
        if (m_pChannel->GetCycle() != CMeasureChannel::CYCLE_TOTALIZING)
            pDialog->ShowReading(m_strReading);
    }
    else if (!bAdvanceWithoutPanel)
        return;
    // Published once: the reading that ends a cycle and the first total, not the same reading fetched
    // again in the tick that ended the cycle, nor the totals kept unseen.
    if (m_pChannel->GetCycle() == CMeasureChannel::CYCLE_WAITING ||
        m_pChannel->GetCycle() == CMeasureChannel::CYCLE_TOTALIZE_STARTED)
        PublishReading(m_strReading);
    if (m_pChannel->GetCycle() == CMeasureChannel::CYCLE_TOTALIZE_STARTED)
        m_pChannel->SetCycle(CMeasureChannel::CYCLE_TOTALIZING);
    else if (m_pChannel->GetCycle() != CMeasureChannel::CYCLE_TOTALIZING)
    {
        EndCycle();
        if (pDialog != nullptr)
            pDialog->UnlockAfterCycle();
    }
}

const SMessageEntry<CMeasureDlg> CMeasureDlg::s_messageMap[] = {
    {CBN_SELCHANGE, IDC_FUNCTION, &CMeasureDlg::OnFunctionChange},
    {BN_CLICKED, IDC_SEND_CONFIG, &CMeasureDlg::OnSendConfig},
    {BN_CLICKED, IDC_CHANNEL_1, &CMeasureDlg::OnChannel<0>},
    {BN_CLICKED, IDC_CHANNEL_2, &CMeasureDlg::OnChannel<1>},
    {BN_CLICKED, IDC_CHANNEL_3, &CMeasureDlg::OnChannel<2>},
    {BN_CLICKED, IDC_EXPECTED, &CMeasureDlg::OnEditValue<PARAM_EXPECTED>},
    {BN_CLICKED, IDC_RESOLUTION, &CMeasureDlg::OnEditValue<PARAM_RESOLUTION>},
    {BN_CLICKED, IDC_LOWER_REF, &CMeasureDlg::OnEditReference<PARAM_LOWER_REF>},
    {BN_CLICKED, IDC_UPPER_REF, &CMeasureDlg::OnEditReference<PARAM_UPPER_REF>},
    {BN_CLICKED, IDC_START_IMM, &CMeasureDlg::OnArmImmediate<EArmSelector::StartImmediate>},
    {BN_CLICKED, IDC_STOP_IMM, &CMeasureDlg::OnArmImmediate<EArmSelector::StopImmediate>},
    {BN_CLICKED, IDC_INITIATE, &CMeasureDlg::OnInitiate},
    {BN_CLICKED, IDC_READING, &CMeasureDlg::OnInitiate},
    {BN_DOUBLECLICKED, IDC_READING, &CMeasureDlg::OnInitiate},
    {BN_CLICKED, IDC_UNITS, &CMeasureDlg::OnInitiate},
    {BN_DOUBLECLICKED, IDC_UNITS, &CMeasureDlg::OnInitiate},
    {BN_CLICKED, IDC_READ, &CMeasureDlg::OnRead},
    {BN_CLICKED, IDC_FETCH, &CMeasureDlg::OnFetch},
};

CMeasureDlg::CMeasureDlg(const QPoint& position, CMeasureController* pController)
    : CPanelDialog(position, pController),
      m_pLowerFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_RAISED)),
      m_pUnits(std::make_unique<CReadingDisplay>(CReadingDisplay::BORDER_SUNKEN, kDisplayBack, kDisplayText)),
      m_pReading(
          std::make_unique<CReadingDisplay>(CReadingDisplay::BORDER_SUNKEN, kDisplayBack, kDisplayText)),
      m_pHeaderFrame(std::make_unique<CPanelFrame>(CPanelFrame::EDGE_SUNKEN)),
      m_pSlot(std::make_unique<CReadingDisplay>(CReadingDisplay::BORDER_SUNKEN, GetSysColor(COLOR_BTNFACE),
                                                RGB(0, 0, 0)))
{
    Create(*res::FindDialogTemplate(res::IDD_MEASURE));
}

CMeasureDlg::~CMeasureDlg() = default;

CMeasureController& CMeasureDlg::Controller() const
{
    return static_cast<CMeasureController&>(*m_pController);
}

void CMeasureDlg::OnInitDialog()
{
    m_controls.Bind<CMeasureDlg>(this, s_messageMap);
    m_controls.Subclass(IDC_LOWER_FRAME, m_pLowerFrame.get());
    m_controls.Subclass(IDC_UNITS, m_pUnits.get());
    m_controls.Subclass(IDC_READING, m_pReading.get());
    m_controls.Subclass(IDC_HEADER, m_pHeaderFrame.get());
    const bool bLive = Context().IsLive();
    const COLORREF crLamp = bLive ? kLiveColour : kNonLiveColour;
    m_pLamp = std::make_unique<CRoundIndicator>(&crLamp, kHeaderColour);
    m_controls.Subclass(IDC_INDICATOR, m_pLamp.get());
    m_controls.Subclass(IDC_SLOT, m_pSlot.get());

    // What a screen reader calls the lamp and the displays; a click on the slot display does nothing.
    m_pLamp->DescribeAs(bLive ? QStringLiteral("Instrument live") : QStringLiteral("Instrument not live"),
                        bLive);
    m_pReading->setAccessibleName(QStringLiteral("Reading"));
    m_pUnits->setAccessibleName(QStringLiteral("Unit"));
    m_pSlot->setAccessibleName(QStringLiteral("Slot"));
    m_pSlot->ShowAsText();

    const int nSlot = Controller().GetInstrumentSlot();
    m_pSlot->SetText(bLive && nSlot >= 0 ? std::to_string(nSlot) : "U");

    // Refresh reports its own failures.
    Controller().Refresh(this);
    PlaceAtPosition();
    ResizeFrame();
}

void CMeasureDlg::OnPanelDestroyed()
{
    Controller().KeepShownReading(m_pReading->GetText());
}

void CMeasureDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CDC dc(painter);
    CBrush headerBrush(kHeaderColour);
    CBrush* pOldBrush = dc.SelectObject(&headerBrush);
    dc.Rectangle(m_controls.ItemRect(IDC_HEADER));

    const CRect rcLogo = m_controls.ItemRect(IDC_LOGO_MARK);
    dc.BitBlt(rcLogo.left, rcLogo.top, res::LoadBitmap(res::IDB_LOGO));
    const CRect rcEmblem = m_controls.ItemRect(IDC_EMBLEM_MARK);
    dc.BitBlt(rcEmblem.left, rcEmblem.top, res::LoadBitmap(res::IDB_EMBLEM));

    dc.SetBkMode(TRANSPARENT);
    dc.SetBkColor(kHeaderColour);
    const CRect rcName = m_controls.ItemRect(IDC_NAME_MARK);
    const int nLineHeight = dc.GetTextExtent("Tarvex").height();
    dc.TextOut(rcName.left, rcName.top, "Tarvex");
    dc.TextOut(rcName.left, rcName.top + nLineHeight, "Counter");
    const CRect rcSlot = m_controls.ItemRect(IDC_SLOT_MARK);
    dc.TextOut(rcSlot.left, rcSlot.top, "Slot:");
    dc.SelectObject(pOldBrush);
}

void CMeasureDlg::ShowReading(const std::string& text)
{
    m_pReading->SetText(text);
}

void CMeasureDlg::ShowUnitText(const std::string& text)
{
    m_pUnits->SetText(text);
}

void CMeasureDlg::EnableSettingControls(bool bEnable)
{
    for (int nId : kLockedControls)
        m_controls.Enable(nId, bEnable);
}

void CMeasureDlg::LockControls()
{
    EnableSettingControls(false);
}

void CMeasureDlg::UnlockControls()
{
    EnableSettingControls(true);
}

// Continuous initiation keeps its own lock when a cycle ends.
void CMeasureDlg::UnlockAfterCycle()
{
    if (!Controller().GetCurrentChannel()->m_bContinuous)
        UnlockControls();
}

void CMeasureDlg::ShowFunctionControls(int nFunction)
{
    if (nFunction < 0 || nFunction >= static_cast<int>(kFunctions.size()))
        return;
    const EParamButtons buttons = kFunctions[nFunction].buttons;
    m_controls.Show(IDC_EXPECTED, buttons != BUTTONS_NONE);
    m_controls.Show(IDC_RESOLUTION, buttons != BUTTONS_NONE);
    // The reference buttons keep their last caption while hidden.
    if (buttons == BUTTONS_REFERENCE)
        m_controls.SetText(IDC_LOWER_REF, res::LoadString(res::IDS_REFERENCE));
    else if (buttons == BUTTONS_LOWER_UPPER)
    {
        m_controls.SetText(IDC_LOWER_REF, res::LoadString(res::IDS_LOWER_REF));
        m_controls.SetText(IDC_UPPER_REF, res::LoadString(res::IDS_UPPER_REF));
    }
    m_controls.Show(IDC_LOWER_REF, buttons == BUTTONS_REFERENCE || buttons == BUTTONS_LOWER_UPPER);
    m_controls.Show(IDC_UPPER_REF, buttons == BUTTONS_LOWER_UPPER);
}

// Sends the channel's stored parameters of its function. While the channel has no function the combo box
// offers, nothing is sent. A failure is reported and leaves the texts as they are, for the next attempt.
bool CMeasureDlg::SendConfig()
{
    CMeasureController& controller = Controller();
    const CMeasureChannel& channel = *controller.GetCurrentChannel();
    const int nChannel = controller.GetChannelNumber();
    const SMeasureFunction* pFunction = OfferedFunction(channel.m_nFunction, nChannel);
    if (pFunction == nullptr)
        return true;
    const auto& params = channel.m_aParams[channel.m_nFunction];
    return Context().CallReportingFailure(
        [&]
        {
            Session().Configure(pFunction->eFunction, nChannel, params[PARAM_EXPECTED],
                                params[PARAM_RESOLUTION], params[PARAM_LOWER_REF], params[PARAM_UPPER_REF]);
        });
}

void CMeasureDlg::OnFunctionChange()
{
    CMeasureController& controller = Controller();
    controller.ClearReading();
    const int nFunction = m_controls.GetCurSel(IDC_FUNCTION);
    controller.SetFunction(nFunction);
    ShowFunctionControls(nFunction);
    SendConfigShowingRefusal();
    controller.ShowUnits(*this);
}

void CMeasureDlg::OnSendConfig()
{
    SendConfigShowingRefusal();
}

// The counter keeps its previous function when it refuses a configuration: the panel then reads back what
// it holds, so that no reading is shown or published as the refused function's.
void CMeasureDlg::SendConfigShowingRefusal()
{
    if (!SendConfig())
        Controller().ReadBackAfterFailure();
}

void CMeasureDlg::SelectChannel(int nIndex)
{
    CMeasureController& controller = Controller();
    controller.SelectChannel(nIndex);
    SendConfig();
    controller.Refresh(this);
    repaint();
}

// Expected value and Resolution: the entry offers the function's range for the channel and the keywords
// MIN, MAX, DEF (and AUTO for the expected value). The text is stored, not sent.
void CMeasureDlg::EditValue(int nParam)
{
    CMeasureController& controller = Controller();
    CMeasureChannel& channel = *controller.GetCurrentChannel();
    const int nChannel = controller.GetChannelNumber();
    const SMeasureFunction* pFunction = OfferedFunction(channel.m_nFunction, nChannel);
    if (pFunction == nullptr || pFunction->pLimits == nullptr)
        return;
    const bool bExpected = nParam == PARAM_EXPECTED;
    const SRange range =
        bExpected ? pFunction->pLimits->expected[ChannelIndex(nChannel)] : pFunction->pLimits->resolution;
    CValueEntryLimits limits;
    limits.m_dMin = range.dMin;
    limits.m_dMax = range.dMax;
    limits.m_nDiscretes = CValueEntryLimits::DISCRETE_MIN | CValueEntryLimits::DISCRETE_MAX |
                          CValueEntryLimits::DISCRETE_DEF |
                          (bExpected ? CValueEntryLimits::DISCRETE_AUTO : 0);
    std::string& text = channel.m_aParams[channel.m_nFunction][nParam];
    CValueEntryDlg entry(text, limits,
                         res::LoadString(bExpected ? res::IDS_EXPECTED_TITLE : res::IDS_RESOLUTION_TITLE) +
                             Label(*pFunction),
                         this);
    if (entry.DoModal() != IDCANCEL)
        text = entry.m_strValue;
}

// Lower (or single) and upper reference levels. The text is stored only for the functions that have that
// reference, and not sent. Ticks go on while the entry is open, and a failing one refreshes the panel,
// which reads the function back from the instrument: the text is stored for the function it was entered
// for, and only while the panel still has that function.
void CMeasureDlg::EditReference(int nParam)
{
    CMeasureController& controller = Controller();
    CMeasureChannel& channel = *controller.GetCurrentChannel();
    const int nFunction = channel.m_nFunction;
    const SMeasureFunction* pFunction = OfferedFunction(nFunction, controller.GetChannelNumber());
    if (pFunction == nullptr)
        return;
    const bool bLower = nParam == PARAM_LOWER_REF;
    const int nTitleId = !bLower                                   ? res::IDS_UPPER_REFERENCE_TITLE
                         : pFunction->buttons == BUTTONS_REFERENCE ? res::IDS_REFERENCE_TITLE
                                                                   : res::IDS_LOWER_REFERENCE_TITLE;
    const bool bHasReference =
        pFunction->buttons == BUTTONS_LOWER_UPPER || (bLower && pFunction->buttons == BUTTONS_REFERENCE);
    CReferenceDlg entry(this, res::LoadString(nTitleId) + Label(*pFunction));
    if (entry.DoModal() != IDCANCEL && bHasReference && controller.GetCurrentChannel() == &channel &&
        channel.m_nFunction == nFunction)
        channel.m_aParams[nFunction][nParam] = entry.m_strValue;
}

// Start IMM and Stop IMM.
void CMeasureDlg::ArmImmediate(EArmSelector eSelector)
{
    CInstrumentSession& session = Session();
    if (!Context().CallReportingFailure([&] { session.SetArm(eSelector); }))
        session.DeviceClear();
}

// Starts an Initiate cycle. While one runs a click starts nothing; when totalizing it shows the newest
// total the ticks fetched. Continuous initiation locks the Initiate command, and with it these clicks.
void CMeasureDlg::OnInitiate()
{
    CMeasureController& controller = Controller();
    CMeasureChannel& channel = *controller.GetCurrentChannel();
    if (channel.GetCycle() != CMeasureChannel::CYCLE_IDLE)
    {
        if (channel.GetCycle() == CMeasureChannel::CYCLE_TOTALIZING)
            controller.ShowNewestTotal();
        return;
    }
    if (channel.m_bContinuous)
        return;
    const int nChannel = controller.GetChannelNumber();
    Context().CallReportingFailure(
        [&]
        {
            controller.ShowInPlaceOfReading(" ");
            Session().Abort(nChannel);
            Session().InitiateImmediate(nChannel);
            channel.SetCycle(channel.m_nFunction == kTotalize ? CMeasureChannel::CYCLE_TOTALIZE_STARTED
                                                              : CMeasureChannel::CYCLE_WAITING);
            LockControls(); // the Initiate command among them
        });
}

// One reading at once, kept like a cycle's. It ends a running cycle but leaves the controls as they are
// until the next refresh.
void CMeasureDlg::OnRead()
{
    CMeasureController& controller = Controller();
    const int nChannel = controller.GetChannelNumber();
    const bool bRead = Context().CallReportingFailure(
        [&]
        {
            controller.TakeReading(Session().Read(nChannel));
            controller.ShowUnits(*this);
            controller.EndCycle();
        });
    if (bRead)
        return;
    // The recovery aborts the measurement: a cycle the Read interrupted has nothing more to poll.
    ClearDeviceAbortAndStatus(Session(), nChannel);
    controller.MeasurementFailed();
    controller.EndCycle();
    UnlockAfterCycle();
}

// The reading of the running measurement, kept like a cycle's; the cycle ends and the controls are
// unlocked either way.
void CMeasureDlg::OnFetch()
{
    CMeasureController& controller = Controller();
    const int nChannel = controller.GetChannelNumber();
    const bool bFetched = Context().CallReportingFailure(
        [&]
        {
            controller.TakeReading(Session().Fetch(nChannel));
            controller.ShowUnits(*this);
        });
    if (!bFetched)
    {
        ClearDeviceAbortAndStatus(Session(), nChannel);
        controller.MeasurementFailed();
    }
    controller.EndCycle();
    UnlockAfterCycle(); // the Initiate command among them
}
