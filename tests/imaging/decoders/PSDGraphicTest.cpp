#include "imaging/decoders/PSDGraphic.h"

#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A picture with smooth gradients, hard edges and noise at an odd size, as
// 16-bit PNG so that 16-bit files get 16-bit data.
QString MakeSource(const TestFolder &folder)
{
    const QString path = folder.Path("source.png");
    if (!MagickWrite({"-size", "67x41", "gradient:#103080-#f0e020", "-swirl", "150", "(", "-size",
                                 "67x41", "xc:gray50", "+noise", "Random", "-blur", "0x0.7", ")", "-compose",
                                 "overlay", "-composite", "-depth", "16", path}))
        return {};
    return path;
}

struct Variant
{
    const char *name;
    QStringList options;
    QImage::Format format; // what our decoder delivers
    int magickTolerance;   // -1: ImageMagick cannot read its own file
    bool pillow;           // Pillow reads this variant as Photoshop shows it (8 bits only)
};

void PrintTo(const Variant &v, std::ostream *out)
{
    *out << v.name;
}

const Variant kVariants[] = {
    {"rgb8_rle", {"-depth", "8"}, QImage::Format_BGR888, 0, true},
    {"rgb8_raw", {"-depth", "8", "-compress", "None"}, QImage::Format_BGR888, 0, true},
    {"rgb16_rle", {"-depth", "16"}, QImage::Format_BGR888, 0, false},
    {"rgb16_raw", {"-depth", "16", "-compress", "None"}, QImage::Format_BGR888, 0, false},
    {"grey8", {"-colorspace", "Gray", "-depth", "8"}, QImage::Format_Grayscale8, 0, true},
    {"grey16_raw", {"-colorspace", "Gray", "-depth", "16", "-compress", "None"}, QImage::Format_Grayscale8, 0, false},
    // CMYK goes through ImageMagick's own arithmetic, one step of
    // rounding apart from ours (two where 16-bit inks are brought to 8
    // bits before they are combined); Pillow does not invert it.
    {"cmyk8", {"-colorspace", "CMYK", "-depth", "8"}, QImage::Format_BGR888, 1, false},
    {"cmyk16", {"-colorspace", "CMYK", "-depth", "16"}, QImage::Format_BGR888, 2, false},
    // ImageMagick writes indexed files that it cannot read back.
    {"indexed", {"-depth", "8", "-colors", "200", "-type", "Palette"}, QImage::Format_Indexed8, -1, true},
    {"indexed_raw", {"-depth", "8", "-colors", "17", "-type", "Palette", "-compress", "None"},
     QImage::Format_Indexed8, -1, true},
    // Pillow shows bitmap files inverted (1 as white).
    {"bitmap", {"-monochrome", "-depth", "1"}, QImage::Format_Mono, 0, false},
    {"bitmap_raw", {"-monochrome", "-depth", "1", "-compress", "None"}, QImage::Format_Mono, 0, false},
    // ImageMagick reads the merged colours back as if they had been
    // matted with white, which its writer did not do: the colours are
    // compared with the source instead.
    {"alpha", {"-depth", "8", "-alpha", "set", "-channel", "A", "-fx", "i/w", "+channel"}, QImage::Format_ARGB32,
     -1, false},
};

// One test per variant, so that a variant that fails does not hide the others.
class PSDVariant : public testing::TestWithParam<Variant>
{
};

} // namespace

TEST_P(PSDVariant, MatchesImageMagickAndPillow)
{
    REQUIRE_TOOLS("convert", "PIL");
    TestFolder folder;
    const QString source = MakeSource(folder);
    ASSERT_FALSE(source.isEmpty());
    const Variant &v = GetParam();
    const QString file = folder.Path(QString::fromLatin1(v.name) + ".psd");
    ASSERT_TRUE(MagickWrite(QStringList{source} + v.options + QStringList{file}));
    QString message;
    const QImage ours = Decode<TPSDGraphic>(ReadFileBytes(file), &message);
    ASSERT_FALSE(ours.isNull()) << message.toStdString();
    EXPECT_EQ(ours.format(), v.format);
    EXPECT_EQ(ours.size(), QSize(67, 41));
    // The colours as stored, whatever the alpha channel says.
    QImage colours = ours.copy();
    if (colours.format() == QImage::Format_ARGB32)
        colours.reinterpretAsFormat(QImage::Format_RGB32);
    if (v.magickTolerance >= 0) {
        const int difference = MaxDifference(colours, Magick(file + "[0]"));
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, v.magickTolerance);
    }
    if (v.pillow) {
        EXPECT_EQ(MaxDifference(ours, Pillow(file)), 0) << "Pillow";
    }
    if (v.format == QImage::Format_ARGB32) {
        EXPECT_EQ(MaxDifference(colours, Magick(source)), 0);
        EXPECT_EQ(qAlpha(ours.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(ours.pixel(66, 0)), 251);
    }
}

