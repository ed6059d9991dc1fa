#include "show/ShowPackage.h"
#include "show/SlideshowBuild.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"
#include "tests/web/WebShowTestSupport.h"
#include "web/WebShowAudio.h"
#include "web/WebShowData.h"
#include "web/WebShowExport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QJsonObject PageData(const QByteArray &page)
{
    const QByteArray open = "<script type=\"application/json\" id=\"show\">";
    const qsizetype start = page.indexOf(open) + open.size();
    return QJsonDocument::fromJson(page.mid(start, page.indexOf("</script>", start) - start)).object();
}

} // namespace

// The page carries the pictures a show built at that size holds, byte for
// byte, and the player's timeline.
TEST(WebShowExport, CarriesTheBuiltShowsPicturesAndTimeline)
{
    TestFolder folder;
    QList<BuildSlide> slides = ColourSlides(folder, QStringLiteral("Grün & <b>"));
    slides[0].Rotation = 90;
    slides[1].AbLeft = 2.345; // stored with two decimals
    slides[2].AbTop = 9;      // a code the player shows as a cut
    WebShowOptions options;
    options.size = QSize(800, 600);
    options.compression = 25;
    const WebShowResult result = ExportWebShow(folder.Path("trip.html"), slides, options);

    BuildOptions build;
    build.OutputWidth = 800;
    build.OutputHeight = 600;
    build.Compression = 25;
    build.TemplatePath = folder.Write("template.bin", "template");
    BuildSlideshow(folder.Path("trip.exe"), slides, build);
    const QByteArray built = ReadFileBytes(folder.Path("trip.exe"));
    const ShowPackage show = ReadShowPackage(built);

    const QByteArray page = ReadFileBytes(folder.Path("trip.html"));
    const QList<QByteArray> jpegs = PageJpegs(page);
    ASSERT_EQ(jpegs.size(), 3);
    qint64 sum = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(jpegs[i], show.slides[size_t(i)].jpeg.toByteArray()) << "slide " << i + 1;
        sum += jpegs[i].size();
    }
    EXPECT_EQ(result.pictureBytes, sum);
    EXPECT_EQ(result.pageBytes, page.size());

    const QJsonObject data = PageData(page);
    const QJsonArray timed = data["slides"].toArray();
    ASSERT_EQ(timed.size(), 3);
    EXPECT_DOUBLE_EQ(timed[1]["start"].toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(timed[1]["length"].toDouble(), 2.35);
    EXPECT_DOUBLE_EQ(timed[1]["transitionLength"].toDouble(), 2.35 / 3);
    EXPECT_EQ(timed[2]["transition"].toInt(), 0);
    EXPECT_DOUBLE_EQ(data["length"].toDouble(), 7.35);
    EXPECT_EQ(timed[1]["caption"].toString(), QStringLiteral("Grün & <b>"));
    // A quarter-turned picture is fitted as stored and then turned, as the
    // build does: the page places it by the JPEG's own sides.
    EXPECT_EQ(timed[0]["width"].toInt(), 600);
    EXPECT_EQ(timed[0]["height"].toInt(), 800);
}

TEST(WebShowExport, CaptionTextCannotLeaveTheDataBlock)
{
    const QString hostile = QStringLiteral("</script><!-- \"\\ \u2028 & \U0001F600 ") + QChar(0xD800);
    const QByteArray json = JsonString(hostile);
    for (char c : json)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F && c != '<' && c != '>' && c != '&') << json.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson("[" + json + "]").array()[0].toString(), hostile);
    EXPECT_EQ(EscapeHtml(QStringLiteral("<a href='x'>&\"")), QByteArray("&lt;a href=&#39;x&#39;&gt;&amp;&quot;"));
}

