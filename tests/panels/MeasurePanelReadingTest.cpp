// The Measure panel's readings: the Initiate cycle polled on the frame's timer, totalize, Read, the hidden
// Fetch and Auto Update Mode, with their failure paths.

#include "MeasurePanelFixture.h"

#include "readings/ReadingSink.h"

#include <functional>

namespace
{
using C = CMeasureChannel;

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// The instrument reports an arming source other than IMM, so a cycle waits while the operation is pending
// (the gate time, on the simulator's manual clock).
void ReportExternalArming()
{
    tarvexsim_set_reply("tarvex_arm", TARVEX_ARM_START_SOURCE_QUERY, "EXT");
}
} // namespace

TEST_F(CMeasurePanelTest, AClickOrAKeyOnTheReadingOrUnitsStartsOneCycleAndLocks)
{
    Start();
    ReportExternalArming();
    enum EWay
    {
        CLICK,
        DOUBLE_CLICK,
        TAB_THEN_SPACE, // from the channel radio: the reading is the next tab stop
        TAB_THEN_ENTER,
    };
    for (const auto& [nId, way] : {std::pair{D::IDC_READING, CLICK},
                                   {D::IDC_READING, DOUBLE_CLICK},
                                   {D::IDC_READING, TAB_THEN_SPACE},
                                   {D::IDC_READING, TAB_THEN_ENTER},
                                   {D::IDC_UNITS, CLICK},
                                   {D::IDC_UNITS, DOUBLE_CLICK}})
    {
        SCOPED_TRACE(testing::Message() << nId << " way " << way);
        Controller().ResetCycles();
        Controller().Refresh(&Dialog());
        tarvexsim_clear_calls();
        QWidget* pControl = Controls().Item(nId);
        if (way == CLICK || way == DOUBLE_CLICK)
        {
            way == DOUBLE_CLICK ? QTest::mouseDClick(pControl, Qt::LeftButton) : Click(nId);
        }
        else
        {
            QWidget* pChannel = Controls().Item(D::IDC_CHANNEL_1);
            pChannel->setFocus();
            QTest::keyClick(pChannel, Qt::Key_Tab);
            ASSERT_EQ(Dialog().window()->focusWidget(), pControl);
            QTest::keyClick(pControl, way == TAB_THEN_SPACE ? Qt::Key_Space : Qt::Key_Return);
        }
        EXPECT_EQ(Channel().GetCycle(), C::CYCLE_WAITING);
        EXPECT_EQ(Calls().size(), 2u);
        EXPECT_EQ(FirstCall("tarvex_abort 1 "), 0);
        EXPECT_EQ(FirstCall("tarvex_initiate 1 1 "), 1);
        EXPECT_EQ(ReadingText(), " ");
        EXPECT_EQ(EnabledLockable(), 0);
        for (int nFree : {D::IDC_READ, D::IDC_START_IMM, D::IDC_STOP_IMM})
            EXPECT_TRUE(Controls().IsEnabled(nFree)) << nFree;
    }
}

TEST_F(CMeasurePanelTest, WithBothArmingSourcesImmediateTheReadingShowsOnTheFirstTick)
{
    Start();
    Click(D::IDC_READING); // the gate time has not passed: the operation is still pending
    tarvexsim_clear_calls();
    Tick();
    EXPECT_EQ(CountCalls("tarvex_fetch 1 "), 2) << "fetched at once, and again as the cycle ends";
    EXPECT_FALSE(IsBlank(ReadingText()));
    EXPECT_EQ(ReadingText(), Controller().GetReading());
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(EnabledLockable(), 10);
    tarvexsim_clear_calls();
    Tick();
    EXPECT_EQ(Calls(), std::vector<std::string>{}) << "an idle panel polls nothing";
}

TEST_F(CMeasurePanelTest, ACycleWaitsWhileTheOperationIsPendingAndAClickMeanwhileChangesNothing)
{
    Start();
    ReportExternalArming();
    Click(D::IDC_READING);
    Tick();
    tarvexsim_clear_calls();
    Click(D::IDC_READING);
    Click(D::IDC_UNITS);
    EXPECT_EQ(Calls(), std::vector<std::string>{});
    EXPECT_EQ(ReadingText(), " ");
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_WAITING);

    tarvexsim_advance_ms(2000);
    Tick();
    EXPECT_EQ(CountCalls("tarvex_fetch 1 "), 1);
    EXPECT_FALSE(IsBlank(ReadingText()));
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(EnabledLockable(), 10);
}

