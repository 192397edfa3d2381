// The Arm panel against the simulated counter: the level rule, the source search, what the controls send,
// the lock while the Measure panel measures, and which failures are reported and which are dropped.

#include "SettingPanelFixture.h"

#include "panels/ArmPanel.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

#include <array>

namespace
{
// One arm's controls and the tarvex_arm items of its settings.
struct SArmUnderTest
{
    const char* pszName;
    int nSourceId, nSlopeId, nFirstLevelId; // the MIN radio; MAX and DEF follow
    int nSourceSet, nSourceQuery, nSlopeSet, nSlopeQuery, nLevelSet, nLevelQuery;
};

constexpr SArmUnderTest kStart{"start",
                               CArmDlg::IDC_START_SOURCE,
                               CArmDlg::IDC_START_SLOPE,
                               CArmDlg::IDC_START_MIN,
                               TARVEX_ARM_START_SOURCE_SET,
                               TARVEX_ARM_START_SOURCE_QUERY,
                               TARVEX_ARM_START_SLOPE_SET,
                               TARVEX_ARM_START_SLOPE_QUERY,
                               TARVEX_ARM_START_LEVEL_SET,
                               TARVEX_ARM_START_LEVEL_QUERY};
constexpr SArmUnderTest kStop{"stop",
                              CArmDlg::IDC_STOP_SOURCE,
                              CArmDlg::IDC_STOP_SLOPE,
                              CArmDlg::IDC_STOP_MIN,
                              TARVEX_ARM_STOP_SOURCE_SET,
                              TARVEX_ARM_STOP_SOURCE_QUERY,
                              TARVEX_ARM_STOP_SLOPE_SET,
                              TARVEX_ARM_STOP_SLOPE_QUERY,
                              TARVEX_ARM_STOP_LEVEL_SET,
                              TARVEX_ARM_STOP_LEVEL_QUERY};
constexpr std::array kArms{kStart, kStop};

using enum CArmDlg::EControlId;
constexpr std::array kSettingIds{IDC_START_SOURCE, IDC_STOP_SOURCE, IDC_START_SLOPE, IDC_STOP_SLOPE,
                                 IDC_START_MIN,    IDC_START_MAX,   IDC_START_DEF,   IDC_STOP_MIN,
                                 IDC_STOP_MAX,     IDC_STOP_DEF};

std::string ArmSet(int nItem, const std::string& value, int nStatus = 0)
{
    return "tarvex_arm " + std::to_string(nItem) + " \"" + value + "\" NULL -> " + std::to_string(nStatus);
}

std::string ArmQuery(int nItem)
{
    return "tarvex_arm " + std::to_string(nItem) + " NULL out -> 0";
}

// Makes the nth call of the entry point from now fail, through a chain of hooks run inside the calls.
struct SDelayedFault
{
    const char* pszEntryPoint;
    int nCallsLeft;
    int32_t nStatus;
};

void FailWhenDue(void* pContext)
{
    auto& fault = *static_cast<SDelayedFault*>(pContext);
    if (--fault.nCallsLeft == 0)
        tarvexsim_set_fault(fault.pszEntryPoint, fault.nStatus, 1, nullptr);
    else
        tarvexsim_set_hook(fault.pszEntryPoint, FailWhenDue, pContext);
}

class ArmPanelTest : public CSettingPanelFixture<CArmController>
{
protected:
    ArmPanelTest() : CSettingPanelFixture(PANEL_ARM) {}

    CMeasureController& Measure()
    {
        return static_cast<CMeasureController&>(*m_pHost->GetController(PANEL_MEASURE));
    }

    QComboBox& Combo(int nId) { return *Control<QComboBox>(nId); }

    // The operator picks an item of a source list.
    void ChooseSource(int nId, int nIndex)
    {
        Combo(nId).setCurrentIndex(nIndex);
        emit Combo(nId).activated(nIndex);
    }

    // The id of the checked radio of the level group, 0 when none is.
    int CheckedLevel(const SArmUnderTest& arm)
    {
        for (int nId = arm.nFirstLevelId; nId < arm.nFirstLevelId + 3; ++nId)
            if (Control<QRadioButton>(nId)->isChecked())
                return nId;
        return 0;
    }

