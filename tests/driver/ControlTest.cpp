// The simulator's error queue and its detection, and the controls tests use: faults, replies, the
// unterminated-answer mode, the call log and its trace file, and the reentry hook.

#include "DriverFixture.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace drivertest
{
namespace
{
std::vector<std::string> CallLines()
{
    std::vector<std::string> lines;
    for (int n = 0; n < tarvexsim_call_count(); ++n)
        lines.emplace_back(tarvexsim_call(n));
    return lines;
}
} // namespace

TEST_F(CDriverTest, ErrorsQueueInOrderAndDetectionDecidesTheStatus)
{
    for (const bool bDetect : {true, false})
    {
        SCOPED_TRACE(bDetect ? "detection on" : "detection off");
        ASSERT_EQ(tarvex_errorQueryDetect(m_vi, bDetect ? 1 : 0), VI_SUCCESS);
        const ViStatus failed = bDetect ? TARVEX_INSTR_ERROR_DETECTED : VI_SUCCESS;
        EXPECT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, 11.0), failed);
        EXPECT_EQ(SetItem("tarvex_sense", 1, TARVEX_SENSE_SLOPE_SET, "SIDEWAYS"), failed);
        EXPECT_EQ(Common("*IDN"), failed);
        // Any later call that talks to the instrument reports the queue while it holds entries.
        ViInt16 nCondition = -1;
        EXPECT_EQ(tarvex_operQ(m_vi, &nCondition), failed);
        EXPECT_EQ(nCondition, 0);
        EXPECT_EQ(tarvex_abort(m_vi, 1), failed);

        const std::vector<SErrorEntry> errors = DrainErrors();
        ASSERT_EQ(errors.size(), 3u);
        EXPECT_EQ(errors[0].message, "-222,\"Data out of range\"");
        EXPECT_EQ(errors[1].message, "-224,\"Illegal parameter value\"");
        EXPECT_EQ(errors[2].message, "-113,\"Undefined header\"");
        EXPECT_EQ(tarvex_abort(m_vi, 1), VI_SUCCESS);
    }
    // A query refused while detection is off answers an empty text.
    char szAnswer[TARVEX_BUFFER_SIZE] = "stale";
    EXPECT_EQ(tarvex_sense(m_vi, 9, TARVEX_SENSE_SLOPE_QUERY, 0, szAnswer), VI_SUCCESS);
    EXPECT_STREQ(szAnswer, "");
}

TEST_F(CDriverTest, ClearStatusEmptiesTheQueueAndAFullQueueOverflows)
{
    for (int n = 1; n <= 31; ++n)
        tarvexsim_push_error(-100 - n, "Entry");
    EXPECT_EQ(Common("*CLS"), VI_SUCCESS);
    EXPECT_TRUE(DrainErrors().empty());

    for (int n = 1; n <= 31; ++n)
        tarvexsim_push_error(-100 - n, "Entry");
    const std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 30u);
    EXPECT_EQ(errors[0].nCode, -101);
    EXPECT_EQ(errors[28].nCode, -129);
    EXPECT_EQ(errors[29].message, "-350,\"Queue overflow\"");
}

TEST_F(CDriverTest, FaultsFailTheirEntryPointForTheirCount)
{
    struct SCase
    {
        int nCount;
        int nFailing; // of five calls
    };
    for (const SCase c : {SCase{1, 1}, SCase{3, 3}, SCase{-1, 5}, SCase{0, 0}})
    {
        SCOPED_TRACE("count " + std::to_string(c.nCount));
        tarvexsim_set_fault("tarvex_abort", VI_ERROR_TMO, c.nCount, nullptr);
        int nFailed = 0;
        for (int n = 0; n < 5; ++n)
            nFailed += tarvex_abort(m_vi, 1) == VI_ERROR_TMO ? 1 : 0;
        EXPECT_EQ(nFailed, c.nFailing);
        tarvexsim_clear_faults();
    }
    // A positive status is a failure too; the error text goes with the error-detected status only.
    tarvexsim_set_fault("tarvex_dcl", 5, 1, "Ignored");
    EXPECT_EQ(tarvex_dcl(m_vi), 5);
    tarvexsim_set_fault("tarvex_fetch", TARVEX_INSTR_ERROR_DETECTED, 1, "Signal lost");
    std::string reading;
    EXPECT_EQ(Fetch(1, reading), TARVEX_INSTR_ERROR_DETECTED);
    const std::vector<SErrorEntry> errors = DrainErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "-200,\"Signal lost\"");
}

