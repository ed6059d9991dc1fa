#include "common/VistranoError.h"
#include "imaging/Bitmap.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/WindowsBitmapReader.h"
#include "tests/imaging/BitmapFiles.h"
#include "tests/imaging/ImagingTestFiles.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

QList<QRgb> SixteenColours()
{
    QList<QRgb> colours;
    for (int i = 0; i < 16; ++i)
        colours << qRgb(i * 16, 255 - i * 16, i * 5);
    return colours;
}

// A picture of colour indices, listed top row first, in the given colours.
QImage IndexPicture(const std::vector<std::vector<int>> &rows, const QList<QRgb> &colours)
{
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colours.value(rows[size_t(y)][size_t(x)], qRgb(0, 0, 0)));
    return image;
}

QImage Decode(const QByteArray &file)
{
    return MakeBitmap24(ReadWindowsBitmap(file));
}

QString DecodeError(const QByteArray &file)
{
    try {
        ReadWindowsBitmap(file);
    } catch (const VistranoError &error) {
        return error.message();
    }
    return QStringLiteral("(decoded)");
}

// The stored rows of a BGR888 picture as a 24-bit bitmap keeps them.
QByteArray Rows24(const QImage &picture, bool topDown)
{
    std::vector<QByteArray> rows;
    for (int i = 0; i < picture.height(); ++i) {
        const int y = topDown ? i : picture.height() - 1 - i;
        rows.emplace_back(reinterpret_cast<const char *>(picture.constScanLine(y)), picture.width() * 3);
    }
    return PaddedRows(rows);
}

// What ImageMagick writes for each option set, and the header it gives.
struct BitmapVariant
{
    const char *name;
    QStringList options;
    int headerSize, bitCount, compression;
};

void PrintTo(const BitmapVariant &v, std::ostream *out)
{
    *out << v.name;
}

const BitmapVariant kBitmapVariants[] = {
    {"24_bit", {QStringLiteral("bmp3:")}, 40, 24, 0},
    {"1_bit", {"-type", "bilevel", "bmp3:"}, 40, 1, 0},
    {"4_bit", {"-colors", "16", "-type", "palette", "-compress", "None", "bmp3:"}, 40, 4, 0},
    {"8_bit", {"-type", "palette", "-compress", "None", "bmp3:"}, 40, 8, 0},
    {"RLE8", {"-type", "palette", "-compress", "RLE", "bmp3:"}, 40, 8, 1},
    {"16_bit_565", {"-define", "bmp:subtype=RGB565", "bmp:"}, 124, 16, 3},
    {"16_bit_555", {"-define", "bmp:subtype=RGB555", "bmp:"}, 124, 16, 3},
    {"32_bit_plain", {"-alpha", "on", "-define", "bmp3:alpha=true", "bmp3:"}, 40, 32, 0},
    {"32_bit_alpha_bit_fields", {"-alpha", "on", "bmp:"}, 124, 32, 3},
    {"OS2_24_bit", {QStringLiteral("bmp2:")}, 12, 24, 0},
    {"OS2_8_bit", {"-type", "palette", "bmp2:"}, 12, 8, 0},
};

class WindowsBitmapVariant : public testing::TestWithParam<BitmapVariant>
{
};

} // namespace

TEST_P(WindowsBitmapVariant, MatchesImageMagick)
{
    REQUIRE_TOOLS("convert");
    const BitmapVariant &variant = GetParam();
    TestFolder folder;
    TFileFormatRegistration formats;
    const QString source = folder.Path(QStringLiteral("source.ppm"));
    WriteReferencePPM(MakeTestPicture(37, 23, 1, QImage::Format_BGR888), source);
    QStringList args = {source};
    args << variant.options;
    const QString bmp = folder.Path(QStringLiteral("picture.bmp"));
    args.last() += bmp;
    ASSERT_TRUE(RunTool(QStringLiteral("convert"), args));
    const QString reference = bmp + QStringLiteral(".ppm");
    ASSERT_TRUE(RunTool(QStringLiteral("convert"), {bmp, QStringLiteral("-depth"), QStringLiteral("8"), reference}));

    const QByteArray file = ReadFileBytes(bmp);
    ASSERT_GT(file.size(), 34);
    const auto byteAt = [&](int i) { return int(uchar(file[i])); };
    EXPECT_EQ(byteAt(14), variant.headerSize);
    EXPECT_EQ(byteAt(variant.headerSize == 12 ? 24 : 28), variant.bitCount);
    if (variant.headerSize != 12) {
        EXPECT_EQ(byteAt(30), variant.compression);
    }

    EXPECT_TRUE(SamePixels(LoadPictureFile(bmp, JPEGReadScale::Eighth), ReadReferencePPM(reference)));
}

INSTANTIATE_TEST_SUITE_P(WindowsBitmap, WindowsBitmapVariant, testing::ValuesIn(kBitmapVariants),
                         [](const testing::TestParamInfo<BitmapVariant> &info) { return std::string(info.param.name); });

