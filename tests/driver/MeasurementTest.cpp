// Measurements of the simulated counter on the manual clock: arming, gate times, the pending bit, fetch
// and its time-out, continuous initiation, totalizing, and readings of every function.

#include "DriverFixture.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <regex>

namespace drivertest
{
namespace
{
constexpr int kPending = 0x40;

// The configure index of each function, short for the tables below.
enum
{
    AC = TARVEX_FUNCTION_AC,
    DC = TARVEX_FUNCTION_DC,
    FREQ = TARVEX_FUNCTION_FREQ,
    RATIO = TARVEX_FUNCTION_FREQ_RATIO,
    FALL = TARVEX_FUNCTION_FALL_TIME,
    MAXV = TARVEX_FUNCTION_MAX,
    MINV = TARVEX_FUNCTION_MIN,
    NWID = TARVEX_FUNCTION_NEG_WIDTH,
    PER = TARVEX_FUNCTION_PERIOD,
    PWID = TARVEX_FUNCTION_POS_WIDTH,
    RISE = TARVEX_FUNCTION_RISE_TIME,
    TINT = TARVEX_FUNCTION_TIME_INTERVAL,
    TOT = TARVEX_FUNCTION_TOTALIZE,
};

class CMeasurementTest : public CDriverTest
{
protected:
    double ReadNumber(int nChannel)
    {
        char szReading[TARVEX_BUFFER_SIZE] = "";
        EXPECT_EQ(tarvex_read(m_vi, static_cast<ViInt16>(nChannel), szReading), VI_SUCCESS);
        return ParseNumber(szReading).value_or(NAN);
    }
};
} // namespace

TEST_F(CMeasurementTest, EachStartSourceArmsAsTheCounterDoes)
{
    struct SCase
    {
        const char* pszSource;
        std::function<void(ViSession)> arm; // empty: nothing can arm it
    };
    const SCase kCases[] = {
        {"BUS", [](ViSession vi) { EXPECT_EQ(tarvex_ieeecom(vi, "*TRG", nullptr), VI_SUCCESS); }},
        {"EXT", [](ViSession) { tarvexsim_set_external_arm(1); }},
        {"TTLT3",
         [](ViSession vi)
         {
             char szOn[] = "ON";
             char szReading[TARVEX_BUFFER_SIZE] = "";
             EXPECT_EQ(tarvex_output(vi, TARVEX_OUTPUT_TRIGGER_LINE_SET, 2, szOn), VI_SUCCESS);
             EXPECT_EQ(tarvex_fetch(vi, 1, szReading), VI_ERROR_TMO) << "line 2 must not arm TTLT3";
             EXPECT_EQ(tarvex_dcl(vi), VI_SUCCESS);
             EXPECT_EQ(tarvex_output(vi, TARVEX_OUTPUT_TRIGGER_LINE_SET, 3, szOn), VI_SUCCESS);
         }},
        {"HOLD", {}},
    };
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE(c.pszSource);
        tarvexsim_reset();
        tarvexsim_use_manual_clock(1);
        ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, c.pszSource), VI_SUCCESS);
        ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
        tarvexsim_advance_ms(3'600'000);
        EXPECT_EQ(OperationCondition(), kPending);

        // Waiting for an arm that has not come, a fetch cannot complete: it times out at once.
        std::string reading;
        EXPECT_EQ(Fetch(1, reading), VI_ERROR_TMO);
        EXPECT_EQ(tarvex_dcl(m_vi), VI_SUCCESS);
        if (!c.arm)
            continue;
        c.arm(m_vi);
        EXPECT_EQ(OperationCondition(), kPending); // armed, counting through its gate
        EXPECT_EQ(Fetch(1, reading), VI_SUCCESS);
        EXPECT_NEAR(ParseNumber(reading).value_or(0), 1e7, 10);
        EXPECT_EQ(OperationCondition(), 0);
        EXPECT_TRUE(DrainErrors().empty());
    }
}

TEST_F(CMeasurementTest, PendingBitLastsTheGateTime)
{
    struct SCase
    {
        int nFunction;
        const char* pszAperture;
        int nGateMs;
    };
    // Frequency, period and ratio count for the aperture; the others take 10 ms.
    const SCase kCases[] = {
        {FREQ, "DEF", 100}, {PER, "0.5", 500}, {RATIO, "0.002", 2}, {DC, "2", 10}, {RISE, "2", 10}};
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE("function " + std::to_string(c.nFunction));
        ASSERT_EQ(Configure(1, c.nFunction), VI_SUCCESS);
        ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, c.pszAperture), VI_SUCCESS);
        EXPECT_EQ(OperationCondition(), 0);
        ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
        EXPECT_EQ(OperationCondition(), kPending);
        tarvexsim_advance_ms(c.nGateMs - 1);
        EXPECT_EQ(OperationCondition(), kPending);
        tarvexsim_advance_ms(1);
        EXPECT_EQ(OperationCondition(), 0);
    }
}

