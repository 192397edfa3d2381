// The Measure panel's channel and function choice, parameter entries, configuration and header.

#include "MeasurePanelFixture.h"

#include "controls/PixelProbe.h"

#include "controls/RoundIndicator.h"
#include "dialogs/ReferenceDlg.h"
#include "dialogs/ValueEntryDlg.h"
#include "res/Bitmaps.h"
#include "res/ResourceIds.h"

#include <array>

namespace
{
const std::vector<std::string> kLabels{"FREQ",     "Period",    "FREQ Ratio", "PWidth", "NWidth",
                                       "AC RMS",   "DCV",       "MIN V",      "MAX V",  "Time INT",
                                       "Totalize", "Rise Time", "Fall Time"};

std::string ConfigureCall(int nChannel, int nFunction, const std::array<std::string, 4>& params)
{
    std::string call = "tarvex_configure " + std::to_string(nChannel) + " " + std::to_string(nFunction);
    for (const std::string& param : params)
        call += " \"" + param + "\"";
    return call + " ->";
}

void ClickIn(CModalDialog& dialog, int nId)
{
    QTest::mouseClick(dialog.Controls().Item(nId), Qt::LeftButton);
}

// The pixels of expected that differ in a colour channel by more than nTolerance from those of image at
// origin.
int CountDifferentPixels(const QImage& expected, const QImage& image, QPoint origin, int nTolerance)
{
    int nDifferent = 0;
    for (int y = 0; y < expected.height(); ++y)
    {
        for (int x = 0; x < expected.width(); ++x)
        {
            const QColor want = expected.pixelColor(x, y);
            const QColor got = image.pixelColor(origin.x() + x, origin.y() + y);
            nDifferent += std::abs(want.red() - got.red()) > nTolerance ||
                          std::abs(want.green() - got.green()) > nTolerance ||
                          std::abs(want.blue() - got.blue()) > nTolerance;
        }
    }
    return nDifferent;
}
} // namespace

TEST_F(CMeasurePanelTest, EachChannelListsItsFunctionsAndAChangeSendsBeforeReadingBack)
{
    Start();
    for (const auto& [nRadio, nChannel, nFunctions] :
         {std::tuple{D::IDC_CHANNEL_2, 2, 9}, {D::IDC_CHANNEL_3, 3, 3}, {D::IDC_CHANNEL_1, 1, 13}})
    {
        tarvexsim_clear_calls();
        Click(nRadio);
        EXPECT_EQ(Controls().GetCount(D::IDC_FUNCTION), nFunctions);
        for (int i = 0; i < Controls().GetCount(D::IDC_FUNCTION); ++i)
            EXPECT_EQ(Controls().GetLBText(D::IDC_FUNCTION, i), kLabels[i]);
        EXPECT_EQ(Controller().GetChannelNumber(), nChannel);
        EXPECT_TRUE(Controls().IsChecked(nRadio));
        const int nSent = FirstCall(ConfigureCall(nChannel, 3, {"AUTO", "DEF", "DEF", "DEF"}));
        EXPECT_GE(nSent, 0);
        EXPECT_GT(FirstCall("tarvex_sense " + std::to_string(nChannel) + " 21 "), nSent);
    }
}

