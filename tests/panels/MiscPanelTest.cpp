// The Misc panel against the simulated counter: the Trigger button's enabling, the oscillator source, the
// three value entries and the channels they address, and which failures are reported and which dropped.

#include "SettingPanelFixture.h"

#include "dialogs/ValueEntryDlg.h"
#include "framework/ModalDialog.h"
#include "framework/ModalScript.h"
#include "panels/MiscPanel.h"

#include <QRadioButton>
#include <QTest>

#include <array>
#include <cstdint>

namespace
{
using enum CMiscDlg::EControlId;

// Controls of the value entry dialog.
constexpr int IDC_ENTRY_EDIT = CValueEntryDlg::IDC_VALUE;
constexpr int IDC_ENTRY_PROMPT = CValueEntryDlg::IDC_PROMPT;
constexpr int IDC_ENTRY_MIN = CValueEntryDlg::IDC_MIN;
constexpr int IDC_ENTRY_AUTO = CValueEntryDlg::IDC_AUTO;

// What the value entry dialog showed when it opened.
struct SEntrySeen
{
    std::string title;
    std::string prompt;
    std::string value;
    std::array<bool, 4> abDiscretes{}; // MIN, MAX, DEF, AUTO enabled
};

class MiscPanelTest : public CSettingPanelFixture<CMiscController>
{
protected:
    MiscPanelTest() : CSettingPanelFixture(PANEL_MISC) {}

    void TearDown() override
    {
        ClearModalScripts();
        CSettingPanelFixture::TearDown();
    }

    CMeasureController& Measure()
    {
        return static_cast<CMeasureController&>(*m_pHost->GetController(PANEL_MEASURE));
    }

    void SetMeasureChannel(int nChannel) { Measure().SelectChannel(nChannel - 1); }
    void SetCycle(CMeasureChannel::ECycle nCycle) { Measure().GetCurrentChannel()->SetCycle(nCycle); }

    void Click(int nId) { testsupport::Click(Control(nId)); }
    bool IsTriggerEnabled() { return Control(IDC_TRIGGER)->isEnabled(); }

    // The id of the checked source radio, 0 when none is.
    int CheckedSource()
    {
        for (const int nId : {IDC_ROSC_INT, IDC_ROSC_EXT, IDC_ROSC_CLK10})
            if (Control<QRadioButton>(nId)->isChecked())
                return nId;
        return 0;
    }

    // Opens the button's entry, notes what it shows, types the text (or clicks the keyword radio nRadio)
    // and presses OK, or Cancel when bCancel.
    SEntrySeen Enter(int nButton, const std::string& typed, int nRadio = 0, bool bCancel = false)
    {
        SEntrySeen seen;
        QueueModalScript(
            [&](CModalDialog& entry)
            {
                CDialogControls& controls = entry.Controls();
                seen = {entry.windowTitle().toStdString(), controls.Text(IDC_ENTRY_PROMPT),
                        controls.Text(IDC_ENTRY_EDIT)};
                for (int i = 0; i < 4; ++i)
                    seen.abDiscretes[i] = controls.IsEnabled(IDC_ENTRY_MIN + i);
                if (nRadio != 0)
                    QTest::mouseClick(controls.Item(nRadio), Qt::LeftButton);
                else
                    controls.SetText(IDC_ENTRY_EDIT, typed);
                QTest::mouseClick(controls.Item(bCancel ? IDCANCEL : IDOK), Qt::LeftButton);
            });
        Click(nButton);
        return seen;
    }
};

TEST_F(MiscPanelTest, ARefreshEnablesTriggerOnlyWhileAMeasurementCycleRuns)
{
    const struct
    {
        CMeasureChannel::ECycle nCycle;
        bool bAutoUpdate;
        bool bEnabled;
    } cases[] = {
        {CMeasureChannel::CYCLE_WAITING, false, true},          {CMeasureChannel::CYCLE_IDLE, false, false},
        {CMeasureChannel::CYCLE_TOTALIZING, false, true},       {CMeasureChannel::CYCLE_IDLE, true, false},
        {CMeasureChannel::CYCLE_TOTALIZE_STARTED, false, true},
    };
    Show();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "cycle " << int(c.nCycle) << " auto update " << c.bAutoUpdate);
        m_pHost->m_bAutoUpdate = c.bAutoUpdate;
        SetCycle(c.nCycle);
        Sync();
        EXPECT_EQ(IsTriggerEnabled(), c.bEnabled);
    }
}

