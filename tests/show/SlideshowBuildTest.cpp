#include "show/JpegEncoding.h"
#include "show/PackageReader.h"
#include "show/ShowPackage.h"
#include "show/SlideRendering.h"
#include "show/SlideshowBuild.h"
#include "imaging/PictureLoading.h"
#include "imaging/Resampling.h"
#include "imaging/Rotation.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/TestFiles.h"

#include "common/VistranoError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

#include <unistd.h>

namespace {

struct BuildFixture
{
    TestFolder folder;
    QString templatePath;
    const QByteArray templateBytes = QByteArray("#!player template\x00\x01\x02", 20);

    BuildFixture()
    {
        templatePath = folder.Write("kv.dll", templateBytes);
        QFile::setPermissions(templatePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                                | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    QString Picture(const QString &name, int width, int height) const
    {
        const QString path = folder.Path(name);
        TestPicture(width, height).save(path, "JPG", 95);
        return path;
    }
    BuildOptions Options(int width = 1024, int height = 768) const
    {
        BuildOptions options;
        options.OutputWidth = width;
        options.OutputHeight = height;
        options.TemplatePath = templatePath;
        return options;
    }
};

BuildSlide Slide(const QString &file, int duration = 4, int transition = 0, const QString &caption = {},
                 int rotation = 0)
{
    return BuildSlide{file, rotation, double(duration), double(transition), caption};
}

QSize JpegSize(const QByteArray &package, int n)
{
    return QImage::fromData(FindSection(package, "jpg" + QByteArray::number(n)).value, "JPG").size();
}

QByteArray Value(const QByteArray &package, const char *key)
{
    const SectionLookup found = FindSection(package, key);
    EXPECT_EQ(found.state, SectionState::Found) << key;
    return found.value.toByteArray();
}

} // namespace

TEST(SlideshowBuild, FitsEveryPictureIntoTheScreenSize)
{
    BuildFixture f;
    struct Case
    {
        QSize picture;
        QSize screen;
        int rotation;
        QSize expected;
    };
    // Small pictures with the aspect ratios of 4000x3000, 3000x4000,
    // 1600x900 and 640x480.
    const Case cases[] = {
        {{400, 300}, {1024, 768}, 0, {1024, 768}}, {{300, 400}, {1024, 768}, 0, {576, 768}},
        {{160, 90}, {800, 600}, 0, {800, 450}},    {{64, 48}, {1280, 1024}, 0, {1280, 960}},
        {{400, 300}, {1024, 768}, 90, {768, 1024}}, {{400, 300}, {640, 480}, 270, {480, 640}},
        {{400, 300}, {640, 480}, 180, {640, 480}},
    };
    for (const Case &c : cases) {
        const QString picture = f.Picture("p.jpg", c.picture.width(), c.picture.height());
        const QString out = f.folder.Path("show.exe");
        BuildSlideshow(out, {Slide(picture, 4, 0, {}, c.rotation)}, f.Options(c.screen.width(), c.screen.height()));
        const QByteArray package = ReadFileBytes(out);
        EXPECT_EQ(JpegSize(package, 1), c.expected) << c.picture.width() << "x" << c.picture.height() << " at "
                                                    << c.screen.width() << " rotation " << c.rotation;
        EXPECT_EQ(Value(package, "OWidth"), QByteArray::number(c.screen.width()));
        EXPECT_EQ(Value(package, "OHeight"), QByteArray::number(c.screen.height()));
    }
}

// A slide's picture is the whole decode fitted with StretchBitmap and turned,
// byte for byte, though JPEG files are streamed through the resampler: odd
// sizes, every turn, enlarged and shrunk.
TEST(SlideshowBuild, RendersTheWholeDecodeResampledAndTurned)
{
    BuildFixture f;
    for (QSize size : {QSize(333, 251), QSize(97, 181), QSize(1203, 37)}) {
        const QString picture = f.Picture(QStringLiteral("p%1.jpg").arg(size.width()), size.width(), size.height());
        for (int rotation : {0, 90, 180, 270}) {
            for (QSize screen : {QSize(640, 480), QSize(101, 77)}) {
                QImage expected = LoadPictureFile(picture, JPEGReadScale::Whole);
                const QSize fitted = FitInBox(screen.width(), screen.height(), size.width(), size.height());
                StretchBitmap(fitted.width(), fitted.height(), ResamplingFilter::Lanczos3, 0, expected);
                ApplyRotation(expected, rotation);
                EXPECT_EQ(RenderSlidePicture(picture, rotation, screen, 1), expected)
                    << size.width() << "x" << size.height() << " turned " << rotation << " on " << screen.width();
            }
        }
    }
}

// Rendering on several workers writes the bytes of a build on one.
TEST(SlideshowBuild, WritesTheSameBytesWhateverTheNumberOfWorkers)
{
    BuildFixture f;
    QList<BuildSlide> slides;
    for (int i = 0; i < 9; ++i) {
        const QString picture = f.Picture(QStringLiteral("p%1.jpg").arg(i), 160 + 37 * i, 120 + 23 * (i % 4));
        slides << Slide(picture, 3 + i, i % 6, QStringLiteral("slide %1").arg(i), 90 * (i % 4));
    }
    BuildOptions options = f.Options(640, 480);
    options.Threads = 1;
    BuildSlideshow(f.folder.Path("one.exe"), slides, options);
    const QByteArray one = ReadFileBytes(f.folder.Path("one.exe"));
    EXPECT_EQ(ReadShowPackage(one).slides.size(), 9u);
    for (int threads : {2, 3, 8, 0}) {
        options.Threads = threads;
        QStringList statuses;
        BuildSlideshow(f.folder.Path("many.exe"), slides, options,
                       [&](const BuildProgress &progress) { statuses << progress.status; });
        EXPECT_EQ(ReadFileBytes(f.folder.Path("many.exe")), one) << threads << " workers";
        EXPECT_EQ(statuses.mid(1, 4), QStringList({"Rendering Slide 1...", "Added : 1", "Rendering Slide 2...",
                                                   "Added : 2"}));
    }
}

TEST(SlideshowBuild, TurnsAfterFitting)
{
    BuildFixture f;
    // The bright corner is top left; a quarter turn clockwise puts it top right.
    const QString picture = f.Picture("p.jpg", 400, 300);
    const QString out = f.folder.Path("show.exe");
    BuildSlideshow(out, {Slide(picture, 4, 0, {}, 90)}, f.Options(640, 480));
    const QImage jpeg = QImage::fromData(FindSection(ReadFileBytes(out), "jpg1").value, "JPG");
    ASSERT_EQ(jpeg.size(), QSize(480, 640));
    EXPECT_GT(qGray(jpeg.pixel(460, 20)), 230);
    EXPECT_LT(qGray(jpeg.pixel(20, 20)), 200);
}

// The finished file holds exactly the bytes of the whole-file operations:
// copy, append the screen size, the count and the audio, then per slide four
// appends and a replacement of the count.
TEST(SlideshowBuild, WritesTheSectionsInOrderWithTheirValues)
{
    BuildFixture f;
    const QByteArray audio("ID3\x03 fake mp3 bytes so!# lower case is fine", 43);
    const QString audioPath = f.folder.Write("music.MP3", audio);
    const QList<BuildSlide> slides = {Slide(f.Picture("a.jpg", 40, 30), 4, 0, {}),
                                      Slide(f.Picture("b.jpg", 30, 40), 12, 5, QString::fromUtf8("Zürich by night")),
                                      Slide(f.Picture("c.jpg", 20, 20), 7, 2, "c")};
    BuildOptions options = f.Options(640, 480);
    options.BackgroundAudio = audioPath;
    QStringList statuses;
    QList<int> gauges;
    const QString out = f.folder.Path("show.exe");
    BuildSlideshow(out, slides, options, [&](const BuildProgress &progress) {
        if (!progress.status.isEmpty())
            statuses << progress.status;
        if (progress.gauge >= 0)
            gauges << progress.gauge;
    });
    EXPECT_EQ(statuses, QStringList({"Rendering Slide 1...", "Added : 1", "Rendering Slide 2...", "Added : 2",
                                     "Rendering Slide 3...", "Added : 3", "Done!"}));
    EXPECT_EQ(gauges, QList<int>({0, 33, 67, 100, 0}));

    const QByteArray package = ReadFileBytes(out);
    const SectionListing listing = ListSections(package);
    EXPECT_TRUE(listing.problem.isEmpty());
    EXPECT_EQ(listing.templateSize, f.templateBytes.size());
    QStringList keys;
    for (const ListedSection &section : listing.sections)
        keys << QString::fromLatin1(section.key);
    EXPECT_EQ(keys.join(' '), "OWIDTH OHEIGHT BGAUDIO BGAUDIOEXT DUR1 TRAN1 CAP1 JPG1 DUR2 TRAN2 CAP2 JPG2 "
                              "DUR3 TRAN3 CAP3 JPG3 IMAGECOUNT");

    // The same file made by the whole-file operations.
    PackageModel expected{f.templateBytes, {}};
    expected.Append("OWidth", "640");
    expected.Append("OHeight", "480");
    expected.Append("ImageCount", "0");
    expected.Append("BGAUDIO", audio);
    expected.Append("BGAUDIOEXT", ".MP3");
    const char *durations[] = {"4.00", "12.00", "7.00"};
    const char *transitions[] = {" 0", " 5", " 2"};
    const QByteArray captions[] = {"", "Z\xC3\xBCrich by night", "c"};
    for (int n = 1; n <= 3; ++n) {
        const QByteArray number = QByteArray::number(n);
        expected.Append("dur" + number, durations[n - 1]);
        expected.Append("tran" + number, transitions[n - 1]);
        expected.Append("cap" + number, captions[n - 1]);
        expected.Append("jpg" + number, Value(package, "jpg" + number));
        expected.Replace("ImageCount", number);
    }
    EXPECT_EQ(package, expected.Bytes());
    EXPECT_EQ(JpegSize(package, 2), QSize(360, 480));

    const ShowPackage show = ReadShowPackage(package);
    EXPECT_TRUE(show.problems.isEmpty());
    ASSERT_EQ(show.slides.size(), 3u);
    EXPECT_EQ(show.slides[1].caption, QString::fromUtf8("Zürich by night"));
    EXPECT_EQ(show.slides[1].duration, 12.0);
    EXPECT_EQ(show.slides[1].transition, 5);
}

TEST(SlideshowBuild, QualityIsOneHundredLessTheCompression)
{
    BuildFixture f;
    const QString picture = f.Picture("p.jpg", 40, 30);
    for (auto [compression, quality] : {std::pair{0, 100}, {10, 90}, {60, 40}}) {
        BuildOptions options = f.Options(640, 480);
        options.Compression = compression;
        const QString out = f.folder.Path("show.exe");
        BuildSlideshow(out, {Slide(picture)}, options);
        const QByteArray jpeg = Value(ReadFileBytes(out), "jpg1");
        // The quantisation tables depend on the quality alone.
        const QByteArray reference = EncodeJpeg(TestPicture(8, 8), quality);
        const qsizetype at = jpeg.indexOf("\xFF\xDB");
        ASSERT_GT(at, 0);
        EXPECT_EQ(jpeg.mid(at, 2 * 69 + 4), reference.mid(reference.indexOf("\xFF\xDB"), 2 * 69 + 4))
            << "compression " << compression;
    }
}

TEST(SlideshowBuild, BackgroundAudioOnlyWhenTheFieldHoldsMoreThanASpace)
{
    BuildFixture f;
    const QString picture = f.Picture("p.jpg", 40, 30);
    const QString noDot = f.folder.Write("music", "RIFF....WAVE");
    const QString out = f.folder.Path("show.exe");
    for (const QString &field : {QString(), QStringLiteral(" "), QStringLiteral("\tmusic.wav")}) {
        BuildOptions options = f.Options(640, 480);
        options.BackgroundAudio = field;
        BuildSlideshow(out, {Slide(picture)}, options);
        EXPECT_EQ(FindSection(ReadFileBytes(out), "BGAUDIO").state, SectionState::Missing) << field.toStdString();
        EXPECT_EQ(FindSection(ReadFileBytes(out), "BGAUDIOEXT").state, SectionState::Missing);
    }
    BuildOptions options = f.Options(640, 480);
    options.BackgroundAudio = noDot;
    BuildSlideshow(out, {Slide(picture)}, options);
    EXPECT_EQ(Value(ReadFileBytes(out), "BGAUDIO"), QByteArray("RIFF....WAVE"));
    EXPECT_EQ(Value(ReadFileBytes(out), "BGAUDIOEXT"), QByteArray());
}

TEST(SlideshowBuild, AFailedRebuildLeavesTheOldShow)
{
    BuildFixture f;
    const QString good = f.Picture("good.jpg", 40, 30);
    const QString lost = f.Picture("lost.jpg", 40, 30);
    const QString out = f.folder.Path("show.exe");
    const QList<BuildSlide> slides = {Slide(good), Slide(good), Slide(lost), Slide(good)};
    BuildSlideshow(out, slides, f.Options(640, 480));
    const QByteArray working = ReadFileBytes(out);

    // A picture went missing: the build stops at its slide, says which, and
    // the four-slide show stays as it was, with nothing left beside it.
    QFile::remove(lost);
    QStringList statuses;
    try {
        BuildSlideshow(out, slides, f.Options(640, 480), [&](const BuildProgress &progress) { statuses << progress.status; });
        FAIL() << "the build went on";
    } catch (const VistranoError &error) {
        EXPECT_TRUE(error.message().contains("Slide 3")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(lost)) << error.message().toStdString();
    }
    EXPECT_TRUE(statuses.contains("Added : 2"));
    EXPECT_FALSE(statuses.contains("Done!"));
    EXPECT_TRUE(ReadFileBytes(out) == working);
    EXPECT_EQ(ReadShowPackage(working).slides.size(), 4u);
    EXPECT_EQ(QDir(f.folder.Root()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"good.jpg", "kv.dll", "show.exe"}));