    static void SetReplies(const char* pszSource, const char* pszSlope, const char* pszLevel)
    {
        for (const SArmUnderTest& arm : kArms)
        {
            tarvexsim_set_reply("tarvex_arm", arm.nSourceQuery, pszSource);
            tarvexsim_set_reply("tarvex_arm", arm.nSlopeQuery, pszSlope);
            tarvexsim_set_reply("tarvex_arm", arm.nLevelQuery, pszLevel);
        }
    }

    void ExpectEnabled(bool bEnabled)
    {
        for (const int nId : kSettingIds)
            EXPECT_EQ(Control(nId)->isEnabled(), bEnabled) << nId;
    }
};

TEST(ArmLevelRule, OnlyTheExactMinDefAndMaxLevelsNameALevel)
{
    const struct
    {
        const char* pszReply;
        EArmLevel level;
    } cases[] = {
        {"1.6", ARM_LEVEL_MAX},       {"+1.60", ARM_LEVEL_MAX},
        {"1.6E+0", ARM_LEVEL_MAX},    {" 1.6V", ARM_LEVEL_MAX},
        {".16e1", ARM_LEVEL_MAX},     {"0", ARM_LEVEL_DEF},
        {"0.0", ARM_LEVEL_DEF},       {"", ARM_LEVEL_DEF},
        {"-0", ARM_LEVEL_DEF},        {"DEF", ARM_LEVEL_DEF},
        {"- 1.3", ARM_LEVEL_DEF},     {"-1.3", ARM_LEVEL_MIN},
        {"-13e-1", ARM_LEVEL_MIN},    {"1.5", ARM_LEVEL_NONE},
        {"-1.30001", ARM_LEVEL_NONE}, {"1.6000001", ARM_LEVEL_NONE},
        {"0.0001", ARM_LEVEL_NONE},   {"nan", ARM_LEVEL_DEF}, // no number reads as 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArmLevelOfReply(c.pszReply), c.level) << '"' << c.pszReply << '"';
}

TEST_F(ArmPanelTest, BothSourceListsHoldTheSentTableInOrderAndEachChoiceSendsItsEntry)
{
    Show();
    EXPECT_EQ(ArmSourceText(-1), nullptr);
    EXPECT_EQ(ArmSourceText(12), nullptr);
    for (const SArmUnderTest& arm : kArms)
    {
        SCOPED_TRACE(arm.pszName);
        ASSERT_EQ(Combo(arm.nSourceId).count(), 12);
        std::vector<std::string> expected;
        tarvexsim_clear_calls();
        for (int i = 11; i >= 0; --i)
        {
            ASSERT_NE(ArmSourceText(i), nullptr);
            EXPECT_EQ(Combo(arm.nSourceId).itemText(i).toStdString(), ArmSourceText(i));
            ChooseSource(arm.nSourceId, i);
            expected.push_back(ArmSet(arm.nSourceSet, ArmSourceText(i)));
        }
        EXPECT_EQ(Calls(), expected);
    }
}

TEST_F(ArmPanelTest, TheWheelChangesASourceOnlyInTheListThatHasTheKeyboardFocus)
{
    Show();
    m_pHost->m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_pHost->m_window));
    const auto scroll = [](QComboBox& combo)
    {
        const QPointF centre = QRectF(combo.rect()).center();
        QWheelEvent wheel(centre, combo.mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&combo, &wheel);
    };
    for (const SArmUnderTest& arm : kArms)
    {
        SCOPED_TRACE(arm.pszName);
        QComboBox& combo = Combo(arm.nSourceId);
        combo.clearFocus();
        const int nShown = combo.currentIndex();
        tarvexsim_clear_calls();
        scroll(combo);
        EXPECT_EQ(combo.currentIndex(), nShown);
        EXPECT_EQ(Calls(), std::vector<std::string>{});
        combo.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(combo.hasFocus());
        scroll(combo);
        EXPECT_EQ(combo.currentIndex(), nShown + 1);
        EXPECT_EQ(Calls(), std::vector<std::string>{ArmSet(arm.nSourceSet, ArmSourceText(nShown + 1))});
    }
}

