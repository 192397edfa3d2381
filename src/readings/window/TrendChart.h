#pragma once
// The trend of the current series: the newest readings against their time, the value axis titled with
// the function and its unit. Each reading appends one point and the oldest beyond kPoints goes, so the
// chart never rebuilds its series; the axes are kept while the points fit them well, since new axes cost
// far more to draw than a point. Readings that come faster than kDrawPeriod are drawn together, once per
// period, so the window's cost does not grow with the reading rate.

#include <QChartView>
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
    // Draws the points appended since the last drawing now, without waiting for the period to end.
    void Draw();
    int PointCount() const; // drawn or waiting to be

private:
    void OnDrawTimer();
    bool AxesFit() const;
    void FitAxes();

    QLineSeries* m_pSeries;
    QDateTimeAxis* m_pTimeAxis;
    QValueAxis* m_pValueAxis;
    QList<QPointF> m_pending; // appended, not drawn yet
    QTimer m_drawTimer;       // runs for kDrawPeriod after each drawing
};
