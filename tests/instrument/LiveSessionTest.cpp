#include "LiveSessionTest.h"

#include "TarvexSim.h"

void CLiveSessionTest::SetUp()
{
    tarvexsim_reset();
    tarvexsim_use_manual_clock(1);
    const char* const resources[] = {kResource};
    tarvexsim_set_resources(resources, 1);
    ASSERT_TRUE(m_session.IsLive());
    std::vector<std::string> found;
    int32_t nCount = 0;
    ASSERT_TRUE(m_session.AutoInit(1, found, nCount));
    ASSERT_EQ(nCount, 1);
    tarvexsim_clear_calls();
}

void CLiveSessionTest::TearDown()
{
    tarvexsim_reset();
}

std::vector<std::string> CLiveSessionTest::Calls()
{
    std::vector<std::string> calls;
    for (int nIndex = 0; nIndex < tarvexsim_call_count(); ++nIndex)
        calls.emplace_back(tarvexsim_call(nIndex));
    return calls;
}

std::vector<std::string> CLiveSessionTest::CallArguments()
{
    std::vector<std::string> calls = Calls();
    for (std::string& call : calls)
        call = call.substr(0, call.rfind(" -> "));
    return calls;
}
