// What each operation of a live session hands to the driver (entry point, channel, item code, line, number
// and text, as the simulator's call log shows them), and how its answers come back.

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

struct SCallCase
{
    const char* pszName;
    FOperation operate;
    std::vector<std::string> expectedCalls; // without their status
};

class CSessionCallsTest : public CLiveSessionTest
{
protected:
    // The driver may refuse a value; what matters here is what reached it.
    void ExpectCalls(const std::vector<SCallCase>& cases)
    {
        for (const SCallCase& callCase : cases)
        {
            SCOPED_TRACE(callCase.pszName);
            tarvexsim_clear_calls();
            try
            {
                callCase.operate(m_session);
            }
            catch (const CUserException&)
            {
            }
            EXPECT_EQ(CallArguments(), callCase.expectedCalls);
            EXPECT_FALSE(m_session.IsBusy());
        }
    }
};

TEST_F(CSessionCallsTest, SimpleOperationsReachTheirEntryPoints)
{
    tarvexsim_set_reply("tarvex_fetch", 0, "+1.0E+06");
    tarvexsim_set_reply("tarvex_read", 0, "+2.0E+06");
    ExpectCalls({
        {"configure",
         [](auto& s) { s.Configure(EMeasureFunction::Period, 2, "AUTO", "DEF", "1e-3", "2e-3"); },
         {"tarvex_configure 2 9 \"AUTO\" \"DEF\" \"1e-3\" \"2e-3\""}},
        {"initiate immediate", [](auto& s) { s.InitiateImmediate(3); }, {"tarvex_initiate 3 1 NULL"}},
        {"continuous on", [](auto& s) { s.InitiateContinuous(1, true); }, {"tarvex_initiate 1 2 \"ON\""}},
        {"continuous off", [](auto& s) { s.InitiateContinuous(2, false); }, {"tarvex_initiate 2 2 \"OFF\""}},
        {"query continuous", [](auto& s) { s.QueryContinuous(2); }, {"tarvex_initiate 2 3 out"}},
        {"fetch", [](auto& s) { s.Fetch(2); }, {"tarvex_fetch 2 out"}},
        {"read", [](auto& s) { s.Read(3); }, {"tarvex_read 3 out"}},
        {"abort", [](auto& s) { s.Abort(3); }, {"tarvex_abort 3"}},
        {"clear status", [](auto& s) { s.ClearStatus(); }, {"tarvex_ieeecom \"*CLS\" NULL"}},
        {"trigger", [](auto& s) { s.Trigger(); }, {"tarvex_ieeecom \"*TRG\" NULL"}},
        {"operation pending", [](auto& s) { s.QueryOperationPending(); }, {"tarvex_operQ out"}},
        {"time-out", [](auto& s) { s.SetTimeout(12000); }, {"tarvex_timeOut 12000"}},
        {"slot", [](auto& s) { s.GetSlot(); }, {"tarvex_getSlot out"}},
        {"reset", [](auto& s) { s.Reset(); }, {"tarvex_reset"}},
        {"device clear", [](auto& s) { s.DeviceClear(); }, {"tarvex_dcl"}},
        {"close", [](auto& s) { s.Close(); }, {"tarvex_close"}},
        {"init",
         [](auto& s) { s.Init(kResource); },
         {std::string("tarvex_init \"") + kResource + "\" 0 0 out", "tarvex_errorQueryDetect 1"}},
    });
}

