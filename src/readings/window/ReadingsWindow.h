#pragma once
// The Readings window, a top-level window of its own: the trend of the current series, its statistics
// and, for FREQ and Period, its Allan deviation; Clear starts over and Save CSV writes the readings of the
// current series, the ones it shows, in the log's format. It takes readings from the stream only while it
// is shown, so a closed window costs nothing; a reading after such a gap starts a new series. The Allan
// deviation is computed again at most once a second.

#include "readings/ReadingHistory.h"
#include "readings/ReadingSink.h"

#include <QTimer>
#include <QWidget>

class CAllanPanel;
class CStatisticsPanel;
class CTrendChart;
class QLabel;
class QPushButton;

namespace readings
{
class CReadingStream;
}

class CReadingsWindow : public QWidget, public readings::IReadingSink
{
public:
    static constexpr int kAllanPeriod = 1000; // ms

    explicit CReadingsWindow(readings::CReadingStream& stream, QWidget* pParent = nullptr);
    ~CReadingsWindow() override;

    // Shows the window, or brings it to the front when it is shown.
    void Present();
    void Clear();
    // Writes the current series to the file, replacing it; a failure is shown in a message box.
    bool SaveCsv(const QString& path);
    const readings::CReadingHistory& History() const { return m_history; }

    void OnReading(const readings::SReading& reading) override;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    void StartSeries(const readings::SReading& reading, const QString& reason);
    void DescribeTrend(const readings::SReading& latest);
    void UpdateAllan();
    void OnSaveCsv();

    readings::CReadingStream& m_stream;
    readings::CReadingHistory m_history;
    QTimer m_allanTimer;
    QLabel* m_pSeriesNote;
    CTrendChart* m_pTrend;
    CStatisticsPanel* m_pStatistics;
    CAllanPanel* m_pAllan;
    QPushButton* m_pSave;
};
