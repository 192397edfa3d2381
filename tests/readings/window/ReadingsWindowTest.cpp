// The Readings window fed with readings: statistics, series, the Allan deviation, Clear, Save CSV, its
// text alternative, and taking readings from the stream only while it is shown.

#include "readings/window/ReadingsWindow.h"
#include "readings/CsvFormat.h"
#include "readings/ReadingStream.h"
#include "readings/window/StatisticsPanel.h"
#include "readings/window/TrendChart.h"

#include "framework/MessageService.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QDateTimeAxis>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace
{
using namespace std::chrono_literals;

// The number of points of each line of a trend, oldest first.
std::vector<int> LineLengths(const CTrendChart& chart)
{
    std::vector<int> lengths;
    for (const QAbstractSeries* pSeries : chart.chart()->series())
        lengths.push_back(static_cast<int>(static_cast<const QXYSeries*>(pSeries)->count()));
    return lengths;
}

class CReadingsWindowTest : public ::testing::Test
{
protected:
    readings::SReading Reading(int nIndex, const char* pszText, int nChannel = 1,
                               EMeasureFunction eFunction = EMeasureFunction::Frequency,
                               const char* pszLabel = "FREQ", const char* pszUnit = "Hz")
    {
        return readings::MakeReading(m_start + nIndex * 300ms, nChannel, eFunction, pszLabel, pszText,
                                     pszUnit, true);
    }
    void Feed(int nFirst, int nCount)
    {
        for (int i = nFirst; i < nFirst + nCount; ++i)
            m_window.OnReading(Reading(i, i % 2 ? "+1.00000001E+07" : "+1.00000003E+07"));
    }
    QString Figure(const char* pszName) const { return m_window.findChild<QLabel*>(pszName)->text(); }
    QString Note() const { return Figure("seriesNote"); }
    CTrendChart& Trend() const { return *m_window.findChild<CTrendChart*>(); }
    QString TrendDescription() const
    {
        return QAccessible::queryAccessibleInterface(&Trend())->text(QAccessible::Description);
    }
    const QTableWidget& AllanTable() const { return *m_window.findChild<QTableWidget*>("allanTable"); }
    void WaitForAllan() const
    {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return AllanTable().rowCount() > 0; }, 3 * CReadingsWindow::kAllanPeriod));
    }

    readings::TReadingTime m_start{std::chrono::hours(480000)};
    readings::CReadingStream m_stream;
    CReadingsWindow m_window{m_stream};
};

TEST_F(CReadingsWindowTest, ReadingsFillTheStatisticsTheTrendAndItsTextAlternative)
{
    EXPECT_EQ(m_window.windowTitle(), "Tarvex: Readings");
    EXPECT_TRUE(m_window.isWindow());
    Feed(0, 4);
    m_window.OnReading(Reading(4, " ")); // shown, but no number
    EXPECT_EQ(Figure("count"), "4");
    EXPECT_EQ(Figure("mean"), "10000000.2 Hz");
    EXPECT_EQ(Figure("deviation"), "0.1155 Hz");
    EXPECT_EQ(Figure("minimum"), "10000000.1 Hz");
    EXPECT_EQ(Figure("maximum"), "10000000.3 Hz");
    EXPECT_EQ(Figure("peakToPeak"), "0.2 Hz");
    EXPECT_EQ(Figure("invalid"), "1");
    EXPECT_EQ(Trend().PointCount(), 4);
    EXPECT_EQ(m_window.History().Readings().Size(), 5u);
    m_window.OnReading(Reading(5, "+1.00000005E+07"));
    EXPECT_TRUE(
        TrendDescription().startsWith("Latest reading +1.00000005E+07 Hz; count 5, mean 10000000.26 Hz"))
        << TrendDescription().toStdString();
    EXPECT_TRUE(Note().startsWith("Channel 1, FREQ: readings since")) << Note().toStdString();

    // Readings faster than the painting period are painted together when it ends.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return LineLengths(Trend()) == std::vector<int>{4, 1};
        },
        2 * CTrendChart::kDrawPeriod));
    const auto& statistics = *m_window.findChild<CStatisticsPanel*>();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return statistics.updatesEnabled(); }, 2 * CStatisticsPanel::kPaintPeriod));
}

