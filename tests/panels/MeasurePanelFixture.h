#pragma once
// The Measure panel shown in the panel test host against the simulated counter, and the ways the Measure
// tests act on it as an operator and as the frame would: clicks, the function choice, timer ticks, another
// panel shown in between, and the driver's call log to see what was sent.

#include "PanelTestHost.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"

#include "controls/ReadingDisplay.h"
#include "framework/MessageService.h"
#include "framework/ModalScript.h"
#include "panels/MeasurePanel.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Stands for any panel other than Measure: it shows nothing, so only the Measure dialog's absence counts.
class CBlankController : public CPanelController
{
public:
    using CPanelController::CPanelController;
    void CreatePanel(const QPoint&) override {}
    void Refresh(CDialog*) override {}
};

class CMeasurePanelTest : public ::testing::Test
{
protected:
    using D = CMeasureDlg;

    void SetUp() override
    {
        tarvexsim_reset();
        tarvexsim_use_manual_clock(1);
    }
    void TearDown() override
    {
        m_pHost.reset();
        ClearModalScripts();
    }

    void CreateHost(bool bLive = true)
    {
        m_pHost = std::make_unique<CPanelTestHost>(bLive);
        m_pHost->SetController(PANEL_MEASURE, m_pHost->Make<CMeasureController>());
        m_pHost->SetController(PANEL_MISC, m_pHost->Make<CBlankController>());
        m_pHost->m_window.show();
    }
    void ShowMeasure() { m_pHost->ShowPanel(PANEL_MEASURE); }
    void ShowOtherPanel() { m_pHost->ShowPanel(PANEL_MISC); }
    void Start(bool bLive = true)
    {
        CreateHost(bLive);
        ShowMeasure();
    }

    CMeasureController& Controller() { return *static_cast<CMeasureController*>(m_pHost->GetController(0)); }
    CMeasureChannel& Channel() { return *Controller().GetCurrentChannel(); }
    CMeasureDlg& Dialog() { return *static_cast<CMeasureDlg*>(Controller().GetPanel()); }
    CDialogControls& Controls() { return Dialog().Controls(); }
    std::string ReadingText() { return Dialog().ReadingDisplay().GetText(); }
    std::string UnitText() { return Dialog().UnitDisplay().GetText(); }
    void Tick() { Controller().OnTimerTick(); }
    void Click(int nId) { QTest::mouseClick(Controls().Item(nId), Qt::LeftButton); }
    void ChooseFunction(int nIndex) // as the operator picks it
    {
        auto* pCombo = Controls().ItemAs<QComboBox>(D::IDC_FUNCTION);
        pCombo->setCurrentIndex(nIndex);
        emit pCombo->activated(nIndex);
    }

    // How many of the controls a running cycle locks are enabled (all ten, or none).
    int EnabledLockable()
    {
        int nEnabled = 0;
        for (int nId :
             {D::IDC_EXPECTED, D::IDC_RESOLUTION, D::IDC_LOWER_REF, D::IDC_UPPER_REF, D::IDC_SEND_CONFIG,
              D::IDC_INITIATE, D::IDC_CHANNEL_1, D::IDC_CHANNEL_2, D::IDC_CHANNEL_3, D::IDC_FUNCTION})
            nEnabled += Controls().IsEnabled(nId) ? 1 : 0;
        return nEnabled;
    }

    // The driver's call log since the last tarvexsim_clear_calls.
    static std::vector<std::string> Calls()
    {
        std::vector<std::string> calls;
        for (int i = 0; i < tarvexsim_call_count(); ++i)
            calls.emplace_back(tarvexsim_call(i));
        return calls;
    }
    static int CountCalls(const std::string& prefix)
    {
        const auto calls = Calls();
        return static_cast<int>(
            std::ranges::count_if(calls, [&](const auto& call) { return call.starts_with(prefix); }));
    }
    static int FirstCall(const std::string& prefix) // -1 when not called
    {
        const auto calls = Calls();
        const auto it =
            std::ranges::find_if(calls, [&](const auto& call) { return call.starts_with(prefix); });
        return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
    }

    CScopedRecordingMessages m_messages;
    std::unique_ptr<CPanelTestHost> m_pHost;
};
