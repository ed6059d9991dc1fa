#include "imaging/FormatRegistration.h"
#include "player/ShowRenderer.h"
#include "show/SlideRendering.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"
#include "tests/video/VideoReadBack.h"
#include "video/VideoExport.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A picture with the smooth colours of a photo (a sky, a sun, hills) rather
// than a test pattern's sharp coloured edges, which 4:2:0 video cannot keep
// however well it encodes: the hue changes with the seed.
QString Picture(const TestFolder &folder, const QString &name, QSize size, int seed)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int hue = seed * 97 % 360;
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(hue, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 60, 250));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((hue + 180) % 360, 90, 250));
    painter.drawEllipse(QPointF(size.width() * 0.7, size.height() * 0.3), size.height() * 0.12, size.height() * 0.12);
    QPolygonF hills;
    hills << QPointF(0, size.height());
    for (int x = 0; x <= size.width(); x += 10)
        hills << QPointF(x, size.height() * (0.65 + 0.1 * std::sin((x + seed * 50) / 40.0)));
    hills << QPointF(size.width(), size.height());
    QLinearGradient ground(0, size.height() * 0.55, 0, size.height());
    ground.setColorAt(0, QColor::fromHsv((hue + 100) % 360, 110, 160));
    ground.setColorAt(1, QColor::fromHsv((hue + 120) % 360, 130, 70));
    painter.setBrush(ground);
    painter.drawPolygon(hills);
    painter.end();
    const QString path = folder.Path(name);
    picture.save(path, "PNG");
    return path;
}

// Five seconds: a landscape picture with a caption dissolving in from black
// (2 s), a portrait one wiping in from the left (2 s), and a wide one turned a
// quarter, so that it stands upright, entering by a cut (1 s).
QList<BuildSlide> ThreeSlides(const TestFolder &folder)
{
    return {{Picture(folder, "a.png", {400, 300}, 1), 0, 2, 1, QStringLiteral("By the lake")},
            {Picture(folder, "b.png", {300, 400}, 2), 0, 2, 2, QString()},
            {Picture(folder, "c.png", {300, 160}, 3), 90, 1, 0, QString()}};
}

// The frame the show's renderer makes at a moment, from the same pictures.
QImage RenderedAt(const QList<BuildSlide> &slides, QSize size, double seconds)
{
    ShowRenderer renderer(
        int(slides.size()),
        [&](int index) {
            const BuildSlide &slide = slides[index];
            return SlideContent{
                RenderSlidePicture(slide.FileName, slide.Rotation, size, index + 1, SlideFit::AsShown),
                slide.Caption,
                {}};
        },
        size);
    return renderer.Frame(MomentAt(VideoTimeline(slides), seconds)).copy();
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

struct ExportCase
{
    const char *name;
    QSize size;
    int fps;
    bool withSound;
    const char *colourSpace;
};

void PrintTo(const ExportCase &row, std::ostream *out)
{
    *out << row.name;
}

class VideoExportRows : public ::testing::TestWithParam<ExportCase>
{
protected:
    const TFileFormatRegistration formats;
};

} // namespace

