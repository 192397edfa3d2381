#include "AllanDeviation.h"

#include <algorithm>
#include <cmath>

namespace readings
{
namespace
{
bool IsPresent(double dReading)
{
    return !std::isnan(dReading);
}
} // namespace

std::vector<SAllanPoint> FractionalAllanDeviation(std::span<const double> readings, double dTau0)
{
    std::vector<SAllanPoint> points;
    const std::size_t nCount = readings.size();
    const auto nPresent = static_cast<std::size_t>(std::ranges::count_if(readings, IsPresent));
    if (nPresent == 0 || !(dTau0 > 0))
        return points;
    double dSum = 0;
    for (const double dReading : readings)
        dSum += IsPresent(dReading) ? dReading : 0;
    const double dMean = dSum / static_cast<double>(nPresent);
    if (dMean == 0 || !std::isfinite(dMean))
        return points;
    // Prefix sums of the centred fractional values and of the gaps, so each average over m readings is one
    // difference, whether a term spans a gap is another, and each octave costs one pass; centring keeps
    // the sums small.
    std::vector<double> sums(nCount + 1, 0.0);
    std::vector<std::size_t> gaps(nCount + 1, 0);
    for (std::size_t i = 0; i < nCount; ++i)
    {
        const bool bPresent = IsPresent(readings[i]);
        sums[i + 1] = sums[i] + (bPresent ? (readings[i] - dMean) / dMean : 0);
        gaps[i + 1] = gaps[i] + (bPresent ? 0 : 1);
    }
    for (std::size_t m = 1; 2 * m + kMinimumAllanTerms <= nCount + 1; m *= 2)
    {
        std::size_t nTerms = 0;
        double dSquares = 0;
        for (std::size_t j = 0; j + 2 * m <= nCount; ++j)
        {
            if (gaps[j + 2 * m] != gaps[j])
                continue;
            const double dStep = (sums[j + 2 * m] - 2 * sums[j + m] + sums[j]) / static_cast<double>(m);
            dSquares += dStep * dStep;
            ++nTerms;
        }
        // A longer tau has no more gap-free terms than a shorter one.
        if (nTerms < kMinimumAllanTerms)
            break;
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
