#include "imaging/decoders/PNGGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

QByteArray Be32(uint32_t v)
{
    QByteArray b;
    for (int shift = 24; shift >= 0; shift -= 8)
        b.append(char(v >> shift & 255));
    return b;
}

QByteArray Chunk(const char *type, const QByteArray &data)
{
    const QByteArray typeAndData = QByteArray(type, 4) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(typeAndData.constData()), uInt(typeAndData.size()));
    return Be32(uint32_t(data.size())) + typeAndData + Be32(uint32_t(crc));
}

QByteArray Deflate(const QByteArray &raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(raw.constData()),
              uLong(raw.size()), 9);
    packed.resize(qsizetype(size));
    return packed;
}

QByteArray Signature() { return QByteArray("\x89PNG\r\n\x1a\n", 8); }

QByteArray IHDR(uint32_t width, uint32_t height, int depth, int colourType, int interlace = 0)
{
    return Chunk("IHDR", Be32(width) + Be32(height) + char(depth) + char(colourType) + '\0' + '\0' + char(interlace));
}

// A PNG from filtered rows (each starting with its filter byte), the image
// data split into IDAT chunks of at most `idatSize` bytes.
QByteArray MakePNG(const QByteArray &header, const QByteArray &rows, const QByteArray &extra = {}, int idatSize = 1 << 20)
{
    QByteArray file = Signature() + header + extra;
    const QByteArray packed = Deflate(rows);
    for (qsizetype i = 0; i < packed.size(); i += idatSize)
        file += Chunk("IDAT", packed.mid(i, idatSize));
    return file + Chunk("IEND", {});
}

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TPNGGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TPNGGraphic>(bytes); }

// pngtopam (libpng underneath) as the reference, with alpha always present.
QImage Reference(const QByteArray &png)
{
    return DecodeNetpbm(RunTool(QStringLiteral("pngtopam"), {QStringLiteral("-alphapam")}, png));
}

// Python's imaging library as the reference: pngtopam ignores the colour
// key of grey and RGB pictures.
QImage PILReference(const QByteArray &png)
{
    const QString script = QStringLiteral(R"(
import sys, io
from PIL import Image
img = Image.open(io.BytesIO(sys.stdin.buffer.read())).convert('RGBA')
sys.stdout.buffer.write(b'P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' % img.size)
sys.stdout.buffer.write(img.tobytes())
)");
    return DecodeNetpbm(RunTool(PillowPython(), {QStringLiteral("-c"), script}, png));
}

} // namespace

TEST(TPNGGraphic, UndoesEveryFilter)
{
    // 2 by 6 grey, one row per filter type, then Paeth again on a row where
    // each predictor wins once. Rows unfiltered: 10 20 / 15 30 / 40 45 /
    // 50 70 / 60 80 / 100 10.
    const QByteArray rows = ByteString({0, 10, 20,          // none
                                   1, 15, 15,          // sub: 15, 15 + 15
                                   2, 25, 15,          // up: 15 + 25, 30 + 15
                                   3, 30, 25,          // average: 40/2 + 30 = 50, (50 + 45)/2 + 25 = 72
                                   4, 10, 8,           // paeth
                                   4, 40, 0});
    const QImage image = Load(MakePNG(IHDR(2, 6, 8, 0), rows));
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    auto grey = [&](int x, int y) { return qGray(image.pixel(x, y)); };
    EXPECT_EQ(grey(0, 1), 15);
    EXPECT_EQ(grey(1, 1), 30);
    EXPECT_EQ(grey(0, 2), 40);
    EXPECT_EQ(grey(1, 2), 45);
    EXPECT_EQ(grey(0, 3), 50);
    EXPECT_EQ(grey(1, 3), 72);
    // Paeth row 4: first byte predicts from above (50): 60; second: a = 60,
    // b = 72, c = 50, p = 82: |p-a| 22, |p-b| 10, |p-c| 32: b wins: 80.
    EXPECT_EQ(grey(0, 4), 60);
    EXPECT_EQ(grey(1, 4), 80);
    // Row 5: 60 + 40 = 100; a = 100, b = 80, c = 60, p = 120: a wins: 100.
    EXPECT_EQ(grey(0, 5), 100);
    EXPECT_EQ(grey(1, 5), 100);
}