TEST_F(CSessionCallsTest, SenseSelectorsSetTheirItems)
{
    ExpectCalls({
        {"0", [](auto& s) { s.SetSense(1, NoItem, "2"); }, {"tarvex_sense 1 0 2 NULL"}},
        {"1 trigger level",
         [](auto& s) { s.SetSense(2, TriggerLevel, "0.5"); },
         {"tarvex_sense 2 4 0.5 NULL"}},
        {"2 relative level",
         [](auto& s) { s.SetSense(1, RelativeTriggerLevel, "+50"); },
         {"tarvex_sense 1 8 50 NULL"}},
        {"3 auto trigger",
         [](auto& s) { s.SetSense(3, AutoTrigger, "ONCE"); },
         {"tarvex_sense 3 6 0 \"ONCE\""}},
        {"4 slope", [](auto& s) { s.SetSense(1, Slope, "NEG"); }, {"tarvex_sense 1 10 0 \"NEG\""}},
        {"5 hysteresis", [](auto& s) { s.SetSense(1, Hysteresis, "MAX"); }, {"tarvex_sense 1 12 0 \"MAX\""}},
        {"6 aperture", [](auto& s) { s.SetSense(1, Aperture, "1e-2"); }, {"tarvex_sense 1 14 0.01 NULL"}},
        {"7 frequency range",
         [](auto& s) { s.SetSense(1, FrequencyRange, "2e6"); },
         {"tarvex_sense 1 16 2e+06 NULL"}},
        {"8 range auto",
         [](auto& s) { s.SetSense(1, FrequencyRangeAuto, "ON"); },
         {"tarvex_sense 1 18 0 \"ON\""}},
        {"9 function", [](auto& s) { s.SetSense(2, Function, "PER"); }, {"tarvex_sense 2 20 0 \"PER\""}},
        {"10", [](auto& s) { s.SetSense(1, ExpectedValue, "1"); }, {"tarvex_sense 1 22 1 NULL"}},
        {"11", [](auto& s) { s.SetSense(1, Resolution, "1"); }, {"tarvex_sense 1 24 1 NULL"}},
        {"12 reference",
         [](auto& s) { s.SetSense(1, ReferenceOscillator, "EXT"); },
         {"tarvex_sense 1 26 0 \"EXT\""}},
        {"13", [](auto& s) { s.SetSense(1, LowerReference, "1"); }, {"tarvex_sense 1 28 1 NULL"}},
        {"14", [](auto& s) { s.SetSense(1, UpperReference, "1"); }, {"tarvex_sense 1 30 1 NULL"}},
        {"15", [](auto& s) { s.SetSense(1, Averages, "1"); }, {"tarvex_sense 1 34 1 NULL"}},
        {"16", [](auto& s) { s.SetSense(1, Filter, "1"); }, {"tarvex_sense 1 32 1 NULL"}},
        {"17 is no selector", [](auto& s) { s.SetSense(1, ESenseSelector(17), "1"); }, {}},
        {"-1 is no selector", [](auto& s) { s.SetSense(1, ESenseSelector(-1), "1"); }, {}},
    });
}

TEST_F(CSessionCallsTest, SenseTextsStartingLikeANumberGoAsNumbers)
{
    ExpectCalls({
        {"blank then digits",
         [](auto& s) { s.SetSense(1, TriggerLevel, " 1.5"); },
         {"tarvex_sense 1 4 1.5 NULL"}},
        {"point first", [](auto& s) { s.SetSense(1, TriggerLevel, ".5"); }, {"tarvex_sense 1 4 0.5 NULL"}},
        {"number with a unit",
         [](auto& s) { s.SetSense(1, TriggerLevel, "1.2V"); },
         {"tarvex_sense 1 4 1.2 NULL"}},
        {"sign alone", [](auto& s) { s.SetSense(1, TriggerLevel, "-"); }, {"tarvex_sense 1 4 0 NULL"}},
        {"keyword", [](auto& s) { s.SetSense(1, TriggerLevel, "MIN"); }, {"tarvex_sense 1 4 0 \"MIN\""}},
        {"empty", [](auto& s) { s.SetSense(1, TriggerLevel, ""); }, {"tarvex_sense 1 4 0 \"\""}},
    });
}

TEST_F(CSessionCallsTest, SenseSelectorsQueryTheirItems)
{
    ExpectCalls({
        {"1 trigger level, then auto trigger",
         [](auto& s) { s.QuerySense(2, TriggerLevel); },
         {"tarvex_sense 2 5 0 out", "tarvex_sense 2 7 0 out"}},
        {"2", [](auto& s) { s.QuerySense(1, RelativeTriggerLevel); }, {"tarvex_sense 1 9 0 out"}},
        {"3", [](auto& s) { s.QuerySense(3, AutoTrigger); }, {"tarvex_sense 3 7 0 out"}},
        {"4", [](auto& s) { s.QuerySense(1, Slope); }, {"tarvex_sense 1 11 0 out"}},
        {"5", [](auto& s) { s.QuerySense(1, Hysteresis); }, {"tarvex_sense 1 13 0 out"}},
        {"6", [](auto& s) { s.QuerySense(1, Aperture); }, {"tarvex_sense 1 15 0 out"}},
        {"9", [](auto& s) { s.QuerySense(2, Function); }, {"tarvex_sense 2 21 0 out"}},
        {"12", [](auto& s) { s.QuerySense(1, ReferenceOscillator); }, {"tarvex_sense 1 27 0 out"}},
        {"0 has no query", [](auto& s) { s.QuerySense(1, NoItem); }, {}},
        {"7 has no query", [](auto& s) { s.QuerySense(1, FrequencyRange); }, {}},
        {"17 is no selector", [](auto& s) { s.QuerySense(1, ESenseSelector(17)); }, {}},
    });
}

