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
    {"tarvex_sense", 1, 5, "+0.00000E+00"},
    {"tarvex_sense", 1, 7, "0"},
    {"tarvex_sense", 1, 9, "+50"},
    {"tarvex_sense", 1, 11, "POS"},
    {"tarvex_sense", 1, 13, "DEF"},
    {"tarvex_sense", 1, 15, "+1.00000E-01"},
    {"tarvex_sense", 1, 17, "+2.00000E+08"},
    {"tarvex_sense", 3, 17, "+2.50000E+09"},
    {"tarvex_sense", 1, 19, "1"},
    {"tarvex_sense", 2, 21, "\"FREQ\""},
    {"tarvex_sense", 1, 23, "AUTO"},
    {"tarvex_sense", 1, 25, "DEF"},
    {"tarvex_sense", 1, 27, "CLK10"},
    {"tarvex_sense", 1, 29, "DEF"},
    {"tarvex_sense", 1, 31, "DEF"},
    {"tarvex_sense", 1, 33, "0"},
    {"tarvex_sense", 1, 35, "+1"},
    {"tarvex_input", 1, 2, "+1"},
    {"tarvex_input", 2, 4, "DC"},
    {"tarvex_input", 1, 6, "+5.00000E+01"},
    {"tarvex_input", 1, 8, "SEP"},
    {"tarvex_arm", 0, 3, "+1.60000E+00"},
    {"tarvex_arm", 0, 5, "POS"},
    {"tarvex_arm", 0, 7, "IMM"},
    {"tarvex_arm", 0, 10, "+1.60000E+00"},
    {"tarvex_arm", 0, 12, "POS"},
    {"tarvex_arm", 0, 14, "IMM"},
    {"tarvex_output", 0, 2, "0"},
    {"tarvex_output", 7, 2, "0"},
    {"tarvex_output", 0, 4, "0"},
};

struct SRoundTrip
{
    const char* pszEntryPoint;
    int nIndex;
    int nSetItem;
    const char* pszText; // null: the number is sent
    double dNumber;
    int nQueryItem;
    const char* pszAnswer;
};

