// The LAN driver through its entry points against the emulator, over the raw socket and over VXI-11:
// opening and its refusals, settings that round-trip to the channel or line they name, readings, errors
// the instrument queues, a read that times out and the device clear after it, an instrument that goes away
// and comes back, and the search of the instruments that TARVEX_INSTRUMENTS names.

#include "AnswerBuffer.h"
#include "EmulatorThread.h"
#include "FakeInstrument.h"
#include "LanStatus.h"
#include "TarvexEntryPoints.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace
{
using namespace std::chrono_literals;
using namespace lantest;
using Clock = std::chrono::steady_clock;

constexpr const char* kIdentity = "Tarvex,Counter,0,2.2";
const std::regex kReading(R"([-+]\d\.\d+E[-+]\d+|[-+]\d+)");

std::string TextOf(const CAnswerBuffer& buffer)
{
    return buffer.Text().value_or("(no NUL in the buffer)");
}

struct STransport
{
    const char* pszName;
    const char* pszResource;
};
const STransport kTransports[] = {{"RawSocket", kRawResource}, {"Vxi11", kVxi11Resource}};

void PrintTo(const STransport& transport, std::ostream* pStream)
{
    *pStream << transport.pszName;
}

std::string TransportName(const ::testing::TestParamInfo<STransport>& info)
{
    return info.param.pszName;
}

class CLanDriverTest : public ::testing::TestWithParam<STransport>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_emulator.Start()) << m_emulator.Report();
        ASSERT_EQ(tarvex_init(GetParam().pszResource, 1, 1, &m_vi), VI_SUCCESS);
    }
    void TearDown() override
    {
        if (m_vi)
            EXPECT_EQ(tarvex_close(m_vi), VI_SUCCESS);
        m_emulator.Stop();
    }

    ViStatus AskIdentity(CAnswerBuffer& answer) { return tarvex_ieeecom(m_vi, "*IDN?", answer.Data()); }

    CEmulatorThread m_emulator;
    ViSession m_vi = 0;
};

// The four entry points of settings, each a set item's call and a query item's.
enum class EEntryPoint
{
    Sense,
    Input,
    Arm,
    Output,
};

// A null value sends the number (tarvex_sense).
ViStatus SetItem(EEntryPoint eEntryPoint, ViSession vi, ViInt16 nIndex, ViInt16 nItem, const char* pszValue,
                 double dNumber)
{
    char* const pszText = const_cast<char*>(pszValue);
    switch (eEntryPoint)
    {
    case EEntryPoint::Sense:
        return tarvex_sense(vi, nIndex, nItem, dNumber, pszText);
    case EEntryPoint::Input:
        return tarvex_input(vi, nIndex, nItem, pszText);
    case EEntryPoint::Arm:
        return tarvex_arm(vi, nItem, pszValue, nullptr);
    case EEntryPoint::Output:
        return tarvex_output(vi, nItem, nIndex, pszText);
    }
    return VI_SUCCESS;
}

ViStatus QueryItem(EEntryPoint eEntryPoint, ViSession vi, ViInt16 nIndex, ViInt16 nItem, char* pszAnswer)
{
    switch (eEntryPoint)
    {
    case EEntryPoint::Sense:
        return tarvex_sense(vi, nIndex, nItem, 0, pszAnswer);
    case EEntryPoint::Input:
        return tarvex_input(vi, nIndex, nItem, pszAnswer);
    case EEntryPoint::Arm:
        return tarvex_arm(vi, nItem, nullptr, pszAnswer);
    case EEntryPoint::Output:
        return tarvex_output(vi, nItem, nIndex, pszAnswer);
    }
    return VI_SUCCESS;
}

struct SSetting
{
    EEntryPoint eEntryPoint;
    ViInt16 nIndex;   // the channel or trigger line
    ViInt16 nSetItem; // 0: none, the query reads what another row left
    const char* pszValue;
    double dNumber;
    ViInt16 nQueryItem;
    const char* pszAnswer;
};

