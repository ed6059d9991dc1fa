#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/JPEG_IO.h"
#include "imaging/PictureLoading.h"
#include "tests/imaging/ImagingTestFiles.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// The 16-bit big-endian field at offset `at` of the first start-of-frame
// marker: height at 5, width at 7.
void PatchFrameSize(QByteArray &jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        const uchar marker = uchar(jpeg[i + 1]);
        if (uchar(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8), jpeg[i + 6] = char(height);
            jpeg[i + 7] = char(width >> 8), jpeg[i + 8] = char(width);
            return;
        }
    }
    ADD_FAILURE() << "no start-of-frame marker";
}


} // namespace

TEST(JPEGReader, RoundsScaledSizesUp)
{
    TestFolder folder;
    const QString path = folder.Write(QStringLiteral("photo.jpg"), EncodeJPEG(MakeTestPicture(1001, 667, 1, QImage::Format_BGR888), JPEGKind::Colour));
    const struct { JPEGReadScale scale; int width, height; } cases[] = {
        {JPEGReadScale::Whole, 1001, 667}, {JPEGReadScale::Half, 501, 334},
        {JPEGReadScale::Quarter, 251, 167}, {JPEGReadScale::Eighth, 126, 84}};
    for (const auto &c : cases) {
        QImage target;
        EXPECT_TRUE(LoadJPEGFile(target, path, c.scale));
        EXPECT_EQ(target.size(), QSize(c.width, c.height));
        EXPECT_EQ(target.format(), QImage::Format_BGR888);
        EXPECT_EQ(LoadPictureFile(path, c.scale).size(), QSize(c.width, c.height));
    }
}

// One test per kind of JPEG and scale.
class JPEGScaleRows : public testing::TestWithParam<std::tuple<JPEGKind, int>>
{
};

TEST_P(JPEGScaleRows, GivesTheSamePixelsAsDjpeg)
{
    REQUIRE_TOOLS("djpeg");
    const auto [kind, divisor] = GetParam();
    TestFolder folder;
    const QString path = folder.Write(QStringLiteral("picture.jpg"),
                                      EncodeJPEG(MakeTestPicture(203, 131, 7, QImage::Format_BGR888), kind, 80));
    const QString reference = folder.Path(QStringLiteral("reference.pnm"));
    ASSERT_TRUE(RunTool(QStringLiteral("djpeg"), {QStringLiteral("-scale"), QStringLiteral("1/%1").arg(divisor),
                                                  QStringLiteral("-outfile"), reference, path}));
    const JPEGReadScale scale = JPEGReadScale(divisor == 1 ? 0 : divisor == 2 ? 1 : divisor == 4 ? 2 : 3);
    QImage direct;
    ASSERT_TRUE(LoadJPEGFile(direct, path, scale));
    EXPECT_EQ(direct.format(), kind == JPEGKind::Grey ? QImage::Format_Grayscale8 : QImage::Format_BGR888);
    const QImage loaded = LoadPictureFile(path, scale);
    EXPECT_EQ(loaded.format(), QImage::Format_BGR888);
    EXPECT_TRUE(SamePixels(loaded, ReadReferencePPM(reference)));
}

INSTANTIATE_TEST_SUITE_P(JPEGReader, JPEGScaleRows,
                         testing::Combine(testing::Values(JPEGKind::Colour, JPEGKind::Progressive, JPEGKind::Grey),
                                          testing::Values(1, 2, 4, 8)),
                         [](const testing::TestParamInfo<std::tuple<JPEGKind, int>> &info) {
                             return std::string(JPEGKindName(std::get<0>(info.param))) + "_scale_1_"
                                    + std::to_string(std::get<1>(info.param));
                         });

TEST(JPEGReader, TakesEveryJPEGExtensionInAnyCase)
{
    TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray jpeg = EncodeJPEG(MakeTestPicture(80, 40, 1, QImage::Format_BGR888), JPEGKind::Colour);
    for (const char *name : {"a.jpg", "b.Jpg", "C.JPG", "d.jpeg", "e.jpe", "f.jfif", "G.JFIF", "h.JpEg"})
        EXPECT_EQ(LoadPictureFile(folder.Write(QLatin1String(name), jpeg), JPEGReadScale::Eighth).size(), QSize(10, 5))
            << name;
}

