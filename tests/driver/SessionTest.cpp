// Sessions of the simulated driver: what its search finds and opens, opening by name, closing, the
// environment that configures it, and calls with null pointers.

#include "DriverFixture.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <regex>

namespace drivertest
{
namespace
{
struct SSearch
{
    ViStatus status;
    ViInt32 nCount;
    ViSession vi;
    std::vector<std::string> found;
};

SSearch Search()
{
    ViChar** ppList = nullptr;
    SSearch search{-1, -1, 12345, {}};
    search.status = tarvex_auto_init(1, &ppList, &search.nCount, &search.vi, 0);
    for (ViInt32 n = 0; ppList && n < search.nCount; ++n)
        search.found.emplace_back(ppList[n]);
    return search;
}

ViInt16 Slot(ViSession vi, ViStatus* pStatus = nullptr)
{
    ViInt16 nSlot = -1;
    const ViStatus status = tarvex_getSlot(vi, &nSlot);
    if (pStatus)
        *pStatus = status;
    return nSlot;
}
} // namespace

TEST_F(CDriverTest, SearchOpensOnlyAnInstrumentItFindsAlone)
{
    struct SCase
    {
        std::vector<const char*> resources;
        bool bOpens;
    };
    const SCase kCases[] = {
        {{}, false},
        {{"VXI0::24::INSTR"}, true},
        {{"GPIB0::5::INSTR", "VXI0::24::INSTR", "vxi0::30::instr"}, false},
    };
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE(std::to_string(c.resources.size()) + " resources");
        tarvexsim_set_resources(c.resources.data(), static_cast<int>(c.resources.size()));
        const SSearch search = Search();
        // Like a VISA search, finding nothing is "resource not found".
        EXPECT_EQ(search.status, c.resources.empty() ? TARVEXSIM_ERROR_RSRC_NFOUND : VI_SUCCESS);
        EXPECT_EQ(search.nCount, static_cast<ViInt32>(c.resources.size()));
        EXPECT_EQ(search.found, std::vector<std::string>(c.resources.begin(), c.resources.end()));
        if (c.bOpens)
        {
            EXPECT_NE(search.vi, 0u);
            EXPECT_EQ(Slot(search.vi), 5);
        }
        else
        {
            // Nothing opened: the handle is the null session, which every call refuses.
            EXPECT_EQ(search.vi, 0u);
            ViStatus status = VI_SUCCESS;
            Slot(search.vi, &status);
            EXPECT_EQ(status, TARVEXSIM_ERROR_INV_SESSION);
        }
    }
}

TEST_F(CDriverTest, InitOpensAConfiguredResourceIgnoringCase)
{
    const char* apszResources[] = {"GPIB0::5::INSTR", "VXI0::24::INSTR"};
    tarvexsim_set_resources(apszResources, 2);
    const struct
    {
        const char* pszResource;
        ViStatus status;
    } kCases[] = {
        {"VXI0::24::INSTR", VI_SUCCESS},
        {"vxi0::24::instr", VI_SUCCESS},
        {"GPIB0::5::INSTR", VI_SUCCESS},
        {"VXI0::25::INSTR", TARVEXSIM_ERROR_RSRC_NFOUND},
        {"VXI0::24::INSTR ", TARVEXSIM_ERROR_RSRC_NFOUND},
        {"", TARVEXSIM_ERROR_RSRC_NFOUND},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.pszResource);
        ViSession vi = 777;
        EXPECT_EQ(tarvex_init(c.pszResource, 0, 0, &vi), c.status);
        EXPECT_EQ(vi != 0, c.status == VI_SUCCESS);
    }
}

TEST_F(CDriverTest, InitWithResetRestoresPowerOn)
{
    ASSERT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_SLOPE_SET, "NEG"), VI_SUCCESS);
    ViSession vi = 0;
    ASSERT_EQ(tarvex_init("VXI0::24::INSTR", 0, 0, &vi), VI_SUCCESS);
    EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY), "NEG");
    ASSERT_EQ(tarvex_init("VXI0::24::INSTR", 1, 1, &vi), VI_SUCCESS);
    EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY), "POS");
}

TEST_F(CDriverTest, ClosedSessionIsRefused)
{
    ASSERT_EQ(tarvex_close(m_vi), VI_SUCCESS);
    EXPECT_EQ(tarvex_close(m_vi), TARVEXSIM_ERROR_INV_SESSION);
    EXPECT_EQ(tarvex_abort(m_vi, 1), TARVEXSIM_ERROR_INV_SESSION);
    EXPECT_EQ(tarvex_dcl(m_vi + 1), TARVEXSIM_ERROR_INV_SESSION);
}

