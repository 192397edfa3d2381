// The Event Trig panel against the simulated counter: the level checks while typing and the re-reading
// they start, what each control sends, the channel choice, and which failures are reported.

#include "SettingPanelFixture.h"

#include "panels/EventTrigPanel.h"

#include <QLineEdit>
#include <QTest>

namespace
{
using enum CEventTrigDlg::EControlId;

// What the partial re-read asks on channel 1 while the slope toggle shows POS.
const std::vector<std::string> kUpdateCalls{"tarvex_sense 1 11 0 out -> 0", "tarvex_sense 1 7 0 out -> 0",
                                            "tarvex_sense 1 13 0 out -> 0"};

class EventTrigPanelTest : public CSettingPanelFixture<CEventTrigController>
{
protected:
    EventTrigPanelTest() : CSettingPanelFixture(PANEL_EVENT_TRIG) {}

    void SetUp() override
    {
        CSettingPanelFixture::SetUp();
        Reply(TARVEX_SENSE_SLOPE_QUERY, "POS");
        Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, "0");
        Reply(TARVEX_SENSE_HYSTERESIS_QUERY, "DEF");
        Reply(TARVEX_SENSE_TRIGGER_LEVEL_QUERY, "+1.5");
        Reply(TARVEX_SENSE_RELATIVE_LEVEL_QUERY, "+50");
    }

    static void Reply(int nItem, const char* pszText) { tarvexsim_set_reply("tarvex_sense", nItem, pszText); }

    QLineEdit& Edit(int nId) { return *Control<QLineEdit>(nId); }
    QAbstractButton& Button(int nId) { return *Control<QAbstractButton>(nId); }
    bool IsChecked(int nId) { return Button(nId).isChecked(); }
    bool IsEnabled(int nId) { return Control(nId)->isEnabled(); }

    CMeasureController& Measure()
    {
        return static_cast<CMeasureController&>(*m_pHost->GetController(PANEL_MEASURE));
    }
};

TEST_F(EventTrigPanelTest, ShowingReadsTheWholePanelOfTheCurrentChannel)
{
    Reply(TARVEX_SENSE_SLOPE_QUERY, "NEG");
    Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, "1");
    Reply(TARVEX_SENSE_HYSTERESIS_QUERY, "MIN");
    Reply(TARVEX_SENSE_TRIGGER_LEVEL_QUERY, "+2.5");
    Reply(TARVEX_SENSE_RELATIVE_LEVEL_QUERY, "+30");
    Show();
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 1");
    EXPECT_TRUE(IsEnabled(IDC_CHANNEL));
    EXPECT_EQ(Toggle(IDC_SLOPE).Caption(), "Slope NEG");
    EXPECT_TRUE(IsChecked(IDC_AUTO_ON));
    EXPECT_FALSE(IsChecked(IDC_AUTO_OFF));
    EXPECT_TRUE(IsChecked(IDC_HYST_MIN));
    // With automatic triggering on the level reads "AUTO", which cannot be sent.
    EXPECT_EQ(Edit(IDC_TRIG_LEVEL).text(), "AUTO");
    EXPECT_FALSE(IsEnabled(IDC_SEND_LEV));
    EXPECT_EQ(Edit(IDC_REL_LEVEL).text(), "+30");
    EXPECT_TRUE(IsEnabled(IDC_SEND_REL));
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(EventTrigPanelTest, OnlyTheExactRepliesCheckRadiosAndOthersLeaveThemAsTheyAre)
{
    const struct
    {
        const char* pszAuto;
        int nAutoChecked; // 0: neither radio
        const char* pszHyst;
        int nHystChecked;
    } cases[] = {
        {"1", IDC_AUTO_ON, "MAX", IDC_HYST_MAX},
        {"+1", IDC_AUTO_ON, "DEF", IDC_HYST_DEF},
        {"0", IDC_AUTO_OFF, "MIN", IDC_HYST_MIN},
        {"", IDC_AUTO_OFF, "min", 0},
        {"2", 0, "MAX ", 0},
        {"-1", 0, "", 0},
    };
    for (const auto& c : cases)
    {
        Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, c.pszAuto);
        Reply(TARVEX_SENSE_HYSTERESIS_QUERY, c.pszHyst);
        Show();
        EXPECT_EQ(IsChecked(IDC_AUTO_ON), c.nAutoChecked == IDC_AUTO_ON) << '"' << c.pszAuto << '"';
        EXPECT_EQ(IsChecked(IDC_AUTO_OFF), c.nAutoChecked == IDC_AUTO_OFF) << '"' << c.pszAuto << '"';
        for (int nId : {IDC_HYST_MIN, IDC_HYST_MAX, IDC_HYST_DEF})
            EXPECT_EQ(IsChecked(nId), c.nHystChecked == nId) << '"' << c.pszHyst << '"';
    }
}