TEST_P(CLanDriverTest, SettingsReadBackFromTheChannelOrLineTheyName)
{
    using enum EEntryPoint;
    const SSetting rows[] = {
        {Sense, 2, TARVEX_SENSE_SLOPE_SET, "NEG", 0, TARVEX_SENSE_SLOPE_QUERY, "NEG"},
        {Sense, 1, 0, nullptr, 0, TARVEX_SENSE_SLOPE_QUERY, "POS"},
        {Sense, 1, TARVEX_SENSE_TRIGGER_LEVEL_SET, nullptr, 1.5, TARVEX_SENSE_TRIGGER_LEVEL_QUERY,
         "+1.50000E+00"},
        {Sense, 3, TARVEX_SENSE_TRIGGER_LEVEL_SET, "MIN", 0, TARVEX_SENSE_TRIGGER_LEVEL_QUERY,
         "-1.02375E+01"},
        {Sense, 1, TARVEX_SENSE_FUNCTION_SET, "\"PER\"", 0, TARVEX_SENSE_FUNCTION_QUERY, "\"PER\""},
        {Sense, 1, TARVEX_SENSE_APERTURE_SET, nullptr, 0.05, TARVEX_SENSE_APERTURE_QUERY, "+5.00000E-02"},
        {Input, 2, TARVEX_INPUT_COUPLING_SET, "AC", 0, TARVEX_INPUT_COUPLING_QUERY, "AC"},
        {Input, 1, 0, nullptr, 0, TARVEX_INPUT_COUPLING_QUERY, "DC"},
        {Input, 1, TARVEX_INPUT_IMPEDANCE_SET, "1E6", 0, TARVEX_INPUT_IMPEDANCE_QUERY, "+1.00000E+06"},
        {Arm, 0, TARVEX_ARM_START_SOURCE_SET, "BUS", 0, TARVEX_ARM_START_SOURCE_QUERY, "BUS"},
        {Arm, 0, TARVEX_ARM_STOP_LEVEL_SET, "MIN", 0, TARVEX_ARM_STOP_LEVEL_QUERY, "-1.30000E+00"},
        {Arm, 0, 0, nullptr, 0, TARVEX_ARM_START_LEVEL_QUERY, "+1.60000E+00"},
        {Output, 3, TARVEX_OUTPUT_TRIGGER_LINE_SET, "ON", 0, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "1"},
        {Output, 4, 0, nullptr, 0, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, "0"},
        {Output, 0, TARVEX_OUTPUT_TIMEBASE_SET, "ON", 0, TARVEX_OUTPUT_TIMEBASE_QUERY, "1"},
    };
    for (const SSetting& row : rows)
    {
        SCOPED_TRACE("entry point " + std::to_string(static_cast<int>(row.eEntryPoint)) + " index " +
                     std::to_string(row.nIndex) + " item " + std::to_string(row.nQueryItem));
        if (row.nSetItem)
        {
            ASSERT_EQ(SetItem(row.eEntryPoint, m_vi, row.nIndex, row.nSetItem, row.pszValue, row.dNumber),
                      VI_SUCCESS);
        }
        CAnswerBuffer answer;
        ASSERT_EQ(QueryItem(row.eEntryPoint, m_vi, row.nIndex, row.nQueryItem, answer.Data()), VI_SUCCESS);
        EXPECT_EQ(TextOf(answer), row.pszAnswer);
    }
}

// The calls that are not settings: the answer of a call, or of a query after it.
using Call = std::function<ViStatus(ViSession vi, char* pszAnswer)>;
struct SAnswered
{
    const char* pszName;
    Call call;
    const char* pszAnswer; // a regular expression
};

// An integer an entry point gives, as text.
template <typename TCall> ViStatus IntegerText(char* pszAnswer, TCall call)
{
    ViInt16 nValue = -1;
    const ViStatus status = call(&nValue);
    std::snprintf(pszAnswer, TARVEX_BUFFER_SIZE, "%d", nValue);
    return status;
}

