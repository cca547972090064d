#include "platform/ui/density.h"

#include <gtest/gtest.h>

using density::MulDiv;

// MulDiv rounds to the nearest integer with halves away from zero, for either sign.
TEST(Density, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 4, 5), 6); // 5.6
    EXPECT_EQ(MulDiv(13, 96, 120), 10); // 10.4
    EXPECT_EQ(MulDiv(616, 12, 15), 493); // 492.8
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

// Far edges are scaled, so controls that touch before scaling still touch after.
TEST(Density, ScaledNeighboursStillTouch)
{
    const QRect left(2, 8, 25, 25), right(27, 8, 25, 25);
    const QRect a = density::scaleBounds(left, 12, 15), b = density::scaleBounds(right, 12, 15);
    EXPECT_EQ(a.x() + a.width(), b.x());
    EXPECT_EQ(a, QRect(2, 6, 20, 20));
    EXPECT_EQ(b, QRect(22, 6, 20, 20));
    EXPECT_EQ(density::scaleBounds(QRect(8, 12, 497, 80), 1, 1), QRect(8, 12, 497, 80));
}

// A control's own font is scaled through its point size at the screen's density.
TEST(Density, OwnFontScaledThroughPointSize)
{
    // 27 px at 96 dpi is 20 pt; scaled by 12/15 it is 16 pt, which is 21 px.
    EXPECT_EQ(density::scaleFontHeight(27, 12, 15, 96), 21);
    EXPECT_EQ(density::scaleFontHeight(27, 1, 1, 120), 27);
    EXPECT_EQ(density::scaleFontHeight(17, 12, 15, 96), 13);
}