TEST_F(CMeasurePanelTest, TotalizeShowsItsFirstTotalThenTheNewestOnlyOnAClickUntilRead)
{
    Start();
    ChooseFunction(10);
    Click(D::IDC_READING);
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_TOTALIZE_STARTED);
    tarvexsim_advance_ms(500);
    Tick();
    const std::string first = ReadingText();
    EXPECT_FALSE(IsBlank(first));
    EXPECT_EQ(UnitText(), "Events");
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_TOTALIZING);
    EXPECT_EQ(EnabledLockable(), 0);

    tarvexsim_advance_ms(1000);
    Tick();
    EXPECT_EQ(ReadingText(), first);
    EXPECT_NE(Controller().GetReading(), first) << "the newest total is kept";
    Click(D::IDC_UNITS);
    EXPECT_EQ(ReadingText(), Controller().GetReading());

    Click(D::IDC_READ);
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    tarvexsim_clear_calls();
    Tick();
    EXPECT_EQ(Calls(), std::vector<std::string>{});
}

TEST_F(CMeasurePanelTest, ReadEndsAWaitingCycleLeavingTheControlsLockedAndIsKeptAcrossAPanelSwitch)
{
    Start();
    ReportExternalArming();
    ChooseFunction(1);
    Click(D::IDC_READING);
    Click(D::IDC_READ);
    const std::string reading = ReadingText();
    EXPECT_FALSE(IsBlank(reading));
    EXPECT_EQ(Controller().GetReading(), reading);
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(EnabledLockable(), 0);
    ShowOtherPanel();
    EXPECT_EQ(Controller().GetReading(), reading);
    EXPECT_EQ(Controller().GetUnitText(), "Sec");
    ShowMeasure();
    EXPECT_EQ(ReadingText(), reading);
    EXPECT_EQ(UnitText(), "Sec");
    EXPECT_EQ(EnabledLockable(), 10);
}

TEST_F(CMeasurePanelTest, AReadingIsShownOnlyWithTheChannelAndFunctionItWasTakenWith)
{
    Start();
    Click(D::IDC_READ);
    ASSERT_FALSE(IsBlank(ReadingText()));
    Click(D::IDC_CHANNEL_2);
    EXPECT_TRUE(IsBlank(ReadingText())) << "after a channel change";
    EXPECT_TRUE(IsBlank(Controller().GetReading()));

    ChooseFunction(3);
    Click(D::IDC_READ);
    ASSERT_FALSE(IsBlank(ReadingText()));
    Controller().ResetCycles(); // System Reset, as the frame does it
    Controller().RequestFirstRefresh();
    ShowMeasure();
    EXPECT_TRUE(IsBlank(ReadingText())) << "after Reset";
    EXPECT_EQ(UnitText(), "Hz");

    // Read's and Fetch's readings are kept like a cycle's, so a Sync shows them again.
    Controls().Show(D::IDC_FETCH, true);
    Controls().Enable(D::IDC_FETCH, true);
    for (int nButton : {D::IDC_READ, D::IDC_FETCH})
    {
        SCOPED_TRACE(nButton);
        Click(D::IDC_READING);
        tarvexsim_advance_ms(2000);
        Click(nButton);
        const std::string reading = ReadingText();
        ASSERT_FALSE(IsBlank(reading));
        Controller().Refresh(&Dialog());
        EXPECT_EQ(ReadingText(), reading);
    }
}

TEST_F(CMeasurePanelTest, WhileTheInstrumentInitiatesContinuouslyNoCycleStartsAndNoneUnlocks)
{
    CreateHost();
    m_pHost->m_session.InitiateContinuous(1, true);
    ShowMeasure();
    tarvexsim_clear_calls();
    for (int nId : {D::IDC_READING, D::IDC_UNITS})
    {
        Click(nId);
        QTest::mouseDClick(Controls().Item(nId), Qt::LeftButton);
    }
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(Calls(), std::vector<std::string>{});

    // A cycle that was running when continuous initiation came on ends, and the lock stays.
    Controls().Show(D::IDC_FETCH, true);
    Controls().Enable(D::IDC_FETCH, true);
    for (bool bFetch : {false, true})
    {
        SCOPED_TRACE(bFetch ? "Fetch" : "tick");
        Channel().SetCycle(C::CYCLE_WAITING);
        bFetch ? Click(D::IDC_FETCH) : Tick();
        EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
        EXPECT_EQ(EnabledLockable(), 0);
    }
}