TEST_F(CMeasurePanelTest, EachFunctionSendsItsConfigurationAndShowsItsUnitsAndParameterButtons)
{
    const struct
    {
        int nConfigure;
        const char* pszExpected; // the expected-value text a channel starts with
        const char* pszUnits;
        bool bValues;
        const char* pszLower; // caption of the shown reference button, null: hidden
        bool bUpper;
    } cases[] = {
        {3, "AUTO", "Hz", true, nullptr, false},         {9, "AUTO", "Sec", true, nullptr, false},
        {4, "DEF", "   ", true, nullptr, false},         {10, "AUTO", "Sec", true, "Reference...", false},
        {8, "AUTO", "Sec", true, "Reference...", false}, {0, "AUTO", "V", false, nullptr, false},
        {1, "AUTO", "V", false, nullptr, false},         {7, "AUTO", "V", false, nullptr, false},
        {6, "AUTO", "V", false, nullptr, false},         {12, "AUTO", "Sec", true, nullptr, false},
        {13, "AUTO", "Events", false, nullptr, false},   {11, "AUTO", "Sec", true, "Lower Ref...", true},
        {5, "AUTO", "Sec", true, "Lower Ref...", true}};
    Start();
    for (int f = 0; f < 13; ++f)
    {
        const auto& c = cases[f];
        SCOPED_TRACE(kLabels[f]);
        tarvexsim_clear_calls();
        ChooseFunction(f);
        EXPECT_GE(FirstCall(ConfigureCall(1, c.nConfigure, {c.pszExpected, "DEF", "DEF", "DEF"})), 0);
        EXPECT_EQ(ReadingText(), std::string(27, ' '));
        EXPECT_EQ(UnitText(), c.pszUnits);
        EXPECT_EQ(Controls().IsShown(D::IDC_EXPECTED), c.bValues);
        EXPECT_EQ(Controls().IsShown(D::IDC_RESOLUTION), c.bValues);
        EXPECT_EQ(Controls().IsShown(D::IDC_LOWER_REF), c.pszLower != nullptr);
        if (c.pszLower != nullptr)
            EXPECT_EQ(Controls().Text(D::IDC_LOWER_REF), c.pszLower);
        EXPECT_EQ(Controls().IsShown(D::IDC_UPPER_REF), c.bUpper);
        Controller().Refresh(&Dialog()); // the instrument's quoted answer names the same function
        EXPECT_EQ(Controls().GetCurSel(D::IDC_FUNCTION), f);
    }
    ChooseFunction(3);
    ChooseFunction(0);
    EXPECT_EQ(Controls().Text(D::IDC_LOWER_REF), "Reference...") << "a hidden button keeps its caption";
}

TEST_F(CMeasurePanelTest, TheFirstRefreshRestoresThePowerOnSetupAndSwitchesAutoUpdateOff)
{
    CreateHost();
    m_pHost->m_session.Configure(EMeasureFunction::Period, 1, "AUTO", "DEF", "DEF",
                                 "DEF"); // the instrument measures Period
    Channel().m_aParams[0] = {"1e6", "1e-3", "DEF", "DEF"};
    Controller().SelectChannel(1);
    m_pHost->OnAutoUpdateMode();
    tarvexsim_clear_calls();
    ShowMeasure();
    EXPECT_TRUE(Controls().IsChecked(D::IDC_CHANNEL_1));
    EXPECT_EQ(Controls().GetCurSel(D::IDC_FUNCTION), 0);
    EXPECT_EQ(CountCalls("tarvex_configure"), 1);
    EXPECT_GE(FirstCall(ConfigureCall(1, 3, {"AUTO", "DEF", "DEF", "DEF"})), 0);
    EXPECT_FALSE(m_pHost->IsAutoUpdateOn());
    EXPECT_EQ(m_pHost->m_nAutoUpdateCommands, 2);

    ShowMeasure();
    EXPECT_EQ(CountCalls("tarvex_configure"), 1) << "only the first refresh restores the setup";
}

TEST_F(CMeasurePanelTest, ContinuousInitiationLocksTheSettingsButNotReadOrArming)
{
    CreateHost();
    m_pHost->m_session.InitiateContinuous(1, true);
    ShowMeasure();
    EXPECT_TRUE(Channel().m_bContinuous);
    EXPECT_EQ(EnabledLockable(), 0);
    for (int nId : {D::IDC_READ, D::IDC_START_IMM, D::IDC_STOP_IMM, D::IDC_READING, D::IDC_UNITS})
        EXPECT_TRUE(Controls().IsEnabled(nId)) << nId;
    m_pHost->m_session.InitiateContinuous(1, false);
    Controller().Refresh(&Dialog());
    EXPECT_EQ(EnabledLockable(), 10);
}

