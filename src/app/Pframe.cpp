#include "Pframe.h"

#include "AboutDlg.h"
#include "dialogs/SelectInstrumentDlg.h"
#include "framework/HandlerDispatch.h"
#include "framework/HelpViewer.h"
#include "framework/MessageService.h"
#include "framework/WaitCursor.h"
#include "instrument/InstrumentSession.h"
#include "instrument/LoadReport.h"
#include "panels/ArmPanel.h"
#include "panels/EventTrigPanel.h"
#include "panels/InputConfigPanel.h"
#include "panels/MeasurePanel.h"
#include "panels/MiscPanel.h"
#include "panels/OutputConfigPanel.h"
#include "panels/ReportInstrumentError.h"
#include "res/MainMenu.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

namespace
{
using enum res::ECommandId;
using enum res::EStringId;

// The Panels menu command and the frame title of each controller, by controller index.
struct SPanelEntry
{
    int nCommand;
    const char* pszTitle;
};

constexpr std::array<SPanelEntry, PANEL_COUNT> kPanels{{
    {ID_PANELS_MEASURE, "Tarvex: Measure"},
    {ID_PANELS_EVENT_TRIG, "Tarvex: Event Trig"},
    {ID_PANELS_INPUT_CONFIG, "Tarvex: Input Config"},
    {ID_PANELS_ARM, "Tarvex: Arm"},
    {ID_PANELS_MISC, "Tarvex: Misc"},
    {ID_PANELS_OUTPUT_CONFIG, "Tarvex: Output Config"},
}};
} // namespace

const SMessageEntry<CPframe> CPframe::s_messageMap[] = {
    {WM_COMMAND_MENU, ID_SYSTEM_RESET, &CPframe::OnReset},
    {WM_COMMAND_MENU, ID_SYSTEM_SELF_TEST, &CPframe::OnSelfTest},
    {WM_COMMAND_MENU, kPanels[PANEL_MEASURE].nCommand, &CPframe::OnPanel<PANEL_MEASURE>},
    {WM_COMMAND_MENU, kPanels[PANEL_EVENT_TRIG].nCommand, &CPframe::OnPanel<PANEL_EVENT_TRIG>},
    {WM_COMMAND_MENU, kPanels[PANEL_INPUT_CONFIG].nCommand, &CPframe::OnPanel<PANEL_INPUT_CONFIG>},
    {WM_COMMAND_MENU, kPanels[PANEL_ARM].nCommand, &CPframe::OnPanel<PANEL_ARM>},
    {WM_COMMAND_MENU, kPanels[PANEL_MISC].nCommand, &CPframe::OnPanel<PANEL_MISC>},
    {WM_COMMAND_MENU, kPanels[PANEL_OUTPUT_CONFIG].nCommand, &CPframe::OnPanel<PANEL_OUTPUT_CONFIG>},
    {WM_COMMAND_MENU, ID_HELP_CONTENTS, &CPframe::OnHelpContents},
    {WM_COMMAND_MENU, ID_HELP_ABOUT, &CPframe::OnAbout},
    {WM_COMMAND_MENU, ID_SYSTEM_AUTO_UPDATE, &CPframe::OnAutoUpdateMode},
    {WM_COMMAND_MENU, ID_SYSTEM_EXIT, &CPframe::OnExit},
    {WM_COMMAND_MENU, ID_SYSTEM_SYNC, &CPframe::OnSync},
};

CPframe::CPframe(CInstrumentSession& session, readings::CReadingStream& readings)
    : m_session(session), m_readings(readings), m_pClient(new QWidget(this)), m_timers(this)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kPanels[PANEL_MEASURE].pszTitle);
    setCentralWidget(m_pClient);
    m_menu.Build(menuBar(), res::MainMenu());
    m_menu.Bind<CPframe>(this, s_messageMap);

    const QRect rcDesktop = QGuiApplication::primaryScreen()->geometry();
    move((rcDesktop.width() - kInitialWidth) / 2, (rcDesktop.height() - kInitialHeight) / 2);
    setFixedSize(kInitialWidth, kInitialHeight);
}

CPframe::~CPframe()
{
    if (m_pActive != nullptr)
        m_pActive->DestroyPanel();
    // The destroyed panel goes with the client area now, so that it never outlives its controller.
    delete takeCentralWidget();
}

void CPframe::InitFrame()
{
    const CWaitCursor waitCursor;
    OpenSession();
    CreateControllers();
    m_timers.SetTimer(kUpdateTimer, kUpdatePeriod);
    m_pActive = m_apControllers[PANEL_MEASURE].get();
    m_menu.CheckMenuItem(kPanels[PANEL_MEASURE].nCommand, true);
    m_pActive->CreatePanel(QPoint(0, 0));
}

void CPframe::OpenSession()
{
    CInstrumentSession& session = m_session;
    // A driver that is there but cannot be loaded leaves the program non-live, and the operator is told.
    if (const std::string failure = LoadFailure(session); !failure.empty())
        AppMessageBox(failure);
    std::vector<std::string> resources;
    int32_t nCount = 0;
    // A search that succeeds without finding anything has opened nothing either.
    if (!session.AutoInit(1, resources, nCount) || nCount == 0 ||
        (nCount > 1 && !OpenChosenInstrument(resources)))
        session.SetLive(false);

    try
    {
        session.SetTimeout(kDriverTimeout);
    }
    catch (const CUserException&)
    {
        // The counter stays usable with the driver's own time-out; the operator is told and start-up goes on.
        ReportInstrumentError(session, *this, session.GetLastStatus());
    }

    if (session.IsLive())
        m_nSlot = session.GetSlot();
}

