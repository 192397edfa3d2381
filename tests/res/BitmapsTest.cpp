// The bitmaps and the program icon: each loads from its XPM at its size and within 16 colours; the icon also
// comes larger, drawn from its vector drawing.

#include "res/Bitmaps.h"
#include "res/ControlIds.h"
#include "res/ResourceIds.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{
std::set<QRgb> ColoursOf(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

struct SExpectedBitmap
{
    int nId;
    int nNumber; // the published number
    QSize size;
};

TEST(Bitmaps, EachLoadsAtItsSizeWithAtMost16Colours)
{
    for (const SExpectedBitmap& expected :
         {SExpectedBitmap{res::IDB_LOGO, 109, {103, 24}}, SExpectedBitmap{res::IDB_EMBLEM, 111, {77, 41}}})
    {
        SCOPED_TRACE(expected.nNumber);
        EXPECT_EQ(expected.nId, expected.nNumber);
        const QPixmap bitmap = res::LoadBitmap(expected.nId);
        ASSERT_FALSE(bitmap.isNull());
        EXPECT_EQ(bitmap.size(), expected.size);
        const QImage image = bitmap.toImage();
        EXPECT_FALSE(image.hasAlphaChannel()) << "the panel copies the pixels unchanged, so none is clear";
        const auto colours = ColoursOf(image);
        EXPECT_LE(colours.size(), 16u);
        EXPECT_GE(colours.size(), 4u) << "a picture, not a flat fill";
    }
}

TEST(Bitmaps, NumbersThatAreNoBitmapGiveANullPixmap)
{
    for (int nId : {-1, 0, res::IDB_LOGO - 1, res::IDB_LOGO + 1, res::IDB_EMBLEM + 1, res::IDD_MEASURE,
                    res::IDR_MAIN_MENU, int(res::measure::IDC_LOGO_MARK)})
    {
        SCOPED_TRACE(nId);
        EXPECT_TRUE(res::LoadBitmap(nId).isNull());
    }
}

TEST(Bitmaps, ProgramIconIs32SquareWithClearCornersAndLargerForScaledScreens)
{
    const QIcon icon = res::ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.front(), QSize(32, 32));
    EXPECT_LE(ColoursOf(icon.pixmap(32, 32).toImage()).size(), 16u);
    EXPECT_GT(std::ranges::max(sizes, {}, &QSize::width).width(), 32)
        << "a window manager or a scaled screen would enlarge 32 px";
    for (const QSize& size : sizes)
    {
        SCOPED_TRACE(size.width());
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.size(), size);
        const int n = size.width();
        EXPECT_EQ(size.height(), n);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(n - 1, n - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(n / 2, n * 12 / 32)), 255);
    }
}
} // namespace
