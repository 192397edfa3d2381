#include "AppTestFixture.h"

#include "TarvexSim.h"
#include "controls/RoundIndicator.h"
#include "framework/ModalScript.h"
#include "panels/MeasurePanel.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimerEvent>

#include <algorithm>

void CAppTest::SetUp()
{
    tarvexsim_reset();
    tarvexsim_use_manual_clock(1);
    SetResources({"VXI0::24::INSTR"});
    ClearModalScripts();
}

void CAppTest::TearDown()
{
    m_pApp.reset();
    testsupport::ProcessEvents();
    ClearModalScripts();
    tarvexsim_reset();
}

void CAppTest::SetResources(std::initializer_list<const char*> resources)
{
    const std::vector<const char*> list(resources);
    tarvexsim_set_resources(list.data(), static_cast<int>(list.size()));
}

CPframe& CAppTest::Start(const std::string& libraryFolder)
{
    m_pApp = std::make_unique<CPanelApp>(libraryFolder);
    EXPECT_TRUE(m_pApp->InitInstance());
    return Frame();
}

void CAppTest::Choose(int nCommand) const
{
    QAction* pItem = Frame().Menu().Item(nCommand);
    ASSERT_NE(pItem, nullptr) << nCommand;
    pItem->trigger();
}

void CAppTest::Tick() const
{
    QTimerEvent tick(1); // Qt drops a timer event with id 0
    QCoreApplication::sendEvent(&Frame(), &tick);
}

std::vector<std::string> CAppTest::Calls()
{
    std::vector<std::string> calls;
    for (int i = 0; i < tarvexsim_call_count(); ++i)
        calls.emplace_back(tarvexsim_call(i));
    return calls;
}

std::vector<std::string> CAppTest::CalledEntryPoints()
{
    std::vector<std::string> names;
    for (const std::string& call : Calls())
        names.push_back(call.substr(0, call.find(' ')));
    return names;
}

bool CAppTest::WasCalled(const std::string& lineStart)
{
    const std::vector<std::string> calls = Calls();
    return std::ranges::any_of(calls, [&](const std::string& call) { return call.starts_with(lineStart); });
}

COLORREF CAppTest::LampColour() const
{
    auto* pMeasure = dynamic_cast<CMeasureDlg*>(Frame().GetController(PANEL_MEASURE)->GetPanel());
    EXPECT_NE(pMeasure, nullptr) << "the Measure panel is shown";
    return pMeasure != nullptr
               ? pMeasure->Controls().ItemAs<CRoundIndicator>(CMeasureDlg::IDC_INDICATOR)->LampColour()
               : 0;
}
