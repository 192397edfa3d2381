// The program messages the LAN driver builds, read back with the dialect's parser as the emulator reads
// them: every row of the command table is built by the driver's message functions, as its entry point
// builds it, and parses back to that very row with the suffix and parameters sent; every item code of the
// ABI has its row. Parameter texts that could break a message keep what the counter reads from them and
// never start a second command; a text a message cannot carry is refused with the parameter's status.

#include "Commands.h"
#include "LanStatus.h"
#include "ScpiHeader.h"
#include "ScpiParser.h"
#include "ScpiValue.h"
#include "ScpiWriter.h"
#include "TarvexEntryPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace
{
using scpi::EArguments;
using scpi::EOperation;
using tarvexsim::CScpiValue;

// What the parser reads from a message: its units, or the first error's code.
struct SReadBack
{
    std::vector<scpi::SUnit> units;
    int nError = 0;
};

SReadBack ReadBack(const std::string& text)
{
    SReadBack readBack;
    scpi::CMessageParser parser(text);
    scpi::SUnit unit;
    const scpi::SScpiError* pError = nullptr;
    for (size_t n = 0; n < text.size() + 2; ++n)
    {
        const auto eResult = parser.Next(unit, pError);
        if (eResult == scpi::CMessageParser::EResult::End)
            break;
        if (eResult == scpi::CMessageParser::EResult::Error)
            readBack.nError = pError->nCode;
        else
            readBack.units.push_back(unit);
    }
    return readBack;
}

// A message built for a row, with the suffix and the parameters it must carry.
struct SBuilt
{
    ViStatus status = VI_SUCCESS;
    lan::SMessage message;
    int nIndex = 1; // the channel or line the entry point was given
    std::vector<std::string> parameters;
};

// Builds the row's message as its entry point does; none for a row only tarvex_ieeecom can send.
std::optional<SBuilt> BuildAsTheEntryPointDoes(const scpi::SCommand& row)
{
    SBuilt built;
    const bool bSet = !row.IsQuery();
    const bool bTakesValue = bSet && row.eArguments == EArguments::One;
    switch (row.eOperation)
    {
    case EOperation::Sense:
    case EOperation::Input:
    case EOperation::Arm:
    case EOperation::Output:
    {
        // tarvex_arm has no index and sends 1; tarvex_output's is the trigger line.
        built.nIndex = row.eOperation == EOperation::Arm ? 1 : row.eOperation == EOperation::Output ? 5 : 3;
        if (bTakesValue)
            built.parameters = {"NEG"};
        built.status = lan::SettingMessage(
            {row.eOperation, built.nIndex, row.nItem, "NEG", std::nullopt, 2, 3, 4}, built.message);
        return built;
    }
    case EOperation::Configure:
        built.nIndex = 2;
        built.parameters = {"1E6", "DEF", "10", "MAX"};
        {
            const char* const apszTexts[] = {"1E6", "DEF", "10", "MAX"};
            built.status = lan::ConfigureMessage(built.nIndex, row.nItem, apszTexts, built.message);
        }
        return built;
    case EOperation::Measure:
        built.nIndex = 2;
        built.parameters = {"1E6", "MIN"};
        built.status = lan::MeasureMessage(built.nIndex, row.nItem, "1E6", "MIN", built.message);
        return built;
    case EOperation::Continuous:
        built.nIndex = 2;
        if (bSet)
        {
            built.parameters = {"ON"};
            built.status = lan::ContinuousMessage(built.nIndex, "ON", built.message);
            return built;
        }
        [[fallthrough]];
    case EOperation::ConfigureQuery:
    case EOperation::Initiate:
    case EOperation::Fetch:
    case EOperation::Read:
    case EOperation::Abort:
        built.nIndex = 2;
        built.status = lan::ChannelMessage(row.eOperation, built.nIndex, row.IsQuery(), built.message);
        return built;
    default:
        // The instrument's own operations: those with a parameter are the caller's text of tarvex_ieeecom.
        if (row.eArguments != EArguments::None)
            return std::nullopt;
        built.message = {lan::InstrumentMessage(row.eOperation, row.IsQuery()), row.IsQuery()};
        return built;
    }
}

void ExpectParsesBackToItself(size_t nRow)
{
    const scpi::SCommand& row = scpi::Commands()[nRow];
    SCOPED_TRACE(std::string(row.header));
    const std::optional<SBuilt> built = BuildAsTheEntryPointDoes(row);
    if (!built)
    {
        EXPECT_TRUE(row.IsCommon()) << "no entry point builds this row";
        return;
    }
    ASSERT_EQ(built->status, VI_SUCCESS);
    EXPECT_EQ(built->message.bQuery, row.IsQuery()) << built->message.text;
    const SReadBack readBack = ReadBack(built->message.text);
    ASSERT_EQ(readBack.nError, 0) << built->message.text;
    ASSERT_EQ(readBack.units.size(), 1u) << built->message.text;
    const scpi::SUnit& unit = readBack.units.front();
    EXPECT_EQ(unit.pCommand, &row) << built->message.text << " read as " << unit.pCommand->header;
    EXPECT_EQ(unit.nSuffix, scpi::HeaderPatterns()[nRow].TakesSuffix() ? built->nIndex : 1)
        << built->message.text;
    EXPECT_EQ(unit.parameters, built->parameters) << built->message.text;
}

TEST(CommandBuilding, EveryRowOfTheTableParsesBackToItselfWithItsSuffixAndParameters)
{
    for (size_t nRow = 0; nRow < scpi::Commands().size(); ++nRow)
        ExpectParsesBackToItself(nRow);
}

TEST(CommandBuilding, ASenseSettingWithoutTextSendsTheNumberSoThatItReadsBackTheSame)
{
    for (const double dNumber : {0.125, -10.2375, 1e-300, 2.5e9, 1.0 / 3.0})
    {
        lan::SMessage message;
        ASSERT_EQ(
            lan::SettingMessage(
                {EOperation::Sense, 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, dNumber, 2, 3, 5}, message),
            VI_SUCCESS);
        const SReadBack readBack = ReadBack(message.text);
        ASSERT_EQ(readBack.units.size(), 1u) << message.text;
        ASSERT_EQ(readBack.units[0].parameters.size(), 1u) << message.text;
        const CScpiValue value = CScpiValue::FromText(readBack.units[0].parameters[0]);
        EXPECT_EQ(value.Type(), CScpiValue::EType::Number) << message.text;
        EXPECT_EQ(value.Number(), dNumber) << message.text;
    }
}

// The item codes of each entry point of the ABI, all of which name a row; the codes beyond are refused as
// the item parameter.
struct SItemCodes
{
    EOperation eOperation;
    int nFirst;
    int nLast;
    int nItemParameter;
};

TEST(CommandBuilding, EveryItemCodeOfTheAbiHasItsRowAndNoOtherCodeIsSent)
{
    const SItemCodes rows[] = {
        {EOperation::Sense, TARVEX_SENSE_TRIGGER_LEVEL_SET, TARVEX_SENSE_AVERAGES_QUERY, 3},
        {EOperation::Input, TARVEX_INPUT_ATTENUATION_SET, TARVEX_INPUT_ROUTING_QUERY, 3},
        {EOperation::Arm, TARVEX_ARM_START_IMMEDIATE, TARVEX_ARM_STOP_SOURCE_QUERY, 2},
        {EOperation::Output, TARVEX_OUTPUT_TRIGGER_LINE_SET, TARVEX_OUTPUT_TIMEBASE_QUERY, 2},
    };
    for (const SItemCodes& row : rows)
    {
        for (int nItem = row.nFirst - 2; nItem <= row.nLast + 2; ++nItem)
        {
            lan::SMessage message;
            const ViStatus status = lan::SettingMessage(
                {row.eOperation, 1, nItem, "1", std::nullopt, 2, row.nItemParameter, 4}, message);
            const bool bDefined = nItem >= row.nFirst && nItem <= row.nLast;
            EXPECT_EQ(status, bDefined ? VI_SUCCESS : lan::ParameterError(row.nItemParameter))
                << static_cast<int>(row.eOperation) << " item " << nItem;
        }
    }
    // The measurement functions: 2 names none.
    for (int nFunction = -1; nFunction <= TARVEX_FUNCTION_TOTALIZE + 1; ++nFunction)
    {
        const bool bDefined = nFunction >= 0 && nFunction <= TARVEX_FUNCTION_TOTALIZE && nFunction != 2;
        lan::SMessage message;
        EXPECT_EQ(lan::ConfigureMessage(1, nFunction, nullptr, message),
                  bDefined ? VI_SUCCESS : lan::ParameterError(3))
            << nFunction;
        EXPECT_EQ(lan::MeasureMessage(1, nFunction, "DEF", "DEF", message),
                  bDefined ? VI_SUCCESS : lan::ParameterError(3))
            << nFunction;
    }
}

// What the counter reads from a parameter, compared by meaning (the text as received may differ).
bool ReadsTheSame(const CScpiValue& a, const CScpiValue& b)
{
    return a.Type() == b.Type() && a.Keyword() == b.Keyword() &&
           (a.Type() != CScpiValue::EType::Number || a.Number() == b.Number());
}

// A text in each of the four parameters of a configuration, so that a ',' that escaped would show as a
// fifth, and *STB? after it as the driver sends it: two units, four parameters the counter reads as the text.
void ExpectKeptInItsParameter(const char* pszText)
{
    SCOPED_TRACE(std::string("[") + pszText + "]");
    const char* const apszTexts[] = {pszText, pszText, pszText, pszText};
    lan::SMessage message;
    ASSERT_EQ(lan::ConfigureMessage(1, TARVEX_FUNCTION_FREQ, apszTexts, message), VI_SUCCESS);
    const SReadBack readBack = ReadBack(message.text + ";*STB?");
    ASSERT_EQ(readBack.nError, 0) << message.text;
    ASSERT_EQ(readBack.units.size(), 2u) << message.text;
    EXPECT_EQ(readBack.units[0].pCommand,
              scpi::FindCommand(EOperation::Configure, TARVEX_FUNCTION_FREQ, false));
    EXPECT_EQ(readBack.units[1].pCommand, scpi::FindCommand(EOperation::StatusByte, 0, true));
    const std::vector<std::string>& parameters = readBack.units[0].parameters;
    ASSERT_EQ(parameters, std::vector<std::string>(4, parameters.front())) << message.text;
    const CScpiValue sent = CScpiValue::FromText(parameters.front());
    EXPECT_TRUE(ReadsTheSame(sent, CScpiValue::FromText(pszText)))
        << message.text << ": the counter reads [" << sent.Text() << "]";
}

TEST(CommandBuilding, AParameterTextKeepsWhatTheCounterReadsFromItAndNeverEndsTheCommand)
{
    // clang-format off
    const char* const texts[] = {
        "1.5", "MIN", "10 MHz", "", "  ",                               // a number, a keyword, text, nothing
        "\"FREQ\"", "'FREQ'", " \"FREQ\" ", "\"\"\"\"",                 // strings
        "1;*RST", "1E6;:SYST:ERR?", "'1;*RST'", "a,b",                  // separators
        "it's", "say \"x\"", "\"", "\"a\";*RST;\"b\"", "x\"\";*RST",    // quotes that would end a string
    };
    // clang-format on
    for (const char* pszText : texts)
        ExpectKeptInItsParameter(pszText);
}

// An entry point's call with a text of the test's, and the status of that text's parameter.
struct STextCall
{
    const char* pszName;
    std::function<ViStatus(const char* pszText)> call;
    int nParameter;
};

TEST(CommandBuilding, ATextAMessageCannotCarryIsRefusedWithItsParametersStatus)
{
    // No session: a text that got past the check would fail as an invalid session instead.
    const STextCall rows[] = {
        {"tarvex_sense",
         [](const char* t) { return tarvex_sense(0, 1, TARVEX_SENSE_SLOPE_SET, 0, const_cast<char*>(t)); },
         5},
        {"tarvex_input",
         [](const char* t) { return tarvex_input(0, 1, TARVEX_INPUT_COUPLING_SET, const_cast<char*>(t)); },
         4},
        {"tarvex_arm", [](const char* t) { return tarvex_arm(0, TARVEX_ARM_START_SOURCE_SET, t, nullptr); },
         3},
        {"tarvex_output",
         [](const char* t)
         { return tarvex_output(0, TARVEX_OUTPUT_TRIGGER_LINE_SET, 1, const_cast<char*>(t)); },
         4},
        {"tarvex_configure expected",
         [](const char* t) { return tarvex_configure(0, 1, TARVEX_FUNCTION_FREQ, t, "DEF", "DEF", "DEF"); },
         4},
        {"tarvex_configure resolution",
         [](const char* t) { return tarvex_configure(0, 1, TARVEX_FUNCTION_FREQ, "DEF", t, "DEF", "DEF"); },
         5},
        {"tarvex_configure lower",
         [](const char* t) { return tarvex_configure(0, 1, TARVEX_FUNCTION_FREQ, "DEF", "DEF", t, "DEF"); },
         6},
        {"tarvex_configure upper",
         [](const char* t) { return tarvex_configure(0, 1, TARVEX_FUNCTION_FREQ, "DEF", "DEF", "DEF", t); },
         7},
        {"tarvex_measure expected",
         [](const char* t)
         {
             char a[256];
             return tarvex_measure(0, 1, TARVEX_FUNCTION_FREQ, t, "DEF", a);
         },
         4},
        {"tarvex_measure resolution",
         [](const char* t)
         {
             char a[256];
             return tarvex_measure(0, 1, TARVEX_FUNCTION_FREQ, "DEF", t, a);
         },
         5},
        {"tarvex_initiate",
         [](const char* t)
         { return tarvex_initiate(0, 1, TARVEX_INITIATE_CONTINUOUS, const_cast<char*>(t)); },
         4},
        {"tarvex_ieeecom",
         [](const char* t)
         {
             char a[256];
             return tarvex_ieeecom(0, t, a);
         },
         2},
    };
    for (const STextCall& row : rows)
    {
        EXPECT_EQ(row.call("ON"), lan::kInvalidSession) << row.pszName;
        for (const char* pszText : {"ON\n*RST", "\tON", "O\rN", "ON\x7f", "caf\xe9", "\x1b[0m"})
            EXPECT_EQ(row.call(pszText), lan::ParameterError(row.nParameter))
                << row.pszName << " " << pszText;
    }
}

TEST(CommandBuilding, ANumberWrittenByTarvexFtoaReadsBackAsTheSameNumber)
{
    const double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> rows[] = {
        {0.1, nullptr},           {-2.5e9, nullptr},         {1e-300, nullptr},
        {123456789.123, nullptr}, {std::nan(""), "9.91E37"}, {kInfinity, "9.9E37"},
        {-kInfinity, "-9.9E37"},
    };
    for (const auto& [dValue, pszText] : rows)
    {
        char szText[TARVEX_BUFFER_SIZE];
        ASSERT_EQ(tarvex_ftoa(dValue, szText), VI_SUCCESS);
        if (pszText)
            EXPECT_STREQ(szText, pszText);
        else
            EXPECT_EQ(CScpiValue::ParseDecimal(szText), dValue) << szText;
    }
}
} // namespace