TEST(TPNGGraphic, ReadsSmallDepthsPalettesAndColourKeys)
{
    // 1-bit grey, 3 pixels; 4-bit palette with tRNS; grey and RGB keys.
    const QImage mono = Load(MakePNG(IHDR(3, 1, 1, 0), ByteString({0, 0xA0})));
    EXPECT_EQ(qGray(mono.pixel(0, 0)), 255);
    EXPECT_EQ(qGray(mono.pixel(1, 0)), 0);
    EXPECT_EQ(qGray(Load(MakePNG(IHDR(1, 1, 2, 0), ByteString({0, 0x80}))).pixel(0, 0)), 170);

    const QByteArray plte = Chunk("PLTE", ByteString({255, 0, 0, 0, 255, 0, 0, 0, 255}));
    const QImage opaque = Load(MakePNG(IHDR(3, 1, 4, 3), ByteString({0, 0x01, 0x20}), plte));
    ASSERT_EQ(opaque.format(), QImage::Format_Indexed8);
    EXPECT_EQ(opaque.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(opaque.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(opaque.pixel(2, 0), qRgb(0, 0, 255));
    const QImage keyed = Load(MakePNG(IHDR(4, 1, 4, 3), ByteString({0, 0x01, 0x25}), plte + Chunk("tRNS", ByteString({0, 128}))));
    ASSERT_EQ(keyed.format(), QImage::Format_ARGB32);
    EXPECT_EQ(keyed.pixel(0, 0), qRgba(255, 0, 0, 0));
    EXPECT_EQ(keyed.pixel(1, 0), qRgba(0, 255, 0, 128));
    EXPECT_EQ(keyed.pixel(2, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(keyed.pixel(3, 0), qRgba(0, 0, 0, 255)) << "an index past the palette is black";

    const QImage greyKey = Load(MakePNG(IHDR(2, 1, 16, 0), ByteString({0, 0x12, 0x34, 0x12, 0x35}), Chunk("tRNS", ByteString({0x12, 0x34}))));
    EXPECT_EQ(qAlpha(greyKey.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(greyKey.pixel(1, 0)), 255) << "16-bit keys compare all 16 bits";
    const QImage rgbKey = Load(MakePNG(IHDR(2, 1, 8, 2), ByteString({0, 1, 2, 3, 1, 2, 4}), Chunk("tRNS", ByteString({0, 1, 0, 2, 0, 3}))));
    EXPECT_EQ(rgbKey.pixel(0, 0), qRgba(1, 2, 3, 0));
    EXPECT_EQ(rgbKey.pixel(1, 0), qRgba(1, 2, 4, 255));

    // 16-bit RGBA: round(v * 255 / 65535).
    const QImage rgba16 = Load(MakePNG(IHDR(1, 1, 16, 6), ByteString({0, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x80, 0x7F, 0x7F})));
    EXPECT_EQ(rgba16.pixel(0, 0), qRgba(255, 128, 0, 127));
}

TEST(TPNGGraphic, ReadsImageDataSplitOverManyChunksAndSkipsAncillaryChunks)
{
    QByteArray rows;
    for (int y = 0; y < 40; ++y) {
        rows.append(char(y % 5));
        for (int x = 0; x < 30 * 3; ++x)
            rows.append(char((x * 7 + y * 13) & 255));
    }
    const QByteArray text = Chunk("tEXt", QByteArray("Comment\0hello", 13)) + Chunk("gAMA", Be32(45455));
    const QImage whole = Load(MakePNG(IHDR(30, 40, 8, 2), rows, text));
    const QImage split = Load(MakePNG(IHDR(30, 40, 8, 2), rows, text, 7));
    EXPECT_EQ(whole, split);
    EXPECT_EQ(split.size(), QSize(30, 40));
}

TEST(TPNGGraphic, FailsWithClearMessages)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected PNG image format.");
    const QString colour = QStringLiteral("Invalid color format in PNG file.");
    const QByteArray good = MakePNG(IHDR(2, 2, 8, 0), ByteString({0, 1, 2, 0, 3, 4}));
    ASSERT_EQ(LoadError(good), QStringLiteral("(no error)"));

    QByteArray badSignature = good;
    badSignature[1] = 'Q';
    EXPECT_EQ(LoadError(badSignature), format);
    QByteArray badCRC = good;
    badCRC[8 + 8 + 13] = char(badCRC[8 + 8 + 13] ^ 1);
    EXPECT_EQ(LoadError(badCRC), QStringLiteral("Cannot load image. The PNG file is damaged: CRC error in chunk IHDR."));
    QByteArray badData = good;
    const qsizetype idat = good.indexOf("IDAT");
    badData[idat + 4] = 0x79; // no zlib header; the CRC is made to match
    badData.replace(idat - 4, badData.size() - (idat - 4),
                    Chunk("IDAT", badData.mid(idat + 4, good.mid(idat - 4, 4).toHex().toInt(nullptr, 16))) + Chunk("IEND", {}));
    EXPECT_EQ(LoadError(badData), QStringLiteral("LZ77 decompression error."));

    for (qsizetype cut : {qsizetype(5), qsizetype(20), idat + 6, good.size() - 13})
        EXPECT_EQ(LoadError(good.left(cut)), QStringLiteral("Stream read error")) << cut;

    EXPECT_EQ(LoadError(MakePNG(IHDR(2, 2, 8, 0), ByteString({0, 1, 2}))), format) << "too little image data";
    EXPECT_EQ(LoadError(MakePNG(IHDR(2, 1, 8, 0), ByteString({5, 1, 2}))), format) << "filter type 5";
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 3, 0), ByteString({0, 0}))), colour);
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 8, 5), ByteString({0, 0}))), colour);
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 16, 3), ByteString({0, 0}))), colour);
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 8, 0, 2), ByteString({0, 0}))), format) << "unknown interlace method";
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 8, 3), ByteString({0, 0}))), format) << "palette picture without PLTE";
    EXPECT_EQ(LoadError(MakePNG(IHDR(1, 1, 8, 0), ByteString({0, 0}), Chunk("ABCD", {}))), format) << "unknown critical chunk";
    EXPECT_EQ(LoadError(Signature() + Chunk("gAMA", Be32(1)) + IHDR(1, 1, 8, 0)), format) << "IHDR must come first";
    EXPECT_EQ(LoadError(Signature() + IHDR(1, 1, 8, 0) + Chunk("IEND", {})), format) << "no image data";
    EXPECT_NE(LoadError(MakePNG(IHDR(0, 1, 8, 0), ByteString({0}))), QStringLiteral("(no error)"));
    // A huge picture is refused by its header before anything is allocated.
    EXPECT_NE(LoadError(MakePNG(IHDR(100000, 100000, 8, 6), ByteString({0}))), QStringLiteral("(no error)"));
}

