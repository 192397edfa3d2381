#pragma once
// The counter's measurement functions as Configure takes them, and the keyword the counter answers its
// function query with.

#include "TarvexAbi.h"

#include <string>

enum class EMeasureFunction
{
    AcVolts = TARVEX_FUNCTION_AC,
    DcVolts = TARVEX_FUNCTION_DC,
    Frequency = TARVEX_FUNCTION_FREQ,
    FrequencyRatio = TARVEX_FUNCTION_FREQ_RATIO,
    FallTime = TARVEX_FUNCTION_FALL_TIME,
    MaxVolts = TARVEX_FUNCTION_MAX,
    MinVolts = TARVEX_FUNCTION_MIN,
    NegativeWidth = TARVEX_FUNCTION_NEG_WIDTH,
    Period = TARVEX_FUNCTION_PERIOD,
    PositiveWidth = TARVEX_FUNCTION_POS_WIDTH,
    RiseTime = TARVEX_FUNCTION_RISE_TIME,
    TimeInterval = TARVEX_FUNCTION_TIME_INTERVAL,
    Totalize = TARVEX_FUNCTION_TOTALIZE,
};

// The counter's answer to its function query: the function's keyword in double quotes, "\"PER\"" for the
// period; an empty text for a value that names no function.
std::string QuotedFunctionKeyword(EMeasureFunction eFunction);
