#include "ScpiCommand.h"

#include "TarvexAbi.h"

#include <algorithm>

namespace scpi
{
namespace
{
using enum EOperation;
using enum EArguments;

// The whole dialect. docs/scpi.md lists the same rows for users; a test holds the two together.
// Numeric suffixes: SENSe, INPut, CONFigure, MEASure, INITiate, FETCh, READ and ABORt take the channel
// (1 when left out), TTLTrg the trigger line.
constexpr SCommand kCommands[] = {
    // Event detection, gate and function of a channel
    {"[SENSe<n>:]EVENt:LEVel[:ABSolute]", Sense, TARVEX_SENSE_TRIGGER_LEVEL_SET, One},
    {"[SENSe<n>:]EVENt:LEVel[:ABSolute]?", Sense, TARVEX_SENSE_TRIGGER_LEVEL_QUERY, None},
    {"[SENSe<n>:]EVENt:LEVel:AUTO", Sense, TARVEX_SENSE_AUTO_TRIGGER_SET, One},
    {"[SENSe<n>:]EVENt:LEVel:AUTO?", Sense, TARVEX_SENSE_AUTO_TRIGGER_QUERY, None},
    {"[SENSe<n>:]EVENt:LEVel:RELative", Sense, TARVEX_SENSE_RELATIVE_LEVEL_SET, One},
    {"[SENSe<n>:]EVENt:LEVel:RELative?", Sense, TARVEX_SENSE_RELATIVE_LEVEL_QUERY, None},
    {"[SENSe<n>:]EVENt:SLOPe", Sense, TARVEX_SENSE_SLOPE_SET, One},
    {"[SENSe<n>:]EVENt:SLOPe?", Sense, TARVEX_SENSE_SLOPE_QUERY, None},
    {"[SENSe<n>:]EVENt:HYSTeresis", Sense, TARVEX_SENSE_HYSTERESIS_SET, One},
    {"[SENSe<n>:]EVENt:HYSTeresis?", Sense, TARVEX_SENSE_HYSTERESIS_QUERY, None},
    {"[SENSe<n>:]FREQuency:APERture", Sense, TARVEX_SENSE_APERTURE_SET, One},
    {"[SENSe<n>:]FREQuency:APERture?", Sense, TARVEX_SENSE_APERTURE_QUERY, None},
    {"[SENSe<n>:]FREQuency:RANGe[:UPPer]", Sense, TARVEX_SENSE_FREQ_RANGE_SET, One},
    {"[SENSe<n>:]FREQuency:RANGe[:UPPer]?", Sense, TARVEX_SENSE_FREQ_RANGE_QUERY, None},
    {"[SENSe<n>:]FREQuency:RANGe:AUTO", Sense, TARVEX_SENSE_FREQ_RANGE_AUTO_SET, One},
    {"[SENSe<n>:]FREQuency:RANGe:AUTO?", Sense, TARVEX_SENSE_FREQ_RANGE_AUTO_QUERY, None},
    {"[SENSe<n>:]FUNCtion[:ON]", Sense, TARVEX_SENSE_FUNCTION_SET, One},
    {"[SENSe<n>:]FUNCtion[:ON]?", Sense, TARVEX_SENSE_FUNCTION_QUERY, None},
    {"[SENSe<n>:]FUNCtion:EXPected", Sense, TARVEX_SENSE_EXPECTED_SET, One},
    {"[SENSe<n>:]FUNCtion:EXPected?", Sense, TARVEX_SENSE_EXPECTED_QUERY, None},
    {"[SENSe<n>:]FUNCtion:RESolution", Sense, TARVEX_SENSE_RESOLUTION_SET, One},
    {"[SENSe<n>:]FUNCtion:RESolution?", Sense, TARVEX_SENSE_RESOLUTION_QUERY, None},
    {"[SENSe<n>:]FUNCtion:REFerence:LOWer", Sense, TARVEX_SENSE_LOWER_REF_SET, One},
    {"[SENSe<n>:]FUNCtion:REFerence:LOWer?", Sense, TARVEX_SENSE_LOWER_REF_QUERY, None},
    {"[SENSe<n>:]FUNCtion:REFerence:UPPer", Sense, TARVEX_SENSE_UPPER_REF_SET, One},
    {"[SENSe<n>:]FUNCtion:REFerence:UPPer?", Sense, TARVEX_SENSE_UPPER_REF_QUERY, None},
    {"[SENSe<n>:]ROSCillator:SOURce", Sense, TARVEX_SENSE_ROSC_SOURCE_SET, One},
    {"[SENSe<n>:]ROSCillator:SOURce?", Sense, TARVEX_SENSE_ROSC_SOURCE_QUERY, None},
    {"[SENSe<n>:]FILTer[:LPASs][:STATe]", Sense, TARVEX_SENSE_FILTER_SET, One},
    {"[SENSe<n>:]FILTer[:LPASs][:STATe]?", Sense, TARVEX_SENSE_FILTER_QUERY, None},
    {"[SENSe<n>:]AVERage:COUNt", Sense, TARVEX_SENSE_AVERAGES_SET, One},
    {"[SENSe<n>:]AVERage:COUNt?", Sense, TARVEX_SENSE_AVERAGES_QUERY, None},
    // Input conditioning of a channel
    {"INPut<n>:ATTenuation", Input, TARVEX_INPUT_ATTENUATION_SET, One},
    {"INPut<n>:ATTenuation?", Input, TARVEX_INPUT_ATTENUATION_QUERY, None},
    {"INPut<n>:COUPling", Input, TARVEX_INPUT_COUPLING_SET, One},
    {"INPut<n>:COUPling?", Input, TARVEX_INPUT_COUPLING_QUERY, None},
    {"INPut<n>:IMPedance", Input, TARVEX_INPUT_IMPEDANCE_SET, One},
    {"INPut<n>:IMPedance?", Input, TARVEX_INPUT_IMPEDANCE_QUERY, None},
    {"INPut<n>:ROUTe", Input, TARVEX_INPUT_ROUTING_SET, One},
    {"INPut<n>:ROUTe?", Input, TARVEX_INPUT_ROUTING_QUERY, None},
    // Arming of a measurement (the instrument's, not a channel's)
    {"ARM:STARt[:IMMediate]", Arm, TARVEX_ARM_START_IMMEDIATE, None},
    {"ARM:STARt:LEVel", Arm, TARVEX_ARM_START_LEVEL_SET, One},
    {"ARM:STARt:LEVel?", Arm, TARVEX_ARM_START_LEVEL_QUERY, None},
    {"ARM:STARt:SLOPe", Arm, TARVEX_ARM_START_SLOPE_SET, One},
    {"ARM:STARt:SLOPe?", Arm, TARVEX_ARM_START_SLOPE_QUERY, None},
    {"ARM:STARt:SOURce", Arm, TARVEX_ARM_START_SOURCE_SET, One},
    {"ARM:STARt:SOURce?", Arm, TARVEX_ARM_START_SOURCE_QUERY, None},
    {"ARM:STOP[:IMMediate]", Arm, TARVEX_ARM_STOP_IMMEDIATE, None},
    {"ARM:STOP:LEVel", Arm, TARVEX_ARM_STOP_LEVEL_SET, One},
    {"ARM:STOP:LEVel?", Arm, TARVEX_ARM_STOP_LEVEL_QUERY, None},
    {"ARM:STOP:SLOPe", Arm, TARVEX_ARM_STOP_SLOPE_SET, One},
    {"ARM:STOP:SLOPe?", Arm, TARVEX_ARM_STOP_SLOPE_QUERY, None},
    {"ARM:STOP:SOURce", Arm, TARVEX_ARM_STOP_SOURCE_SET, One},
    {"ARM:STOP:SOURce?", Arm, TARVEX_ARM_STOP_SOURCE_QUERY, None},
    // Outputs: a trigger line of the backplane, the internal timebase
    {"OUTPut:TTLTrg<n>[:STATe]", Output, TARVEX_OUTPUT_TRIGGER_LINE_SET, One},
    {"OUTPut:TTLTrg<n>[:STATe]?", Output, TARVEX_OUTPUT_TRIGGER_LINE_QUERY, None},
    {"OUTPut:ROSCillator[:STATe]", Output, TARVEX_OUTPUT_TIMEBASE_SET, One},
    {"OUTPut:ROSCillator[:STATe]?", Output, TARVEX_OUTPUT_TIMEBASE_QUERY, None},
    // A function and its parameters at once; the query answers "<function> <expected>,<resolution>"
    {"CONFigure<n>:AC", Configure, TARVEX_FUNCTION_AC, UpToFour},
    {"CONFigure<n>:DC", Configure, TARVEX_FUNCTION_DC, UpToFour},
    {"CONFigure<n>:FREQuency", Configure, TARVEX_FUNCTION_FREQ, UpToFour},
    {"CONFigure<n>:FREQuency:RATio", Configure, TARVEX_FUNCTION_FREQ_RATIO, UpToFour},
    {"CONFigure<n>:FTIMe", Configure, TARVEX_FUNCTION_FALL_TIME, UpToFour},
    {"CONFigure<n>:MAXimum", Configure, TARVEX_FUNCTION_MAX, UpToFour},
    {"CONFigure<n>:MINimum", Configure, TARVEX_FUNCTION_MIN, UpToFour},
    {"CONFigure<n>:NWIDth", Configure, TARVEX_FUNCTION_NEG_WIDTH, UpToFour},
    {"CONFigure<n>:PERiod", Configure, TARVEX_FUNCTION_PERIOD, UpToFour},
    {"CONFigure<n>:PWIDth", Configure, TARVEX_FUNCTION_POS_WIDTH, UpToFour},
    {"CONFigure<n>:RTIMe", Configure, TARVEX_FUNCTION_RISE_TIME, UpToFour},
    {"CONFigure<n>:TINTerval", Configure, TARVEX_FUNCTION_TIME_INTERVAL, UpToFour},
    {"CONFigure<n>:TOTalize", Configure, TARVEX_FUNCTION_TOTALIZE, UpToFour},
    {"CONFigure<n>?", ConfigureQuery, 0, None},
    // Configure and read in one
    {"MEASure<n>:AC?", Measure, TARVEX_FUNCTION_AC, UpToTwo},
    {"MEASure<n>:DC?", Measure, TARVEX_FUNCTION_DC, UpToTwo},
    {"MEASure<n>:FREQuency?", Measure, TARVEX_FUNCTION_FREQ, UpToTwo},
    {"MEASure<n>:FREQuency:RATio?", Measure, TARVEX_FUNCTION_FREQ_RATIO, UpToTwo},
    {"MEASure<n>:FTIMe?", Measure, TARVEX_FUNCTION_FALL_TIME, UpToTwo},
    {"MEASure<n>:MAXimum?", Measure, TARVEX_FUNCTION_MAX, UpToTwo},
    {"MEASure<n>:MINimum?", Measure, TARVEX_FUNCTION_MIN, UpToTwo},
    {"MEASure<n>:NWIDth?", Measure, TARVEX_FUNCTION_NEG_WIDTH, UpToTwo},
    {"MEASure<n>:PERiod?", Measure, TARVEX_FUNCTION_PERIOD, UpToTwo},
    {"MEASure<n>:PWIDth?", Measure, TARVEX_FUNCTION_POS_WIDTH, UpToTwo},
    {"MEASure<n>:RTIMe?", Measure, TARVEX_FUNCTION_RISE_TIME, UpToTwo},
    {"MEASure<n>:TINTerval?", Measure, TARVEX_FUNCTION_TIME_INTERVAL, UpToTwo},
    {"MEASure<n>:TOTalize?", Measure, TARVEX_FUNCTION_TOTALIZE, UpToTwo},
    // Measurements
    {"INITiate<n>[:IMMediate]", Initiate, 0, None},
    {"INITiate<n>:CONTinuous", Continuous, 0, One},
    {"INITiate<n>:CONTinuous?", Continuous, 0, None},
    {"FETCh<n>?", Fetch, 0, None},
    {"READ<n>?", Read, 0, None},
    {"ABORt<n>", Abort, 0, None},
    // Status, errors and the instrument's place
    {"STATus:OPERation:CONDition?", OperationCondition, 0, None},
    {"SYSTem:ERRor[:NEXT]?", ErrorNext, 0, None},
    {"SYSTem:SLOT?", Slot, 0, None},
    {"SYSTem:LADDress?", LogicalAddress, 0, None},
    // The common commands of IEEE 488.2
    {"*IDN?", Identify, 0, None},
    {"*RST", Reset, 0, None},
    {"*CLS", ClearStatus, 0, None},
    {"*TRG", Trigger, 0, None},
    {"*OPC", OperationComplete, 0, None},
    {"*OPC?", OperationComplete, 0, None},
    {"*WAI", Wait, 0, None},
    {"*ESR?", EventStatus, 0, None},
    {"*ESE", EventEnable, 0, One},
    {"*ESE?", EventEnable, 0, None},
    {"*STB?", StatusByte, 0, None},
    {"*SRE", ServiceEnable, 0, One},
    {"*SRE?", ServiceEnable, 0, None},
    {"*TST?", SelfTest, 0, None},
};
} // namespace

std::span<const SCommand> Commands()
{
    return kCommands;
}

const SCommand* FindCommand(EOperation eOperation, int nItem, bool bQuery)
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const SCommand& command) {
                                        return command.eOperation == eOperation && command.nItem == nItem &&
                                               command.IsQuery() == bQuery;
                                    });
    return found == std::end(kCommands) ? nullptr : found;
}
} // namespace scpi
