// Settings of the simulated counter: what it answers at power-on, what it takes and answers back, and what
// it refuses, item by item.

#include "DriverFixture.h"

#include <cmath>

namespace drivertest
{
namespace
{
struct SAnswer
{
    const char* pszEntryPoint;
    int nIndex;
    int nQueryItem;
    const char* pszAnswer;
};

// What the panels read at start-up must equal the program's own non-live defaults where they overlap.
const SAnswer kPowerOn[] = {
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_QUERY, "+0.00000E+00"},
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_QUERY, "0"},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_QUERY, "+50"},
    {"tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY, "POS"},
    {"tarvex_sense", 1, TARVEX_SENSE_HYSTERESIS_QUERY, "DEF"},
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_QUERY, "+1.00000E-01"},
    {"tarvex_sense", 1, TARVEX_SENSE_FREQ_RANGE_QUERY, "+2.00000E+08"},
    {"tarvex_sense", 3, TARVEX_SENSE_FREQ_RANGE_QUERY, "+2.50000E+09"},
    {"tarvex_sense", 1, TARVEX_SENSE_FREQ_RANGE_AUTO_QUERY, "1"},
    {"tarvex_sense", 2, TARVEX_SENSE_FUNCTION_QUERY, "\"FREQ\""},
    {"tarvex_sense", 1, TARVEX_SENSE_EXPECTED_QUERY, "AUTO"},
    {"tarvex_sense", 1, TARVEX_SENSE_RESOLUTION_QUERY, "DEF"},
    {"tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_QUERY, "CLK10"},
    {"tarvex_sense", 1, TARVEX_SENSE_LOWER_REF_QUERY, "DEF"},
    {"tarvex_sense", 1, TARVEX_SENSE_UPPER_REF_QUERY, "DEF"},
    {"tarvex_sense", 1, TARVEX_SENSE_FILTER_QUERY, "0"},
    {"tarvex_sense", 1, TARVEX_SENSE_AVERAGES_QUERY, "+1"},
    {"tarvex_input", 1, TARVEX_INPUT_ATTENUATION_QUERY, "+1"},
    {"tarvex_input", 2, TARVEX_INPUT_COUPLING_QUERY, "DC"},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_QUERY, "+5.00000E+01"},
    {"tarvex_input", 1, TARVEX_INPUT_ROUTING_QUERY, "SEP"},
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_QUERY, "+1.60000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SLOPE_QUERY, "POS"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_QUERY, "IMM"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_LEVEL_QUERY, "+1.60000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_SLOPE_QUERY, "POS"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_QUERY, "IMM"},
    {"tarvex_output", 0, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0"},
    {"tarvex_output", 7, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0"},
    {"tarvex_output", 0, TARVEX_OUTPUT_TIMEBASE_QUERY, "0"},
};

struct SRoundTrip
{
    const char* pszEntryPoint;
    int nIndex;
    int nSetItem;
    const char* pszText; // null: the number is sent
    double dNumber;
    const char* pszAnswer; // of the query item, which follows the set item
};

const SRoundTrip kRoundTrips[] = {
    // sense: trigger level, as numbers and keywords
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, 1.5, "+1.50000E+00"},
    {"tarvex_sense", 2, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, -10.2375, "-1.02375E+01"},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "MIN", 0, "-1.02375E+01"},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "MAX", 0, "+1.02375E+01"},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "DEF", 0, "+0.00000E+00"},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, " -2.5 ", 0, "-2.50000E+00"},
    // relative level: whole percents
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, nullptr, 45, "+45"},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, nullptr, 44.6, "+45"},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, "MIN", 0, "+10"},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, "MAX", 0, "+90"},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, "DEF", 0, "+50"},
    // auto trigger: keywords or numbers, answered 1 or 0
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, "ON", 0, "1"},
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, nullptr, 1, "1"},
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, "OFF", 0, "0"},
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, nullptr, 0, "0"},
    {"tarvex_sense", 2, TARVEX_SENSE_SLOPE_SET, "NEG", 0, "NEG"},
    {"tarvex_sense", 2, TARVEX_SENSE_SLOPE_SET, "pos", 0, "POS"},
    {"tarvex_sense", 1, TARVEX_SENSE_HYSTERESIS_SET, "MIN", 0, "MIN"},
    {"tarvex_sense", 1, TARVEX_SENSE_HYSTERESIS_SET, "MAX", 0, "MAX"},
    // aperture
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, nullptr, 1.0, "+1.00000E+00"},
    {"tarvex_sense", 3, TARVEX_SENSE_APERTURE_SET, "MIN", 0, "+1.00000E-03"},
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, "MAX", 0, "+9.99990E+01"},
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, "DEF", 0, "+1.00000E-01"},
    {"tarvex_sense", 1, TARVEX_SENSE_FREQ_RANGE_SET, nullptr, 1e6, "+1.00000E+06"},
    {"tarvex_sense", 1, TARVEX_SENSE_FREQ_RANGE_SET, "MIN", 0, "+1.00000E-03"},
    {"tarvex_sense", 1, TARVEX_SENSE_FREQ_RANGE_AUTO_SET, "OFF", 0, "0"},
    // function by keyword, quoted or not
    {"tarvex_sense", 1, TARVEX_SENSE_FUNCTION_SET, "PER", 0, "\"PER\""},
    {"tarvex_sense", 3, TARVEX_SENSE_FUNCTION_SET, "\"FREQ:RAT\"", 0, "\"FREQ:RAT\""},
    {"tarvex_sense", 1, TARVEX_SENSE_FUNCTION_SET, "tot", 0, "\"TOT\""},
    {"tarvex_sense", 1, TARVEX_SENSE_EXPECTED_SET, "1E6", 0, "+1.00000E+06"},
    {"tarvex_sense", 1, TARVEX_SENSE_EXPECTED_SET, "MAX", 0, "MAX"},
    {"tarvex_sense", 1, TARVEX_SENSE_RESOLUTION_SET, "0.001", 0, "+1.00000E-03"},
    {"tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_SET, "INT", 0, "INT"},
    {"tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_SET, "EXT", 0, "EXT"},
    // references: volts with a V (a blank before it allowed), else percent
    {"tarvex_sense", 1, TARVEX_SENSE_LOWER_REF_SET, "1.5V", 0, "+1.50000E+00V"},
    {"tarvex_sense", 1, TARVEX_SENSE_LOWER_REF_SET, "-2 v", 0, "-2.00000E+00V"},
    {"tarvex_sense", 1, TARVEX_SENSE_UPPER_REF_SET, "80", 0, "+8.00000E+01"},
    {"tarvex_sense", 1, TARVEX_SENSE_FILTER_SET, "ON", 0, "1"},
    {"tarvex_sense", 1, TARVEX_SENSE_AVERAGES_SET, nullptr, 10, "+10"},
    // input: the instrument has only two attenuations and two impedances
    {"tarvex_input", 1, TARVEX_INPUT_ATTENUATION_SET, "MAX", 0, "+10"},
    {"tarvex_input", 1, TARVEX_INPUT_ATTENUATION_SET, "MIN", 0, "+1"},
    {"tarvex_input", 2, TARVEX_INPUT_ATTENUATION_SET, "10", 0, "+10"},
    {"tarvex_input", 1, TARVEX_INPUT_COUPLING_SET, "AC", 0, "AC"},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_SET, "MAX", 0, "+1.00000E+06"},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_SET, "MIN", 0, "+5.00000E+01"},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_SET, "75", 0, "+5.00000E+01"},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_SET, "1e5", 0, "+1.00000E+06"},
    {"tarvex_input", 1, TARVEX_INPUT_ROUTING_SET, "COMM", 0, "COMM"},
    // arm: the levels read back as -1.3, 0 and 1.6
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_SET, "MIN", 0, "-1.30000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_SET, "DEF", 0, "+0.00000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_SET, "MAX", 0, "+1.60000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_SET, "0.5", 0, "+5.00000E-01"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SLOPE_SET, "NEG", 0, "NEG"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "BUS", 0, "BUS"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "ttlt7", 0, "TTLT7"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "HOLD", 0, "HOLD"},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "EXT", 0, "EXT"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_LEVEL_SET, "MIN", 0, "-1.30000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_LEVEL_SET, "DEF", 0, "+0.00000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_LEVEL_SET, "MAX", 0, "+1.60000E+00"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_SLOPE_SET, "NEG", 0, "NEG"},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_SET, "TTLT0", 0, "TTLT0"},
    // output: trigger lines and the timebase
    {"tarvex_output", 3, TARVEX_OUTPUT_TRIGGER_LINE_SET, "ON", 0, "1"},
    {"tarvex_output", 0, TARVEX_OUTPUT_TRIGGER_LINE_SET, "1", 0, "1"},
    {"tarvex_output", 3, TARVEX_OUTPUT_TRIGGER_LINE_SET, "OFF", 0, "0"},
    {"tarvex_output", 0, TARVEX_OUTPUT_TIMEBASE_SET, "ON", 0, "1"},
    {"tarvex_output", 0, TARVEX_OUTPUT_TIMEBASE_SET, "OFF", 0, "0"},
};

