#include "imaging/decoders/SGIGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

void Put16(QByteArray &b, int offset, int v)
{
    b[offset] = char(v >> 8 & 255);
    b[offset + 1] = char(v & 255);
}

void Put32(QByteArray &b, int offset, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = char(v >> (24 - 8 * i) & 255);
}

QByteArray Header(int storage, int bytesPerSample, int dimension, int width, int height, int channels,
                  uint32_t pixelMax = 255)
{
    QByteArray h(512, '\0');
    Put16(h, 0, 474);
    h[2] = char(storage);
    h[3] = char(bytesPerSample);
    Put16(h, 4, dimension);
    Put16(h, 6, width);
    Put16(h, 8, height);
    Put16(h, 10, channels);
    Put32(h, 16, pixelMax);
    return h;
}

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TSGIGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TSGIGraphic>(bytes); }

} // namespace

TEST(TSGIGraphic, ReadsPackedRowsThroughTheOffsetTables)
{
    // 5 by 2, one channel, the rows' data stored in reverse order. Table
    // entry 0 is the bottom row: 82 0A 0B 03 0C 00; entry 1 a run of 5.
    QByteArray file = Header(1, 1, 2, 5, 2, 1) + QByteArray(16, '\0');
    const int tables = 512, data = tables + 16;
    const QByteArray bottom = ByteString({0x82, 0x0A, 0x0B, 0x03, 0x0C, 0x00});
    const QByteArray top = ByteString({0x05, 0x77, 0x00});
    Put32(file, tables, uint32_t(data + top.size()));
    Put32(file, tables + 4, uint32_t(data));
    Put32(file, tables + 8, uint32_t(bottom.size()));
    Put32(file, tables + 12, uint32_t(top.size()));
    file += top + bottom;
    const QImage image = Load(file);
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    const int expectedBottom[] = {0x0A, 0x0B, 0x0C, 0x0C, 0x0C};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(qGray(image.pixel(x, 1)), expectedBottom[x]);
        EXPECT_EQ(qGray(image.pixel(x, 0)), 0x77);
    }

    // Both rows may share one stretch of data.
    Put32(file, tables + 4, uint32_t(data + top.size()));
    Put32(file, tables + 12, uint32_t(bottom.size()));
    EXPECT_EQ(qGray(Load(file).pixel(4, 0)), 0x0C);
}

TEST(TSGIGraphic, ReadsVerbatimChannelsAndScales16BitSamples)
{
    // 2 by 1, 16 bits, 4 channels of pixel max 65535, planar.
    const QByteArray rgba = Header(0, 2, 3, 2, 1, 4, 65535)
        + ByteString({0xFF, 0xFF, 0x00, 0x80, /* R */ 0x00, 0x00, 0x7F, 0x7F, /* G */ 0x01, 0x00, 0x12, 0x34, /* B */
                 0xFF, 0xFF, 0x80, 0x00 /* A */});
    const QImage image = Load(rgba);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 1, 255));
    // round(v * 255 / 65535): 0x0080 -> 0, 0x7F7F -> 127, 0x1234 -> 18, 0x8000 -> 128.
    EXPECT_EQ(image.pixel(1, 0), qRgba(0, 127, 18, 128));

    // A smaller pixel max scales to it.
    EXPECT_EQ(qGray(Load(Header(0, 2, 2, 1, 1, 1, 1023) + ByteString({0x02, 0x00})).pixel(0, 0)), 128);
    // Dimension 1 is a single row whatever the height says; grey and alpha.
    const QImage row = Load(Header(0, 1, 1, 2, 9, 1) + ByteString({5, 6}));
    EXPECT_EQ(row.size(), QSize(2, 1));
    const QImage greyAlpha = Load(Header(0, 1, 3, 1, 1, 2) + ByteString({50, 60}));
    EXPECT_EQ(greyAlpha.pixel(0, 0), qRgba(50, 50, 50, 60));
    // A fifth channel is ignored.
    EXPECT_EQ(Load(Header(0, 1, 3, 1, 1, 5) + ByteString({1, 2, 3, 4, 5})).pixel(0, 0), qRgba(1, 2, 3, 4));
}

TEST(TSGIGraphic, FailsWithTheFamilyMessages)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected SGI image format.");
    const QString colour = QStringLiteral("Invalid color format in SGI file.");
    QByteArray wrongMagic = Header(0, 1, 2, 1, 1, 1) + ByteString({0});
    wrongMagic[1] = 0;
    EXPECT_EQ(LoadError(wrongMagic), format);
    EXPECT_EQ(LoadError(Header(2, 1, 2, 1, 1, 1) + ByteString({0})), format);
    EXPECT_EQ(LoadError(Header(0, 1, 4, 1, 1, 1) + ByteString({0})), format);
    EXPECT_EQ(LoadError(Header(0, 1, 3, 1, 1, 0) + ByteString({0})), format);
    EXPECT_EQ(LoadError(Header(0, 3, 2, 1, 1, 1) + ByteString({0, 0, 0})), colour);
    QByteArray indexed = Header(0, 1, 2, 1, 1, 1) + ByteString({0});
    Put32(indexed, 104, 3);
    EXPECT_EQ(LoadError(indexed), colour);
    EXPECT_EQ(LoadError(Header(0, 1, 3, 4, 4, 3) + QByteArray(47, '\0')), QStringLiteral("Stream read error"));
    EXPECT_EQ(LoadError(Header(0, 1, 2, 4, 4, 1).left(300)), QStringLiteral("Stream read error"));
    // Offset tables that are cut short, or that point outside the file.
    EXPECT_EQ(LoadError(Header(1, 1, 2, 4, 4, 1) + QByteArray(20, '\0')), QStringLiteral("Stream read error"));
    QByteArray outside = Header(1, 1, 2, 1, 1, 1) + QByteArray(8, '\0') + ByteString({0x01, 0x05, 0x00});
    Put32(outside, 512, 520);
    Put32(outside, 516, 4);
    EXPECT_EQ(LoadError(outside), QStringLiteral("Stream read error"));
    Put32(outside, 516, 3);
    EXPECT_EQ(qGray(Load(outside).pixel(0, 0)), 5);
    EXPECT_EQ(LoadError(Header(1, 1, 3, 60000, 4000, 4) + QByteArray(1000, '\0')), QStringLiteral("Stream read error"));
}

