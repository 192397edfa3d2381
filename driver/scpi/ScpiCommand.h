#pragma once
// The counter's SCPI dialect: every command it understands is one row of one table. The instrument's
// parser reads the table to understand a message, and the LAN driver reads it to write one, so the two
// cannot drift apart.
//
// A header is written as SCPI documents it: the long form with the short form in capitals, optional nodes
// in brackets, <n> where the node takes a numeric suffix (the channel, or a trigger line), a trailing '?'
// for a query. "[SENSe<n>:]EVENt:SLOPe?" is read as SENS2:EVEN:SLOP? or sense2:event:slope? alike.

#include <span>
#include <string_view>

namespace scpi
{
// What the instrument does for a command. The settings carry the item code of the driver ABI that names
// the setting (TarvexAbi.h); Configure and Measure carry the measurement function's index.
enum class EOperation
{
    Sense,
    Input,
    Arm,
    Output,
    Configure,
    ConfigureQuery,
    Measure,
    Initiate,
    Continuous,
    Fetch,
    Read,
    Abort,
    OperationCondition,
    ErrorNext,
    Slot,
    LogicalAddress,
    Identify,
    Reset,
    ClearStatus,
    Trigger,
    OperationComplete,
    Wait,
    EventStatus,
    EventEnable,
    StatusByte,
    ServiceEnable,
    SelfTest,
};

// The parameters a command takes.
enum class EArguments
{
    None,
    One,      // exactly one
    UpToTwo,  // MEASure: expected value, resolution; those left out are DEF
    UpToFour, // CONFigure: expected value, resolution, lower and upper reference; those left out are DEF
};

struct SCommand
{
    std::string_view header;
    EOperation eOperation;
    int nItem; // the setting's item code or the function index; 0 for the other operations
    EArguments eArguments;

    bool IsQuery() const { return header.ends_with('?'); }
    bool IsCommon() const { return header.starts_with('*'); }
};

std::span<const SCommand> Commands();

// The row of an operation (and item), as a command or as a query; null when the dialect has none.
const SCommand* FindCommand(EOperation eOperation, int nItem, bool bQuery);
} // namespace scpi