TEST_P(CLanDriverTest, ConfigurationsReadingsAndTheInstrumentsOwnAnswersArrive)
{
    const char* const kAReading = R"([-+]\d\.\d+E[-+]\d+)";
    const SAnswered rows[] = {
        {"configure",
         [](ViSession vi, char* a)
         {
             const ViStatus s = tarvex_configure(vi, 2, TARVEX_FUNCTION_PERIOD, "1E-3", "DEF", "DEF", "DEF");
             return s == VI_SUCCESS ? tarvex_confQuery(vi, 2, a) : s;
         },
         R"("PER \+1\.00000E-03,DEF")"},
        {"short configuration",
         [](ViSession vi, char* a)
         {
             const ViStatus s = tarvex_shortConf(vi, 1, TARVEX_FUNCTION_FREQ);
             return s == VI_SUCCESS ? tarvex_confQuery(vi, 1, a) : s;
         },
         R"("FREQ DEF,DEF")"},
        {"the caller's message", [](ViSession vi, char* a) { return tarvex_ieeecom(vi, "*ESE 36;*ESE?", a); },
         R"(\+36)"},
        {"the caller's command", [](ViSession vi, char* a) { return tarvex_ieeecom(vi, "*CLS", a); }, ""},
        {"identity", [](ViSession vi, char* a) { return tarvex_ieeecom(vi, "*IDN?", a); }, kIdentity},
        {"read", [](ViSession vi, char* a) { return tarvex_read(vi, 1, a); }, kAReading},
        {"measure",
         [](ViSession vi, char* a) { return tarvex_measure(vi, 1, TARVEX_FUNCTION_FREQ, "DEF", "DEF", a); },
         kAReading},
        {"initiate and fetch",
         [](ViSession vi, char* a)
         {
             const ViStatus s = tarvex_initiate(vi, 1, TARVEX_INITIATE_IMMEDIATE, nullptr);
             return s == VI_SUCCESS ? tarvex_fetch(vi, 1, a) : s;
         },
         kAReading},
        {"short measurement", [](ViSession vi, char* a) { return tarvex_shortMeas(vi, 1, a); }, kAReading},
        {"operation condition after an abort",
         [](ViSession vi, char* a)
         {
             const ViStatus s = tarvex_abort(vi, 1);
             return s == VI_SUCCESS ? IntegerText(a, [vi](ViInt16* p) { return tarvex_operQ(vi, p); }) : s;
         },
         "0"},
        {"slot",
         [](ViSession vi, char* a)
         { return IntegerText(a, [vi](ViInt16* p) { return tarvex_getSlot(vi, p); }); },
         "5"},
        {"logical address",
         [](ViSession vi, char* a)
         { return IntegerText(a, [vi](ViInt16* p) { return tarvex_getLA(vi, p); }); },
         "24"},
        {"self test",
         [](ViSession vi, char* a)
         {
             ViInt16 nResult = -1;
             char szMessage[TARVEX_BUFFER_SIZE] = "not written";
             const ViStatus s = tarvex_self_test(vi, &nResult, szMessage);
             std::snprintf(a, TARVEX_BUFFER_SIZE, "%d [%.200s]", nResult, szMessage);
             return s;
         },
         R"(0 \[\])"},
        {"continuous initiation",
         [](ViSession vi, char* a)
         {
             const ViStatus s = tarvex_initiate(vi, 1, TARVEX_INITIATE_CONTINUOUS, const_cast<char*>("ON"));
             return s == VI_SUCCESS ? tarvex_initiate(vi, 1, TARVEX_INITIATE_QUERY_CONTINUOUS, a) : s;
         },
         "1"},
        {"reset",
         [](ViSession vi, char* a)
         {
             tarvex_sense(vi, 2, TARVEX_SENSE_SLOPE_SET, 0, const_cast<char*>("NEG"));
             const ViStatus s = tarvex_reset(vi);
             return s == VI_SUCCESS ? tarvex_sense(vi, 2, TARVEX_SENSE_SLOPE_QUERY, 0, a) : s;
         },
         "POS"},
    };
    for (const SAnswered& row : rows)
    {
        SCOPED_TRACE(row.pszName);
        CAnswerBuffer answer;
        ASSERT_EQ(row.call(m_vi, answer.Data()), VI_SUCCESS);
        EXPECT_TRUE(std::regex_match(TextOf(answer), std::regex(row.pszAnswer))) << TextOf(answer);
        EXPECT_TRUE(answer.IsGuardIntact());
    }
}

