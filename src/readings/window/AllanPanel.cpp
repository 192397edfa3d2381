#include "AllanPanel.h"

#include "ChartAccessible.h"
#include "ValueText.h"

#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kDigits = 4;

// A log axis shows its labels at whole decades, so its range spans at least one, reaching a hair beyond
// the end decades so that rounding does not drop their labels.
void FitDecades(QLogValueAxis* pAxis, double dLow, double dHigh)
{
    const double dFirst = std::floor(std::log10(dLow));
    const double dLast = std::max(std::ceil(std::log10(dHigh)), dFirst + 1);
    pAxis->setRange(std::pow(10.0, dFirst) * 0.999, std::pow(10.0, dLast) * 1.001);
}

QLogValueAxis* NewLogAxis(const QString& title)
{
    auto* pAxis = new QLogValueAxis;
    pAxis->setBase(10);
    pAxis->setLabelFormat(QStringLiteral("%g"));
    pAxis->setTitleText(title);
    pAxis->setMinorTickCount(-1); // ticks at every whole number between the decades
    return pAxis;
}
} // namespace

CAllanPanel::CAllanPanel(QWidget* pParent)
    : QWidget(pParent), m_pTable(new QTableWidget(0, 3)), m_pPlot(new QChartView(new QChart)),
      m_pNote(new QLabel), m_pSeries(new QLineSeries), m_pTauAxis(NewLogAxis(QStringLiteral("\u03c4 (s)"))),
      m_pDeviationAxis(NewLogAxis(QStringLiteral("\u03c3y(\u03c4)")))
{
    auto* pBox =
        new QGroupBox(QStringLiteral("&Allan deviation \u03c3y(\u03c4), fractional, overlapping"), this);
    auto* pBoxLayout = new QVBoxLayout(pBox);
    auto* pLayout = new QHBoxLayout;
    pBoxLayout->addLayout(pLayout);

    // The view is made with its chart: one made without makes a default chart that setChart would leak.
    QChart* pChart = m_pPlot->chart();
    pChart->legend()->hide();
    pChart->addSeries(m_pSeries);
    pChart->addAxis(m_pTauAxis, Qt::AlignBottom);
    pChart->addAxis(m_pDeviationAxis, Qt::AlignLeft);
    m_pSeries->attachAxis(m_pTauAxis);
    m_pSeries->attachAxis(m_pDeviationAxis);
    m_pSeries->setPointsVisible(true);
    FitDecades(m_pTauAxis, 0.1, 10);
    FitDecades(m_pDeviationAxis, 1e-12, 1e-9);
    m_pPlot->setRenderHint(QPainter::Antialiasing);
    m_pPlot->setFocusPolicy(Qt::NoFocus); // the group's mnemonic leads to the table, its text alternative
    CChartAccessible::Install();
    m_pPlot->setAccessibleName(QStringLiteral("Allan deviation plot"));
    m_pPlot->setAccessibleDescription(QStringLiteral("The values of the Allan deviation table, log-log"));
    pLayout->addWidget(m_pPlot, 1);

    m_pTable->setObjectName(QStringLiteral("allanTable"));
    m_pTable->setAccessibleName(QStringLiteral("Allan deviation"));
    m_pTable->setHorizontalHeaderLabels(
        {QStringLiteral("\u03c4 (s)"), QStringLiteral("\u03c3y(\u03c4)"), QStringLiteral("Samples")});
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setTabKeyNavigation(false);
    pLayout->addWidget(m_pTable);
    m_pNote->setObjectName(QStringLiteral("allanNote"));
    // One line, not word-wrapped: a wrapping label asks the window's grid for height it takes from the trend.
    pBoxLayout->addWidget(m_pNote);

    auto* pOuter = new QVBoxLayout(this);
    pOuter->setContentsMargins(0, 0, 0, 0);
    pOuter->addWidget(pBox);
}

void CAllanPanel::Show(const std::vector<readings::SAllanPoint>& points, double dTau0)
{
    ShowInTable(points);
    Plot(points);
    const QString interval =
        dTau0 > 0 ? QStringLiteral(" = ") + ValueText(dTau0, QStringLiteral("s"), kDigits) : QString();
    m_pNote->setText(QStringLiteral("\u03c4 is a multiple of the reading interval \u03c40%1, not of the gate "
                                    "time; terms that span a gap in the readings are left out.")
                         .arg(interval));
}

void CAllanPanel::ShowInTable(const std::vector<readings::SAllanPoint>& points)
{
    m_pTable->setRowCount(static_cast<int>(points.size()));
    for (int nRow = 0; nRow < m_pTable->rowCount(); ++nRow)
    {
        const auto& point = points[static_cast<std::size_t>(nRow)];
        const QString cells[] = {ValueText(point.dTau, {}, kDigits), ValueText(point.dDeviation, {}, kDigits),
                                 QString::number(point.nTerms)};
        for (int nColumn = 0; nColumn < 3; ++nColumn)
        {
            auto* pItem = new QTableWidgetItem(cells[nColumn]);
            pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(nRow, nColumn, pItem);
        }
    }
}

void CAllanPanel::Plot(const std::vector<readings::SAllanPoint>& points)
{
    // A deviation of zero (readings all alike) has no place on a log axis; the table still shows it.
    QList<QPointF> plotted;
    for (const auto& point : points)
        if (point.dDeviation > 0)
            plotted.append({point.dTau, point.dDeviation});
    m_pSeries->replace(plotted);
    if (plotted.isEmpty())
        return;
    const auto [tauLow, tauHigh] = std::ranges::minmax(plotted, {}, &QPointF::x);
    const auto [low, high] = std::ranges::minmax(plotted, {}, &QPointF::y);
    FitDecades(m_pTauAxis, tauLow.x(), tauHigh.x());
    FitDecades(m_pDeviationAxis, low.y(), high.y());
}
