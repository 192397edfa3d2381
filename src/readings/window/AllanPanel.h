#pragma once
// The frequency stability of the current series: the fractional overlapping Allan deviation as a table
// (tau, sigma, number of terms) and as a log-log plot. The table is the plot's text alternative.

#include "readings/AllanDeviation.h"

#include <QWidget>

#include <vector>

class QChartView;
class QLineSeries;
class QLogValueAxis;
class QTableWidget;

class CAllanPanel : public QWidget
{
public:
    explicit CAllanPanel(QWidget* pParent = nullptr);

    void Show(const std::vector<readings::SAllanPoint>& points);
    void Clear() { Show({}); }
    const QTableWidget& Table() const { return *m_pTable; }

private:
    void ShowInTable(const std::vector<readings::SAllanPoint>& points);
    void Plot(const std::vector<readings::SAllanPoint>& points);

    QTableWidget* m_pTable;
    QChartView* m_pPlot;
    QLineSeries* m_pSeries;
    QLogValueAxis* m_pTauAxis;
    QLogValueAxis* m_pDeviationAxis;
};