TEST_F(CSessionCallsTest, InputSelectorsReachTheirItems)
{
    ExpectCalls({
        {"set 1 attenuation",
         [](auto& s) { s.SetInput(2, Attenuation, "MAX"); },
         {"tarvex_input 2 1 \"MAX\""}},
        {"set 2 coupling", [](auto& s) { s.SetInput(1, Coupling, "AC"); }, {"tarvex_input 1 3 \"AC\""}},
        {"set 3 impedance", [](auto& s) { s.SetInput(1, Impedance, "1e6"); }, {"tarvex_input 1 5 \"1e6\""}},
        {"set 4 routing", [](auto& s) { s.SetInput(1, Routing, "COMM"); }, {"tarvex_input 1 7 \"COMM\""}},
        {"set 5 is no selector", [](auto& s) { s.SetInput(1, EInputSelector(5), "AC"); }, {}},
        {"query 1", [](auto& s) { s.QueryInput(3, Attenuation); }, {"tarvex_input 3 2 out"}},
        {"query 2", [](auto& s) { s.QueryInput(1, Coupling); }, {"tarvex_input 1 4 out"}},
        {"query 3", [](auto& s) { s.QueryInput(1, Impedance); }, {"tarvex_input 1 6 out"}},
        {"query 4", [](auto& s) { s.QueryInput(1, Routing); }, {"tarvex_input 1 8 out"}},
    });
}

TEST_F(CSessionCallsTest, ArmSelectorsReachTheirItems)
{
    ExpectCalls({
        {"set 1 start immediate",
         [](auto& s) { s.SetArm(StartImmediate, "ignored"); },
         {"tarvex_arm 1 NULL NULL"}},
        {"set 2 start level", [](auto& s) { s.SetArm(StartLevel, "MAX"); }, {"tarvex_arm 2 \"MAX\" NULL"}},
        {"set 3 start slope", [](auto& s) { s.SetArm(StartSlope, "NEG"); }, {"tarvex_arm 4 \"NEG\" NULL"}},
        {"set 4 start source", [](auto& s) { s.SetArm(StartSource, "BUS"); }, {"tarvex_arm 6 \"BUS\" NULL"}},
        {"set 5 stop immediate", [](auto& s) { s.SetArm(StopImmediate); }, {"tarvex_arm 8 NULL NULL"}},
        {"set 6 stop level", [](auto& s) { s.SetArm(StopLevel, "0.5"); }, {"tarvex_arm 9 \"0.5\" NULL"}},
        {"set 7 stop slope", [](auto& s) { s.SetArm(StopSlope, "POS"); }, {"tarvex_arm 11 \"POS\" NULL"}},
        {"set 8 stop source", [](auto& s) { s.SetArm(StopSource, "EXT"); }, {"tarvex_arm 13 \"EXT\" NULL"}},
        {"set 9 is no selector", [](auto& s) { s.SetArm(EArmSelector(9), "EXT"); }, {}},
        {"query 1 has none", [](auto& s) { s.QueryArm(StartImmediate); }, {}},
        {"query 2", [](auto& s) { s.QueryArm(StartLevel); }, {"tarvex_arm 3 NULL out"}},
        {"query 3", [](auto& s) { s.QueryArm(StartSlope); }, {"tarvex_arm 5 NULL out"}},
        {"query 4", [](auto& s) { s.QueryArm(StartSource); }, {"tarvex_arm 7 NULL out"}},
        {"query 5 has none", [](auto& s) { s.QueryArm(StopImmediate); }, {}},
        {"query 6", [](auto& s) { s.QueryArm(StopLevel); }, {"tarvex_arm 10 NULL out"}},
        {"query 7", [](auto& s) { s.QueryArm(StopSlope); }, {"tarvex_arm 12 NULL out"}},
        {"query 8", [](auto& s) { s.QueryArm(StopSource); }, {"tarvex_arm 14 NULL out"}},
    });
}

