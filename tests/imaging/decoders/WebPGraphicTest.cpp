#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/decoders/ExifOrientation.h"
#include "imaging/decoders/WebPGraphic.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/PhotoFiles.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestPictures.h"
#include "tests/imaging/decoders/PhoneFormatTools.h"

#include <gtest/gtest.h>

namespace {

QImage WithAlpha(const QImage &picture)
{
    QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < rgba.height(); ++y)
        for (int x = 0; x < rgba.width(); ++x)
            rgba.scanLine(y)[4 * x + 3] = uchar(x < 10 ? 255 : (x * 13 + y * 5) % 256);
    return rgba;
}

} // namespace

// Whole and scaled decodes are dwebp's pixels (-ppm, -pam composed onto
// black, -resize for the scaled sizes, each side divided and rounded up).
TEST(WebPGraphic, MatchesDwebpWholeAndScaled)
{
    REQUIRE_TOOLS("cwebp", "dwebp", "img2webp");
    TestFolder folder;
    const QImage picture = MakeTestPicture(101, 75, 9);
    const QByteArray lossy = EncodeWith(folder, picture, QStringLiteral("cwebp"), {QStringLiteral("-q"), QStringLiteral("75")},
                                        QStringLiteral("lossy.webp"));
    const QByteArray alpha = EncodeWith(folder, WithAlpha(picture), QStringLiteral("cwebp"),
                                        {QStringLiteral("-lossless")}, QStringLiteral("alpha.webp"));
    const TFileFormatRegistration formats;
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("lossy.webp"), lossy}, std::pair{QStringLiteral("alpha.webp"), alpha}}) {
        const bool hasAlpha = name.startsWith(QLatin1String("alpha"));
        const QString reference = folder.Path(name + QStringLiteral(".pam"));
        RunTool(QStringLiteral("dwebp"), {QStringLiteral("-quiet"), folder.Path(name), QStringLiteral("-pam"),
                                          QStringLiteral("-o"), reference});
        const QImage dwebp = DecodeNetpbm(ReadFileBytes(reference));
        ExpectSamePixels(LoadPictureFile(folder.Path(name), JPEGReadScale::Whole).convertToFormat(QImage::Format_RGB888),
                         hasAlpha ? OntoBlack(dwebp) : dwebp.convertToFormat(QImage::Format_RGB888), name);

        for (const int divisor : {2, 4, 8}) {
            const QSize size((101 + divisor - 1) / divisor, (75 + divisor - 1) / divisor);
            const QString scaled = folder.Path(name + QStringLiteral("_%1.pam").arg(divisor));
            RunTool(QStringLiteral("dwebp"), {QStringLiteral("-quiet"), folder.Path(name), QStringLiteral("-resize"),
                                              QString::number(size.width()), QString::number(size.height()),
                                              QStringLiteral("-pam"), QStringLiteral("-o"), scaled});
            const QImage expected = DecodeNetpbm(ReadFileBytes(scaled));
            const QImage ours = LoadPictureFile(folder.Path(name), JPEGReadScale(divisor == 2 ? 1 : divisor == 4 ? 2 : 3));
            ExpectSamePixels(ours.convertToFormat(QImage::Format_RGB888),
                             hasAlpha ? OntoBlack(expected) : expected.convertToFormat(QImage::Format_RGB888),
                             name + QStringLiteral(" at 1/%1").arg(divisor));
        }
    }
}

TEST(WebPGraphic, AnAnimationGivesItsFirstPicture)
{
    REQUIRE_TOOLS("cwebp", "dwebp", "img2webp");
    TestFolder folder;
    const QImage first = MakeTestPicture(48, 32, 1), second = MakeTestPicture(48, 32, 2);
    ASSERT_TRUE(first.save(folder.Path(QStringLiteral("1.png"))));
    ASSERT_TRUE(second.save(folder.Path(QStringLiteral("2.png"))));
    RunTool(QStringLiteral("img2webp"), {QStringLiteral("-lossless"), folder.Path(QStringLiteral("1.png")),
                                         folder.Path(QStringLiteral("2.png")), QStringLiteral("-o"),
                                         folder.Path(QStringLiteral("anim.webp"))});
    const QByteArray animation = ReadFileBytes(folder.Path(QStringLiteral("anim.webp")));
    const QImage ours = DecodeOrFail<TWebPGraphic>(animation);
    ExpectSamePixels(MakeBitmap24(ours).convertToFormat(QImage::Format_RGB888), first, QStringLiteral("first frame"));
    TWebPGraphic scaled;
    scaled.LoadScaledFromBytes(animation, {4, {}});
    EXPECT_EQ(scaled.Bitmap().size(), QSize(12, 8));
}