TEST(WindowsBitmap, ReadsRowsBottomUpAndTopDownWithoutAFileHeaderToo)
{
    const QImage picture = MakeTestPicture(5, 4, 1, QImage::Format_BGR888);
    BitmapFileLayout layout;
    layout.width = 5;
    layout.height = 4;
    layout.pixels = Rows24(picture, false);
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), picture));
    layout.height = -4;
    layout.pixels = Rows24(picture, true);
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), picture));
    layout.fileHeader = false;
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), picture)) << "a packed device-independent bitmap";

    // The last row may come without its padding.
    layout.fileHeader = true;
    layout.pixels.chop(1);
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), picture));
    layout.pixels.chop(1);
    EXPECT_EQ(DecodeError(BuildBitmapFile(layout)), QStringLiteral("Stream read error"));
}

TEST(WindowsBitmap, UnpacksRLE4RunsLiteralsDeltasAndClipsAtTheRightEdge)
{
    BitmapFileLayout layout;
    layout.width = 6;
    layout.height = 3;
    layout.bitCount = 4;
    layout.compression = 2;
    layout.palette = SixteenColours();
    layout.pixels = QByteArray::fromHex("0512" "0003" "3450" "0000"  // bottom: 1 2 1 2 1, then 3 (4 and 5 cut off)
                                      "00020200" "0277" "0000"      // delta to x 2, y 1: 7 7
                                      "0a9a" "0000" "0001");        // top: 9 A 9 A 9 A (four more cut off)
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{9, 10, 9, 10, 9, 10}, {0, 0, 7, 7, 0, 0}, {1, 2, 1, 2, 1, 3}}, layout.palette)));

    // An odd literal group is padded to a whole word.
    layout.width = 5;
    layout.height = 1;
    layout.pixels = QByteArray::fromHex("0005" "123450" "00" "0001");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), IndexPicture({{1, 2, 3, 4, 5}}, layout.palette)));
}

TEST(WindowsBitmap, UnpacksRLE8BothWaysUpAndStopsWhereTheDataEnds)
{
    BitmapFileLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.bitCount = 8;
    layout.compression = 1;
    layout.palette = SixteenColours();
    layout.pixels = QByteArray::fromHex("0003050607" "00" "0108" "0000" // literal of three, padded; run of one
                                      "0602" "0000"                   // a run longer than the row
                                      "00020100" "0109");             // delta, one pixel, no end code
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{0, 9, 0, 0}, {2, 2, 2, 2}, {5, 6, 7, 8}}, layout.palette)));
    layout.height = -3;
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{5, 6, 7, 8}, {2, 2, 2, 2}, {0, 9, 0, 0}}, layout.palette)));
    // A delta below the last row ends the picture; what follows is ignored.
    layout.height = 2;
    layout.pixels = QByteArray::fromHex("0201" "0002 0005" "0403");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), IndexPicture({{0, 0, 0, 0}, {1, 1, 0, 0}}, layout.palette)));
}

TEST(WindowsBitmap, BringsMaskedChannelsToEightBits)
{
    BitmapFileLayout layout;
    layout.width = 4;
    layout.height = 1;
    layout.bitCount = 16; // no bit fields: 5-5-5, the top bit unused
    layout.pixels = QByteArray::fromHex("ff7f" "0000" "1042" "1f80");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{0, 1, 2, 3}}, {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(132, 132, 132),
                                                         qRgb(0, 0, 255)})));

    layout.headerSize = 108; // 5-6-5 masks in a version 4 header
    layout.compression = 3;
    layout.masks = {0xF800, 0x07E0, 0x001F, 0};
    layout.width = 2;
    layout.pixels = QByteArray::fromHex("e007" "2000");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{0, 1}}, {qRgb(0, 255, 0), qRgb(0, 4, 0)})));

    layout.headerSize = 40; // 10-bit channels, masks after the header
    layout.bitCount = 32;
    layout.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    layout.width = 1;
    layout.pixels = QByteArray::fromHex("0100f83f");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), IndexPicture({{0}}, {qRgb(255, 128, 0)})));
}

TEST(WindowsBitmap, ComposesAlphaOntoBlackUnlessNoPixelUsesIt)
{
    BitmapFileLayout layout;
    layout.headerSize = 124;
    layout.width = 3;
    layout.height = 1;
    layout.bitCount = 32;
    layout.compression = 3;
    layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    layout.pixels = QByteArray::fromHex("326496ff" "326496" "80" "32649600");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{0, 1, 2}}, {qRgb(150, 100, 50), qRgb(75, 50, 25), qRgb(0, 0, 0)})));
    layout.pixels = QByteArray::fromHex("32649600" "32649600" "ffffff00");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)),
                           IndexPicture({{0, 0, 1}}, {qRgb(150, 100, 50), qRgb(255, 255, 255)})));
    // Plain 32-bit bitmaps keep their fourth byte unused, as Windows does.
    layout.compression = 0;
    EXPECT_EQ(ReadWindowsBitmap(BuildBitmapFile(layout)).format(), QImage::Format_RGB32);
}

