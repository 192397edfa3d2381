#include "AllanDeviation.h"

#include <cmath>
#include <numeric>

namespace readings
{
std::vector<SAllanPoint> FractionalAllanDeviation(std::span<const double> readings, double dTau0)
{
    std::vector<SAllanPoint> points;
    const std::size_t nCount = readings.size();
    if (nCount == 0 || !(dTau0 > 0))
        return points;
    const double dMean = std::accumulate(readings.begin(), readings.end(), 0.0) / static_cast<double>(nCount);
    if (dMean == 0 || !std::isfinite(dMean))
        return points;
    // Prefix sums of the centred fractional values, so each average over m readings is one difference
    // and each octave costs one pass; centring keeps the sums small.
    std::vector<double> sums(nCount + 1, 0.0);
    for (std::size_t i = 0; i < nCount; ++i)
        sums[i + 1] = sums[i] + (readings[i] - dMean) / dMean;
    for (std::size_t m = 1; 2 * m + kMinimumAllanTerms <= nCount + 1; m *= 2)
    {
        const std::size_t nTerms = nCount - 2 * m + 1;
        double dSquares = 0;
        for (std::size_t j = 0; j < nTerms; ++j)
        {
            const double dStep = (sums[j + 2 * m] - 2 * sums[j + m] + sums[j]) / static_cast<double>(m);
            dSquares += dStep * dStep;
        }
        points.push_back({static_cast<double>(m) * dTau0,
                          std::sqrt(dSquares / (2.0 * static_cast<double>(nTerms))), nTerms});
    }
    return points;
}

bool HasFrequencyStability(std::optional<EMeasureFunction> function)
{
    return function == EMeasureFunction::Frequency || function == EMeasureFunction::Period;
}
} // namespace readings
