#include "imaging/decoders/PCXGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

QByteArray Header(int version, int encoding, int bits, int planes, int width, int height, int bytesPerLine,
                  const QByteArray &palette16 = {})
{
    QByteArray h(128, '\0');
    h[0] = 0x0A;
    h[1] = char(version);
    h[2] = char(encoding);
    h[3] = char(bits);
    h[8] = char((width - 1) & 255);
    h[9] = char((width - 1) >> 8);
    h[10] = char((height - 1) & 255);
    h[11] = char((height - 1) >> 8);
    for (int i = 0; i < palette16.size() && i < 48; ++i)
        h[16 + i] = palette16[i];
    h[65] = char(planes);
    h[66] = char(bytesPerLine & 255);
    h[67] = char(bytesPerLine >> 8);
    return h;
}

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TPCXGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TPCXGraphic>(bytes); }

} // namespace

TEST(TPCXGraphic, ReadsPackedLinesWithPaddingAndRunsAcrossLines)
{
    // 8 bits, 3 by 2, 4 bytes per line: C3 41 42 fills 41 41 41 42; a run
    // then crosses into the second line.
    QByteArray palette(769, '\0');
    palette[0] = 0x0C;
    palette[1 + 3 * 0x41] = char(10);
    palette[1 + 3 * 0x42 + 1] = char(20);
    palette[1 + 3 * 7 + 2] = char(30);
    const QImage image = Load(Header(5, 1, 8, 1, 3, 2, 4) + ByteString({0xC3, 0x41, 0x42, 0xC4, 0x07}) + palette);
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(10, 0, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(10, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 30)) << "the byte after the padding starts the second line";
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 30));

    // Without the palette marker an 8-bit file is grey.
    EXPECT_EQ(Load(Header(5, 0, 8, 1, 1, 1, 2) + ByteString({0x80, 0})).pixel(0, 0), qRgb(128, 128, 128));
}

TEST(TPCXGraphic, AssemblesPlanesAndPackedPixels)
{
    // 1 bit in 4 planes: index = p0 + 2 p1 + 4 p2 + 8 p3, raw data.
    const QByteArray planar = ByteString({0x80, 0, 0xC0, 0, 0x40, 0, 0xFF, 0});
    const QImage ega = Load(Header(3, 0, 1, 4, 2, 1, 2) + planar);
    EXPECT_EQ(ega.pixelIndex(0, 0), 1 + 2 + 8);
    EXPECT_EQ(ega.pixelIndex(1, 0), 2 + 4 + 8);
    EXPECT_EQ(ega.pixel(0, 0), qRgb(0x55, 0xFF, 0xFF)) << "version 3 uses the standard EGA colours";
    QByteArray palette16(48, '\0');
    palette16[3 * 11] = char(1);
    palette16[3 * 11 + 1] = char(2);
    palette16[3 * 11 + 2] = char(3);
    EXPECT_EQ(Load(Header(5, 0, 1, 4, 2, 1, 2, palette16) + planar).pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(Load(Header(5, 0, 1, 4, 2, 1, 2) + planar).pixel(0, 0), qRgb(0x55, 0xFF, 0xFF))
        << "an empty header palette also falls back to EGA";

    // Packed 2 and 4 bits per pixel, most significant bits first.
    EXPECT_EQ(Load(Header(5, 0, 2, 1, 4, 1, 2) + ByteString({0x1B, 0})).pixelIndex(3, 0), 3);
    EXPECT_EQ(Load(Header(5, 0, 2, 1, 4, 1, 2) + ByteString({0x1B, 0})).pixelIndex(1, 0), 1);
    EXPECT_EQ(Load(Header(5, 0, 4, 1, 3, 1, 2) + ByteString({0xA5, 0xF0})).pixelIndex(2, 0), 15);

    // 1 bit: the header's two colours, or black and white when it has none.
    const QImage mono = Load(Header(5, 0, 1, 1, 3, 1, 2) + ByteString({0xA0, 0}));
    EXPECT_EQ(mono.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(mono.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(Load(Header(5, 0, 1, 1, 1, 1, 2, ByteString({9, 9, 9, 200, 100, 50})) + ByteString({0x80, 0})).pixel(0, 0),
              qRgb(200, 100, 50));

    // 24 bits as three planes; four planes give alpha.
    const QImage rgb = Load(Header(5, 1, 8, 3, 1, 1, 2) + ByteString({0x11, 0, 0x22, 0, 0x33, 0}));
    EXPECT_EQ(rgb.pixel(0, 0), qRgb(0x11, 0x22, 0x33));
    const QImage rgba = Load(Header(5, 1, 8, 4, 1, 1, 2) + ByteString({0x11, 0, 0x22, 0, 0x33, 0, 0x44, 0}));
    EXPECT_EQ(rgba.pixel(0, 0), qRgba(0x11, 0x22, 0x33, 0x44));
    EXPECT_FALSE(Load(Header(5, 1, 8, 4, 1, 1, 2) + ByteString({0x11, 0, 0x22, 0, 0x33, 0, 0, 0})).hasAlphaChannel());
}

TEST(TPCXGraphic, FailsWithTheFamilyMessages)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected PCX image format.");
    const QString colour = QStringLiteral("Invalid color format in PCX file.");
    QByteArray notPCX = Header(5, 1, 8, 1, 1, 1, 2) + ByteString({0, 0});
    notPCX[0] = 0x0B;
    EXPECT_EQ(LoadError(notPCX), format);
    EXPECT_EQ(LoadError(Header(5, 2, 8, 1, 1, 1, 2) + ByteString({0, 0})), format);
    EXPECT_EQ(LoadError(Header(5, 1, 8, 1, 20, 1, 2) + QByteArray(40, '\0')), format) << "lines shorter than the width";
    EXPECT_EQ(LoadError(Header(5, 1, 2, 2, 1, 1, 2) + ByteString({0, 0, 0, 0})), colour);
    EXPECT_EQ(LoadError(Header(5, 1, 16, 1, 1, 1, 2) + ByteString({0, 0})), colour);
    EXPECT_EQ(LoadError(Header(5, 1, 8, 1, 4, 4, 4) + ByteString({0xC5, 1})), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(5, 0, 8, 3, 4, 4, 4) + QByteArray(47, '\0')), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(5, 1, 8, 1, 1, 1, 2).left(127)), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(5, 1, 8, 4, 60000, 4000, 60000) + QByteArray(1000, '\xFF')), QStringLiteral("Stream read error"));
}

