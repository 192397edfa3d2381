// The 27 entry points of the driver ABI over the LAN: each call becomes the program message the dialect's
// command table gives for it, sent to the session's instrument; answers come back into the caller's buffer,
// at most 255 characters and a NUL. Calls are served one at a time.
//
// Statuses besides success (also listed in docs/scpi.md):
//   0xBFFF0012  a resource that is no VISA resource string of a LAN instrument
//   0xBFFF0011  no instrument found: connection refused, host unknown or unreachable, no VXI-11 service,
//               device not accessible; a search that finds none
//   0xBFFC0011  the instrument is not a Tarvex counter (its *IDN? answer)
//   0xBFFF0015  time-out: no answer within the I/O time-out (tarvex_timeOut)
//   0xBFFF00A6  the connection was lost; the next call connects again, once
//   0xBFFF003E  an answer or reply that cannot be read (a garbled VXI-11 reply, a status byte that is none)
//   0xBFFC0D06  with error detection on, the instrument's error queue holds an entry after the call
//   0xBFFF000E  a session that is not open; 0xBFFF0071 a null text or buffer where one is needed
//   0xBFFF0067  tarvex_getSlot of an instrument that reports no slot
//   0xBFFC000n  parameter n out of range, or a text that cannot be sent (a control character)

#include "Commands.h"
#include "InstrumentList.h"
#include "LanInstrument.h"
#include "LanStatus.h"
#include "ResourceName.h"
#include "ScpiParser.h"
#include "ScpiWriter.h"
#include "TarvexEntryPoints.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using namespace lan;
using scpi::EOperation;
using EChecks = CLanInstrument::EChecks;

namespace
{
// The time a search gives each configured instrument to answer.
constexpr int kProbeTimeoutMs = 2000;

struct SDriver
{
    std::mutex mutex;
    std::map<ViSession, std::unique_ptr<CLanInstrument>> sessions;
    ViSession nNextSession = 0x100;
    // The list the last search handed out; valid until the next search.
    std::vector<std::string> found;
    std::vector<char*> foundPointers;
};

SDriver& Driver()
{
    static SDriver driver;
    return driver;
}

void Say(const std::string& line)
{
    std::fprintf(stderr, "tarvex LAN driver: %s\n", line.c_str());
}

void WriteAnswer(char* pBuffer, std::string_view text)
{
    const size_t nCopied = std::min(text.size(), size_t{TARVEX_BUFFER_SIZE - 1});
    std::memcpy(pBuffer, text.data(), nCopied);
    pBuffer[nCopied] = '\0';
}

// Opens and checks an instrument; says on standard error which it is, or why it is not.
std::unique_ptr<CLanInstrument> OpenInstrument(const std::string& name, int nTimeoutMs, ViStatus& status)
{
    const auto resource = ParseResourceName(name);
    if (!resource)
    {
        Say(name + ": not a VISA resource of an instrument on the LAN (TCPIP::HOST::PORT::SOCKET or "
                   "TCPIP::HOST[::DEVICE][::INSTR])");
        status = kInvalidResourceName;
        return nullptr;
    }
    auto pInstrument = std::make_unique<CLanInstrument>(*resource, name);
    std::string reason;
    status = pInstrument->Open(nTimeoutMs, reason);
    if (status != VI_SUCCESS)
    {
        Say(name + ": " + reason);
        return nullptr;
    }
    Say(name + ": " + pInstrument->Identity());
    return pInstrument;
}

ViSession AddSession(std::unique_ptr<CLanInstrument> pInstrument)
{
    SDriver& driver = Driver();
    const ViSession vi = driver.nNextSession++;
    driver.sessions[vi] = std::move(pInstrument);
    return vi;
}

// Runs work on the session's instrument, one call at a time.
template <typename TWork> ViStatus OnInstrument(ViSession vi, TWork work)
{
    SDriver& driver = Driver();
    std::lock_guard lock(driver.mutex);
    const auto found = driver.sessions.find(vi);
    if (found == driver.sessions.end())
        return kInvalidSession;
    return work(*found->second);
}

// A message built for a call: sent, and a query's answer written into the buffer.
ViStatus Send(ViSession vi, ViStatus built, const SMessage& message, char* pAnswer,
              EChecks eChecks = EChecks::Errors)
{
    if (built != VI_SUCCESS)
        return built;
    if (message.bQuery && !pAnswer)
        return kNullPointer;
    return OnInstrument(vi,
                        [&](CLanInstrument& instrument)
                        {
                            if (!message.bQuery)
                                return instrument.Command(message.text, eChecks);
                            std::string answer;
                            const ViStatus status = instrument.Query(message.text, answer, eChecks);
                            if (status == VI_SUCCESS || status == TARVEX_INSTR_ERROR_DETECTED)
                                WriteAnswer(pAnswer, answer);
                            return status;
                        });
}

ViStatus SendChannel(ViSession vi, EOperation eOperation, ViInt16 channel, bool bQuery, char* pAnswer)
{
    SMessage message;
    const ViStatus built = ChannelMessage(eOperation, channel, bQuery, message);
    return Send(vi, built, message, pAnswer);
}

std::optional<int> LeadingInteger(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int nValue = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (result.ec != std::errc())
        return std::nullopt;
    return nValue;
}

// An integer query of the instrument's.
ViStatus QueryInteger(ViSession vi, EOperation eOperation, EChecks eChecks, std::optional<int>& value)
{
    std::string answer;
    const ViStatus status =
        OnInstrument(vi, [&](CLanInstrument& instrument)
                     { return instrument.Query(InstrumentMessage(eOperation, true), answer, eChecks); });
    value = LeadingInteger(answer);
    return status;
}
// The instrument's slot or logical address; kNotSupported when it reports none.
ViStatus QueryPlace(ViSession vi, EOperation eOperation, ViInt16* pPlace)
{
    if (!pPlace)
        return kNullPointer;
    std::optional<int> value;
    const ViStatus status = QueryInteger(vi, eOperation, EChecks::Nothing, value);
    if (status == VI_SUCCESS && !value)
        return kNotSupported;
    if (status == VI_SUCCESS)
        *pPlace = static_cast<ViInt16>(*value);
    return status;
}
} // namespace