TEST_F(CMeasurePanelTest, ValueEntriesOfferTheFunctionsRangeOnTheChannelAndCancelKeepsTheText)
{
    const struct
    {
        int nRadio, nFunction, nButton;
        const char* pszTitle;
        double dMin, dMax;
        bool bAuto;
    } cases[] = {{D::IDC_CHANNEL_3, 0, D::IDC_EXPECTED, "Expected Value:FREQ", 9e7, 2.5e9, true},
                 {D::IDC_CHANNEL_3, 0, D::IDC_RESOLUTION, "Resolution:FREQ", 1e-9, 1e5, false},
                 {D::IDC_CHANNEL_2, 0, D::IDC_EXPECTED, "Expected Value:FREQ", 0.001, 1e8, true},
                 {D::IDC_CHANNEL_3, 1, D::IDC_EXPECTED, "Expected Value:Period", 4e-10, 1.11111111e-8, true},
                 {D::IDC_CHANNEL_3, 2, D::IDC_RESOLUTION, "Resolution:FREQ Ratio", 1e-10, 4000, false},
                 {D::IDC_CHANNEL_2, 4, D::IDC_EXPECTED, "Expected Value:NWidth", 5e-9, 0.01, true},
                 {D::IDC_CHANNEL_1, 11, D::IDC_RESOLUTION, "Resolution:Rise Time", 1e-10, 0.001, false}};
    Start();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTitle + std::to_string(c.nRadio));
        Click(c.nRadio);
        ChooseFunction(c.nFunction);
        const auto params = Channel().m_aParams[c.nFunction];
        std::string title, prompt;
        bool bAutoAccepted = false;
        QueueModalScript(
            [&](CModalDialog& entry)
            {
                title = entry.windowTitle().toStdString();
                prompt = entry.Controls().Text(res::value_entry::IDC_PROMPT);
                entry.Controls().SetText(CValueEntryDlg::IDC_VALUE, "AUTO");
                bAutoAccepted = entry.Controls().IsEnabled(IDOK);
                ClickIn(entry, IDCANCEL);
            });
        Click(c.nButton);
        CValueEntryLimits limits;
        limits.m_dMin = c.dMin;
        limits.m_dMax = c.dMax;
        EXPECT_EQ(title, c.pszTitle);
        EXPECT_EQ(prompt, CValueEntryDlg::FormatPrompt(limits));
        EXPECT_EQ(bAutoAccepted, c.bAuto);
        EXPECT_EQ(Channel().m_aParams[c.nFunction], params);
    }
}

TEST_F(CMeasurePanelTest, AnEntryIsStoredOnOkButSentOnlyBySendConfig)
{
    const struct
    {
        int nFunction, nButton;
        const char* pszCaption;
        const char* pszTitle;
        const char* pszTyped;
        int nParam, nConfigure;
    } cases[] = {{0, D::IDC_EXPECTED, "Expected value...", "Expected Value:FREQ", "1.5e6", 0, 3},
                 {1, D::IDC_RESOLUTION, "Resolution...", "Resolution:Period", "MIN", 1, 9},
                 {11, D::IDC_LOWER_REF, "Lower Ref...", "Lower Reference:Rise Time", "20", 2, 11},
                 {12, D::IDC_UPPER_REF, "Upper Ref...", "Upper Reference:Fall Time", "1.5V", 3, 5},
                 {3, D::IDC_LOWER_REF, "Reference...", "Reference:PWidth", "50", 2, 10}};
    Start();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTitle);
        ChooseFunction(c.nFunction);
        EXPECT_EQ(Controls().Text(c.nButton), c.pszCaption);
        auto params = Channel().m_aParams[c.nFunction];
        std::string title;
        QueueModalScript(
            [&](CModalDialog& entry)
            {
                title = entry.windowTitle().toStdString();
                entry.Controls().SetText(c.nParam < 2 ? int{CValueEntryDlg::IDC_VALUE}
                                                      : int{CReferenceDlg::IDC_REFERENCE},
                                         c.pszTyped);
                ClickIn(entry, IDOK);
            });
        tarvexsim_clear_calls();
        Click(c.nButton);
        EXPECT_EQ(title, c.pszTitle);
        params[c.nParam] = c.pszTyped;
        EXPECT_EQ(Channel().m_aParams[c.nFunction], params);
        EXPECT_EQ(Calls(), std::vector<std::string>{});
        Click(D::IDC_SEND_CONFIG);
        EXPECT_EQ(FirstCall(ConfigureCall(1, c.nConfigure, params)), 0);
    }
    QueueModalScript(
        [](CModalDialog& entry)
        {
            entry.Controls().SetText(CReferenceDlg::IDC_REFERENCE, "30");
            ClickIn(entry, IDCANCEL);
        });
    Click(D::IDC_LOWER_REF);
    EXPECT_EQ(Channel().m_aParams[3][2], "50") << "Cancel keeps the reference";
}

