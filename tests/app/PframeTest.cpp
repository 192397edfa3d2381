// The frame's commands and timer against the live simulated counter: panel switching, Reset, Self Test,
// Sync, Auto Update Mode, Exit, ticks reaching the Measure controller, a handler for every menu command, and
// the readings: the Readings window on Ctrl+R and the log.

#include "AppTestFixture.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "framework/Dialog.h"
#include "panels/MeasurePanel.h"
#include "readings/ReadingLog.h"
#include "readings/window/ReadingsWindow.h"
#include "res/ControlIds.h"
#include "res/MainMenu.h"
#include "res/ResourceIds.h"
#include "support/TestSupport.h"

#include <QPointer>
#include <QTest>

#include <ostream>

namespace
{
const std::string kSyncFailed = "Sync failed.  Recommend using RESET (or possibly Sending a new config)";

struct SPanelCase
{
    int nIndex;
    int nCommand;
    const char* pszTitle;
    const char* pszReadEntryPoint; // an entry point the panel reads the instrument through
    int nFirstTabStop;             // the control that has the focus when the panel is shown
};

const SPanelCase kPanelCases[] = {
    {PANEL_MEASURE, res::ID_PANELS_MEASURE, "Tarvex: Measure", "tarvex_sense", res::measure::IDC_CHANNEL_1},
    {PANEL_EVENT_TRIG, res::ID_PANELS_EVENT_TRIG, "Tarvex: Event Trig", "tarvex_sense",
     res::event_trig::IDC_AUTO_OFF},
    {PANEL_INPUT_CONFIG, res::ID_PANELS_INPUT_CONFIG, "Tarvex: Input Config", "tarvex_input",
     res::input_config::IDC_CHANNEL},
    {PANEL_ARM, res::ID_PANELS_ARM, "Tarvex: Arm", "tarvex_arm", res::arm::IDC_START_SOURCE},
    {PANEL_MISC, res::ID_PANELS_MISC, "Tarvex: Misc", "tarvex_sense",
     res::misc::IDC_MEAS_TIMEOUT}, // Trigger, before it, is disabled while no cycle runs
    {PANEL_OUTPUT_CONFIG, res::ID_PANELS_OUTPUT_CONFIG, "Tarvex: Output Config", "tarvex_output",
     res::output_config::IDC_TRIGGER_LINE},
};

void PrintTo(const SPanelCase& c, std::ostream* pStream)
{
    *pStream << c.pszTitle;
}

std::string CaseName(const ::testing::TestParamInfo<SPanelCase>& info)
{
    std::string name = info.param.pszTitle + std::string("Tarvex: ").size();
    std::erase(name, ' ');
    return name;
}

class CPanelSwitchTest : public CAppTest, public ::testing::WithParamInterface<SPanelCase>
{
protected:
    void SetUp() override
    {
        CAppTest::SetUp();
        Start();
    }

    CMeasureController& Measure() const
    {
        return static_cast<CMeasureController&>(*Frame().GetController(PANEL_MEASURE));
    }
};

// Another panel than the one of the case, to switch from.
int OtherPanel(int nIndex)
{
    return nIndex == PANEL_MISC ? PANEL_MEASURE : PANEL_MISC;
}
} // namespace

TEST_P(CPanelSwitchTest, ShowsThePanelAndFitsTheFrameToIt)
{
    const SPanelCase& c = GetParam();
    CPframe& frame = Frame();
    Choose(kPanelCases[OtherPanel(c.nIndex)].nCommand);
    const QPoint ptFrame = frame.pos();
    CDialog* pPrevious = Frame().GetActiveController()->GetPanel();

    Choose(c.nCommand);

    EXPECT_EQ(frame.windowTitle().toStdString(), c.pszTitle);
    for (const SPanelCase& other : kPanelCases)
        EXPECT_EQ(frame.Menu().IsChecked(other.nCommand), other.nIndex == c.nIndex) << other.nCommand;
    EXPECT_EQ(Frame().GetActiveController(), Frame().GetController(c.nIndex));
    EXPECT_TRUE(pPrevious->IsWindowDestroyed());
    EXPECT_EQ(Frame().GetController(OtherPanel(c.nIndex))->GetPanel(), nullptr);

    CDialog* pPanel = Frame().GetActiveController()->GetPanel();
    ASSERT_NE(pPanel, nullptr);
    EXPECT_EQ(pPanel->parentWidget(), frame.ClientArea());
    EXPECT_EQ(pPanel->pos(), QPoint(0, 1));
    // The client area ends where the panel ended when it fitted the frame: some panels do that before they
    // move one pixel down to their place, the others after.
    const QSize szClient = frame.ClientArea()->size();
    EXPECT_EQ(szClient.width(), pPanel->width());
    EXPECT_GE(szClient.height(), pPanel->height());
    EXPECT_LE(szClient.height(), pPanel->height() + 1);
    EXPECT_EQ(frame.ClientArea()->mapTo(&frame, QPoint(szClient.width(), szClient.height())),
              QPoint(frame.width(), frame.height()));
    EXPECT_EQ(frame.pos(), ptFrame);
    // As in a dialog just created, the first control Tab reaches has the focus.
    const QWidget* pFocus = frame.focusWidget();
    ASSERT_TRUE(pFocus && pPanel->isAncestorOf(pFocus));
    EXPECT_EQ(pFocus->property("ctrlId").toInt(), c.nFirstTabStop);
}