TEST_F(CMeasurementTest, StopArmClosesTheGateAfterItsTime)
{
    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_SET, "BUS"), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    tarvexsim_advance_ms(1000);
    EXPECT_EQ(OperationCondition(), kPending);
    ASSERT_EQ(Common("*TRG"), VI_SUCCESS);
    EXPECT_EQ(OperationCondition(), 0);

    // The immediate stop closes a gate at once.
    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_SET, "HOLD"), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    ASSERT_EQ(tarvex_arm(m_vi, TARVEX_ARM_STOP_IMMEDIATE, nullptr, nullptr), VI_SUCCESS);
    EXPECT_EQ(OperationCondition(), 0);
    std::string reading;
    EXPECT_EQ(Fetch(1, reading), VI_SUCCESS);

    // So does the immediate start arm open one for a measurement that waits.
    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_SET, "IMM"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "HOLD"), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    ASSERT_EQ(tarvex_arm(m_vi, TARVEX_ARM_START_IMMEDIATE, nullptr, nullptr), VI_SUCCESS);
    EXPECT_EQ(Fetch(1, reading), VI_SUCCESS);
}

TEST_F(CMeasurementTest, FetchNeedsAMeasurementAndAnswersItAgain)
{
    std::string reading;
    EXPECT_EQ(Fetch(1, reading), TARVEX_INSTR_ERROR_DETECTED);
    std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "-230,\"Data corrupt or stale\"");

    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    std::string first;
    std::string second;
    ASSERT_EQ(Fetch(1, first), VI_SUCCESS);
    ASSERT_EQ(Fetch(1, second), VI_SUCCESS);
    EXPECT_EQ(first, second); // one measurement, one reading, however often it is fetched

    // Abort and a new function both leave nothing to fetch.
    for (const auto& drop :
         {+[](ViSession vi) { return tarvex_abort(vi, 1); },
          +[](ViSession vi)
          { return tarvex_configure(vi, 1, TARVEX_FUNCTION_PERIOD, "DEF", "DEF", "DEF", "DEF"); }})
    {
        ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
        ASSERT_EQ(drop(m_vi), VI_SUCCESS);
        EXPECT_EQ(Fetch(1, reading), TARVEX_INSTR_ERROR_DETECTED);
        EXPECT_EQ(DrainErrors().size(), 1u);
    }
}

TEST_F(CMeasurementTest, FetchBeyondTheTimeOutFailsAtOnceAndBlocksTheNextCommand)
{
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, "20"), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    std::string reading;
    EXPECT_EQ(Fetch(1, reading), VI_ERROR_TMO);

    // The query that timed out is interrupted by the next command, unless a device clear ended it.
    char szAperture[TARVEX_BUFFER_SIZE] = "";
    EXPECT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_APERTURE_QUERY, 0, szAperture), TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_STREQ(szAperture, "+2.00000E+01");
    std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "-410,\"Query INTERRUPTED\"");
    EXPECT_EQ(OperationCondition(), kPending) << "the time-out must not have moved the clock";

    ASSERT_EQ(tarvex_timeOut(m_vi, 30000), VI_SUCCESS);
    EXPECT_EQ(Fetch(1, reading), VI_SUCCESS);
    EXPECT_EQ(OperationCondition(), 0);

    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    ASSERT_EQ(tarvex_timeOut(m_vi, 1000), VI_SUCCESS);
    EXPECT_EQ(Fetch(1, reading), VI_ERROR_TMO);
    ASSERT_EQ(tarvex_dcl(m_vi), VI_SUCCESS);
    tarvexsim_advance_ms(20'000);
    EXPECT_EQ(Fetch(1, reading), VI_SUCCESS);
    EXPECT_TRUE(DrainErrors().empty());
}