TEST(WindowsBitmap, ReadsShortColourTablesAndOS2Headers)
{
    BitmapFileLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.bitCount = 8;
    layout.colorsUsed = 2;
    layout.palette = {qRgb(10, 20, 30), qRgb(40, 50, 60)};
    layout.pixels = QByteArray::fromHex("00010500");
    const QImage expected = IndexPicture({{0, 1, 2}}, {layout.palette[0], layout.palette[1], qRgb(0, 0, 0)});
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), expected)) << "indices past the table are black";

    layout.headerSize = 64; // OS/2 2.x
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), expected));
    layout.compression = 3; // Huffman 1D there, not bit fields
    EXPECT_EQ(DecodeError(BuildBitmapFile(layout)), QStringLiteral("Unsupported bitmap compression (3)."));

    layout = {};
    layout.headerSize = 12;
    layout.width = 9;
    layout.height = 1;
    layout.bitCount = 1;
    layout.palette = {qRgb(1, 2, 3), qRgb(250, 251, 252)};
    layout.pixels = QByteArray::fromHex("a5800000");
    EXPECT_TRUE(SamePixels(Decode(BuildBitmapFile(layout)), IndexPicture({{1, 0, 1, 0, 0, 1, 0, 1, 1}}, layout.palette)));
}

TEST(WindowsBitmap, RefusesBadFilesWithAClearMessage)
{
    const auto file = [](auto change) {
        BitmapFileLayout layout;
        layout.width = 2;
        layout.height = 2;
        layout.pixels = QByteArray(16, '\x40');
        change(layout);
        return BuildBitmapFile(layout);
    };
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.headerSize = 100; })), QStringLiteral("Bitmap image is not valid"));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.compression = 4; })),
              QStringLiteral("Unsupported bitmap compression (4)."));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.bitCount = 3; })), QStringLiteral("Unsupported bitmap bit count (3)."));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.compression = 1; })),
              QStringLiteral("Invalid bit count 24 for a run length encoded bitmap."));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.compression = 3; })),
              QStringLiteral("Invalid bit count 24 for a bitmap with bit fields."));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.colorsUsed = 1u << 30; })),
              QStringLiteral("Bitmap image is not valid"));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.width = 0; })), QStringLiteral("Invalid picture size (0 by 2 pixels)."));
    EXPECT_TRUE(DecodeError(file([](BitmapFileLayout &s) { s.width = 70000; }))
                    .startsWith(QStringLiteral("Picture too large (70000 by 2 pixels)")));
    EXPECT_TRUE(DecodeError(file([](BitmapFileLayout &s) { s.width = 20000, s.height = -20000; }))
                    .startsWith(QStringLiteral("Picture too large (20000 by 20000 pixels)")));
    EXPECT_TRUE(DecodeError(file([](BitmapFileLayout &s) { s.height = INT_MIN; })).startsWith(QStringLiteral("Picture too large")));
    EXPECT_EQ(DecodeError(file([](BitmapFileLayout &s) { s.width = 3000, s.height = 3000; })), QStringLiteral("Stream read error"))
        << "pixel data far shorter than the header says is refused before allocating";
    EXPECT_EQ(DecodeError(QByteArray("BM\0\0\0", 5)), QStringLiteral("Stream read error"));
    QByteArray offsetPastEnd = file([](BitmapFileLayout &) {});
    offsetPastEnd[10] = '\x7f';
    EXPECT_EQ(DecodeError(offsetPastEnd), QStringLiteral("Stream read error"));
}

TEST(WindowsBitmap, EveryCutOfAGoodFileDecodesOrFailsCleanly)
{
    BitmapFileLayout rle;
    rle.width = 4;
    rle.height = 3;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.palette = SixteenColours();
    rle.pixels = QByteArray::fromHex("0003050607000108000006020000000201000109");
    BitmapFileLayout masked;
    masked.headerSize = 124;
    masked.width = 3;
    masked.height = 2;
    masked.bitCount = 32;
    masked.compression = 3;
    masked.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    masked.pixels = QByteArray(24, '\x7f');
    for (const QByteArray &file : {BuildBitmapFile(rle), BuildBitmapFile(masked)}) {
        for (qsizetype size = 0; size < file.size(); ++size) {
            try {
                const QImage image = ReadWindowsBitmap(file.left(size));
                EXPECT_FALSE(image.isNull());
            } catch (const VistranoError &) {
            }
        }
    }
}

TEST(WindowsBitmap, LoadsThroughTheRegistryForEveryBitmapExtension)
{
    TFileFormatRegistration formats;
    TestFolder folder;
    const QImage picture = MakeTestPicture(3, 2, 1, QImage::Format_BGR888);
    BitmapFileLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.pixels = Rows24(picture, false);
    for (const char *name : {"a.bmp", "b.RLE", "c.dib"})
        EXPECT_TRUE(SamePixels(LoadPictureFile(folder.Write(QLatin1String(name), BuildBitmapFile(layout)),
                                               JPEGReadScale::Whole),
                               picture))
            << name;
    try {
        LoadPictureFile(folder.Path(QStringLiteral("missing.bmp")), JPEGReadScale::Whole);
        FAIL() << "a missing bitmap must fail";
    } catch (const VistranoError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot open file "))) << error.message().toStdString();
    }
}
