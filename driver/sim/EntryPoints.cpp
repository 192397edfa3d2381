// The 27 entry points of the driver ABI: thin wrappers that describe each call for the log and hand its
// work to the simulator.

#include "ScpiParser.h"
#include "Simulator.h"
#include "TarvexAbi.h"
#include "TarvexSim.h"

#include <charconv>
#include <cstring>
#include <optional>

using namespace tarvexsim;

namespace
{
constexpr ViStatus kNullPointer = TARVEXSIM_ERROR_NULL_POINTER;
constexpr ViStatus kNegativeTimeout = TARVEXSIM_ERROR_PARAMETER2;

CSimulator& Sim()
{
    return CSimulator::Instance();
}

CCounterInstrument& Counter()
{
    return CSimulator::Instance().Counter();
}

// An input text from the program, read no further than an answer buffer would reach.
CScpiValue Value(const char* pszText)
{
    return CScpiValue::FromText(std::string_view(pszText, strnlen(pszText, TARVEX_BUFFER_SIZE)));
}

// Sense, input and output pass one text that is the value of a set item and the answer of a query item;
// an item the instrument does not know is neither, and its text is never touched.
void AddSettingText(CCallArguments& arguments, EItemRole eRole, const char* pText)
{
    if (eRole == EItemRole::Set)
        arguments.Text(pText);
    else
        arguments.Out(pText);
}

// One set or query of a setting. A set item reads pInput, or takes the fallback when there is no text
// (none: the text is needed); a query item answers into pAnswer.
ViStatus SettingCall(const char* pszEntryPoint, const CCallArguments& arguments, ViSession vi,
                     ESubsystem eSubsystem, int nIndex, int nItem, const char* pInput, char* pAnswer,
                     const std::optional<CScpiValue>& fallback)
{
    return Sim().Call(
        pszEntryPoint, arguments, &vi, true,
        [&](SSession&)
        {
            const EItemRole eRole = CCounterSettings::Role(eSubsystem, nItem);
            if (eRole == EItemRole::Query)
                return Sim().Answer(
                    pszEntryPoint, nItem, pAnswer,
                    [&](std::string& answer)
                    {
                        Counter().Query(eSubsystem, nIndex, nItem, answer);
                        return VI_SUCCESS;
                    });
            if (eRole == EItemRole::Set && !pInput && !fallback)
                return kNullPointer;
            // An unknown item is refused by the instrument without its text being looked at.
            const CScpiValue value = eRole != EItemRole::Set ? CScpiValue()
                                     : pInput                ? Value(pInput)
                                                             : *fallback;
            Counter().Set(eSubsystem, nIndex, nItem, value);
            return VI_SUCCESS;
        });
}

// The configure parameters as the instrument reads them; false when one is missing.
bool ConfigureValues(const char* const (&apszTexts)[4], CScpiValue (&aValues)[4])
{
    for (size_t n = 0; n < 4; ++n)
    {
        if (!apszTexts[n])
            return false;
        aValues[n] = Value(apszTexts[n]);
    }
    return true;
}

ViStatus ConfigureCall(const char* pszEntryPoint, const CCallArguments& arguments, ViSession vi,
                       ViInt16 channel, ViInt16 function, const char* const (&apszTexts)[4])
{
    return Sim().Call(
        pszEntryPoint, arguments, &vi, true,
        [&](SSession&)
        {
            CScpiValue aValues[4];
            if (!ConfigureValues(apszTexts, aValues))
                return kNullPointer;
            Counter().Configure(channel, function, aValues);
            return VI_SUCCESS;
        });
}

// The common commands the program sends (*CLS, *TRG, *RST), read as the instrument reads them; a text that
// is not one of them, or holds more than one command, is refused as an undefined header.
void RunCommonCommand(std::string_view text)
{
    scpi::CMessageParser parser(text);
    scpi::SUnit unit;
    scpi::SUnit next;
    const scpi::SScpiError* pError = nullptr;
    const bool bOne = parser.Next(unit, pError) == scpi::CMessageParser::EResult::Unit &&
                      parser.Next(next, pError) == scpi::CMessageParser::EResult::End;
    switch (bOne ? unit.pCommand->eOperation : scpi::EOperation::Identify)
    {
    case scpi::EOperation::ClearStatus:
        return Counter().ClearStatus();
    case scpi::EOperation::Trigger:
        return Counter().Trigger();
    case scpi::EOperation::Reset:
        return Counter().Reset();
    default:
        return Counter().UndefinedCommand();
    }
}

// A reading: fetched from the running measurement, or read anew (abort, initiate, fetch).
ViStatus ReadingCall(const char* pszEntryPoint, const CCallArguments& arguments, ViSession vi,
                     ViInt16 channel, ViChar* reading, bool bReadAnew)
{
    return Sim().Call(
        pszEntryPoint, arguments, &vi, true,
        [&](SSession& session)
        {
            return Sim().Answer(
                pszEntryPoint, 0, reading,
                [&](std::string& answer)
                {
                    return bReadAnew ? Counter().Read(channel, session.nTimeoutMs, answer)
                                     : Counter().Fetch(channel, session.nTimeoutMs, answer);
                });
        });
}

// A call that only needs its session and does not look at the error queue.
ViStatus SessionCall(const char* pszEntryPoint, const CCallArguments& arguments, ViSession vi,
                     const std::function<ViStatus(SSession&)>& work)
{
    return Sim().Call(pszEntryPoint, arguments, &vi, false, work);
}
} // namespace

