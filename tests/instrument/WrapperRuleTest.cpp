// The rule every session operation follows: a failing status is recorded and raised with the busy flags
// cleared, a call made while another is in progress fails with -1, and answers are bounded.

#include "AnswerQueries.h"
#include "LiveSessionTest.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "framework/base/UserException.h"

#include <functional>

namespace
{
using enum ESenseSelector;
using enum EInputSelector;
using enum EArmSelector;
using FOperation = std::function<void(CInstrumentSession&)>;

constexpr int32_t kWarning = 0x3FFF0005; // a positive status: still a failure

struct SRaisingCase
{
    const char* pszEntryPoint;
    FOperation operate;
};

const std::vector<SRaisingCase>& RaisingOperations()
{
    static const std::vector<SRaisingCase> cases = {
        {"tarvex_configure",
         [](auto& s) { s.Configure(EMeasureFunction::Frequency, 1, "AUTO", "DEF", "DEF", "DEF"); }},
        {"tarvex_initiate", [](auto& s) { s.InitiateImmediate(1); }},
        {"tarvex_initiate", [](auto& s) { s.QueryContinuous(1); }},
        {"tarvex_fetch", [](auto& s) { s.Fetch(1); }},
        {"tarvex_read", [](auto& s) { s.Read(1); }},
        {"tarvex_abort", [](auto& s) { s.Abort(1); }},
        {"tarvex_ieeecom", [](auto& s) { s.ClearStatus(); }},
        {"tarvex_operQ", [](auto& s) { s.QueryOperationPending(); }},
        {"tarvex_sense", [](auto& s) { s.SetSense(1, TriggerLevel, "0.5"); }},
        {"tarvex_sense", [](auto& s) { s.QuerySense(1, TriggerLevel); }},
        {"tarvex_input", [](auto& s) { s.SetInput(1, Coupling, "AC"); }},
        {"tarvex_input", [](auto& s) { s.QueryInput(1, Coupling); }},
        {"tarvex_arm", [](auto& s) { s.SetArm(StartSource, "BUS"); }},
        {"tarvex_arm", [](auto& s) { s.QueryArm(StartLevel); }},
        {"tarvex_output", [](auto& s) { s.SetOutput("ROSC", "ON"); }},
        {"tarvex_output", [](auto& s) { s.QueryOutput("TTLT0"); }},
        {"tarvex_timeOut", [](auto& s) { s.SetTimeout(12000); }},
    };
    return cases;
}

TEST_F(CLiveSessionTest, FailingStatusIsRecordedAndRaisedAndTheNextCallProceeds)
{
    for (const int32_t nStatus : {VI_ERROR_TMO, TARVEX_INSTR_ERROR_DETECTED, kWarning, int32_t{-5}})
    {
        for (const SRaisingCase& operation : RaisingOperations())
        {
            SCOPED_TRACE(std::string(operation.pszEntryPoint) + " status " + std::to_string(nStatus));
            tarvexsim_set_fault(operation.pszEntryPoint, nStatus, 1, nullptr);
            EXPECT_THROW(operation.operate(m_session), CUserException);
            EXPECT_EQ(m_session.GetLastStatus(), nStatus);
            EXPECT_FALSE(m_session.IsBusy());
            tarvexsim_set_reply("tarvex_fetch", 0, "+1.0E+06");
            tarvexsim_set_reply("tarvex_read", 0, "+1.0E+06");
            EXPECT_NO_THROW(operation.operate(m_session));
            tarvexsim_clear_faults();
        }
    }
}

TEST_F(CLiveSessionTest, YesNoOperationsReportFailureByTheirResult)
{
    tarvexsim_set_fault("tarvex_getSlot", VI_ERROR_TMO, 1, nullptr);
    EXPECT_EQ(m_session.GetSlot(), -1);
    EXPECT_EQ(m_session.GetLastStatus(), VI_ERROR_TMO);

    tarvexsim_set_fault("tarvex_self_test", kWarning, 1, nullptr);
    std::string message = "untouched";
    EXPECT_FALSE(m_session.SelfTest(message));
    EXPECT_EQ(message, "untouched");
    EXPECT_EQ(m_session.GetLastStatus(), kWarning);

    tarvexsim_set_fault("tarvex_init", -7, 1, nullptr);
    EXPECT_FALSE(m_session.Init(kResource));

    tarvexsim_set_fault("tarvex_auto_init", -8, 1, nullptr);
    std::vector<std::string> resources = {"stale"};
    int32_t nCount = 5;
    EXPECT_FALSE(m_session.AutoInit(1, resources, nCount));
    EXPECT_TRUE(resources.empty());
    EXPECT_EQ(nCount, 0);

    EXPECT_FALSE(m_session.IsBusy());
    tarvexsim_set_slot(3);
    EXPECT_EQ(m_session.GetSlot(), 3);
    EXPECT_TRUE(m_session.SelfTest(message));
}

TEST_F(CLiveSessionTest, HousekeepingIgnoresTheStatus)
{
    const std::vector<std::pair<const char*, FOperation>> cases = {
        {"tarvex_reset", [](auto& s) { s.Reset(); }},
        {"tarvex_dcl", [](auto& s) { s.DeviceClear(); }},
        {"tarvex_close", [](auto& s) { s.Close(); }},
        {"tarvex_error_query",
         [](auto& s)
         {
             std::string message;
             s.ErrorQuery(message);
         }},
    };
    for (const auto& [pszEntryPoint, operate] : cases)
    {
        SCOPED_TRACE(pszEntryPoint);
        tarvexsim_set_fault(pszEntryPoint, VI_ERROR_TMO, 1, nullptr);
        EXPECT_NO_THROW(operate(m_session));
        EXPECT_FALSE(m_session.IsBusy());
    }
}

// A call made from inside a driver call (as a nested message loop could), through the simulator's hook.
struct SReentry
{
    CInstrumentSession* pSession = nullptr;
    FOperation inner;
    bool bRan = false;
    bool bRaised = false;
    int32_t nStatus = 0;
};

void RunInnerCall(void* pContext)
{
    SReentry& reentry = *static_cast<SReentry*>(pContext);
    reentry.bRan = true;
    try
    {
        reentry.inner(*reentry.pSession);
    }
    catch (const CUserException&)
    {
        reentry.bRaised = true;
        reentry.nStatus = reentry.pSession->GetLastStatus();
    }
}

// No call enters the driver while another runs: a raising operation fails with -1, and one that never
// raises makes no call. A second call from the same nested loop is refused as well.
TEST_F(CLiveSessionTest, CallInsideADriverCallNeverReachesTheDriver)
{
    const auto fetch = [](CInstrumentSession& s) { s.Fetch(1); };
    const auto read = [](CInstrumentSession& s) { s.Read(1); };
    const auto errorQuery = [](CInstrumentSession& s)
    {
        std::string message;
        s.ErrorQuery(message);
    };
    const struct
    {
        const char* pszName;
        const char* pszOuterEntryPoint;
        FOperation outer;
        FOperation inner;
        bool bInnerRaises;
    } cases[] = {
        {"fetch in fetch", "tarvex_fetch", fetch, fetch, true},
        {"query in fetch", "tarvex_fetch", fetch, [](auto& s) { s.QuerySense(1, RelativeTriggerLevel); },
         true},
        {"set sense in configure", "tarvex_configure",
         [](auto& s) { s.Configure(EMeasureFunction::Frequency, 1, "AUTO", "DEF", "DEF", "DEF"); },
         [](auto& s) { s.SetSense(1, TriggerLevel, "1"); }, true},
        {"set input in fetch", "tarvex_fetch", fetch, [](auto& s) { s.SetInput(1, Coupling, "AC"); }, true},
        {"self test in operQ", "tarvex_operQ", [](auto& s) { s.QueryOperationPending(); },
         [](auto& s)
         {
             std::string message;
             s.SelfTest(message);
         },
         true},
        {"slot in abort", "tarvex_abort", [](auto& s) { s.Abort(1); }, [](auto& s) { s.GetSlot(); }, true},
        {"read in read", "tarvex_read", read, read, true},
        {"fetch in read", "tarvex_read", read, fetch, true},
        {"read in fetch", "tarvex_fetch", fetch, read, true},
        {"time-out in fetch", "tarvex_fetch", fetch, [](auto& s) { s.SetTimeout(12000); }, true},
        {"query after a refused read in fetch", "tarvex_fetch", fetch,
         [&](auto& s)
         {
             EXPECT_THROW(read(s), CUserException);
             s.QuerySense(1, RelativeTriggerLevel);
         },
         true},
        {"error query in fetch", "tarvex_fetch", fetch, errorQuery, false},
        {"device clear and error query in read", "tarvex_read", read,
         [&](auto& s)
         {
             s.DeviceClear();
             errorQuery(s);
         },
         false},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        tarvexsim_set_reply("tarvex_fetch", 0, "+1.0E+06");
        tarvexsim_set_reply("tarvex_read", 0, "+2.0E+06");
        SReentry reentry{&m_session, testCase.inner};
        tarvexsim_set_hook(testCase.pszOuterEntryPoint, &RunInnerCall, &reentry);
        tarvexsim_clear_calls();
        EXPECT_NO_THROW(testCase.outer(m_session));
        EXPECT_EQ(tarvexsim_call_count(), 1) << "only the outer call reached the driver";
        EXPECT_TRUE(reentry.bRan);
        EXPECT_EQ(reentry.bRaised, testCase.bInnerRaises);
        if (testCase.bInnerRaises)
        {
            EXPECT_EQ(reentry.nStatus, CInstrumentSession::kStatusReentry);
            EXPECT_EQ(m_session.GetLastStatus(), CInstrumentSession::kStatusReentry);
        }
        EXPECT_FALSE(m_session.IsBusy());
        EXPECT_NO_THROW(testCase.outer(m_session));
    }
}

// A driver that fills the whole buffer, or answers 255 characters and more: the answer ends at the
// buffer's last byte, and nothing past the buffer is read.
TEST_F(CLiveSessionTest, AnswersAreCutAtTheBuffersEnd)
{
    tarvexsim_set_reply("tarvex_fetch", 0, "+1.0E+06");
    tarvexsim_set_reply("tarvex_read", 0, "+1.0E+06");
    tarvexsim_set_unterminated_answers(1);
    for (const auto& [pszName, query] : AnswerQueries())
    {
        SCOPED_TRACE(pszName);
        std::string answer;
        EXPECT_NO_THROW(answer = query(m_session)) << m_session.GetLastStatus();
        EXPECT_EQ(answer.size(), TARVEX_BUFFER_SIZE - 1u);
    }
    tarvexsim_set_unterminated_answers(0);

    const std::string longReading(300, '7');
    tarvexsim_set_reply("tarvex_fetch", 0, longReading.c_str());
    EXPECT_EQ(m_session.Fetch(1), longReading.substr(0, TARVEX_BUFFER_SIZE - 1));
    const std::string reading255(255, '8');
    tarvexsim_set_reply("tarvex_fetch", 0, reading255.c_str());
    EXPECT_EQ(m_session.Fetch(1), reading255);
}
} // namespace
