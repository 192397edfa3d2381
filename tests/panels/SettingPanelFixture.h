#pragma once
// What the tests of the Event Trig, Input Config and Output Config panels share: a fresh simulated
// counter on a manual clock, the panel test host with the Measure controller and the panel's controller,
// the panel's controls found by id, the simulator's call log, and a picture of the panel.

#include "PanelTestHost.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "controls/ToggleButton.h"
#include "framework/MessageService.h"
#include "panels/MeasurePanel.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QVariant>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

template <class TController> class CSettingPanelFixture : public ::testing::Test
{
protected:
    explicit CSettingPanelFixture(int nIndex) : m_nIndex(nIndex) {}

    void SetUp() override
    {
        tarvexsim_reset();
        tarvexsim_use_manual_clock(1);
        m_pHost = std::make_unique<CPanelTestHost>();
        ASSERT_TRUE(m_pHost->IsLive()) << "the simulated counter could not be opened";
        m_pHost->SetController(PANEL_MEASURE, m_pHost->Make<CMeasureController>());
        m_pHost->SetController(m_nIndex, m_pHost->Make<TController>());
        m_pHost->m_window.show();
        tarvexsim_clear_calls();
    }

    void TearDown() override
    {
        m_pHost.reset();
        testsupport::ProcessEvents();
        tarvexsim_reset();
    }

    TController& Controller() { return static_cast<TController&>(*m_pHost->GetController(m_nIndex)); }
    CDialog* Panel() { return Controller().GetPanel(); }

    // Shows the panel as the frame does (destroying the one shown) and lets the old one go.
    void Show()
    {
        m_pHost->ShowPanel(m_nIndex);
        testsupport::ProcessEvents();
    }

    // Sync: the frame's refresh of the shown panel.
    void Sync() { Controller().Refresh(Panel()); }

    template <class T = QWidget> T* Control(int nId)
    {
        const auto children = Panel()->template findChildren<QWidget*>();
        const auto it = std::ranges::find_if(children, [nId](const QWidget* p)
                                             { return p->property("ctrlId").toInt() == nId; });
        return it != children.end() ? qobject_cast<T*>(*it) : nullptr;
    }

    CToggleButton& Toggle(int nId)
    {
        auto* pToggle = Control<CToggleButton>(nId);
        EXPECT_NE(pToggle, nullptr) << nId;
        return *pToggle;
    }

    static std::vector<std::string> Calls()
    {
        std::vector<std::string> calls;
        for (int i = 0; i < tarvexsim_call_count(); ++i)
            calls.emplace_back(tarvexsim_call(i));
        return calls;
    }

    // The calls of the log that start with the text, in order.
    static std::vector<std::string> CallsStarting(const std::string& prefix)
    {
        std::vector<std::string> calls = Calls();
        std::erase_if(calls, [&](const std::string& call) { return !call.starts_with(prefix); });
        return calls;
    }

    // A picture of the frame with its panel, under <working folder>/panels/.
    void SavePicture(const char* pszName)
    {
        QDir().mkpath("panels");
        const QImage image = testsupport::Grab(&m_pHost->m_window);
        EXPECT_TRUE(image.save(QString("panels/%1.png").arg(pszName)));
    }

    int m_nIndex;
    CScopedRecordingMessages m_messages;
    std::unique_ptr<CPanelTestHost> m_pHost;
};
