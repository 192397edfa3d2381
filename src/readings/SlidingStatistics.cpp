#include "SlidingStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace readings
{
namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A backward step that subtracts more than this many times what remains has lost too many digits.
constexpr double kDominance = 1e3;

template <typename TBefore> void PushMonotonic(std::deque<double>& queue, double dValue, TBefore before)
{
    while (!queue.empty() && before(dValue, queue.back()))
        queue.pop_back();
    queue.push_back(dValue);
}
} // namespace

void CSlidingStatistics::Add(double dValue)
{
    if (m_values.empty())
        m_dShift = dValue;
    m_values.push_back(dValue);
    const double dShifted = dValue - m_dShift;
    const double dDelta = dShifted - m_dMean;
    m_dMean += dDelta / static_cast<double>(m_values.size());
    m_dSquares += dDelta * (dShifted - m_dMean);
    PushMonotonic(
        m_minima, dValue, [](double a, double b) { return a < b; });
    PushMonotonic(m_maxima, dValue, [](double a, double b) { return a > b; });
}

void CSlidingStatistics::RemoveOldest()
{
    if (m_values.empty())
        return;
    const double dValue = m_values.front();
    m_values.pop_front();
    if (m_minima.front() == dValue)
        m_minima.pop_front();
    if (m_maxima.front() == dValue)
        m_maxima.pop_front();
    if (m_values.empty())
    {
        Clear();
        return;
    }
    const double dShifted = dValue - m_dShift;
    const double dMean = m_dMean - (dShifted - m_dMean) / static_cast<double>(m_values.size());
    const double dRemoved = (dShifted - m_dMean) * (dShifted - dMean);
    m_dMean = dMean;
    m_dSquares -= dRemoved;
    if (dRemoved > kDominance * m_dSquares || ++m_nRemovedSinceRecompute >= m_values.size())
        Recompute();
}

void CSlidingStatistics::Clear()
{
    *this = CSlidingStatistics();
}

void CSlidingStatistics::Recompute()
{
    m_dShift = m_values.front();
    double dSum = 0;
    for (const double dValue : m_values)
        dSum += dValue - m_dShift;
    m_dMean = dSum / static_cast<double>(m_values.size());
    m_dSquares = 0;
    for (const double dValue : m_values)
        m_dSquares += (dValue - m_dShift - m_dMean) * (dValue - m_dShift - m_dMean);
    m_nRemovedSinceRecompute = 0;
}

double CSlidingStatistics::Mean() const
{
    return m_values.empty() ? kNaN : m_dShift + m_dMean;
}

double CSlidingStatistics::StandardDeviation() const
{
    return m_values.size() < 2
               ? kNaN
               : std::sqrt(std::max(0.0, m_dSquares) / static_cast<double>(m_values.size() - 1));
}

double CSlidingStatistics::Minimum() const
{
    return m_minima.empty() ? kNaN : m_minima.front();
}

double CSlidingStatistics::Maximum() const
{
    return m_maxima.empty() ? kNaN : m_maxima.front();
}
} // namespace readings