TEST_F(CMeasurePanelTest, AReferenceIsStoredOnlyWhileItsFunctionIsStillThePanels)
{
    Start();
    Click(D::IDC_CHANNEL_2);
    // While the entry is open an Auto Update tick fails, and its refresh reads the function the instrument
    // reports: one channel 2 does not offer, then another one it does.
    for (const char* pszReported : {"\"TINT\"", "\"NWID\""})
    {
        SCOPED_TRACE(pszReported);
        tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_FUNCTION_QUERY, nullptr);
        ChooseFunction(3); // PWidth: "Reference..."
        m_pHost->OnAutoUpdateMode();
        m_messages.Clear();
        const auto params = Channel().m_aParams;
        QueueModalScript(
            [&](CModalDialog& entry)
            {
                tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_FUNCTION_QUERY, pszReported);
                tarvexsim_set_fault("tarvex_fetch", VI_ERROR_TMO, 1, nullptr);
                Tick();
                QTest::keyClicks(entry.Controls().Item(CReferenceDlg::IDC_REFERENCE), "50");
                ClickIn(entry, IDOK);
            });
        Click(D::IDC_LOWER_REF);
        EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
        EXPECT_EQ(Channel().m_aParams, params);
    }
}

TEST_F(CMeasurePanelTest, AFunctionTheChannelDoesNotOfferSelectsNothingAndSendsNothing)
{
    Start();
    for (const auto& [nRadio, pszAnswer] : {std::pair{D::IDC_CHANNEL_1, "\"XYZ\""},
                                            {D::IDC_CHANNEL_2, "\"FREQ\"x"},
                                            {D::IDC_CHANNEL_3, "\"TOT\""}})
    {
        SCOPED_TRACE(pszAnswer);
        ChooseFunction(1); // Period: the parameter buttons are shown
        tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_FUNCTION_QUERY, pszAnswer);
        Click(nRadio);
        EXPECT_EQ(Controls().GetCurSel(D::IDC_FUNCTION), -1);
        EXPECT_EQ(UnitText(), "   ");
        EXPECT_TRUE(Controls().IsShown(D::IDC_EXPECTED)) << "the buttons are left as they were";
        tarvexsim_clear_calls();
        Click(D::IDC_SEND_CONFIG);
        QueueModalScript([](CModalDialog& entry) { ClickIn(entry, IDOK); });
        Click(D::IDC_EXPECTED);
        EXPECT_TRUE(HasQueuedModalScript()) << "no entry is opened";
        ClearModalScripts();
        EXPECT_EQ(Calls(), std::vector<std::string>{});
    }
}

// The counter keeps its function when it refuses a configuration: the panel then shows that function, and
// a reading is taken and shown with its unit.
TEST_F(CMeasurePanelTest, ARefusedConfigurationShowsTheFunctionTheInstrumentKept)
{
    Start();
    ChooseFunction(1);                    // Period
    Channel().m_aParams[0][0] = "10 MHz"; // FREQ's expected value, which the counter refuses
    ChooseFunction(0);
    ASSERT_EQ(m_messages.BoxTexts().size(), 1u);
    EXPECT_TRUE(m_messages.BoxTexts()[0].starts_with("Intrument reports error: -224"))
        << m_messages.BoxTexts()[0];
    EXPECT_EQ(Controls().GetCurSel(D::IDC_FUNCTION), 1);
    EXPECT_EQ(Channel().m_nFunction, 1) << "what a reading is published as";
    EXPECT_EQ(UnitText(), "Sec");
    Click(D::IDC_READ);
    EXPECT_EQ(UnitText(), "Sec");
    EXPECT_EQ(m_messages.BoxTexts().size(), 1u);
}

