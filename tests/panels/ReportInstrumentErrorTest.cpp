// The error report: which boxes and beeps a status gives, the instrument's error queue drained in order,
// and the update timer stopped before the first box and restarted after the last.

#include "instrument/LiveSessionTest.h"

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "framework/MessageService.h"
#include "framework/base/LibrarySearchPath.h"
#include "panels/ReportInstrumentError.h"
#include "panels/UpdateTimer.h"
#include "support/ScopedEnvironment.h"

#include <climits>

namespace
{

const std::string kPrefix = "Intrument reports error: ";

// Remembers how many messages had been shown when the timer was stopped and started.
class CFakeUpdateTimer : public IUpdateTimer
{
public:
    explicit CFakeUpdateTimer(const CRecordingMessageService& messages) : m_messages(messages) {}

    void StopUpdateTimer() override
    {
        m_bRunning = false;
        m_vecStoppedAt.push_back(m_messages.Messages().size());
    }
    void StartUpdateTimer(int nMilliseconds) override
    {
        m_bRunning = true;
        m_nPeriod = nMilliseconds;
        m_vecStartedAt.push_back(m_messages.Messages().size());
    }

    bool m_bRunning = false;
    int m_nPeriod = 0;
    std::vector<std::size_t> m_vecStoppedAt;
    std::vector<std::size_t> m_vecStartedAt;

private:
    const CRecordingMessageService& m_messages;
};

class CReportTest : public CLiveSessionTest
{
protected:
    void Report(int32_t nStatus) { ReportInstrumentError(m_session, m_timer, nStatus); }

    // The timer was stopped once before any message and started once, at 300 ms, after all of them.
    void ExpectTimerAroundMessages()
    {
        EXPECT_EQ(m_timer.m_vecStoppedAt, std::vector<std::size_t>{0});
        EXPECT_EQ(m_timer.m_vecStartedAt, std::vector<std::size_t>{m_messages.Messages().size()});
        EXPECT_TRUE(m_timer.m_bRunning);
        EXPECT_EQ(m_timer.m_nPeriod, 300);
    }

    // Each box an application box; beeps of the default type.
    void ExpectMessages(const std::vector<std::pair<SRecordedMessage::EKind, std::string>>& expected)
    {
        const std::vector<SRecordedMessage>& messages = m_messages.Messages();
        ASSERT_EQ(messages.size(), expected.size());
        for (std::size_t nIndex = 0; nIndex < messages.size(); ++nIndex)
        {
            SCOPED_TRACE(nIndex);
            EXPECT_EQ(messages[nIndex].kind, expected[nIndex].first);
            if (messages[nIndex].kind == SRecordedMessage::Box)
            {
                EXPECT_EQ(messages[nIndex].text, expected[nIndex].second);
                EXPECT_EQ(messages[nIndex].caption, kApplicationTitle);
                EXPECT_EQ(messages[nIndex].icon, EMessageIcon::Warning);
            }
            else
            {
                EXPECT_EQ(messages[nIndex].nBeepType, 0u);
            }
        }
    }

    CScopedRecordingMessages m_messages;
    CFakeUpdateTimer m_timer{m_messages};
};

constexpr auto kBox = SRecordedMessage::Box;
constexpr auto kBeep = SRecordedMessage::Beep;

TEST_F(CReportTest, EachQueuedErrorGetsABeepAndABoxInOrder)
{
    tarvexsim_push_error(-222, "Data out of range");
    tarvexsim_push_error(-113, "Undefined header");
    tarvexsim_push_error(-410, "Query INTERRUPTED");
    Report(TARVEX_INSTR_ERROR_DETECTED);
    ExpectMessages({
        {kBeep, ""},
        {kBox, kPrefix + "-222,\"Data out of range\""},
        {kBeep, ""},
        {kBox, kPrefix + "-113,\"Undefined header\""},
        {kBeep, ""},
        {kBox, kPrefix + "-410,\"Query INTERRUPTED\""},
    });
    ExpectTimerAroundMessages();
    const std::vector<std::string> calls = CallArguments();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "tarvex_dcl");
    EXPECT_EQ(calls.size(), 5u); // the device clear, then three entries and the empty answer
}