TEST(JPEGReader, DecodesFourChannelFilesToTheirColours)
{
    TestFolder folder;
    // Smooth colours: YCCK files keep their colour at half resolution.
    QImage picture(48, 32, QImage::Format_BGR888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(40 + 4 * x, 250 - 6 * y, 120 + 2 * x - 3 * y));
    QImage expected(picture.size(), QImage::Format_BGR888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            uint8_t ink[4];
            InkOf(picture.pixel(x, y), ink);
            expected.setPixel(x, y, ColourOfInk(ink));
        }
    const QString adobe = folder.Write(QStringLiteral("adobe.jpg"), EncodeJPEG(picture, JPEGKind::CMYKAdobe, 100));
    const QString plain = folder.Write(QStringLiteral("plain.jpg"), EncodeJPEG(picture, JPEGKind::CMYKPlain, 100));
    const QString ycck = folder.Write(QStringLiteral("ycck.jpg"), EncodeJPEG(picture, JPEGKind::YCCK, 100));
    const QImage fromAdobe = LoadPictureFile(adobe, JPEGReadScale::Whole);
    EXPECT_TRUE(SamePixels(fromAdobe, expected, 12));
    EXPECT_TRUE(SamePixels(LoadPictureFile(plain, JPEGReadScale::Whole), fromAdobe, 2))
        << "the same inks stored plain give the same colours";
    EXPECT_TRUE(SamePixels(LoadPictureFile(ycck, JPEGReadScale::Whole), expected, 12));
    EXPECT_EQ(LoadPictureFile(ycck, JPEGReadScale::Quarter).size(), QSize(12, 8));

    REQUIRE_TOOLS("convert");
    // ImageMagick writes Adobe-style inverted CMYK, like Photoshop.
    const QString source = folder.Path(QStringLiteral("source.ppm"));
    WriteReferencePPM(MakeTestPicture(64, 48, 5, QImage::Format_BGR888), source);
    const QString magick = folder.Path(QStringLiteral("magick.jpg"));
    const QString reference = folder.Path(QStringLiteral("magick.ppm"));
    ASSERT_TRUE(RunTool(QStringLiteral("convert"), {source, "-colorspace", "CMYK", "-quality", "95", magick}));
    ASSERT_TRUE(RunTool(QStringLiteral("convert"), {magick, "-colorspace", "sRGB", "-depth", "8", reference}));
    EXPECT_TRUE(SamePixels(LoadPictureFile(magick, JPEGReadScale::Whole), ReadReferencePPM(reference), 1));
    for (const QString &path : {adobe, ycck}) {
        const QString decoded = path + QStringLiteral(".ppm");
        ASSERT_TRUE(RunTool(QStringLiteral("convert"), {path, "-colorspace", "sRGB", "-depth", "8", decoded}));
        EXPECT_TRUE(SamePixels(LoadPictureFile(path, JPEGReadScale::Whole), ReadReferencePPM(decoded), 1));
    }
}

TEST(JPEGReader, GivesAnEmptyPictureWithoutMessageForMissingOrHeaderlessFiles)
{
    TestFolder folder;
    const QByteArray jpeg = EncodeJPEG(MakeTestPicture(40, 30, 1, QImage::Format_BGR888), JPEGKind::Colour);
    QImage untouched(7, 7, QImage::Format_BGR888);
    untouched.fill(Qt::red);
    QImage target = untouched;
    EXPECT_FALSE(LoadJPEGFile(target, folder.Path(QStringLiteral("missing.jpg")), JPEGReadScale::Whole));
    EXPECT_EQ(target, untouched);
    EXPECT_FALSE(LoadJPEGFile(target, folder.Write(QStringLiteral("cut.jpg"), jpeg.left(120)), JPEGReadScale::Whole));
    EXPECT_EQ(target, untouched);
    EXPECT_FALSE(LoadJPEGFile(target, folder.Write(QStringLiteral("empty.jpg"), {}), JPEGReadScale::Whole));
    EXPECT_FALSE(LoadJPEGFile(target, folder.Write(QStringLiteral("text.jpg"), "not a picture"), JPEGReadScale::Whole));
    EXPECT_EQ(target, untouched);

    for (const char *name : {"missing.jpg", "cut.jpg", "empty.jpg", "text.jpg"}) {
        QImage loaded;
        EXPECT_NO_THROW(loaded = LoadPictureFile(folder.Path(QLatin1String(name)), JPEGReadScale::Eighth)) << name;
        EXPECT_TRUE(loaded.isNull()) << name;
    }
}

