#include "player/FrameExport.h"
#include "player/PackageSlides.h"
#include "player/ShowRenderer.h"
#include "show/PackageReader.h"
#include "show/ShowPackage.h"
#include "show/SlideRendering.h"
#include "show/SlideshowBuild.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QString Player()
{
    return BuiltProgram("kv.dll");
}

QString Picture(const TestFolder &folder, const QString &name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.Path(name);
    image.save(path, "JPG", 95);
    return path;
}

QColor At(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

void ExpectNear(QColor actual, QColor expected, int tolerance, const char *what)
{
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << what;
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << what;
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << what;
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QColor kRed(200, 60, 60);
const QColor kGreen(60, 200, 60);
const QColor kBlue(60, 60, 200);

// Three slides at 640 by 480: a landscape picture entering by Dissolve, a
// portrait one by Wipe From Left with a caption, a wide one by Wipe From Top.
QList<BuildSlide> ThreeSlides(const TestFolder &folder)
{
    return {{Picture(folder, "a.jpg", {40, 30}, kRed), 0, 4, 1, {}},
            {Picture(folder, "b.jpg", {30, 40}, kGreen), 0, 5, 2, QStringLiteral("Hello there")},
            {Picture(folder, "c.jpg", {160, 90}, kBlue), 0, 6, 4, {}}};
}

QString BuildThreeSlideShow(const TestFolder &folder, const QString &name)
{
    const QString out = folder.Path(name);
    BuildOptions options;
    options.OutputWidth = 640;
    options.OutputHeight = 480;
    options.TemplatePath = Player();
    BuildSlideshow(out, ThreeSlides(folder), options);
    return out;
}

} // namespace

TEST(PlayerProgram, TheTemplateHoldsNoMarker)
{
    const QByteArray bytes = ReadFileBytes(Player());
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_FALSE(bytes.contains("SO!#"));
    EXPECT_FALSE(bytes.contains("EO!#"));
    EXPECT_TRUE(QFile::permissions(Player()) & QFile::ExeOwner);
}

TEST(PlayerProgram, TheBareTemplateSaysItHoldsNoSlides)
{
    TestFolder folder;
    const QString frames = folder.Path("frames");
    QByteArray err;
    EXPECT_EQ(RunProgram(Player(), {"--frames", frames}, nullptr, &err), 0);
    EXPECT_TRUE(err.contains("This slideshow holds no slides.")) << err.toStdString();
    EXPECT_TRUE(FilesIn(frames).isEmpty());

    // Played, it shows the message for a few seconds and ends by itself
    // (one that does not end is killed when the time runs out, and fails).
    EXPECT_EQ(RunProgram(Player(), {}, nullptr, &err, 30000), 0);
    EXPECT_TRUE(err.contains("This slideshow holds no slides."));
}

// The usage needs no display: with none to be had, asking for it (or giving
// an argument the player does not know) still answers.
TEST(PlayerProgram, UsageWithoutADisplay)
{
    struct Row
    {
        QStringList args;
        int status;
        bool onError;
    };
    for (const Row &row : {Row{{"--help"}, 0, false}, Row{{"--bogus"}, 2, true}, Row{{"--frames"}, 2, true}}) {
        QProcess player;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        player.setProcessEnvironment(environment);
        player.start(Player(), row.args);
        ASSERT_TRUE(player.waitForFinished(30000));
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.exitCode(), row.status) << row.args.join(' ').toStdString();
        const QByteArray usage = row.onError ? player.readAllStandardError() : player.readAllStandardOutput();
        EXPECT_TRUE(usage.contains("Usage: kv.dll [--frames FOLDER]")) << usage.toStdString();
    }
}

