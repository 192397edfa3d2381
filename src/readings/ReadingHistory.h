#pragma once
// What the Readings window holds: the newest readings, at most a fixed number, split into series. A
// reading of another channel or function than the one before starts a new series, as does the first
// reading after BreakSeries. The statistics cover the numeric readings of the current series that are
// still held, so they, the trend, the Allan deviation and a saved file all speak of the same readings;
// the series' readings without a value (the counter's overflow, a failed measurement) are counted apart.

#include "Reading.h"
#include "Ring.h"
#include "SlidingStatistics.h"

#include <cstddef>
#include <vector>

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
    std::size_t InvalidCount() const { return m_nInvalid; } // the series' readings without a value
    // Seconds between the series' readings when none is missing: the median of the intervals between
    // successive readings, so that the few long ones where the timer was held (a message box) do not
    // stretch it; 0 below two readings.
    double NominalInterval() const;
    // The series' values for the Allan deviation, oldest first, with NaN for each gap: a reading without
    // a value, and a pause of at least 1.5 intervals, which has missed readings. One NaN stands for a
    // pause of any length, since every term that includes a gap is left out whatever its length.
    std::vector<double> ValuesWithGaps(double dInterval) const;

private:
    CRing<SReading> m_readings;
    std::size_t m_nSeriesStart = 0;
    CSlidingStatistics m_statistics;
    std::size_t m_nInvalid = 0;
    bool m_bBreak = false;
};
} // namespace readings
