#include "ReadingsWindow.h"

#include "AllanPanel.h"
#include "StatisticsPanel.h"
#include "TrendChart.h"

#include "framework/MessageService.h"
#include "readings/AllanDeviation.h"
#include "readings/CsvFile.h"
#include "readings/ReadingStream.h"

#include <QDateTime>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace
{
const QString kTitle = QStringLiteral("Tarvex: Readings");

qint64 Milliseconds(const readings::SReading& reading)
{
    return reading.time.time_since_epoch().count();
}

QString ClockTime(const readings::SReading& reading)
{
    return QDateTime::fromMSecsSinceEpoch(Milliseconds(reading)).toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

CReadingsWindow::CReadingsWindow(readings::CReadingStream& stream, QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_stream(stream), m_pSeriesNote(new QLabel), m_pTrend(new CTrendChart),
      m_pStatistics(new CStatisticsPanel), m_pAllan(new CAllanPanel), m_pSave(new QPushButton)
{
    setWindowTitle(kTitle);
    m_pSeriesNote->setObjectName(QStringLiteral("seriesNote"));
    m_pSeriesNote->setWordWrap(true);
    m_pSave->setText(QStringLiteral("&Save CSV..."));
    auto* pClear = new QPushButton(QStringLiteral("&Clear"));

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(pClear);
    pButtons->addWidget(m_pSave);

    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(m_pSeriesNote, 0, 0, 1, 2);
    pLayout->addWidget(m_pTrend, 1, 0);
    pLayout->addWidget(m_pStatistics, 1, 1, Qt::AlignTop);
    pLayout->addWidget(m_pAllan, 2, 0, 1, 2);
    pLayout->addLayout(pButtons, 3, 0, 1, 2);
    pLayout->setColumnStretch(0, 1);
    pLayout->setRowStretch(1, 3);
    pLayout->setRowStretch(2, 2);

    m_allanTimer.setSingleShot(true);
    m_allanTimer.setInterval(kAllanPeriod);
    connect(&m_allanTimer, &QTimer::timeout, this, &CReadingsWindow::UpdateAllan);
    connect(pClear, &QPushButton::clicked, this, &CReadingsWindow::Clear);
    connect(m_pSave, &QPushButton::clicked, this, &CReadingsWindow::OnSaveCsv);

    Clear();
    // Room for the trend and the Allan table, within the screen's free area at any scale factor.
    resize(QSize(960, 680).boundedTo(screen()->availableGeometry().size()));
}

CReadingsWindow::~CReadingsWindow()
{
    m_stream.Unsubscribe(this);
}

void CReadingsWindow::Present()
{
    show();
    raise();
    activateWindow();
}

void CReadingsWindow::Clear()
{
    m_history.Clear();
    m_allanTimer.stop();
    m_pTrend->Start(QString());
    m_pTrend->setAccessibleDescription(QStringLiteral("No readings"));
    m_pStatistics->Show(m_history.Statistics(), m_history.InvalidCount(), QString());
    m_pAllan->Clear();
    m_pSeriesNote->setText(QStringLiteral("No readings yet: they arrive as the Measure panel shows them."));
    m_pSave->setEnabled(false);
}

bool CReadingsWindow::SaveCsv(const QString& path)
{
    std::string strError;
    const auto pFile =
        readings::CCsvFile::Open(path.toStdString(), readings::CCsvFile::EMode::Replace, strError);
    for (std::size_t i = m_history.SeriesStart(); pFile && i < m_history.Readings().Size(); ++i)
    {
        if (!pFile->Write(m_history.Readings()[i]))
        {
            strError = pFile->Error();
            break;
        }
    }
    if (strError.empty())
        return true;
    MessageService().MessageBox(this, strError, kTitle.toStdString(), EMessageIcon::Warning);
    return false;
}

void CReadingsWindow::OnReading(const readings::SReading& reading)
{
    const auto& readings = m_history.Readings();
    const bool bChanged = !readings.Empty() && !readings::SameSeries(readings.Newest(), reading);
    const bool bFirst = readings.Empty();
    if (m_history.Add(reading))
    {
        StartSeries(reading, bFirst     ? QString()
                             : bChanged ? QStringLiteral("the channel or function changed")
                                        : QStringLiteral("readings were missed while the window was closed"));
    }
    if (reading.value)
        m_pTrend->Append(Milliseconds(reading), *reading.value);
    else
        m_pTrend->Break();
    m_pStatistics->Show(m_history.Statistics(), m_history.InvalidCount(),
                        QString::fromStdString(reading.strUnit));
    DescribeTrend(reading);
    m_pSave->setEnabled(true);
    if (readings::HasFrequencyStability(reading.function) && !m_allanTimer.isActive())
        m_allanTimer.start();
}

void CReadingsWindow::showEvent(QShowEvent* pEvent)
{
    // Readings published while the window was hidden are missing: what follows is a new series.
    if (!m_history.Readings().Empty())
        m_history.BreakSeries();
    m_stream.Subscribe(this);
    QWidget::showEvent(pEvent);
}

void CReadingsWindow::hideEvent(QHideEvent* pEvent)
{
    m_stream.Unsubscribe(this);
    m_allanTimer.stop();
    QWidget::hideEvent(pEvent);
}

void CReadingsWindow::StartSeries(const readings::SReading& reading, const QString& reason)
{
    const QString function = QString::fromStdString(reading.strFunction);
    const QString unit = QString::fromStdString(reading.strUnit);
    m_allanTimer.stop();
    m_pTrend->Start(unit.isEmpty() ? function : function + QStringLiteral(" (") + unit + QLatin1Char(')'));
    m_pAllan->Clear();
    m_pAllan->setVisible(readings::HasFrequencyStability(reading.function));
    QString note = QStringLiteral("Channel %1, %2%3: ")
                       .arg(reading.nChannel)
                       .arg(function, reading.bLive ? QString() : QStringLiteral(", non-live"));
    note += reason.isEmpty()
                ? QStringLiteral("readings since %1.").arg(ClockTime(reading))
                : QStringLiteral("a new series since %1, as %2.").arg(ClockTime(reading), reason);
    m_pSeriesNote->setText(note);
}

void CReadingsWindow::DescribeTrend(const readings::SReading& latest)
{
    QString text;
    if (latest.strText.empty()) // what the stream publishes for a failed measurement
        text = QStringLiteral("Latest measurement failed");
    else
    {
        text = QStringLiteral("Latest reading ") + QString::fromStdString(latest.strText).trimmed();
        if (!latest.strUnit.empty())
            text += QLatin1Char(' ') + QString::fromStdString(latest.strUnit);
    }
    m_pTrend->setAccessibleDescription(text + QStringLiteral("; ") + m_pStatistics->Summary());
}

void CReadingsWindow::UpdateAllan()
{
    const double dTau0 = m_history.NominalInterval();
    m_pAllan->Show(readings::FractionalAllanDeviation(m_history.ValuesWithGaps(dTau0), dTau0), dTau0);
}

void CReadingsWindow::OnSaveCsv()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save CSV"), QStringLiteral("readings.csv"),
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        SaveCsv(path);
}