TEST_P(CPanelSwitchTest, ChoosingTheShownPanelRebuildsItAndReadsTheInstrumentAgain)
{
    const SPanelCase& c = GetParam();
    Choose(c.nCommand);
    QPointer<CDialog> pOld = Frame().GetActiveController()->GetPanel();
    tarvexsim_clear_calls();

    Choose(c.nCommand);

    ASSERT_FALSE(pOld.isNull());
    EXPECT_TRUE(pOld->IsWindowDestroyed());
    CDialog* pNew = Frame().GetActiveController()->GetPanel();
    ASSERT_NE(pNew, nullptr);
    EXPECT_NE(pNew, pOld.data());
    EXPECT_TRUE(pNew->isVisible());
    EXPECT_EQ(Frame().windowTitle().toStdString(), c.pszTitle);
    EXPECT_TRUE(WasCalled(c.pszReadEntryPoint));
    testsupport::ProcessEvents();
    EXPECT_TRUE(pOld.isNull()) << "the destroyed panel deletes itself";
}

TEST_P(CPanelSwitchTest, SyncShowsTheFailureMessageOnlyAfterAFailedRefresh)
{
    const SPanelCase& c = GetParam();
    Choose(c.nCommand);
    m_messages.Clear();
    tarvexsim_clear_calls();

    Choose(res::ID_SYSTEM_SYNC);

    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_TRUE(WasCalled(c.pszReadEntryPoint)) << "Sync reads the instrument";
    EXPECT_FALSE(Frame().GetActiveController()->HasRefreshFailed());

    tarvexsim_set_fault(c.pszReadEntryPoint, VI_ERROR_TMO, 1, nullptr);
    Choose(res::ID_SYSTEM_SYNC);

    EXPECT_TRUE(Frame().GetActiveController()->HasRefreshFailed());
    ASSERT_GE(m_messages.Messages().size(), 2u);
    EXPECT_EQ(m_messages.Messages().front().text, "TIME OUT!");
    EXPECT_EQ(m_messages.Messages().back().text, kSyncFailed);
    EXPECT_EQ(m_messages.Messages().back().caption, kApplicationTitle);
}