TEST_P(VideoExportRows, ReadsBackAsTheShow)
{
    const ExportCase &row = GetParam();
    TestFolder folder;
    const QList<BuildSlide> slides = ThreeSlides(folder);
    VideoOptions options;
    options.size = row.size;
    options.fps = row.fps;
    // A tone shorter than the show, so that it loops.
    if (row.withSound)
        options.backgroundAudio = folder.Write("tone.wav", ToneWav(1.5, 44100));
    const QString out = folder.Path("show.mp4");
    std::vector<int> gauge;
    const VideoExportResult result =
        ExportVideo(out, slides, options, [&](const VideoProgress &progress) { gauge.push_back(progress.gauge); });
    EXPECT_EQ(result.frames, 5 * row.fps);
    EXPECT_EQ(result.hasSound, row.withSound);
    EXPECT_TRUE(result.audioProblem.isEmpty()) << result.audioProblem.toStdString();
    EXPECT_EQ(gauge.back(), 0); // set back when done
    EXPECT_EQ(*std::max_element(gauge.begin(), gauge.end()), 100);
    EXPECT_EQ(FilesIn(folder.Root()).filter(".show.mp4."), QStringList());

    const ReadVideo video = ReadBackVideo(out);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.streams, row.withSound ? 2 : 1);
    EXPECT_TRUE(video.indexAtFront);
    EXPECT_EQ(video.video.codec, "h264");
    EXPECT_EQ(video.video.profile, "High");
    EXPECT_EQ(video.video.pixelFormat, "yuv420p");
    EXPECT_EQ(QSize(video.video.width, video.video.height), row.size);
    EXPECT_EQ(video.video.colourSpace, row.colourSpace);
    EXPECT_DOUBLE_EQ(video.video.frameRate, row.fps);
    // Every frame stands on a tick of the frame rate, and the last one ends
    // with the show.
    ASSERT_FALSE(video.frameTimes.empty());
    for (const double t : video.frameTimes)
        EXPECT_NEAR(t * row.fps, std::round(t * row.fps), 1e-3) << t;
    EXPECT_NEAR(video.videoEnd, 5.0, 1.0 / row.fps);

    if (row.withSound) {
        EXPECT_EQ(video.audio.codec, "aac");
        EXPECT_EQ(video.audio.sampleRate, 48000);
        EXPECT_EQ(video.audio.channels, 2);
        EXPECT_NEAR(double(video.sound.size()) / 48000, video.videoEnd, 1.0 / row.fps);
        // The tone plays on after its file ends, and fades out over the last
        // two seconds.
        const double playing = Loudness(video.sound, 48000 * 2, 48000 * 5 / 2);
        EXPECT_GT(playing, 0.1);
        EXPECT_GT(Loudness(video.sound, 48000 * 3 / 2 + 4800, 48000 * 2), 0.1);
        EXPECT_NEAR(Loudness(video.sound, 48000 * 4, 48000 * 4 + 2400), playing * 0.5, playing * 0.1);
        EXPECT_LT(Loudness(video.sound, video.sound.size() - 480, video.sound.size()), playing * 0.05);
    } else {
        EXPECT_FALSE(video.audio.present);
    }

    // The middle of each slide standing still, and the middle of the
    // dissolve and of the wipe, look as the renderer draws them at the tick
    // of the frame shown.
    for (const double t : {1.5, 3.5, 4.5, 0.5, 2.333}) {
        const QImage shown = VideoFrameAt(out, t);
        const QImage expected = RenderedAt(slides, row.size, std::floor(t * row.fps) / row.fps);
        ASSERT_EQ(shown.size(), row.size) << t;
        EXPECT_GE(PicturePsnr(shown, expected), 35.0) << "at " << t << " s";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, VideoExportRows,
                         ::testing::Values(ExportCase{"SmallWithSound", {320, 180}, 25, true, "smpte170m"},
                                           ExportCase{"HighDefinitionSilent", {1280, 720}, 24, false, "bt709"}),
                         [](const auto &info) { return std::string(info.param.name); });

// A failure, a full disk or a stop leaves nothing under the target's name
// (a file there before stays as it was) and no partial file beside it.
TEST(VideoExport, FailuresLeaveNoPartialFile)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    QList<BuildSlide> slides = ThreeSlides(folder);
    VideoOptions options;
    options.size = {320, 180};
    const QString target = folder.Write("show.mp4", "the video made before");
    const QStringList before = FilesIn(folder.Root());
    auto expectUntouched = [&](const char *what) {
        EXPECT_EQ(FilesIn(folder.Root()), before) << what;
        EXPECT_EQ(ReadFileBytes(target), "the video made before") << what;
    };

    EXPECT_EQ(ErrorOf([&] { ExportVideo(target, {}, options); }), "You need to add some slides first!");
    VideoOptions odd = options;
    odd.size = {321, 180};
    EXPECT_TRUE(ErrorOf([&] { ExportVideo(target, slides, odd); }).contains("even"));
    expectUntouched("refused");

    {
        const FileSizeLimit full(20000);
        EXPECT_TRUE(ErrorOf([&] { ExportVideo(target, slides, options); }).contains("File too large"));
    }
    expectUntouched("full disk");

    std::atomic<bool> stop{false};
    bool stopped = false;
    try {
        ExportVideo(
            target, slides, options, [&](const VideoProgress &progress) { stop = progress.gauge >= 50; }, &stop);
    } catch (const VideoExportStopped &) {
        stopped = true;
    }
    EXPECT_TRUE(stopped);
    expectUntouched("stopped");

    EXPECT_TRUE(ErrorOf([&] { ExportVideo(folder.Path("none/show.mp4"), slides, options); })
                    .startsWith("Cannot create file " + folder.Path("none/show.mp4")));
    EXPECT_EQ(ErrorOf([&] { ExportVideo(folder.Root(), slides, options); }),
              "Cannot create file " + folder.Root() + ": Is a directory");
    // Nor does it go over one of its own pictures.
    EXPECT_TRUE(ErrorOf([&] { ExportVideo(slides[1].FileName, slides, options); })
                    .startsWith("The output file " + slides[1].FileName + " is the input file"));
    expectUntouched("over its input");

    slides[1].FileName = folder.Path("gone.png");
    EXPECT_TRUE(ErrorOf([&] { ExportVideo(target, slides, options); }).contains("gone.png"));
    expectUntouched("missing picture");
}