TEST_F(CReportTest, EmptyQueueShowsNoBoxOnlyTheDeviceClear)
{
    Report(TARVEX_INSTR_ERROR_DETECTED);
    ExpectMessages({});
    ExpectTimerAroundMessages();
    const std::vector<std::string> calls = CallArguments();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "tarvex_dcl");
    EXPECT_EQ(calls[1].substr(0, calls[1].find(' ')), "tarvex_error_query");
}

TEST_F(CReportTest, TimeOutClearsTheDeviceAndSaysSo)
{
    tarvexsim_push_error(-100, "Not shown for a time-out");
    Report(VI_ERROR_TMO);
    ExpectMessages({{kBox, "TIME OUT!"}});
    ExpectTimerAroundMessages();
    EXPECT_EQ(CallArguments(), std::vector<std::string>{"tarvex_dcl"});
}

TEST_F(CReportTest, AnyOtherStatusIsAGeneralErrorWithoutDeviceClear)
{
    for (const int32_t nStatus : {CInstrumentSession::kStatusReentry, int32_t{1}, int32_t{0x3FFF0005},
                                  CInstrumentSession::kStatusNoEntryPoint, static_cast<int32_t>(0xBFFF0000),
                                  int32_t{INT32_MIN}, int32_t{0}})
    {
        SCOPED_TRACE(nStatus);
        m_messages.Clear();
        m_timer.m_vecStoppedAt.clear();
        m_timer.m_vecStartedAt.clear();
        tarvexsim_clear_calls();
        Report(nStatus);
        ExpectMessages({{kBox, "General error, possible reentry"}});
        ExpectTimerAroundMessages();
        EXPECT_EQ(tarvexsim_call_count(), 0);
    }
}

// The composed message holds the whole of a text longer than the driver's own buffer minus the prefix.
TEST_F(CReportTest, LongErrorTextIsKeptWhole)
{
    const std::string message(243, 'x');
    tarvexsim_push_error(-100, message.c_str());
    Report(TARVEX_INSTR_ERROR_DETECTED);
    const std::string entry = "-100,\"" + message + "\"";
    ASSERT_EQ(entry.size(), 250u);
    ExpectMessages({{kBeep, ""}, {kBox, kPrefix + entry}});
}

TEST_F(CReportTest, UnterminatedErrorTextEndsAtTheBuffer)
{
    tarvexsim_push_error(-100, "Command error");
    tarvexsim_set_unterminated_answers(1);
    Report(TARVEX_INSTR_ERROR_DETECTED);
    tarvexsim_set_unterminated_answers(0);
    const std::vector<std::string> boxes = m_messages.BoxTexts();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().size(), kPrefix.size() + TARVEX_BUFFER_SIZE - 1);
}

// As many entries as the bound: each is shown, and nothing says that errors were left out.
TEST_F(CReportTest, QueueAsLongAsTheBoundIsShownWhole)
{
    for (int nEntry = 0; nEntry < kMaxReportedInstrumentErrors; ++nEntry)
        tarvexsim_push_error(-100, "Command error");
    Report(TARVEX_INSTR_ERROR_DETECTED);
    EXPECT_EQ(m_messages.BoxTexts(),
              std::vector<std::string>(kMaxReportedInstrumentErrors, kPrefix + "-100,\"Command error\""));
    EXPECT_EQ(m_messages.BeepCount(), kMaxReportedInstrumentErrors);
    ExpectTimerAroundMessages();
}
// A driver whose error queue never empties (built by the tests, first on LD_LIBRARY_PATH).
TEST(CReportOnHostileDriver, ErrorQueueThatNeverEmptiesGetsTenBoxesThenOneNote)
{
    const testsupport::CScopedEnvironment path("LD_LIBRARY_PATH", (ProgramFolder() + "/hostile").c_str());
    CInstrumentSession session;
    std::vector<std::string> resources;
    int32_t nCount = 0;
    ASSERT_TRUE(session.AutoInit(1, resources, nCount));
    CScopedRecordingMessages messages;
    CFakeUpdateTimer timer{messages};

    ReportInstrumentError(session, timer, TARVEX_INSTR_ERROR_DETECTED);

    std::vector<std::string> expected(kMaxReportedInstrumentErrors,
                                      kPrefix + std::string(TARVEX_BUFFER_SIZE - 1, 'H'));
    expected.emplace_back(kFurtherErrorsNotShown);
    EXPECT_EQ(messages.BoxTexts(), expected);
    EXPECT_EQ(messages.BeepCount(), kMaxReportedInstrumentErrors);
}
} // namespace