TEST_F(CSessionCallsTest, OutputTargetsNameLineAndItem)
{
    ExpectCalls({
        {"TTLT7", [](auto& s) { s.SetOutput("TTLT7", "ON"); }, {"tarvex_output 1 7 \"ON\""}},
        {"TTLTrg2: first four and last count",
         [](auto& s) { s.SetOutput("TTLTrg2", "OFF"); },
         {"tarvex_output 1 2 \"OFF\""}},
        {"ROSC", [](auto& s) { s.SetOutput("ROSC", "ON"); }, {"tarvex_output 3 0 \"ON\""}},
        {"query TTLT0", [](auto& s) { s.QueryOutput("TTLT0"); }, {"tarvex_output 2 0 out"}},
        {"query ROSC", [](auto& s) { s.QueryOutput("ROSC"); }, {"tarvex_output 4 0 out"}},
        {"TTLT without a line", [](auto& s) { s.SetOutput("TTLT", "ON"); }, {}},
        {"line that is no digit", [](auto& s) { s.SetOutput("TTLTx", "ON"); }, {}},
        {"other target", [](auto& s) { s.QueryOutput("ROSCX"); }, {}},
    });
}

TEST_F(CLiveSessionTest, AnswersComeBackAsTheDriverGaveThem)
{
    tarvexsim_set_reply("tarvex_fetch", 0, "+1.00000012E+07");
    tarvexsim_set_reply("tarvex_read", 0, "+9.5E-03");
    tarvexsim_set_reply("tarvex_initiate", 0, "1");
    tarvexsim_set_reply("tarvex_input", TARVEX_INPUT_COUPLING_QUERY, "AC");
    tarvexsim_set_reply("tarvex_arm", TARVEX_ARM_START_SOURCE_QUERY, "EXT");
    tarvexsim_set_reply("tarvex_output", TARVEX_OUTPUT_TIMEBASE_QUERY, "1");
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_FUNCTION_QUERY, "\"PER\"");
    EXPECT_EQ(m_session.Fetch(1), "+1.00000012E+07");
    EXPECT_EQ(m_session.Read(1), "+9.5E-03");
    EXPECT_EQ(m_session.QueryContinuous(1), "1");
    EXPECT_EQ(m_session.QueryInput(1, Coupling), "AC");
    EXPECT_EQ(m_session.QueryArm(StartSource), "EXT");
    EXPECT_EQ(m_session.QueryOutput("ROSC"), "1");
    EXPECT_EQ(m_session.QuerySense(1, Function), "\"PER\"");
}

// The counter answers the auto-trigger query with "1" or "0"; "ON" is taken as on too.
TEST_F(CLiveSessionTest, TriggerLevelAnswersAutoWhileAutoTriggerIsOn)
{
    const struct
    {
        const char* pszAutoTrigger;
        const char* pszExpected;
    } cases[] = {
        {"ON", "AUTO"},  {"1", "AUTO"},  {"+1", "AUTO"},   {" 1\n", "AUTO"}, {"0", "+1.5"},
        {"OFF", "+1.5"}, {"10", "+1.5"}, {"ONCE", "+1.5"}, {"", "+1.5"},
    };
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_TRIGGER_LEVEL_QUERY, "+1.5");
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszAutoTrigger);
        tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_AUTO_TRIGGER_QUERY, testCase.pszAutoTrigger);
        EXPECT_EQ(m_session.QuerySense(1, TriggerLevel), testCase.pszExpected);
    }
}

TEST_F(CLiveSessionTest, AutoTriggerSetOnTheCounterShowsAsAuto)
{
    m_session.SetSense(2, AutoTrigger, "ON");
    EXPECT_EQ(m_session.QuerySense(2, TriggerLevel), "AUTO");
    m_session.SetSense(2, AutoTrigger, "OFF");
    EXPECT_NE(m_session.QuerySense(2, TriggerLevel), "AUTO");
}
} // namespace