TEST_P(CLanDriverTest, WithErrorDetectionACommandThatQueuesAnErrorFailsAndTheErrorsAreReadOneByOne)
{
    EXPECT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_SLOPE_SET, 0, const_cast<char*>("SIDEWAYS")), VI_SUCCESS)
        << "detection is off until switched on";
    ASSERT_EQ(tarvex_errorQueryDetect(m_vi, 1), VI_SUCCESS);
    EXPECT_EQ(tarvex_input(m_vi, 1, TARVEX_INPUT_ATTENUATION_SET, const_cast<char*>("1000")),
              TARVEX_INSTR_ERROR_DETECTED);
    CAnswerBuffer slope;
    EXPECT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_SLOPE_QUERY, 0, slope.Data()), TARVEX_INSTR_ERROR_DETECTED)
        << "the queue is not empty yet";
    EXPECT_EQ(TextOf(slope), "POS") << "the answer comes with the status";

    std::vector<std::string> entries;
    for (int n = 0; n < 10; ++n)
    {
        ViInt32 nCode = 12345;
        CAnswerBuffer message;
        ASSERT_EQ(tarvex_error_query(m_vi, &nCode, message.Data()), VI_SUCCESS);
        entries.push_back(std::to_string(nCode) + " " + TextOf(message));
        if (nCode == 0)
            break;
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"-224 -224,\"Illegal parameter value\"",
                                                 "-222 -222,\"Data out of range\"", "0 +0,\"No error\""}));
    EXPECT_EQ(tarvex_sense(m_vi, 1, TARVEX_SENSE_SLOPE_SET, 0, const_cast<char*>("NEG")), VI_SUCCESS);
}

TEST_P(CLanDriverTest, AReadThatIsNeverArmedTimesOutAfterTheTimeOutAndADeviceClearEndsIt)
{
    ASSERT_EQ(tarvex_arm(m_vi, TARVEX_ARM_START_SOURCE_SET, "HOLD", nullptr), VI_SUCCESS);
    ASSERT_EQ(tarvex_timeOut(m_vi, 300), VI_SUCCESS);
    CAnswerBuffer reading;
    const auto start = Clock::now();
    EXPECT_EQ(tarvex_read(m_vi, 1, reading.Data()), VI_ERROR_TMO);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 290ms);
    EXPECT_LT(took, 1500ms);

    EXPECT_EQ(tarvex_dcl(m_vi), VI_SUCCESS);
    CAnswerBuffer identity;
    EXPECT_EQ(AskIdentity(identity), VI_SUCCESS);
    EXPECT_EQ(TextOf(identity), kIdentity) << "no answer of before the clear";
    ASSERT_EQ(tarvex_arm(m_vi, TARVEX_ARM_START_SOURCE_SET, "IMM", nullptr), VI_SUCCESS);
    EXPECT_EQ(tarvex_read(m_vi, 1, reading.Data()), VI_SUCCESS);
    EXPECT_TRUE(std::regex_match(TextOf(reading), kReading)) << TextOf(reading);
}