TEST_F(CMeasurePanelTest, TheHeaderShowsTheSlotAndTheLampColourAndIsPaintedAtItsMarkers)
{
    for (const auto& [bLive, nSlot, pszSlot] :
         {std::tuple{true, 5, "5"}, {true, 0, "0"}, {true, -1, "U"}, {false, 3, "U"}})
    {
        SCOPED_TRACE(pszSlot);
        m_pHost.reset();
        CreateHost(bLive);
        m_pHost->m_nSlot = nSlot;
        m_pHost->SetController(PANEL_MEASURE, m_pHost->Make<CMeasureController>());
        ShowMeasure();
        EXPECT_EQ(Dialog().SlotDisplay().GetText(), pszSlot);
        auto* pLamp = Controls().ItemAs<CRoundIndicator>(D::IDC_INDICATOR);
        EXPECT_EQ(pLamp->LampColour(), bLive ? RGB(0, 255, 0) : RGB(128, 128, 128));
        EXPECT_EQ(pLamp->SurroundColour(), RGB(64, 128, 128));
        // A screen reader tells the lamp by its name and its checked state.
        const QAccessibleInterface* pLampFace = QAccessible::queryAccessibleInterface(pLamp);
        EXPECT_EQ(pLampFace->text(QAccessible::Name), bLive ? "Instrument live" : "Instrument not live");
        EXPECT_EQ(bool(pLampFace->state().checked), bLive);
    }
    const CRect rcHeader = Controls().ItemRect(D::IDC_HEADER);
    EXPECT_EQ(Dialog().grab().toImage().pixelColor(rcHeader.right - 6, rcHeader.top + rcHeader.Height() / 2),
              QColor(64, 128, 128));
    // At scale 1 the bitmaps' own pixels; on a screen at 1.5 the artwork scaled smoothly, not in pixel
    // blocks of two sizes, which distort its letters.
    for (const auto& [dScale, nTolerance] : {std::pair{1.0, 0}, {1.5, 8}})
    {
        const QImage image = pixelprobe::GrabScaled(Dialog(), dScale);
        for (const auto& [nBitmap, nMarker] :
             {std::pair{res::IDB_LOGO, D::IDC_LOGO_MARK}, {res::IDB_EMBLEM, D::IDC_EMBLEM_MARK}})
        {
            const QImage bitmap = res::LoadBitmap(nBitmap).toImage();
            const QImage expected = bitmap.scaled((QSizeF(bitmap.size()) * dScale).toSize(),
                                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QPoint origin =
                (QPointF(Controls().ItemRect(nMarker).ToQRect().topLeft()) * dScale).toPoint();
            EXPECT_EQ(CountDifferentPixels(expected, image, origin, nTolerance), 0)
                << "scale " << dScale << ", bitmap " << nBitmap;
        }
    }
}

TEST_F(CMeasurePanelTest, FailuresOfArmingAndRefreshAreReportedAndClearTheInstrument)
{
    Start();
    for (const auto& [nButton, pszCall] :
         {std::pair{D::IDC_START_IMM, "tarvex_arm 1 "}, {D::IDC_STOP_IMM, "tarvex_arm 8 "}})
    {
        tarvexsim_clear_calls();
        Click(nButton);
        EXPECT_EQ(FirstCall(pszCall), 0);
        tarvexsim_set_fault("tarvex_arm", VI_ERROR_TMO, 1, nullptr);
        Click(nButton);
        EXPECT_EQ(CountCalls("tarvex_dcl"), 2) << "one by the report, one by the panel";
    }
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>(2, "TIME OUT!"));

    tarvexsim_set_fault("tarvex_initiate", VI_ERROR_TMO, 1, nullptr); // the continuous-initiation query
    tarvexsim_clear_calls();
    Controller().Refresh(&Dialog());
    EXPECT_EQ(m_messages.BoxTexts().size(), 3u);
    EXPECT_TRUE(Controller().HasRefreshFailed());
    EXPECT_GT(FirstCall("tarvex_ieeecom \"*CLS\""), FirstCall("tarvex_dcl"));
    Controller().Refresh(&Dialog());
    EXPECT_FALSE(Controller().HasRefreshFailed());
}
