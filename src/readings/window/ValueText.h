#pragma once
// How the Readings window writes numbers: with a point whatever the locale, a dash for none.

#include <QString>

// The value to nDigits significant digits followed by the unit, or a dash when it is NaN.
QString ValueText(double dValue, const QString& unit, int nDigits);
