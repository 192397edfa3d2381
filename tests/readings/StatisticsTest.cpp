// Running statistics against the two-pass textbook formulas, the bounded ring, and the history's series.

#include "readings/ReadingHistory.h"
#include "readings/Ring.h"
#include "readings/SlidingStatistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace
{
using readings::CSlidingStatistics;

std::vector<double> WhiteNoise(std::size_t nCount, double dMean, double dSigma)
{
    std::mt19937 generator(20240229);
    std::normal_distribution<double> noise(dMean, dSigma);
    std::vector<double> values(nCount);
    for (double& dValue : values)
        dValue = noise(generator);
    return values;
}

// The figures as a textbook computes them: mean first, then the squared deviations from it.
void ExpectFigures(const CSlidingStatistics& statistics, std::span<const double> values)
{
    const double dMean =
        std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    double dSquares = 0;
    for (const double dValue : values)
        dSquares += (dValue - dMean) * (dValue - dMean);
    const double dDeviation = std::sqrt(dSquares / static_cast<double>(values.size() - 1));
    const auto [low, high] = std::ranges::minmax(values);
    const double dScale = std::max(std::fabs(dMean), 1.0);
    EXPECT_EQ(statistics.Count(), values.size());
    EXPECT_NEAR(statistics.Mean(), dMean, 1e-12 * dScale);
    EXPECT_NEAR(statistics.StandardDeviation(), dDeviation, 1e-9 * std::max(dDeviation, 1e-12));
    EXPECT_EQ(statistics.Minimum(), low);
    EXPECT_EQ(statistics.Maximum(), high);
    EXPECT_EQ(statistics.PeakToPeak(), high - low);
}

std::vector<double> Drift(std::size_t nCount)
{
    std::vector<double> values(nCount);
    for (std::size_t i = 0; i < nCount; ++i)
        values[i] = 1e7 + 0.01 * static_cast<double>(i);
    return values;
}

struct SSeries
{
    const char* pszName;
    std::vector<double> values;
};

std::vector<SSeries> KnownSeries()
{
    std::vector<double> outlier = WhiteNoise(300, 1e7, 0.05);
    outlier[40] = 1e30;
    return {
        {"constant", std::vector<double>(300, 1e7 + 0.125)},
        {"drift", Drift(300)},
        {"alternating", {1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1}},
        {"white noise", WhiteNoise(300, 1e7, 0.05)},
        {"outlier", outlier},
    };
}

TEST(SlidingStatistics, AddingMatchesTheTextbook)
{
    for (const SSeries& series : KnownSeries())
    {
        SCOPED_TRACE(series.pszName);
        CSlidingStatistics statistics;
        for (const double dValue : series.values)
            statistics.Add(dValue);
        ExpectFigures(statistics, series.values);
    }
}

TEST(SlidingStatistics, RemovingTheOldestMatchesTheTextbookOverWhatRemains)
{
    constexpr std::size_t kWindow = 25;
    for (const SSeries& series : KnownSeries())
    {
        SCOPED_TRACE(series.pszName);
        CSlidingStatistics statistics;
        for (std::size_t i = 0; i < series.values.size(); ++i)
        {
            statistics.Add(series.values[i]);
            if (statistics.Count() > kWindow)
                statistics.RemoveOldest();
            if (i >= kWindow)
                ExpectFigures(statistics, std::span(series.values).subspan(i + 1 - kWindow, kWindow));
        }
    }
}

TEST(SlidingStatistics, TooFewValuesGiveNoFigures)
{
    CSlidingStatistics statistics;
    EXPECT_TRUE(std::isnan(statistics.Mean()));
    EXPECT_TRUE(std::isnan(statistics.Minimum()));
    statistics.Add(5);
    EXPECT_EQ(statistics.Mean(), 5);
    EXPECT_EQ(statistics.PeakToPeak(), 0);
    EXPECT_TRUE(std::isnan(statistics.StandardDeviation()));
    statistics.RemoveOldest();
    statistics.RemoveOldest();
    EXPECT_EQ(statistics.Count(), 0u);
    EXPECT_TRUE(std::isnan(statistics.Maximum()));
}

TEST(Ring, KeepsTheNewestUpToItsCapacity)
{
    readings::CRing<int> ring(3);
    for (int i = 1; i <= 7; ++i)
        ring.Push(i);
    EXPECT_EQ(ring.Size(), 3u);
    EXPECT_EQ((std::vector<int>{ring[0], ring[1], ring[2]}), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(ring.Oldest(), 5);
    EXPECT_EQ(ring.Newest(), 7);
    ring.Clear();
    ring.Push(8);
    EXPECT_EQ(ring.Size(), 1u);
    EXPECT_EQ(ring.Newest(), 8);
}

constexpr auto kFreq = EMeasureFunction::Frequency;
constexpr auto kPeriod = EMeasureFunction::Period;

readings::SReading At(int nSecond, int nChannel, EMeasureFunction eFunction, std::optional<double> value)
{
    return {readings::TReadingTime{std::chrono::seconds(nSecond)},
            nChannel,
            eFunction,
            eFunction == EMeasureFunction::Period ? "Period" : "FREQ",
            value ? std::to_string(*value) : "",
            value,
            "Hz",
            true};
}

TEST(ReadingHistory, HoldsAtMostTheCapacityWithTheStatisticsOfTheCurrentSeriesHeld)
{
    readings::CReadingHistory history(4);
    EXPECT_EQ(readings::CReadingHistory::kCapacity, 100000u);
    const struct
    {
        readings::SReading reading;
        bool bNewSeries;
        std::size_t nSeriesStart;
        std::size_t nCount;
        double dMean;
    } steps[] = {
        {At(0, 1, kFreq, 10), true, 0, 1, 10},
        {At(1, 1, kFreq, 20), false, 0, 2, 15},
        {At(2, 1, kFreq, std::nullopt), false, 0, 2, 15},
        {At(3, 2, kFreq, 1), true, 3, 1, 1},
        {At(4, 2, kFreq, 3), false, 2, 2, 2},
        {At(5, 2, kFreq, 5), false, 1, 3, 3},
        {At(6, 2, kFreq, 7), false, 0, 4, 4},
        {At(7, 2, kFreq, 9), false, 0, 4, 6},
        {At(8, 2, kPeriod, 2), true, 3, 1, 2},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(history.Add(steps[i].reading), steps[i].bNewSeries);
        EXPECT_EQ(history.Readings().Size(), std::min<std::size_t>(i + 1, 4));
        EXPECT_EQ(history.SeriesStart(), steps[i].nSeriesStart);
        EXPECT_EQ(history.Statistics().Count(), steps[i].nCount);
        EXPECT_EQ(history.Statistics().Mean(), steps[i].dMean);
    }
    history.BreakSeries();
    EXPECT_TRUE(history.Add(At(9, 2, kPeriod, 4)));
    history.Clear();
    EXPECT_TRUE(history.Readings().Empty());
    EXPECT_TRUE(history.Add(At(10, 2, kPeriod, 4)));
}

TEST(ReadingHistory, MeanIntervalSpansTheNumericReadingsOfTheSeries)
{
    readings::CReadingHistory history;
    history.Add(At(0, 1, kPeriod, 1));
    EXPECT_EQ(history.MeanInterval(), 0);
    for (const int nSecond : {10, 11, 12, 13, 14})
        history.Add(
            At(nSecond, 1, kFreq, nSecond == 10 || nSecond == 14 ? std::nullopt : std::optional(1.0)));
    EXPECT_EQ(history.MeanInterval(), 1.0);
    history.Add(At(17, 1, kFreq, 1.0));
    EXPECT_EQ(history.MeanInterval(), 2.0);
}
} // namespace