TEST_F(CMeasurePanelTest, ACycleEndingWhileAnotherPanelIsShownShowsItsReadingWhenMeasureReturns)
{
    Start();
    Click(D::IDC_READING);
    ShowOtherPanel();
    tarvexsim_clear_calls();
    Tick();
    EXPECT_EQ(CountCalls("tarvex_fetch 1 "), 1)
        << "without a panel the immediate fetch does not end the cycle";
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_WAITING);
    tarvexsim_advance_ms(2000);
    Tick();
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_FALSE(IsBlank(Controller().GetReading()));
    ShowMeasure();
    EXPECT_EQ(ReadingText(), Controller().GetReading());
    EXPECT_EQ(EnabledLockable(), 10);
}

TEST_F(CMeasurePanelTest, WithoutAnInstrumentACycleEndsAtTheFirstTickWithTheNonLiveReading)
{
    Start(false);
    Click(D::IDC_READING);
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_WAITING);
    Tick();
    EXPECT_EQ(ReadingText(), "0.0");
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    Controller().ClearReading();
    Click(D::IDC_READ);
    EXPECT_EQ(ReadingText(), "0.0");
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{});
}

TEST_F(CMeasurePanelTest, AutoUpdateFetchesOnEveryTickAlsoWhileAnotherPanelIsShown)
{
    Start();
    m_pHost->OnAutoUpdateMode();
    Channel().SetCycle(C::CYCLE_WAITING); // a running cycle is not polled in this mode
    for (bool bShown : {true, false})
    {
        if (!bShown)
            ShowOtherPanel();
        tarvexsim_advance_ms(300);
        tarvexsim_clear_calls();
        Tick();
        EXPECT_EQ(Calls().size(), 2u) << bShown;
        EXPECT_EQ(FirstCall("tarvex_initiate 1 1 "), 0) << bShown;
        EXPECT_EQ(FirstCall("tarvex_fetch 1 "), 1) << bShown;
    }
    ShowMeasure();
    EXPECT_TRUE(m_pHost->IsAutoUpdateOn()) << "only the first refresh switches it off";
    EXPECT_FALSE(IsBlank(ReadingText()));
    EXPECT_EQ(ReadingText(), Controller().GetReading());
}

TEST_F(CMeasurePanelTest, AutoUpdateAgainstATimingOutInstrumentReportsOnceAndStops)
{
    Start();
    Click(D::IDC_READ);
    m_pHost->OnAutoUpdateMode();
    Channel().SetCycle(C::CYCLE_WAITING);
    tarvexsim_set_fault("tarvex_fetch", VI_ERROR_TMO, -1, nullptr);
    // The refresh that ends the recovery fails too, as against an instrument that is gone: not reported.
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_EQ(m_pHost->m_nAutoUpdateCommands, 2);
    EXPECT_FALSE(m_pHost->IsAutoUpdateOn());
    EXPECT_EQ(CountCalls("tarvex_fetch"), 1);
    EXPECT_GE(FirstCall("tarvex_initiate 1 2 \"OFF\""), 0);
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(EnabledLockable(), 10) << "the panel was refreshed";
    EXPECT_TRUE(IsBlank(ReadingText())) << "the reading before the failure is not shown as current";
}

TEST_F(CMeasurePanelTest, AFailedInitiateOrPollIsReportedOnceEvenWhenTheRecoveryFailsToo)
{
    const struct
    {
        bool bPoll;
        const char* pszFault;
        const char* pszRecoveryFault;
    } cases[] = {{false, "tarvex_abort", nullptr},         {false, "tarvex_initiate", nullptr},
                 {true, "tarvex_operQ", nullptr},          {true, "tarvex_arm", "tarvex_abort"},
                 {true, "tarvex_fetch", "tarvex_ieeecom"}, {true, "tarvex_operQ", "tarvex_sense"}};
    Start();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszFault);
        m_messages.Clear();
        if (c.bPoll)
            Click(D::IDC_READING);
        for (const char* pszEntryPoint : {c.pszFault, c.pszRecoveryFault})
            if (pszEntryPoint != nullptr)
                tarvexsim_set_fault(pszEntryPoint, VI_ERROR_TMO, 1, nullptr);
        c.bPoll ? Tick() : Click(D::IDC_READING);
        EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
        EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
        EXPECT_EQ(EnabledLockable(), 10);
        tarvexsim_clear_faults();
    }
}