const SRoundTrip kRoundTrips[] = {
    // sense: trigger level, as numbers and keywords
    {"tarvex_sense", 1, 4, nullptr, 1.5, 5, "+1.50000E+00"},
    {"tarvex_sense", 2, 4, nullptr, -10.2375, 5, "-1.02375E+01"},
    {"tarvex_sense", 1, 4, "MIN", 0, 5, "-1.02375E+01"},
    {"tarvex_sense", 1, 4, "MAX", 0, 5, "+1.02375E+01"},
    {"tarvex_sense", 1, 4, "DEF", 0, 5, "+0.00000E+00"},
    {"tarvex_sense", 1, 4, " -2.5 ", 0, 5, "-2.50000E+00"},
    // relative level: whole percents
    {"tarvex_sense", 1, 8, nullptr, 45, 9, "+45"},
    {"tarvex_sense", 1, 8, nullptr, 44.6, 9, "+45"},
    {"tarvex_sense", 1, 8, "MIN", 0, 9, "+10"},
    {"tarvex_sense", 1, 8, "MAX", 0, 9, "+90"},
    {"tarvex_sense", 1, 8, "DEF", 0, 9, "+50"},
    // auto trigger: keywords or numbers, answered 1 or 0
    {"tarvex_sense", 1, 6, "ON", 0, 7, "1"},
    {"tarvex_sense", 1, 6, nullptr, 1, 7, "1"},
    {"tarvex_sense", 1, 6, "OFF", 0, 7, "0"},
    {"tarvex_sense", 1, 6, nullptr, 0, 7, "0"},
    {"tarvex_sense", 2, 10, "NEG", 0, 11, "NEG"},
    {"tarvex_sense", 2, 10, "pos", 0, 11, "POS"},
    {"tarvex_sense", 1, 12, "MIN", 0, 13, "MIN"},
    {"tarvex_sense", 1, 12, "MAX", 0, 13, "MAX"},
    // aperture
    {"tarvex_sense", 1, 14, nullptr, 1.0, 15, "+1.00000E+00"},
    {"tarvex_sense", 3, 14, "MIN", 0, 15, "+1.00000E-03"},
    {"tarvex_sense", 1, 14, "MAX", 0, 15, "+9.99990E+01"},
    {"tarvex_sense", 1, 14, "DEF", 0, 15, "+1.00000E-01"},
    {"tarvex_sense", 1, 16, nullptr, 1e6, 17, "+1.00000E+06"},
    {"tarvex_sense", 1, 16, "MIN", 0, 17, "+1.00000E-03"},
    {"tarvex_sense", 1, 18, "OFF", 0, 19, "0"},
    // function by keyword, quoted or not
    {"tarvex_sense", 1, 20, "PER", 0, 21, "\"PER\""},
    {"tarvex_sense", 3, 20, "\"FREQ:RAT\"", 0, 21, "\"FREQ:RAT\""},
    {"tarvex_sense", 1, 20, "tot", 0, 21, "\"TOT\""},
    {"tarvex_sense", 1, 22, "1E6", 0, 23, "+1.00000E+06"},
    {"tarvex_sense", 1, 22, "MAX", 0, 23, "MAX"},
    {"tarvex_sense", 1, 24, "0.001", 0, 25, "+1.00000E-03"},
    {"tarvex_sense", 1, 26, "INT", 0, 27, "INT"},
    {"tarvex_sense", 1, 26, "EXT", 0, 27, "EXT"},
    // references: volts with a V (a blank before it allowed), else percent
    {"tarvex_sense", 1, 28, "1.5V", 0, 29, "+1.50000E+00V"},
    {"tarvex_sense", 1, 28, "-2 v", 0, 29, "-2.00000E+00V"},
    {"tarvex_sense", 1, 30, "80", 0, 31, "+8.00000E+01"},
    {"tarvex_sense", 1, 32, "ON", 0, 33, "1"},
    {"tarvex_sense", 1, 34, nullptr, 10, 35, "+10"},
    // input: the instrument has only two attenuations and two impedances
    {"tarvex_input", 1, 1, "MAX", 0, 2, "+10"},
    {"tarvex_input", 1, 1, "MIN", 0, 2, "+1"},
    {"tarvex_input", 2, 1, "10", 0, 2, "+10"},
    {"tarvex_input", 1, 3, "AC", 0, 4, "AC"},
    {"tarvex_input", 1, 5, "MAX", 0, 6, "+1.00000E+06"},
    {"tarvex_input", 1, 5, "MIN", 0, 6, "+5.00000E+01"},
    {"tarvex_input", 1, 5, "75", 0, 6, "+5.00000E+01"},
    {"tarvex_input", 1, 5, "1e5", 0, 6, "+1.00000E+06"},
    {"tarvex_input", 1, 7, "COMM", 0, 8, "COMM"},
    // arm: the levels read back as -1.3, 0 and 1.6
    {"tarvex_arm", 0, 2, "MIN", 0, 3, "-1.30000E+00"},
    {"tarvex_arm", 0, 2, "DEF", 0, 3, "+0.00000E+00"},
    {"tarvex_arm", 0, 2, "MAX", 0, 3, "+1.60000E+00"},
    {"tarvex_arm", 0, 2, "0.5", 0, 3, "+5.00000E-01"},
    {"tarvex_arm", 0, 4, "NEG", 0, 5, "NEG"},
    {"tarvex_arm", 0, 6, "BUS", 0, 7, "BUS"},
    {"tarvex_arm", 0, 6, "ttlt7", 0, 7, "TTLT7"},
    {"tarvex_arm", 0, 6, "HOLD", 0, 7, "HOLD"},
    {"tarvex_arm", 0, 6, "EXT", 0, 7, "EXT"},
    {"tarvex_arm", 0, 9, "MIN", 0, 10, "-1.30000E+00"},
    {"tarvex_arm", 0, 9, "DEF", 0, 10, "+0.00000E+00"},
    {"tarvex_arm", 0, 9, "MAX", 0, 10, "+1.60000E+00"},
    {"tarvex_arm", 0, 11, "NEG", 0, 12, "NEG"},
    {"tarvex_arm", 0, 13, "TTLT0", 0, 14, "TTLT0"},
    // output: trigger lines and the timebase
    {"tarvex_output", 3, 1, "ON", 0, 2, "1"},
    {"tarvex_output", 0, 1, "1", 0, 2, "1"},
    {"tarvex_output", 3, 1, "OFF", 0, 2, "0"},
    {"tarvex_output", 0, 3, "ON", 0, 4, "1"},
    {"tarvex_output", 0, 3, "OFF", 0, 4, "0"},
};

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
    {"tarvex_sense", 1, 4, nullptr, 10.2376, -222}, {"tarvex_sense", 1, 4, nullptr, NAN, -222},
    {"tarvex_sense", 1, 4, "LOW", 0, -224},         {"tarvex_sense", 1, 4, "5abc", 0, -224},
    {"tarvex_sense", 1, 4, "0x10", 0, -224},        {"tarvex_sense", 1, 4, "", 0, -109},
    {"tarvex_sense", 1, 8, nullptr, 9.4, -222},     {"tarvex_sense", 1, 8, nullptr, 91, -222},
    {"tarvex_sense", 1, 6, "MAYBE", 0, -224},       {"tarvex_sense", 1, 10, "UP", 0, -224},
    {"tarvex_sense", 1, 10, nullptr, 1, -224},      {"tarvex_sense", 1, 12, "HIGH", 0, -224},
    {"tarvex_sense", 1, 14, nullptr, 0.0005, -222}, {"tarvex_sense", 1, 14, nullptr, 100, -222},
    {"tarvex_sense", 3, 16, nullptr, 1e6, -222},    {"tarvex_sense", 1, 20, "VOLT", 0, -224},
    {"tarvex_sense", 2, 20, "TINT", 0, -224}, // channel 2 has no time interval
    {"tarvex_sense", 3, 20, "AC", 0, -224},   // channel 3 only counts frequency
    {"tarvex_sense", 1, 26, "CLK5", 0, -224},       {"tarvex_sense", 1, 28, "11V", 0, -222},
    {"tarvex_sense", 1, 28, "101", 0, -222},        {"tarvex_sense", 1, 99, "ON", 0, -113},
    {"tarvex_sense", 4, 4, nullptr, 1, -222},       {"tarvex_sense", 0, 10, "NEG", 0, -222},
    {"tarvex_input", 1, 1, "20", 0, -222},          {"tarvex_input", 1, 3, "GND", 0, -224},
    {"tarvex_input", 1, 5, "10", 0, -222},          {"tarvex_input", 1, 7, "BOTH", 0, -224},
    {"tarvex_input", -1, 3, "AC", 0, -222},         {"tarvex_arm", 0, 2, "1.7", 0, -222},
    {"tarvex_arm", 0, 9, "-1.31", 0, -222},         {"tarvex_arm", 0, 6, "TTLT8", 0, -224},
    {"tarvex_arm", 0, 13, "NOW", 0, -224},          {"tarvex_arm", 0, 99, "IMM", 0, -113},
    {"tarvex_output", 8, 1, "ON", 0, -222},         {"tarvex_output", 0, 1, "MAYBE", 0, -224},
    {"tarvex_output", 0, 9, "ON", 0, -113},
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
        EXPECT_EQ(QueryItem(row.pszEntryPoint, row.nIndex, row.nQueryItem), row.pszAnswer);
        EXPECT_STREQ(tarvexsim_query(row.pszEntryPoint, row.nIndex, row.nQueryItem), row.pszAnswer);
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
    ASSERT_EQ(SetItem("tarvex_sense", 2, 10, "NEG"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_input", 2, 1, "MAX"), VI_SUCCESS);
    EXPECT_EQ(QueryItem("tarvex_sense", 1, 11), "POS");
    EXPECT_EQ(QueryItem("tarvex_input", 1, 2), "+1");

    // Routing and the reference oscillator belong to the whole counter.
    ASSERT_EQ(SetItem("tarvex_input", 1, 7, "COMM"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_sense", 1, 26, "INT"), VI_SUCCESS);
    EXPECT_EQ(QueryItem("tarvex_input", 2, 8), "COMM");
    EXPECT_EQ(QueryItem("tarvex_sense", 3, 27), "INT");
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
        {1, 9, {"AUTO", "DEF", "DEF", "DEF"}, 0, "\"PER\""},
        {1, 11, {"1e-8", "MIN", "1.5V", "80"}, 0, "\"RTIM\""},
        {2, 0, {"", "", "", ""}, 0, "\"AC\""},
        {3, 4, {"DEF", "DEF", "DEF", "DEF"}, 0, "\"FREQ:RAT\""},
        {1, 2, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""}, // index 2 names no function
        {1, 14, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {1, -1, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {2, 12, {"DEF", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""}, // channel 2 has no time interval
        {1, 9, {"5abc", "DEF", "DEF", "DEF"}, -224, "\"FREQ\""},
        {1, 9, {"-5", "DEF", "DEF", "DEF"}, -222, "\"FREQ\""},
        {1, 11, {"DEF", "DEF", "DEF", "20V"}, -222, "\"FREQ\""},
        {4, 3, {"DEF", "DEF", "DEF", "DEF"}, -222, nullptr},
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
        {
            EXPECT_STREQ(tarvexsim_query("tarvex_sense", c.nChannel, 21), c.pszFunction);
        }
        // A refused configuration keeps every parameter too.
        if (c.nCode != 0 && c.pszFunction)
        {
            EXPECT_STREQ(tarvexsim_query("tarvex_sense", c.nChannel, 23), "AUTO");
        }
    }

    char szAnswer[TARVEX_BUFFER_SIZE] = "";
    ASSERT_EQ(tarvex_configure(m_vi, 1, 3, "1E7", "0.1", "DEF", "DEF"), VI_SUCCESS);
    ASSERT_EQ(tarvex_confQuery(m_vi, 1, szAnswer), VI_SUCCESS);
    EXPECT_STREQ(szAnswer, "\"FREQ +1.00000E+07,+1.00000E-01\"");
}

TEST_F(CDriverTest, ResetRestoresPowerOnButKeepsTheErrorQueue)
{
    ASSERT_EQ(SetItem("tarvex_arm", 0, 6, "BUS"), VI_SUCCESS);
    ASSERT_EQ(SetItem("tarvex_sense", 1, 20, "PER"), VI_SUCCESS);
    tarvexsim_push_error(-100, "Command error");

    for (const auto& reset : {+[](ViSession vi) { return tarvex_reset(vi); },
                              +[](ViSession vi) { return tarvex_ieeecom(vi, "*RST", nullptr); }})
    {
        EXPECT_EQ(reset(m_vi), TARVEX_INSTR_ERROR_DETECTED);
        EXPECT_STREQ(tarvexsim_query("tarvex_arm", 0, 7), "IMM");
        EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, 21), "\"FREQ\"");
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
        ASSERT_EQ(SetItem("tarvex_sense", 1, 6, "ON"), VI_SUCCESS);
        ASSERT_EQ(SetItem("tarvex_sense", 1, 8, c.pszRelative), VI_SUCCESS);
        ASSERT_EQ(SetItem("tarvex_sense", 1, 6, "ONCE"), VI_SUCCESS);
        EXPECT_EQ(QueryItem("tarvex_sense", 1, 7), "0");
        EXPECT_EQ(QueryItem("tarvex_sense", 1, 5), c.pszLevel);
    }
    EXPECT_EQ(QueryItem("tarvex_sense", 2, 5), "+0.00000E+00");
}
} // namespace drivertest
