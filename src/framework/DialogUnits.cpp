#include "DialogUnits.h"

#include <QFontMetrics>

#include <cstdlib>
#include <limits>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long quotient = product / c;
    const long long remainder = product % c;
    // Half or more of the divisor left over rounds away from zero.
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}

QFont DialogFont(const char* pszFace, int nPointSize)
{
    const QString face = QString::fromLatin1(pszFace ? pszFace : "");
    QFont font;
    if (face.isEmpty() || face == QLatin1String("MS Sans Serif"))
    {
        // One named font rather than whatever the system calls sans-serif: the templates' captions are
        // measured to fit in it (its letters are wide for their height, which gives the controls room).
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
    }
    else
    {
        font.setFamily(face);
    }
    font.setPointSize(nPointSize > 0 ? nPointSize : 8);
    return font;
}

SBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int nAdvance =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(nAdvance + 26) / 52, metrics.height()};
}

QRect DialogUnitsToPixels(const QRect& rcUnits, const SBaseUnits& base)
{
    // Each of position and size is converted on its own, as the dialog manager creates its controls.
    return {MulDiv(rcUnits.x(), base.cx, 4), MulDiv(rcUnits.y(), base.cy, 8),
            MulDiv(rcUnits.width(), base.cx, 4), MulDiv(rcUnits.height(), base.cy, 8)};
}