TEST(TPNGGraphic, MatchesLibpngOnFilesNetpbmWrites)
{
    REQUIRE_TOOLS("pnmtopng", "pngtopam", "pamdepth", "PIL");
    TestFolder folder;
    const QByteArray photo = EncodePPM(MakeTestPicture(67, 45, 12));
    const QByteArray photo16 = RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, photo);
    const QByteArray grey = RunTool(QStringLiteral("ppmtopgm"), {}, photo);
    const QByteArray indexed = EncodePPM(MakeIndexedPicture(67, 45, 200, 13));
    const QByteArray sixteenColours = EncodePPM(MakeIndexedPicture(67, 45, 16, 14));
    const QByteArray fourColours = EncodePPM(MakeIndexedPicture(67, 45, 4, 15));
    const QString mask = folder.Write(QStringLiteral("mask.pgm"), RunTool(QStringLiteral("pamdepth"), {QStringLiteral("255")},
                                                                          EncodePPM(MakeTestPicture(67, 45, 16))));
    const QString alphaMask = folder.Write(QStringLiteral("alpha.pgm"), RunTool(QStringLiteral("ppmtopgm"), {}, ReadFileBytes(mask)));
    const QString alpha16 = folder.Write(QStringLiteral("alpha16.pgm"),
                                         RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, ReadFileBytes(alphaMask)));
    const QString key = QStringLiteral("-transparent=rgb:28/c8/0c");
    struct Case
    {
        const char *name;
        QByteArray source;
        QStringList options;
        bool colourKey = false;
    };
    const Case cases[] = {
        {"rgb none", photo, {QStringLiteral("-nofilter")}},
        {"rgb sub", photo, {QStringLiteral("-sub")}},
        {"rgb up", photo, {QStringLiteral("-up")}},
        {"rgb avg", photo, {QStringLiteral("-avg")}},
        {"rgb paeth", photo, {QStringLiteral("-paeth")}},
        {"rgb interlaced paeth", photo, {QStringLiteral("-interlace"), QStringLiteral("-paeth")}},
        {"rgb16", photo16, {}},
        {"rgb16 interlaced", photo16, {QStringLiteral("-interlace")}},
        {"grey8", grey, {}},
        {"grey16 interlaced", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, grey), {QStringLiteral("-interlace")}},
        {"grey4", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("15")}, grey), {}},
        {"grey2 interlaced", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("3")}, grey), {QStringLiteral("-interlace")}},
        {"grey1", RunTool(QStringLiteral("pgmtopbm"), {}, grey), {}},
        {"palette8", indexed, {}},
        {"palette4 interlaced", sixteenColours, {QStringLiteral("-interlace")}},
        {"palette2", fourColours, {}},
        {"rgb key", photo, {key}, true},
        {"grey16 key", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, grey), {QStringLiteral("-transparent=gray40")}, true},
        {"rgba", photo, {QStringLiteral("-alpha=") + alphaMask}},
        {"rgba16 interlaced", photo16, {QStringLiteral("-alpha=") + alpha16, QStringLiteral("-interlace")}},
        {"grey alpha", grey, {QStringLiteral("-alpha=") + alphaMask}},
        {"grey alpha 16", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, grey), {QStringLiteral("-alpha=") + alpha16}},
        {"palette with transparency", indexed, {QStringLiteral("-transparent=") + QStringLiteral("rgb:00/00/00")}},
    };
    for (const Case &c : cases) {
        const QByteArray png = RunTool(QStringLiteral("pnmtopng"), c.options, c.source);
        ASSERT_FALSE(png.isEmpty()) << c.name;
        const QImage ours = Load(png);
        ExpectSamePixels(ours, c.colourKey ? PILReference(png) : Reference(png), QString::fromLatin1(c.name));
        if (c.colourKey) {
            int transparent = 0;
            for (int y = 0; y < ours.height(); ++y)
                for (int x = 0; x < ours.width(); ++x)
                    transparent += qAlpha(ours.pixel(x, y)) == 0;
            EXPECT_GT(transparent, 0) << c.name << ": the key colour must occur";
        }
    }
}

