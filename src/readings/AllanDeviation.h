#pragma once
// Frequency stability of a series of FREQ or Period readings: the fractional overlapping Allan deviation
// sigma_y(tau). The readings are taken one per tau0, the nominal interval between them, and normalised by
// their mean, y = (x - mean) / mean, so the result is dimensionless and the same figure for a frequency
// and for its period (to first order). For averaging factor m (tau = m tau0), with ybar_j the mean of
// y_j .. y_j+m-1:
//
//     sigma_y^2(m tau0) = 1 / (2 K) * sum over the K terms j of (ybar_j+m - ybar_j)^2
//
// A NaN is a gap (a reading missing or without a value). The terms are those whose 2m readings are all
// there, so a gapped series is never taken as continuous; without gaps j runs from 0 to N - 2m and
// K = N - 2m + 1. Evaluated at m = 1, 2, 4, ... while there are at least kMinimumAllanTerms terms.

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
    double dTau;        // seconds
    double dDeviation;  // sigma_y(tau), dimensionless
    std::size_t nTerms; // K, the terms used
};

// One point per octave of tau; none for a mean of 0 or a tau0 that is not positive.
std::vector<SAllanPoint> FractionalAllanDeviation(std::span<const double> readings, double dTau0);

// Whether a function's readings have a frequency stability: frequency and period.
bool HasFrequencyStability(std::optional<EMeasureFunction> function);
} // namespace readings
