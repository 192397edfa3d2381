// The fractional overlapping Allan deviation against closed forms and against the textbook double sum.

#include "readings/AllanDeviation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
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

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

struct SReference
{
    double dDeviation;
    std::size_t nTerms;
};

// sigma^2(m) = 1 / (2 m^2 K) * sum over the K terms j of (sum over i = j .. j+m-1 of (y[i+m] - y[i]))^2,
// the terms being those of j = 0 .. N - 2m whose readings j .. j+2m-1 are all there (no NaN), and y
// normalised by the mean of the readings there.
SReference Textbook(const std::vector<double>& readings, std::size_t m)
{
    double dSum = 0;
    std::size_t nPresent = 0;
    for (const double dReading : readings)
    {
        if (!std::isnan(dReading))
        {
            dSum += dReading;
            ++nPresent;
        }
    }
    const double dMean = dSum / static_cast<double>(nPresent);
    SReference reference{0, 0};
    for (std::size_t j = 0; j + 2 * m <= readings.size(); ++j)
    {
        if (std::any_of(readings.begin() + j, readings.begin() + j + 2 * m,
                        [](double d) { return std::isnan(d); }))
            continue;
        double dInner = 0;
        for (std::size_t i = j; i < j + m; ++i)
            dInner += (readings[i + m] - readings[i]) / dMean;
        reference.dDeviation += dInner * dInner;
        ++reference.nTerms;
    }
    reference.dDeviation = std::sqrt(
        reference.dDeviation / (2.0 * static_cast<double>(m * m) * static_cast<double>(reference.nTerms)));
    return reference;
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
        const double dExpected = Textbook(readings, m).dDeviation;
        EXPECT_NEAR(point.dDeviation, dExpected, 1e-6 * dExpected) << "m = " << m;
    }
    // White frequency noise: sigma falls as 1 / sqrt(tau), from 0.05 / 1e7 at tau0.
    EXPECT_NEAR(points[0].dDeviation, 0.05 / kNominal, 0.1 * 0.05 / kNominal);
    EXPECT_NEAR(points[4].dDeviation, 0.05 / kNominal / 4, 0.25 * 0.05 / kNominal / 4);
}

// Gaps (NaN) are not bridged: only the terms without one count, at every octave while 10 are left.
TEST(AllanDeviation, GappedSeriesMatchTheTextbookSumOverTheTermsWithoutAGap)
{
    constexpr double kStep = 0.01; // Hz per reading
    std::mt19937 generator(11);
    std::normal_distribution<double> noise(0, 0.05);
    std::vector<double> white(300);
    for (double& dReading : white)
        dReading = kNominal + noise(generator);
    const struct
    {
        const char* pszName;
        std::vector<double> readings;
        std::vector<std::size_t> gaps;
        std::size_t nOctaves;
    } cases[] = {
        {"first", white, {0}, 8},
        {"last", white, {299}, 8},
        {"one in the middle", white, {150}, 7},
        {"a run", white, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111}, 7},
        {"scattered", white, {30, 31, 170, 250}, 7},
        {"every 25th", white, {24, 49, 74, 99, 124, 149, 174, 199, 224, 249, 274, 299}, 4},
        {"in a drift",
         Series(300, [](std::size_t i) { return kStep * static_cast<double>(i); }),
         {120, 121},
         7},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszName);
        std::vector<double> readings = test.readings;
        for (const std::size_t nGap : test.gaps)
            readings[nGap] = kGap;
        const auto points = FractionalAllanDeviation(readings, kTau0);
        ASSERT_EQ(points.size(), test.nOctaves);
        for (std::size_t k = 0; k < points.size(); ++k)
        {
            const std::size_t m = std::size_t{1} << k;
            const SReference expected = Textbook(readings, m);
            EXPECT_DOUBLE_EQ(points[k].dTau, static_cast<double>(m) * kTau0);
            EXPECT_EQ(points[k].nTerms, expected.nTerms) << "m = " << m;
            EXPECT_NEAR(points[k].dDeviation, expected.dDeviation, 1e-6 * expected.dDeviation) << "m = " << m;
        }
        EXPECT_LT(Textbook(readings, std::size_t{1} << points.size()).nTerms, readings::kMinimumAllanTerms);
    }
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
    EXPECT_TRUE(FractionalAllanDeviation(std::vector<double>(100, kGap), kTau0).empty());
    EXPECT_TRUE(FractionalAllanDeviation(readings, 0).empty());
    EXPECT_TRUE(FractionalAllanDeviation(readings, std::nan("")).empty());
    EXPECT_TRUE(readings::HasFrequencyStability(EMeasureFunction::Frequency));
    EXPECT_TRUE(readings::HasFrequencyStability(EMeasureFunction::Period));
    EXPECT_FALSE(readings::HasFrequencyStability(EMeasureFunction::FrequencyRatio));
    EXPECT_FALSE(readings::HasFrequencyStability(EMeasureFunction::Totalize));
    EXPECT_FALSE(readings::HasFrequencyStability(std::nullopt));
}
} // namespace
