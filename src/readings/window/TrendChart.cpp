#include "TrendChart.h"

#include "ChartAccessible.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
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
    // Made with its chart: a view made without one makes a default chart, which setChart would leak, and on
    // a chart set later Qt Charts 6.4 does not draw the date-time axis.
    : QChartView(new QChart, pParent), m_pTimeAxis(new QDateTimeAxis), m_pValueAxis(new QValueAxis)
{
    QChart* pChart = chart();
    pChart->legend()->hide();
    m_pTimeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    m_pTimeAxis->setTitleText(QStringLiteral("Time"));
    pChart->addAxis(m_pTimeAxis, Qt::AlignBottom);
    pChart->addAxis(m_pValueAxis, Qt::AlignLeft);
    m_lines.append(NewLine());
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
    m_bLineBroken = false;
    for (QLineSeries* pLine : std::as_const(m_lines))
    {
        chart()->removeSeries(pLine);
        delete pLine;
    }
    m_lines = {NewLine()};
    m_pValueAxis->setTitleText(valueTitle);
}

// A point after a quiet period is drawn at once; those that follow within kDrawPeriod wait for the timer.
void CTrendChart::Append(qint64 nMilliseconds, double dValue)
{
    if (m_pending.isEmpty())
        m_pending.append(QList<QPointF>());
    m_pending.back().append(QPointF(static_cast<qreal>(nMilliseconds), dValue));
    if (m_drawTimer.isActive())
        return;
    Draw();
    m_drawTimer.start();
}

void CTrendChart::Break()
{
    if (m_pending.isEmpty())
        m_bLineBroken = true;
    else
        m_pending.append(QList<QPointF>());
}

void CTrendChart::Draw()
{
    if (m_pending.isEmpty())
        return;
    for (qsizetype i = 0; i < m_pending.size(); ++i)
    {
        m_bLineBroken = m_bLineBroken || i > 0;
        if (!m_pending[i].isEmpty())
            AppendToLine(m_pending[i]);
    }
    m_pending.clear();
    DropOldest();
    if (DrawnCount() > 0 && !AxesFit())
        FitAxes();
}

void CTrendChart::OnDrawTimer()
{
    if (m_pending.isEmpty())
        return;
    Draw();
    m_drawTimer.start();
}

// Every line in the theme's colour of the first, so that a broken line still reads as one series.
QLineSeries* CTrendChart::NewLine()
{
    auto* pLine = new QLineSeries;
    chart()->addSeries(pLine);
    pLine->attachAxis(m_pTimeAxis);
    pLine->attachAxis(m_pValueAxis);
    if (m_lineColour.isValid())
        pLine->setColor(m_lineColour);
    else
        m_lineColour = pLine->color();
    return pLine;
}

// A line of one point draws nothing, so its point is shown instead.
void CTrendChart::AppendToLine(const QList<QPointF>& points)
{
    if (m_bLineBroken && m_lines.back()->count() > 0)
        m_lines.append(NewLine());
    m_bLineBroken = false;
    QLineSeries* pLine = m_lines.back();
    pLine->append(points);
    pLine->setPointsVisible(pLine->count() == 1);
}

// The oldest points beyond kPoints go, and with them the lines they leave empty. The newest line keeps
// its points: the others have one at least, so the excess never reaches it.
void CTrendChart::DropOldest()
{
    int nExcess = DrawnCount() - kPoints;
    while (nExcess > 0)
    {
        QLineSeries* pOldest = m_lines.front();
        if (pOldest->count() > nExcess)
        {
            pOldest->removePoints(0, nExcess);
            pOldest->setPointsVisible(pOldest->count() == 1);
            return;
        }
        nExcess -= static_cast<int>(pOldest->count());
        chart()->removeSeries(pOldest);
        delete pOldest;
        m_lines.removeFirst();
    }
}

int CTrendChart::DrawnCount() const
{
    int nCount = 0;
    for (const QLineSeries* pLine : m_lines)
        nCount += static_cast<int>(pLine->count());
    return nCount;
}

int CTrendChart::PointCount() const
{
    int nCount = DrawnCount();
    for (const QList<QPointF>& run : m_pending)
        nCount += static_cast<int>(run.size());
    return std::min(kPoints, nCount);
}

CTrendChart::SExtent CTrendChart::Extent() const
{
    SExtent extent{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   static_cast<qint64>(m_lines.front()->at(0).x()),
                   static_cast<qint64>(m_lines.back()->at(m_lines.back()->count() - 1).x())};
    for (const QLineSeries* pLine : m_lines)
    {
        const QList<QPointF> points = pLine->points();
        const auto [low, high] = std::ranges::minmax(points, {}, &QPointF::y);
        extent.dLowest = std::min(extent.dLowest, low.y());
        extent.dHighest = std::max(extent.dHighest, high.y());
    }
    return extent;
}

// Whether the axes still show every point without much room to spare. New axes mean new labels, which
// cost far more to draw than the points; so they are kept while they fit, and made with room to grow.
bool CTrendChart::AxesFit() const
{
    const SExtent extent = Extent();
    const double dMin = m_pValueAxis->min();
    const double dMax = m_pValueAxis->max();
    const auto [dLow, dHigh] = ValueRange(extent.dLowest, extent.dHighest);
    const bool bValuesFit =
        extent.dLowest >= dMin && extent.dHighest <= dMax && (dHigh - dLow) * kLoosest >= dMax - dMin;
    const qint64 nStart = m_pTimeAxis->min().toMSecsSinceEpoch();
    const qint64 nEnd = m_pTimeAxis->max().toMSecsSinceEpoch();
    const bool bTimesFit = extent.nFirst >= nStart && extent.nLast <= nEnd &&
                           (extent.nFirst - nStart) * kLoosest <= nEnd - nStart;
    return bValuesFit && bTimesFit;
}

void CTrendChart::FitAxes()
{
    const SExtent extent = Extent();
    const auto [dLow, dHigh] = ValueRange(extent.dLowest, extent.dHighest);
    m_pValueAxis->setRange(dLow, dHigh);
    m_pValueAxis->applyNiceNumbers();
    const double dStep = (m_pValueAxis->max() - m_pValueAxis->min()) / (m_pValueAxis->tickCount() - 1);
    m_pValueAxis->setLabelFormat(
        LabelFormat(std::max(std::fabs(extent.dLowest), std::fabs(extent.dHighest)), dStep));
    const qint64 nEnd = extent.nLast + std::max((extent.nLast - extent.nFirst) / 4, kLeastTimeRoom);
    m_pTimeAxis->setRange(QDateTime::fromMSecsSinceEpoch(extent.nFirst),
                          QDateTime::fromMSecsSinceEpoch(nEnd));
}
