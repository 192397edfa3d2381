#pragma once
// Statistics of a run of values that grows at the new end and shrinks at the old one: count, mean,
// sample standard deviation (n - 1), minimum, maximum and peak-to-peak, each in constant amortized time.
//
// The mean and the sum of squared deviations follow Welford's update, run backwards to take out the oldest
// value. That backward step is exact to rounding unless the value taken out carried most of the sum of
// squares (an outlier leaving): then, and after as many removals as there are values, they are computed
// again from the values, so rounding never accumulates. Minimum and maximum come from monotonic queues.

#include <cstddef>
#include <deque>

namespace readings
{
class CSlidingStatistics
{
public:
    void Add(double dValue);
    void RemoveOldest(); // does nothing when there is no value
    void Clear();

    std::size_t Count() const { return m_values.size(); }
    // NaN while there are too few values: the mean and the extremes need one, the deviation two.
    double Mean() const;
    double StandardDeviation() const;
    double Minimum() const;
    double Maximum() const;
    double PeakToPeak() const { return Maximum() - Minimum(); }

private:
    void Recompute();

    std::deque<double> m_values;
    std::deque<double> m_minima; // non-decreasing: each a minimum of the values from it on
    std::deque<double> m_maxima; // non-increasing
    // The sums run over the values less the first one, so a large common part (a 10 MHz carrier) costs
    // no digits of the small differences that make the deviation.
    double m_dShift = 0;
    double m_dMean = 0;    // of the shifted values
    double m_dSquares = 0; // sum of squared deviations from the mean
    std::size_t m_nRemovedSinceRecompute = 0;
};
} // namespace readings
