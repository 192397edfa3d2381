// Start-up of the program: opening the instrument (or not), the live decision, the slot, the frame's
// shape, and what a non-live program refuses.

#include "AppTestFixture.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "controls/ReadingDisplay.h"
#include "framework/Dialog.h"
#include "framework/ModalDialog.h"
#include "framework/ModalScript.h"
#include "panels/MeasurePanel.h"
#include "panels/MiscPanel.h"
#include "panels/PanelController.h"
#include "res/ControlIds.h"
#include "res/ResourceIds.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <clocale>
#include <optional>
#include <ostream>

namespace
{
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kGrey = 0x808080;
constexpr int kSlot = 7;

enum class EChoice
{
    None,   // no dialog is expected: a queued script must stay unused
    Cancel, // Cancel in Select Instrument
    Ok,     // OK in Select Instrument, with the entry it shows first
};

struct SStartupCase
{
    const char* pszName;
    std::vector<const char*> resources;
    EChoice choice;
    const char* pszFailingEntryPoint; // made to fail once, or null
    bool bLive;
    // The driver calls of the start-up itself, in order; a live panel reads the instrument after them.
    std::vector<std::string> calls;
    const char* pszOpened; // the resource passed to tarvex_init, or null when it must not be called
};

const SStartupCase kStartupCases[] = {
    {"OneFoundIsOpenedBySearch",
     {"VXI0::24::INSTR"},
     EChoice::None,
     nullptr,
     true,
     {"tarvex_auto_init", "tarvex_errorQueryDetect", "tarvex_timeOut", "tarvex_getSlot"},
     nullptr},
    {"TwoFoundAndCancelMakesNoFurtherCall",
     {"GPIB0::1::INSTR", "GPIB0::2::INSTR"},
     EChoice::Cancel,
     nullptr,
     false,
     {"tarvex_auto_init"},
     nullptr},
    {"SingleVxiAmongTwoIsOpenedWithoutAsking",
     {"GPIB0::7::INSTR", "vxi0::9::instr"},
     EChoice::None,
     nullptr,
     true,
     {"tarvex_auto_init", "tarvex_init", "tarvex_errorQueryDetect", "tarvex_timeOut", "tarvex_getSlot"},
     "vxi0::9::instr"},
    {"TwoFoundAndOkOpensTheFirstInSortedOrder",
     {"GPIB0::2::INSTR", "GPIB0::1::INSTR"},
     EChoice::Ok,
     nullptr,
     true,
     {"tarvex_auto_init", "tarvex_init", "tarvex_errorQueryDetect", "tarvex_timeOut", "tarvex_getSlot"},
     "GPIB0::1::INSTR"},
    {"ChosenInstrumentThatFailsToOpenIsNonLive",
     {"GPIB0::2::INSTR", "GPIB0::1::INSTR"},
     EChoice::Ok,
     "tarvex_init",
     false,
     {"tarvex_auto_init", "tarvex_init"},
     "GPIB0::1::INSTR"},
    {"FailedSearchIsNonLive",
     {"VXI0::24::INSTR"},
     EChoice::None,
     "tarvex_auto_init",
     false,
     {"tarvex_auto_init"},
     nullptr},
};

void PrintTo(const SStartupCase& c, std::ostream* pStream)
{
    *pStream << c.pszName;
}

class CStartupTest : public CAppTest, public ::testing::WithParamInterface<SStartupCase>
{
};

void QueueChoice(EChoice choice)
{
    const int nButton = choice == EChoice::Cancel ? IDCANCEL : IDOK;
    QueueModalScript([nButton](CModalDialog& dlg) { testsupport::Click(dlg.Controls().Item(nButton)); });
}
} // namespace

