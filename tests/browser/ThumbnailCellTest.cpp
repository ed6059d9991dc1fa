#include "browser/ImageList.h"
#include "browser/ThumbnailCell.h"

#include <gtest/gtest.h>

TEST(ThumbnailCell, ThePictureIsCentredAndStandsOnTheBottomEdge)
{
    EXPECT_EQ(ThumbnailPictureRect(128, 640, 480), QRect(0, 32, 128, 96));
    EXPECT_EQ(ThumbnailPictureRect(128, 480, 640), QRect(16, 0, 96, 128));
    EXPECT_EQ(ThumbnailPictureRect(128, 300, 300), QRect(0, 0, 128, 128));
    EXPECT_EQ(ThumbnailPictureRect(128, 80, 60), QRect(0, 32, 128, 96));
    // 1000 by 1 fits as 128 by 0: nothing to draw.
    EXPECT_TRUE(ThumbnailPictureRect(128, 1000, 1).isEmpty());
    EXPECT_TRUE(ThumbnailPictureRect(128, 0, 0).isEmpty());
}

TEST(ThumbnailCell, TheCellIsBackgroundAroundThePicture)
{
    QImage picture(80, 60, QImage::Format_BGR888);
    picture.fill(QColor(200, 10, 10));
    const QImage cell = MakeThumbnailCell(picture, 128, Qt::white);
    ASSERT_EQ(cell.size(), QSize(128, 128));
    EXPECT_EQ(cell.pixelColor(64, 10), QColor(Qt::white)); // band above
    EXPECT_EQ(cell.pixelColor(64, 31), QColor(Qt::white));
    EXPECT_EQ(cell.pixelColor(64, 33), QColor(200, 10, 10));
    EXPECT_EQ(cell.pixelColor(0, 127), QColor(200, 10, 10));

    const QImage empty = MakeThumbnailCell(QImage(), 128, QColor(1, 2, 3));
    EXPECT_EQ(empty.pixelColor(64, 64), QColor(1, 2, 3));
    EXPECT_EQ(empty.size(), QSize(128, 128));
}

TEST(ImageList, FindsCellsByFileAndRefusesPastItsLimit)
{
    QImage cell(128, 128, QImage::Format_RGB888);
    TImageList list(2 * cell.sizeInBytes());
    EXPECT_EQ(list.Add(cell, "a.jpg"), 0);
    EXPECT_EQ(list.Add(cell, "b.jpg"), 1);
    EXPECT_EQ(list.Add(cell, "c.jpg"), -1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf("b.jpg"), 1);
    EXPECT_EQ(list.IndexOf("B.jpg"), -1);
    EXPECT_TRUE(list.Image(7).isNull());
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(cell, "c.jpg"), 0);
}
