// Dialog units: MulDiv's rounding, the base units of a font and the conversion of template rectangles.

#include "framework/DialogUnits.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <climits>

TEST(MulDiv, RoundsHalfAwayFromZeroAndFailsAsWindowsDoes)
{
    struct SCase
    {
        int a, b, c, nExpected;
    };
    const SCase cases[] = {
        {1, 1, 2, 1},             // 0.5 up
        {-1, 1, 2, -1},           // -0.5 away from zero
        {1, -1, 2, -1},           // sign from the factor
        {-1, -1, 2, 1},           // two negatives
        {5, 1, -2, -3},           // -2.5, divisor negative
        {7, 1, 3, 2},             // 2.33 down
        {8, 1, 3, 3},             // 2.67 up
        {-8, 1, 3, -3},           // -2.67
        {13, 7, 8, 11},           // 11.375 (y units of a 13-pixel font)
        {0, 5, 7, 0},             // zero
        {1, 1, 0, -1},            // division by zero
        {INT_MAX, 2, 2, INT_MAX}, // the product overflows 32 bits, the result does not
        {INT_MAX, 2, 1, -1},      // the result overflows
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.nExpected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(DialogUnits, ConvertPositionAndSizeEachFromTheBaseUnits)
{
    const SBaseUnits base{7, 13};
    struct SCase
    {
        QRect units;
        QRect pixels;
    };
    const SCase cases[] = {
        {{4, 8, 4, 8}, {7, 13, 7, 13}},       // one base unit each way
        {{0, 0, 216, 103}, {0, 0, 378, 167}}, // 167.375
        {{1, 1, 2, 3}, {2, 2, 4, 5}},         // 1.75, 1.625, 3.5, 4.875
        {{3, 5, 1, 4}, {5, 8, 2, 7}},         // 5.25, 8.125, 1.75, 6.5 (half rounds up)
        {{-4, -12, 4, 8}, {-7, -20, 7, 13}},  // negative positions round away from zero: -19.5
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialogUnitsToPixels(c.units, base), c.pixels) << "units " << c.units.x();
}

TEST(DialogUnits, BaseUnitsAreTheRoundedAverageLetterAdvanceAndTheFontHeight)
{
    // With a fixed-pitch font every letter has the same advance, so the average is exactly that advance.
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
    const QFontMetrics metrics(mono);
    const SBaseUnits base = BaseUnitsOf(mono);
    EXPECT_EQ(base.cx, metrics.horizontalAdvance(QLatin1Char('x')));
    EXPECT_EQ(base.cy, metrics.height());

    // A proportional font: the average lies between its narrowest and widest letter.
    const QFont sans = DialogFont("MS Sans Serif", 8);
    const SBaseUnits sansBase = BaseUnitsOf(sans);
    const QFontMetrics sansMetrics(sans);
    EXPECT_GT(sansBase.cx, sansMetrics.horizontalAdvance(QLatin1Char('i')));
    EXPECT_LT(sansBase.cx, sansMetrics.horizontalAdvance(QLatin1Char('W')));
}

TEST(DialogFont, MapsTheTemplateFaceToAnInstalledFontAtThePointSize)
{
    // The captions are measured to fit in this one font, which the install script brings.
    const QString sansFamily = QStringLiteral("DejaVu Sans");

    struct SCase
    {
        const char* pszFace;
        int nPointSize;
        QString expectedFamily;
        int nExpectedPoints;
    };
    const SCase cases[] = {
        {"MS Sans Serif", 8, sansFamily, 8},
        {"MS Sans Serif", 10, sansFamily, 10},
        {"DejaVu Serif", 9, QStringLiteral("DejaVu Serif"), 9},
        {"", 0, sansFamily, 8}, // no face, no size: the dialog default
    };
    for (const auto& c : cases)
    {
        const QFont font = DialogFont(c.pszFace, c.nPointSize);
        const QFontInfo info(font);
        EXPECT_EQ(info.family(), c.expectedFamily) << c.pszFace;
        EXPECT_EQ(info.pointSize(), c.nExpectedPoints) << c.pszFace;
    }
}
