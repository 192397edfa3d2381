#pragma once
// The trend of the current series: the newest readings against their time, the value axis titled with
// the function and its unit. A reading without a value breaks the line: the readings on either side are
// drawn as separate lines (a lone reading as a dot), never joined across the gap. Each reading appends one
// point and the oldest beyond kPoints goes, so the chart never rebuilds its lines; the axes are kept while
// the points fit them well, since new axes cost far more to draw than a point. Readings that come faster
// than kDrawPeriod are drawn together, once per period, so the window's cost does not grow with the
// reading rate.

#include <QChartView>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QTimer>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

class CTrendChart : public QChartView
{
public:
    static constexpr int kPoints = 1000;
    static constexpr int kDrawPeriod = 1000; // ms

    explicit CTrendChart(QWidget* pParent = nullptr);

    // Empties the trend for a new series with this value axis title.
    void Start(const QString& valueTitle);
    void Append(qint64 nMilliseconds, double dValue); // since the epoch, UTC
    // The next point starts a new line: a reading without a value came between.
    void Break();
    // Draws the points appended since the last drawing now, without waiting for the period to end.
    void Draw();
    int PointCount() const; // drawn or waiting to be

private:
    struct SExtent
    {
        double dLowest;
        double dHighest;
        qint64 nFirst; // ms
        qint64 nLast;
    };

    void OnDrawTimer();
    QLineSeries* NewLine();
    void AppendToLine(const QList<QPointF>& points);
    void DropOldest();
    int DrawnCount() const;
    SExtent Extent() const; // of the drawn points, of which there is one at least
    bool AxesFit() const;
    void FitAxes();

    QList<QLineSeries*> m_lines; // oldest first, never empty; only the newest may have no point
    QColor m_lineColour;         // the theme's, for every line
    QDateTimeAxis* m_pTimeAxis;
    QValueAxis* m_pValueAxis;
    // Appended, not drawn yet: runs of points, each run after the first starting a new line.
    QList<QList<QPointF>> m_pending;
    bool m_bLineBroken = false; // the next point drawn starts a new line
    QTimer m_drawTimer;         // runs for kDrawPeriod after each drawing
};
