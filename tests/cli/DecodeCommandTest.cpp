#include "tests/cli/CliTestFiles.h"
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

TEST(DecodeCommand, WritesTheLoadedPictureAsPPM)
{
    TestFolder folder;
    const QImage picture = NumberedPicture(5, 3);
    const QString bmp = folder.Write(QStringLiteral("picture.bmp"), BitmapFileOf(picture));
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    const CliRun run = RunCli({QStringLiteral("decode"), bmp, out});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(out), PPMOf(picture));
    // The scale leaves pictures that are not JPEG whole.
    EXPECT_EQ(RunCli({QStringLiteral("decode"), QStringLiteral("--scale"), QStringLiteral("8"), bmp, out}).status, 0);
    EXPECT_EQ(ReadFileBytes(out), PPMOf(picture));
}

TEST(DecodeCommand, DecodesJPEGAtTheScaleAsked)
{
    REQUIRE_TOOLS("cjpeg", "djpeg");
    TestFolder folder;
    const QString source = folder.Write(QStringLiteral("source.ppm"), PPMOf(NumberedPicture(21, 13)));
    const QString jpeg = folder.Path(QStringLiteral("photo.JPG"));
    ASSERT_EQ(RunProgram(QStringLiteral("cjpeg"), {QStringLiteral("-outfile"), jpeg, source}), 0);
    for (const char *scale : {"1", "2", "4", "8"}) {
        const QString out = folder.Path(QStringLiteral("out%1.ppm").arg(QLatin1String(scale)));
        const QString reference = folder.Path(QStringLiteral("ref%1.ppm").arg(QLatin1String(scale)));
        EXPECT_EQ(RunCli({QStringLiteral("decode"), jpeg, out, QStringLiteral("--scale"), QLatin1String(scale)}).status, 0);
        ASSERT_EQ(RunProgram(QStringLiteral("djpeg"), {QStringLiteral("-scale"), QStringLiteral("1/") + QLatin1String(scale),
                                                       QStringLiteral("-outfile"), reference, jpeg}),
                  0);
        EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(reference)) << "scale 1/" << scale;
    }
}

// HEIC and WebP reach the same scaled loading: the scaled size (WebP as
// dwebp scales it while decoding), or the embedded thumbnail when that is at
// least the scaled size.
TEST(DecodeCommand, ScalesThePhoneFormats)
{
    REQUIRE_TOOLS("heif-enc", "cwebp", "dwebp");
    TestFolder folder;
    const QString source = folder.Path(QStringLiteral("source.png"));
    ASSERT_TRUE(NumberedPicture(90, 60).save(source));
    const QString heic = folder.Path(QStringLiteral("photo.heic")), webp = folder.Path(QStringLiteral("photo.webp"));
    ASSERT_EQ(RunProgram(QStringLiteral("heif-enc"), {QStringLiteral("-t"), QStringLiteral("30"), QStringLiteral("-o"), heic, source}), 0);
    ASSERT_EQ(RunProgram(QStringLiteral("cwebp"), {QStringLiteral("-quiet"), source, QStringLiteral("-o"), webp}), 0);
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    const auto sizeAt = [&](const QString &picture, const char *scale) {
        EXPECT_EQ(RunCli({QStringLiteral("decode"), picture, out, QStringLiteral("--scale"), QLatin1String(scale)}).status, 0);
        return QImage(out).size();
    };
    EXPECT_EQ(sizeAt(heic, "1"), QSize(90, 60));
    EXPECT_EQ(sizeAt(heic, "2"), QSize(45, 30)) << "the 30 by 20 thumbnail is too small";
    EXPECT_EQ(sizeAt(heic, "4"), QSize(30, 20)) << "the thumbnail covers 23 by 15";
    EXPECT_EQ(sizeAt(webp, "8"), QSize(12, 8));
    const QString reference = folder.Path(QStringLiteral("reference.ppm"));
    ASSERT_EQ(RunProgram(QStringLiteral("dwebp"), {QStringLiteral("-quiet"), webp, QStringLiteral("-resize"), QStringLiteral("23"),
                                                   QStringLiteral("15"), QStringLiteral("-ppm"), QStringLiteral("-o"), reference}),
              0);
    sizeAt(webp, "4");
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(reference));
}

