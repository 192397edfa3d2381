#include "ReadingHistory.h"

#include <chrono>

namespace readings
{
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
    }
    m_readings.Push(reading);
    if (bNewSeries)
    {
        m_nSeriesStart = m_readings.Size() - 1;
        m_statistics.Clear();
        m_bBreak = false;
    }
    if (reading.value)
        m_statistics.Add(*reading.value);
    return bNewSeries;
}

void CReadingHistory::Clear()
{
    m_readings.Clear();
    m_nSeriesStart = 0;
    m_statistics.Clear();
    m_bBreak = false;
}

double CReadingHistory::MeanInterval() const
{
    const std::size_t nCount = m_statistics.Count();
    if (nCount < 2)
        return 0;
    std::size_t nFirst = m_nSeriesStart;
    while (!m_readings[nFirst].value)
        ++nFirst;
    std::size_t nLast = m_readings.Size() - 1;
    while (!m_readings[nLast].value)
        --nLast;
    const std::chrono::duration<double> span = m_readings[nLast].time - m_readings[nFirst].time;
    return span.count() / static_cast<double>(nCount - 1);
}
} // namespace readings
