#include "TrendChart.h"

#include "ChartAccessible.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// Margin above and below the readings, as a share of their spread.
constexpr double kMargin = 0.05;
// The axes are made anew when the readings fill less than a share 1 / kLoosest of them.
constexpr int kLoosest = 4;
// Room on the time axis for the readings to come: a quarter of the time shown, at least this (ms).
constexpr qint64 kLeastTimeRoom = 10000;

// Labels that tell neighbouring ticks apart: decimals down to the tick step while they stay few, else
// significant digits (a period of 100 ns with femtosecond steps).
QString LabelFormat(double dLargest, double dStep)
{
    const int nStepExponent = static_cast<int>(std::floor(std::log10(dStep)));
    if (dLargest >= 1e-3 && nStepExponent >= -6)
        return QStringLiteral("%.%1f").arg(std::max(0, -nStepExponent));
    const int nLargestExponent = static_cast<int>(std::floor(std::log10(dLargest > 0 ? dLargest : dStep)));
    return QStringLiteral("%#.%1g").arg(std::clamp(nLargestExponent - nStepExponent + 1, 1, 15));
}

// The value axis's range for readings from dLowest to dHighest, before nice numbers: a margin on either
// side; readings that are all alike still get a range around them.
std::pair<double, double> ValueRange(double dLowest, double dHighest)
{
    const double dSpread = dHighest - dLowest;
    const double dPad = dSpread > 0 ? dSpread * kMargin : (dLowest != 0 ? std::fabs(dLowest) * 1e-6 : 1);
    return {dLowest - dPad, dHighest + dPad};
}
} // namespace

CTrendChart::CTrendChart(QWidget* pParent)
    : QChartView(pParent), m_pSeries(new QLineSeries), m_pTimeAxis(new QDateTimeAxis),
      m_pValueAxis(new QValueAxis)
{
    auto* pChart = new QChart;
    pChart->legend()->hide();
    pChart->addSeries(m_pSeries);
    m_pTimeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    m_pTimeAxis->setTitleText(QStringLiteral("Time"));
    pChart->addAxis(m_pTimeAxis, Qt::AlignBottom);
    pChart->addAxis(m_pValueAxis, Qt::AlignLeft);
    m_pSeries->attachAxis(m_pTimeAxis);
    m_pSeries->attachAxis(m_pValueAxis);
    setChart(pChart);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    CChartAccessible::Install();
    setAccessibleName(QStringLiteral("Trend"));
    m_drawTimer.setSingleShot(true);
    m_drawTimer.setInterval(kDrawPeriod);
    connect(&m_drawTimer, &QTimer::timeout, this, &CTrendChart::OnDrawTimer);
}

void CTrendChart::Start(const QString& valueTitle)
{
    m_drawTimer.stop();
    m_pending.clear();
    m_pSeries->clear();
    m_pValueAxis->setTitleText(valueTitle);
}

// A point after a quiet period is drawn at once; those that follow within kDrawPeriod wait for the timer.
void CTrendChart::Append(qint64 nMilliseconds, double dValue)
{
    m_pending.append(QPointF(static_cast<qreal>(nMilliseconds), dValue));
    if (m_drawTimer.isActive())
        return;
    Draw();
    m_drawTimer.start();
}

void CTrendChart::Draw()
{
    if (m_pending.isEmpty())
        return;
    m_pSeries->append(m_pending);
    m_pending.clear();
    if (const int nExcess = static_cast<int>(m_pSeries->count()) - kPoints; nExcess > 0)
        m_pSeries->removePoints(0, nExcess);
    if (!AxesFit())
        FitAxes();
}

void CTrendChart::OnDrawTimer()
{
    if (m_pending.isEmpty())
        return;
    Draw();
    m_drawTimer.start();
}

int CTrendChart::PointCount() const
{
    return std::min(kPoints, static_cast<int>(m_pSeries->count() + m_pending.size()));
}

// Whether the axes still show every point without much room to spare. New axes mean new labels, which
// cost far more to draw than the points; so they are kept while they fit, and made with room to grow.
bool CTrendChart::AxesFit() const
{
    const QList<QPointF> points = m_pSeries->points();
    const auto [low, high] = std::ranges::minmax(points, {}, &QPointF::y);
    const double dMin = m_pValueAxis->min();
    const double dMax = m_pValueAxis->max();
    const auto [dLow, dHigh] = ValueRange(low.y(), high.y());
    const bool bValuesFit = low.y() >= dMin && high.y() <= dMax && (dHigh - dLow) * kLoosest >= dMax - dMin;
    const qint64 nStart = m_pTimeAxis->min().toMSecsSinceEpoch();
    const qint64 nEnd = m_pTimeAxis->max().toMSecsSinceEpoch();
    const auto nFirst = static_cast<qint64>(points.front().x());
    const auto nLast = static_cast<qint64>(points.back().x());
    const bool bTimesFit = nFirst >= nStart && nLast <= nEnd && (nFirst - nStart) * kLoosest <= nEnd - nStart;
    return bValuesFit && bTimesFit;
}

void CTrendChart::FitAxes()
{
    const QList<QPointF> points = m_pSeries->points();
    const auto [low, high] = std::ranges::minmax(points, {}, &QPointF::y);
    const auto [dLow, dHigh] = ValueRange(low.y(), high.y());
    m_pValueAxis->setRange(dLow, dHigh);
    m_pValueAxis->applyNiceNumbers();
    const double dStep = (m_pValueAxis->max() - m_pValueAxis->min()) / (m_pValueAxis->tickCount() - 1);
    m_pValueAxis->setLabelFormat(LabelFormat(std::max(std::fabs(low.y()), std::fabs(high.y())), dStep));
    const auto nFirst = static_cast<qint64>(points.front().x());
    const auto nLast = static_cast<qint64>(points.back().x());
    const qint64 nEnd = nLast + std::max((nLast - nFirst) / 4, kLeastTimeRoom);
    m_pTimeAxis->setRange(QDateTime::fromMSecsSinceEpoch(nFirst), QDateTime::fromMSecsSinceEpoch(nEnd));
}