TEST_F(CDriverTest, RepliesReplaceTheSimulatedAnswer)
{
    struct SCase
    {
        const char* pszEntryPoint;
        int nItem;
        std::function<ViStatus(ViSession, char*)> query;
    };
    const SCase kCases[] = {
        {"tarvex_sense", TARVEX_SENSE_SLOPE_QUERY,
         [](ViSession vi, char* s) { return tarvex_sense(vi, 2, TARVEX_SENSE_SLOPE_QUERY, 0, s); }},
        {"tarvex_input", TARVEX_INPUT_IMPEDANCE_QUERY,
         [](ViSession vi, char* s) { return tarvex_input(vi, 1, TARVEX_INPUT_IMPEDANCE_QUERY, s); }},
        {"tarvex_arm", TARVEX_ARM_START_SOURCE_QUERY,
         [](ViSession vi, char* s) { return tarvex_arm(vi, TARVEX_ARM_START_SOURCE_QUERY, nullptr, s); }},
        {"tarvex_output", TARVEX_OUTPUT_TRIGGER_LINE_QUERY,
         [](ViSession vi, char* s) { return tarvex_output(vi, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, 0, s); }},
        {"tarvex_initiate", 0,
         [](ViSession vi, char* s) { return tarvex_initiate(vi, 1, TARVEX_INITIATE_QUERY_CONTINUOUS, s); }},
        {"tarvex_fetch", 0, [](ViSession vi, char* s) { return tarvex_fetch(vi, 1, s); }},
        {"tarvex_read", 0, [](ViSession vi, char* s) { return tarvex_read(vi, 3, s); }},
    };
    for (const SCase& c : kCases)
    {
        SCOPED_TRACE(c.pszEntryPoint);
        char szAnswer[TARVEX_BUFFER_SIZE] = "";
        tarvexsim_set_reply(c.pszEntryPoint, c.nItem, "ON");
        ASSERT_EQ(c.query(m_vi, szAnswer), VI_SUCCESS);
        EXPECT_STREQ(szAnswer, "ON");
        tarvexsim_set_reply(c.pszEntryPoint, c.nItem, nullptr);
        c.query(m_vi, szAnswer);
        EXPECT_STRNE(szAnswer, "ON");
        DrainErrors(); // a fetch of nothing is an error; it must not fail the next case
    }

    // A reply for the self test makes it fail with that text.
    ViInt16 nResult = -1;
    char szMessage[TARVEX_BUFFER_SIZE] = "";
    ASSERT_EQ(tarvex_self_test(m_vi, &nResult, szMessage), VI_SUCCESS);
    EXPECT_EQ(nResult, 0);
    tarvexsim_set_reply("tarvex_self_test", 0, "Timebase failure");
    ASSERT_EQ(tarvex_self_test(m_vi, &nResult, szMessage), VI_SUCCESS);
    EXPECT_EQ(nResult, 1);
    EXPECT_STREQ(szMessage, "Timebase failure");
}

TEST_F(CDriverTest, AnswersNeverRunPastTheirBuffer)
{
    const std::string longReply(300, 'x');
    tarvexsim_set_reply("tarvex_sense", TARVEX_SENSE_SLOPE_QUERY, longReply.c_str());
    char szBuffer[TARVEX_BUFFER_SIZE + 8];
    std::fill(std::begin(szBuffer), std::end(szBuffer), '\x7f');
    ASSERT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_SLOPE_QUERY, 0, szBuffer), VI_SUCCESS);
    EXPECT_EQ(std::string(szBuffer), longReply.substr(0, TARVEX_BUFFER_SIZE - 1));
    EXPECT_EQ(szBuffer[TARVEX_BUFFER_SIZE], '\x7f');

    // The fault mode: every answer fills all 256 characters and has no NUL; the one after stays untouched.
    const std::function<void()> kEnable[] = {
        [] { tarvexsim_set_unterminated_answers(1); },
        []
        {
            CScopedEnvironment unterminated("TARVEXSIM_UNTERMINATED", "1");
            tarvexsim_reset();
        },
    };
    for (const auto& enable : kEnable)
    {
        enable();
        const std::function<ViStatus(ViSession, char*)> kAnswers[] = {
            [](ViSession vi, char* s) { return tarvex_sense(vi, 1, TARVEX_SENSE_SLOPE_QUERY, 0, s); },
            [](ViSession vi, char* s)
            {
                ViInt32 n;
                return tarvex_error_query(vi, &n, s);
            },
            [](ViSession vi, char* s)
            {
                ViInt16 n;
                return tarvex_self_test(vi, &n, s);
            },
            [](ViSession vi, char* s) { return tarvex_read(vi, 1, s); },
            [](ViSession, char* s) { return tarvex_ftoa(2.5, s); },
        };
        for (const auto& answer : kAnswers)
        {
            std::fill(std::begin(szBuffer), std::end(szBuffer), '\0');
            ASSERT_EQ(answer(m_vi, szBuffer), VI_SUCCESS);
            EXPECT_EQ(std::count(szBuffer, szBuffer + TARVEX_BUFFER_SIZE, '\0'), 0);
            EXPECT_EQ(szBuffer[TARVEX_BUFFER_SIZE], '\0');
        }
        EXPECT_EQ(std::string(szBuffer, 4), "2.5#");
        tarvexsim_set_unterminated_answers(0);
    }
}

