#pragma once
// The frequency stability of the current series: the fractional overlapping Allan deviation as a table
// (tau, sigma, number of terms) and as a log-log plot, the table being the plot's text alternative, and a
// note that tau counts in reading intervals, which an operator might take for gate times.

#include "readings/AllanDeviation.h"

#include <QWidget>

#include <vector>

class QChartView;
class QLabel;
class QLineSeries;
class QLogValueAxis;
class QTableWidget;

class CAllanPanel : public QWidget
{
public:
    explicit CAllanPanel(QWidget* pParent = nullptr);

    // The points computed with the reading interval dTau0 (seconds; 0 while unknown).
    void Show(const std::vector<readings::SAllanPoint>& points, double dTau0);
    void Clear() { Show({}, 0); }
    const QTableWidget& Table() const { return *m_pTable; }

private:
    void ShowInTable(const std::vector<readings::SAllanPoint>& points);
    void Plot(const std::vector<readings::SAllanPoint>& points);

    QTableWidget* m_pTable;
    QChartView* m_pPlot;
    QLabel* m_pNote;
    QLineSeries* m_pSeries;
    QLogValueAxis* m_pTauAxis;
    QLogValueAxis* m_pDeviationAxis;
};
