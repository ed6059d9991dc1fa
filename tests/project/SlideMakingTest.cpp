#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "project/ExtendedFloat.h"
#include "project/SlideMaking.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QString SavePicture(const TestFolder &folder, const QString &name, int width, int height, const char *format)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    const QString path = folder.Path(name);
    EXPECT_TRUE(picture.save(path, format, 90));
    return path;
}

} // namespace

TEST(SlideMaking, ALandscapeJpegMakesA133By100Slide)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QString path = SavePicture(folder, QStringLiteral("landscape.jpg"), 1600, 1200, "JPG");
    RectBoxProperties box;
    MakeSlideFromPicture(box, path, {7, 3});
    EXPECT_EQ(box.Picture().size(), QSize(200, 150));
    EXPECT_EQ(box.Picture().format(), QImage::Format_BGR888);
    EXPECT_EQ(box.PictureWidth(), 200);
    EXPECT_EQ(box.PictureHeight(), 150);
    const ExtendedBytes ratio = ToExtendedBytes(box.Ratio());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(ratio.data()), 10), QByteArray::fromHex("ABAAAAAAAAAAAAAAFF3F"));
    EXPECT_EQ(box.Width(), 133);
    EXPECT_EQ(box.Height(), 100);
    EXPECT_FALSE(box.DrawBoxes());
    EXPECT_EQ(box.BoxType(), TBoxType::btImage);
    EXPECT_EQ(box.AbLeft(), 7.0);
    EXPECT_EQ(box.AbTop(), 3.0);
    EXPECT_EQ(box.FileName(), path);
}

TEST(SlideMaking, PortraitWideAndSmallPictures)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    RectBoxProperties portrait, wide, small;
    MakeSlideFromPicture(portrait, SavePicture(folder, QStringLiteral("p.jpg"), 1200, 1600, "JPG"), {});
    EXPECT_EQ(portrait.Picture().size(), QSize(150, 200));
    EXPECT_EQ(portrait.Width(), 75);
    // 2000 by 640 is read at 250 by 80; 312.5 rounds to the even 312.
    MakeSlideFromPicture(wide, SavePicture(folder, QStringLiteral("w.jpg"), 2000, 640, "JPG"), {});
    EXPECT_EQ(wide.Picture().size(), QSize(200, 64));
    EXPECT_EQ(wide.Ratio(), 3.125L);
    EXPECT_EQ(wide.Width(), 312);
    // Small pictures are enlarged.
    MakeSlideFromPicture(small, SavePicture(folder, QStringLiteral("s.bmp"), 100, 100, "BMP"), {});
    EXPECT_EQ(small.Picture().size(), QSize(200, 200));
    EXPECT_EQ(small.Width(), 100);
    EXPECT_EQ(small.AbLeft(), 4.0);
    EXPECT_EQ(small.AbTop(), 0.0);
}

TEST(SlideMaking, APictureThatLoadsEmptyIsAnError)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    RectBoxProperties box;
    const QString missing = folder.Path(QStringLiteral("missing.jpg"));
    const QString message = ErrorOf([&] { MakeSlideFromPicture(box, missing, {}); });
    EXPECT_TRUE(message.contains(missing)) << message.toStdString();
    const QString broken = folder.Write(QStringLiteral("broken.jpg"), QByteArray("not a jpeg"));
    EXPECT_TRUE(ErrorOf([&] { MakeSlideFromPicture(box, broken, {}); }).contains(broken));
    EXPECT_EQ(ErrorOf([&] { MakeSlideFromPicture(box, folder.Write(QStringLiteral("x.xyz"), "x"), {}); }),
              QStringLiteral("Unknown picture file extension (.xyz)"));
    // The box is left as it was.
    EXPECT_TRUE(box.FileName().isEmpty());
    EXPECT_FALSE(box.PictureData().Assigned());
}