TEST_F(CDriverTest, SessionHousekeeping)
{
    EXPECT_EQ(Slot(m_vi), 5);
    tarvexsim_set_slot(12);
    EXPECT_EQ(Slot(m_vi), 12);

    ViInt16 nAddress = 0;
    ASSERT_EQ(tarvex_getLA(m_vi, &nAddress), VI_SUCCESS);
    EXPECT_EQ(nAddress, 24);

    EXPECT_EQ(tarvex_timeOut(m_vi, -1), TARVEXSIM_ERROR_PARAMETER2);
    EXPECT_EQ(tarvex_timeOut(m_vi, 0), VI_SUCCESS);

    const struct
    {
        double dValue;
        const char* pszText;
    } kNumbers[] = {{1.5, "1.5"}, {1e7, "1e+07"}, {-0.25, "-0.25"}, {0.1, "0.1"}, {0, "0"}};
    for (const auto& number : kNumbers)
    {
        char szText[TARVEX_BUFFER_SIZE] = "";
        ASSERT_EQ(tarvex_ftoa(number.dValue, szText), VI_SUCCESS);
        EXPECT_STREQ(szText, number.pszText);
    }
}

TEST_F(CDriverTest, EnvironmentConfiguresResourcesSlotAndFaults)
{
    const struct
    {
        const char* pszResources; // null: unset
        std::vector<std::string> found;
    } kResourceCases[] = {
        {nullptr, {"VXI0::24::INSTR"}},
        {"", {}},
        {" GPIB0::7::INSTR ; VXI0::9::INSTR;;", {"GPIB0::7::INSTR", "VXI0::9::INSTR"}},
    };
    for (const auto& c : kResourceCases)
    {
        SCOPED_TRACE(c.pszResources ? c.pszResources : "(unset)");
        CScopedEnvironment resources("TARVEXSIM_RESOURCES", c.pszResources);
        tarvexsim_reset();
        EXPECT_EQ(Search().found, c.found);
    }

    const struct
    {
        const char* pszSlot;
        ViInt16 nSlot;
    } kSlotCases[] = {{"9", 9}, {" 3 ", 3}, {"x", 5}, {"", 5}};
    for (const auto& c : kSlotCases)
    {
        CScopedEnvironment slot("TARVEXSIM_SLOT", c.pszSlot);
        tarvexsim_reset();
        EXPECT_EQ(Slot(m_vi), c.nSlot) << c.pszSlot;
    }

    CScopedEnvironment faults(
        "TARVEXSIM_FAULTS",
        "tarvex_abort=0xBFFF0015:2, tarvex_operQ=-7,nonsense,tarvex_sense=0xBFFC0D06:1:Overload");
    tarvexsim_reset();
    EXPECT_EQ(tarvex_abort(m_vi, 1), VI_ERROR_TMO);
    EXPECT_EQ(tarvex_abort(m_vi, 1), VI_ERROR_TMO);
    EXPECT_EQ(tarvex_abort(m_vi, 1), VI_SUCCESS);
    ViInt16 nCondition = 0;
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(tarvex_operQ(m_vi, &nCondition), -7);
    EXPECT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_SLOPE_SET, "NEG"), TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_STREQ(tarvexsim_query("tarvex_sense", 1, TARVEX_SENSE_SLOPE_QUERY), "POS")
        << "a faulted call does no work";
    const std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "-200,\"Overload\"");
}

// The simulator's variables of the README's table are all in the manual page too.
TEST(SimulatorDocumentation, TheManualPageNamesEveryVariableOfTheReadme)
{
    std::ifstream readme(TARVEX_SOURCE_DIR "/README.md");
    std::ifstream page(TARVEX_SOURCE_DIR "/dist/tarvex.1.in");
    ASSERT_TRUE(readme && page);
    const std::string manual{std::istreambuf_iterator<char>(page), std::istreambuf_iterator<char>()};
    const std::regex row(R"(^\| `(TARVEXSIM_[A-Z_]+)` \|)");
    std::vector<std::string> listed, missing;
    for (std::string line; std::getline(readme, line);)
    {
        if (std::smatch match; std::regex_search(line, match, row))
        {
            listed.push_back(match[1]);
            if (manual.find(match[1]) == std::string::npos)
                missing.push_back(match[1]);
        }
    }
    EXPECT_FALSE(listed.empty()) << "the README's table of the simulator's variables";
    EXPECT_EQ(missing, std::vector<std::string>{});
}