constexpr int kUnknownItem = 99; // no entry point has it

struct SRefusal
{
    const char* pszEntryPoint;
    int nIndex;
    int nSetItem;
    const char* pszText;
    double dNumber;
    ViInt32 nCode;
};

const SRefusal kRefusals[] = {
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, 10.2376, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, NAN, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "LOW", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "5abc", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "0x10", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, "", 0, -109},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, nullptr, 9.4, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, nullptr, 91, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, "MAYBE", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_SLOPE_SET, "UP", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_SLOPE_SET, nullptr, 1, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_HYSTERESIS_SET, "HIGH", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, nullptr, 0.0005, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_APERTURE_SET, nullptr, 100, -222},
    {"tarvex_sense", 3, TARVEX_SENSE_FREQ_RANGE_SET, nullptr, 1e6, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_FUNCTION_SET, "VOLT", 0, -224},
    {"tarvex_sense", 2, TARVEX_SENSE_FUNCTION_SET, "TINT", 0, -224}, // channel 2 has no time interval
    {"tarvex_sense", 3, TARVEX_SENSE_FUNCTION_SET, "AC", 0, -224},   // channel 3 only counts frequency
    {"tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_SET, "CLK5", 0, -224},
    {"tarvex_sense", 1, TARVEX_SENSE_LOWER_REF_SET, "11V", 0, -222},
    {"tarvex_sense", 1, TARVEX_SENSE_LOWER_REF_SET, "101", 0, -222},
    {"tarvex_sense", 1, kUnknownItem, "ON", 0, -113},
    {"tarvex_sense", 4, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, 1, -222},
    {"tarvex_sense", 0, TARVEX_SENSE_SLOPE_SET, "NEG", 0, -222},
    {"tarvex_input", 1, TARVEX_INPUT_ATTENUATION_SET, "20", 0, -222},
    {"tarvex_input", 1, TARVEX_INPUT_COUPLING_SET, "GND", 0, -224},
    {"tarvex_input", 1, TARVEX_INPUT_IMPEDANCE_SET, "10", 0, -222},
    {"tarvex_input", 1, TARVEX_INPUT_ROUTING_SET, "BOTH", 0, -224},
    {"tarvex_input", -1, TARVEX_INPUT_COUPLING_SET, "AC", 0, -222},
    {"tarvex_arm", 0, TARVEX_ARM_START_LEVEL_SET, "1.7", 0, -222},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_LEVEL_SET, "-1.31", 0, -222},
    {"tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "TTLT8", 0, -224},
    {"tarvex_arm", 0, TARVEX_ARM_STOP_SOURCE_SET, "NOW", 0, -224},
    {"tarvex_arm", 0, kUnknownItem, "IMM", 0, -113},
    {"tarvex_output", 8, TARVEX_OUTPUT_TRIGGER_LINE_SET, "ON", 0, -222},
    {"tarvex_output", 0, TARVEX_OUTPUT_TRIGGER_LINE_SET, "MAYBE", 0, -224},
    {"tarvex_output", 0, kUnknownItem, "ON", 0, -113},
};

