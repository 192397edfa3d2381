#pragma once
// Frequency stability of a series of FREQ or Period readings: the fractional overlapping Allan deviation
// sigma_y(tau). The readings are taken as equally spaced at tau0, their mean interval, and normalised by
// their mean, y = (x - mean) / mean, so the result is dimensionless and the same figure for a frequency
// and for its period (to first order). For averaging factor m (tau = m tau0), with N readings and ybar_j
// the mean of y_j .. y_j+m-1:
//
//     sigma_y^2(m tau0) = 1 / (2 (N - 2m + 1)) * sum over j = 0 .. N - 2m of (ybar_j+m - ybar_j)^2
//
// evaluated at m = 1, 2, 4, ... while the sum has at least kMinimumAllanTerms terms. Gaps between
// readings (a message box holding the timer) are not corrected for.

#include "TarvexAbi.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace readings
{
// Fewer terms than this leave the estimate too uncertain to show.
inline constexpr std::size_t kMinimumAllanTerms = 10;

struct SAllanPoint
{
    double dTau;       // seconds
    double dDeviation; // sigma_y(tau), dimensionless
    std::size_t nTerms;
};

// One point per octave of tau; none for a mean of 0 or a tau0 that is not positive.
std::vector<SAllanPoint> FractionalAllanDeviation(std::span<const double> readings, double dTau0);

// Whether a function's readings have a frequency stability: frequency and period.
bool HasFrequencyStability(std::optional<EMeasureFunction> function);
} // namespace readings
