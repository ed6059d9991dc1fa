#include "imaging/decoders/PPMGraphic.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

QImage Load(const QByteArray &bytes) { return DecodeOrFail<TPPMGraphic>(bytes); }
QString LoadError(const QByteArray &bytes) { return ErrorOf<TPPMGraphic>(bytes); }

} // namespace

TEST(TPPMGraphic, ReadsPlainFilesWithComments)
{
    const QImage bits = Load("P1\n# a comment\n4 2 # another\n0101\n1 1 0\n0");
    ASSERT_EQ(bits.format(), QImage::Format_Mono);
    ASSERT_EQ(bits.size(), QSize(4, 2));
    EXPECT_EQ(bits.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bits.pixel(1, 0), qRgb(0, 0, 0)) << "1 is black";
    EXPECT_EQ(bits.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(bits.pixel(3, 1), qRgb(255, 255, 255));

    // Maximum value 1000: round(v * 255 / 1000); values above it are taken as it.
    const QImage grey = Load("P2 3 1 1000 0 502 4000");
    ASSERT_EQ(grey.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qGray(grey.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(grey.pixel(1, 0)), 128);
    EXPECT_EQ(qGray(grey.pixel(2, 0)), 255);

    const QImage colour = Load("P3\n1 1\n65535\n65535 32768 257\n");
    EXPECT_EQ(colour.pixel(0, 0), qRgb(255, 128, 1));
}

TEST(TPPMGraphic, ReadsRawFilesOfEveryDepth)
{
    const QImage bits = Load(QByteArray("P4\n10 1\n") + char(0x80) + char(0x40));
    EXPECT_EQ(bits.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bits.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bits.pixel(9, 0), qRgb(0, 0, 0));

    EXPECT_EQ(qGray(Load(QByteArray("P5 1 1 15\n") + char(5)).pixel(0, 0)), 85);
    EXPECT_EQ(Load(QByteArray("P6 1 1 255\n") + "\x01\x02\x03").pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(Load(QByteArray("P6 1 1 65535\n") + QByteArray("\xFF\xFF\x80\x00\x00\xFF", 6)).pixel(0, 0),
              qRgb(255, 128, 1));
    // A second picture after the first is not read.
    EXPECT_EQ(Load(QByteArray("P5 1 1 255\n") + char(7) + "P5 2 2 255\n").size(), QSize(1, 1));
}

TEST(TPPMGraphic, FailsWithTheFamilyMessages)
{
    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected PPM image format.");
    EXPECT_EQ(LoadError("P7 1 1 255\n\x01"), format);
    EXPECT_EQ(LoadError("Q6 1 1 255\n\x01\x02\x03"), format);
    EXPECT_EQ(LoadError("P6 x 1 255\n\x01\x02\x03"), format);
    EXPECT_EQ(LoadError("P5 1 1 0\n\x01"), format);
    EXPECT_EQ(LoadError("P5 1 1 65536\n\x01\x01"), format);
    EXPECT_EQ(LoadError("P2 2 1 255 7 x"), format);
    EXPECT_EQ(LoadError("P1 2 1 0 2"), format);
    EXPECT_EQ(LoadError("P5 1 1 255x"), format) << "raw data must follow one whitespace";

    const QString readError = QStringLiteral("Stream read error");
    EXPECT_EQ(LoadError("P6 2 2 255\n\x01\x02\x03"), readError);
    EXPECT_EQ(LoadError("P5 2 1 65535\n\x01\x02\x03"), readError);
    EXPECT_EQ(LoadError("P4 9 2\n\x01\x02\x03"), readError);
    EXPECT_EQ(LoadError("P3 1 1 255 1 2"), readError);
    EXPECT_EQ(LoadError("P3 2 1 255 1 2 3 4 5     "), readError);
    EXPECT_EQ(LoadError("P1 2 2 0 1 1"), readError);
    EXPECT_EQ(LoadError("P6 2 2"), readError);
    EXPECT_EQ(LoadError("P"), readError);
    // A picture far larger than the data is refused before allocation.
    EXPECT_EQ(LoadError("P6 60000 4000 255\n\x01\x02\x03"), readError);
    EXPECT_NE(LoadError("P6 0 4 255\n"), QStringLiteral("(no error)"));
    EXPECT_NE(LoadError("P6 99999999999999999999 4 255\n"), QStringLiteral("(no error)"));
}

TEST(TPPMGraphic, MatchesImageMagickOnFilesNetpbmWrites)
{
    const QString convert = ConvertProgram();
    REQUIRE_TOOLS("convert", "pnmtoplainpnm", "pamdepth");
    const QByteArray photo = EncodePPM(MakeTestPicture(77, 41, 11));
    const QByteArray grey = RunTool(QStringLiteral("ppmtopgm"), {}, photo);
    const QByteArray bits = RunTool(QStringLiteral("pgmtopbm"), {}, grey);
    struct Case
    {
        const char *name;
        QByteArray file;
    };
    const Case cases[] = {
        {"P6", photo},
        {"P5", grey},
        {"P4", bits},
        {"P3", RunTool(QStringLiteral("pnmtoplainpnm"), {}, photo)},
        {"P2", RunTool(QStringLiteral("pnmtoplainpnm"), {}, grey)},
        {"P1", RunTool(QStringLiteral("pnmtoplainpnm"), {}, bits)},
        {"P6 16-bit", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, photo)},
        {"P5 16-bit", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, grey)},
        {"P6 maxval 1000", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("1000")}, photo)},
        {"P5 maxval 31", RunTool(QStringLiteral("pamdepth"), {QStringLiteral("31")}, grey)},
        {"P3 16-bit", RunTool(QStringLiteral("pnmtoplainpnm"), {}, RunTool(QStringLiteral("pamdepth"), {QStringLiteral("65535")}, photo))},
        {"P2 maxval 4000", RunTool(QStringLiteral("pnmtoplainpnm"), {}, RunTool(QStringLiteral("pamdepth"), {QStringLiteral("4000")}, grey))},
    };
    TestFolder folder;
    for (const Case &c : cases) {
        ASSERT_TRUE(c.file.startsWith(QByteArray(c.name).left(2))) << c.name;
        const QString path = folder.Write(QStringLiteral("picture.pnm"), c.file);
        const QImage reference = DecodeNetpbm(RunTool(convert, {path, QStringLiteral("-depth"), QStringLiteral("16"), QStringLiteral("ppm:-")}));
        ExpectSamePixels(Load(c.file), reference, QString::fromLatin1(c.name));
    }
    // The 8-bit pictures come through unchanged.
    ExpectSamePixels(Load(cases[0].file), DecodeNetpbm(photo), QStringLiteral("P6 exact"));
    ExpectSamePixels(Load(cases[6].file), DecodeNetpbm(photo), QStringLiteral("P6 16-bit exact"));
}

TEST(TPPMGraphic, ShowsThroughPictureLoadingUnderEveryExtension)
{
    REQUIRE_TOOLS("ppmtopgm", "pgmtopbm");
    const TFileFormatRegistration formats;
    TestFolder folder;
    const QByteArray photo = EncodePPM(MakeTestPicture(35, 21, 26));
    const QByteArray grey = RunTool(QStringLiteral("ppmtopgm"), {}, photo);
    const QByteArray bits = RunTool(QStringLiteral("pgmtopbm"), {}, grey);
    ExpectShownAs(folder.Root(), QStringLiteral("photo.ppm"), photo, DecodeNetpbm(photo));
    ExpectShownAs(folder.Root(), QStringLiteral("grey.PGM"), grey, DecodeNetpbm(grey));
    ExpectShownAs(folder.Root(), QStringLiteral("bits.pbm"), bits, DecodeNetpbm(bits));
}
