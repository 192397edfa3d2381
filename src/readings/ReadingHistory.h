#pragma once
// What the Readings window holds: the newest readings, at most a fixed number, split into series. A
// reading of another channel or function than the one before starts a new series, as does the first
// reading after BreakSeries. The statistics cover the numeric readings of the current series that are
// still held, so they, the trend, the Allan deviation and a saved file all speak of the same readings.

#include "Reading.h"
#include "Ring.h"
#include "SlidingStatistics.h"

#include <cstddef>

namespace readings
{
class CReadingHistory
{
public:
    static constexpr std::size_t kCapacity = 100000;

    explicit CReadingHistory(std::size_t nCapacity = kCapacity);

    // Keeps the reading, dropping the oldest when full. True when it starts a new series.
    bool Add(const SReading& reading);
    // The next reading starts a new series even on the same channel and function.
    void BreakSeries() { m_bBreak = true; }
    void Clear();

    const CRing<SReading>& Readings() const { return m_readings; } // every series, oldest first
    std::size_t SeriesStart() const { return m_nSeriesStart; }     // index of the series' first reading
    const CSlidingStatistics& Statistics() const { return m_statistics; }
    // Seconds between the series' numeric readings, on average; 0 below two of them.
    double MeanInterval() const;

private:
    CRing<SReading> m_readings;
    std::size_t m_nSeriesStart = 0;
    CSlidingStatistics m_statistics;
    bool m_bBreak = false;
};
} // namespace readings
