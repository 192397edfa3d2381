// A non-live session: every operation stores into or answers from the non-live settings, with the counter's
// own values for keywords, and never calls the driver.

#include "LiveSessionTest.h"

#include "TarvexSim.h"
#include "instrument/NonLiveSettings.h"

#include <functional>

namespace
{
using FOperation = std::function<void(CInstrumentSession&)>;
using FQuery = std::function<std::string(CInstrumentSession&)>;

// A live session made non-live, so that any driver call would show in the simulator's log.
class CNonLiveSessionTest : public CLiveSessionTest
{
protected:
    void SetUp() override
    {
        CLiveSessionTest::SetUp();
        m_session.SetLive(false);
    }
    void TearDown() override
    {
        EXPECT_EQ(Calls(), std::vector<std::string>{});
        CLiveSessionTest::TearDown();
    }
};

FQuery Sense(int nSelector)
{
    return [nSelector](CInstrumentSession& s) { return s.QuerySense(1, nSelector); };
}
FQuery Input(int nSelector)
{
    return [nSelector](CInstrumentSession& s) { return s.QueryInput(1, nSelector); };
}
FQuery Arm(int nSelector)
{
    return [nSelector](CInstrumentSession& s) { return s.QueryArm(nSelector); };
}
FQuery Output(const char* pszTarget)
{
    return [pszTarget](CInstrumentSession& s) { return s.QueryOutput(pszTarget); };
}

TEST_F(CNonLiveSessionTest, QueriesAnswerThePowerOnSettings)
{
    const std::vector<std::pair<FQuery, std::string>> cases = {
        {Sense(1), "0.0"},
        {Sense(2), "+50"},
        {Sense(3), "0"},
        {Sense(4), "POS"},
        {Sense(5), "DEF"},
        {Sense(6), "100e-3"},
        {Sense(9), "\"FREQ\""},
        {Sense(12), "CLK10"},
        {Input(1), "+1"},
        {Input(2), "DC"},
        {Input(3), "50.0"},
        {Input(4), "SEP"},
        {Arm(2), "1.6"},
        {Arm(3), "POS"},
        {Arm(4), "IMM"},
        {Arm(6), "1.6"},
        {Arm(7), "POS"},
        {Arm(8), "IMM"},
        {Output("ROSC"), "0"},
        {[](auto& s) { return s.QueryContinuous(2); }, "0"},
        {[](auto& s) { return s.Fetch(1); }, "0.0"},
        {[](auto& s) { return s.Read(3); }, "0.0"},
    };
    for (std::size_t nCase = 0; nCase < cases.size(); ++nCase)
    {
        SCOPED_TRACE(nCase);
        EXPECT_EQ(cases[nCase].first(m_session), cases[nCase].second);
    }
    EXPECT_EQ(m_session.QueryOperationPending(), 0);
}

TEST_F(CNonLiveSessionTest, ConfigureParametersStartAtTheirDefaults)
{
    const CNonLiveSettings& settings = m_session.NonLiveSettings();
    EXPECT_EQ(settings.FunctionIndex(), 3);
    EXPECT_EQ(settings.Setting(CNonLiveSettings::ConfigureParameter1), "AUTO");
    EXPECT_EQ(settings.Setting(CNonLiveSettings::ConfigureParameter2), "DEF");
    EXPECT_EQ(settings.Setting(CNonLiveSettings::ConfigureParameter3), "DEF");
    EXPECT_EQ(settings.Setting(CNonLiveSettings::ConfigureParameter4), "DEF");
}

// Each row sets a value and reads it back: the value stored, with the counter's value for a keyword.
TEST_F(CNonLiveSessionTest, SetsStoreWithTheCountersValues)
{
    const struct
    {
        const char* pszName;
        FOperation set;
        FQuery query;
        const char* pszExpected;
    } cases[] = {
        {"auto trigger ON", [](auto& s) { s.SetSense(1, 3, "ON"); }, Sense(3), "1"},
        {"auto trigger ONCE", [](auto& s) { s.SetSense(1, 3, "ONCE"); }, Sense(3), "0"},
        {"auto trigger ON again", [](auto& s) { s.SetSense(1, 3, "ON"); }, Sense(3), "1"},
        {"auto trigger OFF", [](auto& s) { s.SetSense(1, 3, "OFF"); }, Sense(3), "0"},
        {"auto trigger on, as the counter answers", [](auto& s) { s.SetSense(1, 3, "1"); }, Sense(3), "1"},
        {"auto trigger lower case is no keyword", [](auto& s) { s.SetSense(1, 3, "on"); }, Sense(3), "on"},
        {"trigger level", [](auto& s) { s.SetSense(2, 1, " -0.5"); }, Sense(1), " -0.5"},
        {"relative level", [](auto& s) { s.SetSense(1, 2, "+30"); }, Sense(2), "+30"},
        {"slope", [](auto& s) { s.SetSense(1, 4, "NEG"); }, Sense(4), "NEG"},
        {"hysteresis", [](auto& s) { s.SetSense(1, 5, "MAX"); }, Sense(5), "MAX"},
        {"aperture is never stored", [](auto& s) { s.SetSense(1, 6, "1"); }, Sense(6), "100e-3"},
        {"reference oscillator", [](auto& s) { s.SetSense(1, 12, "EXT"); }, Sense(12), "EXT"},
        {"function set stores nothing", [](auto& s) { s.SetSense(1, 9, "PER"); }, Sense(9), "\"FREQ\""},
        {"attenuation MIN", [](auto& s) { s.SetInput(1, 1, "MIN"); }, Input(1), "1"},
        {"attenuation MAX", [](auto& s) { s.SetInput(1, 1, "MAX"); }, Input(1), "10"},
        {"attenuation number", [](auto& s) { s.SetInput(1, 1, "+10"); }, Input(1), "+10"},
        {"attenuation DEF as given", [](auto& s) { s.SetInput(1, 1, "DEF"); }, Input(1), "DEF"},
        {"coupling MAX as given", [](auto& s) { s.SetInput(1, 2, "MAX"); }, Input(2), "MAX"},
        {"coupling", [](auto& s) { s.SetInput(1, 2, "AC"); }, Input(2), "AC"},
        {"impedance MIN", [](auto& s) { s.SetInput(1, 3, "MIN"); }, Input(3), "50"},
        {"impedance MAX", [](auto& s) { s.SetInput(1, 3, "MAX"); }, Input(3), "1e6"},
        {"impedance number", [](auto& s) { s.SetInput(1, 3, "75"); }, Input(3), "75"},
        {"routing", [](auto& s) { s.SetInput(1, 4, "COMM"); }, Input(4), "COMM"},
        {"start level MIN", [](auto& s) { s.SetArm(2, "MIN"); }, Arm(2), "-1.3"},
        {"start level MAX", [](auto& s) { s.SetArm(2, "MAX"); }, Arm(2), "1.6"},
        {"start level DEF", [](auto& s) { s.SetArm(2, "DEF"); }, Arm(2), "0"},
        {"start level number", [](auto& s) { s.SetArm(2, "0.25"); }, Arm(2), "0.25"},
        {"stop level MIN", [](auto& s) { s.SetArm(6, "MIN"); }, Arm(6), "-1.3"},
        {"stop level MAX", [](auto& s) { s.SetArm(6, "MAX"); }, Arm(6), "1.6"},
        {"stop level DEF", [](auto& s) { s.SetArm(6, "DEF"); }, Arm(6), "0"},
        {"start slope MAX as given", [](auto& s) { s.SetArm(3, "MAX"); }, Arm(3), "MAX"},
        {"start slope", [](auto& s) { s.SetArm(3, "NEG"); }, Arm(3), "NEG"},
        {"start source", [](auto& s) { s.SetArm(4, "BUS"); }, Arm(4), "BUS"},
        {"stop slope", [](auto& s) { s.SetArm(7, "NEG"); }, Arm(7), "NEG"},
        {"stop source", [](auto& s) { s.SetArm(8, "TTLT3"); }, Arm(8), "TTLT3"},
        {"timebase output ON", [](auto& s) { s.SetOutput("ROSC", "ON"); }, Output("ROSC"), "ON"},
        {"timebase output OFF", [](auto& s) { s.SetOutput("ROSC", "OFF"); }, Output("ROSC"), "OFF"},
        {"configure PER", [](auto& s) { s.Configure(9, 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(9),
         "\"PER\""},
        {"configure AC", [](auto& s) { s.Configure(0, 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(9), "\"AC\""},
        {"configure TOT", [](auto& s) { s.Configure(13, 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(9),
         "\"TOT\""},
        {"configure FREQ:RAT", [](auto& s) { s.Configure(4, 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(9),
         "\"FREQ:RAT\""},
        {"function 2 has no keyword", [](auto& s) { s.Configure(2, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(9), "Bad cmd"},
        {"function beyond the table", [](auto& s) { s.Configure(14, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(9), "Bad cmd"},
        {"negative function", [](auto& s) { s.Configure(-1, 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(9),
         "Bad cmd"},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        testCase.set(m_session);
        EXPECT_EQ(testCase.query(m_session), testCase.pszExpected);
    }
}

TEST_F(CNonLiveSessionTest, SetsWithoutASettingStoreNothing)
{
    const std::vector<FOperation> sets = {
        [](auto& s) { s.SetArm(1, "MAX"); },
        [](auto& s) { s.SetArm(5, "MAX"); },
        [](auto& s) { s.SetOutput("TTLT3", "ON"); },
        [](auto& s) { s.SetInput(1, 5, "MAX"); },
        [](auto& s) { s.SetSense(1, 7, "1e6"); },
        [](auto& s) { s.SetSense(1, 8, "ON"); },
        [](auto& s) { s.SetSense(1, 0, "ON"); },
        [](auto& s) { s.InitiateImmediate(1); },
        [](auto& s) { s.Abort(1); },
        [](auto& s) { s.ClearStatus(); },
        [](auto& s) { s.DeviceClear(); },
        [](auto& s) { s.SetTimeout(12000); },
    };
    const CNonLiveSettings& settings = m_session.NonLiveSettings();
    for (std::size_t nCase = 0; nCase < sets.size(); ++nCase)
    {
        SCOPED_TRACE(nCase);
        const CNonLiveSettings before = settings;
        sets[nCase](m_session);
        EXPECT_EQ(settings.FunctionIndex(), before.FunctionIndex());
        for (int nSetting = 0; nSetting < CNonLiveSettings::SettingCount; ++nSetting)
        {
            const auto eSetting = static_cast<CNonLiveSettings::ESetting>(nSetting);
            EXPECT_EQ(settings.Setting(eSetting), before.Setting(eSetting)) << nSetting;
        }
    }
}

TEST_F(CNonLiveSessionTest, QueriesWithoutASettingLeaveTheResult)
{
    ASSERT_EQ(m_session.QuerySense(1, 2), "+50");
    const std::vector<FQuery> queries = {
        Output("TTLT0"), Output("TTLT"), Output("rosc"), Arm(1), Arm(5), Arm(0), Arm(9), Input(0), Input(5),
    };
    for (std::size_t nCase = 0; nCase < queries.size(); ++nCase)
    {
        SCOPED_TRACE(nCase);
        EXPECT_EQ(queries[nCase](m_session), "+50");
    }
    for (const int nSelector : {0, 7, 8, 10, 11, 13, 16, 17, -1})
    {
        SCOPED_TRACE(nSelector);
        EXPECT_EQ(m_session.QuerySense(1, nSelector), "Bad cmd");
    }
}

TEST_F(CNonLiveSessionTest, ResetRestoresAllButTheConfigureParameters)
{
    m_session.Configure(9, 1, "1e6", "0.1", "0.5", "2");
    m_session.SetInput(1, 1, "MAX");
    m_session.SetInput(1, 2, "AC");
    m_session.SetInput(1, 3, "MAX");
    m_session.SetInput(1, 4, "COMM");
    m_session.SetArm(2, "MIN");
    m_session.SetArm(3, "NEG");
    m_session.SetArm(4, "EXT");
    m_session.SetArm(6, "MIN");
    m_session.SetArm(7, "NEG");
    m_session.SetArm(8, "BUS");
    m_session.SetOutput("ROSC", "ON");
    m_session.SetSense(1, 1, "0.7");
    m_session.SetSense(1, 2, "+20");
    m_session.SetSense(1, 3, "ON");
    m_session.SetSense(1, 4, "NEG");
    m_session.SetSense(1, 5, "MIN");
    m_session.SetSense(1, 12, "INT");
    const CNonLiveSettings changed = m_session.NonLiveSettings();

    m_session.Reset();

    const CNonLiveSettings defaults;
    const CNonLiveSettings& settings = m_session.NonLiveSettings();
    EXPECT_EQ(settings.FunctionIndex(), defaults.FunctionIndex());
    for (int nSetting = 0; nSetting < CNonLiveSettings::SettingCount; ++nSetting)
    {
        SCOPED_TRACE(nSetting);
        const auto eSetting = static_cast<CNonLiveSettings::ESetting>(nSetting);
        const bool bKept = eSetting <= CNonLiveSettings::ConfigureParameter4;
        if (eSetting != CNonLiveSettings::Aperture)
        {
            EXPECT_NE(changed.Setting(eSetting), defaults.Setting(eSetting));
        }
        EXPECT_EQ(settings.Setting(eSetting), bKept ? changed.Setting(eSetting) : defaults.Setting(eSetting));
    }
    EXPECT_EQ(m_session.QuerySense(1, 9), "\"FREQ\"");
}

TEST_F(CNonLiveSessionTest, HousekeepingAnswersWithoutTheInstrument)
{
    std::string message = "stale";
    EXPECT_TRUE(m_session.SelfTest(message));
    EXPECT_EQ(message, "");
    message = "stale";
    m_session.ErrorQuery(message);
    EXPECT_EQ(message, "");
    EXPECT_EQ(m_session.GetSlot(), -1);
}
} // namespace