TEST_F(ArmPanelTest, ASourceReplySelectsTheFirstItemItBeginsIgnoringCase)
{
    const struct
    {
        const char* pszReply;
        const char* pszSelected; // null: the selection stays as it was
    } cases[] = {
        {"ttlt3", "TTLT3"}, {"TTLT", "TTLT0"}, {"bu", "BUS"},     {"Hold", "HOLD"},   {"E", "EXT"},
        {"XYZ", nullptr},   {"IMMX", nullptr}, {" IMM", nullptr}, {"TTLT8", nullptr},
    };
    Show();
    for (const SArmUnderTest& arm : kArms)
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE(std::string(arm.pszName) + " \"" + c.pszReply + '"');
            tarvexsim_set_reply("tarvex_arm", arm.nSourceQuery, "IMM");
            Sync();
            tarvexsim_set_reply("tarvex_arm", arm.nSourceQuery, c.pszReply);
            Sync();
            EXPECT_EQ(Combo(arm.nSourceId).currentText().toStdString(),
                      c.pszSelected ? c.pszSelected : "IMM");
        }
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(ArmPanelTest, OnlyExactlyPosShowsThePositiveSlope)
{
    Show();
    for (const SArmUnderTest& arm : kArms)
    {
        for (const auto& [pszReply, nState] :
             {std::pair{"POS", 0}, {"NEG", 1}, {"pos", 1}, {"POS ", 1}, {"", 1}})
        {
            SCOPED_TRACE(std::string(arm.pszName) + " \"" + pszReply + '"');
            tarvexsim_set_reply("tarvex_arm", arm.nSlopeQuery, nState == 0 ? "NEG" : "POS");
            Sync();
            tarvexsim_set_reply("tarvex_arm", arm.nSlopeQuery, pszReply);
            Sync();
            EXPECT_EQ(Toggle(arm.nSlopeId).GetState(), nState);
            EXPECT_EQ(Toggle(arm.nSlopeId).Caption(), nState == 0 ? "Slope +" : "Slope -");
        }
    }
}

// The other arm's radios follow the level rule: a reply naming no level leaves them as they were.
TEST_F(ArmPanelTest, EachLevelRadioSendsItsLevelThenReReadsTheOtherArmsLevel)
{
    for (const auto& [arm, other] : {std::pair{kStart, kStop}, {kStop, kStart}})
    {
        for (const auto& [nOffset, pszLevel] : {std::pair{0, "MIN"}, {1, "MAX"}, {2, "DEF"}})
        {
            SCOPED_TRACE(std::string(arm.pszName) + ' ' + pszLevel);
            SetReplies("EXT", "POS", "0");
            Show();
            ASSERT_EQ(CheckedLevel(other), other.nFirstLevelId + 2);
            tarvexsim_set_reply("tarvex_arm", other.nLevelQuery, "-1.3");
            tarvexsim_clear_calls();
            testsupport::Click(Control(arm.nFirstLevelId + nOffset));
            EXPECT_EQ(Calls(), (std::vector<std::string>{ArmSet(arm.nLevelSet, pszLevel),
                                                         ArmQuery(other.nLevelQuery)}));
            EXPECT_EQ(CheckedLevel(arm), arm.nFirstLevelId + nOffset);
            EXPECT_EQ(CheckedLevel(other), other.nFirstLevelId);

            tarvexsim_set_reply("tarvex_arm", other.nLevelQuery, "1.5");
            testsupport::Click(Control(arm.nFirstLevelId + (nOffset + 1) % 3));
            EXPECT_EQ(CheckedLevel(other), other.nFirstLevelId);
        }
    }
}

TEST_F(ArmPanelTest, ASlopeClickSendsTheNewSlopeAndADoubleClickSendsTwiceEndingWhereItBegan)
{
    SetReplies("EXT", "POS", "0");
    for (const SArmUnderTest& arm : kArms)
    {
        SCOPED_TRACE(arm.pszName);
        Show();
        CToggleButton& toggle = Toggle(arm.nSlopeId);
        const QPoint centre = toggle.rect().center();
        tarvexsim_clear_calls();
        QTest::mouseClick(&toggle, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(&toggle, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(&toggle, Qt::LeftButton, {}, centre);
        EXPECT_EQ(toggle.GetState(), 0);
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{ArmSet(arm.nSlopeSet, "NEG"), ArmSet(arm.nSlopeSet, "POS")}));
        EXPECT_STREQ(tarvexsim_query("tarvex_arm", 0, arm.nSlopeQuery), "POS");
    }
}