TEST_P(CLanDriverTest, ALostConnectionFailsTheNextCallAtOnceAndTheCallAfterTheInstrumentIsBackWorks)
{
    ASSERT_EQ(tarvex_timeOut(m_vi, 5000), VI_SUCCESS);
    m_emulator.Stop();
    // The call that finds the link gone, and one while the instrument stays away.
    for (int n = 0; n < 2; ++n)
    {
        CAnswerBuffer identity;
        const auto start = Clock::now();
        EXPECT_EQ(AskIdentity(identity), lan::kConnectionLost) << n;
        EXPECT_LT(Clock::now() - start, 500ms) << n;
    }
    ASSERT_TRUE(m_emulator.Start()) << m_emulator.Report();
    CAnswerBuffer identity;
    EXPECT_EQ(AskIdentity(identity), VI_SUCCESS);
    EXPECT_EQ(TextOf(identity), kIdentity);
}

INSTANTIATE_TEST_SUITE_P(Transports, CLanDriverTest, ::testing::ValuesIn(kTransports), TransportName);

// What answers at 127.0.0.1 when a resource is opened.
enum class EServer
{
    None,
    Emulator,
    OtherMakerRaw,
    OtherMakerVxi11,
};

struct SOpening
{
    const char* pszName;
    const char* pszResource;
    EServer eServer;
    ViStatus status;
    const char* pszSaid; // on standard error, after the resource
};