TEST_F(CDriverTest, CallLogWritesOneLinePerCall)
{
    // An input text without its NUL is read no further than 256 characters, by the log and the instrument.
    std::array<char, TARVEX_BUFFER_SIZE> unterminated;
    unterminated.fill('A');
    tarvexsim_clear_calls();
    EXPECT_EQ(tarvex_ieeecom(m_vi, unterminated.data(), nullptr), TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_EQ(std::string(tarvexsim_call(0)),
              "tarvex_ieeecom \"" + std::string(TARVEX_BUFFER_SIZE, 'A') + "\" NULL -> -1074000634");
    EXPECT_EQ(DrainErrors().at(0).nCode, -113);

    struct SCase
    {
        std::function<void(ViSession)> call;
        const char* pszLine;
    };
    char szBuffer[TARVEX_BUFFER_SIZE] = "";
    const SCase kCases[] = {
        {[](ViSession vi) { tarvex_sense(vi, 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, 1.5, nullptr); },
         "tarvex_sense 1 4 1.5 NULL -> 0"},
        {[&](ViSession vi) { tarvex_sense(vi, 1, TARVEX_SENSE_TRIGGER_LEVEL_QUERY, 0, szBuffer); },
         "tarvex_sense 1 5 0 out -> 0"},
        {[&](ViSession vi) { tarvex_sense(vi, 2, TARVEX_SENSE_SLOPE_SET, 0, const_cast<char*>("NEG")); },
         "tarvex_sense 2 10 0 \"NEG\" -> 0"},
        {[](ViSession vi) { tarvex_arm(vi, TARVEX_ARM_START_SOURCE_SET, "BUS", nullptr); },
         "tarvex_arm 6 \"BUS\" NULL -> 0"},
        {[&](ViSession vi) { tarvex_arm(vi, TARVEX_ARM_START_SOURCE_QUERY, nullptr, szBuffer); },
         "tarvex_arm 7 NULL out -> 0"},
        {[](ViSession vi) { tarvex_ieeecom(vi, "*TRG", nullptr); }, "tarvex_ieeecom \"*TRG\" NULL -> 0"},
        {[](ViSession vi) { tarvex_configure(vi, 1, TARVEX_FUNCTION_PERIOD, "AUTO", "DEF", "1.5V", "DEF"); },
         "tarvex_configure 1 9 \"AUTO\" \"DEF\" \"1.5V\" \"DEF\" -> 0"},
        {[&](ViSession vi) { tarvex_fetch(vi, 1, szBuffer); }, "tarvex_fetch 1 out -> -1074000634"},
        {[&](ViSession vi)
         {
             ViInt32 n;
             tarvex_error_query(vi, &n, szBuffer);
         },
         "tarvex_error_query out out -> 0"},
        {[](ViSession vi)
         { tarvex_output(vi, TARVEX_OUTPUT_TRIGGER_LINE_SET, 3, const_cast<char*>("ON\nOFF")); },
         "tarvex_output 1 3 \"ON?OFF\" -> -1074000634"},
        {[](ViSession vi) { tarvex_timeOut(vi, 12000); }, "tarvex_timeOut 12000 -> 0"},
        {[](ViSession) { tarvex_ftoa(1e7, nullptr); }, "tarvex_ftoa 1e+07 NULL -> -1073807247"},
        {[](ViSession)
         {
             ViSession v;
             tarvex_init("GPIB0::1::INSTR", 0, 1, &v);
         },
         "tarvex_init \"GPIB0::1::INSTR\" 0 1 out -> -1073807343"},
        {[](ViSession)
         {
             ViChar** p;
             ViInt32 n;
             ViSession v;
             tarvex_auto_init(1, &p, &n, &v, 0);
         },
         "tarvex_auto_init 1 out out out 0 -> 0"},
        {[](ViSession vi) { tarvex_close(vi); }, "tarvex_close -> 0"},
    };
    for (const SCase& c : kCases)
    {
        tarvexsim_clear_calls();
        c.call(m_vi);
        ASSERT_EQ(tarvexsim_call_count(), 1) << c.pszLine;
        EXPECT_STREQ(tarvexsim_call(0), c.pszLine);
    }
    EXPECT_EQ(tarvexsim_call(1), nullptr);
    EXPECT_EQ(tarvexsim_call(-1), nullptr);
}

// Only the newest lines stay in memory, so that a simulator running for days does not grow.
TEST_F(CDriverTest, CallLogKeepsTheNewestLinesOnly)
{
    constexpr int kDropped = 5;
    for (int nCall = 0; nCall < TARVEXSIM_CALL_LOG_LINES + kDropped; ++nCall)
        tarvex_timeOut(m_vi, nCall);
    ASSERT_EQ(tarvexsim_call_count(), TARVEXSIM_CALL_LOG_LINES);
    EXPECT_EQ(std::string(tarvexsim_call(0)), "tarvex_timeOut " + std::to_string(kDropped) + " -> 0");
    EXPECT_EQ(std::string(tarvexsim_call(TARVEXSIM_CALL_LOG_LINES - 1)),
              "tarvex_timeOut " + std::to_string(TARVEXSIM_CALL_LOG_LINES + kDropped - 1) + " -> 0");
}

TEST_F(CDriverTest, TraceFileGetsTheSameLines)
{
    char szPath[] = "/tmp/tarvexsim-traceXXXXXX";
    const int nFile = mkstemp(szPath);
    ASSERT_GE(nFile, 0);
    close(nFile);
    {
        CScopedEnvironment trace("TARVEXSIM_TRACE", szPath);
        tarvexsim_reset();
        tarvex_abort(m_vi, 2);
        tarvex_errorQueryDetect(m_vi, 0);
    }
    tarvexsim_reset(); // closes the file
    std::ifstream file(szPath);
    std::stringstream contents;
    contents << file.rdbuf();
    std::remove(szPath);
    EXPECT_EQ(contents.str(), "tarvex_abort 2 -> 0\ntarvex_errorQueryDetect 0 -> 0\n");
}

TEST_F(CDriverTest, HookRunsOnceInsideTheNextCall)
{
    struct SContext
    {
        ViSession vi;
        int nRuns = 0;
        int nCallsSeen = -1;
    } context{m_vi};
    tarvexsim_set_hook(
        "tarvex_operQ",
        [](void* pContext)
        {
            auto& ctx = *static_cast<SContext*>(pContext);
            ++ctx.nRuns;
            ctx.nCallsSeen = tarvexsim_call_count();
            // Calls back into the driver while the outer call is in progress.
            tarvex_abort(ctx.vi, 1);
        },
        &context);
    tarvex_dcl(m_vi);
    EXPECT_EQ(context.nRuns, 0) << "only the named entry point runs the hook";
    EXPECT_EQ(OperationCondition(), 0);
    EXPECT_EQ(OperationCondition(), 0);
    EXPECT_EQ(context.nRuns, 1);
    EXPECT_EQ(context.nCallsSeen, 1);
    // The inner call ends first, so it is logged first.
    EXPECT_EQ(CallLines(), (std::vector<std::string>{"tarvex_dcl -> 0", "tarvex_abort 1 -> 0",
                                                     "tarvex_operQ out -> 0", "tarvex_operQ out -> 0"}));

    tarvexsim_set_hook(
        "tarvex_operQ", [](void* pRuns) { ++*static_cast<int*>(pRuns); }, &context.nRuns);
    tarvexsim_set_hook("tarvex_operQ", nullptr, nullptr);
    OperationCondition();
    EXPECT_EQ(context.nRuns, 1) << "a null function removes the hook";
}
} // namespace drivertest