TEST_F(CMeasurePanelTest, AFailedReadOrHiddenFetchClearsAbortsAndEndsTheCycleWithOneReport)
{
    Start();
    ReportExternalArming();
    Controls().Show(D::IDC_FETCH, true);
    Controls().Enable(D::IDC_FETCH, true);
    // In a cycle and out of one: the failed measurement's cycle is over, no reading is shown as current,
    // and the next tick neither polls nor reports again.
    for (const auto& [nButton, pszEntryPoint, bInCycle] : {std::tuple{D::IDC_READ, "tarvex_read", true},
                                                           {D::IDC_FETCH, "tarvex_fetch", true},
                                                           {D::IDC_READ, "tarvex_read", false},
                                                           {D::IDC_FETCH, "tarvex_fetch", false}})
    {
        SCOPED_TRACE(std::string(pszEntryPoint) + (bInCycle ? " in a cycle" : ""));
        m_messages.Clear();
        Click(D::IDC_READ);
        ASSERT_FALSE(IsBlank(ReadingText()));
        if (bInCycle)
            Click(D::IDC_READING);
        tarvexsim_set_fault(pszEntryPoint, VI_ERROR_TMO, 1, nullptr);
        tarvexsim_clear_calls();
        Click(nButton);
        EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
        EXPECT_GT(FirstCall("tarvex_ieeecom \"*CLS\""), FirstCall("tarvex_abort 1 "));
        EXPECT_TRUE(IsBlank(ReadingText()));
        EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
        EXPECT_EQ(EnabledLockable(), 10);
        tarvexsim_clear_calls();
        Tick();
        EXPECT_EQ(Calls(), std::vector<std::string>{});
        EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    }
    Click(D::IDC_READING);
    tarvexsim_advance_ms(2000);
    Click(D::IDC_FETCH);
    EXPECT_FALSE(IsBlank(ReadingText()));
    EXPECT_EQ(Channel().GetCycle(), C::CYCLE_IDLE);
    EXPECT_EQ(EnabledLockable(), 10);
}

TEST_F(CMeasurePanelTest, ATickWhileADriverCallIsInProgressIsSkipped)
{
    Start();
    m_pHost->OnAutoUpdateMode();
    struct SInside
    {
        CMeasureController* pController;
        int nCallsBefore = -1, nCallsAfter = -1;
    } inside{&Controller()};
    tarvexsim_set_hook(
        "tarvex_abort",
        [](void* pContext)
        {
            auto& tick = *static_cast<SInside*>(pContext);
            tick.nCallsBefore = tarvexsim_call_count();
            tick.pController->OnTimerTick();
            tick.nCallsAfter = tarvexsim_call_count();
        },
        &inside);
    Click(D::IDC_READING);
    EXPECT_GE(inside.nCallsBefore, 0) << "the hook ran";
    EXPECT_EQ(inside.nCallsAfter, inside.nCallsBefore);
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{});
}

