#include "project/ProjectFile.h"
#include "tests/project/ProjectTestSupport.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

TEST(CliInfo, PrintsTheHeaderAndOneLinePerSlide)
{
    TestFolder folder;
    RectBoxProperties first, second;
    MakeDroppedSlide(first, 4, 1);
    MakeDroppedSlide(second, 7, 0);
    second.SetLeft(153);
    second.SetWidth(75);
    second.SetRotation(90);
    second.SetAbLeft(2.5);
    second.SetFileName(QString::fromUtf8("/bilder/Zürich.png"));
    second.SetCaption(QStringLiteral("Lake\tand hills"));
    second.SetMotion(SlideMotion::ZoomIn);
    const QString path = folder.Path(QStringLiteral("show.vsw"));
    const RectBoxProperties *slides[] = {&first, &second};
    SaveProject(path, slides, QStringLiteral("/music/theme.mp3"));

    QByteArray out, err;
    ASSERT_EQ(Cli({QStringLiteral("info"), path}, &out, &err), 0) << err.constData();
    EXPECT_EQ(QString::fromUtf8(out),
              QString::fromUtf8("version 1\nslides 2\naudio /music/theme.mp3\n"
                                "1\t10\t10\t133\t100\t4\t1\tDissolve\t0\t200\t150\t/photos/holiday/beach.jpg\t\tNone\n"
                                "2\t153\t10\t75\t100\t2.5\t0\tCut\t90\t200\t150\t/bilder/Zürich.png\tLake\\tand hills\tZoom In\n"));

    // No audio path: nothing after the blank.
    SaveProject(path, slides, QString());
    ASSERT_EQ(Cli({QStringLiteral("info"), path}, &out), 0);
    EXPECT_TRUE(out.contains("\naudio \n1\t"));
}

TEST(CliInfo, ErrorsAndUsage)
{
    TestFolder folder;
    QByteArray out, err;
    const QString missing = folder.Path(QStringLiteral("missing.vsw"));
    EXPECT_EQ(Cli({QStringLiteral("info"), missing}, &out, &err), 1);
    EXPECT_TRUE(err.endsWith(QStringLiteral("Cannot open file %1\n").arg(missing).toUtf8()));

    // A damaged second record: the first slide is listed, then the error.
    RectBoxProperties slide;
    MakeDroppedSlide(slide);
    const RectBoxProperties *slides[] = {&slide, &slide};
    QByteArray bytes = ProjectBytes(slides, QString());
    bytes.chop(5);
    const QString damaged = folder.Write(QStringLiteral("damaged.vsw"), bytes);
    EXPECT_EQ(Cli({QStringLiteral("info"), damaged}, &out, &err), 1);
    EXPECT_EQ(out.count('\n'), 4);
    EXPECT_TRUE(err.endsWith("\nStream read error\n") || err == "Stream read error\n");

    EXPECT_EQ(Cli({QStringLiteral("info")}, &out, &err), 2);
    EXPECT_TRUE(err.contains("usage: vistrano-cli info PROJECT.vsw"));
    EXPECT_EQ(Cli({QStringLiteral("info"), damaged, damaged}), 2);
}
