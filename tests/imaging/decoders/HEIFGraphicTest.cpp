#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/decoders/HEIFGraphic.h"
#include "tests/imaging/decoders/HEIFBoxes.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestPictures.h"
#include "tests/imaging/decoders/PhoneFormatTools.h"

#include <QTransform>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct HEIFCase
{
    const char *name;
    QStringList encoderArgs; // heif-enc options
    int bits;                // of the picture written (16-bit PNG input above 8)
    bool alpha;
    bool avif;
};

void PrintTo(const HEIFCase &c, std::ostream *out) { *out << c.name; }

QImage SourcePicture(const HEIFCase &c)
{
    QImage picture = MakeTestPicture(67, 45, 15).convertToFormat(c.alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (c.alpha)
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixelColor(x, y, [&] {
                    QColor colour = picture.pixelColor(x, y);
                    colour.setAlpha((x * 7 + y * 3) % 256);
                    return colour;
                }());
    if (c.bits > 8) {
        // Fill the low bits too, so that rounding to 8 bits matters.
        QImage wide = picture.convertToFormat(c.alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64);
        for (int y = 0; y < wide.height(); ++y) {
            auto *row = reinterpret_cast<QRgba64 *>(wide.scanLine(y));
            for (int x = 0; x < wide.width(); ++x)
                row[x].setGreen(quint16(row[x].green() ^ ((x * 977 + y * 331) & 0xFF)));
        }
        return wide;
    }
    return picture;
}

class HEIFDecode : public ::testing::TestWithParam<HEIFCase>
{
};

} // namespace

