#include "project/ProjectFile.h"
#include "show/PackageReader.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

void MakeSlide(RectBoxProperties &box, const QString &file, int left, double duration, double transition,
               const QString &caption)
{
    box.SetBoxType(TBoxType::btImage);
    box.SetLeft(left);
    box.SetTop(10);
    box.SetWidth(133);
    box.SetHeight(100);
    box.SetAbLeft(duration);
    box.SetAbTop(transition);
    box.SetFileName(file);
    box.SetCaption(caption);
}

} // namespace

TEST(CliBuild, BuildsAProjectInSlideOrder)
{
    TestFolder folder;
    const QString wide = WriteTestPicture(folder.Root(), "wide.bmp", 160, 90);
    const QString tall = folder.Path("tall.jpg");
    TestPicture(30, 40).save(tall, "JPG");
    // The file holds the slides in the order of their records; the show
    // takes them by their place on the strip.
    RectBoxProperties first, second;
    MakeSlide(first, tall, 153, 12, 5, QStringLiteral("second"));
    MakeSlide(second, wide, 10, 4, 0, QString());
    const RectBoxProperties *slides[] = {&first, &second};
    const QString project = folder.Path("show.vsw");
    const QString audio = folder.Write("theme.mp3", "ID3 not really");
    SaveProject(project, slides, audio);

    const QString out = folder.Path("show.exe");
    QByteArray err;
    ASSERT_EQ(Cli({"build", project, out, "--size", "1080x1920", "--compression", "60", "--template",
                   BuiltProgram("kv.dll")},
                  nullptr, &err),
              0)
        << err.toStdString();
    // (Qt may say something about the environment first.)
    EXPECT_TRUE(err.endsWith("Rendering Slide 1...\nAdded : 1\nRendering Slide 2...\nAdded : 2\nDone!\n"))
        << err.toStdString();

    QByteArray listing;
    ASSERT_EQ(Cli({"sections", out}, &listing), 0);
    const QList<QByteArray> lines = listing.split('\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "OWIDTH\t4");
    EXPECT_EQ(lines[2], QByteArray("BGAUDIO\t14"));
    EXPECT_EQ(lines[3], QByteArray("BGAUDIOEXT\t4"));
    EXPECT_EQ(lines[4], QByteArray("DUR1\t4"));
    EXPECT_EQ(lines[6], QByteArray("CAP1\t0"));
    EXPECT_EQ(lines[12], QByteArray("IMAGECOUNT\t1"));

    QByteArray value;
    ASSERT_EQ(Cli({"sections", out, "dur2"}, &value), 0);
    EXPECT_EQ(value, QByteArray("12.00"));
    ASSERT_EQ(Cli({"sections", out, "TRAN2"}, &value), 0);
    EXPECT_EQ(value, QByteArray(" 5"));
    ASSERT_EQ(Cli({"sections", out, "cap2"}, &value), 0);
    EXPECT_EQ(value, QByteArray("second"));
    ASSERT_EQ(Cli({"sections", out, "jpg1"}, &value), 0);
    EXPECT_EQ(QImage::fromData(value, "JPG").size(), QSize(1080, 608)); // 607.5 to even
    ASSERT_EQ(Cli({"sections", out, "jpg2"}, &value), 0);
    EXPECT_EQ(QImage::fromData(value, "JPG").size(), QSize(1080, 1440));
    EXPECT_EQ(value, FindSection(ReadFileBytes(out), "jpg2").value.toByteArray());
    EXPECT_TRUE(QFile::permissions(out) & QFile::ExeOwner);
}

TEST(CliBuild, ErrorsAndUsage)
{
    TestFolder folder;
    RectBoxProperties slide;
    MakeSlide(slide, folder.Path("gone.jpg"), 10, 4, 0, {});
    const RectBoxProperties *slides[] = {&slide};
    const QString project = folder.Path("show.vsw");
    SaveProject(project, slides, QString());
    const QString out = folder.Path("show.exe");
    const QString player = BuiltProgram("kv.dll");
    QByteArray err;

    EXPECT_EQ(Cli({"build", project, out, "--size", "1000x700"}), 2);
    EXPECT_EQ(Cli({"build", project, out, "--size", "1920x1080x1"}), 2);
    EXPECT_EQ(Cli({"build", project, out, "--compression", "61"}), 2);
    EXPECT_EQ(Cli({"build", project}), 2);
    EXPECT_EQ(Cli({"build", project, out, "--template", player, "--frobnicate", "1"}), 2);

    EXPECT_EQ(Cli({"build", project, out, "--template", folder.Path("none/kv.dll")}, nullptr, &err), 1);
    EXPECT_TRUE(err.endsWith("\nError copying needed file!\n") || err == "Error copying needed file!\n");

    EXPECT_EQ(Cli({"build", project, out, "--template", player}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Rendering Slide 1...\n"));
    EXPECT_TRUE(err.contains("Slide 1")) << err.toStdString();
    EXPECT_TRUE(err.contains("gone.jpg")) << err.toStdString();

    EXPECT_EQ(Cli({"build", folder.Path("none.vsw"), out, "--template", player}, nullptr, &err), 1);

    // A failed build leaves no show behind.
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(Cli({"sections", player, "nothing"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("No section nothing in")) << err.toStdString();
    EXPECT_EQ(Cli({"sections"}), 2);
    EXPECT_EQ(Cli({"sections", folder.Path("none.exe")}), 1);
}
