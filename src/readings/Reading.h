#pragma once
// One reading as the Measure panel showed it: when, on which channel and function, the text exactly as
// shown, its value when the text is a number, the unit, and whether it came from an instrument or from the
// non-live defaults.

#include "TarvexAbi.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace readings
{
using TReadingTime = std::chrono::sys_time<std::chrono::milliseconds>; // UTC

struct SReading
{
    TReadingTime time{};
    int nChannel = 0;
    std::optional<EMeasureFunction> function{}; // none when the channel is on a function it does not offer
    std::string strFunction{};                  // the function's label, e.g. "FREQ", to show and to log
    std::string strText{};                      // as shown; empty for a measurement that failed
    std::optional<double> value{};
    std::string strUnit{}; // without blanks; empty for a function without a unit
    bool bLive = true;
};

// Builds the record of a reading shown at a given time: the value read from the text, the unit trimmed.
SReading MakeReading(TReadingTime time, int nChannel, std::optional<EMeasureFunction> function,
                     std::string_view label, std::string_view text, std::string_view unit, bool bLive);

// The value of a reading's text when the whole text, blanks trimmed, is one decimal number (one optional
// sign, a point as decimal separator whatever the locale, an optional exponent). Not a value: an empty or
// partly numeric text, a comma, infinity or NaN, a number beyond a double, and the instrument's own
// answers for overflow and not-a-number, 9.9E37 and 9.91E37 (any magnitude from 9.9E37 on).
std::optional<double> ReadingValue(std::string_view text);

// Whether two readings belong to one series: the same channel and function.
bool SameSeries(const SReading& first, const SReading& second);
} // namespace readings