TEST_P(CPanelSwitchTest, TicksReachTheMeasureControllerWhicheverPanelIsShown)
{
    const SPanelCase& c = GetParam();
    Choose(c.nCommand);
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    Measure().ClearReading();
    const std::string cleared = Measure().GetReading();
    tarvexsim_clear_calls();

    Tick();

    EXPECT_EQ(CalledEntryPoints(), (std::vector<std::string>{"tarvex_initiate", "tarvex_fetch"}));
    EXPECT_NE(Measure().GetReading(), cleared);
    EXPECT_EQ(Measure().GetPanel() != nullptr, c.nIndex == PANEL_MEASURE);
    EXPECT_TRUE(m_messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Panels, CPanelSwitchTest, ::testing::ValuesIn(kPanelCases), CaseName);

TEST_F(CAppTest, FittingTheFrameMakesItsLowerRightCornerMeetThePanels)
{
    CPframe& frame = Start();
    const QPoint ptFrame = frame.pos();
    QWidget panel(frame.ClientArea());

    for (const QRect& rcPanel : {QRect(0, 1, 240, 300), QRect(0, 1, 400, 520), QRect(5, 7, 100, 80)})
    {
        SCOPED_TRACE(rcPanel.width());
        panel.setGeometry(rcPanel);

        frame.FitToPanel(panel);

        EXPECT_EQ(frame.ClientArea()->size(),
                  QSize(rcPanel.x() + rcPanel.width(), rcPanel.y() + rcPanel.height()));
        EXPECT_EQ(panel.mapTo(&frame, QPoint(rcPanel.width(), rcPanel.height())),
                  QPoint(frame.width(), frame.height()));
        EXPECT_EQ(frame.pos(), ptFrame);
        EXPECT_EQ(frame.minimumSize(), frame.size());
        EXPECT_EQ(frame.maximumSize(), frame.size());
    }
}

TEST_F(CAppTest, EveryMenuCommandHasAHandlerInTheFramesMessageMap)
{
    CPframe& frame = Start();
    for (const SMenuItem& popup : res::MainMenu().popups)
    {
        for (const SMenuItem& item : popup.items)
        {
            if (item.pszCaption)
            {
                SCOPED_TRACE(item.pszCaption);
                EXPECT_TRUE(frame.Menu().HasHandler(item.nId));
            }
        }
    }
    EXPECT_FALSE(frame.Menu().HasHandler(0));
}

TEST_F(CAppTest, AutoUpdateModeFlipsTheMenuCheckAndTheMode)
{
    CPframe& frame = Start();
    ASSERT_FALSE(frame.Menu().IsChecked(res::ID_SYSTEM_AUTO_UPDATE));

    for (const bool bExpected : {true, false, true})
    {
        Choose(res::ID_SYSTEM_AUTO_UPDATE);
        EXPECT_EQ(frame.Menu().IsChecked(res::ID_SYSTEM_AUTO_UPDATE), bExpected);
        EXPECT_EQ(frame.IsAutoUpdateOn(), bExpected);
    }
}

TEST_F(CAppTest, TickDoesNotNestWhileItsReportShowsAMessageBox)
{
    CPframe& frame = Start();
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    tarvexsim_set_fault("tarvex_fetch", VI_ERROR_TMO, 1, nullptr);
    int nCallsBeforeNestedTick = -1;
    int nCallsAfterNestedTick = -1;
    int nIntervalDuringBox = -1;
    m_messages.onBox = [&](const SRecordedMessage&)
    {
        if (nCallsBeforeNestedTick >= 0)
            return;
        nIntervalDuringBox = frame.UpdateTimerInterval();
        nCallsBeforeNestedTick = tarvexsim_call_count();
        Tick();
        nCallsAfterNestedTick = tarvexsim_call_count();
    };

    Tick();

    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_EQ(nIntervalDuringBox, 0) << "the report stops the timer while its box is up";
    EXPECT_EQ(nCallsAfterNestedTick, nCallsBeforeNestedTick) << "a tick inside a tick does nothing";
    EXPECT_EQ(frame.UpdateTimerInterval(), 300);
    EXPECT_FALSE(frame.Menu().IsChecked(res::ID_SYSTEM_AUTO_UPDATE))
        << "a failing auto-update tick switches the mode off";

    // The in-tick flag is cleared again: the next tick does its work.
    m_messages.onBox = nullptr;
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    tarvexsim_clear_calls();
    Tick();
    EXPECT_TRUE(WasCalled("tarvex_fetch"));
}

TEST_F(CAppTest, ResetRebuildsTheMeasurePanelFromThePowerOnSetup)
{
    CPframe& frame = Start();
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    Choose(res::ID_PANELS_MISC);
    tarvexsim_clear_calls();

    Choose(res::ID_SYSTEM_RESET);

    const std::vector<std::string> names = CalledEntryPoints();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "tarvex_reset");
    EXPECT_EQ(names[1], "tarvex_dcl");
    EXPECT_TRUE(WasCalled("tarvex_configure")) << "the power-on configuration is sent";
    EXPECT_EQ(frame.windowTitle().toStdString(), "Tarvex: Measure");
    EXPECT_TRUE(frame.Menu().IsChecked(res::ID_PANELS_MEASURE));
    EXPECT_FALSE(frame.Menu().IsChecked(res::ID_PANELS_MISC));
    EXPECT_EQ(Frame().GetActiveController(), Frame().GetController(PANEL_MEASURE));
    EXPECT_NE(Frame().GetActiveController()->GetPanel(), nullptr);
    EXPECT_FALSE(frame.Menu().IsChecked(res::ID_SYSTEM_AUTO_UPDATE))
        << "the first refresh after Reset turns Auto Update Mode off";
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(CAppTest, SelfTestShowsItsOutcomeInTheApplicationBox)
{
    struct SCase
    {
        const char* pszName;
        const char* pszReply;       // the driver's self-test answer, or null for a pass
        const char* pszFailingCall; // the self-test call itself fails
        std::string expected;
    };
    const SCase cases[] = {
        {"passes", nullptr, nullptr, "Self Test Passed."},
        {"fails with a message", "Self test failed: input 2", nullptr, "Self test failed: input 2"},
        {"cannot run", nullptr, "tarvex_self_test", "Self Test could not be run."},
    };
    Start();

    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        tarvexsim_set_reply("tarvex_self_test", 0, c.pszReply);
        if (c.pszFailingCall != nullptr)
            tarvexsim_set_fault(c.pszFailingCall, VI_ERROR_TMO, 1, nullptr);
        m_messages.Clear();

        Choose(res::ID_SYSTEM_SELF_TEST);

        ASSERT_EQ(m_messages.Messages().size(), 1u);
        EXPECT_EQ(m_messages.Messages()[0].text, c.expected);
        EXPECT_EQ(m_messages.Messages()[0].caption, kApplicationTitle);
    }
}

