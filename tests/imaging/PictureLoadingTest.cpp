#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/imaging/ImagingTestFiles.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

QRgb PixelOf(const QImage &bitmap24, int x, int y)
{
    const uchar *p = bitmap24.constScanLine(y) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

TEST(MakeBitmap24, BringsEveryFormatToBlueGreenRed)
{
    EXPECT_TRUE(MakeBitmap24(QImage()).isNull());

    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.scanLine(0)[0] = 200, grey.scanLine(0)[1] = 7;
    QImage mono(2, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.setPixel(0, 0, 1), mono.setPixel(1, 0, 0);
    QImage rgb32(2, 1, QImage::Format_RGB32);
    rgb32.setPixel(0, 0, qRgb(200, 100, 50)), rgb32.setPixel(1, 0, qRgb(1, 2, 3));
    const struct { QImage image; QRgb first, second; } cases[] = {
        {indexed, qRgb(200, 100, 50), qRgb(1, 2, 3)},
        {grey, qRgb(200, 200, 200), qRgb(7, 7, 7)},
        {mono, qRgb(255, 255, 255), qRgb(0, 0, 0)},
        {rgb32, qRgb(200, 100, 50), qRgb(1, 2, 3)},
        {rgb32.convertToFormat(QImage::Format_RGBX64), qRgb(200, 100, 50), qRgb(1, 2, 3)},
    };
    for (const auto &c : cases) {
        const QImage result = MakeBitmap24(c.image);
        EXPECT_EQ(result.format(), QImage::Format_BGR888) << c.image.format();
        EXPECT_EQ(PixelOf(result, 0, 0), c.first) << c.image.format();
        EXPECT_EQ(PixelOf(result, 1, 0), c.second) << c.image.format();
    }
}

TEST(MakeBitmap24, ComposesTransparencyOntoBlack)
{
    QImage argb(4, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(200, 100, 50, 255));
    argb.setPixel(1, 0, qRgba(200, 100, 50, 128));
    argb.setPixel(2, 0, qRgba(255, 255, 255, 0));
    argb.setPixel(3, 0, qRgba(255, 1, 254, 1));
    for (const QImage &image : {argb, argb.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                argb.convertToFormat(QImage::Format_RGBA64)}) {
        const QImage result = MakeBitmap24(image);
        EXPECT_EQ(PixelOf(result, 0, 0), qRgb(200, 100, 50)) << image.format();
        EXPECT_EQ(PixelOf(result, 1, 0), qRgb(100, 50, 25)) << image.format();
        EXPECT_EQ(PixelOf(result, 2, 0), qRgb(0, 0, 0)) << image.format();
        EXPECT_EQ(PixelOf(result, 3, 0), qRgb(1, 0, 1)) << image.format();
    }
    QImage palette(1, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgba(100, 200, 60, 51)});
    palette.fill(0);
    EXPECT_EQ(PixelOf(MakeBitmap24(palette), 0, 0), qRgb(20, 40, 12));
}

TEST(LoadPictureFile, GivesAnEmptyPictureForIconsAndMetafiles)
{
    TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray icon = QByteArray::fromHex("000001000100" "1010000001002000" "04000000" "16000000") + "abcd";
    EXPECT_TRUE(LoadPictureFile(folder.Write(QStringLiteral("a.ico"), icon), JPEGReadScale::Whole).isNull());
    QByteArray placeable = QByteArray::fromHex("d7cdc69a" "0000" "00000000e803e803" "6000" "00000000");
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(uchar(placeable[i]) | uchar(placeable[i + 1]) << 8);
    placeable += char(checksum & 0xFF);
    placeable += char(checksum >> 8);
    placeable += QByteArray::fromHex("010009000003");
    EXPECT_TRUE(LoadPictureFile(folder.Write(QStringLiteral("a.wmf"), placeable), JPEGReadScale::Whole).isNull());
    QByteArray enhanced(88, '\0');
    enhanced[0] = 1, enhanced[4] = 88;
    enhanced.replace(40, 4, " EMF");
    EXPECT_TRUE(LoadPictureFile(folder.Write(QStringLiteral("a.emf"), enhanced), JPEGReadScale::Whole).isNull());

    const auto errorOf = [&](const char *name, const QByteArray &bytes) {
        try {
            LoadPictureFile(folder.Write(QLatin1String(name), bytes), JPEGReadScale::Whole);
        } catch (const VistranoError &error) {
            return error.message();
        }
        return QStringLiteral("(loaded)");
    };
    EXPECT_EQ(errorOf("b.ico", icon.left(20)), QStringLiteral("Icon image is not valid"));
    EXPECT_EQ(errorOf("c.ico", QByteArray::fromHex("000002000100") + icon.mid(6)), QStringLiteral("Icon image is not valid"));
    placeable[20] = char(placeable[20] ^ 1);
    EXPECT_EQ(errorOf("b.wmf", placeable), QStringLiteral("Metafile is not valid"));
    EXPECT_EQ(errorOf("b.emf", enhanced.left(40)), QStringLiteral("Metafile is not valid"));
    EXPECT_EQ(errorOf("picture.xyz", "x"), QStringLiteral("Unknown picture file extension (.xyz)"));
}
