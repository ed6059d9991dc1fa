#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"
#include "tests/video/VideoReadBack.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

int Cli(const QStringList &args, QByteArray *err = nullptr)
{
    return RunProgram(BuiltProgram(QStringLiteral("vistrano-cli")), args, nullptr, err);
}

// A project of two one-second slides dissolving into each other, with the
// audio given.
QString Project(const TestFolder &folder, const QString &name, const QString &audio)
{
    QStringList pictures;
    for (const char *picture : {"a.png", "b.png"}) {
        const QString path = folder.Path(picture);
        if (!QFile::exists(path))
            MakeTestPicture(400, 300, uint32_t(pictures.size() + 1)).save(path, "PNG");
        pictures << path;
    }
    const QString project = folder.Path(name);
    EXPECT_EQ(Cli(QStringList{"new", project} + pictures
                  + QStringList{"--duration", "1", "--transition", "Dissolve", "--audio", audio}),
              0);
    return project;
}

} // namespace

TEST(CliVideo, ExportsAProjectAndSaysWhatWentWrong)
{
    TestFolder folder;
    const QString project = Project(folder, "trip.vsw", folder.Write("tone.wav", ToneWav(1.0)));
    const QString out = folder.Path("trip.mp4");
    QByteArray err;
    ASSERT_EQ(Cli({"video", project, out, "--size", "320x180", "--fps", "25", "--crf", "30"}, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(err.contains("Exporting video: 100%\nDone!\n")) << err.toStdString();
    const ReadVideo video = ReadBackVideo(out);
    EXPECT_EQ(video.streams, 2);
    EXPECT_EQ(video.video.width, 320);
    EXPECT_DOUBLE_EQ(video.video.frameRate, 25);
    EXPECT_NEAR(video.videoEnd, 2.0, 0.04);

    for (const QStringList &wrong : {QStringList{"video", project}, QStringList{"video", project, out, "--size", "320"},
                                     QStringList{"video", project, out, "--fps", "0"},
                                     QStringList{"video", project, out, "--crf", "52"}})
        EXPECT_EQ(Cli(wrong), 2) << wrong.join(' ').toStdString();
    EXPECT_EQ(Cli({"video", project, out, "--size", "321x180"}, &err), 1);
    EXPECT_TRUE(err.contains("even")) << err.toStdString();

    // Audio that does not decode: the video is made, silent, and the user is
    // told.
    const QString noisy = Project(folder, "noisy.vsw", folder.Write("junk.mp3", QByteArray(4000, 'j')));
    ASSERT_EQ(Cli({"video", noisy, out, "--size", "320x180"}, &err), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("cannot be decoded")) << err.toStdString();
    EXPECT_TRUE(err.endsWith("The video was made without sound.\n")) << err.toStdString();
    EXPECT_EQ(ReadBackVideo(out).streams, 1);

    // Not over the project itself.
    const QByteArray projectBytes = ReadFileBytes(project);
    EXPECT_EQ(Cli({"video", project, project, "--size", "320x180"}, &err), 1);
    EXPECT_TRUE(err.contains("is the input file")) << err.toStdString();
    EXPECT_EQ(ReadFileBytes(project), projectBytes);

    // A picture gone since the project was saved.
    QFile::remove(out);
    QFile::remove(folder.Path("b.png"));
    EXPECT_EQ(Cli({"video", project, out, "--size", "320x180"}, &err), 1);
    EXPECT_TRUE(err.contains("b.png")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