TEST_P(CStartupTest, OpensTheInstrumentOrGoesNonLive)
{
    const SStartupCase& c = GetParam();
    tarvexsim_set_resources(c.resources.data(), static_cast<int>(c.resources.size()));
    tarvexsim_set_slot(kSlot);
    if (c.pszFailingEntryPoint != nullptr)
        tarvexsim_set_fault(c.pszFailingEntryPoint, static_cast<int32_t>(0xBFFF0011), 1, nullptr);
    QueueChoice(c.choice);

    CPframe& frame = Start();

    EXPECT_EQ(HasQueuedModalScript(), c.choice == EChoice::None) << "Select Instrument shown or not";
    EXPECT_EQ(m_pApp->Session().IsLive(), c.bLive);
    EXPECT_EQ(LampColour(), c.bLive ? kGreen : kGrey);
    EXPECT_EQ(Frame().GetInstrumentSlot(), c.bLive ? kSlot : -2);

    std::vector<std::string> names = CalledEntryPoints();
    if (c.bLive)
        names.resize(std::min(names.size(), c.calls.size()));
    EXPECT_EQ(names, c.calls);
    EXPECT_EQ(WasCalled("tarvex_init "), c.pszOpened != nullptr);
    if (c.pszOpened != nullptr)
        EXPECT_TRUE(WasCalled(std::string("tarvex_init \"") + c.pszOpened + "\" 0 0"));
    EXPECT_EQ(WasCalled("tarvex_timeOut 12000 "), c.bLive) << "no driver call at all when not live";

    // Whatever the session did, the frame shows the Measure panel and runs its timer.
    EXPECT_EQ(Frame().GetActiveController(), Frame().GetController(PANEL_MEASURE));
    ASSERT_NE(Frame().GetActiveController()->GetPanel(), nullptr);
    EXPECT_TRUE(Frame().GetActiveController()->GetPanel()->isVisible());
    EXPECT_EQ(frame.windowTitle().toStdString(), "Tarvex: Measure");
    EXPECT_TRUE(frame.Menu().IsChecked(res::ID_PANELS_MEASURE));
    EXPECT_EQ(frame.UpdateTimerInterval(), 300);
    EXPECT_TRUE(m_messages.BoxTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(Search, CStartupTest, ::testing::ValuesIn(kStartupCases),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CAppTest, SearchFindingNothingStartsNonLiveWithoutAsking)
{
    // The simulator answers an empty search "resource not found"; another driver may succeed with none.
    for (const bool bSucceeds : {false, true})
    {
        SCOPED_TRACE(bSucceeds ? "success with a count of 0" : "resource not found");
        m_pApp.reset();
        tarvexsim_reset();
        m_messages.Clear();
        SetResources({});
        if (bSucceeds)
            tarvexsim_set_fault("tarvex_auto_init", VI_SUCCESS, 1, nullptr);
        QueueModalScript([](CModalDialog& dlg) { dlg.EndDialog(IDCANCEL); });

        Start();

        EXPECT_TRUE(HasQueuedModalScript()) << "no Select Instrument";
        ClearModalScripts();
        EXPECT_FALSE(m_pApp->Session().IsLive());
        EXPECT_EQ(LampColour(), kGrey);
        const auto* pMeasure = dynamic_cast<CMeasureDlg*>(Frame().GetController(PANEL_MEASURE)->GetPanel());
        ASSERT_NE(pMeasure, nullptr);
        EXPECT_EQ(pMeasure->SlotDisplay().GetText(), "U");
        EXPECT_EQ(CalledEntryPoints(), std::vector<std::string>{"tarvex_auto_init"});
        Choose(res::ID_SYSTEM_RESET);
        EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"Non-Live Mode: Function disabled"});
    }
}

TEST_F(CAppTest, NumbersAreWrittenTheCWayWhateverTheDesktopLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/install-deps installs the locales";
    Start();
    Choose(res::ID_PANELS_MISC); // Misc
    std::string prompt;
    QueueModalScript([&](CModalDialog& dlg) { prompt = dlg.Controls().Text(res::value_entry::IDC_PROMPT); });
    const auto controls = Frame().GetController(PANEL_MISC)->GetPanel()->findChildren<QWidget*>();
    const auto it = std::ranges::find_if(
        controls, [](const QWidget* p) { return p->property("ctrlId").toInt() == CMiscDlg::IDC_FREQ_RANGE; });
    ASSERT_NE(it, controls.end());
    testsupport::Click(*it);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(prompt, "Range: 0.001 to 2E+008 ");
}