TEST(PlayerProgram, FramesShowEverySlideAndTheMiddleOfItsTransition)
{
    TestFolder folder;
    const QString show = BuildThreeSlideShow(folder, "show.exe");
    const QString frames = folder.Path("frames");
    QByteArray out;
    QByteArray err;
    ASSERT_EQ(RunProgram(show, {"--frames", frames}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, "1\t4.00\t1\t\n2\t5.00\t2\tHello there\n3\t6.00\t4\t\n");
    EXPECT_EQ(FilesIn(frames), QStringList({"slide-001-transition.png", "slide-001.png", "slide-002-transition.png",
                                            "slide-002.png", "slide-003-transition.png", "slide-003.png"}));
    QImage shown[4];
    QImage middle[4];
    for (int n = 1; n <= 3; ++n) {
        shown[n] = QImage(QDir(frames).filePath(QStringLiteral("slide-00%1.png").arg(n)));
        middle[n] = QImage(QDir(frames).filePath(QStringLiteral("slide-00%1-transition.png").arg(n)));
        ASSERT_EQ(shown[n].size(), QSize(640, 480));
        ASSERT_EQ(middle[n].size(), QSize(640, 480));
    }
    // Slide 1 fills the screen; slide 2 (360 wide) has black bars left and
    // right; slide 3 (640 by 360) above and below.
    ExpectNear(At(shown[1], 5, 5), kRed, 8, "slide 1");
    ExpectNear(At(shown[2], 320, 100), kGreen, 8, "slide 2");
    ExpectNear(At(shown[2], 60, 240), Qt::black, 2, "slide 2 bar");
    ExpectNear(At(shown[2], 580, 240), Qt::black, 2, "slide 2 bar");
    ExpectNear(At(shown[3], 320, 240), kBlue, 8, "slide 3");
    ExpectNear(At(shown[3], 320, 30), Qt::black, 2, "slide 3 bar");
    ExpectNear(At(shown[3], 320, 450), Qt::black, 2, "slide 3 bar");

    // The caption of slide 2 is drawn over the bottom of its picture.
    int light = 0;
    for (int y = 380; y < 480; ++y)
        for (int x = 140; x < 500; ++x)
            light += qGray(shown[2].pixel(x, y)) > 220 ? 1 : 0;
    EXPECT_GT(light, 100);

    // Dissolve from black: half way.
    ExpectNear(At(middle[1], 320, 240), QColor(100, 30, 30), 8, "dissolve");
    // Wipe From Left: the left half shows slide 2 (its bar and picture), the
    // right half still slide 1.
    ExpectNear(At(middle[2], 60, 240), Qt::black, 2, "wipe left, new side");
    ExpectNear(At(middle[2], 300, 100), kGreen, 8, "wipe left, new side");
    ExpectNear(At(middle[2], 600, 240), kRed, 8, "wipe left, old side");
    // Wipe From Top: the top half shows slide 3.
    ExpectNear(At(middle[3], 320, 30), Qt::black, 2, "wipe top, new side");
    ExpectNear(At(middle[3], 320, 200), kBlue, 8, "wipe top, new side");
    ExpectNear(At(middle[3], 320, 300), kGreen, 8, "wipe top, old side");
}

// The frames --frames writes are the show's renderer at their moments of the
// timeline; drawn from the photos themselves, as the video draws them, the
// same moments look the same.
TEST(PlayerProgram, FramesAreTheRenderersAtTheirMoments)
{
    TestFolder folder;
    const QString show = BuildThreeSlideShow(folder, "show.exe");
    const QDir frames(folder.Path("frames"));
    ASSERT_EQ(RunProgram(show, {"--frames", frames.path()}), 0);

    const QByteArray bytes = ReadFileBytes(show);
    const ShowPackage package = ReadShowPackage(bytes);
    const ShowTimeline timeline = PackageTimeline(package);
    const QSize screen = FrameScreenSize(package);
    ShowRenderer renderer(3, PackageSlideSource(package), screen);
    const QList<BuildSlide> slides = ThreeSlides(folder);
    ShowRenderer fromPhotos(
        3,
        [&](int index) {
            const BuildSlide &slide = slides[index];
            return SlideContent{RenderSlidePicture(slide.FileName, slide.Rotation, screen, index + 1, SlideFit::AsShown),
                                slide.Caption,
                                {}};
        },
        screen);
    for (int i = 0; i < 3; ++i) {
        const TimedSlide &slide = timeline.slides[size_t(i)];
        for (const bool shown : {false, true}) {
            const double t = shown ? (slide.ShownAt() + slide.End()) / 2 : TransitionMiddle(slide);
            const QImage written(frames.filePath(QStringLiteral("slide-00%1%2.png").arg(i + 1).arg(shown ? "" : "-transition")));
            const ShowMoment moment = MomentAt(timeline, t);
            EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), renderer.Frame(moment)) << i << shown;
            EXPECT_GE(PicturePsnr(written, fromPhotos.Frame(moment)), 35.0) << i << shown;
        }
    }
}

TEST(PlayerProgram, ADamagedShowPlaysWhatItCanAndSaysWhatIsWrong)
{
    TestFolder folder;
    const QString show = BuildThreeSlideShow(folder, "show.exe");
    const QByteArray whole = ReadFileBytes(show);
    const SectionLookup second = FindSection(whole, "jpg2");
    const qsizetype cut = second.value.data() - whole.constData() + second.value.size() / 2;

    // Cut off in the middle of the second picture.
    const QString cutShow = folder.Write("cut.exe", whole.left(cut));
    QFile::setPermissions(cutShow, QFile::permissions(show));
    const QString frames = folder.Path("cut-frames");
    QByteArray err;
    ASSERT_EQ(RunProgram(cutShow, {"--frames", frames}, nullptr, &err), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("slide count")) << err.toStdString();
    EXPECT_TRUE(err.contains("picture of slide 2")) << err.toStdString();
    EXPECT_EQ(FilesIn(frames).size(), 4);

    // A picture that does not decode.
    const SectionLookup first = FindSection(whole, "jpg1");
    QByteArray junk = whole;
    std::memset(junk.data() + (first.value.data() - whole.constData()), 'z', size_t(first.value.size()));
    const QString junkShow = folder.Write("junk.exe", junk);
    QFile::setPermissions(junkShow, QFile::permissions(show));
    const QString junkFrames = folder.Path("junk-frames");
    ASSERT_EQ(RunProgram(junkShow, {"--frames", junkFrames}, nullptr, &err), 0) << err.toStdString();
    EXPECT_EQ(FilesIn(junkFrames).size(), 6);
    const QImage frame(QDir(junkFrames).filePath("slide-001.png"));
    EXPECT_EQ(qGray(frame.pixel(5, 470)), 0); // black where the picture would be
}

TEST(PlayerProgram, AShortShowWithAudioPlaysToItsEnd)
{
    TestFolder folder;
    const QString out = folder.Path("short.exe");
    BuildOptions options;
    options.OutputWidth = 640;
    options.OutputHeight = 480;
    options.TemplatePath = Player();
    options.BackgroundAudio = folder.Write("tone.wav", ToneWav(1.0));
    const QString picture = Picture(folder, "a.jpg", {40, 30}, kRed);
    // Zero durations: each slide flashes by.
    BuildSlideshow(out, {{picture, 0, 0, 1, "one"}, {picture, 0, 0, 3, "two"}}, options);
    QByteArray err;
    EXPECT_EQ(RunProgram(out, {}, nullptr, &err, 30000), 0) << err.toStdString();
}
