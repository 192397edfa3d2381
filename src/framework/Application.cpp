#include "Application.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

#include <clocale>

namespace
{
// Fusion, which draws from the palette, with the check box and radio button metrics the templates were
// laid out for: a 13-pixel box and a 4-pixel gap before the caption (Fusion's own 14 and 6 take the
// room of a letter from every caption).
class CDialogStyle : public QProxyStyle
{
public:
    CDialogStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const override
    {
        switch (metric)
        {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return 13;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return 4;
        default:
            return QProxyStyle::pixelMetric(metric, pOption, pWidget);
        }
    }
};
} // namespace

void SetDialogColours(QApplication& app)
{
    app.setStyle(new CDialogStyle);
    const QColor grey(192, 192, 192);
    const QColor dark(128, 128, 128);
    QPalette palette(Qt::black, grey, Qt::white, dark, QColor(160, 160, 160), Qt::black, Qt::white, Qt::white,
                     grey);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, dark);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, dark);
    palette.setColor(QPalette::Disabled, QPalette::Text, dark);
    app.setPalette(palette);
}

void UseCNumberFormat()
{
    std::setlocale(LC_NUMERIC, "C");
}