TEST_F(CAppTest, MissingDriverLibraryStartsNonLiveAndRefusesResetSelfTestAndSync)
{
    QTemporaryDir emptyFolder;
    ASSERT_TRUE(emptyFolder.isValid());

    CPframe& frame = Start(emptyFolder.path().toStdString());

    EXPECT_FALSE(m_pApp->Session().IsLive());
    EXPECT_EQ(LampColour(), kGrey);
    EXPECT_EQ(Frame().GetInstrumentSlot(), -2);
    EXPECT_EQ(tarvexsim_call_count(), 0);
    EXPECT_EQ(frame.windowTitle().toStdString(), "Tarvex: Measure");
    EXPECT_TRUE(m_messages.BoxTexts().empty());
    CDialog* pPanel = Frame().GetController(PANEL_MEASURE)->GetPanel();
    ASSERT_NE(pPanel, nullptr);

    for (const int nCommand : {res::ID_SYSTEM_RESET, res::ID_SYSTEM_SELF_TEST, res::ID_SYSTEM_SYNC})
    {
        SCOPED_TRACE(nCommand);
        m_messages.Clear();

        Choose(nCommand);

        ASSERT_EQ(m_messages.Messages().size(), 1u);
        EXPECT_EQ(m_messages.Messages()[0].caption, "Error");
        EXPECT_EQ(m_messages.Messages()[0].text, "Non-Live Mode: Function disabled");
        EXPECT_EQ(Frame().GetActiveController()->GetPanel(), pPanel) << "nothing else happens";
        EXPECT_FALSE(pPanel->IsWindowDestroyed());
    }
}

// A driver file that is there but cannot be loaded: non-live, and one box says why (the loader's text).
TEST_F(CAppTest, DriverThatCannotLoadStartsNonLiveWithOneBoxSayingWhy)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile damaged(folder.filePath(QStringLiteral("libtarvex_32.so")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(256, '#'));
    damaged.close();
    const testsupport::CScopedEnvironment path("LD_LIBRARY_PATH", folder.path().toUtf8().constData());

    Start();

    EXPECT_FALSE(m_pApp->Session().IsLive());
    EXPECT_EQ(LampColour(), kGrey);
    const std::vector<std::string> boxes = m_messages.BoxTexts();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(damaged.fileName().toStdString() + ": invalid ELF header"), std::string::npos)
        << boxes[0];
    EXPECT_EQ(tarvexsim_call_count(), 0);
}

TEST_F(CAppTest, FailedTimeoutIsReportedAndStartUpGoesOn)
{
    tarvexsim_set_fault("tarvex_timeOut", VI_ERROR_TMO, 1, nullptr);

    CPframe& frame = Start();

    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"TIME OUT!"});
    EXPECT_TRUE(m_pApp->Session().IsLive());
    EXPECT_EQ(LampColour(), kGreen);
    EXPECT_TRUE(WasCalled("tarvex_getSlot"));
    EXPECT_NE(Frame().GetController(PANEL_MEASURE)->GetPanel(), nullptr);
    EXPECT_EQ(frame.UpdateTimerInterval(), 300);
}

TEST_F(CAppTest, CloseIsRefusedWhileStartUpRunsAndAcceptedAfter)
{
    SetResources({"GPIB0::1::INSTR", "GPIB0::2::INSTR"});
    std::optional<bool> closedDuringStartUp;
    QSize sizeDuringStartUp;
    QPoint posDuringStartUp;
    QueueModalScript(
        [&](CModalDialog& dlg)
        {
            closedDuringStartUp = m_pApp->MainWindow()->close();
            sizeDuringStartUp = m_pApp->MainWindow()->size();
            posDuringStartUp = m_pApp->MainWindow()->pos();
            testsupport::Click(dlg.Controls().Item(IDOK));
        });

    CPframe& frame = Start();

    ASSERT_TRUE(closedDuringStartUp.has_value());
    EXPECT_FALSE(*closedDuringStartUp);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(m_pApp->Session().IsDriverLoaded());
    // Before a panel is shown the frame has its first size, centred on the screen (integer division).
    const QRect rcScreen = QGuiApplication::primaryScreen()->geometry();
    const QPoint ptCentred((rcScreen.width() - 320) / 2, (rcScreen.height() - 450) / 2);
    EXPECT_EQ(sizeDuringStartUp, QSize(320, 450));
    EXPECT_EQ(posDuringStartUp, ptCentred);
    EXPECT_EQ(frame.pos(), ptCentred) << "fitting the frame to the panel keeps its top-left corner";

    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(m_pApp->Session().IsDriverLoaded());
    EXPECT_FALSE(m_pApp->Session().IsLive());
    EXPECT_EQ(frame.UpdateTimerInterval(), 0);
}

TEST_F(CAppTest, FrameIsAFixedSizeWindowWithoutMaximiseButton)
{
    CPframe& frame = Start();

    EXPECT_STREQ(frame.metaObject()->className(), "CPframe");
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_EQ(frame.size(), frame.minimumSize());
    const Qt::WindowFlags flags = frame.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(frame.parentWidget(), nullptr);
}