extern "C"
{
    TARVEX_EXPORT ViStatus tarvex_auto_init(ViInt16 search, ViChar*** resources, ViInt32* count,
                                            ViSession* vi, ViInt16 reserved)
    {
        CCallArguments arguments;
        arguments.Integer(search).Out(resources).Out(count).Out(vi).Integer(reserved);
        return Sim().Call("tarvex_auto_init", arguments, nullptr, false,
                          [&](SSession&)
                          {
                              if (!resources || !count || !vi)
                                  return kNullPointer;
                              CSessionTable& sessions = Sim().Sessions();
                              *resources = sessions.PublishFound();
                              *count = static_cast<ViInt32>(sessions.Resources().size());
                              // Only a search that finds exactly one instrument opens it; like a VISA
                              // search, one that finds none fails with "resource not found".
                              *vi = *count == 1 ? sessions.Open(sessions.Resources().front()).value_or(0) : 0;
                              return *count == 0 ? TARVEXSIM_ERROR_RSRC_NFOUND : VI_SUCCESS;
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_init(const ViChar* resource, ViBoolean idQuery, ViBoolean reset,
                                       ViSession* vi)
    {
        CCallArguments arguments;
        arguments.Text(resource).Integer(idQuery).Integer(reset).Out(vi);
        return Sim().Call("tarvex_init", arguments, nullptr, false,
                          [&](SSession&)
                          {
                              if (!resource || !vi)
                                  return kNullPointer;
                              const auto opened = Sim().Sessions().Open(
                                  std::string_view(resource, strnlen(resource, TARVEX_BUFFER_SIZE)));
                              *vi = opened.value_or(0);
                              if (!opened)
                                  return TARVEXSIM_ERROR_RSRC_NFOUND;
                              if (reset)
                                  Counter().PowerOn();
                              return VI_SUCCESS;
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_close(ViSession vi)
    {
        return SessionCall(
            "tarvex_close", CCallArguments(), vi,
            [&](SSession&)
            {
                Sim().Sessions().Close(vi);
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_reset(ViSession vi)
    {
        return Sim().Call(
            "tarvex_reset", CCallArguments(), &vi, true,
            [](SSession&)
            {
                Counter().PowerOn();
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_dcl(ViSession vi)
    {
        return SessionCall(
            "tarvex_dcl", CCallArguments(), vi,
            [](SSession&)
            {
                Counter().DeviceClear();
                return VI_SUCCESS;
            });
    }

    TARVEX_EXPORT ViStatus tarvex_self_test(ViSession vi, ViInt16* result, ViChar message[])
    {
        CCallArguments arguments;
        arguments.Out(result).Out(message);
        return SessionCall("tarvex_self_test", arguments, vi,
                           [&](SSession&)
                           {
                               if (!result || !message)
                                   return kNullPointer;
                               // A reply set for the self test is the text of a failed test.
                               const std::string* pFailure = Sim().Replies().Find("tarvex_self_test", 0);
                               std::string text;
                               *result = static_cast<ViInt16>(pFailure ? 1 : Counter().SelfTest(text));
                               Sim().WriteAnswer(message, pFailure ? *pFailure : text);
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_error_query(ViSession vi, ViInt32* code, ViChar message[])
    {
        CCallArguments arguments;
        arguments.Out(code).Out(message);
        return SessionCall("tarvex_error_query", arguments, vi,
                           [&](SSession&)
                           {
                               if (!code || !message)
                                   return kNullPointer;
                               const auto entry = Counter().PopError();
                               *code = entry ? entry->nCode : 0;
                               Sim().WriteAnswer(message, entry
                                                              ? CErrorQueue::Format(entry->nCode, entry->text)
                                                              : CErrorQueue::Format(0, "No error"));
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_errorQueryDetect(ViSession vi, ViBoolean on)
    {
        CCallArguments arguments;
        arguments.Integer(on);
        return SessionCall("tarvex_errorQueryDetect", arguments, vi,
                           [&](SSession& session)
                           {
                               session.bDetectErrors = on != 0;
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_timeOut(ViSession vi, ViInt32 milliseconds)
    {
        CCallArguments arguments;
        arguments.Integer(milliseconds);
        return SessionCall("tarvex_timeOut", arguments, vi,
                           [&](SSession& session)
                           {
                               if (milliseconds < 0)
                                   return kNegativeTimeout;
                               session.nTimeoutMs = milliseconds;
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_getSlot(ViSession vi, ViInt16* slot)
    {
        CCallArguments arguments;
        arguments.Out(slot);
        return SessionCall("tarvex_getSlot", arguments, vi,
                           [&](SSession&)
                           {
                               if (!slot)
                                   return kNullPointer;
                               *slot = static_cast<ViInt16>(Sim().Sessions().Slot());
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_getLA(ViSession vi, ViInt16* logicalAddress)
    {
        CCallArguments arguments;
        arguments.Out(logicalAddress);
        return SessionCall("tarvex_getLA", arguments, vi,
                           [&](SSession&)
                           {
                               if (!logicalAddress)
                                   return kNullPointer;
                               *logicalAddress = CSessionTable::kLogicalAddress;
                               return VI_SUCCESS;
                           });
    }

    TARVEX_EXPORT ViStatus tarvex_configure(ViSession vi, ViInt16 channel, ViInt16 function,
                                            const ViChar* expected, const ViChar* resolution,
                                            const ViChar* lowerRef, const ViChar* upperRef)
    {
        CCallArguments arguments;
        arguments.Integer(channel)
            .Integer(function)
            .Text(expected)
            .Text(resolution)
            .Text(lowerRef)
            .Text(upperRef);
        return ConfigureCall("tarvex_configure", arguments, vi, channel, function,
                             {expected, resolution, lowerRef, upperRef});
    }

    TARVEX_EXPORT ViStatus tarvex_shortConf(ViSession vi, ViInt16 channel, ViInt16 function)
    {
        CCallArguments arguments;
        arguments.Integer(channel).Integer(function);
        return ConfigureCall("tarvex_shortConf", arguments, vi, channel, function,
                             {"DEF", "DEF", "DEF", "DEF"});
    }

    TARVEX_EXPORT ViStatus tarvex_initiate(ViSession vi, ViInt16 channel, ViInt16 mode, ViChar* text)
    {
        CCallArguments arguments;
        arguments.Integer(channel).Integer(mode);
        if (mode == TARVEX_INITIATE_CONTINUOUS)
            arguments.Text(text);
        else
            arguments.Out(text);
        return Sim().Call("tarvex_initiate", arguments, &vi, true,
                          [&](SSession&)
                          {
                              switch (mode)
                              {
                              case TARVEX_INITIATE_IMMEDIATE:
                                  Counter().InitiateImmediate(channel);
                                  return VI_SUCCESS;
                              case TARVEX_INITIATE_CONTINUOUS:
                                  if (!text)
                                      return kNullPointer;
                                  Counter().SetContinuous(channel, Value(text));
                                  return VI_SUCCESS;
                              case TARVEX_INITIATE_QUERY_CONTINUOUS:
                                  return Sim().Answer("tarvex_initiate", 0, text,
                                                      [&](std::string& answer)
                                                      {
                                                          Counter().QueryContinuous(channel, answer);
                                                          return VI_SUCCESS;
                                                      });
                              default:
                                  Counter().UndefinedCommand();
                                  return VI_SUCCESS;
                              }
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_fetch(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        CCallArguments arguments;
        arguments.Integer(channel).Out(reading);
        return ReadingCall("tarvex_fetch", arguments, vi, channel, reading, false);
    }

    TARVEX_EXPORT ViStatus tarvex_read(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        CCallArguments arguments;
        arguments.Integer(channel).Out(reading);
        return ReadingCall("tarvex_read", arguments, vi, channel, reading, true);
    }

    TARVEX_EXPORT ViStatus tarvex_shortMeas(ViSession vi, ViInt16 channel, ViChar reading[])
    {
        CCallArguments arguments;
        arguments.Integer(channel).Out(reading);
        return ReadingCall("tarvex_shortMeas", arguments, vi, channel, reading, true);
    }

    TARVEX_EXPORT ViStatus tarvex_measure(ViSession vi, ViInt16 channel, ViInt16 function,
                                          const ViChar* expected, const ViChar* resolution, ViChar reading[])
    {
        CCallArguments arguments;
        arguments.Integer(channel).Integer(function).Text(expected).Text(resolution).Out(reading);
        return Sim().Call("tarvex_measure", arguments, &vi, true,
                          [&](SSession& session)
                          {
                              if (!expected || !resolution)
                                  return kNullPointer;
                              return Sim().Answer(
                                  "tarvex_measure", 0, reading,
                                  [&](std::string& answer)
                                  {
                                      const CScpiValue aValues[4] = {Value(expected), Value(resolution),
                                                                     CScpiValue::FromText("DEF"),
                                                                     CScpiValue::FromText("DEF")};
                                      // A refused configuration reads nothing; its error is in the queue.
                                      if (!Counter().Configure(channel, function, aValues))
                                          return VI_SUCCESS;
                                      return Counter().Read(channel, session.nTimeoutMs, answer);
                                  });
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_abort(ViSession vi, ViInt16 channel)
    {
        CCallArguments arguments;
        arguments.Integer(channel);
        return Sim().Call("tarvex_abort", arguments, &vi, true,
                          [&](SSession&)
                          {
                              Counter().Abort(channel);
                              return VI_SUCCESS;
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_confQuery(ViSession vi, ViInt16 channel, ViChar answer[])
    {
        CCallArguments arguments;
        arguments.Integer(channel).Out(answer);
        return Sim().Call("tarvex_confQuery", arguments, &vi, true,
                          [&](SSession&)
                          {
                              return Sim().Answer("tarvex_confQuery", 0, answer,
                                                  [&](std::string& text)
                                                  {
                                                      Counter().QueryConfiguration(channel, text);
                                                      return VI_SUCCESS;
                                                  });
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_sense(ViSession vi, ViInt16 channel, ViInt16 item, ViReal64 number,
                                        ViChar* text)
    {
        CCallArguments arguments;
        arguments.Integer(channel).Integer(item).Real(number);
        AddSettingText(arguments, CCounterSettings::Role(ESubsystem::Sense, item), text);
        // A set with no text sends the number.
        return SettingCall("tarvex_sense", arguments, vi, ESubsystem::Sense, channel, item, text, text,
                           CScpiValue::FromNumber(number));
    }

    TARVEX_EXPORT ViStatus tarvex_input(ViSession vi, ViInt16 channel, ViInt16 item, ViChar* text)
    {
        CCallArguments arguments;
        arguments.Integer(channel).Integer(item);
        AddSettingText(arguments, CCounterSettings::Role(ESubsystem::Input, item), text);
        return SettingCall("tarvex_input", arguments, vi, ESubsystem::Input, channel, item, text, text,
                           std::nullopt);
    }

    TARVEX_EXPORT ViStatus tarvex_output(ViSession vi, ViInt16 item, ViInt16 line, ViChar* text)
    {
        CCallArguments arguments;
        arguments.Integer(item).Integer(line);
        AddSettingText(arguments, CCounterSettings::Role(ESubsystem::Output, item), text);
        return SettingCall("tarvex_output", arguments, vi, ESubsystem::Output, line, item, text, text,
                           std::nullopt);
    }

    TARVEX_EXPORT ViStatus tarvex_arm(ViSession vi, ViInt16 item, const ViChar* value, ViChar* answer)
    {
        CCallArguments arguments;
        arguments.Integer(item).Text(value).Out(answer);
        // The immediate arming events take no value.
        const bool bEvent = item == TARVEX_ARM_START_IMMEDIATE || item == TARVEX_ARM_STOP_IMMEDIATE;
        return SettingCall("tarvex_arm", arguments, vi, ESubsystem::Arm, 0, item, value, answer,
                           bEvent ? std::optional<CScpiValue>(CScpiValue()) : std::nullopt);
    }

    TARVEX_EXPORT ViStatus tarvex_ieeecom(ViSession vi, const ViChar* command, ViChar* answer)
    {
        CCallArguments arguments;
        arguments.Text(command).Out(answer);
        return Sim().Call("tarvex_ieeecom", arguments, &vi, true,
                          [&](SSession&)
                          {
                              if (!command)
                                  return kNullPointer;
                              RunCommonCommand(
                                  std::string_view(command, strnlen(command, TARVEX_BUFFER_SIZE)));
                              // None of the common commands answers; a given buffer is left empty.
                              if (answer)
                                  Sim().WriteAnswer(answer, "");
                              return VI_SUCCESS;
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_operQ(ViSession vi, ViInt16* condition)
    {
        CCallArguments arguments;
        arguments.Out(condition);
        return Sim().Call("tarvex_operQ", arguments, &vi, true,
                          [&](SSession&)
                          {
                              if (!condition)
                                  return kNullPointer;
                              *condition = static_cast<ViInt16>(Counter().OperationCondition());
                              return VI_SUCCESS;
                          });
    }

    TARVEX_EXPORT ViStatus tarvex_ftoa(ViReal64 value, ViChar text[])
    {
        CCallArguments arguments;
        arguments.Real(value).Out(text);
        return Sim().Call("tarvex_ftoa", arguments, nullptr, false,
                          [&](SSession&)
                          {
                              if (!text)
                                  return kNullPointer;
                              // The shortest text that reads back as the same number.
                              char szNumber[64];
                              const auto result = std::to_chars(szNumber, szNumber + sizeof szNumber, value);
                              Sim().WriteAnswer(text, std::string_view(szNumber, static_cast<size_t>(
                                                                                     result.ptr - szNumber)));
                              return VI_SUCCESS;
                          });
    }
}
