#pragma once
// The thirteen measurement functions: their index in tarvex_configure, their keyword, which channels have
// them and how long one measurement of them takes.

#include "TarvexAbi.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvexsim
{
using EFunction = ::EMeasureFunction;

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