namespace
{
// What the frame is like while the driver closes.
struct SFrameAtClose
{
    CPframe* pFrame;
    bool bVisible = true;
    int nTimerInterval = -1;
};

void RecordFrameAtClose(void* pContext)
{
    SFrameAtClose& atClose = *static_cast<SFrameAtClose*>(pContext);
    atClose.bVisible = atClose.pFrame->isVisible();
    atClose.nTimerInterval = atClose.pFrame->UpdateTimerInterval();
}
} // namespace

// Exit and closing the window: the window is gone and the timer stopped before the driver closes, so no
// tick calls into a closing driver and a slow close leaves no frozen window behind.
TEST_F(CAppTest, ExitAndCloseHideTheFrameAndStopTheTimerThenUnloadTheDriver)
{
    for (const bool bExit : {true, false})
    {
        SCOPED_TRACE(bExit ? "System, Exit" : "closing the window");
        CPframe& frame = Start();
        ASSERT_TRUE(m_pApp->Session().IsDriverLoaded());
        SFrameAtClose atClose{&frame};
        tarvexsim_set_hook("tarvex_close", &RecordFrameAtClose, &atClose);
        tarvexsim_clear_calls();

        if (bExit)
            Choose(res::ID_SYSTEM_EXIT);
        else
            EXPECT_TRUE(frame.close());

        EXPECT_EQ(CalledEntryPoints(), std::vector<std::string>{"tarvex_close"});
        EXPECT_FALSE(atClose.bVisible);
        EXPECT_EQ(atClose.nTimerInterval, 0);
        EXPECT_FALSE(m_pApp->Session().IsDriverLoaded());
        EXPECT_FALSE(m_pApp->Session().IsLive()) << "no call goes through the unloaded driver";
        EXPECT_FALSE(frame.isVisible());
        EXPECT_EQ(frame.UpdateTimerInterval(), 0);
        m_pApp.reset();
    }
}

TEST_F(CAppTest, CtrlROpensTheOneReadingsWindowWhichTakesTheReadings)
{
    CPframe& frame = Start();
    ASSERT_EQ(m_pApp->ReadingsWindow(), nullptr) << "made when first shown";
    const auto pressCtrlR = [&frame]
    {
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_R, Qt::ControlModifier);
    };
    pressCtrlR();
    CReadingsWindow* pWindow = m_pApp->ReadingsWindow();
    ASSERT_NE(pWindow, nullptr);
    EXPECT_TRUE(pWindow->isVisible());
    EXPECT_EQ(pWindow->windowTitle(), QStringLiteral("Tarvex: Readings"));
    pWindow->close();
    pressCtrlR();
    EXPECT_EQ(m_pApp->ReadingsWindow(), pWindow);
    EXPECT_TRUE(pWindow->isVisible());

    Choose(2010);
    Tick();
    EXPECT_EQ(pWindow->History().Readings().Size(), 1u);
}

// The failing write happens in a tick; its one box comes after the tick, and the panel goes on.
TEST_F(CAppTest, ALogWriteThatFailsIsReportedOnceAndThePanelGoesOn)
{
    Start();
    std::string strError;
    auto pLog = readings::CReadingLog::Open("/dev/full", strError);
    ASSERT_NE(pLog, nullptr) << strError;
    m_pApp->LogReadings(std::move(pLog));
    Choose(2010);
    Tick();
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{}) << "no box inside the tick";
    Tick();
    testsupport::ProcessEvents();
    EXPECT_EQ(m_messages.BoxTexts(),
              std::vector<std::string>{
                  "cannot write to /dev/full: No space left on device; no more readings are logged."});
    tarvexsim_clear_calls();
    Tick();
    testsupport::ProcessEvents();
    EXPECT_TRUE(WasCalled("tarvex_fetch"));
    EXPECT_EQ(m_messages.BoxTexts().size(), 1u);
}