TEST_F(CMeasurementTest, ReadingsOfEveryFunctionLieNearTheSimulatedSignal)
{
    struct SCase
    {
        int nChannel;
        int nFunction;
        double dExpected;
        double dTolerance;
    };
    // Channel 1: 10 MHz, -0.95 V to 1.05 V, 40 % high, edges of 2.5 ns and 3 ns; channel 2: 1 MHz,
    // +-0.5 V; channel 3: 1.2 GHz.
    const SCase kCases[] = {
        {1, FREQ, 1e7, 10},     {1, PER, 1e-7, 1e-13},      {1, RATIO, 10, 1e-5},     {1, PWID, 4e-8, 5e-10},
        {1, NWID, 6e-8, 5e-10}, {1, AC, 0.9798, 0.01},      {1, DC, -0.15, 0.01},     {1, MINV, -0.95, 0.01},
        {1, MAXV, 1.05, 0.01},  {1, TINT, 1.5e-7, 5e-10},   {1, RISE, 2.5e-9, 1e-10}, {1, FALL, 3e-9, 1e-10},
        {2, FREQ, 1e6, 1},      {2, RATIO, 0.1, 1e-6},      {2, AC, 0.5, 0.01},       {2, MAXV, 0.5, 0.01},
        {3, FREQ, 1.2e9, 2e3},  {3, PER, 1 / 1.2e9, 1e-15},
    };
    const std::regex kReadingForm(R"([+-]\d\.\d{8}E[+-]\d{2})");
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE("channel " + std::to_string(c.nChannel) + " function " + std::to_string(c.nFunction));
        ASSERT_EQ(Configure(c.nChannel, c.nFunction), VI_SUCCESS);
        char szReading[TARVEX_BUFFER_SIZE] = "";
        ASSERT_EQ(tarvex_read(m_vi, static_cast<ViInt16>(c.nChannel), szReading), VI_SUCCESS);
        EXPECT_TRUE(std::regex_match(szReading, kReadingForm)) << szReading;
        EXPECT_NEAR(ParseNumber(szReading).value_or(NAN), c.dExpected, c.dTolerance);
    }
    EXPECT_TRUE(DrainErrors().empty());
}

TEST_F(CMeasurementTest, InputSettingsShowInTheReadings)
{
    ASSERT_EQ(Configure(1, DC), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_input", 1, TARVEX_INPUT_COUPLING_SET, "AC"), VI_SUCCESS);
    EXPECT_NEAR(ReadNumber(1), 0.0, 0.01); // AC coupling takes the mean away

    ASSERT_EQ(Configure(2, FREQ), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_input", 1, TARVEX_INPUT_ROUTING_SET, "COMM"), VI_SUCCESS);
    EXPECT_NEAR(ReadNumber(2), 1e7, 10); // common routing feeds channel 1 to channel 2

    ASSERT_EQ(tarvex_configure(m_vi, 1, RISE, "DEF", "DEF", "20", "60"), VI_SUCCESS);
    EXPECT_NEAR(ReadNumber(1), 2.5e-9 * 40 / 80, 1e-10); // half the 10-90 % span
}

TEST_F(CMeasurementTest, FrequencyNoiseShrinksWithALongerGate)
{
    const auto spread = [&](const char* pszAperture)
    {
        EXPECT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, pszAperture), VI_SUCCESS);
        std::vector<double> readings;
        for (int n = 0; n < 20; ++n)
            readings.push_back(ReadNumber(1));
        const auto [low, high] = std::minmax_element(readings.begin(), readings.end());
        return *high - *low;
    };
    const double dShortGate = spread("0.01");
    const double dLongGate = spread("1");
    EXPECT_GT(dShortGate, 0.0);
    EXPECT_LT(dLongGate * 20, dShortGate);

    // The same sequence again after a reset: the noise is seeded.
    tarvexsim_reset();
    tarvexsim_use_manual_clock(1);
    EXPECT_EQ(spread("0.01"), dShortGate);
}