TEST(TPNGGraphic, MatchesOtherReadersOnFilesImageMagickAndPILWrite)
{
    const QString convert = ConvertProgram();
    const QString python = PillowPython();
    REQUIRE_TOOLS("convert", "PIL", "pngtopam");
    TestFolder folder;
    const QString photo = folder.Write(QStringLiteral("photo.ppm"), EncodePPM(MakeTestPicture(53, 37, 17)));
    struct Case
    {
        int colourType, depth;
    };
    const Case cases[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    for (const Case &c : cases) {
        for (const char *interlace : {"None", "PNG"}) {
            const QString png = folder.Path(QStringLiteral("im-%1-%2-%3.png").arg(c.colourType).arg(c.depth).arg(QLatin1String(interlace)));
            QStringList args{photo};
            if (c.colourType == 4 || c.colourType == 6)
                args << QStringLiteral("-alpha") << QStringLiteral("set") << QStringLiteral("-channel") << QStringLiteral("A")
                     << QStringLiteral("-fx") << QStringLiteral("(i*5+j)%256/255") << QStringLiteral("+channel");
            if (c.colourType == 0 || c.colourType == 4)
                args << QStringLiteral("-colorspace") << QStringLiteral("Gray");
            if (c.colourType == 3)
                args << QStringLiteral("-colors") << QStringLiteral("200");
            args << QStringLiteral("-interlace") << QLatin1String(interlace)
                 << QStringLiteral("-define") << QStringLiteral("png:color-type=%1").arg(c.colourType)
                 << QStringLiteral("-define") << QStringLiteral("png:bit-depth=%1").arg(c.depth) << png;
            RunTool(convert, args);
            const QByteArray bytes = ReadFileBytes(png);
            ASSERT_GT(bytes.size(), 33) << png.toStdString();
            ExpectSamePixels(Load(bytes), Reference(bytes), png);
        }
    }

    // PIL: palettes of 2, 4, 16 and 256 colours with per-entry transparency,
    // grey and alpha, 16-bit grey; PIL decodes them for the reference.
    const QString script = QStringLiteral(R"(
import sys
from PIL import Image
out = sys.argv[1]
def pam(img, path):
    img = img.convert('RGBA')
    with open(path, 'wb') as f:
        f.write(b'P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' % img.size)
        f.write(img.tobytes())
w, h = 41, 29
for bits in (1, 2, 4, 8):
    n = 1 << bits
    img = Image.new('P', (w, h))
    img.putpalette([(i * 37 + c * 90) % 256 for i in range(n) for c in range(3)])
    img.putdata([(x * 3 + y * 5 + (x * y) % 7) % n for y in range(h) for x in range(w)])
    img.info['transparency'] = bytes((i * 53) % 256 for i in range(n // 2 + 1))
    img.save('%s/pil-p%d.png' % (out, bits), bits=bits, transparency=img.info['transparency'])
    pam(Image.open('%s/pil-p%d.png' % (out, bits)), '%s/pil-p%d.pam' % (out, bits))
la = Image.new('LA', (w, h))
la.putdata([((x * 6) % 256, (y * 9) % 256) for y in range(h) for x in range(w)])
la.save('%s/pil-la.png' % out)
pam(Image.open('%s/pil-la.png' % out), '%s/pil-la.pam' % out)
g16 = Image.new('I;16', (w, h))
g16.putdata([(x * 1601 + y * 977) % 65536 for y in range(h) for x in range(w)])
g16.save('%s/pil-i16.png' % out)
)");
    RunTool(python, {QStringLiteral("-c"), script, folder.Root()});
    for (const char *name : {"pil-p1", "pil-p2", "pil-p4", "pil-p8", "pil-la"}) {
        const QString base = folder.Path(QLatin1String(name));
        const QByteArray png = ReadFileBytes(base + QStringLiteral(".png"));
        ExpectSamePixels(Load(png), DecodeNetpbm(ReadFileBytes(base + QStringLiteral(".pam"))), QLatin1String(name));
        ExpectSamePixels(Load(png), Reference(png), QLatin1String(name));
    }
    const QByteArray grey16 = ReadFileBytes(folder.Path(QStringLiteral("pil-i16.png")));
    ExpectSamePixels(Load(grey16), Reference(grey16), QStringLiteral("pil-i16"));
}

TEST(TPNGGraphic, ShowsTransparencyOnBlackThroughPictureLoading)
{
    REQUIRE_TOOLS("pnmtopng", "pngtopam");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QString alpha = folder.Write(QStringLiteral("alpha.pgm"), RunTool(QStringLiteral("ppmtopgm"), {}, EncodePPM(MakeTestPicture(47, 33, 27))));
    const QByteArray rgba = RunTool(QStringLiteral("pnmtopng"), {QStringLiteral("-alpha=") + alpha, QStringLiteral("-interlace")},
                                    EncodePPM(MakeTestPicture(47, 33, 28)));
    ExpectShownAs(folder.Root(), QStringLiteral("rgba.png"), rgba, OntoBlack(Reference(rgba)));
    const QByteArray palette = RunTool(QStringLiteral("pnmtopng"), {QStringLiteral("-transparent=rgb:00/00/00")},
                                       EncodePPM(MakeIndexedPicture(47, 33, 100, 29)));
    ExpectShownAs(folder.Root(), QStringLiteral("palette.PNG"), palette, OntoBlack(Reference(palette)));
    const QByteArray opaque = RunTool(QStringLiteral("pnmtopng"), {}, EncodePPM(MakeTestPicture(47, 33, 30)));
    ExpectShownAs(folder.Root(), QStringLiteral("opaque.png"), opaque, Reference(opaque));
}
