// The fractional overlapping Allan deviation against closed forms and against the textbook double sum.

#include "readings/AllanDeviation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace
{
using readings::FractionalAllanDeviation;

constexpr double kTau0 = 0.3;
constexpr double kNominal = 1e7;

std::vector<double> Series(std::size_t nCount, double (*pShape)(std::size_t))
{
    std::vector<double> values(nCount);
    for (std::size_t i = 0; i < nCount; ++i)
        values[i] = kNominal + pShape(i);
    return values;
}

// sigma^2(m) = 1 / (2 m^2 (N - 2m + 1)) * sum over j of (sum over i = j .. j+m-1 of (y[i+m] - y[i]))^2
double Textbook(const std::vector<double>& readings, std::size_t m)
{
    const double dMean =
        std::accumulate(readings.begin(), readings.end(), 0.0) / static_cast<double>(readings.size());
    const std::size_t nTerms = readings.size() - 2 * m + 1;
    double dSum = 0;
    for (std::size_t j = 0; j < nTerms; ++j)
    {
        double dInner = 0;
        for (std::size_t i = j; i < j + m; ++i)
            dInner += (readings[i + m] - readings[i]) / dMean;
        dSum += dInner * dInner;
    }
    return std::sqrt(dSum / (2.0 * static_cast<double>(m * m) * static_cast<double>(nTerms)));
}

TEST(AllanDeviation, KnownSeriesAtEveryOctave)
{
    constexpr double kStep = 0.01;  // Hz per reading
    constexpr double kSwing = 0.05; // Hz
    const struct
    {
        const char* pszName;
        std::vector<double> readings;
        double (*pExpected)(double dMean, std::size_t m);
    } cases[] = {
        {"constant", Series(200, [](std::size_t) { return 0.0; }), [](double, std::size_t) { return 0.0; }},
        // Every average moves on by m steps after m readings: sigma = m step / (sqrt 2 mean).
        {"linear drift", Series(200, [](std::size_t i) { return kStep * static_cast<double>(i); }),
         [](double dMean, std::size_t m)
         { return static_cast<double>(m) * kStep / (std::sqrt(2.0) * dMean); }},
        // Averages over an even number of readings cancel; over one they differ by two swings.
        {"alternating", Series(200, [](std::size_t i) { return i % 2 ? -kSwing : kSwing; }),
         [](double dMean, std::size_t m) { return m == 1 ? std::sqrt(2.0) * kSwing / dMean : 0.0; }},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszName);
        const double dMean = std::accumulate(test.readings.begin(), test.readings.end(), 0.0) /
                             static_cast<double>(test.readings.size());
        const auto points = FractionalAllanDeviation(test.readings, kTau0);
        // m = 1 .. 64: 200 - 2 * 64 + 1 = 73 terms; m = 128 would leave none.
        ASSERT_EQ(points.size(), 7u);
        for (std::size_t k = 0; k < points.size(); ++k)
        {
            const std::size_t m = std::size_t{1} << k;
            EXPECT_DOUBLE_EQ(points[k].dTau, static_cast<double>(m) * kTau0);
            EXPECT_EQ(points[k].nTerms, 200 - 2 * m + 1);
            EXPECT_NEAR(points[k].dDeviation, test.pExpected(dMean, m), 1e-15) << "m = " << m;
        }
    }
}

TEST(AllanDeviation, WhiteNoiseMatchesTheTextbookSum)
{
    std::mt19937 generator(7);
    std::normal_distribution<double> noise(0, 0.05);
    std::vector<double> readings(500);
    for (double& dReading : readings)
        dReading = kNominal + noise(generator);
    const auto points = FractionalAllanDeviation(readings, kTau0);
    ASSERT_EQ(points.size(), 8u); // m up to 128: 245 terms
    for (const auto& point : points)
    {
        const auto m = static_cast<std::size_t>(std::lround(point.dTau / kTau0));
        EXPECT_NEAR(point.dDeviation, Textbook(readings, m), 1e-6 * Textbook(readings, m)) << "m = " << m;
    }
    // White frequency noise: sigma falls as 1 / sqrt(tau), from 0.05 / 1e7 at tau0.
    EXPECT_NEAR(points[0].dDeviation, 0.05 / kNominal, 0.1 * 0.05 / kNominal);
    EXPECT_NEAR(points[4].dDeviation, 0.05 / kNominal / 4, 0.25 * 0.05 / kNominal / 4);
}

TEST(AllanDeviation, OctavesStopAtTheMinimumNumberOfTerms)
{
    const std::pair<std::size_t, std::size_t> cases[] = {
        // readings, octaves: the last m keeps N - 2m + 1 >= 10 terms
        {0, 0}, {10, 0}, {11, 1}, {12, 1}, {13, 2}, {16, 2}, {17, 3}, {25, 4},
    };
    static_assert(readings::kMinimumAllanTerms == 10);
    for (const auto& [nReadings, nOctaves] : cases)
    {
        const std::vector<double> readings(nReadings, kNominal);
        EXPECT_EQ(FractionalAllanDeviation(readings, kTau0).size(), nOctaves) << nReadings << " readings";
    }
}

TEST(AllanDeviation, NothingWithoutAMeanOrAnInterval)
{
    const std::vector<double> zeros(100, 0.0);
    const std::vector<double> readings(100, kNominal);
    EXPECT_TRUE(FractionalAllanDeviation(zeros, kTau0).empty());
    EXPECT_TRUE(FractionalAllanDeviation(readings, 0).empty());
    EXPECT_TRUE(FractionalAllanDeviation(readings, std::nan("")).empty());
    EXPECT_TRUE(readings::HasFrequencyStability(EMeasureFunction::Frequency));
    EXPECT_TRUE(readings::HasFrequencyStability(EMeasureFunction::Period));
    EXPECT_FALSE(readings::HasFrequencyStability(EMeasureFunction::FrequencyRatio));
    EXPECT_FALSE(readings::HasFrequencyStability(EMeasureFunction::Totalize));
    EXPECT_FALSE(readings::HasFrequencyStability(std::nullopt));
}
} // namespace