void PrintTo(const SOpening& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

class Opening : public ::testing::TestWithParam<SOpening>
{
};

std::string AnswerAsOtherMaker(const std::string& message)
{
    return message.starts_with("*IDN?") ? "Other,Meter,0,1.0;+0\n" : "+0\n";
}

TEST_P(Opening, ChecksTheIdentityAndSaysWhyAResourceIsNotOpened)
{
    const SOpening& row = GetParam();
    CEmulatorThread emulator;
    std::unique_ptr<CFakeInstrument> pFake;
    if (row.eServer == EServer::Emulator)
        ASSERT_TRUE(emulator.Start()) << emulator.Report();
    else if (row.eServer != EServer::None)
    {
        pFake = std::make_unique<CFakeInstrument>(row.eServer == EServer::OtherMakerRaw
                                                      ? CFakeInstrument::ETransport::Raw
                                                      : CFakeInstrument::ETransport::Vxi11,
                                                  AnswerAsOtherMaker);
        ASSERT_TRUE(pFake->IsServing());
    }
    ViSession vi = 0;
    ::testing::internal::CaptureStderr();
    const ViStatus status = tarvex_init(row.pszResource, 1, 0, &vi);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, row.status);
    EXPECT_NE(said.find(std::string("tarvex LAN driver: ") + row.pszResource + ": " + row.pszSaid),
              std::string::npos)
        << said;
    if (status == VI_SUCCESS)
        EXPECT_EQ(tarvex_close(vi), VI_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(
    Resources, Opening,
    ::testing::Values(
        SOpening{"RawSocket", kRawResource, EServer::Emulator, VI_SUCCESS, kIdentity},
        SOpening{"Vxi11", kVxi11Resource, EServer::Emulator, VI_SUCCESS, kIdentity},
        SOpening{"Vxi11WithTheDefaultDevice", "TCPIP0::127.0.0.1", EServer::Emulator, VI_SUCCESS, kIdentity},
        SOpening{"RawSocketOfAnotherMaker", kRawResource, EServer::OtherMakerRaw, lan::kNotATarvexCounter,
                 "not a Tarvex counter (it answers \"Other,Meter,0,1.0\")"},
        SOpening{"Vxi11OfAnotherMaker", kVxi11Resource, EServer::OtherMakerVxi11, lan::kNotATarvexCounter,
                 "not a Tarvex counter (it answers \"Other,Meter,0,1.0\")"},
        SOpening{"RawSocketRefused", kRawResource, EServer::None, lan::kResourceNotFound,
                 "connection refused"},
        SOpening{"Vxi11WithoutPortmapper", kVxi11Resource, EServer::None, lan::kResourceNotFound,
                 "no portmapper: connection refused"},
        SOpening{"Vxi11DeviceTheInstrumentHasNot", "TCPIP::127.0.0.1::gpib0,9,3::INSTR", EServer::Emulator,
                 lan::kResourceNotFound, "device gpib0,9,3 not accessible"},
        SOpening{"NoResourceOfTheLan", "GPIB0::9::INSTR", EServer::None, lan::kInvalidResourceName,
                 "not a VISA resource"}),
    [](const auto& info) { return std::string(info.param.pszName); });

struct SSearch
{
    const char* pszName;
    const char* pszInstruments; // TARVEX_INSTRUMENTS
    ViStatus status;
    std::vector<std::string> found;
    std::vector<std::string> said; // lines on standard error, each in part
};

TEST(Search, OpensTheOneInstrumentFoundListsSeveralAndSaysWhyOthersAreNot)
{
    const std::string kRefused = "TCPIP::127.0.0.1::5026::SOCKET";
    const std::string kNoDevice = "TCPIP::127.0.0.1::inst7::INSTR";
    const SSearch rows[] = {
        {"none named", "", lan::kResourceNotFound, {}, {"no instrument is named: set TARVEX_INSTRUMENTS"}},
        {"none found",
         "TCPIP::127.0.0.1::5026::SOCKET;TCPIP::127.0.0.1::inst7::INSTR",
         lan::kResourceNotFound,
         {},
         {kRefused + ": connection refused", kNoDevice + ": device inst7 not accessible"}},
        {"one found",
         "TCPIP::127.0.0.1::5026::SOCKET; TCPIP::127.0.0.1::5025::SOCKET ;",
         VI_SUCCESS,
         {kRawResource},
         {kRefused + ": connection refused", std::string(kRawResource) + ": " + kIdentity}},
        {"several found",
         "TCPIP::127.0.0.1::5025::SOCKET;TCPIP::127.0.0.1::inst0::INSTR",
         VI_SUCCESS,
         {kRawResource, kVxi11Resource},
         {std::string(kVxi11Resource) + ": " + kIdentity}},
        {"a resource refused",
         "GPIB0::9::INSTR;TCPIP::127.0.0.1::inst0::INSTR",
         VI_SUCCESS,
         {kVxi11Resource},
         {"GPIB0::9::INSTR: not a VISA resource of an instrument on the LAN"}},
    };
    CEmulatorThread emulator;
    ASSERT_TRUE(emulator.Start()) << emulator.Report();
    for (const SSearch& row : rows)
    {
        SCOPED_TRACE(row.pszName);
        testsupport::CScopedEnvironment instruments("TARVEX_INSTRUMENTS", row.pszInstruments);
        ViChar** apszFound = nullptr;
        ViInt32 nCount = -1;
        ViSession vi = 12345;
        ::testing::internal::CaptureStderr();
        const auto start = Clock::now();
        const ViStatus status = tarvex_auto_init(1, &apszFound, &nCount, &vi, 0);
        const auto took = Clock::now() - start;
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, row.status);
        EXPECT_LT(took, 1s) << "nothing waits when every instrument answers or refuses at once";
        ASSERT_EQ(nCount, static_cast<ViInt32>(row.found.size()));
        ASSERT_NE(apszFound, nullptr);
        EXPECT_EQ(std::vector<std::string>(apszFound, apszFound + nCount), row.found);
        EXPECT_EQ(apszFound[nCount], nullptr);
        for (const std::string& line : row.said)
            EXPECT_NE(said.find("tarvex LAN driver: " + line), std::string::npos) << said;
        // One found is opened; of several the caller opens its choice.
        EXPECT_EQ(vi != 0, nCount == 1);
        if (vi != 0)
        {
            CAnswerBuffer identity;
            EXPECT_EQ(tarvex_ieeecom(vi, "*IDN?", identity.Data()), VI_SUCCESS);
            EXPECT_EQ(TextOf(identity), kIdentity);
            EXPECT_EQ(tarvex_close(vi), VI_SUCCESS);
        }
    }
}
} // namespace
