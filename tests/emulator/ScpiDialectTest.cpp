// The dialect's one table against its parser and its page for users: every row is read back from the
// short and the long form, alone and in a compound message; the parser's syntax rules and errors; the
// lookup the LAN driver writes its commands with; docs/scpi.md listing exactly the table's rows.

#include "ScpiCommand.h"
#include "ScpiHeader.h"
#include "ScpiParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace
{
using scpi::CHeaderPattern;
using scpi::CMessageParser;

// What the parser made of one unit: the row's header and suffix with its parameters, or the error code.
struct SParsed
{
    std::string header;
    int nSuffix = 0;
    std::vector<std::string> parameters;
    int nError = 0;

    bool operator==(const SParsed&) const = default;
};

void PrintTo(const SParsed& parsed, std::ostream* pStream)
{
    *pStream << (parsed.nError ? "error " + std::to_string(parsed.nError) : parsed.header) << " suffix "
             << parsed.nSuffix;
    for (const std::string& parameter : parsed.parameters)
        *pStream << " [" << parameter << "]";
}

std::vector<SParsed> Parse(const std::string& message)
{
    std::vector<SParsed> units;
    CMessageParser parser(message);
    scpi::SUnit unit;
    const scpi::SScpiError* pError = nullptr;
    // Bounded: a message of n characters has fewer than n + 2 units.
    for (size_t n = 0; n < message.size() + 2; ++n)
    {
        switch (parser.Next(unit, pError))
        {
        case CMessageParser::EResult::End:
            return units;
        case CMessageParser::EResult::Error:
            units.push_back({"", 0, {}, pError->nCode});
            break;
        case CMessageParser::EResult::Unit:
            units.push_back({std::string(unit.pCommand->header), unit.nSuffix, unit.parameters, 0});
            break;
        }
    }
    ADD_FAILURE() << "the parser did not end: " << message;
    return units;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Parameters a row takes, of the kind it takes them.
std::vector<std::string> SampleParameters(const scpi::SCommand& command)
{
    switch (command.eArguments)
    {
    case scpi::EArguments::None:
        return {};
    case scpi::EArguments::One:
        return {"1.5"};
    case scpi::EArguments::UpToTwo:
        return {"1E7", "DEF"};
    case scpi::EArguments::UpToFour:
        return {"1E7", "DEF", "10", "'90'"};
    }
    return {};
}

std::string WithParameters(const std::string& header, const std::vector<std::string>& parameters)
{
    std::string text = header;
    for (size_t n = 0; n < parameters.size(); ++n)
        text += (n == 0 ? " " : ",") + parameters[n];
    return text;
}

TEST(ScpiDialect, EveryRowIsReadBackFromItsShortAndLongFormAloneAndInACompoundMessage)
{
    const auto commands = scpi::Commands();
    const auto& patterns = scpi::HeaderPatterns();
    ASSERT_EQ(patterns.size(), commands.size());
    for (size_t n = 0; n < commands.size(); ++n)
    {
        const scpi::SCommand& command = commands[n];
        const int nSuffix = patterns[n].TakesSuffix() ? 2 : 1;
        const std::vector<std::string> parameters = SampleParameters(command);
        const SParsed expected{std::string(command.header), nSuffix, parameters, 0};
        for (const auto eForm : {CHeaderPattern::EForm::Short, CHeaderPattern::EForm::Long})
        {
            const std::string header = patterns[n].Text(eForm, nSuffix);
            const std::string text = WithParameters(header, parameters);
            SCOPED_TRACE(text);
            EXPECT_EQ(Parse(text), std::vector<SParsed>{expected});
            EXPECT_EQ(Parse(WithParameters(Lower(header), parameters)), std::vector<SParsed>{expected});
            EXPECT_EQ(Parse(":" + text), std::vector<SParsed>{expected});
            // After a common command and after another subsystem's command, from the root.
            const std::vector<SParsed> compound = Parse("*CLS;:ABOR3;:" + text + ";*OPC");
            ASSERT_EQ(compound.size(), 4u);
            EXPECT_EQ(compound[2], expected);
        }
    }
}

TEST(ScpiDialect, TheDriversLookupFindsEachRowAndNoOther)
{
    for (const scpi::SCommand& command : scpi::Commands())
        EXPECT_EQ(scpi::FindCommand(command.eOperation, command.nItem, command.IsQuery()), &command)
            << command.header;
    EXPECT_EQ(scpi::FindCommand(scpi::EOperation::Fetch, 0, false), nullptr);
}

struct SSyntaxCase
{
    const char* pszMessage;
    std::vector<SParsed> expected;
};

class ScpiSyntax : public ::testing::TestWithParam<SSyntaxCase>
{
};

TEST_P(ScpiSyntax, IsReadAsIEEE4882Says)
{
    EXPECT_EQ(Parse(GetParam().pszMessage), GetParam().expected) << GetParam().pszMessage;
}

const SParsed kLevel2{"[SENSe<n>:]EVENt:LEVel[:ABSolute]", 2, {"0.5"}, 0};
const SParsed kSlope2{"[SENSe<n>:]EVENt:SLOPe", 2, {"NEG"}, 0};
const SParsed kClear{"*CLS", 1, {}, 0};
const SParsed kIdentify{"*IDN?", 1, {}, 0};

INSTANTIATE_TEST_SUITE_P(
    Messages, ScpiSyntax,
    ::testing::Values(
        // The path: a relative header continues the unit before; ':' starts from the root; a common
        // command leaves the path alone.
        SSyntaxCase{"SENS2:EVEN:LEV 0.5;SLOP NEG", {kLevel2, kSlope2}},
        SSyntaxCase{"SENS2:EVEN:LEV 0.5;*CLS;SLOP NEG", {kLevel2, kClear, kSlope2}},
        SSyntaxCase{"SENS2:EVEN:LEV 0.5;:SLOP NEG", {kLevel2, {"", 0, {}, -113}}},
        SSyntaxCase{"EVEN:LEV?", {{"[SENSe<n>:]EVENt:LEVel[:ABSolute]?", 1, {}, 0}}},
        SSyntaxCase{"OUTP:TTLT0 ON", {{"OUTPut:TTLTrg<n>[:STATe]", 0, {"ON"}, 0}}},
        SSyntaxCase{"FILT:STAT ON;LPAS:STAT?",
                    {{"[SENSe<n>:]FILTer[:LPASs][:STATe]", 1, {"ON"}, 0},
                     {"[SENSe<n>:]FILTer[:LPASs][:STATe]?", 1, {}, 0}}},
        // Blanks, empty messages, a ';' at the end; strings keep their quotes and may hold ';' and ','.
        SSyntaxCase{"", {}}, SSyntaxCase{"  \t\r", {}}, SSyntaxCase{"*IDN?;", {kIdentify}},
        SSyntaxCase{"  *IDN?  ;  *CLS  ", {kIdentify, kClear}},
        SSyntaxCase{"FUNC \"FR;E,Q\"", {{"[SENSe<n>:]FUNCtion[:ON]", 1, {"\"FR;E,Q\""}, 0}}},
        SSyntaxCase{"FUNC 'it''s'", {{"[SENSe<n>:]FUNCtion[:ON]", 1, {"'it''s'"}, 0}}},
        SSyntaxCase{"CONF1:FREQ 10 MHz , DEF", {{"CONFigure<n>:FREQuency", 1, {"10 MHz", "DEF"}, 0}}},
        // Errors; after one the rest of the message is skipped.
        SSyntaxCase{"BOGUS;*CLS", {{"", 0, {}, -113}}},
        SSyntaxCase{"SENS:EVENT:SLOPES POS", {{"", 0, {}, -113}}},
        SSyntaxCase{"SEN:EVEN:SLOP POS", {{"", 0, {}, -113}}}, SSyntaxCase{"*RST?", {{"", 0, {}, -113}}},
        SSyntaxCase{"ARM2:STAR:SOUR BUS", {{"", 0, {}, -113}}},
        SSyntaxCase{"SENS::EVEN:SLOP POS", {{"", 0, {}, -102}}},
        SSyntaxCase{"SENS:EVEN:SLOP? x", {{"", 0, {}, -108}}}, SSyntaxCase{"*IDN?x", {{"", 0, {}, -102}}},
        SSyntaxCase{"1SENS:EVEN:SLOP?", {{"", 0, {}, -102}}},
        SSyntaxCase{"*RST;;*CLS", {{"*RST", 1, {}, 0}, {"", 0, {}, -102}}},
        SSyntaxCase{"SENS:EVEN:SLOP", {{"", 0, {}, -109}}},
        SSyntaxCase{"SENS:EVEN:SLOP POS,NEG", {{"", 0, {}, -108}}},
        SSyntaxCase{"SENS:EVEN:SLOP POS,", {{"", 0, {}, -102}}},
        SSyntaxCase{"SENS:EVEN:SLOP ,POS", {{"", 0, {}, -102}}},
        SSyntaxCase{"CONF1:FREQ 1,2,3,4,5", {{"", 0, {}, -108}}},
        SSyntaxCase{"MEAS1:FREQ? 1,2,3", {{"", 0, {}, -108}}},
        SSyntaxCase{"SENS1234567:EVEN:SLOP?", {{"", 0, {}, -114}}},
        SSyntaxCase{"FUNC \"FREQ", {{"", 0, {}, -151}}},
        SSyntaxCase{"*CLS;FUNC \"FREQ;*RST", {kClear, {"", 0, {}, -151}}},
        SSyntaxCase{"*IDN?\x01", {{"", 0, {}, -101}}},
        SSyntaxCase{"*CLS;FUNC \"\xC3\xA9\"", {kClear, {"", 0, {}, -101}}}));

TEST(ScpiSyntax, ANulByteIsAnInvalidCharacter)
{
    EXPECT_EQ(Parse(std::string("*IDN?\0;*CLS", 11)), (std::vector<SParsed>{{"", 0, {}, -101}}));
}

// The page for users lists the table's headers, in the table's order.
TEST(ScpiDialect, ThePageForUsersListsExactlyTheTablesRows)
{
    std::ifstream page(TARVEX_SOURCE_DIR "/docs/scpi.md");
    ASSERT_TRUE(page) << "docs/scpi.md not found";
    std::vector<std::string> listed;
    bool bInCommands = false;
    const std::regex row(R"(^\| `([^`]+)` \|)");
    for (std::string line; std::getline(page, line);)
    {
        if (line.starts_with("## "))
            bInCommands = line == "## Commands";
        std::smatch match;
        if (bInCommands && std::regex_search(line, match, row))
            listed.push_back(match[1]);
    }
    std::vector<std::string> table;
    for (const scpi::SCommand& command : scpi::Commands())
        table.emplace_back(command.header);
    EXPECT_EQ(listed, table);
}
} // namespace
