// The drawing arithmetic of the owner-drawn controls, checked without painting.

#include "controls/ControlGeometry.h"

#include <gtest/gtest.h>

namespace
{
TEST(ControlGeometry, TextOriginCentresWhereTheTextFitsElseZero)
{
    const struct
    {
        const char* pszName;
        CRect rc;
        QSize extent;
        QPoint ptCentred, ptGrayed;
    } cases[] = {
        {"fits", {3, 3, 97, 57}, {40, 10}, {30, 25}, {27, 3}},
        {"odd spare truncates", {0, 0, 11, 11}, {4, 4}, {3, 3}, {3, 0}},
        {"exact fit is no fit", {3, 3, 43, 13}, {40, 10}, {0, 0}, {0, 3}},
        {"too wide", {1, 1, 39, 19}, {100, 10}, {0, 5}, {0, 1}},
        {"one pixel too wide", {3, 3, 97, 57}, {95, 10}, {0, 25}, {0, 3}},
        {"too tall", {3, 3, 43, 13}, {10, 30}, {18, 0}, {15, 3}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CentredTextOrigin(c.rc, c.extent), c.ptCentred) << c.pszName;
        EXPECT_EQ(GrayedTextOrigin(c.rc, c.extent), c.ptGrayed) << c.pszName;
    }
}

TEST(ControlGeometry, LampSquareDiscAndShadowArc)
{
    const struct
    {
        CRect rc;
        CRect rcSquare, rcDisc;
        QPoint ptStart, ptEnd;
    } cases[] = {
        {{0, 0, 80, 30}, {25, 0, 55, 30}, {31, 6, 49, 24}, {29, 25}, {50, 4}},  // wide
        {{0, 0, 20, 60}, {0, 20, 20, 40}, {4, 24, 16, 36}, {2, 37}, {17, 22}},  // tall
        {{5, 0, 20, 15}, {5, 0, 20, 15}, {8, 3, 17, 12}, {7, 11}, {16, 2}},     // side 15 insets 3, radius 7
        {{2, 4, 12, 15}, {2, 4, 12, 14}, {4, 6, 10, 12}, {3, 12}, {10, 5}},     // side 10 insets 2
        {{10, 5, 41, 19}, {18, 5, 32, 19}, {20, 7, 30, 17}, {20, 16}, {29, 7}}, // side 14 insets 2
        {{0, 0, 4, 4}, {0, 0, 4, 4}, {0, 0, 4, 4}, {0, 3}, {3, 0}},             // side 4 insets nothing
    };
    for (const auto& c : cases)
    {
        const CRect rcSquare = LargestCentredSquare(c.rc);
        EXPECT_EQ(rcSquare, c.rcSquare) << c.rc.left << "," << c.rc.right;
        EXPECT_EQ(LampDiscRect(rcSquare), c.rcDisc) << c.rc.left << "," << c.rc.right;
        const SArcEnds arc = ShadowArcEnds(rcSquare);
        EXPECT_EQ(arc.ptStart, c.ptStart) << c.rc.left << "," << c.rc.right;
        EXPECT_EQ(arc.ptEnd, c.ptEnd) << c.rc.left << "," << c.rc.right;
    }
}
} // namespace