TEST_F(EventTrigPanelTest, TypingFourThenFiveEnablesSendRelAtFortyFiveAndOnlyThenReReads)
{
    Show();
    QLineEdit& edit = Edit(IDC_REL_LEVEL);
    edit.setText("");
    ASSERT_FALSE(IsEnabled(IDC_SEND_REL));
    tarvexsim_clear_calls();
    QTest::keyClicks(&edit, "4");
    EXPECT_FALSE(IsEnabled(IDC_SEND_REL));
    EXPECT_EQ(tarvexsim_call_count(), 0);
    QTest::keyClicks(&edit, "5");
    EXPECT_EQ(edit.text(), "45");
    EXPECT_TRUE(IsEnabled(IDC_SEND_REL));
    EXPECT_EQ(Calls(), kUpdateCalls);
    // Every acceptable text re-reads, also one that keeps Send REL enabled.
    tarvexsim_clear_calls();
    QTest::keyClicks(&edit, ".");
    EXPECT_TRUE(IsEnabled(IDC_SEND_REL));
    EXPECT_EQ(Calls(), kUpdateCalls);
}

TEST_F(EventTrigPanelTest, SendButtonsSendTheTextExactlyAsTypedThenReRead)
{
    const struct
    {
        int nEditId;
        int nSendId;
        const char* pszText;
        const char* pszCall;
    } cases[] = {
        {IDC_TRIG_LEVEL, IDC_SEND_LEV, "5V", "tarvex_sense 1 4 5 NULL -> 0"},
        {IDC_TRIG_LEVEL, IDC_SEND_LEV, "MIN", "tarvex_sense 1 4 0 \"MIN\" -> 0"},
        {IDC_TRIG_LEVEL, IDC_SEND_LEV, "-1.25", "tarvex_sense 1 4 -1.25 NULL -> 0"},
        {IDC_REL_LEVEL, IDC_SEND_REL, "50abc", "tarvex_sense 1 8 50 NULL -> 0"},
        {IDC_REL_LEVEL, IDC_SEND_REL, "DEF", "tarvex_sense 1 8 0 \"DEF\" -> 0"},
    };
    Show();
    for (const auto& c : cases)
    {
        Edit(c.nEditId).setText(c.pszText);
        tarvexsim_clear_calls();
        testsupport::Click(&Button(c.nSendId));
        std::vector<std::string> expected{c.pszCall};
        expected.insert(expected.end(), kUpdateCalls.begin(), kUpdateCalls.end());
        EXPECT_EQ(Calls(), expected) << c.pszText;
    }
}

TEST_F(EventTrigPanelTest, HysteresisReplyOfMaxChecksMaxAfterASend)
{
    Reply(TARVEX_SENSE_HYSTERESIS_QUERY, "MIN");
    Show();
    ASSERT_TRUE(IsChecked(IDC_HYST_MIN));
    Reply(TARVEX_SENSE_HYSTERESIS_QUERY, "MAX");
    testsupport::Click(&Button(IDC_SEND_REL));
    EXPECT_TRUE(IsChecked(IDC_HYST_MAX));
    EXPECT_FALSE(IsChecked(IDC_HYST_MIN));
}

