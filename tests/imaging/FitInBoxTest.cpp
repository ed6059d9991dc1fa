#include "imaging/Resampling.h"

#include <gtest/gtest.h>

TEST(FitInBox, KeepsTheAspectRatioWithOneSideOnTheBox)
{
    EXPECT_EQ(FitInBox(200, 200, 3, 2), QSize(200, 133));
    EXPECT_EQ(FitInBox(200, 200, 2, 3), QSize(133, 200));
    EXPECT_EQ(FitInBox(640, 480, 1600, 1200), QSize(640, 480)); // same ratio: the height branch
    EXPECT_EQ(FitInBox(1024, 768, 3000, 4000), QSize(576, 768));
    EXPECT_EQ(FitInBox(128, 128, 1000, 1), QSize(128, 0));
    EXPECT_EQ(FitInBox(128, 128, 1, 1000), QSize(0, 128));
    EXPECT_EQ(FitInBox(200, 200, 50, 20), QSize(200, 80)); // small pictures grow to the box
}

TEST(FitInBox, RoundsExactHalvesToEven)
{
    EXPECT_EQ(FitInBox(125, 200, 2, 1), QSize(125, 62)); // 62.5
    EXPECT_EQ(FitInBox(127, 200, 2, 1), QSize(127, 64)); // 63.5
    EXPECT_EQ(FitInBox(200, 125, 1, 2), QSize(62, 125)); // 125 / 2
    EXPECT_EQ(FitInBox(200, 127, 1, 2), QSize(64, 127));
    // Halves that pass through an inexact ratio: 7 x 29 / 14 = 14.5 and
    // 79 x 7 / 158 = 3.5. Extended precision keeps them on the half; double
    // precision would give 15 and 3.
    EXPECT_EQ(FitInBox(7, 27, 14, 29), QSize(7, 14));
    EXPECT_EQ(FitInBox(4, 79, 7, 158), QSize(4, 79));
}

TEST(FitInBox, EmptyPicturesAndBoxesGiveNoSize)
{
    EXPECT_EQ(FitInBox(200, 200, 0, 10), QSize(0, 0));
    EXPECT_EQ(FitInBox(200, 200, 10, 0), QSize(0, 0));
    EXPECT_EQ(FitInBox(0, 0, 10, 10), QSize(0, 0));
    EXPECT_EQ(FitInBox(0, 200, 10, 10), QSize(0, 0));
    EXPECT_EQ(FitInBox(-5, 200, 10, 10), QSize(0, 0));
}
