#pragma once
// The statistics of the current series as labelled text: count, mean, standard deviation, minimum,
// maximum and peak-to-peak of its values, and how many of its readings had none. Each value can take the
// keyboard focus (its caption's mnemonic leads there) and reaches screen readers by its caption as name and
// its text as description. The texts are always the newest; figures that change faster than kPaintPeriod are
// painted together, once per period, so the panel's cost does not grow with the reading rate.

#include <QGroupBox>
#include <QTimer>

#include <array>
#include <cstddef>

class QLabel;

namespace readings
{
class CSlidingStatistics;
}

class CStatisticsPanel : public QGroupBox
{
public:
    static constexpr int kPaintPeriod = 1000; // ms

    explicit CStatisticsPanel(QWidget* pParent = nullptr);

    void Show(const readings::CSlidingStatistics& statistics, std::size_t nInvalid, const QString& unit);
    // The figures in one sentence, for a text alternative.
    QString Summary() const;

private:
    void OnPaintTimer();

    static constexpr std::size_t kFigureCount = 7;
    std::array<QLabel*, kFigureCount> m_apValues{};
    QTimer m_paintTimer; // runs for kPaintPeriod after each painting
};