// Audio that does not decode is reported, and the video is made without it;
// slides too short for a frame of their own are passed over.
TEST(VideoExport, BadAudioAndShortSlides)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    QList<BuildSlide> slides = ThreeSlides(folder);
    slides.insert(1, {slides[0].FileName, 0, 0, 1, QString()});
    slides.insert(1, {slides[2].FileName, 0, 0.2, 3, QString()});
    VideoOptions options;
    options.size = {320, 180};
    options.fps = 2;
    options.backgroundAudio = folder.Write("music.mp3", QByteArray("ID3 not really an MP3 at all").repeated(50));
    const QString out = folder.Path("show.mp4");
    const VideoExportResult result = ExportVideo(out, slides, options);
    EXPECT_TRUE(result.audioProblem.startsWith("The background audio " + options.backgroundAudio + " cannot be decoded"))
        << result.audioProblem.toStdString();
    EXPECT_FALSE(result.hasSound);
    EXPECT_EQ(result.frames, 11); // 5.3 s at 2 frames a second
    const ReadVideo video = ReadBackVideo(out);
    EXPECT_EQ(video.streams, 1);
    EXPECT_NEAR(video.videoEnd, 5.5, 0.01);

    options.backgroundAudio = folder.Path("absent.wav");
    EXPECT_FALSE(ExportVideo(out, slides, options).audioProblem.isEmpty());
}

TEST(VideoOptions, AsTheDialogOffersThem)
{
    EXPECT_EQ(VideoSizes().first(), QSize(1280, 720));
    EXPECT_TRUE(VideoSizes().contains(QSize(3840, 2160)));
    EXPECT_TRUE(VideoSizes().contains(QSize(640, 480)));
    EXPECT_EQ(VideoSizeText({1080, 1920}), "1080 X 1920 (portrait)");
    EXPECT_EQ(CrfOfQualityStep(0), 28);
    EXPECT_EQ(CrfOfQualityStep(kDefaultQualityStep), VideoOptions().crf);
    EXPECT_EQ(CrfOfQualityStep(kQualitySteps), 16);
    EXPECT_FALSE(UsesBt709({1024, 768}));
    EXPECT_TRUE(UsesBt709({1280, 720}));
    EXPECT_TRUE(UsesBt709({1080, 1920}));
    EXPECT_EQ(DurationText(12), "0:12");
    EXPECT_EQ(DurationText(80.2), "1:21");
    EXPECT_EQ(DurationText(3723), "1:02:03");

    EXPECT_EQ(DefaultVideoPath("/shows/holiday.vsw", QString()), "/shows/holiday.mp4");
    EXPECT_EQ(DefaultVideoPath("/shows/holiday.vsw", QDir::tempPath()), QDir::tempPath() + "/holiday.mp4");
    EXPECT_EQ(DefaultVideoPath(QString(), "/no/such/folder"), QDir::homePath() + "/MyShow1.mp4");
    EXPECT_EQ(VideoFileName("trip", "/videos/holiday.mp4"), "/videos/trip.mp4");
    EXPECT_EQ(VideoFileName("/elsewhere/trip.mov", "/videos/holiday.mp4"), "/elsewhere/trip.mov");
    EXPECT_EQ(VideoFileName("  ", "/videos/holiday.mp4"), QString());
}