std::string Describe(const char* pszEntryPoint, int nIndex, int nItem, const char* pszText, double dNumber)
{
    return std::string(pszEntryPoint) + " index " + std::to_string(nIndex) + " item " +
           std::to_string(nItem) + " " +
           (pszText ? "\"" + std::string(pszText) + "\"" : std::to_string(dNumber));
}
} // namespace

TEST_F(CDriverTest, PowerOnAnswersMatchTheProgramsDefaults)
{
    for (const SAnswer& row : kPowerOn)
    {
        SCOPED_TRACE(std::string(row.pszEntryPoint) + " item " + std::to_string(row.nQueryItem));
        EXPECT_EQ(QueryItem(row.pszEntryPoint, row.nIndex, row.nQueryItem), row.pszAnswer);
        EXPECT_STREQ(tarvexsim_query(row.pszEntryPoint, row.nIndex, row.nQueryItem), row.pszAnswer);
    }
    EXPECT_TRUE(DrainErrors().empty());
}

TEST_F(CDriverTest, SetItemsAreAnsweredInTheInstrumentsOwnForm)
{
    for (const SRoundTrip& row : kRoundTrips)
    {
        SCOPED_TRACE(Describe(row.pszEntryPoint, row.nIndex, row.nSetItem, row.pszText, row.dNumber));
        EXPECT_EQ(SetItem(row.pszEntryPoint, row.nIndex, row.nSetItem, row.pszText, row.dNumber), VI_SUCCESS);
        EXPECT_EQ(QueryItem(row.pszEntryPoint, row.nIndex, row.nSetItem + 1), row.pszAnswer);
        EXPECT_STREQ(tarvexsim_query(row.pszEntryPoint, row.nIndex, row.nSetItem + 1), row.pszAnswer);
        EXPECT_TRUE(DrainErrors().empty());
    }
}

