#include "tests/cli/CliTestFiles.h"

#include <gtest/gtest.h>

namespace {

// The picture whose pixel (x, y) is the source pixel at the listed place.
QImage Arranged(const QImage &source, const std::vector<std::vector<QPoint>> &rows)
{
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, source.pixel(rows[size_t(y)][size_t(x)]));
    return image;
}

} // namespace

TEST(RotateCommand, TurnsAThreeByTwoPictureByTheSlideRule)
{
    TestFolder folder;
    const QImage picture = NumberedPicture(3, 2);
    const QString bmp = folder.Write(QStringLiteral("picture.bmp"), BitmapFileOf(picture));
    const QPoint a(0, 0), b(1, 0), c(2, 0), d(0, 1), e(1, 1), f(2, 1);
    const struct { const char *angle; QImage expected; } cases[] = {
        {"90", Arranged(picture, {{d, a}, {e, b}, {f, c}})},
        {"270", Arranged(picture, {{c, f}, {b, e}, {a, d}})},
        {"180", Arranged(picture, {{f, e, d}, {c, b, a}})},
        {"0", picture},
        {"45", picture},
        {"-90", picture},
        {"360", picture},
    };
    for (const auto &testCase : cases) {
        const QString out = folder.Path(QStringLiteral("out%1.ppm").arg(QLatin1String(testCase.angle)));
        const CliRun run = RunCli({QStringLiteral("rotate"), bmp, out, QLatin1String(testCase.angle)});
        EXPECT_EQ(run.status, 0) << testCase.angle << ": " << run.err.toStdString();
        EXPECT_EQ(ReadFileBytes(out), PPMOf(testCase.expected)) << testCase.angle;
    }
    for (const char *angle : {"ninety", "90.0", ""})
        EXPECT_EQ(RunCli({QStringLiteral("rotate"), bmp, folder.Path(QStringLiteral("x.ppm")), QLatin1String(angle)}).status, 2)
            << angle;
    EXPECT_EQ(RunCli({QStringLiteral("rotate"), bmp, folder.Path(QStringLiteral("x.ppm"))}).status, 2);
    const CliRun missing = RunCli({QStringLiteral("rotate"), folder.Path(QStringLiteral("none.jpg")),
                                   folder.Path(QStringLiteral("x.ppm")), QStringLiteral("90")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("No picture could be read from "))) << missing.err.toStdString();
}

TEST(StretchCommand, ResamplesWithTheChosenFilter)
{
    TestFolder folder;
    const QImage picture = NumberedPicture(7, 5);
    const QString bmp = folder.Write(QStringLiteral("picture.bmp"), BitmapFileOf(picture));
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    // The same size with Box or Lanczos3 (the default) gives the picture back.
    for (const QStringList &options : {QStringList{}, QStringList{QStringLiteral("--filter"), QStringLiteral("box")},
                                       QStringList{QStringLiteral("--filter"), QStringLiteral("lanczos3"),
                                                   QStringLiteral("--radius"), QStringLiteral("0")}}) {
        const CliRun run = RunCli(QStringList{QStringLiteral("stretch"), bmp, out, QStringLiteral("7"), QStringLiteral("5")} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(ReadFileBytes(out), PPMOf(picture)) << options.join(QLatin1Char(' ')).toStdString();
    }

    // Bell at the same size blurs with the weights 32, 192, 32.
    QImage line(5, 3, QImage::Format_BGR888);
    line.fill(Qt::black);
    for (int y = 0; y < 3; ++y)
        line.setPixel(2, y, qRgb(128, 128, 128));
    const QString lineFile = folder.Write(QStringLiteral("line.bmp"), BitmapFileOf(line));
    ASSERT_EQ(RunCli({QStringLiteral("stretch"), lineFile, out, QStringLiteral("5"), QStringLiteral("3"),
                      QStringLiteral("--filter"), QStringLiteral("bell")}).status, 0);
    QImage blurred(5, 3, QImage::Format_BGR888);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const int v = x == 2 ? 96 : (x == 1 || x == 3) ? 16 : 0;
            blurred.setPixel(x, y, qRgb(v, v, v));
        }
    EXPECT_EQ(ReadFileBytes(out), PPMOf(blurred));

    for (const char *filter : {"triangle", "hermite", "spline", "mitchell"}) {
        const CliRun run = RunCli({QStringLiteral("stretch"), bmp, out, QStringLiteral("3"), QStringLiteral("11"),
                                   QStringLiteral("--filter"), QLatin1String(filter), QStringLiteral("--radius"), QStringLiteral("1.5")});
        EXPECT_EQ(run.status, 0) << filter;
        EXPECT_TRUE(ReadFileBytes(out).startsWith("P6\n3 11\n255\n")) << filter;
        EXPECT_EQ(ReadFileBytes(out).size(), 12 + 3 * 11 * 3) << filter;
    }
}

TEST(StretchCommand, RefusesWrongUsageAndSizesTooLarge)
{
    TestFolder folder;
    const QString bmp = folder.Write(QStringLiteral("picture.bmp"), BitmapFileOf(NumberedPicture(4, 4)));
    const QString out = folder.Path(QStringLiteral("out.ppm"));
    const QStringList base = {QStringLiteral("stretch"), bmp, out};
    for (const QStringList &rest : {QStringList{QStringLiteral("8")}, QStringList{QStringLiteral("0"), QStringLiteral("8")},
                                    QStringList{QStringLiteral("8"), QStringLiteral("-1")},
                                    QStringList{QStringLiteral("8"), QStringLiteral("8x")},
                                    QStringList{QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("--filter"), QStringLiteral("gauss")},
                                    QStringList{QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("--radius"), QStringLiteral("-1")},
                                    QStringList{QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("--radius"), QStringLiteral("nan")}}) {
        const CliRun run = RunCli(base + rest);
        EXPECT_EQ(run.status, 2) << rest.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage"))) << run.err.toStdString();
    }
    const CliRun huge = RunCli(base + QStringList{QStringLiteral("70000"), QStringLiteral("70000")});
    EXPECT_EQ(huge.status, 1);
    EXPECT_TRUE(huge.err.contains(QStringLiteral("Picture too large (70000 by 70000 pixels)"))) << huge.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