TEST(DecodeCommand, ReportsFailuresWithTheProgramsMessage)
{
    TestFolder folder;
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    const QByteArray bmp = BitmapFileOf(NumberedPicture(4, 4));
    const struct { const char *name; QByteArray bytes; const char *message; } cases[] = {
        {"missing.jpg", {}, "No picture could be read from "},
        {"missing.bmp", {}, "Cannot open file "},
        {"picture.xyz", "data", "Unknown picture file extension (.xyz)"},
        {"README", "data", "Unknown picture file extension (.)"},
        {"cut.bmp", bmp.left(70), "Stream read error"},
        {"header.bmp", bmp.left(20), "Stream read error"},
        {"wide.bmp", bmp.left(18) + QByteArray::fromHex("70110100") + bmp.mid(22), "Picture too large (70000 by 4 pixels)"},
        {"text.jpg", "not a picture", "No picture could be read from "},
        {"icon.ico", QByteArray::fromHex("0000010001001010000001002000040000001600000000000000"), "No picture could be read from "},
        {"cut.heic", QByteArray("\0\0\0\x18" "ftypheic", 12), "Cannot load image. Invalid or unexpected HEIF image format."},
        {"cut.webp", QByteArray("RIFF\x20\0\0\0WEBPVP8 ", 16), "Cannot load image. Invalid or unexpected WebP image format."},
    };
    for (const auto &c : cases) {
        const QString path = c.bytes.isNull() ? folder.Path(QLatin1String(c.name)) : folder.Write(QLatin1String(c.name), c.bytes);
        const CliRun run = RunCli({QStringLiteral("decode"), path, out});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << c.name << ": " << run.err.toStdString();
    }
    const QString good = folder.Write(QStringLiteral("good.bmp"), bmp);
    const CliRun unwritable = RunCli({QStringLiteral("decode"), good, folder.Path(QStringLiteral("no/such/folder/out.ppm"))});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("Cannot create file "))) << unwritable.err.toStdString();
}

TEST(DecodeCommand, RefusesWrongUsageWithStatusTwo)
{
    TestFolder folder;
    const QString bmp = folder.Write(QStringLiteral("picture.bmp"), BitmapFileOf(NumberedPicture(2, 2)));
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    for (const QStringList &args : {QStringList{}, QStringList{QStringLiteral("nonsense")},
                                    QStringList{QStringLiteral("decode")}, QStringList{QStringLiteral("decode"), bmp},
                                    QStringList{QStringLiteral("decode"), bmp, out, QStringLiteral("extra")},
                                    QStringList{QStringLiteral("decode"), bmp, out, QStringLiteral("--scale"), QStringLiteral("3")},
                                    QStringList{QStringLiteral("decode"), bmp, out, QStringLiteral("--scale")},
                                    QStringList{QStringLiteral("decode"), bmp, out, QStringLiteral("--size"), QStringLiteral("2")}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage"))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST(DecodeCommand, NeverCrashesOnCutOrScrambledFiles)
{
    TestFolder folder;
    const QByteArray bmp = BitmapFileOf(NumberedPicture(9, 7));
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    for (qsizetype size : {0, 2, 14, 30, 54, 60, 100}) {
        const CliRun run = RunCli({QStringLiteral("decode"), folder.Write(QStringLiteral("cut%1.bmp").arg(size), bmp.left(size)), out});
        EXPECT_EQ(run.status, 1) << size;
        EXPECT_FALSE(run.err.trimmed().isEmpty());
    }
    QByteArray scrambled = bmp;
    for (qsizetype i = 10; i < 54; i += 3)
        scrambled[i] = char(scrambled[i] ^ 0xA5);
    const CliRun run = RunCli({QStringLiteral("decode"), folder.Write(QStringLiteral("scrambled.rle"), scrambled), out});
    EXPECT_TRUE(run.status == 0 || run.status == 1) << run.status;
}