INSTANTIATE_TEST_SUITE_P(PSDGraphic, PSDVariant, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant> &info) { return std::string(info.param.name); });

TEST(PSDGraphic, LargeDocumentFormat)
{
    REQUIRE_TOOLS("convert");
    TestFolder folder;
    const QString source = MakeSource(folder);
    for (const char *compression : {"RLE", "None"}) {
        const QString file = folder.Path(QStringLiteral("picture_%1.psb").arg(QLatin1String(compression)));
        ASSERT_TRUE(MagickWrite({source, "-depth", "8", "-compress", compression, "PSB:" + file}));
        const QByteArray bytes = ReadFileBytes(file);
        ASSERT_EQ(bytes[5], 2) << "version 2";
        QString message;
        const QImage ours = Decode<TPSDGraphic>(bytes, &message);
        ASSERT_FALSE(ours.isNull()) << message.toStdString();
        EXPECT_EQ(MaxDifference(ours, Magick(file + "[0]")), 0);
    }
}

namespace {

void Put(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
}

// A PSD with empty resources and layers, and the given image data section.
QByteArray BuildPSD(int mode, int depth, int channels, int width, int height, const QByteArray &colorData,
                    int compression, const QByteArray &imageData, int layerCount = 0)
{
    QByteArray out("8BPS");
    Put(out, 1, 2);
    out.append(6, '\0');
    Put(out, uint32_t(channels), 2);
    Put(out, uint32_t(height), 4);
    Put(out, uint32_t(width), 4);
    Put(out, uint32_t(depth), 2);
    Put(out, uint32_t(mode), 2);
    Put(out, uint32_t(colorData.size()), 4);
    out.append(colorData);
    Put(out, 0, 4);
    if (layerCount == 0) {
        Put(out, 0, 4);
    } else {
        Put(out, 6, 4);
        Put(out, 2, 4);
        Put(out, uint32_t(layerCount), 2);
    }
    Put(out, uint32_t(compression), 2);
    out.append(imageData);
    return out;
}

// A zlib stream (qCompress puts a 4-byte size in front of it).
QByteArray Zlib(const QByteArray &plain)
{
    return qCompress(plain).mid(4);
}

} // namespace

TEST(PSDGraphic, ZipWithAndWithoutPrediction)
{
    // 3 x 2 grey, 8 bits: rows 10 20 30 / 40 45 50.
    const QByteArray plain("\x0a\x14\x1e\x28\x2d\x32", 6);
    const QByteArray deltas("\x0a\x0a\x0a\x28\x05\x05", 6);
    for (const auto &[compression, data] : {std::pair{2, plain}, std::pair{3, deltas}}) {
        const QImage image = Decode<TPSDGraphic>(BuildPSD(1, 8, 1, 3, 2, {}, compression, Zlib(data)));
        ASSERT_FALSE(image.isNull()) << compression;
        EXPECT_EQ(qGray(image.pixel(2, 0)), 30);
        EXPECT_EQ(qGray(image.pixel(2, 1)), 50);
    }
    // 16 bits: big-endian word deltas with carries, 2 x 1 RGB.
    QByteArray words;
    for (uint16_t w : {0x00FFu, 0x0001u, 0x8000u, 0x7FFFu, 0x1234u, 0x0000u})
        Put(words, w, 2);
    const QImage wide = Decode<TPSDGraphic>(BuildPSD(3, 16, 3, 2, 1, {}, 3, Zlib(words)));
    ASSERT_FALSE(wide.isNull());
    EXPECT_EQ(wide.pixel(1, 0), qRgb(0x0100 / 257, 0xFFFF / 257, 0x1234 / 257));

    QByteArray damaged = Zlib(plain);
    damaged[3] = char(damaged[3] ^ 0x55);
    const QString message = ErrorOf<TPSDGraphic>(BuildPSD(1, 8, 1, 3, 2, {}, 2, damaged));
    EXPECT_TRUE(message == "LZ77 decompression error." || message == "Stream read error") << message.toStdString();
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(1, 8, 1, 3, 2, {}, 2, Zlib(plain).left(6))),
              QStringLiteral("Stream read error"));
}