TEST_F(EventTrigPanelTest, RadioButtonsSendTheirKeywordAndReadNothingBack)
{
    const struct
    {
        int nCtrlId;
        const char* pszCall;
    } cases[] = {
        {IDC_AUTO_ON, "tarvex_sense 1 6 0 \"ON\" -> 0"},
        {IDC_AUTO_OFF, "tarvex_sense 1 6 0 \"OFF\" -> 0"},
        {IDC_HYST_MIN, "tarvex_sense 1 12 0 \"MIN\" -> 0"},
        {IDC_HYST_MAX, "tarvex_sense 1 12 0 \"MAX\" -> 0"},
        {IDC_HYST_DEF, "tarvex_sense 1 12 0 \"DEF\" -> 0"},
    };
    Reply(TARVEX_SENSE_HYSTERESIS_QUERY, "");
    Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, "");
    Show();
    for (const auto& c : cases)
    {
        tarvexsim_clear_calls();
        testsupport::Click(&Button(c.nCtrlId));
        EXPECT_TRUE(IsChecked(c.nCtrlId)) << c.nCtrlId;
        EXPECT_EQ(Calls(), std::vector<std::string>{c.pszCall}) << c.nCtrlId;
    }
}

TEST_F(EventTrigPanelTest, OnceChecksTheRadioTheInstrumentReports)
{
    const struct
    {
        const char* pszBefore;
        const char* pszAfter;
        int nChecked;
    } cases[] = {
        {"0", "1", IDC_AUTO_ON},
        {"1", "0", IDC_AUTO_OFF},
        {"1", "", IDC_AUTO_OFF},
        {"1", "7", IDC_AUTO_ON},
    };
    for (const auto& c : cases)
    {
        Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, c.pszBefore);
        Show();
        Reply(TARVEX_SENSE_AUTO_TRIGGER_QUERY, c.pszAfter);
        tarvexsim_clear_calls();
        testsupport::Click(&Button(IDC_ONCE));
        EXPECT_EQ(Calls(), (std::vector<std::string>{"tarvex_sense 1 6 0 \"ONCE\" -> 0",
                                                     "tarvex_sense 1 7 0 out -> 0"}));
        EXPECT_TRUE(IsChecked(c.nChecked)) << c.pszBefore << " then " << c.pszAfter;
        EXPECT_FALSE(IsChecked(c.nChecked == IDC_AUTO_ON ? IDC_AUTO_OFF : IDC_AUTO_ON));
    }
}

TEST_F(EventTrigPanelTest, SlopeDoubleClickSendsTwiceAndEndsWhereItBegan)
{
    Show();
    CToggleButton& slope = Toggle(IDC_SLOPE);
    ASSERT_EQ(slope.GetState(), 0);
    Reply(TARVEX_SENSE_SLOPE_QUERY, nullptr);
    tarvexsim_clear_calls();
    QTest::mouseClick(&slope, Qt::LeftButton, {}, slope.rect().center());
    QTest::mouseDClick(&slope, Qt::LeftButton, {}, slope.rect().center());
    QTest::mouseRelease(&slope, Qt::LeftButton, {}, slope.rect().center());
    EXPECT_EQ(slope.GetState(), 0);
    EXPECT_EQ(
        CallsStarting("tarvex_sense 1 10 "),
        (std::vector<std::string>{"tarvex_sense 1 10 0 \"NEG\" -> 0", "tarvex_sense 1 10 0 \"POS\" -> 0"}));
    EXPECT_EQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY), std::string("POS"));
}

// The partial re-read turns a POS toggle to NEG when the instrument says so, but never back.
TEST_F(EventTrigPanelTest, ReReadFollowsANegativeSlopeButLeavesANegativeToggleAlone)
{
    Show();
    CToggleButton& slope = Toggle(IDC_SLOPE);
    Reply(TARVEX_SENSE_SLOPE_QUERY, "NEG");
    testsupport::Click(&Button(IDC_SEND_REL));
    EXPECT_EQ(slope.GetState(), 1);
    Reply(TARVEX_SENSE_SLOPE_QUERY, "POS");
    tarvexsim_clear_calls();
    testsupport::Click(&Button(IDC_SEND_REL));
    EXPECT_EQ(slope.GetState(), 1);
    EXPECT_TRUE(CallsStarting("tarvex_sense 1 11 ").empty());
    Sync();
    EXPECT_EQ(slope.GetState(), 0);
}

