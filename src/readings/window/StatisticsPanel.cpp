#include "StatisticsPanel.h"

#include "ValueText.h"

#include "readings/SlidingStatistics.h"

#include <QFormLayout>
#include <QLabel>

namespace
{
struct SFigure
{
    const char* pszCaption; // with its mnemonic
    const char* pszName;
    const char* pszObjectName;
};

constexpr SFigure kFigures[] = {
    {"Cou&nt:", "Count", "count"},
    {"&Mean:", "Mean", "mean"},
    {"S&tandard deviation (n\u22121):", "Standard deviation", "deviation"},
    {"M&inimum:", "Minimum", "minimum"},
    {"Ma&ximum:", "Maximum", "maximum"},
    {"&Peak-to-peak:", "Peak-to-peak", "peakToPeak"},
    {"In&valid:", "Invalid", "invalid"},
};

// Enough digits for a counter's readings (the mean of a 10 MHz signal to the millihertz); deviations
// need fewer.
constexpr int kValueDigits = 12;
constexpr int kSpreadDigits = 4;
// About the widest figure: a negative value of kValueDigits digits with an exponent and the longest unit.
// The figures keep at least its width, so that new readings do not resize the trend beside them.
const QString kWidestValue = QStringLiteral("-8.88888888888e-188 Events");
} // namespace

CStatisticsPanel::CStatisticsPanel(QWidget* pParent) : QGroupBox(QStringLiteral("Statistics"), pParent)
{
    static_assert(std::size(kFigures) == kFigureCount);
    auto* pLayout = new QFormLayout(this);
    for (std::size_t i = 0; i < m_apValues.size(); ++i)
    {
        auto* pValue = new QLabel(QStringLiteral("\u2013"), this);
        pValue->setObjectName(QLatin1String(kFigures[i].pszObjectName));
        pValue->setAccessibleName(QString::fromUtf8(kFigures[i].pszName));
        pValue->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        pValue->setFocusPolicy(Qt::StrongFocus);
        pValue->setMinimumWidth(pValue->fontMetrics().horizontalAdvance(kWidestValue));
        auto* pCaption = new QLabel(QString::fromUtf8(kFigures[i].pszCaption), this);
        pCaption->setBuddy(pValue);
        pLayout->addRow(pCaption, pValue);
        m_apValues[i] = pValue;
    }
    m_paintTimer.setSingleShot(true);
    m_paintTimer.setInterval(kPaintPeriod);
    connect(&m_paintTimer, &QTimer::timeout, this, &CStatisticsPanel::OnPaintTimer);
}

// New figures after a quiet period are painted at once; those that follow within kPaintPeriod wait for
// the timer.
void CStatisticsPanel::Show(const readings::CSlidingStatistics& statistics, std::size_t nInvalid,
                            const QString& unit)
{
    if (m_paintTimer.isActive())
        setUpdatesEnabled(false);
    else
        m_paintTimer.start();
    const QString texts[] = {
        QString::number(statistics.Count()),
        ValueText(statistics.Mean(), unit, kValueDigits),
        ValueText(statistics.StandardDeviation(), unit, kSpreadDigits),
        ValueText(statistics.Minimum(), unit, kValueDigits),
        ValueText(statistics.Maximum(), unit, kValueDigits),
        ValueText(statistics.PeakToPeak(), unit, kSpreadDigits),
        QString::number(nInvalid),
    };
    for (std::size_t i = 0; i < m_apValues.size(); ++i)
    {
        m_apValues[i]->setText(texts[i]);
        m_apValues[i]->setAccessibleDescription(texts[i]);
    }
}

void CStatisticsPanel::OnPaintTimer()
{
    if (updatesEnabled())
        return;
    setUpdatesEnabled(true); // paints what changed meanwhile
    m_paintTimer.start();
}

QString CStatisticsPanel::Summary() const
{
    QStringList parts;
    for (std::size_t i = 0; i < m_apValues.size(); ++i)
        parts << QString::fromUtf8(kFigures[i].pszName).toLower() + QLatin1Char(' ') + m_apValues[i]->text();
    return parts.join(QLatin1String(", "));
}