TEST(TSGIGraphic, MatchesNetpbmAndImageMagickOnFilesTheyWrite)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert", "pnmtosgi", "sgitopnm");
    TestFolder folder;
    const QByteArray photo = EncodePPM(MakeTestPicture(119, 71, 8));
    const QString photoPath = folder.Write(QStringLiteral("photo.ppm"), photo);
    const QByteArray photo16 = RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, photo);
    const QByteArray grey = RunTool(QStringLiteral("ppmtopgm"), {}, photo);
    const QByteArray grey16 = RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, grey);
    struct Case
    {
        const char *name;
        QByteArray source;
        QStringList options;
    };
    const Case netpbmCases[] = {
        {"rle8", photo, {}},
        {"verbatim8", photo, {QStringLiteral("-verbatim")}},
        {"rle16", photo16, {}},
        {"verbatim16", photo16, {QStringLiteral("-verbatim")}},
        {"grey-rle", grey, {}},
        {"grey16-verbatim", grey16, {QStringLiteral("-verbatim")}},
    };
    for (const Case &c : netpbmCases) {
        const QByteArray sgi = RunTool(QStringLiteral("pnmtosgi"), c.options, c.source);
        ExpectSamePixels(Load(sgi), DecodeNetpbm(RunTool(QStringLiteral("sgitopnm"), {}, sgi)), QString::fromLatin1(c.name));
    }
    // netpbm's 16-bit file carries the 8-bit picture exactly (v * 257).
    ExpectSamePixels(Load(RunTool(QStringLiteral("pnmtosgi"), {}, photo16)), DecodeNetpbm(photo), QStringLiteral("rle16 exact"));

    struct MagickCase
    {
        const char *name;
        QStringList options;
        bool alpha;
    };
    const MagickCase magickCases[] = {
        {"im-rle8.sgi", {QStringLiteral("-depth"), QStringLiteral("8")}, false},
        {"im-verbatim16.sgi", {QStringLiteral("-depth"), QStringLiteral("16")}, false},
        {"im-rgba8.sgi", {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                          QStringLiteral("-fx"), QStringLiteral("(i+j*5)%256/255"), QStringLiteral("+channel"),
                          QStringLiteral("-depth"), QStringLiteral("8")}, true},
        {"im-rgba16.sgi", {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                           QStringLiteral("-fx"), QStringLiteral("(i*7+j)%256/255"), QStringLiteral("+channel"),
                           QStringLiteral("-depth"), QStringLiteral("16")}, true},
    };
    for (const MagickCase &c : magickCases) {
        const QString sgi = folder.Path(QString::fromLatin1(c.name));
        RunTool(convert, QStringList{photoPath} + c.options + QStringList{sgi});
        const QImage reference = DecodeNetpbm(RunTool(convert, {sgi, QStringLiteral("-depth"), QStringLiteral("16"),
                                                                c.alpha ? QStringLiteral("pam:-") : QStringLiteral("ppm:-")}));
        ExpectSamePixels(Load(ReadFileBytes(sgi)), reference, sgi);
    }
}

TEST(TSGIGraphic, ShowsThroughPictureLoadingUnderEveryExtension)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert", "pnmtosgi", "sgitopnm");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray photo = EncodePPM(MakeTestPicture(39, 27, 25));
    const QByteArray grey = RunTool(QStringLiteral("pnmtosgi"), {}, RunTool(QStringLiteral("ppmtopgm"), {}, photo));
    ExpectShownAs(folder.Root(), QStringLiteral("grey.bw"), grey, DecodeNetpbm(RunTool(QStringLiteral("sgitopnm"), {}, grey)));
    const QByteArray rgb = RunTool(QStringLiteral("pnmtosgi"), {}, photo);
    ExpectShownAs(folder.Root(), QStringLiteral("colour.RGB"), rgb, DecodeNetpbm(photo));
    ExpectShownAs(folder.Root(), QStringLiteral("colour.sgi"), rgb, DecodeNetpbm(photo));
    const QString source = folder.Write(QStringLiteral("photo.ppm"), photo);
    const QString rgba = folder.Path(QStringLiteral("made.sgi"));
    RunTool(convert, {source, QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                      QStringLiteral("-fx"), QStringLiteral("(i*9+j)%256/255"), QStringLiteral("+channel"), QStringLiteral("-depth"),
                      QStringLiteral("8"), rgba});
    const QImage reference = DecodeNetpbm(RunTool(convert, {rgba, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("pam:-")}));
    ExpectShownAs(folder.Root(), QStringLiteral("alpha.rgba"), ReadFileBytes(rgba), OntoBlack(reference));
}