TEST_F(MiscPanelTest, TriggerSendsABusTriggerAndMeasAbortEndsTheMeasureChannelsCycle)
{
    for (const int nChannel : {1, 2, 3})
    {
        SCOPED_TRACE(nChannel);
        SetMeasureChannel(nChannel);
        SetCycle(CMeasureChannel::CYCLE_WAITING);
        Show();
        ASSERT_TRUE(IsTriggerEnabled());
        tarvexsim_clear_calls();
        Click(IDC_TRIGGER);
        Click(IDC_MEAS_ABORT);
        EXPECT_EQ(Calls(), (std::vector<std::string>{"tarvex_ieeecom \"*TRG\" NULL -> 0",
                                                     "tarvex_abort " + std::to_string(nChannel) + " -> 0",
                                                     "tarvex_ieeecom \"*CLS\" NULL -> 0"}));
        EXPECT_EQ(Measure().GetCurrentChannel()->GetCycle(), CMeasureChannel::CYCLE_IDLE);
        EXPECT_FALSE(IsTriggerEnabled());
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(MiscPanelTest, OnlyTheThreeExactSourceAnswersCheckARadioAndTheRadiosSetChannelOne)
{
    const struct
    {
        const char* pszAnswer;
        int nChecked; // 0: the radios stay as they were
    } cases[] = {
        {"INT", IDC_ROSC_INT},
        {"EXT", IDC_ROSC_EXT},
        {"CLK10", IDC_ROSC_CLK10},
        {"ext", 0},
        {"CLK1", 0},
        {"", 0},
        {"EXT ", 0},
        {"\"INT\"", 0},
    };
    SetMeasureChannel(3);
    Show();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszAnswer);
        const int nBefore = c.nChecked == IDC_ROSC_CLK10 ? IDC_ROSC_INT : IDC_ROSC_CLK10;
        tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY,
                            nBefore == IDC_ROSC_INT ? "INT" : "CLK10");
        Sync();
        tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, c.pszAnswer);
        tarvexsim_clear_calls();
        Sync();
        EXPECT_EQ(Calls(), std::vector<std::string>{"tarvex_sense 1 27 0 out -> 0"});
        EXPECT_EQ(CheckedSource(), c.nChecked != 0 ? c.nChecked : nBefore);
    }
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, nullptr);
    for (const auto& [nId, pszSource] : {std::pair{IDC_ROSC_EXT, "EXT"}, {IDC_ROSC_INT, "INT"}})
    {
        tarvexsim_clear_calls();
        Click(nId);
        EXPECT_EQ(Calls(),
                  std::vector<std::string>{std::string("tarvex_sense 1 26 0 \"") + pszSource + "\" -> 0"});
        EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_QUERY), pszSource);
    }
}

