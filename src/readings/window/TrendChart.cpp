#include "TrendChart.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace
{
// Margin above and below the readings, as a share of their spread.
constexpr double kMargin = 0.05;

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
    setAccessibleName(QStringLiteral("Trend"));
}

void CTrendChart::Start(const QString& valueTitle)
{
    m_pSeries->clear();
    m_pValueAxis->setTitleText(valueTitle);
}

void CTrendChart::Append(qint64 nMilliseconds, double dValue)
{
    m_pSeries->append(static_cast<qreal>(nMilliseconds), dValue);
    if (m_pSeries->count() > kPoints)
        m_pSeries->remove(0);
    FitAxes();
}

int CTrendChart::PointCount() const
{
    return m_pSeries->count();
}

void CTrendChart::FitAxes()
{
    const QList<QPointF> points = m_pSeries->points();
    const auto [low, high] = std::ranges::minmax(points, {}, &QPointF::y);
    const double dSpread = high.y() - low.y();
    // Readings that are all alike still get a range around them.
    const double dPad = dSpread > 0 ? dSpread * kMargin : (low.y() != 0 ? std::fabs(low.y()) * 1e-6 : 1);
    m_pValueAxis->setRange(low.y() - dPad, high.y() + dPad);
    m_pValueAxis->applyNiceNumbers();
    const double dStep = (m_pValueAxis->max() - m_pValueAxis->min()) / (m_pValueAxis->tickCount() - 1);
    m_pValueAxis->setLabelFormat(LabelFormat(std::max(std::fabs(low.y()), std::fabs(high.y())), dStep));
    const qint64 nFirst = static_cast<qint64>(points.front().x());
    const qint64 nLast = std::max(static_cast<qint64>(points.back().x()), nFirst + 1000);
    m_pTimeAxis->setRange(QDateTime::fromMSecsSinceEpoch(nFirst), QDateTime::fromMSecsSinceEpoch(nLast));
}