// Each way a reading reaches the display publishes it once, with what the display shows beside it; the
// same reading fetched twice in one tick, the totals kept unseen, a repaint of the kept reading and the
// operator's settings publish nothing.
TEST_F(CMeasurePanelTest, EveryReadingObtainedForTheDisplayIsPublishedOnce)
{
    class CRecordingSink : public readings::IReadingSink
    {
    public:
        void OnReading(const readings::SReading& reading) override { m_readings.push_back(reading); }
        std::vector<readings::SReading> m_readings;
    } sink;
    const auto nothing = [] {};
    const struct
    {
        const char* pszName;
        bool bLive;
        std::function<void()> prepare;
        std::function<void()> act;
        std::size_t nPublished;
        const char* pszFunction;
        const char* pszUnit;
        bool bFailed = false; // a failed measurement: published with an empty text
    } cases[] = {
        {"Read", true, nothing, [this] { Click(D::IDC_READ); }, 1, "FREQ", "Hz"},
        {"Fetch", true,
         [this]
         {
             ChooseFunction(1);
             Controls().Show(D::IDC_FETCH, true);
             Controls().Enable(D::IDC_FETCH, true);
             ReportExternalArming();
             Click(D::IDC_READING);
             tarvexsim_advance_ms(2000);
         },
         [this] { Click(D::IDC_FETCH); }, 1, "Period", "Sec"},
        {"CycleFetchedTwiceInItsTick", true, nothing,
         [this]
         {
             Click(D::IDC_READING);
             Tick();
         },
         1, "FREQ", "Hz"},
        {"CycleWaitingForTheGate", true, ReportExternalArming,
         [this]
         {
             Click(D::IDC_READING);
             Tick();
             tarvexsim_advance_ms(2000);
             Tick();
         },
         1, "FREQ", "Hz"},
        {"CycleEndingUnderAnotherPanel", true, nothing,
         [this]
         {
             Click(D::IDC_READING);
             ShowOtherPanel();
             Tick();
             tarvexsim_advance_ms(2000);
             Tick();
             ShowMeasure();
         },
         1, "FREQ", "Hz"},
        {"AutoUpdateTicksWithAndWithoutThePanel", true, [this] { m_pHost->OnAutoUpdateMode(); },
         [this]
         {
             Tick();
             ShowOtherPanel();
             tarvexsim_advance_ms(300);
             Tick();
             ShowMeasure();
         },
         2, "FREQ", "Hz"},
        {"TotalizeFirstTotalThenTheNewestOnAClick", true,
         [this]
         {
             ChooseFunction(10);
             Click(D::IDC_READING);
             tarvexsim_advance_ms(500);
         },
         [this]
         {
             Tick();
             tarvexsim_advance_ms(1000);
             Tick();
             Click(D::IDC_UNITS);
             QTest::mouseDClick(Controls().Item(D::IDC_UNITS), Qt::LeftButton);
         },
         2, "Totalize", "Events"},
        {"NonLiveRead", false, nothing, [this] { Click(D::IDC_READ); }, 1, "FREQ", "Hz"},
        {"FailedRead", true, [] { tarvexsim_set_fault("tarvex_read", VI_ERROR_TMO, 1, nullptr); },
         [this] { Click(D::IDC_READ); }, 1, "FREQ", "Hz", true},
        {"FailedCyclePoll", true,
         [this]
         {
             ChooseFunction(1);
             Click(D::IDC_READING);
             tarvexsim_set_fault("tarvex_fetch", VI_ERROR_TMO, 1, nullptr);
         },
         [this] { Tick(); }, 1, "Period", "Sec", true},
        {"FailedAutoUpdate", true,
         [this]
         {
             m_pHost->OnAutoUpdateMode();
             tarvexsim_set_fault("tarvex_fetch", VI_ERROR_TMO, 1, nullptr);
         },
         [this] { Tick(); }, 1, "FREQ", "Hz", true},
        {"SettingsAndRepaints", true, nothing,
         [this]
         {
             ChooseFunction(1);
             Click(D::IDC_SEND_CONFIG);
             Click(D::IDC_CHANNEL_2);
             ShowOtherPanel();
             ShowMeasure();
             Controller().Refresh(&Dialog());
         },
         0, "", ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_pHost.reset();
        tarvexsim_reset();
        tarvexsim_use_manual_clock(1);
        Start(c.bLive);
        m_pHost->m_readings.Subscribe(&sink);
        c.prepare();
        sink.m_readings.clear();
        c.act();
        EXPECT_EQ(sink.m_readings.size(), c.nPublished);
        if (sink.m_readings.empty())
            continue;
        const readings::SReading& last = sink.m_readings.back();
        EXPECT_EQ(last.strText, c.bFailed ? std::string() : Controller().GetReading());
        EXPECT_EQ(last.nChannel, 1);
        EXPECT_EQ(last.strFunction, c.pszFunction);
        EXPECT_EQ(last.strUnit, c.pszUnit);
        EXPECT_EQ(last.bLive, c.bLive);
        EXPECT_EQ(last.value.has_value(), !c.bFailed) << last.strText;
    }
}
