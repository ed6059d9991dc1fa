#include "project/ProjectFile.h"
#include "project/RectBoxStream.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QString SaveJpeg(const TestFolder &folder, const QString &name, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(40, 120, 200));
    const QString path = folder.Path(name);
    EXPECT_TRUE(picture.save(path, "JPG", 90));
    return path;
}

} // namespace

TEST(CliNew, MakesAProjectAsADropDoes)
{
    TestFolder folder;
    const QString a = SaveJpeg(folder, QStringLiteral("a.jpg"), 1600, 1200);
    const QString b = SaveJpeg(folder, QStringLiteral("b.jpg"), 1200, 1600);
    const QString c = SaveJpeg(folder, QStringLiteral("c.jpg"), 800, 800);
    const QString project = folder.Path(QStringLiteral("show.vsw"));
    QByteArray out, err;
    ASSERT_EQ(Cli({QStringLiteral("new"), project, a, b, c, QStringLiteral("--duration"), QStringLiteral("6"),
                   QStringLiteral("--transition"), QStringLiteral("wipe from top"), QStringLiteral("--audio"),
                   QStringLiteral("/music/theme.mp3")},
                  &out, &err),
              0)
        << err.constData();
    const OpenedProject opened = OpenProject(project);
    ASSERT_TRUE(opened.Complete());
    EXPECT_EQ(opened.header.audioPath, QStringLiteral("/music/theme.mp3"));
    ASSERT_EQ(opened.slides.size(), 3u);
    const RectBoxProperties &first = *opened.slides[0];
    EXPECT_EQ(first.FileName(), a);
    EXPECT_EQ(first.Left(), 10);
    EXPECT_EQ(first.Top(), 10);
    EXPECT_EQ(first.Width(), 133);
    EXPECT_EQ(first.AbLeft(), 6.0);
    EXPECT_EQ(first.AbTop(), 4.0);
    EXPECT_EQ(first.PopupMenu(), kSlidePopupMenu);
    EXPECT_EQ(opened.slides[1]->Left(), 153);
    EXPECT_EQ(opened.slides[1]->Width(), 75);
    EXPECT_EQ(opened.slides[2]->Left(), 238);
    EXPECT_EQ(opened.slides[2]->FileName(), c);

    // The info listing of the same project.
    ASSERT_EQ(Cli({QStringLiteral("info"), project}, &out), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("\n2\t153\t10\t75\t100\t6\t4\tWipe From Top\t0\t150\t200\t%1\t\n").arg(b).toUtf8()))
        << out.constData();

    // Defaults: duration 4, transition Cut (no entry at all), no audio.
    const QString plain = folder.Path(QStringLiteral("plain.vsw"));
    ASSERT_EQ(Cli({QStringLiteral("new"), plain, a, QStringLiteral("--transition"), QStringLiteral("1")}), 0);
    const OpenedProject defaults = OpenProject(plain);
    EXPECT_EQ(defaults.slides[0]->AbLeft(), 4.0);
    EXPECT_EQ(defaults.slides[0]->AbTop(), 1.0);
    EXPECT_TRUE(defaults.header.audioPath.isEmpty());
}

TEST(CliNew, ErrorsWriteNoFile)
{
    TestFolder folder;
    const QString a = SaveJpeg(folder, QStringLiteral("a.jpg"), 64, 48);
    const QString project = folder.Path(QStringLiteral("show.vsw"));
    const QString missing = folder.Path(QStringLiteral("missing.jpg"));
    QByteArray err;
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, missing}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains(missing.toUtf8())) << err.constData();
    EXPECT_FALSE(QFile::exists(project));
    EXPECT_EQ(Cli({QStringLiteral("new"), project, folder.Write(QStringLiteral("x.xyz"), "x")}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Unknown picture file extension (.xyz)"));
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, QStringLiteral("--duration"), QStringLiteral("four")}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("'four' is not a valid integer value"));
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, QStringLiteral("--transition"), QStringLiteral("Spin")}, nullptr, &err), 1);
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, QStringLiteral("--audio"), QString(600, QLatin1Char('a'))}, nullptr, &err), 1);
    EXPECT_FALSE(QFile::exists(project));

    EXPECT_EQ(Cli({QStringLiteral("new"), project}), 2);
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, QStringLiteral("--duration")}), 2);
    EXPECT_EQ(Cli({QStringLiteral("new"), project, a, QStringLiteral("--speed"), QStringLiteral("2")}), 2);
    EXPECT_FALSE(QFile::exists(project));
}