TEST_F(CMeasurementTest, TotalizeCountsEdgesUntilStopped)
{
    ASSERT_EQ(Configure(1, TOT), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    std::string reading;
    ASSERT_EQ(Fetch(1, reading), VI_SUCCESS);
    EXPECT_EQ(reading, "+0");

    const struct
    {
        int nAdvanceMs;
        const char* pszTotal;
    } kSteps[] = {{1000, "+10000000"}, {0, "+10000000"}, {500, "+15000000"}, {1, "+15010000"}};
    for (const auto& step : kSteps)
    {
        tarvexsim_advance_ms(step.nAdvanceMs);
        ASSERT_EQ(Fetch(1, reading), VI_SUCCESS);
        EXPECT_EQ(reading, step.pszTotal);
        EXPECT_EQ(OperationCondition(), kPending);
    }
    // Initiating again while it counts changes nothing; the immediate stop freezes the total.
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    ASSERT_EQ(tarvex_arm(m_vi, TARVEX_ARM_STOP_IMMEDIATE, nullptr, nullptr), VI_SUCCESS);
    tarvexsim_advance_ms(1000);
    ASSERT_EQ(Fetch(1, reading), VI_SUCCESS);
    EXPECT_EQ(reading, "+15010000");
    EXPECT_EQ(OperationCondition(), 0);
}

TEST_F(CMeasurementTest, ContinuousInitiationMeasuresOverAndOver)
{
    char szAnswer[TARVEX_BUFFER_SIZE] = "";
    char szOn[] = "ON";
    char szOff[] = "OFF";
    // The shortest gate, so that two readings surely differ by their noise.
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, "MIN"), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_CONTINUOUS, szOn), VI_SUCCESS);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_QUERY_CONTINUOUS, szAnswer), VI_SUCCESS);
    EXPECT_STREQ(szAnswer, "1");

    std::string first;
    ASSERT_EQ(Fetch(1, first), VI_SUCCESS);
    EXPECT_EQ(OperationCondition(), kPending); // the next one is already under way
    tarvexsim_advance_ms(1);
    std::string second;
    ASSERT_EQ(Fetch(1, second), VI_SUCCESS);
    EXPECT_NE(first, second);
    // An abort starts the next one at once; many gate times later there is still a fresh reading.
    ASSERT_EQ(tarvex_abort(m_vi, 1), VI_SUCCESS);
    tarvexsim_advance_ms(3'600'000);
    ASSERT_EQ(Fetch(1, second), VI_SUCCESS);
    EXPECT_NEAR(ParseNumber(second).value_or(0), 1e7, 1e3);

    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_CONTINUOUS, szOff), VI_SUCCESS);
    tarvexsim_advance_ms(1);
    EXPECT_EQ(OperationCondition(), 0);
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_QUERY_CONTINUOUS, szAnswer), VI_SUCCESS);
    EXPECT_STREQ(szAnswer, "0");
    EXPECT_EQ(tarvex_initiate(m_vi, 1, 7, nullptr), TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_EQ(DrainErrors().at(0).nCode, -113);
}

TEST_F(CMeasurementTest, ReadAndMeasureTakeAFreshReading)
{
    char szReading[TARVEX_BUFFER_SIZE] = "";
    ASSERT_EQ(SetItem("tarvex_sense", 2, TARVEX_SENSE_APERTURE_SET, "MIN"), VI_SUCCESS);
    ASSERT_EQ(tarvex_read(m_vi, 2, szReading), VI_SUCCESS);
    const std::string first = szReading;
    ASSERT_EQ(tarvex_read(m_vi, 2, szReading), VI_SUCCESS);
    EXPECT_NE(first, szReading);
    EXPECT_NEAR(ParseNumber(szReading).value_or(0), 1e6, 100);

    ASSERT_EQ(tarvex_measure(m_vi, 1, PER, "AUTO", "DEF", szReading), VI_SUCCESS);
    EXPECT_NEAR(ParseNumber(szReading).value_or(0), 1e-7, 1e-13);
    EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_FUNCTION_QUERY), "\"PER\"");
    ASSERT_EQ(tarvex_shortConf(m_vi, 1, DC), VI_SUCCESS);
    ASSERT_EQ(tarvex_shortMeas(m_vi, 1, szReading), VI_SUCCESS);
    EXPECT_NEAR(ParseNumber(szReading).value_or(0), -0.15, 0.01);

    // A refused configuration reads nothing.
    ASSERT_EQ(tarvex_measure(m_vi, 3, TOT, "DEF", "DEF", szReading), TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_STREQ(szReading, "");
    EXPECT_EQ(DrainErrors().size(), 1u);

    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "HOLD"), VI_SUCCESS);
    EXPECT_EQ(tarvex_read(m_vi, 1, szReading), VI_ERROR_TMO);
}
TEST_F(CMeasurementTest, OnTheWallClockAFetchSleepsThroughTheGate)
{
    tarvexsim_use_manual_clock(0);
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, "0.05"), VI_SUCCESS);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(tarvex_initiate(m_vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr), VI_SUCCESS);
    std::string reading;
    ASSERT_EQ(Fetch(1, reading), VI_SUCCESS);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(50));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_NEAR(ParseNumber(reading).value_or(0), 1e7, 100);
}
} // namespace drivertest
