// The Input Config panel against the simulated counter: what the instrument's replies show, what a click
// sends, the channel choice and its routing rule, and the reported failures.

#include "SettingPanelFixture.h"

#include "panels/InputConfigPanel.h"

#include <QTest>

namespace
{
using enum CInputConfigDlg::EControlId;

class InputConfigPanelTest : public CSettingPanelFixture<CInputConfigController>
{
protected:
    InputConfigPanelTest() : CSettingPanelFixture(PANEL_INPUT_CONFIG) {}
};

TEST_F(InputConfigPanelTest, RepliesShowTheirCaptionsByLeadingNumberOrExactText)
{
    const struct
    {
        int nItem;
        const char* pszReply;
        int nCtrlId;
        const char* pszCaption;
    } cases[] = {
        {TARVEX_INPUT_ATTENUATION_QUERY, "10", IDC_ATTENUATION, "x10"},
        {TARVEX_INPUT_ATTENUATION_QUERY, "+10", IDC_ATTENUATION, "x10"},
        {TARVEX_INPUT_ATTENUATION_QUERY, "1", IDC_ATTENUATION, "x1"},
        {TARVEX_INPUT_ATTENUATION_QUERY, "+1", IDC_ATTENUATION, "x1"},
        {TARVEX_INPUT_ATTENUATION_QUERY, " 1.9", IDC_ATTENUATION, "x1"},
        {TARVEX_INPUT_ATTENUATION_QUERY, "", IDC_ATTENUATION, "x10"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "50", IDC_IMPEDANCE, "50 ohm"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "50.0", IDC_IMPEDANCE, "50 ohm"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "+5.00000E+001", IDC_IMPEDANCE, "50 ohm"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "1e6", IDC_IMPEDANCE, "1 M ohm"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "49.9", IDC_IMPEDANCE, "1 M ohm"},
        {TARVEX_INPUT_IMPEDANCE_QUERY, "", IDC_IMPEDANCE, "1 M ohm"},
        {TARVEX_INPUT_COUPLING_QUERY, "DC", IDC_COUPLING, "DC"},
        {TARVEX_INPUT_COUPLING_QUERY, "dc", IDC_COUPLING, "AC"},
        {TARVEX_INPUT_COUPLING_QUERY, "DC ", IDC_COUPLING, "AC"},
        {TARVEX_INPUT_ROUTING_QUERY, "COMM", IDC_ROUTING, "Common"},
        {TARVEX_INPUT_ROUTING_QUERY, "comm", IDC_ROUTING, "Separate"},
        {TARVEX_INPUT_ROUTING_QUERY, "SEP", IDC_ROUTING, "Separate"},
    };
    for (const auto& c : cases)
    {
        tarvexsim_set_reply("tarvex_input", c.nItem, c.pszReply);
        Show();
        EXPECT_EQ(Toggle(c.nCtrlId).Caption(), c.pszCaption) << '"' << c.pszReply << '"';
        tarvexsim_set_reply("tarvex_input", c.nItem, nullptr);
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(InputConfigPanelTest, EachClickSendsTheTextOfTheStateNowShownAndNothingIsReadBack)
{
    const struct
    {
        int nCtrlId;
        const char* pszFirst;  // sent by the first click, from state 0
        const char* pszSecond; // sent by the second click, back in state 0
    } cases[] = {
        {IDC_ATTENUATION, "tarvex_input 1 1 \"MAX\" -> 0", "tarvex_input 1 1 \"MIN\" -> 0"},
        {IDC_COUPLING, "tarvex_input 1 3 \"AC\" -> 0", "tarvex_input 1 3 \"DC\" -> 0"},
        {IDC_IMPEDANCE, "tarvex_input 1 5 \"MAX\" -> 0", "tarvex_input 1 5 \"MIN\" -> 0"},
        {IDC_ROUTING, "tarvex_input 1 7 \"COMM\" -> 0", "tarvex_input 1 7 \"SEP\" -> 0"},
    };
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ATTENUATION_QUERY, "1");
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_COUPLING_QUERY, "DC");
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_IMPEDANCE_QUERY, "50");
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ROUTING_QUERY, "SEP");
    Show();
    for (const auto& c : cases)
    {
        CToggleButton& toggle = Toggle(c.nCtrlId);
        ASSERT_EQ(toggle.GetState(), 0) << c.nCtrlId;
        tarvexsim_clear_calls();
        testsupport::Click(&toggle);
        EXPECT_EQ(toggle.GetState(), 1) << c.nCtrlId;
        testsupport::Click(&toggle);
        EXPECT_EQ(toggle.GetState(), 0) << c.nCtrlId;
        EXPECT_EQ(Calls(), (std::vector<std::string>{c.pszFirst, c.pszSecond})) << c.nCtrlId;
    }
}