TEST_F(CReadingsWindowTest, AChangeOfChannelOrFunctionStartsANewSeriesAndSaysSo)
{
    Feed(0, 20);
    m_window.OnReading(Reading(20, "+2.0E-07", 2, EMeasureFunction::Period, "Period", "Sec"));
    EXPECT_TRUE(Note().startsWith("Channel 2, Period: a new series since")) << Note().toStdString();
    EXPECT_TRUE(Note().endsWith("as the channel or function changed.")) << Note().toStdString();
    EXPECT_EQ(Figure("count"), "1");
    EXPECT_EQ(Figure("mean"), "2e-07 Sec");
    EXPECT_EQ(Trend().PointCount(), 1);
    EXPECT_EQ(Trend().chart()->axes(Qt::Vertical).front()->titleText(), "Period (Sec)");
    EXPECT_EQ(m_window.History().Readings().Size(), 21u); // the window still holds the earlier series
}

TEST_F(CReadingsWindowTest, AllanDeviationForFrequencyAtMostOnceASecondAndNotForOtherFunctions)
{
    m_window.show();
    Feed(0, 40);
    EXPECT_EQ(AllanTable().rowCount(), 0); // not on every reading
    WaitForAllan();
    // 40 readings: m = 1, 2, 4, 8 leave 39, 37, 33, 25 terms; m = 16 would leave 9.
    ASSERT_EQ(AllanTable().rowCount(), 4);
    EXPECT_EQ(AllanTable().item(0, 0)->text(), "0.3");
    EXPECT_EQ(AllanTable().item(3, 0)->text(), "2.4");
    EXPECT_EQ(AllanTable().item(3, 2)->text(), "25");
    EXPECT_TRUE(AllanTable().isVisibleTo(&m_window));
    // The trend keeps the larger share of the height beside the Allan deviation with its note.
    const auto* pNote = m_window.findChild<QLabel*>(QStringLiteral("allanNote"));
    ASSERT_NE(pNote, nullptr);
    EXPECT_GT(m_window.findChild<CTrendChart*>()->height(), pNote->parentWidget()->height());
    m_window.OnReading(Reading(40, "+1.5E+00", 1, EMeasureFunction::DcVolts, "DCV", "V"));
    EXPECT_EQ(AllanTable().rowCount(), 0);
    EXPECT_FALSE(AllanTable().isVisibleTo(&m_window));
}

// Readings without a value and a pause of the timer are gaps: counted (the pause is no reading), not
// bridged by the trend, and left out of the Allan deviation, whose tau0 stays the reading interval.
TEST_F(CReadingsWindowTest, GapsAreCountedBreakTheTrendAndAreLeftOutOfTheAllanDeviation)
{
    m_window.show();
    Feed(0, 20);
    m_window.OnReading(Reading(20, "")); // a failed measurement
    EXPECT_TRUE(TrendDescription().startsWith("Latest measurement failed; count 20, mean"))
        << TrendDescription().toStdString();
    m_window.OnReading(Reading(21, "+9.91E+37"));
    Feed(22, 18);
    Feed(60, 20); // after the timer was held for 20 readings
    EXPECT_EQ(Figure("count"), "58");
    EXPECT_EQ(Figure("invalid"), "2");
    Trend().Draw();
    EXPECT_EQ(LineLengths(Trend()), (std::vector<int>{20, 38}));
    WaitForAllan();
    // Terms without a gap: windows of 2m readings within the runs of 20, 18 and 20 readings.
    const struct
    {
        const char* pszTau;
        const char* pszTerms;
    } rows[] = {{"0.3", "55"}, {"0.6", "49"}, {"1.2", "37"}, {"2.4", "13"}};
    ASSERT_EQ(AllanTable().rowCount(), static_cast<int>(std::size(rows)));
    for (int nRow = 0; nRow < AllanTable().rowCount(); ++nRow)
    {
        EXPECT_EQ(AllanTable().item(nRow, 0)->text(), rows[nRow].pszTau);
        EXPECT_EQ(AllanTable().item(nRow, 2)->text(), rows[nRow].pszTerms);
    }
    EXPECT_TRUE(Figure("allanNote").contains("reading interval \u03c40 = 0.3 s, not of the gate time"))
        << Figure("allanNote").toStdString();
}

