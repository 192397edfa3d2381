#include "ValueText.h"

#include <cmath>

QString ValueText(double dValue, const QString& unit, int nDigits)
{
    if (std::isnan(dValue))
        return QStringLiteral("\u2013");
    const QString number = QString::number(dValue, 'g', nDigits);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}
