#pragma once
// The program messages of the driver's entry points, written from the dialect's command table: which row
// an entry point and its item code mean, its numeric suffix, and its parameters made safe to send.

#include "ScpiCommand.h"
#include "TarvexAbi.h"

#include <optional>
#include <string>

namespace lan
{
struct SMessage
{
    std::string text;
    bool bQuery = false;
};

// A set or query of tarvex_sense, tarvex_input, tarvex_arm or tarvex_output. The parameter numbers are
// the entry point's, for the status of a value that cannot be sent.
struct SSettingCall
{
    scpi::EOperation eSubsystem;
    int nIndex;                   // the channel or trigger line
    int nItem;                    // the item code
    const char* pszText;          // the value of a set item
    std::optional<double> number; // sense only: the number sent when the text is null
    int nIndexParameter;
    int nItemParameter;
    int nTextParameter;
};
ViStatus SettingMessage(const SSettingCall& call, SMessage& message);

// The configuration of a function with its four parameter texts, or with none (apszTexts null), as
// tarvex_shortConf configures it.
ViStatus ConfigureMessage(int nChannel, int nFunction, const char* const* apszTexts, SMessage& message);
ViStatus MeasureMessage(int nChannel, int nFunction, const char* pszExpected, const char* pszResolution,
                        SMessage& message);
// An operation of a channel without parameters (initiate, fetch, read, abort, the configuration query).
ViStatus ChannelMessage(scpi::EOperation eOperation, int nChannel, bool bQuery, SMessage& message);
ViStatus ContinuousMessage(int nChannel, const char* pszOnOff, SMessage& message);
// An operation of the instrument without a suffix or parameters (*RST, *TST?, SYSTem:ERRor? ...).
std::string InstrumentMessage(scpi::EOperation eOperation, bool bQuery);
} // namespace lan
