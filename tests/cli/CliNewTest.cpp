#include "project/ProjectFile.h"
#include "project/RectBoxStream.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/RequiredTools.h"
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
    EXPECT_TRUE(out.contains(QStringLiteral("\n2\t153\t10\t75\t100\t6\t4\tWipe From Top\t0\t150\t200\t%1\t\tNone\n").arg(b).toUtf8()))
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

TEST(CliNew, MotionAndDurationsFittedToTheAudio)
{
    TestFolder folder;
    const QString a = SaveJpeg(folder, QStringLiteral("a.jpg"), 160, 120);
    const QString b = SaveJpeg(folder, QStringLiteral("b.jpg"), 120, 160);
    const QString wav = folder.Write(QStringLiteral("song.wav"), ToneWav(13.4));
    const QString still = folder.Path(QStringLiteral("still.vsw"));
    const QString none = folder.Path(QStringLiteral("none.vsw"));
    const QString moving = folder.Path(QStringLiteral("moving.vsw"));
    ASSERT_EQ(Cli({QStringLiteral("new"), still, a, b}), 0);
    ASSERT_EQ(Cli({QStringLiteral("new"), none, a, b, QStringLiteral("--motion"), QStringLiteral("none")}), 0);
    ASSERT_EQ(Cli({QStringLiteral("new"), moving, a, b, QStringLiteral("--motion"), QStringLiteral("auto")}), 0);
    // No motion: the very bytes of a project without the option, with no
    // trace of the property.
    EXPECT_EQ(ReadFileBytes(none), ReadFileBytes(still));
    EXPECT_FALSE(ReadFileBytes(still).contains("Motion"));
    const OpenedProject opened = OpenProject(moving);
    ASSERT_EQ(opened.slides.size(), 2u);
    EXPECT_EQ(opened.slides[0]->Motion(), SlideMotion::Auto);
    EXPECT_EQ(opened.slides[1]->Motion(), SlideMotion::Auto);
    EXPECT_EQ(OpenProject(still).slides[0]->Motion(), SlideMotion::None);

    const QString fitted = folder.Path(QStringLiteral("fitted.vsw"));
    QByteArray out, err;
    ASSERT_EQ(Cli({QStringLiteral("new"), fitted, a, b, a, QStringLiteral("--audio"), wav,
                   QStringLiteral("--fit-audio")},
                  &out, &err),
              0)
        << err.constData();
    EXPECT_TRUE(out.contains("The show now lasts 13 seconds (0:13); the audio lasts 13.4 seconds (0:13.4)."))
        << out.constData();
    const OpenedProject fit = OpenProject(fitted);
    ASSERT_EQ(fit.slides.size(), 3u);
    EXPECT_EQ(fit.slides[0]->AbLeft(), 4.0);
    EXPECT_EQ(fit.slides[1]->AbLeft(), 4.0);
    EXPECT_EQ(fit.slides[2]->AbLeft(), 5.0);

    // Refusals write nothing: more slides than seconds, audio that is not
    // sound, --fit-audio without audio, an unknown motion.
    const QString refused = folder.Path(QStringLiteral("refused.vsw"));
    QStringList many{QStringLiteral("new"), refused};
    for (int i = 0; i < 14; ++i)
        many << a;
    EXPECT_EQ(Cli(many + QStringList{QStringLiteral("--audio"), wav, QStringLiteral("--fit-audio")}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("14 slides last at least 14 seconds, and the audio lasts 13.4 seconds")) << err.constData();
    EXPECT_EQ(Cli({QStringLiteral("new"), refused, a, QStringLiteral("--audio"), a, QStringLiteral("--fit-audio")},
                  nullptr, &err),
              1);
    EXPECT_TRUE(err.contains("cannot be read")) << err.constData();
    EXPECT_EQ(Cli({QStringLiteral("new"), refused, a, QStringLiteral("--fit-audio")}), 2);
    EXPECT_EQ(Cli({QStringLiteral("new"), refused, a, QStringLiteral("--motion"), QStringLiteral("wobble")}), 1);
    EXPECT_FALSE(QFile::exists(refused));

    // An MP3's length comes from its stream information too.
    REQUIRE_TOOLS("ffmpeg");
    const QString mp3 = folder.Path(QStringLiteral("song.mp3"));
    ASSERT_EQ(RunProgram(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                                    "sine=frequency=440:duration=31", "-b:a", "64k", mp3}),
              0);
    ASSERT_EQ(Cli({QStringLiteral("new"), fitted, a, b, QStringLiteral("--audio"), mp3,
                   QStringLiteral("--fit-audio")},
                  &out),
              0);
    EXPECT_TRUE(out.contains("The show now lasts 31 seconds")) << out.constData();
    EXPECT_EQ(OpenProject(fitted).slides[0]->AbLeft() + OpenProject(fitted).slides[1]->AbLeft(), 31.0);
}