// Once locked, the controls stay disabled until the panel is shown again, even after the lock is lifted.
TEST_F(ArmPanelTest, WhileMeasuringTheTenControlsAreDisabledAndTheInstrumentIsNotRead)
{
    Show();
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           ArmQuery(TARVEX_ARM_START_SOURCE_QUERY), ArmQuery(TARVEX_ARM_STOP_SOURCE_QUERY),
                           ArmQuery(TARVEX_ARM_START_SLOPE_QUERY), ArmQuery(TARVEX_ARM_STOP_SLOPE_QUERY),
                           ArmQuery(TARVEX_ARM_START_LEVEL_QUERY), ArmQuery(TARVEX_ARM_STOP_LEVEL_QUERY)}));
    ExpectEnabled(true);
    const struct
    {
        bool bAutoUpdate;
        CMeasureChannel::ECycle nCycle;
    } cases[] = {{true, CMeasureChannel::CYCLE_IDLE},
                 {false, CMeasureChannel::CYCLE_WAITING},
                 {false, CMeasureChannel::CYCLE_TOTALIZING}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "auto update " << c.bAutoUpdate << " cycle " << int(c.nCycle));
        m_pHost->m_bAutoUpdate = c.bAutoUpdate;
        Measure().GetCurrentChannel()->SetCycle(c.nCycle);
        tarvexsim_clear_calls();
        Show();
        Sync();
        Controller().OnTimerTick();
        EXPECT_EQ(Calls(), std::vector<std::string>{});
        ExpectEnabled(false);

        m_pHost->m_bAutoUpdate = false;
        Measure().GetCurrentChannel()->SetCycle(CMeasureChannel::CYCLE_IDLE);
        Sync();
        EXPECT_EQ(Calls().size(), 6U);
        ExpectEnabled(false);
    }
    Show();
    ExpectEnabled(true);
}

TEST_F(ArmPanelTest, HandlerFailuresAreDroppedAndTheOperatorsChoiceStaysShown)
{
    SetReplies("EXT", "POS", "0");
    Show();
    tarvexsim_set_fault("tarvex_arm", VI_ERROR_TMO, 3, nullptr);
    tarvexsim_clear_calls();
    testsupport::Click(Control(kStart.nFirstLevelId + 1));
    testsupport::Click(&Toggle(kStop.nSlopeId));
    ChooseSource(kStop.nSourceId, 3);
    EXPECT_EQ(Calls(), (std::vector<std::string>{ArmSet(TARVEX_ARM_START_LEVEL_SET, "MAX", VI_ERROR_TMO),
                                                 ArmSet(TARVEX_ARM_STOP_SLOPE_SET, "NEG", VI_ERROR_TMO),
                                                 ArmSet(TARVEX_ARM_STOP_SOURCE_SET, "HOLD", VI_ERROR_TMO)}))
        << "a failed level is not followed by the re-read";
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_TRUE(m_pHost->m_timer.m_events.empty());
    EXPECT_EQ(CheckedLevel(kStart), kStart.nFirstLevelId + 1);
    EXPECT_EQ(Toggle(kStop.nSlopeId).GetState(), 1);
    EXPECT_EQ(Combo(kStop.nSourceId).currentText(), "HOLD");
}

TEST_F(ArmPanelTest, ARefreshFailureIsReportedAndKeepsWhatWasAlreadyRead)
{
    SetReplies("EXT", "POS", "0");
    Show();
    SetReplies("BUS", "NEG", "1.6");
    SDelayedFault fault{"tarvex_arm", 3, VI_ERROR_TMO}; // the start slope, after both sources
    tarvexsim_set_hook("tarvex_arm", FailWhenDue, &fault);
    tarvexsim_clear_calls();
    Sync();
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_EQ(m_pHost->m_timer.m_events, (std::vector<int>{-1, 300}));
    EXPECT_EQ(CallsStarting("tarvex_arm").size(), 3U);
    for (const SArmUnderTest& arm : kArms)
    {
        EXPECT_EQ(Combo(arm.nSourceId).currentText(), "BUS");
        EXPECT_EQ(Toggle(arm.nSlopeId).GetState(), 0);
        EXPECT_EQ(CheckedLevel(arm), arm.nFirstLevelId + 2);
    }
    Sync();
    EXPECT_FALSE(Controller().HasRefreshFailed());
    EXPECT_EQ(CheckedLevel(kStop), kStop.nFirstLevelId + 1);
}

TEST_F(ArmPanelTest, TheFrameTakesThePanelsSizeAndDestroyingThePanelClearsItsPointer)
{
    Show();
    EXPECT_EQ(Panel()->pos(), QPoint(0, 1));
    EXPECT_EQ(m_pHost->m_window.size(), Panel()->size());
    SavePicture("arm");
    Controller().DestroyPanel();
    EXPECT_EQ(Controller().GetPanel(), nullptr);
}
} // namespace
