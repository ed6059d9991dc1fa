#include "browser/ThumbnailBuilder.h"
#include "browser/ThumbnailCell.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/decoders/ExifOrientation.h"
#include "project/SlideMaking.h"
#include "project/SlideRotation.h"
#include "slides/Viewer.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PhotoFiles.h"
#include "tests/support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QString WriteJPEG(const TestFolder &folder, const QString &name, const QImage &picture, int tag)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "JPG", 100));
    return folder.Write(name, tag ? WithExifOrientation(bytes, tag) : bytes);
}

} // namespace

class OrientedPhoto : public ::testing::TestWithParam<int>
{
};

// A photo with an orientation tag shows upright in the thumbnail view and
// the preview, and makes the slide that the untagged stored picture makes
// once the user has rotated it upright.
TEST_P(OrientedPhoto, ShowsUprightAndMakesTheRotatedSlide)
{
    const int tag = GetParam();
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QImage scene = QuadrantPicture(320, 240);
    const QImage shown = ShownForOrientation(scene, tag);
    const QImage stored = StoredForOrientation(scene, tag);
    const QString tagged = WriteJPEG(folder, QStringLiteral("tagged.jpg"), stored, tag);
    const QString raw = WriteJPEG(folder, QStringLiteral("raw.jpg"), stored, 0);

    TThumbnailBuilder builder(128);
    QImage cell;
    QObject::connect(&builder, &TThumbnailBuilder::CellReady,
                     [&cell](quint64, int, const QImage &made, bool) { cell = made; });
    builder.Start({tagged}, Qt::white);
    ASSERT_TRUE(WaitFor([&] { return !builder.IsRunning(); }));
    EXPECT_TRUE(SameQuadrants(cell, MakeThumbnailCell(shown, 128, Qt::white))) << "thumbnail";

    TfrmViewer viewer;
    viewer.ShowFilePreview(tagged);
    EXPECT_TRUE(SameQuadrants(viewer.Picture(), shown)) << "preview";
    EXPECT_EQ(viewer.windowTitle(), tagged + QStringLiteral("   (%1 X %2)").arg(shown.width()).arg(shown.height()));

    // The build and printing take the stored pixels and turn them by the
    // slide's Rotation.
    EXPECT_TRUE(SameQuadrants(LoadPictureFile(tagged, JPEGReadScale::Whole), stored)) << "stored pixels";

    RectBoxProperties slide, rotated;
    MakeSlideFromPicture(slide, tagged, {});
    MakeSlideFromPicture(rotated, raw, {});
    // What the user does to stand the raw picture upright: clockwise once
    // or twice, or counter-clockwise once.
    const int turn = OrientationTurn(tag);
    if (turn == 270)
        RotateSlide(rotated, false);
    for (int quarter = 0; turn != 270 && quarter < turn / 90; ++quarter)
        RotateSlide(rotated, true);
    EXPECT_EQ(slide.Rotation(), turn);
    EXPECT_EQ(slide.Rotation(), rotated.Rotation());
    EXPECT_EQ(slide.Picture(), rotated.Picture());
    EXPECT_EQ(slide.PictureWidth(), rotated.PictureWidth());
    EXPECT_EQ(slide.PictureHeight(), rotated.PictureHeight());
    EXPECT_EQ(slide.Ratio(), rotated.Ratio());
    EXPECT_EQ(slide.Width(), rotated.Width());
    EXPECT_EQ(slide.Height(), 100);
    EXPECT_EQ(slide.Width(), shown.width() > shown.height() ? 133 : 75) << "stands upright on the strip";
    EXPECT_TRUE(SameQuadrants(slide.Picture(), shown.scaled(slide.Picture().size()))) << "upright thumbnail";
}

INSTANTIATE_TEST_SUITE_P(EveryTag, OrientedPhoto, ::testing::Range(1, 9));
