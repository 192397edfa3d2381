// Running statistics against the two-pass textbook formulas, the bounded ring, and the history's series.

#include "readings/ReadingHistory.h"
#include "readings/Ring.h"
#include "readings/SlidingStatistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
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
        std::size_t nInvalid;
    } steps[] = {
        {At(0, 1, kFreq, 10), true, 0, 1, 10, 0},
        {At(1, 1, kFreq, 20), false, 0, 2, 15, 0},
        {At(2, 1, kFreq, std::nullopt), false, 0, 2, 15, 1},
        {At(3, 2, kFreq, 1), true, 3, 1, 1, 0},
        {At(4, 2, kFreq, 3), false, 2, 2, 2, 0},
        {At(5, 2, kFreq, 5), false, 1, 3, 3, 0},
        {At(6, 2, kFreq, 7), false, 0, 4, 4, 0},
        {At(7, 2, kFreq, 9), false, 0, 4, 6, 0},
        {At(8, 2, kPeriod, 2), true, 3, 1, 2, 0},
        {At(9, 2, kPeriod, std::nullopt), false, 2, 1, 2, 1},
        {At(10, 2, kPeriod, 4), false, 1, 2, 3, 1},
        {At(11, 2, kPeriod, 6), false, 0, 3, 4, 1},
        {At(12, 2, kPeriod, 8), false, 0, 3, 6, 1},  // the series' first value leaves
        {At(13, 2, kPeriod, 10), false, 0, 4, 7, 0}, // its reading without a value leaves
    };
    for (std::size_t i = 0; i < std::size(steps); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(history.Add(steps[i].reading), steps[i].bNewSeries);
        EXPECT_EQ(history.Readings().Size(), std::min<std::size_t>(i + 1, 4));
        EXPECT_EQ(history.SeriesStart(), steps[i].nSeriesStart);
        EXPECT_EQ(history.Statistics().Count(), steps[i].nCount);
        EXPECT_EQ(history.Statistics().Mean(), steps[i].dMean);
        EXPECT_EQ(history.InvalidCount(), steps[i].nInvalid);
    }
    history.BreakSeries();
    EXPECT_TRUE(history.Add(At(14, 2, kPeriod, 4)));
    history.Clear();
    EXPECT_TRUE(history.Readings().Empty());
    EXPECT_TRUE(history.Add(At(15, 2, kPeriod, 4)));
}

// The nominal interval and the gaps, for the Allan deviation: readings at their times (ms), "" a failed
// measurement, a NaN in the values a gap.
TEST(ReadingHistory, TheNominalIntervalIsTheMedianAndPausesAndReadingsWithoutAValueAreGaps)
{
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* pszName;
        std::vector<std::pair<int, const char*>> readings; // of the current series
        double dNominal;
        std::vector<double> values;
    } cases[] = {
        {"one reading", {{0, "1"}}, 0, {1}},
        {"evenly spaced", {{0, "1"}, {300, "2"}, {600, "3"}}, 0.3, {1, 2, 3}},
        {"the timer held",
         {{0, "1"}, {300, "2"}, {600, "3"}, {2400, "4"}, {2700, "5"}},
         0.3,
         {1, 2, 3, kGap, 4, 5}},
        {"late, yet no reading missed", {{0, "1"}, {300, "2"}, {740, "3"}, {1040, "4"}}, 0.3, {1, 2, 3, 4}},
        {"one reading missed", {{0, "1"}, {300, "2"}, {760, "3"}, {1060, "4"}}, 0.3, {1, 2, kGap, 3, 4}},
        {"no value", {{0, "1"}, {300, "+9.91E+37"}, {600, ""}, {900, "4"}}, 0.3, {1, kGap, kGap, 4}},
        {"a long gate", {{0, "1"}, {1000, "2"}, {2000, "3"}, {5000, "4"}}, 1.0, {1, 2, 3, kGap, 4}},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.pszName);
        readings::CReadingHistory history;
        // A series before, at another interval, does not count.
        for (const int nMilliseconds : {-9000, -4000})
            history.Add(
                readings::MakeReading(readings::TReadingTime{std::chrono::milliseconds(nMilliseconds)}, 2,
                                      kFreq, "FREQ", "5", "Hz", true));
        for (const auto& [nMilliseconds, pszText] : test.readings)
            history.Add(
                readings::MakeReading(readings::TReadingTime{std::chrono::milliseconds(nMilliseconds)}, 1,
                                      kFreq, "FREQ", pszText, "Hz", true));
        EXPECT_DOUBLE_EQ(history.NominalInterval(), test.dNominal);
        const std::vector<double> values = history.ValuesWithGaps(test.dNominal);
        ASSERT_EQ(values.size(), test.values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            if (std::isnan(test.values[i]))
                EXPECT_TRUE(std::isnan(values[i])) << i;
            else
                EXPECT_EQ(values[i], test.values[i]) << i;
    }
}
} // namespace