extern "C"
{
    TARVEX_EXPORT ViStatus tarvex_auto_init(ViInt16, ViChar*** resources, ViInt32* count, ViSession* vi,
                                            ViInt16)
    {
        if (!resources || !count || !vi)
            return kNullPointer;
        SDriver& driver = Driver();
        std::lock_guard lock(driver.mutex);
        const SInstrumentList configured = ConfiguredInstruments();
        if (configured.resources.empty())
            Say("no instrument is named: set TARVEX_INSTRUMENTS, or list them in " + configured.source);
        std::vector<std::unique_ptr<CLanInstrument>> answered;
        for (const std::string& name : configured.resources)
        {
            ViStatus status = VI_SUCCESS;
            if (auto pInstrument = OpenInstrument(name, kProbeTimeoutMs, status))
                answered.push_back(std::move(pInstrument));
        }
        driver.found.clear();
        driver.foundPointers.clear();
        for (const auto& pInstrument : answered)
            driver.found.push_back(pInstrument->Name());
        for (std::string& name : driver.found)
            driver.foundPointers.push_back(name.data());
        driver.foundPointers.push_back(nullptr);
        *resources = driver.foundPointers.data();
        *count = static_cast<ViInt32>(answered.size());
        *vi = 0;
        // One found is opened; of several, the caller chooses one and opens it with tarvex_init.
        if (answered.size() == 1)
            *vi = AddSession(std::move(answered.front()));
        return answered.empty() ? kResourceNotFound : VI_SUCCESS;
    }

    TARVEX_EXPORT ViStatus tarvex_init(const ViChar* resource, ViBoolean, ViBoolean reset, ViSession* vi)
    {
        if (!resource || !vi)
            return kNullPointer;
        SDriver& driver = Driver();
        std::lock_guard lock(driver.mutex);
        ViStatus status = VI_SUCCESS;
        auto pInstrument = OpenInstrument(std::string(resource, strnlen(resource, TARVEX_BUFFER_SIZE)),
                                          CLanInstrument::kDefaultTimeoutMs, status);
        if (!pInstrument)
            return status;
        if (reset)
        {
            status = pInstrument->Command(InstrumentMessage(EOperation::Reset, false), EChecks::Nothing);
            if (status != VI_SUCCESS)
                return status;
        }
        *vi = AddSession(std::move(pInstrument));
        return VI_SUCCESS;
    }

    TARVEX_EXPORT ViStatus tarvex_close(ViSession vi)
    {
        SDriver& driver = Driver();
        std::lock_guard lock(driver.mutex);
        return driver.sessions.erase(vi) > 0 ? VI_SUCCESS : kInvalidSession;
    }

    TARVEX_EXPORT ViStatus tarvex_reset(ViSession vi)
    {
        return Send(vi, VI_SUCCESS, {InstrumentMessage(EOperation::Reset, false), false}, nullptr);
    }

    TARVEX_EXPORT ViStatus tarvex_dcl(ViSession vi)
    {
        return OnInstrument(
            vi, [](CLanInstrument& instrument) { return instrument.DeviceClear(); });
    }

    TARVEX_EXPORT ViStatus tarvex_self_test(ViSession vi, ViInt16* result, ViChar message[])
    {
        if (!result || !message)
            return kNullPointer;
        return OnInstrument(
            vi,
            [&](CLanInstrument& instrument)
            {
                std::string answer;
                ViStatus status =
                    instrument.Query(InstrumentMessage(EOperation::SelfTest, true), answer, EChecks::Nothing);
                const auto nResult = LeadingInteger(answer);
                if (status == VI_SUCCESS && !nResult)
                    status = kIoError;
                if (status != VI_SUCCESS)
                    return status;
                *result = static_cast<ViInt16>(*nResult);
                // A failed test leaves its message in the error queue (-330,"...").
                std::string text;
                if (*nResult != 0)
                    instrument.Query(InstrumentMessage(EOperation::ErrorNext, true), text, EChecks::Nothing);
                WriteAnswer(message, text);
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_error_query(ViSession vi, ViInt32* code, ViChar message[])
    {
        if (!code || !message)
            return kNullPointer;
        SMessage query{InstrumentMessage(EOperation::ErrorNext, true), true};
        const ViStatus status = Send(vi, VI_SUCCESS, query, message, EChecks::Nothing);
        if (status != VI_SUCCESS)
            return status;
        const auto nCode = LeadingInteger(message);
        if (!nCode)
            return kIoError;
        *code = *nCode;
        return VI_SUCCESS;
    }

    TARVEX_EXPORT ViStatus tarvex_errorQueryDetect(ViSession vi, ViBoolean on)
    {
        return OnInstrument(
            vi,
            [&](CLanInstrument& instrument)
            {
                instrument.SetErrorDetection(on != 0);
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_timeOut(ViSession vi, ViInt32 milliseconds)
    {
        return OnInstrument(
            vi,
            [&](CLanInstrument& instrument)
            {
                if (milliseconds < 0)
                    return ParameterError(2);
                instrument.SetTimeout(milliseconds);
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_getSlot(ViSession vi, ViInt16* slot)
    {
        return QueryPlace(vi, EOperation::Slot, slot);
    }

    TARVEX_EXPORT ViStatus tarvex_getLA(ViSession vi, ViInt16* logicalAddress)
    {
        return QueryPlace(vi, EOperation::LogicalAddress, logicalAddress);
    }

    TARVEX_EXPORT ViStatus tarvex_configure(ViSession vi, ViInt16 channel, ViInt16 function,
                                            const ViChar* expected, const ViChar* resolution,
                                            const ViChar* lowerRef, const ViChar* upperRef)
    {
        const char* const apszTexts[4] = {expected, resolution, lowerRef, upperRef};
        SMessage message;
        const ViStatus built = ConfigureMessage(channel, function, apszTexts, message);
        return Send(vi, built, message, nullptr);
    }

    TARVEX_EXPORT ViStatus tarvex_shortConf(ViSession vi, ViInt16 channel, ViInt16 function)
    {
        SMessage message;
        const ViStatus built = ConfigureMessage(channel, function, nullptr, message);
        return Send(vi, built, message, nullptr);
    }

    TARVEX_EXPORT ViStatus tarvex_initiate(ViSession vi, ViInt16 channel, ViInt16 mode, ViChar* text)
    {
        switch (mode)
        {
        case TARVEX_INITIATE_IMMEDIATE:
            return SendChannel(vi, EOperation::Initiate, channel, false, nullptr);
        case TARVEX_INITIATE_CONTINUOUS:
        {
            SMessage message;
            const ViStatus built = ContinuousMessage(channel, text, message);
            return Send(vi, built, message, nullptr);
        }
        case TARVEX_INITIATE_QUERY_CONTINUOUS:
            return SendChannel(vi, EOperation::Continuous, channel, true, text);
        default:
            return ParameterError(3);
        }
    }

    TARVEX_EXPORT ViStatus tarvex_fetch(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        return SendChannel(vi, EOperation::Fetch, channel, true, reading);
    }

    TARVEX_EXPORT ViStatus tarvex_read(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        return SendChannel(vi, EOperation::Read, channel, true, reading);
    }

    TARVEX_EXPORT ViStatus tarvex_shortMeas(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        return SendChannel(vi, EOperation::Read, channel, true, reading);
    }

    TARVEX_EXPORT ViStatus tarvex_measure(ViSession vi, ViInt16 channel, ViInt16 function,
                                          const ViChar* expected, const ViChar* resolution, ViChar reading[])
    {
        SMessage message;
        const ViStatus built = MeasureMessage(channel, function, expected, resolution, message);
        return Send(vi, built, message, reading);
    }

    TARVEX_EXPORT ViStatus tarvex_abort(ViSession vi, ViInt16 channel)
    {
        return SendChannel(vi, EOperation::Abort, channel, false, nullptr);
    }

    TARVEX_EXPORT ViStatus tarvex_confQuery(ViSession vi, ViInt16 channel, ViChar answer[])
    {
        return SendChannel(vi, EOperation::ConfigureQuery, channel, true, answer);
    }

    TARVEX_EXPORT ViStatus tarvex_sense(ViSession vi, ViInt16 channel, ViInt16 item, ViReal64 number,
                                        ViChar* text)
    {
        SMessage message;
        const ViStatus built =
            SettingMessage({EOperation::Sense, channel, item, text, number, 2, 3, 5}, message);
        return Send(vi, built, message, text);
    }

    TARVEX_EXPORT ViStatus tarvex_input(ViSession vi, ViInt16 channel, ViInt16 item, ViChar* text)
    {
        SMessage message;
        const ViStatus built =
            SettingMessage({EOperation::Input, channel, item, text, std::nullopt, 2, 3, 4}, message);
        return Send(vi, built, message, text);
    }

    TARVEX_EXPORT ViStatus tarvex_arm(ViSession vi, ViInt16 item, const ViChar* value, ViChar* answer)
    {
        SMessage message;
        const ViStatus built =
            SettingMessage({EOperation::Arm, 1, item, value, std::nullopt, 2, 2, 3}, message);
        return Send(vi, built, message, answer);
    }

    TARVEX_EXPORT ViStatus tarvex_output(ViSession vi, ViInt16 item, ViInt16 line, ViChar* text)
    {
        SMessage message;
        const ViStatus built =
            SettingMessage({EOperation::Output, line, item, text, std::nullopt, 3, 2, 4}, message);
        return Send(vi, built, message, text);
    }

    TARVEX_EXPORT ViStatus tarvex_ieeecom(ViSession vi, const ViChar* command, ViChar* answer)
    {
        if (!command)
            return kNullPointer;
        // The caller's text is sent as one message when it is one; whether it asks for an answer is read
        // with the dialect's parser.
        const std::string_view text(command, strnlen(command, TARVEX_BUFFER_SIZE));
        if (!scpi::IsSendable(text))
            return ParameterError(2);
        scpi::CMessageParser parser(text);
        scpi::SUnit unit;
        const scpi::SScpiError* pError = nullptr;
        bool bQuery = false;
        for (size_t n = 0;
             n < text.size() + 1 && parser.Next(unit, pError) == scpi::CMessageParser::EResult::Unit; ++n)
            bQuery = bQuery || unit.pCommand->IsQuery();
        const ViStatus status = Send(vi, VI_SUCCESS, {std::string(text), bQuery && answer}, answer);
        if (status == VI_SUCCESS && !bQuery && answer)
            WriteAnswer(answer, "");
        return status;
    }

    TARVEX_EXPORT ViStatus tarvex_operQ(ViSession vi, ViInt16* condition)
    {
        if (!condition)
            return kNullPointer;
        std::optional<int> value;
        const ViStatus status = QueryInteger(vi, EOperation::OperationCondition, EChecks::Errors, value);
        if (status == VI_SUCCESS)
            *condition = static_cast<ViInt16>(value.value_or(0));
        return status;
    }

    TARVEX_EXPORT ViStatus tarvex_ftoa(ViReal64 value, ViChar text[])
    {
        if (!text)
            return kNullPointer;
        WriteAnswer(text, scpi::NumberText(value));
        return VI_SUCCESS;
    }
}