TEST_F(CReadingsWindowTest, ClearEmptiesAndSaveWritesTheCurrentSeries)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("saved.csv");
    auto* pSave = m_window.findChild<QPushButton*>();
    Feed(0, 2);
    for (const int nIndex : {2, 3})
        m_window.OnReading(
            Reading(nIndex, "+1.0E+00", 3, EMeasureFunction::FrequencyRatio, "FREQ Ratio", "   "));
    ASSERT_TRUE(m_window.SaveCsv(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::string expected = readings::CsvHeader(); // the ratio's series, not the FREQ readings before it
    for (std::size_t i = 2; i < 4; ++i)
        expected += readings::CsvRow(m_window.History().Readings()[i]);
    EXPECT_EQ(file.readAll().toStdString(), expected);

    CScopedRecordingMessages messages;
    EXPECT_FALSE(m_window.SaveCsv(folder.filePath("missing/saved.csv")));
    EXPECT_EQ(messages.BoxTexts(),
              std::vector<std::string>{"cannot open " + folder.filePath("missing/saved.csv").toStdString() +
                                       " for writing: No such file or directory"});

    for (QPushButton* pButton : m_window.findChildren<QPushButton*>())
        if (pButton->text() == "&Clear")
            pButton->click();
        else
            pSave = pButton;
    EXPECT_EQ(Figure("count"), "0");
    EXPECT_EQ(Figure("mean"), "\u2013");
    EXPECT_EQ(Trend().PointCount(), 0);
    EXPECT_TRUE(m_window.History().Readings().Empty());
    EXPECT_FALSE(pSave->isEnabled());
}

TEST_F(CReadingsWindowTest, TakesReadingsFromTheStreamOnlyWhileShown)
{
    m_stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "+1.0E+07", "Hz", true);
    EXPECT_TRUE(m_window.History().Readings().Empty());
    m_window.Present();
    m_stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "+1.0E+07", "Hz", true);
    m_window.hide();
    EXPECT_FALSE(m_stream.HasSubscribers());
    m_stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "+1.0E+07", "Hz", true);
    EXPECT_EQ(m_window.History().Readings().Size(), 1u);
    m_window.show();
    m_stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "+1.0E+07", "Hz", true);
    EXPECT_EQ(m_window.History().Readings().Size(), 2u);
    EXPECT_TRUE(Note().endsWith("as readings were missed while the window was closed."))
        << Note().toStdString();
    EXPECT_EQ(Figure("count"), "1");
}

// Also run at scale 2 on a 1920x1080 screen (tests/CMakeLists.txt), where the preferred size is too large.
TEST_F(CReadingsWindowTest, OpensWithinTheScreensFreeArea)
{
    m_window.Present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    const QSize available = m_window.screen()->availableGeometry().size();
    EXPECT_LE(m_window.width(), available.width());
    EXPECT_LE(m_window.height(), available.height());
}

