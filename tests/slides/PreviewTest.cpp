#include "slides/PreviewScaling.h"
#include "slides/Viewer.h"
#include "common/VistranoError.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

TEST(PreviewScaling, FitsTheWindowKeepingTheShapeAndCentres)
{
    // The designed client area of 720 by 485.
    EXPECT_EQ(PreviewPictureRect({720, 485}, {1600, 1200}), QRect(36, 0, 647, 485));
    EXPECT_EQ(PreviewPictureRect({720, 485}, {100, 100}), QRect(117, 0, 485, 485));
    EXPECT_EQ(PreviewPictureRect({720, 485}, {1200, 300}), QRect(0, 152, 720, 180));
    EXPECT_EQ(PreviewPictureRect({720, 485}, {720, 485}), QRect(0, 0, 720, 485));
    EXPECT_TRUE(PreviewPictureRect({720, 485}, {0, 0}).isEmpty());
    EXPECT_TRUE(PreviewPictureRect({0, 485}, {10, 10}).isEmpty());
}

TEST(PreviewScaling, TheScalesAreSinglePrecisionAndRoundToEven)
{
    // cw / bw = 1/3 in single precision; 3 x sy = 1.5 exactly rounds to 2.
    EXPECT_EQ(PreviewPictureRect({1, 2}, {3, 4}).size(), QSize(1, 1));
    // 5 x (1/2) = 2.5 rounds to 2; 7 x (1/2) = 3.5 rounds to 4.
    EXPECT_EQ(PreviewPictureRect({100, 1}, {5, 2}).size(), QSize(2, 1));
    EXPECT_EQ(PreviewPictureRect({100, 1}, {7, 2}).size(), QSize(4, 1));
    // Equal scales take the first branch: the full client height.
    EXPECT_EQ(PreviewPictureRect({200, 100}, {400, 200}), QRect(0, 0, 200, 100));
}

TEST(PreviewScaling, CaptionCarriesPathAndSizeAfterRotation)
{
    EXPECT_EQ(PreviewCaption("/pics/a.jpg", {480, 640}), "/pics/a.jpg   (480 X 640)");
    TestFolder folder;
    QImage picture(64, 48, QImage::Format_RGB888);
    picture.fill(Qt::blue);
    const QString path = folder.Path("slide.jpg");
    ASSERT_TRUE(picture.save(path, "JPG"));
    EXPECT_EQ(LoadPreviewPicture(path, 90).size(), QSize(48, 64));
    EXPECT_EQ(LoadPreviewPicture(path, 180).size(), QSize(64, 48));
    EXPECT_EQ(LoadPreviewPicture(path, 45).size(), QSize(64, 48));
    EXPECT_EQ(LoadPreviewPicture(path, 0).format(), QImage::Format_BGR888);
}

TEST(Viewer, ShowsThePictureWithItsCaptionAndHidesOnClose)
{
    TestFolder folder;
    QImage picture(640, 480, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString path = folder.Path("a.jpg");
    ASSERT_TRUE(picture.save(path, "JPG"));

    TfrmViewer viewer;
    EXPECT_EQ(viewer.windowTitle(), "Viewer");
    EXPECT_EQ(viewer.size(), QSize(720, 485));
    EXPECT_FALSE(viewer.isVisible());
    viewer.ShowPicturePreview(path, 90);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), path + "   (480 X 640)");
    EXPECT_EQ(viewer.Picture().size(), QSize(480, 640));
    EXPECT_EQ(viewer.PictureRect(), QRect(178, 0, 364, 485));

    const QImage shot = viewer.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 240), QColor(Qt::black));
    EXPECT_GT(shot.pixelColor(360, 240).red(), 200);

    viewer.resize(400, 800);
    EXPECT_EQ(viewer.PictureRect(), QRect(0, 133, 400, 533));

    viewer.close();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.Picture().size(), QSize(480, 640));
    viewer.ShowPicturePreview(path, 0);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), path + "   (640 X 480)");
}

TEST(Viewer, AFailedLoadKeepsThePreviousPictureAndStaysHidden)
{
    TestFolder folder;
    QImage picture(32, 16, QImage::Format_RGB888);
    picture.fill(Qt::green);
    const QString path = folder.Path("a.jpg");
    ASSERT_TRUE(picture.save(path, "JPG"));
    TfrmViewer viewer;
    viewer.ShowPicturePreview(path, 0);
    viewer.close();
    const QString bad = folder.Write("bad.bmp", "no bitmap");
    EXPECT_THROW(viewer.ShowPicturePreview(bad, 0), VistranoError);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), path + "   (32 X 16)");
    EXPECT_EQ(viewer.Picture().size(), QSize(32, 16));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A missing .jpg loads as an empty picture without an error.
    viewer.ShowPicturePreview(folder.Path("missing.jpg"), 0);
    EXPECT_TRUE(viewer.Picture().isNull());
    EXPECT_EQ(viewer.windowTitle(), folder.Path("missing.jpg") + "   (0 X 0)");
    EXPECT_TRUE(viewer.PictureRect().isEmpty());
}