TEST(PSDGraphic, PackBitsRowsAreFoundThroughTheirSizes)
{
    // 4 x 2 grey: row 0 packs to 3 bytes but decodes to only 2 (kept black
    // at the end), row 1 to 5 bytes that decode to more than 4 (cut).
    QByteArray data;
    Put(data, 3, 2);
    Put(data, 5, 2);
    data.append("\x01\x07\x08", 3);
    data.append("\xFB\x09\x80\x80\x80", 5);
    const QImage image = Decode<TPSDGraphic>(BuildPSD(1, 8, 1, 4, 2, {}, 1, data));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qGray(image.pixel(1, 0)), 8);
    EXPECT_EQ(qGray(image.pixel(2, 0)), 0);
    EXPECT_EQ(qGray(image.pixel(3, 1)), 9);

    QByteArray over = data;
    over[3] = 6; // the second row would run past the data
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(1, 8, 1, 4, 2, {}, 1, over)), QStringLiteral("Stream read error"));
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(1, 8, 1, 4, 2, {}, 1, data.left(3))), QStringLiteral("Stream read error"))
        << "the table is cut";
    // The table covers every channel, also those that are not decoded.
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(1, 8, 2, 4, 2, {}, 1, data)), QStringLiteral("Stream read error"));
}

TEST(PSDGraphic, HeaderChecks)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected PSD image format.");
    const QString color = QStringLiteral("Invalid color format in PSD file.");
    const QString read = QStringLiteral("Stream read error");
    const QByteArray raw(2 * 2 * 3, '\x40');
    QByteArray good = BuildPSD(3, 8, 3, 2, 2, {}, 0, raw);
    ASSERT_FALSE(Decode<TPSDGraphic>(good).isNull());

    QByteArray bad = good;
    bad[0] = '9';
    EXPECT_EQ(ErrorOf<TPSDGraphic>(bad), format);
    bad = good;
    bad[5] = 3;
    EXPECT_EQ(ErrorOf<TPSDGraphic>(bad), format) << "version";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(9, 8, 3, 2, 2, {}, 0, raw)), color) << "Lab";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 32, 3, 2, 2, {}, 0, raw)), color) << "float";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(0, 8, 1, 2, 2, {}, 0, raw)), color) << "8-bit bitmap";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(2, 8, 1, 2, 2, QByteArray(300, 0), 0, raw)), color)
        << "short palette";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 2, 2, 2, {}, 0, raw)), format) << "too few channels";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 2, 2, {}, 4, raw)), format) << "compression";
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 2, 2, {}, 0, raw.left(11))), read);
    EXPECT_EQ(ErrorOf<TPSDGraphic>(good.left(20)), read);
    bad = good;
    bad[29] = 100; // colour mode data longer than the file
    EXPECT_EQ(ErrorOf<TPSDGraphic>(bad), read);
    // A hostile size is refused before anything is allocated for it.
    EXPECT_NE(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 300000, 300000, {}, 0, raw)), QStringLiteral("(no error)"));
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 30000, 8000, {}, 1, raw)), read);
    // A whole table of empty rows cannot fill 30000-pixel rows either.
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 30000, 8000, {}, 1, QByteArray(3 * 8000 * 2, '\0'))),
              read);
    EXPECT_EQ(ErrorOf<TPSDGraphic>(BuildPSD(3, 8, 3, 30000, 8000, {}, 2, Zlib(QByteArray(1000, 'x')))), read);

    // Multichannel: three channels are inverted C, M, Y.
    const QImage multi = Decode<TPSDGraphic>(BuildPSD(7, 8, 3, 1, 1, {}, 0, QByteArray("\xFF\x80\x00", 3)));
    ASSERT_FALSE(multi.isNull());
    EXPECT_EQ(multi.pixel(0, 0), qRgb(255, 128, 0));
    // A merged transparency channel only counts with a negative layer count.
    const QByteArray rgba("\x10\x20\x30\x40", 4);
    EXPECT_EQ(Decode<TPSDGraphic>(BuildPSD(3, 8, 4, 1, 1, {}, 0, rgba)).format(), QImage::Format_BGR888);
    const QImage withAlpha = Decode<TPSDGraphic>(BuildPSD(3, 8, 4, 1, 1, {}, 0, rgba, -1));
    EXPECT_EQ(withAlpha.pixel(0, 0), qRgba(0x10, 0x20, 0x30, 0x40));
}