// The sound a browser plays: an MP3 as it is, WAV made AAC of the show's
// length; audio that does not decode leaves the page silent and says why.
TEST(WebShowExport, EmbedsTheAudioInAFormBrowsersPlay)
{
    TestFolder folder;
    const QList<BuildSlide> slides = ColourSlides(folder, QString());
    WebShowOptions options;
    options.size = QSize(320, 240);

    options.backgroundAudio = folder.Write("tone.wav", ToneWav(2.0));
    WebShowResult result = ExportWebShow(folder.Path("wav.html"), slides, options);
    EXPECT_TRUE(result.hasSound);
    QByteArray page = ReadFileBytes(folder.Path("wav.html"));
    static const QRegularExpression audio(QStringLiteral("<audio id=\"audio\"[^>]* src=\"data:([a-z/0-9]+);base64,([^\"]*)\""));
    QRegularExpressionMatch match = audio.match(QString::fromLatin1(page));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), "audio/mp4");
    const QByteArray m4a = QByteArray::fromBase64(match.captured(2).toLatin1());
    EXPECT_EQ(m4a.mid(4, 4), "ftyp");
    EXPECT_EQ(m4a.size(), result.audioBytes);
    EXPECT_FALSE(PageData(page)["audioFadesOut"].toBool());

    // An MP3 frame header and a few frames of silence: kept byte for byte.
    QByteArray mp3;
    for (int i = 0; i < 20; ++i)
        mp3 += QByteArray("\xFF\xFB\x90\x64", 4) + QByteArray(413, '\0');
    ASSERT_TRUE(LooksLikeMp3(mp3));
    options.backgroundAudio = folder.Write("song.mp3", mp3);
    result = ExportWebShow(folder.Path("mp3.html"), slides, options);
    page = ReadFileBytes(folder.Path("mp3.html"));
    match = audio.match(QString::fromLatin1(page));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), "audio/mpeg");
    EXPECT_EQ(QByteArray::fromBase64(match.captured(2).toLatin1()), mp3);
    EXPECT_TRUE(PageData(page)["audioFadesOut"].toBool());

    options.backgroundAudio = folder.Write("noise.ogg", QByteArray(3000, 'n'));
    result = ExportWebShow(folder.Path("silent.html"), slides, options);
    EXPECT_FALSE(result.hasSound);
    EXPECT_TRUE(result.audioProblem.contains("noise.ogg")) << result.audioProblem.toStdString();
    EXPECT_FALSE(ReadFileBytes(folder.Path("silent.html")).contains("<audio"));
}

// A failed export leaves the file that was there, and no file of its own.
TEST(WebShowExport, FailsWithoutHarmingTheFileThere)
{
    TestFolder folder;
    QList<BuildSlide> slides = ColourSlides(folder, QString());
    const QString target = folder.Write("show.html", "the old page");
    WebShowOptions options;
    options.size = QSize(320, 240);

    QList<BuildSlide> broken = slides;
    broken[2].FileName = folder.Write("broken.png", "not a picture");
    EXPECT_FALSE(ErrorOf([&] { ExportWebShow(target, broken, options); }).isEmpty());
    EXPECT_EQ(ErrorOf([&] { ExportWebShow(target, {}, options); }), "You need to add some slides first!");
    options.size = QSize(0, 240);
    EXPECT_EQ(ErrorOf([&] { ExportWebShow(target, slides, options); }), "Invalid screen size 0 X 240");
    options.size = QSize(320, 240);
    EXPECT_TRUE(ErrorOf([&] { ExportWebShow(slides[1].FileName, slides, options); }).contains("is the input file"));
    const std::atomic<bool> stop{true};
    EXPECT_EQ(ErrorOf([&] { ExportWebShow(target, slides, options, {}, &stop); }),
              "The web show export was stopped.");

    EXPECT_EQ(ReadFileBytes(target), "the old page");
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files | QDir::Hidden).size(), 5);
    EXPECT_EQ(DefaultWebShowPath("/shows/holiday.vsw", QString()), "/shows/holiday.html");
}