TEST_F(EventTrigPanelTest, QueryReplacesWhateverWasTypedWithTheInstrumentsLevels)
{
    Show();
    Edit(IDC_TRIG_LEVEL).setText("3");
    Edit(IDC_REL_LEVEL).setText("77");
    Reply(TARVEX_SENSE_TRIGGER_LEVEL_QUERY, "-0.25");
    Reply(TARVEX_SENSE_RELATIVE_LEVEL_QUERY, "+20");
    testsupport::Click(&Button(IDC_QUERY));
    EXPECT_EQ(Edit(IDC_TRIG_LEVEL).text(), "-0.25");
    EXPECT_EQ(Edit(IDC_REL_LEVEL).text(), "+20");
}

TEST_F(EventTrigPanelTest, ChannelToggleIsDisabledAfterEveryRefreshUnderAutoUpdateMode)
{
    m_pHost->m_bAutoUpdate = true;
    Show();
    EXPECT_FALSE(IsEnabled(IDC_CHANNEL));
    Sync();
    EXPECT_FALSE(IsEnabled(IDC_CHANNEL));
    m_pHost->m_bAutoUpdate = false;
    Sync();
    EXPECT_TRUE(IsEnabled(IDC_CHANNEL));
}

TEST_F(EventTrigPanelTest, ChannelTwoIsReadAtOnceAndKeptWhenThePanelIsShownAgain)
{
    Show();
    tarvexsim_clear_calls();
    testsupport::Click(&Toggle(IDC_CHANNEL));
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 2");
    EXPECT_FALSE(CallsStarting("tarvex_sense 2 11 ").empty());
    EXPECT_TRUE(CallsStarting("tarvex_sense 1 ").empty());

    m_pHost->ShowPanel(PANEL_MEASURE);
    testsupport::ProcessEvents();
    tarvexsim_clear_calls();
    Show();
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 2");
    EXPECT_FALSE(CallsStarting("tarvex_sense 2 13 ").empty());
    EXPECT_TRUE(CallsStarting("tarvex_sense 1 ").empty());

    // What the panel sends goes to channel 2 as well.
    tarvexsim_clear_calls();
    testsupport::Click(&Button(IDC_HYST_MAX));
    EXPECT_EQ(Calls(), std::vector<std::string>{"tarvex_sense 2 12 0 \"MAX\" -> 0"});
}

TEST_F(EventTrigPanelTest, HandlerFailuresAreDroppedSilentlyButAChannelChangeReports)
{
    Show();
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    testsupport::Click(&Button(IDC_AUTO_ON));
    EXPECT_TRUE(IsChecked(IDC_AUTO_ON));
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    Edit(IDC_TRIG_LEVEL).setText("2");
    EXPECT_TRUE(IsEnabled(IDC_SEND_LEV));
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    testsupport::Click(&Toggle(IDC_SLOPE));
    EXPECT_EQ(Toggle(IDC_SLOPE).GetState(), 1);
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_EQ(m_pHost->m_session.GetLastStatus(), VI_ERROR_TMO);

    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    testsupport::Click(&Toggle(IDC_CHANNEL));
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 2");
}

TEST_F(EventTrigPanelTest, AFailedRefreshIsReportedAndTheNextOneReadsAgain)
{
    Show();
    Edit(IDC_REL_LEVEL).setText("77");
    Reply(TARVEX_SENSE_SLOPE_QUERY, "NEG");
    tarvexsim_set_fault("tarvex_sense", -5, 1, nullptr);
    Sync();
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"General error, possible reentry"});
    EXPECT_EQ(Toggle(IDC_SLOPE).GetState(), 0);
    EXPECT_EQ(Edit(IDC_REL_LEVEL).text(), "77");
    Sync();
    EXPECT_FALSE(Controller().HasRefreshFailed());
    EXPECT_EQ(Toggle(IDC_SLOPE).GetState(), 1);
    EXPECT_EQ(Edit(IDC_REL_LEVEL).text(), "+50");
}

// The frame is fitted before the panel moves one pixel down.
TEST_F(EventTrigPanelTest, FrameTakesThePanelsSizeAndThePanelSitsOnePixelDown)
{
    Show();
    EXPECT_EQ(Panel()->pos(), QPoint(0, 1));
    EXPECT_EQ(m_pHost->m_window.size(), Panel()->size());
    SavePicture("event_trig");
}
} // namespace
