#include "Application.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <clocale>

namespace framework
{
void SetDialogColours(QApplication& app)
{
    // Fusion draws from the palette, so the grey dialog colours show on every control.
    if (QStyle* pStyle = QStyleFactory::create(QStringLiteral("Fusion")))
    {
        app.setStyle(pStyle);
    }
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
} // namespace framework