TEST(JPEGReader, GivesTheFullSizeWhenTheDataIsDamagedAfterAGoodHeader)
{
    TestFolder folder;
    const QByteArray jpeg = EncodeJPEG(MakeTestPicture(160, 120, 1, QImage::Format_BGR888), JPEGKind::Colour);
    const QString truncated = folder.Write(QStringLiteral("truncated.jpg"), jpeg.left(jpeg.size() / 2));
    EXPECT_EQ(LoadPictureFile(truncated, JPEGReadScale::Whole).size(), QSize(160, 120));
    EXPECT_EQ(LoadPictureFile(truncated, JPEGReadScale::Eighth).size(), QSize(20, 15));

    QByteArray scrambled = jpeg;
    for (qsizetype i = jpeg.size() / 3; i < jpeg.size() - 2; i += 7)
        scrambled[i] = char(scrambled[i] ^ 0x5A);
    const QString damaged = folder.Write(QStringLiteral("damaged.jpg"), scrambled);
    EXPECT_EQ(LoadPictureFile(damaged, JPEGReadScale::Whole).size(), QSize(160, 120));

    // A progressive file whose second scan names a component the frame does
    // not have: the library gives up, the picture keeps its size and the
    // rows it could not deliver are black.
    QByteArray progressive = EncodeJPEG(MakeTestPicture(64, 64, 1, QImage::Format_BGR888), JPEGKind::Progressive);
    const qsizetype firstScan = progressive.indexOf("\xFF\xDA");
    const qsizetype secondScan = progressive.indexOf("\xFF\xDA", firstScan + 2);
    ASSERT_GT(secondScan, 0);
    progressive[secondScan + 5] = char(0x77);
    QImage target;
    EXPECT_FALSE(LoadJPEGFile(target, folder.Write(QStringLiteral("bad-scan.jpg"), progressive), JPEGReadScale::Whole));
    ASSERT_EQ(target.size(), QSize(64, 64));
    EXPECT_EQ(target.pixel(63, 63), qRgb(0, 0, 0));
}

TEST(JPEGReader, RefusesPicturesTooLargeToHoldWithAMessage)
{
    TestFolder folder;
    QByteArray jpeg = EncodeJPEG(MakeTestPicture(16, 16, 1, QImage::Format_BGR888), JPEGKind::Colour);
    PatchFrameSize(jpeg, 20000, 20000);
    const QString huge = folder.Write(QStringLiteral("huge.jpg"), jpeg);
    QImage target;
    EXPECT_EQ(ReadJPEGFile(target, huge, JPEGReadScale::Whole).status, JPEGReadStatus::TooLarge);
    EXPECT_TRUE(target.isNull());
    EXPECT_TRUE(ErrorOf([&] { LoadPictureFile(huge, JPEGReadScale::Whole); }).startsWith(QStringLiteral("Picture too large (20000 by 20000 pixels)")));
    // One eighth of it would be small enough, but the few hundred bytes of
    // data cannot hold a picture of that size: no picture is made for them.
    EXPECT_TRUE(LoadPictureFile(huge, JPEGReadScale::Eighth).isNull());

    // A progressive file is held whole while it is read, whatever the scale.
    QByteArray progressive = EncodeJPEG(MakeTestPicture(16, 16, 1, QImage::Format_BGR888), JPEGKind::Progressive);
    PatchFrameSize(progressive, 20000, 20000);
    const QString hugeProgressive = folder.Write(QStringLiteral("huge-progressive.jpg"), progressive);
    EXPECT_TRUE(ErrorOf([&] { LoadPictureFile(hugeProgressive, JPEGReadScale::Eighth); }).startsWith(QStringLiteral("Picture too large")));
}
