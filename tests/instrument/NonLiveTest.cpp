// A non-live session: every operation stores into or answers from the non-live settings, with the counter's
// own values for keywords, and never calls the driver.

#include "LiveSessionTest.h"

#include "TarvexSim.h"
#include "instrument/NonLiveSettings.h"

#include <functional>

namespace
{
using enum ESenseSelector;
using enum EInputSelector;
using enum EArmSelector;
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

FQuery Sense(ESenseSelector eSelector)
{
    return [eSelector](CInstrumentSession& s) { return s.QuerySense(1, eSelector); };
}
FQuery Input(EInputSelector eSelector)
{
    return [eSelector](CInstrumentSession& s) { return s.QueryInput(1, eSelector); };
}
FQuery Arm(EArmSelector eSelector)
{
    return [eSelector](CInstrumentSession& s) { return s.QueryArm(eSelector); };
}
FQuery Output(const char* pszTarget)
{
    return [pszTarget](CInstrumentSession& s) { return s.QueryOutput(pszTarget); };
}

TEST_F(CNonLiveSessionTest, QueriesAnswerThePowerOnSettings)
{
    const std::vector<std::pair<FQuery, std::string>> cases = {
        {Sense(TriggerLevel), "0.0"},
        {Sense(RelativeTriggerLevel), "+50"},
        {Sense(AutoTrigger), "0"},
        {Sense(Slope), "POS"},
        {Sense(Hysteresis), "DEF"},
        {Sense(Aperture), "100e-3"},
        {Sense(Function), "\"FREQ\""},
        {Sense(ReferenceOscillator), "CLK10"},
        {Input(Attenuation), "+1"},
        {Input(Coupling), "DC"},
        {Input(Impedance), "50.0"},
        {Input(Routing), "SEP"},
        {Arm(StartLevel), "1.6"},
        {Arm(StartSlope), "POS"},
        {Arm(StartSource), "IMM"},
        {Arm(StopLevel), "1.6"},
        {Arm(StopSlope), "POS"},
        {Arm(StopSource), "IMM"},
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
    EXPECT_EQ(settings.Function(), EMeasureFunction::Frequency);
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
        {"auto trigger ON", [](auto& s) { s.SetSense(1, AutoTrigger, "ON"); }, Sense(AutoTrigger), "1"},
        {"auto trigger ONCE", [](auto& s) { s.SetSense(1, AutoTrigger, "ONCE"); }, Sense(AutoTrigger), "0"},
        {"auto trigger ON again", [](auto& s) { s.SetSense(1, AutoTrigger, "ON"); }, Sense(AutoTrigger), "1"},
        {"auto trigger OFF", [](auto& s) { s.SetSense(1, AutoTrigger, "OFF"); }, Sense(AutoTrigger), "0"},
        {"auto trigger on, as the counter answers", [](auto& s) { s.SetSense(1, AutoTrigger, "1"); },
         Sense(AutoTrigger), "1"},
        {"auto trigger lower case is no keyword", [](auto& s) { s.SetSense(1, AutoTrigger, "on"); },
         Sense(AutoTrigger), "on"},
        {"trigger level", [](auto& s) { s.SetSense(2, TriggerLevel, " -0.5"); }, Sense(TriggerLevel),
         " -0.5"},
        {"relative level", [](auto& s) { s.SetSense(1, RelativeTriggerLevel, "+30"); },
         Sense(RelativeTriggerLevel), "+30"},
        {"slope", [](auto& s) { s.SetSense(1, Slope, "NEG"); }, Sense(Slope), "NEG"},
        {"hysteresis", [](auto& s) { s.SetSense(1, Hysteresis, "MAX"); }, Sense(Hysteresis), "MAX"},
        {"aperture is never stored", [](auto& s) { s.SetSense(1, Aperture, "1"); }, Sense(Aperture),
         "100e-3"},
        {"reference oscillator", [](auto& s) { s.SetSense(1, ReferenceOscillator, "EXT"); },
         Sense(ReferenceOscillator), "EXT"},
        {"function set stores nothing", [](auto& s) { s.SetSense(1, Function, "PER"); }, Sense(Function),
         "\"FREQ\""},
        {"attenuation MIN", [](auto& s) { s.SetInput(1, Attenuation, "MIN"); }, Input(Attenuation), "1"},
        {"attenuation MAX", [](auto& s) { s.SetInput(1, Attenuation, "MAX"); }, Input(Attenuation), "10"},
        {"attenuation number", [](auto& s) { s.SetInput(1, Attenuation, "+10"); }, Input(Attenuation), "+10"},
        {"attenuation DEF as given", [](auto& s) { s.SetInput(1, Attenuation, "DEF"); }, Input(Attenuation),
         "DEF"},
        {"coupling MAX as given", [](auto& s) { s.SetInput(1, Coupling, "MAX"); }, Input(Coupling), "MAX"},
        {"coupling", [](auto& s) { s.SetInput(1, Coupling, "AC"); }, Input(Coupling), "AC"},
        {"impedance MIN", [](auto& s) { s.SetInput(1, Impedance, "MIN"); }, Input(Impedance), "50"},
        {"impedance MAX", [](auto& s) { s.SetInput(1, Impedance, "MAX"); }, Input(Impedance), "1e6"},
        {"impedance number", [](auto& s) { s.SetInput(1, Impedance, "75"); }, Input(Impedance), "75"},
        {"routing", [](auto& s) { s.SetInput(1, Routing, "COMM"); }, Input(Routing), "COMM"},
        {"start level MIN", [](auto& s) { s.SetArm(StartLevel, "MIN"); }, Arm(StartLevel), "-1.3"},
        {"start level MAX", [](auto& s) { s.SetArm(StartLevel, "MAX"); }, Arm(StartLevel), "1.6"},
        {"start level DEF", [](auto& s) { s.SetArm(StartLevel, "DEF"); }, Arm(StartLevel), "0"},
        {"start level number", [](auto& s) { s.SetArm(StartLevel, "0.25"); }, Arm(StartLevel), "0.25"},
        {"stop level MIN", [](auto& s) { s.SetArm(StopLevel, "MIN"); }, Arm(StopLevel), "-1.3"},
        {"stop level MAX", [](auto& s) { s.SetArm(StopLevel, "MAX"); }, Arm(StopLevel), "1.6"},
        {"stop level DEF", [](auto& s) { s.SetArm(StopLevel, "DEF"); }, Arm(StopLevel), "0"},
        {"start slope MAX as given", [](auto& s) { s.SetArm(StartSlope, "MAX"); }, Arm(StartSlope), "MAX"},
        {"start slope", [](auto& s) { s.SetArm(StartSlope, "NEG"); }, Arm(StartSlope), "NEG"},
        {"start source", [](auto& s) { s.SetArm(StartSource, "BUS"); }, Arm(StartSource), "BUS"},
        {"stop slope", [](auto& s) { s.SetArm(StopSlope, "NEG"); }, Arm(StopSlope), "NEG"},
        {"stop source", [](auto& s) { s.SetArm(StopSource, "TTLT3"); }, Arm(StopSource), "TTLT3"},
        {"timebase output ON", [](auto& s) { s.SetOutput("ROSC", "ON"); }, Output("ROSC"), "ON"},
        {"timebase output OFF", [](auto& s) { s.SetOutput("ROSC", "OFF"); }, Output("ROSC"), "OFF"},
        {"configure PER",
         [](auto& s) { s.Configure(EMeasureFunction::Period, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(Function), "\"PER\""},
        {"configure AC",
         [](auto& s) { s.Configure(EMeasureFunction::AcVolts, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(Function), "\"AC\""},
        {"configure TOT",
         [](auto& s) { s.Configure(EMeasureFunction::Totalize, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(Function), "\"TOT\""},
        {"configure FREQ:RAT",
         [](auto& s) { s.Configure(EMeasureFunction::FrequencyRatio, 1, "1e6", "DEF", "DEF", "DEF"); },
         Sense(Function), "\"FREQ:RAT\""},
        {"function 2 has no keyword",
         [](auto& s) { s.Configure(EMeasureFunction(2), 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(Function),
         "Bad cmd"},
        {"function beyond the table",
         [](auto& s) { s.Configure(EMeasureFunction(14), 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(Function),
         "Bad cmd"},
        {"negative function",
         [](auto& s) { s.Configure(EMeasureFunction(-1), 1, "1e6", "DEF", "DEF", "DEF"); }, Sense(Function),
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
        [](auto& s) { s.SetArm(StartImmediate, "MAX"); },
        [](auto& s) { s.SetArm(StopImmediate, "MAX"); },
        [](auto& s) { s.SetOutput("TTLT3", "ON"); },
        [](auto& s) { s.SetInput(1, EInputSelector(5), "MAX"); },
        [](auto& s) { s.SetSense(1, FrequencyRange, "1e6"); },
        [](auto& s) { s.SetSense(1, FrequencyRangeAuto, "ON"); },
        [](auto& s) { s.SetSense(1, NoItem, "ON"); },
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
        EXPECT_EQ(settings.Function(), before.Function());
        for (int nSetting = 0; nSetting < CNonLiveSettings::SettingCount; ++nSetting)
        {
            const auto eSetting = static_cast<CNonLiveSettings::ESetting>(nSetting);
            EXPECT_EQ(settings.Setting(eSetting), before.Setting(eSetting)) << nSetting;
        }
    }
}

TEST_F(CNonLiveSessionTest, QueriesWithoutASettingLeaveTheResult)
{
    ASSERT_EQ(m_session.QuerySense(1, RelativeTriggerLevel), "+50");
    const std::vector<FQuery> queries = {
        Output("TTLT0"),      Output("TTLT"),           Output("rosc"),
        Arm(StartImmediate),  Arm(StopImmediate),       Arm(EArmSelector(0)),
        Arm(EArmSelector(9)), Input(EInputSelector(0)), Input(EInputSelector(5)),
    };
    for (std::size_t nCase = 0; nCase < queries.size(); ++nCase)
    {
        SCOPED_TRACE(nCase);
        EXPECT_EQ(queries[nCase](m_session), "+50");
    }
    for (const int nSelector : {0, 7, 8, 10, 11, 13, 16, 17, -1})
    {
        SCOPED_TRACE(nSelector);
        EXPECT_EQ(m_session.QuerySense(1, ESenseSelector(nSelector)), "Bad cmd");
    }
}

TEST_F(CNonLiveSessionTest, ResetRestoresAllButTheConfigureParameters)
{
    m_session.Configure(EMeasureFunction::Period, 1, "1e6", "0.1", "0.5", "2");
    m_session.SetInput(1, Attenuation, "MAX");
    m_session.SetInput(1, Coupling, "AC");
    m_session.SetInput(1, Impedance, "MAX");
    m_session.SetInput(1, Routing, "COMM");
    m_session.SetArm(StartLevel, "MIN");
    m_session.SetArm(StartSlope, "NEG");
    m_session.SetArm(StartSource, "EXT");
    m_session.SetArm(StopLevel, "MIN");
    m_session.SetArm(StopSlope, "NEG");
    m_session.SetArm(StopSource, "BUS");
    m_session.SetOutput("ROSC", "ON");
    m_session.SetSense(1, TriggerLevel, "0.7");
    m_session.SetSense(1, RelativeTriggerLevel, "+20");
    m_session.SetSense(1, AutoTrigger, "ON");
    m_session.SetSense(1, Slope, "NEG");
    m_session.SetSense(1, Hysteresis, "MIN");
    m_session.SetSense(1, ReferenceOscillator, "INT");
    const CNonLiveSettings changed = m_session.NonLiveSettings();

    m_session.Reset();

    const CNonLiveSettings defaults;
    const CNonLiveSettings& settings = m_session.NonLiveSettings();
    EXPECT_EQ(settings.Function(), defaults.Function());
    for (int nSetting = 0; nSetting < CNonLiveSettings::SettingCount; ++nSetting)
    {
        SCOPED_TRACE(nSetting);
        const auto eSetting = static_cast<CNonLiveSettings::ESetting>(nSetting);
        const bool bKept = eSetting <= CNonLiveSettings::ConfigureParameter4;
        if (eSetting != CNonLiveSettings::Aperture)
            EXPECT_NE(changed.Setting(eSetting), defaults.Setting(eSetting));
        EXPECT_EQ(settings.Setting(eSetting), bKept ? changed.Setting(eSetting) : defaults.Setting(eSetting));
    }
    EXPECT_EQ(m_session.QuerySense(1, Function), "\"FREQ\"");
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