TEST_F(MiscPanelTest, ApertureStartsFromThePresentValueOfTheMeasureChannelAndSetsThatChannel)
{
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_APERTURE_QUERY, "+1.00000E-01");
    for (const int nChannel : {1, 2, 3})
    {
        SCOPED_TRACE(nChannel);
        SetMeasureChannel(nChannel);
        Show();
        tarvexsim_clear_calls();
        const SEntrySeen seen = Enter(IDC_APERTURE, "0.5");
        EXPECT_EQ(seen.title, "RANGE");
        EXPECT_EQ(seen.prompt, "Range: 0.001 to 99.999 ");
        EXPECT_EQ(seen.value, "+1.00000E-01");
        EXPECT_EQ(seen.abDiscretes, (std::array<bool, 4>{true, true, true, false}));
        const std::string channel = std::to_string(nChannel);
        EXPECT_EQ(Calls(), (std::vector<std::string>{"tarvex_sense " + channel + " 15 0 out -> 0",
                                                     "tarvex_sense " + channel + " 14 0.5 NULL -> 0"}));
    }
    tarvexsim_clear_calls();
    Enter(IDC_APERTURE, "0.25", 0, true);
    EXPECT_EQ(Calls(), std::vector<std::string>{"tarvex_sense 3 15 0 out -> 0"}) << "Cancel sends nothing";
}

TEST_F(MiscPanelTest, FreqRangeSendsAutoAsTheAutomaticRangeAndAnythingElseAsARangeOnChannelOne)
{
    const struct
    {
        const char* pszTyped;
        int nRadio;
        bool bCancel;
        const char* pszCall; // null: nothing is sent
    } cases[] = {
        {"AUTO", 0, false, "tarvex_sense 1 18 0 \"ON\" -> 0"},
        {"", IDC_ENTRY_AUTO, false, "tarvex_sense 1 18 0 \"ON\" -> 0"},
        {"MIN", 0, false, "tarvex_sense 1 16 0 \"MIN\" -> 0"},
        {"DEF", 0, false, "tarvex_sense 1 16 0 \"DEF\" -> 0"},
        {"2E+08", 0, false, "tarvex_sense 1 16 2e+08 NULL -> 0"},
        {"auto", 0, false, nullptr},
        {"AUTO", 0, true, nullptr},
    };
    SetMeasureChannel(2);
    Show();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTyped);
        tarvexsim_clear_calls();
        const SEntrySeen seen = Enter(IDC_FREQ_RANGE, c.pszTyped, c.nRadio, c.bCancel);
        EXPECT_EQ(seen.title, "RANGE");
        EXPECT_EQ(seen.prompt, "Range: 0.001 to 2E+008 ");
        EXPECT_EQ(seen.value, " ");
        EXPECT_EQ(seen.abDiscretes, (std::array<bool, 4>{true, true, true, true}));
        EXPECT_EQ(Calls(), c.pszCall ? std::vector<std::string>{c.pszCall} : std::vector<std::string>{});
    }
}

TEST_F(MiscPanelTest, MeasTimeoutSetsTheNumberOfTheTextInWholeMilliseconds)
{
    const struct
    {
        const char* pszTyped;
        int nMilliseconds; // -1: OK stays disabled and nothing is set
    } cases[] =
        {
            {"250.7", 250},   {"  42ms", 42},    {"+7", 7},  {"500000", 500000},
            {"1e3", 1000},    {"2.5e5", 250000}, {"0.9", 0}, {".5e1", 5},
            {"abc", -1},      {"MIN", -1},       {" ", -1}, // " ": left as it opened
            {"500000.5", -1},
        };
    Show();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTyped);
        tarvexsim_clear_calls();
        const SEntrySeen seen = Enter(IDC_MEAS_TIMEOUT, c.pszTyped);
        EXPECT_EQ(seen.title, "TIMEOUT RANGE");
        EXPECT_EQ(seen.prompt, "Range: 0 to 500000  Milli Seconds");
        EXPECT_EQ(seen.abDiscretes, (std::array<bool, 4>{}));
        EXPECT_EQ(Calls(), c.nMilliseconds < 0
                               ? std::vector<std::string>{}
                               : std::vector<std::string>{"tarvex_timeOut " +
                                                          std::to_string(c.nMilliseconds) + " -> 0"});
    }
}

