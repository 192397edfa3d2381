// The Output Config panel against the simulated counter: the exact answers that check the box and set the
// toggle, what the clicks send, and which failures are reported and which are dropped.

#include "SettingPanelFixture.h"

#include "panels/OutputConfigPanel.h"

#include <QCheckBox>
#include <QTest>

namespace
{
using enum COutputConfigDlg::EControlId;

class OutputConfigPanelTest : public CSettingPanelFixture<COutputConfigController>
{
protected:
    OutputConfigPanelTest() : CSettingPanelFixture(PANEL_OUTPUT_CONFIG) {}

    QCheckBox& TriggerLine()
    {
        auto* pBox = Control<QCheckBox>(IDC_TRIGGER_LINE);
        EXPECT_NE(pBox, nullptr);
        return *pBox;
    }
};

TEST_F(OutputConfigPanelTest, OnlyExactlyOneChecksTheTriggerLineAndOnlyExactlyZeroTurnsTheTimebaseOff)
{
    const struct
    {
        const char* pszReply;
        bool bLineChecked;
        const char* pszTimebase;
    } cases[] = {
        {"1", true, "INT TBASE Output on"},   {"0", false, "INT TBASE Output off"},
        {"ON", false, "INT TBASE Output on"}, {"OFF", false, "INT TBASE Output on"},
        {"", false, "INT TBASE Output on"},   {"1 ", false, "INT TBASE Output on"},
        {"+1", false, "INT TBASE Output on"}, {"0.0", false, "INT TBASE Output on"},
    };
    for (const auto& c : cases)
    {
        tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY, c.pszReply);
        tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, c.pszReply);
        Show();
        EXPECT_EQ(TriggerLine().isChecked(), c.bLineChecked) << '"' << c.pszReply << '"';
        EXPECT_EQ(Toggle(IDC_TIMEBASE).Caption(), c.pszTimebase) << '"' << c.pszReply << '"';
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(OutputConfigPanelTest, TheCheckBoxSendsItsNewCheck)
{
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0");
    Show();
    tarvexsim_clear_calls();
    testsupport::Click(&TriggerLine());
    testsupport::Click(&TriggerLine());
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"tarvex_output 1 0 \"ON\" -> 0", "tarvex_output 1 0 \"OFF\" -> 0"}));
    EXPECT_FALSE(TriggerLine().isChecked());
}

TEST_F(OutputConfigPanelTest, DoubleClickOnTheTimebaseSendsOnThenOffAndEndsWhereItBegan)
{
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "0");
    Show();
    CToggleButton& toggle = Toggle(IDC_TIMEBASE);
    ASSERT_EQ(toggle.GetState(), 0);
    tarvexsim_clear_calls();
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    QTest::mouseDClick(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    QTest::mouseRelease(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    EXPECT_EQ(toggle.GetState(), 0);
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"tarvex_output 3 0 \"ON\" -> 0", "tarvex_output 3 0 \"OFF\" -> 0"}));
}

TEST_F(OutputConfigPanelTest, APressShowsTheNewCaptionAndReleasingOutsidePutsItBackSendingNothing)
{
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "0");
    Show();
    CToggleButton& toggle = Toggle(IDC_TIMEBASE);
    tarvexsim_clear_calls();
    QTest::mousePress(&toggle, Qt::LeftButton, {}, toggle.rect().center());
    EXPECT_EQ(toggle.Caption(), "INT TBASE Output on");
    QTest::mouseRelease(&toggle, Qt::LeftButton, {}, QPoint(toggle.width() + 20, toggle.height() + 20));
    EXPECT_EQ(toggle.Caption(), "INT TBASE Output off");
    EXPECT_TRUE(CallsStarting("tarvex_output 3 ").empty());
}

TEST_F(OutputConfigPanelTest, ClickFailuresAreDroppedSilentlyAndTheRefusedValueStaysShown)
{
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0");
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "0");
    Show();
    tarvexsim_set_fault("tarvex_output", VI_ERROR_TMO, 2, nullptr);
    testsupport::Click(&TriggerLine());
    testsupport::Click(&Toggle(IDC_TIMEBASE));
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_TRUE(m_pHost->m_timer.m_events.empty());
    EXPECT_EQ(m_pHost->m_session.GetLastStatus(), VI_ERROR_TMO);
    EXPECT_TRUE(TriggerLine().isChecked());
    EXPECT_EQ(Toggle(IDC_TIMEBASE).GetState(), 1);
    Sync();
    EXPECT_FALSE(TriggerLine().isChecked());
    EXPECT_EQ(Toggle(IDC_TIMEBASE).GetState(), 0);
}

TEST_F(OutputConfigPanelTest, AFailedTriggerLineQueryIsReportedAndLeavesTheTimebaseAsItWas)
{
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "1");
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "1");
    Show();
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0");
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "0");
    tarvexsim_set_fault("tarvex_output", VI_ERROR_TMO, 1, nullptr);
    tarvexsim_clear_calls();
    Sync();
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_EQ(CallsStarting("tarvex_output 4 "), std::vector<std::string>{});
    EXPECT_TRUE(TriggerLine().isChecked());
    EXPECT_EQ(Toggle(IDC_TIMEBASE).GetState(), 1);
}

// The frame is fitted before the panel moves one pixel down.
TEST_F(OutputConfigPanelTest, FrameTakesThePanelsSizeAndThePanelSitsOnePixelDown)
{
    Show();
    EXPECT_EQ(Panel()->pos(), QPoint(0, 1));
    EXPECT_EQ(m_pHost->m_window.size(), Panel()->size());
    SavePicture("output_config");
}
} // namespace
