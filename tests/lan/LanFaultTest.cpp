// The LAN driver against instruments that break the protocol: a raw-socket answer that never ends or is
// longer than any bound, and VXI-11 replies that do not decode, are cut short or never end. Each call
// fails with its status in bounded time, the caller's answer buffer is never overrun (its guard is
// poisoned in the sanitizer build), and the session can still be closed.

#include "AnswerBuffer.h"
#include "EmulatorThread.h"
#include "FakeInstrument.h"
#include "LanStatus.h"
#include "TarvexEntryPoints.h"
#include "vxi11.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace
{
using namespace std::chrono_literals;
using namespace lantest;
using SteadyClock = std::chrono::steady_clock;

constexpr int kFaultTimeoutMs = 300;

// The driver's first message is *IDN?, each message ends with *STB?.
std::string IdentifyAsTarvex(const std::string& message)
{
    return message == "*IDN?;*STB?" ? "Tarvex,Counter,0,2.2;+0\n" : "";
}

// After the fault the buffer holds what it held, or at most 255 characters and their NUL.
void ExpectNotOverrun(CAnswerBuffer& buffer)
{
    EXPECT_TRUE(buffer.IsGuardIntact());
    EXPECT_TRUE(buffer.IsUntouched() || (buffer.Text() && buffer.Text()->size() < TARVEX_BUFFER_SIZE));
}

struct SRawAnswer
{
    const char* pszName;
    std::string answer; // to READ1?
    ViStatus status;
    size_t nKept; // characters written into the buffer; 0: none
};

void PrintTo(const SRawAnswer& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

class RawAnswers : public ::testing::TestWithParam<SRawAnswer>
{
};

TEST_P(RawAnswers, AreBoundedAndTheNextCallIsAnsweredAgain)
{
    const SRawAnswer& row = GetParam();
    CFakeInstrument instrument(
        CFakeInstrument::ETransport::Raw, [&row](const std::string& message)
        { return message.starts_with("READ1?") ? row.answer : IdentifyAsTarvex(message); });
    ASSERT_TRUE(instrument.IsServing());
    ViSession vi = 0;
    ASSERT_EQ(tarvex_init(kRawResource, 1, 0, &vi), VI_SUCCESS);
    ASSERT_EQ(tarvex_timeOut(vi, kFaultTimeoutMs), VI_SUCCESS);

    CAnswerBuffer reading;
    const auto start = SteadyClock::now();
    EXPECT_EQ(tarvex_read(vi, 1, reading.Data()), row.status);
    EXPECT_LT(SteadyClock::now() - start, 1500ms);
    ExpectNotOverrun(reading);
    if (row.nKept)
        EXPECT_EQ(reading.Text(), std::string(row.nKept, 'A'));

    CAnswerBuffer identity;
    EXPECT_EQ(tarvex_ieeecom(vi, "*IDN?", identity.Data()), VI_SUCCESS);
    EXPECT_EQ(identity.Text(), "Tarvex,Counter,0,2.2");
    EXPECT_EQ(tarvex_close(vi), VI_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RawAnswers,
    ::testing::Values(SRawAnswer{"WithNoEnd", std::string(10000, 'A'), VI_ERROR_TMO, 0},
                      // Beyond the driver's bound: the status byte at its end is lost with the rest.
                      SRawAnswer{"LongerThanTheDriversBound", std::string(10000, 'A') + ";+0\n",
                                 lan::kIoError, 0},
                      SRawAnswer{"LongerThanTheBuffer", std::string(300, 'A') + ";+0\n", VI_SUCCESS, 255}),
    [](const auto& info) { return std::string(info.param.pszName); });

struct SVxi11Reply
{
    const char* pszName;
    uint32_t nProcedure;
    std::function<std::string(uint32_t nXid)> record;
    bool bCutOff;
    ViStatus status;
};

void PrintTo(const SVxi11Reply& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

class Vxi11Replies : public ::testing::TestWithParam<SVxi11Reply>
{
};

TEST_P(Vxi11Replies, GiveAnErrorStatusInBoundedTime)
{
    const SVxi11Reply& row = GetParam();
    CFakeInstrument instrument(CFakeInstrument::ETransport::Vxi11, IdentifyAsTarvex,
                               {row.nProcedure, 1, row.record, row.bCutOff});
    ASSERT_TRUE(instrument.IsServing());
    ViSession vi = 0;
    ASSERT_EQ(tarvex_init(kVxi11Resource, 1, 0, &vi), VI_SUCCESS);
    ASSERT_EQ(tarvex_timeOut(vi, kFaultTimeoutMs), VI_SUCCESS);

    CAnswerBuffer reading;
    const auto start = SteadyClock::now();
    EXPECT_EQ(tarvex_read(vi, 1, reading.Data()), row.status);
    // A reply that never comes is waited for as long as the call's time-out and the driver's margin.
    EXPECT_LT(SteadyClock::now() - start, 2500ms);
    ExpectNotOverrun(reading);
    EXPECT_EQ(tarvex_close(vi), VI_SUCCESS);
}

std::string Header(uint32_t nXid)
{
    return CFakeInstrument::ReplyHeader(nXid);
}

std::string Words(std::initializer_list<uint32_t> words)
{
    return CFakeInstrument::Words(words);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Vxi11Replies,
    ::testing::Values(
        // device_write answers {error, size}
        SVxi11Reply{"WriteReplyShortOfItsResult", device_write,
                    [](uint32_t x) { return Header(x) + Words({0}); }, false, lan::kIoError},
        SVxi11Reply{"WriteReplyOfNonsense", device_write,
                    [](uint32_t x) {
                        return Header(x) + Words({0xDEADBEEF, 0xFFFFFFFF});
                    },
                    false, lan::kIoError},
        SVxi11Reply{"WriteReplyWhoseConnectionEnds", device_write,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 12});
                    },
                    true, lan::kConnectionLost},
        // device_read answers {error, reason, data}
        SVxi11Reply{"ReadReplyShortOfItsResult", device_read,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 4});
                    },
                    false, lan::kIoError},
        SVxi11Reply{"ReadReplyWithDataLongerThanItsRecord", device_read,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 4, 1000}) + "+1;+0\n\0\0";
                    },
                    false, lan::kIoError},
        SVxi11Reply{"ReadReplyWithDataBeyondTheBound", device_read,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 4, 0x7FFFFFF0});
                    },
                    false, lan::kIoError},
        SVxi11Reply{"ReadReplyWhoseConnectionEnds", device_read,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 4, 8}) + std::string("+1;+0\n\0\0", 8);
                    },
                    true, lan::kConnectionLost},
        SVxi11Reply{"ReadRefusedAsGarbage", device_read,
                    [](uint32_t x) {
                        return Words({x, REPLY, MSG_ACCEPTED, 0, 0, GARBAGE_ARGS});
                    },
                    false, lan::kIoError},
        SVxi11Reply{"ReadReplyThatNeverEnds", device_read,
                    [](uint32_t x) {
                        return Header(x) + Words({0, 0, 4096}) + std::string(4096, 'A');
                    },
                    false, lan::kIoError},
        // A reply no client can read as one is skipped: the call waits for its own until the time-out.
        SVxi11Reply{"ReadReplyWithAGarbledHeader", device_read,
                    [](uint32_t x) {
                        return Words({x, REPLY, 9});
                    },
                    false, VI_ERROR_TMO}),
    [](const auto& info) { return std::string(info.param.pszName); });
} // namespace