// Our pixels are heif-convert's, pixel for pixel (the same library decodes
// and converts the colours); deeper pictures are rounded to 8 bits and alpha
// is composed onto black.
TEST_P(HEIFDecode, MatchesHeifConvert)
{
    const HEIFCase &c = GetParam();
    REQUIRE_TOOLS("heif-enc", "heif-convert");
    TestFolder folder;
    const QString name = QLatin1String(c.avif ? "picture.avif" : "picture.heic");
    const QByteArray file = EncodeWith(folder, SourcePicture(c), QStringLiteral("heif-enc"), c.encoderArgs, name);
    ASSERT_FALSE(file.isEmpty());
    const QString converted = folder.Path(QStringLiteral("converted.png"));
    RunTool(QStringLiteral("heif-convert"), {QStringLiteral("--quiet"), folder.Path(name), converted});
    const QImage reference = ToolOutput(converted);
    const QImage expected = c.bits > 8 ? EightBitsOf(reference, c.bits)
                            : c.alpha  ? OntoBlack(reference)
                                       : reference.convertToFormat(QImage::Format_RGB888);

    const QImage ours = c.avif ? DecodeOrFail<TAVIFGraphic>(file) : DecodeOrFail<THEIFGraphic>(file);
    EXPECT_EQ(ours.size(), QSize(67, 45));
    const TFileFormatRegistration formats;
    const QImage shown = LoadPictureFile(folder.Path(name), JPEGReadScale::Whole);
    EXPECT_EQ(shown.format(), QImage::Format_BGR888);
    ExpectSamePixels(shown.convertToFormat(QImage::Format_RGB888), expected, QLatin1String(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HEIFDecode,
    ::testing::Values(HEIFCase{"heic", {QStringLiteral("-q"), QStringLiteral("70")}, 8, false, false},
                      HEIFCase{"heic_alpha", {QStringLiteral("-q"), QStringLiteral("70")}, 8, true, false},
                      HEIFCase{"heic_10bit", {QStringLiteral("-b"), QStringLiteral("10")}, 10, false, false},
                      HEIFCase{"heic_12bit_alpha", {QStringLiteral("-b"), QStringLiteral("12")}, 12, true, false},
                      HEIFCase{"avif", {QStringLiteral("-q"), QStringLiteral("60")}, 8, false, true},
                      HEIFCase{"avif_12bit", {QStringLiteral("-b"), QStringLiteral("12")}, 12, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

// A small picture comes from the embedded thumbnail when that covers what is
// needed, and otherwise from the decoded picture reduced.
TEST(HEIFGraphic, ScaledLoadsTakeTheThumbnailThatServesOrReduce)
{
    REQUIRE_TOOLS("heif-enc");
    TestFolder folder;
    const QByteArray file = EncodeWith(folder, MakeTestPicture(256, 192, 3), QStringLiteral("heif-enc"),
                                       {QStringLiteral("-t"), QStringLiteral("64")}, QStringLiteral("t.heic"));
    THEIFGraphic whole;
    whole.LoadFromBytes(file);
    ASSERT_EQ(whole.Bitmap().size(), QSize(256, 192));

    const auto load = [&](TPictureScale scale) {
        THEIFGraphic graphic;
        graphic.LoadScaledFromBytes(file, scale);
        return graphic.Bitmap();
    };
    // A 128 cell needs 128 by 96 at most, one eighth 32 by 24: the 64 by 48
    // thumbnail serves both.
    EXPECT_EQ(load({8, QSize(128, 128)}).size(), QSize(64, 48));
    EXPECT_EQ(load({8, {}}).size(), QSize(64, 48));
    // Half size needs 128 by 96: the thumbnail is too small.
    const QImage half = load({2, {}});
    ExpectSamePixels(half, ReducedPicture(MakeBitmap24(whole.Bitmap()), 2), QStringLiteral("reduced"));
    EXPECT_EQ(load({2, QSize(60, 60)}).size(), QSize(64, 48)) << "a 60 box needs 60 by 45";
    const TFileFormatRegistration formats;
    const QString path = folder.Write(QStringLiteral("photo.HEIC"), file);
    EXPECT_EQ(LoadPictureFile(path, JPEGReadScale::Quarter).size(), QSize(64, 48));
    EXPECT_EQ(LoadPictureFile(path, JPEGReadScale::Whole).size(), QSize(256, 192));
}

TEST(HEIFGraphic, DamagedFilesFailWithTheFamilysMessage)
{
    REQUIRE_TOOLS("heif-enc");
    TestFolder folder;
    const QByteArray heic = EncodeWith(folder, MakeTestPicture(40, 30, 5), QStringLiteral("heif-enc"), {},
                                       QStringLiteral("a.heic"));
    const QByteArray avif = EncodeWith(folder, MakeTestPicture(40, 30, 5), QStringLiteral("heif-enc"),
                                       {QStringLiteral("-A")}, QStringLiteral("a.avif"));
    const QString heifMessage = QStringLiteral("Cannot load image. Invalid or unexpected HEIF image format.");
    const QString avifMessage = QStringLiteral("Cannot load image. Invalid or unexpected AVIF image format.");
    for (const qsizetype length : {qsizetype(0), qsizetype(12), qsizetype(100), heic.size() / 2, heic.size() - 20})
        EXPECT_EQ(ErrorOf<THEIFGraphic>(heic.left(length)), heifMessage) << length;
    EXPECT_EQ(ErrorOf<TAVIFGraphic>(avif.left(avif.size() - 20)), avifMessage);
    QByteArray scrambled = heic;
    for (qsizetype i = heic.size() - 200; i < heic.size(); ++i)
        scrambled[i] = char(i * 31);
    ErrorOf<THEIFGraphic>(scrambled); // damaged coded data: the message or a damaged picture

    EXPECT_EQ(ErrorOf<THEIFGraphic>(QByteArray("\0\0\0\x18" "ftypheic", 12) + QByteArray(500, 'x')),
              heifMessage);
}

// A grid of tiles (as phones write their photos) gives the whole picture,
// and the file's rotation is applied by the decoder: the file's own
// transformations, unlike a JPEG's tag, are part of the picture.
TEST(HEIFGraphic, AGridGivesTheWholePictureTurnedAsTheFileSays)
{
    REQUIRE_TOOLS("heif-enc");
    TestFolder folder;
    const CodedHEVC tile = ExtractCodedPicture(EncodeWith(folder, MakeTestPicture(64, 64, 8), QStringLiteral("heif-enc"),
                                                          {QStringLiteral("-q"), QStringLiteral("80")}, QStringLiteral("tile.heic")));
    ASSERT_EQ(QSize(tile.width, tile.height), QSize(64, 64)) << "HEVC codes whole 64-pixel blocks";
    const QImage one = MakeBitmap24(DecodeOrFail<THEIFGraphic>(GridHEIF(tile, 1, 1, 0)));
    ASSERT_EQ(one.size(), QSize(64, 64));
    QImage expected(192, 128, QImage::Format_BGR888);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            for (int y = 0; y < 64; ++y)
                std::memcpy(expected.scanLine(row * 64 + y) + column * 64 * 3, one.constScanLine(y), 64 * 3);
    const QImage grid = MakeBitmap24(DecodeOrFail<THEIFGraphic>(GridHEIF(tile, 3, 2, 0)));
    ExpectSamePixels(grid.convertToFormat(QImage::Format_RGB888), expected.convertToFormat(QImage::Format_RGB888),
                     QStringLiteral("3 by 2 grid"));
    // irot 1: a quarter turn counter-clockwise.
    const QImage turned = MakeBitmap24(DecodeOrFail<THEIFGraphic>(GridHEIF(tile, 3, 2, 1)));
    ExpectSamePixels(turned.convertToFormat(QImage::Format_RGB888),
                     expected.transformed(QTransform().rotate(-90)).convertToFormat(QImage::Format_RGB888),
                     QStringLiteral("turned grid"));
    THEIFGraphic scaled;
    scaled.LoadScaledFromBytes(GridHEIF(tile, 3, 2, 1), {8, {}});
    EXPECT_EQ(scaled.Bitmap().size(), QSize(16, 24));
}
