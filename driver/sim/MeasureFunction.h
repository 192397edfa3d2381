#pragma once
// The thirteen measurement functions: their index in tarvex_configure, their keyword, which channels have
// them and how long one measurement of them takes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvexsim
{
enum class EFunction
{
    AcVolts = 0,
    DcVolts = 1,
    // index 2 names no function
    Frequency = 3,
    FrequencyRatio = 4,
    FallTime = 5,
    MaxVolts = 6,
    MinVolts = 7,
    NegativeWidth = 8,
    Period = 9,
    PositiveWidth = 10,
    RiseTime = 11,
    TimeInterval = 12,
    Totalize = 13,
};

inline constexpr int kFunctionIndexCount = 14;

// The keyword of a configure index; empty for 2 and for indexes outside 0..13.
std::string_view FunctionKeyword(int nIndex);
std::optional<EFunction> FunctionFromKeyword(std::string_view keyword);
// The keywords a channel offers: channel 1 all, channel 2 frequency to maximum volts, channel 3 the three
// frequency functions.
std::vector<std::string> ChannelFunctionKeywords(int nChannel);
// Frequency, period and ratio count for the aperture; the others take a short fixed time.
bool IsGatedByAperture(EFunction eFunction);
} // namespace tarvexsim
