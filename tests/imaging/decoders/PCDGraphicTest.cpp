#include "imaging/decoders/PCDGraphic.h"

#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// An Image Pac with only what Base decoding reads: the signature, the
// attribute byte and the Base level, built from luma and chroma functions.
QByteArray EncodePCD(const std::function<int(int, int)> &luma, const std::function<int(int, int)> &c1,
                     const std::function<int(int, int)> &c2, int orientation = 0)
{
    QByteArray out(0xC0000, '\0');
    std::memcpy(out.data() + 0x800, "PCD_IPI", 7);
    out[0xE02] = char(orientation);
    char *p = out.data() + 0x30000;
    for (int k = 0; k < 256; ++k) {
        for (int r = 0; r < 2; ++r)
            for (int x = 0; x < 768; ++x)
                *p++ = char(luma(x, 2 * k + r));
        for (int j = 0; j < 384; ++j)
            *p++ = char(c1(j, k));
        for (int j = 0; j < 384; ++j)
            *p++ = char(c2(j, k));
    }
    return out;
}

std::function<int(int, int)> Constant(int value)
{
    return [value](int, int) { return value; };
}

} // namespace

TEST(PCDGraphic, KodakConversionOfKnownValues)
{
    struct Case
    {
        int y, c1, c2;
        QRgb rgb;
    };
    // R = 1.3584 Y + 1.8215 (C2 - 137), G = 1.3584 Y - 0.4303 (C1 - 156)
    // - 0.9271 (C2 - 137), B = 1.3584 Y + 2.2179 (C1 - 156), rounded, clamped.
    const Case cases[] = {
        {0, 156, 137, qRgb(0, 0, 0)},       {100, 156, 137, qRgb(136, 136, 136)},
        {188, 156, 137, qRgb(255, 255, 255)}, {100, 200, 137, qRgb(136, 117, 233)},
        {100, 156, 200, qRgb(251, 77, 136)}, {100, 100, 100, qRgb(68, 194, 12)},
    };
    for (const Case &c : cases) {
        const QImage image = Decode<TPCDGraphic>(EncodePCD(Constant(c.y), Constant(c.c1), Constant(c.c2)));
        ASSERT_EQ(image.size(), QSize(768, 512));
        EXPECT_EQ(image.pixel(300, 200), c.rgb) << c.y << " " << c.c1 << " " << c.c2;
        EXPECT_EQ(image.pixel(767, 511), c.rgb);
    }
}

TEST(PCDGraphic, OrientationTurnsThePictureUpright)
{
    // A white block in the stored top-left corner.
    const auto luma = [](int x, int y) { return x < 10 && y < 10 ? 188 : 0; };
    struct Case
    {
        int orientation;
        QSize size;
        QPoint white;
    };
    const Case cases[] = {
        {0, {768, 512}, {0, 0}},
        {1, {512, 768}, {0, 767}}, // a quarter turn counter-clockwise
        {2, {768, 512}, {767, 511}},
        {3, {512, 768}, {511, 0}}, // a quarter turn clockwise
    };
    for (const Case &c : cases) {
        const QImage image = Decode<TPCDGraphic>(EncodePCD(luma, Constant(156), Constant(137), c.orientation));
        ASSERT_EQ(image.size(), c.size) << c.orientation;
        EXPECT_EQ(image.pixel(c.white), qRgb(255, 255, 255)) << c.orientation;
        EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), qRgb(0, 0, 0));
    }
}

TEST(PCDGraphic, CloseToPillowAndImageMagickOnAWrittenFile)
{
    REQUIRE_TOOLS("convert", "PIL");
    TestFolder folder;
    const QString source = folder.Path("source.png");
    const QString pcd = folder.Path("picture.pcd");
    ASSERT_TRUE(MagickWrite({"-size", "768x512", "gradient:#2060c0-#f0c040", "-swirl", "120", source}));
    ASSERT_TRUE(MagickWrite({source, pcd}));
    TPCDGraphic graphic;
    graphic.LoadFromFile(pcd);
    const QImage ours = graphic.Bitmap();
    ASSERT_EQ(ours.size(), QSize(768, 512));

    // Pillow converts with the same constants but repeats chroma over 2 x 2
    // pixels, where we interpolate; ImageMagick interpolates like us but
    // has a conversion of its own, so only the picture's shape is compared.
    EXPECT_LE(MaxDifference(ours, Pillow(pcd)), 6);
    const QImage magick = Magick(pcd);
    ASSERT_FALSE(magick.isNull());
    EXPECT_EQ(magick.size(), ours.size());
}

TEST(PCDGraphic, RefusesOtherFiles)
{
    QByteArray pcd = EncodePCD(Constant(1), Constant(2), Constant(3));
    EXPECT_EQ(ErrorOf<TPCDGraphic>(pcd.left(0xC0000 - 1)), QStringLiteral("Stream read error"));
    EXPECT_EQ(ErrorOf<TPCDGraphic>(pcd.left(0x900)), QStringLiteral("Stream read error"));
    pcd.replace(0x800, 7, "PCD_OPA");
    EXPECT_EQ(ErrorOf<TPCDGraphic>(pcd),
              QStringLiteral("Cannot load image. Invalid or unexpected PCD image format."));
}