TEST_F(CDriverTest, RefusedValuesQueueTheirErrorAndChangeNothing)
{
    for (const SRefusal& row : kRefusals)
    {
        SCOPED_TRACE(Describe(row.pszEntryPoint, row.nIndex, row.nSetItem, row.pszText, row.dNumber));
        const int nQueryItem = row.nSetItem + 1; // every set item's query follows it
        const char* pszBefore = tarvexsim_query(row.pszEntryPoint, row.nIndex, nQueryItem);
        const std::string before = pszBefore ? pszBefore : "";

        EXPECT_EQ(SetItem(row.pszEntryPoint, row.nIndex, row.nSetItem, row.pszText, row.dNumber),
                  TARVEX_INSTR_ERROR_DETECTED);
        const std::vector<SErrorEntry> errors = DrainErrors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].nCode, row.nCode);

        const char* pszAfter = tarvexsim_query(row.pszEntryPoint, row.nIndex, nQueryItem);
        EXPECT_EQ(pszAfter ? pszAfter : "", before);
    }
}

TEST_F(CDriverTest, SettingsAreKeptPerChannelExceptTheSharedOnes)
{
    ASSERT_EQ(SetItem("tarvex_sense", 2, TARVEX_SENSE_SLOPE_SET, "NEG"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_input", 2, TARVEX_INPUT_ATTENUATION_SET, "MAX"), VI_SUCCESS);
    EXPECT_EQ(QueryItem("tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY), "POS");
    EXPECT_EQ(QueryItem("tarvex_input", 1, TARVEX_INPUT_ATTENUATION_QUERY), "+1");

    // Routing and the reference oscillator belong to the whole counter.
    ASSERT_EQ(SetItem("tarvex_input", 1, TARVEX_INPUT_ROUTING_SET, "COMM"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_ROSC_SOURCE_SET, "INT"), VI_SUCCESS);
    EXPECT_EQ(QueryItem("tarvex_input", 2, TARVEX_INPUT_ROUTING_QUERY), "COMM");
    EXPECT_EQ(QueryItem("tarvex_sense", 3, TARVEX_SENSE_ROSC_SOURCE_QUERY), "INT");
}

TEST_F(CDriverTest, ConfigureSetsTheFunctionAndItsParametersOrNothing)
{
    struct SCase
    {
        int nChannel;
        int nFunction;
        const char* apszParameters[4];
        ViInt32 nCode; // 0: taken
        const char* pszFunction;
    };
    const SCase kCases[] = {
        {1, TARVEX_FUNCTION_PERIOD, {"AUTO", "DEF", "DEF", "DEF"}, 0, "\"PER\""},
        {1, TARVEX_FUNCTION_RISE_TIME, {"1e-8", "MIN", "1.5V", "80"}, 0, "\"RTIM\""},
        {2, TARVEX_FUNCTION_AC, {"", "", "", ""}, 0, "\"AC\""},
        {3, TARVEX_FUNCTION_FREQ_RATIO, {"DEF", "DEF", "DEF", "DEF"}, 0, "\"FREQ:RAT\""},
        {1, 2, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""}, // index 2 names no function
        {1, 14, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {1, -1, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        // Channel 2 has no time interval.
        {2, TARVEX_FUNCTION_TIME_INTERVAL, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {1, TARVEX_FUNCTION_PERIOD, {"5abc", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {1, TARVEX_FUNCTION_PERIOD, {"-5", "DEF", "DEF", "DEF"}, -222, "\"FREQ\""},
        {1, TARVEX_FUNCTION_RISE_TIME, {"DEF", "DEF", "DEF", "20V"}, -222, "\"FREQ\""},
        {4, TARVEX_FUNCTION_FREQ, {"DEF", "DEF", "DEF", "DEF"}, -222, nullptr},
    };
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE("channel " + std::to_string(c.nChannel) + " function " + std::to_string(c.nFunction) +
                     " expected " + c.apszParameters[0]);
        tarvexsim_reset();
        const ViStatus status = tarvex_configure(
            m_vi, static_cast<ViInt16>(c.nChannel), static_cast<ViInt16>(c.nFunction), c.apszParameters[0],
            c.apszParameters[1], c.apszParameters[2], c.apszParameters[3]);
        const std::vector<SErrorEntry> errors = DrainErrors();
        if (c.nCode == 0)
        {
            EXPECT_EQ(status, VI_SUCCESS);
            EXPECT_TRUE(errors.empty());
        }
        else
        {
            EXPECT_EQ(status, TARVEX_INSTR_ERROR_DETECTED);
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors[0].nCode, c.nCode);
        }
        if (c.pszFunction)
            EXPECT_STREQ(tarvexsim_query("tarvex_sense", c.nChannel, 21), c.pszFunction);
        // A refused configuration keeps every parameter too.
        if (c.nCode != 0 && c.pszFunction)
            EXPECT_STREQ(tarvexsim_query("tarvex_sense", c.nChannel, 23), "AUTO");
    }

    char szAnswer[TARVEX_BUFFER_SIZE] = "";
    ASSERT_EQ(tarvex_configure(m_vi, 1, TARVEX_FUNCTION_FREQ, "1E7", "0.1", "DEF", "DEF"), VI_SUCCESS);
    ASSERT_EQ(tarvex_confQuery(m_vi, 1, szAnswer), VI_SUCCESS);
    EXPECT_STREQ(szAnswer, "\"FREQ +1.00000E+07,+1.00000E-01\"");
}

TEST_F(CDriverTest, ResetRestoresPowerOnButKeepsTheErrorQueue)
{
    ASSERT_EQ(SetItem("tarvex_arm", 0, TARVEX_ARM_START_SOURCE_SET, "BUS"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_FUNCTION_SET, "PER"), VI_SUCCESS);
    tarvexsim_push_error(-100, "Command error");

    for (const auto& reset : {+[](ViSession vi) { return tarvex_reset(vi); },
                              +[](ViSession vi) { return tarvex_ieeecom(vi, "*RST", nullptr); }})
    {
        EXPECT_EQ(reset(m_vi), TARVEX_INSTR_ERROR_DETECTED);
        EXPECT_STREQ(tarvexsim_query("tarvex_arm", 0, TARVEX_ARM_START_SOURCE_QUERY), "IMM");
        EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_FUNCTION_QUERY), "\"FREQ\"");
    }
    const std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "-100,\"Command error\"");
}

TEST_F(CDriverTest, AutoTriggerOnceSetsTheLevelFromTheSignalAndStaysOff)
{
    // Channel 1 swings from -0.95 V to 1.05 V: 50 % is its middle, 10 % lies 0.2 V above its bottom.
    const struct
    {
        const char* pszRelative;
        const char* pszLevel;
    } kCases[] = {{"DEF", "+5.00000E-02"}, {"MIN", "-7.50000E-01"}, {"MAX", "+8.50000E-01"}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.pszRelative);
        ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, "ON"), VI_SUCCESS);
        ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_RELATIVE_LEVEL_SET, c.pszRelative), VI_SUCCESS);
        ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_SET, "ONCE"), VI_SUCCESS);
        EXPECT_EQ(QueryItem("tarvex_sense", 1, TARVEX_SENSE_AUTO_TRIGGER_QUERY), "0");
        EXPECT_EQ(QueryItem("tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_QUERY), c.pszLevel);
    }
    EXPECT_EQ(QueryItem("tarvex_sense", 2, TARVEX_SENSE_TRIGGER_LEVEL_QUERY), "+0.00000E+00");
}
} // namespace drivertest