// The axes are kept while the points fit them, so they are rarely made anew; but every point stays on
// them, and readings that settle get axes that close in on them.
TEST(TrendChart, EveryPointStaysWithinTheAxesWhichAreRarelyMadeAnew)
{
    const struct
    {
        const char* pszName;
        std::function<double(int)> value;
        double dLastHighest; // the value axis ends below this after the last point
    } cases[] = {
        {"constant", [](int) { return 1e7; }, 1.1e7},
        {"zero", [](int) { return 0.0; }, 1.1},
        {"drift", [](int i) { return 1e7 + i * 0.1; }, 1e7 + 200},
        {"alternating", [](int i) { return i % 2 ? -2e-9 : 3e-9; }, 1e-8},
        {"settling after a step", [](int i) { return i < 500 ? 5.0 : 1e-3 * (i % 3); }, 0.01},
    };
    constexpr qint64 kStart = 1'700'000'000'000;
    constexpr int kCount = 1500;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CTrendChart chart;
        const auto& values = *static_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).front());
        const auto& times = *static_cast<QDateTimeAxis*>(chart.chart()->axes(Qt::Horizontal).front());
        int nNewAxes = 0;
        QObject::connect(&times, &QDateTimeAxis::rangeChanged, [&] { ++nNewAxes; });
        std::vector<double> series(kCount);
        for (int i = 0; i < kCount; ++i)
            series[i] = c.value(i);
        bool bAllShown = true;
        for (int i = 0; i < kCount; ++i)
        {
            chart.Append(kStart + i * 300, series[i]);
            chart.Draw();
            const int nOldest = std::max(0, i - CTrendChart::kPoints + 1);
            const auto [low, high] = std::minmax_element(series.begin() + nOldest, series.begin() + i + 1);
            bAllShown = bAllShown && values.min() <= *low && *high <= values.max() &&
                        times.min().toMSecsSinceEpoch() <= kStart + nOldest * 300 &&
                        kStart + i * 300 <= times.max().toMSecsSinceEpoch();
        }
        EXPECT_TRUE(bAllShown);
        EXPECT_LE(nNewAxes, kCount / 20);
        EXPECT_LT(values.max(), c.dLastHighest);
    }
}

// A break starts a new line in the colour of the others, a line of one point shows its point, and the
// oldest points beyond kPoints go with the lines they empty; alike when drawn point by point or at once.
TEST(TrendChart, ABreakStartsANewLineAndTheOldestPointsGoWithTheirLines)
{
    constexpr int kPoints = CTrendChart::kPoints;
    const struct
    {
        const char* pszName;
        std::vector<int> runs; // of points, with a break between each two
        std::vector<int> lengths;
    } cases[] = {
        {"two lines", {2, 2}, {2, 2}},
        {"a break before the first point", {0, 2}, {2}},
        {"breaks in a row", {1, 0, 1}, {1, 1}},
        {"a lone point", {3, 1, 3}, {3, 1, 3}},
        {"a break at the end", {2, 0}, {2}},
        {"the oldest points go", {kPoints, 10}, {kPoints - 10, 10}},
        {"and with them their line", {5, kPoints}, {kPoints}},
    };
    for (const auto& c : cases)
    {
        for (const bool bDrawEach : {true, false})
        {
            SCOPED_TRACE(std::string(c.pszName) + (bDrawEach ? ", drawn point by point" : ", drawn at once"));
            CTrendChart chart;
            qint64 nTime = 1'700'000'000'000;
            for (std::size_t nRun = 0; nRun < c.runs.size(); ++nRun)
            {
                if (nRun > 0)
                    chart.Break();
                for (int i = 0; i < c.runs[nRun]; ++i)
                {
                    chart.Append(nTime += 300, static_cast<double>(i % 7));
                    if (bDrawEach)
                        chart.Draw();
                }
            }
            chart.Draw();
            EXPECT_EQ(LineLengths(chart), c.lengths);
            // However many lines joined the chart, the time axis is still drawn: its labels and title darken
            // the band below the plot.
            chart.resize(400, 300);
            chart.show();
            testsupport::ProcessEvents();
            const QImage image = chart.grab().toImage();
            const QRectF plot = chart.chart()->plotArea();
            int nDark = 0;
            for (int y = static_cast<int>(plot.bottom()) + 3; y < image.height(); ++y)
                for (int x = static_cast<int>(plot.left()); x < static_cast<int>(plot.right()); ++x)
                    nDark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            EXPECT_GT(nDark, 0);
            const auto series = chart.chart()->series();
            for (const QAbstractSeries* pSeries : series)
            {
                const auto& line = *static_cast<const QXYSeries*>(pSeries);
                EXPECT_EQ(line.pointsVisible(), line.count() == 1);
                EXPECT_EQ(line.color(), static_cast<const QXYSeries*>(series.front())->color());
            }
        }
    }
}
} // namespace