TEST(TPCXGraphic, MatchesNetpbmAndImageMagickOnFilesTheyWrite)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert", "ppmtopcx", "pcxtoppm");
    TestFolder folder;
    struct NetpbmCase
    {
        int colours;
        QStringList options;
    };
    const NetpbmCase netpbmCases[] = {
        {2, {}},
        {4, {}},
        {8, {}},
        {16, {}},
        {4, {QStringLiteral("-packed")}},
        {16, {QStringLiteral("-packed")}},
        {2, {QStringLiteral("-packed")}},
        {200, {}},
        {16, {QStringLiteral("-8bit")}},
        {200, {QStringLiteral("-24bit")}},
        {3, {QStringLiteral("-planes=4")}},
    };
    for (const NetpbmCase &c : netpbmCases) {
        // Odd widths make lines with padding bytes.
        const QImage picture = MakeIndexedPicture(37, 23, c.colours, uint32_t(c.colours));
        const QByteArray pcx = RunTool(QStringLiteral("ppmtopcx"), c.options, EncodePPM(picture));
        const QString what = QStringLiteral("ppmtopcx %1 colours %2").arg(c.colours).arg(c.options.join(QLatin1Char(' ')));
        ExpectSamePixels(Load(pcx), DecodeNetpbm(RunTool(QStringLiteral("pcxtoppm"), {}, pcx)), what);
        ExpectSamePixels(Load(pcx), picture, what);
    }

    const QString photo = folder.Write(QStringLiteral("photo.ppm"), EncodePPM(MakeTestPicture(101, 67, 4)));
    const QString indexed = folder.Write(QStringLiteral("indexed.ppm"), EncodePPM(MakeIndexedPicture(101, 67, 250, 4)));
    struct MagickCase
    {
        const char *name;
        QString source;
        QStringList options;
        bool alpha;
    };
    const MagickCase magickCases[] = {
        {"truecolour.pcx", photo, {}, false},
        {"palette.pcx", indexed, {QStringLiteral("-type"), QStringLiteral("Palette")}, false},
        {"alpha.pcx", photo, {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                              QStringLiteral("-fx"), QStringLiteral("(i*3+j)%256/255"), QStringLiteral("+channel")}, true},
    };
    for (const MagickCase &c : magickCases) {
        const QString pcx = folder.Path(QString::fromLatin1(c.name));
        RunTool(convert, QStringList{c.source} + c.options + QStringList{pcx});
        const QImage reference = DecodeNetpbm(RunTool(convert, {pcx, QStringLiteral("-depth"), QStringLiteral("8"),
                                                                c.alpha ? QStringLiteral("pam:-") : QStringLiteral("ppm:-")}));
        ExpectSamePixels(Load(ReadFileBytes(pcx)), reference, pcx);
    }
}

TEST(TPCXGraphic, ShowsThroughPictureLoadingUnderEveryExtension)
{
    REQUIRE_TOOLS("ppmtopcx", "pcxtoppm");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray planes = RunTool(QStringLiteral("ppmtopcx"), {}, EncodePPM(MakeIndexedPicture(29, 19, 16, 23)));
    const QByteArray truecolour = RunTool(QStringLiteral("ppmtopcx"), {}, EncodePPM(MakeTestPicture(29, 19, 24)));
    ExpectShownAs(folder.Root(), QStringLiteral("planes.pcx"), planes, DecodeNetpbm(RunTool(QStringLiteral("pcxtoppm"), {}, planes)));
    ExpectShownAs(folder.Root(), QStringLiteral("planes.PCC"), planes, DecodeNetpbm(RunTool(QStringLiteral("pcxtoppm"), {}, planes)));
    ExpectShownAs(folder.Root(), QStringLiteral("capture.scr"), truecolour,
                  DecodeNetpbm(RunTool(QStringLiteral("pcxtoppm"), {}, truecolour)));
}
