#pragma once
// The trend of the current series: the newest readings against their time, the value axis titled with
// the function and its unit. Each reading appends one point and the oldest beyond kPoints goes, so the
// chart never rebuilds its series; the axes are kept while the points fit them well, since new axes cost
// far more to draw than a point.

#include <QChartView>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

class CTrendChart : public QChartView
{
public:
    static constexpr int kPoints = 1000;

    explicit CTrendChart(QWidget* pParent = nullptr);

    // Empties the trend for a new series with this value axis title.
    void Start(const QString& valueTitle);
    void Append(qint64 nMilliseconds, double dValue); // since the epoch, UTC
    int PointCount() const;

private:
    bool AxesFit() const;
    void FitAxes();

    QLineSeries* m_pSeries;
    QDateTimeAxis* m_pTimeAxis;
    QValueAxis* m_pValueAxis;
};