    // A stop that the window asks for at a slide ends the build there; one
    // that comes with the last report is too late: the show is in place.
    QFile::copy(good, lost);
    const auto stopAt = [](const QString &status) {
        return [status](const BuildProgress &progress) {
            if (progress.status == status)
                throw VistranoError(QStringLiteral("stopped"));
        };
    };
    EXPECT_THROW(BuildSlideshow(out, slides, f.Options(320, 240), stopAt("Added : 3")), VistranoError);
    EXPECT_TRUE(ReadFileBytes(out) == working);
    BuildSlideshow(out, slides, f.Options(320, 240), stopAt("Done!"));
    const QByteArray rebuilt = ReadFileBytes(out);
    EXPECT_EQ(ReadShowPackage(rebuilt).screenSize, QSize(320, 240));
}

TEST(SlideshowBuild, RefusesWhatItCannotCopyOrStore)
{
    BuildFixture f;
    const QString picture = f.Picture("p.jpg", 40, 30);
    const QString out = f.folder.Path("show.exe");
    auto messageOf = [&](const QString &target, const QList<BuildSlide> &slides, const BuildOptions &options) {
        try {
            BuildSlideshow(target, slides, options);
        } catch (const VistranoError &error) {
            return error.message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(messageOf(out, {}, f.Options()), "You need to add some slides first!");

    BuildOptions noTemplate = f.Options();
    noTemplate.TemplatePath = f.folder.Path("nowhere/kv.dll");
    EXPECT_EQ(messageOf(out, {Slide(picture)}, noTemplate), "Error copying needed file!");
    EXPECT_FALSE(QFile::exists(out));
    QDir(f.folder.Root()).mkdir("adir");
    EXPECT_EQ(messageOf(f.folder.Path("adir"), {Slide(picture)}, f.Options()),
              QStringLiteral("Error copying needed file! Cannot create file %1: Is a directory").arg(f.folder.Path("adir")));
    // Building over the template itself would destroy it, under its own
    // name or another (a hard link); over a picture or the audio likewise.
    EXPECT_EQ(messageOf(f.templatePath, {Slide(picture)}, f.Options()), "Error copying needed file!");
    const QString link = f.folder.Path("link.exe");
    ASSERT_EQ(::link(QFile::encodeName(f.templatePath).constData(), QFile::encodeName(link).constData()), 0);
    EXPECT_EQ(messageOf(link, {Slide(picture)}, f.Options()), "Error copying needed file!");
    EXPECT_EQ(ReadFileBytes(f.templatePath), f.templateBytes);
    const QByteArray pictureBytes = ReadFileBytes(picture);
    EXPECT_TRUE(messageOf(picture, {Slide(picture)}, f.Options()).contains("is the input file"));
    BuildOptions withAudio = f.Options();
    withAudio.BackgroundAudio = f.folder.Write("music.wav", "RIFF....WAVE");
    EXPECT_TRUE(messageOf(withAudio.BackgroundAudio, {Slide(picture)}, withAudio).contains("is the input file"));
    EXPECT_TRUE(ReadFileBytes(picture) == pictureBytes);
    EXPECT_EQ(ReadFileBytes(withAudio.BackgroundAudio), QByteArray("RIFF....WAVE"));

    // A caption holding a marker stops the build before anything is written.
    const QString caption = messageOf(out, {Slide(picture), Slide(picture, 4, 0, "see EO!#JPG1 here")}, f.Options());
    EXPECT_TRUE(caption.contains("slide 2") && caption.contains("EO!#")) << caption.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    // So does a template that already holds sections.
    BuildOptions used = f.Options();
    used.TemplatePath = f.folder.Write("used.exe", "player" + Section("OWIDTH", "640"));
    EXPECT_TRUE(messageOf(out, {Slide(picture)}, used).contains("already holds"));
    EXPECT_FALSE(QFile::exists(out));

    // Audio that cannot be read, stored or written (a file size limit stands
    // in for a full disk) stops the build; no show is left.
    const QString longAudio = f.folder.Write("long.wav", "RIFF" + QByteArray(20000, 'a'));
    for (const QString &audio :
         {f.folder.Path("missing.mp3"), f.folder.Write("bad.wav", "RIFF" + kStart + "x"), longAudio}) {
        BuildOptions options = f.Options(640, 480);
        options.BackgroundAudio = audio;
        std::optional<FileSizeLimit> full;
        if (audio == longAudio)
            full.emplace(f.templateBytes.size() + 1000);
        EXPECT_NE(messageOf(out, {Slide(picture)}, options), "no error") << audio.toStdString();
        full.reset();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST(SlideshowBuild, ReplacesAnOldFileKeepsTheRunBitAndTheDirectory)
{
    BuildFixture f;
    f.Picture("p.jpg", 40, 30);
    const QString out = f.folder.Write("show.exe", QByteArray(100000, 'x'));
    QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(f.folder.Root()));
    // Relative paths are taken against the current directory.
    BuildSlideshow("show.exe", {Slide("p.jpg")}, f.Options(640, 480));
    EXPECT_EQ(QDir::currentPath(), QDir(f.folder.Root()).canonicalPath());
    QDir::setCurrent(before);

    const QByteArray package = ReadFileBytes(out);
    EXPECT_TRUE(package.startsWith(f.templateBytes + Section("OWIDTH", "640")));
    EXPECT_FALSE(package.contains("xxxx"));
    EXPECT_TRUE(QFile::permissions(out) & QFile::ExeOwner);
    EXPECT_TRUE(QFile::permissions(out) & QFile::ExeOther);
}


TEST(SlideshowBuild, MovingSlidesAreLargerAndCarryTheirMotion)
{
    BuildFixture fixture;
    const QString photo = fixture.Picture(QStringLiteral("photo.jpg"), 2000, 1500);
    const QString small = fixture.Picture(QStringLiteral("small.jpg"), 640, 480);
    const QString portrait = fixture.Picture(QStringLiteral("portrait.jpg"), 1500, 2000);
    QList<BuildSlide> slides{Slide(photo), Slide(small), Slide(portrait), Slide(photo)};
    const QString stillShow = fixture.folder.Path(QStringLiteral("still.exe"));
    BuildSlideshow(stillShow, slides, fixture.Options());
    const QByteArray still = ReadFileBytes(stillShow);
    EXPECT_FALSE(still.contains("MOTION"));

    slides[0].Motion = SlideMotion::ZoomIn;
    slides[1].Motion = SlideMotion::Auto;
    slides[2].Motion = SlideMotion::Auto;
    const QString movingShow = fixture.folder.Path(QStringLiteral("moving.exe"));
    BuildSlideshow(movingShow, slides, fixture.Options());
    const QByteArray moving = ReadFileBytes(movingShow);
    // Up to 1.5 times the screen; a small picture no larger than a still
    // slide makes it; a still slide as before.
    EXPECT_EQ(JpegSize(moving, 1), QSize(1536, 1152));
    EXPECT_EQ(JpegSize(moving, 2), QSize(1024, 768));
    EXPECT_EQ(JpegSize(moving, 3), QSize(1500, 2000).scaled(1536, 1152, Qt::KeepAspectRatio));
    EXPECT_EQ(JpegSize(moving, 4), QSize(1024, 768));
    EXPECT_EQ(FindSection(moving, "jpg4").value, FindSection(still, "jpg4").value);

    const ShowPackage show = ReadShowPackage(moving);
    ASSERT_EQ(show.slides.size(), 4u);
    EXPECT_EQ(show.slides[0].motion, MotionPath::ZoomIn);
    EXPECT_TRUE(show.slides[1].motion == MotionPath::ZoomIn || show.slides[1].motion == MotionPath::ZoomOut);
    EXPECT_TRUE(show.slides[2].motion == MotionPath::PanTopToBottom
                || show.slides[2].motion == MotionPath::PanBottomToTop);
    EXPECT_EQ(show.slides[3].motion, MotionPath::Still);
    EXPECT_EQ(FindSection(moving, "motion4").state, SectionState::Missing);
    for (const ShowSlide &slide : show.slides)
        EXPECT_TRUE(slide.problems.isEmpty()) << slide.problems.join(' ').toStdString();
}