// A general error clears nothing in the report, so the device clear seen is the handler's own.
TEST_F(MiscPanelTest, AFailedTriggerIsReportedAndThenTheDeviceIsCleared)
{
    SetCycle(CMeasureChannel::CYCLE_WAITING);
    Show();
    tarvexsim_set_fault("tarvex_ieeecom", TARVEXSIM_ERROR_PARAMETER2, 1, nullptr);
    tarvexsim_clear_calls();
    Click(IDC_TRIGGER);
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"General error, possible reentry"});
    EXPECT_EQ(m_pHost->m_timer.m_events, (std::vector<int>{-1, 300}));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"tarvex_ieeecom \"*TRG\" NULL -> " +
                                                     std::to_string(TARVEXSIM_ERROR_PARAMETER2),
                                                 "tarvex_dcl -> 0"}));
}

// Each failing call ends its handler: no box, no later step, the cycle and Trigger untouched.
TEST_F(MiscPanelTest, OtherHandlersDropTheirFailuresSilently)
{
    const struct
    {
        int nButton;
        const char* pszEntryPoint;
        const char* pszTyped; // null: the button has no entry
    } cases[] = {
        {IDC_MEAS_ABORT, "tarvex_abort", nullptr},    {IDC_APERTURE, "tarvex_sense", "0.5"},
        {IDC_FREQ_RANGE, "tarvex_sense", "AUTO"},     {IDC_FREQ_RANGE, "tarvex_sense", "1000"},
        {IDC_MEAS_TIMEOUT, "tarvex_timeOut", "5000"},
    };
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, "INT");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nButton);
        SetCycle(CMeasureChannel::CYCLE_WAITING);
        Show();
        tarvexsim_set_fault(c.pszEntryPoint, VI_ERROR_TMO, 1, nullptr);
        tarvexsim_clear_calls();
        if (c.pszTyped != nullptr)
            Enter(c.nButton, c.pszTyped);
        else
            Click(c.nButton);
        EXPECT_EQ(HasQueuedModalScript(), c.nButton == IDC_APERTURE) << "the entry opened or not";
        ClearModalScripts();
        EXPECT_EQ(Calls().size(), 1U);
        EXPECT_EQ(m_pHost->m_session.GetLastStatus(), VI_ERROR_TMO);
        EXPECT_EQ(Measure().GetCurrentChannel()->GetCycle(), CMeasureChannel::CYCLE_WAITING);
        EXPECT_TRUE(IsTriggerEnabled());
    }
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    Click(IDC_ROSC_EXT);
    EXPECT_EQ(CheckedSource(), IDC_ROSC_EXT);
    Sync();
    EXPECT_EQ(CheckedSource(), IDC_ROSC_INT) << "a refused source stays checked until the next refresh";
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_TRUE(m_pHost->m_timer.m_events.empty());
}

TEST_F(MiscPanelTest, ARefreshFailureIsReportedAfterTriggerIsSetAndLeavesTheRadios)
{
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, "EXT");
    Show();
    ASSERT_FALSE(IsTriggerEnabled());
    SetCycle(CMeasureChannel::CYCLE_WAITING);
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, "INT");
    tarvexsim_set_fault("tarvex_sense", VI_ERROR_TMO, 1, nullptr);
    Sync();
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_TRUE(IsTriggerEnabled());
    EXPECT_EQ(CheckedSource(), IDC_ROSC_EXT);
    Sync();
    EXPECT_FALSE(Controller().HasRefreshFailed());
    EXPECT_EQ(CheckedSource(), IDC_ROSC_INT);
}

TEST_F(MiscPanelTest, TheFrameTakesThePanelsSizeAndThePanelSitsOnePixelDown)
{
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_ROSC_SOURCE_QUERY, "INT");
    Show();
    EXPECT_EQ(Panel()->pos(), QPoint(0, 1));
    EXPECT_EQ(m_pHost->m_window.size(), Panel()->size());
    SavePicture("misc");
}
} // namespace