TEST_F(InputConfigPanelTest, DoubleClickSendsTwiceAndEndsWhereItBegan)
{
    Show();
    CToggleButton& toggle = Toggle(IDC_COUPLING);
    const int nBefore = toggle.GetState();
    tarvexsim_clear_calls();
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    QTest::mouseDClick(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    QTest::mouseRelease(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    EXPECT_EQ(toggle.GetState(), nBefore);
    const char* pszFirst = nBefore == 0 ? "AC" : "DC";
    const char* pszSecond = nBefore == 0 ? "DC" : "AC";
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{std::string("tarvex_input 1 3 \"") + pszFirst + "\" -> 0",
                                        std::string("tarvex_input 1 3 \"") + pszSecond + "\" -> 0"}));
}

TEST_F(InputConfigPanelTest, ChannelTwoReadsItsOwnSettingsAndChannelOnesRoutingWithRoutingDisabled)
{
    Show();
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 1");
    EXPECT_TRUE(Toggle(IDC_ROUTING).isEnabled());
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ROUTING_QUERY, "COMM");
    tarvexsim_clear_calls();
    testsupport::Click(&Toggle(IDC_CHANNEL));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"tarvex_input 2 2 out -> 0", "tarvex_input 2 4 out -> 0",
                                                 "tarvex_input 2 6 out -> 0", "tarvex_input 1 8 out -> 0"}));
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 2");
    EXPECT_FALSE(Toggle(IDC_ROUTING).isEnabled());
    EXPECT_EQ(Toggle(IDC_ROUTING).Caption(), "Common");

    // Back on channel 1 the routing can be set again.
    testsupport::Click(&Toggle(IDC_CHANNEL));
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 1");
    EXPECT_TRUE(Toggle(IDC_ROUTING).isEnabled());
}

TEST_F(InputConfigPanelTest, ShownAgainThePanelResumesOnTheChannelLastChosen)
{
    Show();
    testsupport::Click(&Toggle(IDC_CHANNEL));
    m_pHost->ShowPanel(PANEL_MEASURE);
    testsupport::ProcessEvents();
    EXPECT_EQ(Controller().GetPanel(), nullptr);
    tarvexsim_clear_calls();
    Show();
    EXPECT_EQ(Toggle(IDC_CHANNEL).Caption(), "Channel 2");
    EXPECT_FALSE(Toggle(IDC_ROUTING).isEnabled());
    EXPECT_EQ(CallsStarting("tarvex_input 2 ").size(), 3u);
    EXPECT_EQ(CallsStarting("tarvex_input 1 ").size(), 1u);
}

TEST_F(InputConfigPanelTest, ARefusedSettingIsReportedAndStaysShownUntilTheNextRefresh)
{
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ATTENUATION_QUERY, "1");
    Show();
    CToggleButton& toggle = Toggle(IDC_ATTENUATION);
    tarvexsim_set_fault("tarvex_input", VI_ERROR_TMO, 1, nullptr);
    m_pHost->m_timer.m_events.clear();
    testsupport::Click(&toggle);
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_EQ(m_pHost->m_timer.m_events, (std::vector<int>{-1, 300}));
    EXPECT_EQ(toggle.GetState(), 1);
    Sync();
    EXPECT_EQ(toggle.GetState(), 0);
    EXPECT_FALSE(Controller().HasRefreshFailed());
}

TEST_F(InputConfigPanelTest, AFailedRefreshIsReportedAndKeepsWhatWasNotReadYet)
{
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ATTENUATION_QUERY, "10");
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_COUPLING_QUERY, "AC");
    Show();
    ASSERT_EQ(Toggle(IDC_ATTENUATION).GetState(), 1);
    ASSERT_EQ(Toggle(IDC_COUPLING).GetState(), 1);
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_ATTENUATION_QUERY, "1");
    tarvexsim_set_fault("tarvex_input", -5, 1, nullptr);
    Sync();
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"General error, possible reentry"});
    EXPECT_EQ(Toggle(IDC_ATTENUATION).GetState(), 1);
    EXPECT_EQ(Toggle(IDC_COUPLING).GetState(), 1);
    Sync();
    EXPECT_FALSE(Controller().HasRefreshFailed());
    EXPECT_EQ(Toggle(IDC_ATTENUATION).GetState(), 0);
}

TEST_F(InputConfigPanelTest, EnterAndEscapeLeaveThePanelOpenAndSendNothing)
{
    Show();
    CDialog* pPanel = Panel();
    CToggleButton& toggle = Toggle(IDC_COUPLING);
    toggle.setFocus();
    tarvexsim_clear_calls();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(&toggle, key);
    testsupport::ProcessEvents();
    EXPECT_EQ(Panel(), pPanel);
    EXPECT_TRUE(pPanel->isVisible());
    EXPECT_EQ(toggle.GetState(), 0);
    EXPECT_EQ(tarvexsim_call_count(), 0);
}

// The panel moves one pixel down before the frame is fitted, so the frame ends where the panel ends.
TEST_F(InputConfigPanelTest, PanelSitsOnePixelDownAndTheFrameEndsWithIt)
{
    Show();
    const QRect rc = Panel()->geometry();
    EXPECT_EQ(rc.topLeft(), QPoint(0, 1));
    EXPECT_EQ(m_pHost->m_window.size(), QSize(rc.x() + rc.width(), rc.y() + rc.height()));
    SavePicture("input_config");
}
} // namespace
