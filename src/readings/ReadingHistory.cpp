#include "ReadingHistory.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace readings
{
namespace
{
// A pause that rounds to two intervals or more has missed at least one reading.
constexpr double kMissedReading = 1.5;
} // namespace

CReadingHistory::CReadingHistory(std::size_t nCapacity) : m_readings(nCapacity) {}

bool CReadingHistory::Add(const SReading& reading)
{
    const bool bNewSeries = m_readings.Empty() || m_bBreak || !SameSeries(m_readings.Newest(), reading);
    if (m_readings.Full())
    {
        // The oldest reading leaves: from the series when the series starts with it.
        if (m_nSeriesStart > 0)
            --m_nSeriesStart;
        else if (m_readings.Oldest().value)
            m_statistics.RemoveOldest();
        else
            --m_nInvalid;
    }
    m_readings.Push(reading);
    if (bNewSeries)
    {
        m_nSeriesStart = m_readings.Size() - 1;
        m_statistics.Clear();
        m_nInvalid = 0;
        m_bBreak = false;
    }
    if (reading.value)
        m_statistics.Add(*reading.value);
    else
        ++m_nInvalid;
    return bNewSeries;
}

void CReadingHistory::Clear()
{
    m_readings.Clear();
    m_nSeriesStart = 0;
    m_statistics.Clear();
    m_nInvalid = 0;
    m_bBreak = false;
}

double CReadingHistory::NominalInterval() const
{
    if (m_readings.Size() < m_nSeriesStart + 2)
        return 0;
    std::vector<TReadingTime::duration> intervals;
    intervals.reserve(m_readings.Size() - m_nSeriesStart - 1);
    for (std::size_t i = m_nSeriesStart + 1; i < m_readings.Size(); ++i)
        intervals.push_back(m_readings[i].time - m_readings[i - 1].time);
    const auto middle = intervals.begin() + static_cast<std::ptrdiff_t>(intervals.size() / 2);
    std::ranges::nth_element(intervals, middle);
    return std::chrono::duration<double>(*middle).count();
}

std::vector<double> CReadingHistory::ValuesWithGaps(double dInterval) const
{
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values;
    for (std::size_t i = m_nSeriesStart; i < m_readings.Size(); ++i)
    {
        const SReading& reading = m_readings[i];
        if (i > m_nSeriesStart &&
            std::chrono::duration<double>(reading.time - m_readings[i - 1].time).count() >=
                kMissedReading * dInterval)
            values.push_back(kGap);
        values.push_back(reading.value.value_or(kGap));
    }
    return values;
}
} // namespace readings