TEST_F(CDriverTest, NullPointersAreRefusedWithoutACrash)
{
    const std::pair<const char*, std::function<ViStatus(ViSession)>> kCalls[] = {
        {"auto_init list",
         [](ViSession)
         {
             ViInt32 n;
             ViSession v;
             return tarvex_auto_init(1, nullptr, &n, &v, 0);
         }},
        {"auto_init count",
         [](ViSession)
         {
             ViChar** p;
             ViSession v;
             return tarvex_auto_init(1, &p, nullptr, &v, 0);
         }},
        {"auto_init vi",
         [](ViSession)
         {
             ViChar** p;
             ViInt32 n;
             return tarvex_auto_init(1, &p, &n, nullptr, 0);
         }},
        {"init resource",
         [](ViSession)
         {
             ViSession v;
             return tarvex_init(nullptr, 0, 0, &v);
         }},
        {"init vi", [](ViSession) { return tarvex_init("VXI0::24::INSTR", 0, 0, nullptr); }},
        {"self_test",
         [](ViSession vi)
         {
             char s[256];
             return tarvex_self_test(vi, nullptr, s);
         }},
        {"self_test message",
         [](ViSession vi)
         {
             ViInt16 r;
             return tarvex_self_test(vi, &r, nullptr);
         }},
        {"error_query",
         [](ViSession vi)
         {
             char s[256];
             return tarvex_error_query(vi, nullptr, s);
         }},
        {"getSlot", [](ViSession vi) { return tarvex_getSlot(vi, nullptr); }},
        {"getLA", [](ViSession vi) { return tarvex_getLA(vi, nullptr); }},
        {"configure", [](ViSession vi)
         { return tarvex_configure(vi, 1, TARVEX_FUNCTION_FREQ, "DEF", nullptr, "DEF", "DEF"); }},
        {"initiate continuous",
         [](ViSession vi) { return tarvex_initiate(vi, 1, TARVEX_INITIATE_CONTINUOUS, nullptr); }},
        {"initiate query",
         [](ViSession vi) { return tarvex_initiate(vi, 1, TARVEX_INITIATE_QUERY_CONTINUOUS, nullptr); }},
        {"fetch", [](ViSession vi) { return tarvex_fetch(vi, 1, nullptr); }},
        {"read", [](ViSession vi) { return tarvex_read(vi, 1, nullptr); }},
        {"sense query",
         [](ViSession vi) { return tarvex_sense(vi, 1, TARVEX_SENSE_SLOPE_QUERY, 0, nullptr); }},
        {"input set", [](ViSession vi) { return tarvex_input(vi, 1, TARVEX_INPUT_COUPLING_SET, nullptr); }},
        {"input query",
         [](ViSession vi) { return tarvex_input(vi, 1, TARVEX_INPUT_COUPLING_QUERY, nullptr); }},
        {"arm set",
         [](ViSession vi) { return tarvex_arm(vi, TARVEX_ARM_START_SOURCE_SET, nullptr, nullptr); }},
        {"arm query",
         [](ViSession vi) { return tarvex_arm(vi, TARVEX_ARM_START_SOURCE_QUERY, nullptr, nullptr); }},
        {"output set",
         [](ViSession vi) { return tarvex_output(vi, TARVEX_OUTPUT_TRIGGER_LINE_SET, 0, nullptr); }},
        {"ieeecom", [](ViSession vi) { return tarvex_ieeecom(vi, nullptr, nullptr); }},
        {"operQ", [](ViSession vi) { return tarvex_operQ(vi, nullptr); }},
        {"measure",
         [](ViSession vi)
         {
             char s[256];
             return tarvex_measure(vi, 1, 3, nullptr, "DEF", s);
         }},
        {"shortMeas", [](ViSession vi) { return tarvex_shortMeas(vi, 1, nullptr); }},
        {"confQuery", [](ViSession vi) { return tarvex_confQuery(vi, 1, nullptr); }},
        {"ftoa", [](ViSession) { return tarvex_ftoa(1.0, nullptr); }},
    };
    for (const auto& [pszName, call] : kCalls)
        EXPECT_EQ(call(m_vi), TARVEXSIM_ERROR_NULL_POINTER) << pszName;

    // Where a null text has a meaning it is no error: a sense set sends its number, the immediate arms
    // and the common commands need no text or answer.
    EXPECT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, 2.5, nullptr), VI_SUCCESS);
    EXPECT_EQ(tarvex_arm(m_vi, TARVEX_ARM_START_IMMEDIATE, nullptr, nullptr), VI_SUCCESS);
    EXPECT_EQ(Common("*CLS"), VI_SUCCESS);
    EXPECT_TRUE(DrainErrors().empty());
}
} // namespace drivertest