bool CPframe::OpenChosenInstrument(const std::vector<std::string>& resources)
{
    CSelectInstrumentDlg dlg(resources, this);
    // The operator chooses with the ordinary cursor, not the start-up's wait cursor.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const int nResult = dlg.DoModal();
    QGuiApplication::restoreOverrideCursor();
    return nResult != IDCANCEL && m_session.Init(dlg.m_strSelected);
}

// Each controller gets what it works with; the Arm and Misc panels follow the Measure panel's measurement.
void CPframe::CreateControllers()
{
    const CPanelContext context(m_session, *this, *this);
    auto pMeasure = std::make_unique<CMeasureController>(context, m_readings, m_nSlot);
    m_apControllers[PANEL_EVENT_TRIG] = std::make_unique<CEventTrigController>(context);
    m_apControllers[PANEL_INPUT_CONFIG] = std::make_unique<CInputConfigController>(context);
    m_apControllers[PANEL_ARM] = std::make_unique<CArmController>(context, *pMeasure);
    m_apControllers[PANEL_MISC] = std::make_unique<CMiscController>(context, *pMeasure);
    m_apControllers[PANEL_OUTPUT_CONFIG] = std::make_unique<COutputConfigController>(context);
    m_apControllers[PANEL_MEASURE] = std::move(pMeasure);
}

CPanelController* CPframe::GetController(int nIndex) const
{
    return nIndex >= 0 && nIndex < PANEL_COUNT ? m_apControllers[nIndex].get() : nullptr;
}

CMeasureController& CPframe::MeasureController() const
{
    return static_cast<CMeasureController&>(*m_apControllers[PANEL_MEASURE]);
}

int CPframe::UpdateTimerInterval() const
{
    return m_timers.Interval(kUpdateTimer);
}

void CPframe::FitToPanel(const QWidget& panel)
{
    const QRect rcPanel = panel.geometry();
    m_pClient->setFixedSize(rcPanel.x() + rcPanel.width(), rcPanel.y() + rcPanel.height());
    // From the first panel on, the window's fixed size follows the client area (and the menu bar above
    // it); resizing keeps the top-left corner where it is.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
}

void CPframe::StopUpdateTimer()
{
    m_timers.KillTimer(kUpdateTimer);
}

void CPframe::StartUpdateTimer(int nMilliseconds)
{
    m_timers.SetTimer(kUpdateTimer, nMilliseconds);
}

void CPframe::timerEvent(QTimerEvent* pEvent)
{
    // A message box shown by a tick's work runs a message loop in which further ticks can arrive.
    if (m_bInTimer)
        return;
    m_bInTimer = true;
    DispatchHandler(
        [this]
        {
            m_apControllers[PANEL_MEASURE]->OnTimerTick();
            m_apControllers[PANEL_ARM]->OnTimerTick();
        });
    QMainWindow::timerEvent(pEvent);
    m_bInTimer = false;
}

void CPframe::SwitchPanel(int nIndex)
{
    for (const SPanelEntry& entry : kPanels)
        m_menu.CheckMenuItem(entry.nCommand, false);
    m_menu.CheckMenuItem(kPanels[nIndex].nCommand, true);
    m_pActive->DestroyPanel();
    m_pActive = m_apControllers[nIndex].get();
    m_pActive->CreatePanel(QPoint(0, 0));
    setWindowTitle(kPanels[nIndex].pszTitle);
}

bool CPframe::CheckLive()
{
    if (m_session.IsLive())
        return true;
    MessageService().MessageBox(this, "Non-Live Mode: Function disabled", "Error", EMessageIcon::None);
    return false;
}

void CPframe::OnReset()
{
    if (!CheckLive())
        return;
    m_session.Reset();
    m_session.DeviceClear();
    MeasureController().ResetCycles();
    MeasureController().RequestFirstRefresh();
    SwitchPanel(PANEL_MEASURE);
}

void CPframe::OnSelfTest()
{
    if (!CheckLive())
        return;
    std::string message;
    if (!m_session.SelfTest(message))
        message = "Self Test could not be run.";
    else if (message.empty())
        message = "Self Test Passed.";
    AppMessageBox(message);
}

void CPframe::OnSync()
{
    if (!CheckLive())
        return;
    m_pActive->Refresh(m_pActive->GetPanel());
    if (m_pActive->HasRefreshFailed())
        AppMessageBox(res::LoadString(IDS_SYNC_FAILED));
}

void CPframe::OnAutoUpdateMode()
{
    m_bAutoUpdate = !m_bAutoUpdate;
    m_menu.CheckMenuItem(ID_SYSTEM_AUTO_UPDATE, m_bAutoUpdate);
}

void CPframe::OnExit()
{
    EndProgram();
}

void CPframe::closeEvent(QCloseEvent* pEvent)
{
    if (m_bCloseDisabled)
    {
        pEvent->ignore();
        return;
    }
    EndProgram();
    pEvent->accept();
}

void CPframe::EndProgram()
{
    // No tick may start another driver call while the driver closes, and a slow close must not keep a
    // frozen window on the screen: the window is gone from the display before the driver is closed.
    m_timers.KillTimer(kUpdateTimer);
    hide();
    QGuiApplication::sync();
    m_session.UnloadDriver();
    // The program ends with its frame, even while another top-level window such as the help is open.
    QCoreApplication::quit();
}

void CPframe::OnHelpContents()
{
    ShowHelpContents(this, "tarvex.hlp");
}

void CPframe::OnAbout()
{
    CAboutDlg dlg(this);
    dlg.DoModal();
}