TEST(WebPGraphic, DamagedFilesFailWithTheFamilysMessage)
{
    REQUIRE_TOOLS("cwebp", "dwebp", "img2webp");
    TestFolder folder;
    const QByteArray file = EncodeWith(folder, MakeTestPicture(64, 48, 4), QStringLiteral("cwebp"), {},
                                       QStringLiteral("a.webp"));
    const QString message = QStringLiteral("Cannot load image. Invalid or unexpected WebP image format.");
    for (const qsizetype length : {qsizetype(0), qsizetype(11), qsizetype(30), file.size() / 2, file.size() - 1})
        EXPECT_EQ(ErrorOf<TWebPGraphic>(file.left(length)), message) << length;
    EXPECT_EQ(ErrorOf<TWebPGraphic>(QByteArray("RIFF\x10\0\0\0WEBPVP8 ", 16) + QByteArray(8, '\xFF')),
              message);
}

// Phones write the orientation into the EXIF chunk; the chunk's TIFF
// structure in either byte order, and with the JPEG segment's signature in
// front as some writers make it. A damaged chunk leaves the picture as stored.
TEST(WebPGraphic, TakesTheOrientationOfItsExifChunk)
{
    REQUIRE_TOOLS("cwebp", "webpmux");
    TestFolder folder;
    const TFileFormatRegistration formats;
    const QImage upright = QuadrantPicture(64, 40);
    const struct { int tag; bool bigEndian; bool signature; } rows[] = {
        {1, true, false}, {3, false, false}, {6, true, false}, {8, false, true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.tag);
        EncodeWith(folder, StoredForOrientation(upright, row.tag), QStringLiteral("cwebp"), {QStringLiteral("-lossless")},
                   QStringLiteral("stored.webp"));
        const QString exif = folder.Write(QStringLiteral("exif.bin"),
                                          (row.signature ? QByteArray("Exif\0\0", 6) : QByteArray())
                                              + ExifOrientationBlock(row.tag, row.bigEndian));
        const QString photo = folder.Path(QStringLiteral("photo.webp"));
        ASSERT_TRUE(RunTool(QStringLiteral("webpmux"), {QStringLiteral("-set"), QStringLiteral("exif"), exif,
                                                        folder.Path(QStringLiteral("stored.webp")), QStringLiteral("-o"),
                                                        photo}));
        EXPECT_EQ(LoadPicture(photo, JPEGReadScale::Whole).turn, OrientationTurn(row.tag));
        EXPECT_TRUE(SameQuadrants(LoadUprightPicture(photo, JPEGReadScale::Whole), upright));
        EXPECT_EQ(LoadUprightPicture(photo, JPEGReadScale::Half).width(), 32) << "scaled, then turned";
    }

    const QString damaged = folder.Write(QStringLiteral("damaged.bin"), QByteArray("MM\0*\0\0\xFF\xFF", 8));
    const QString photo = folder.Path(QStringLiteral("damaged.webp"));
    ASSERT_TRUE(RunTool(QStringLiteral("webpmux"), {QStringLiteral("-set"), QStringLiteral("exif"), damaged,
                                                    folder.Path(QStringLiteral("stored.webp")), QStringLiteral("-o"), photo}));
    const TLoadedPicture loaded = LoadPicture(photo, JPEGReadScale::Whole);
    EXPECT_EQ(loaded.turn, 0);
    EXPECT_EQ(loaded.bitmap.size(), QSize(40, 64)) << "as stored";
}
