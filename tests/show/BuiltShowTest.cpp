// Shows built by the real build, with the real player as template, read back
// by the package reader, by vistrano-cli sections and by the player's
// --frames mode: every key gives exactly the value written, and the player
// finds every slide whole.

#include "common/Text8Bit.h"
#include "common/VistranoError.h"
#include "show/PackageReader.h"
#include "show/ShowPackage.h"
#include "show/SlideRendering.h"
#include "show/SlideshowBuild.h"
#include "show/ValueFormats.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr int kQuality = 90;

// Captions that once confused a reader or might: empty, starting with
// digits, equal to another slide's key, stopping short of a marker, and text
// outside ASCII.
QString RandomCaption(std::mt19937 &random, int slides)
{
    const auto pick = [&](std::initializer_list<const char *> texts) {
        return QString::fromUtf8(*(texts.begin() + random() % texts.size()));
    };
    const QString number = QString::number(1 + random() % slides);
    switch (random() % 7) {
    case 0:
        return {};
    case 1:
        return QString::number(random() % 100) + pick({" figs on a red plate", "", "0", ".00"});
    case 2:
        return pick({"dur", "TRAN", "Cap", "jpg"}) + number;
    case 3:
        return pick({"ImageCount", "OWidth", "BGAUDIOEXT", "OHEIGHT"});
    case 4:
        return pick({"SO!", "EO!", "SO!DUR1", "EO!4.00", "so!#dur1", "O!#", "S O!#"}) + pick({"", " x"});
    case 5:
        return pick({"Zürich by night", "日本の夏", "café ☕", "Ærø"});
    default:
        return number + pick({"SO!", " Zürich", "DUR"}) + pick({"EO!", " é", ""});
    }
}

struct ShowRow
{
    const char *name;
    int slides; // 0: a random count from 2 to 299
    unsigned seed;
    // Long shows play on a small screen, so that the player writes their
    // frames quickly; reading does not depend on the size.
    QSize screen;
    // The slides at the project's defaults, with the given first caption.
    bool defaults = false;
    const char *firstCaption = nullptr;
};

void PrintTo(const ShowRow &row, std::ostream *out)
{
    *out << row.name;
}

class BuiltShow : public ::testing::TestWithParam<ShowRow>
{
protected:
    void SetUp() override
    {
        const ShowRow &row = GetParam();
        std::mt19937 random(row.seed);
        // Tiny pictures that fit the screen as thin strips: quick to render.
        const QString pictures[] = {folder.Path("wide.jpg"), folder.Path("tall.jpg")};
        TestPicture(16, 1).save(pictures[0], "JPG");
        TestPicture(1, 12).save(pictures[1], "JPG");
        const int count = row.slides > 0 ? row.slides : int(2 + random() % 298);
        for (int n = 1; n <= count; ++n) {
            BuildSlide slide;
            slide.FileName = pictures[random() % 2];
            if (row.defaults) {
                slide.AbLeft = 4;
                slide.AbTop = 0;
            } else {
                slide.Rotation = int(random() % 4) * 90;
                slide.AbLeft = double(1 + random() % 60);
                slide.AbTop = double(random() % 6);
                slide.Caption = RandomCaption(random, count);
            }
            slides << slide;
        }
        if (row.firstCaption)
            slides[0].Caption = QString::fromUtf8(row.firstCaption);

        expected.templateBytes = ReadFileBytes(BuiltProgram("kv.dll"));
        expected.Append("OWidth", QByteArray::number(row.screen.width()));
        expected.Append("OHeight", QByteArray::number(row.screen.height()));
        for (int n = 1; n <= count; ++n) {
            const BuildSlide &slide = slides[n - 1];
            const QByteArray number = QByteArray::number(n);
            expected.Append("dur" + number, FormatDuration(slide.AbLeft));
            expected.Append("tran" + number, FormatTransition(slide.AbTop));
            expected.Append("cap" + number, EncodeText8(slide.Caption));
            const QImage picture = RenderSlidePicture(slide.FileName, slide.Rotation, row.screen, n);
            expected.Append("jpg" + number, EncodeSlideJpeg(picture, kQuality));
        }
        expected.Append("ImageCount", QByteArray::number(count));
    }

    BuildOptions Options() const
    {
        BuildOptions options;
        options.OutputWidth = GetParam().screen.width();
        options.OutputHeight = GetParam().screen.height();
        options.Compression = 100 - kQuality;
        options.TemplatePath = BuiltProgram("kv.dll");
        return options;
    }

    TestFolder folder;
    QList<BuildSlide> slides;
    PackageModel expected;
};

QByteArray Cli(const QStringList &args)
{
    QByteArray out;
    QByteArray err;
    EXPECT_EQ(RunProgram(BuiltProgram("vistrano-cli"), args, &out, &err), 0) << err.toStdString();
    return out;
}

} // namespace

TEST_P(BuiltShow, EveryKeyReadsBackAsWritten)
{
    // A caption that holds a whole marker is still refused, before anything
    // is written.
    std::mt19937 random(GetParam().seed);
    QList<BuildSlide> marked = slides;
    marked[random() % marked.size()].Caption += QString::fromLatin1(random() % 2 ? kStart : kEnd) + "DUR1";
    const QString show = folder.Path("show.exe");
    EXPECT_THROW(BuildSlideshow(show, marked, Options()), VistranoError);
    EXPECT_FALSE(QFile::exists(show));

    BuildSlideshow(show, slides, Options());
    const QByteArray package = ReadFileBytes(show);
    ASSERT_EQ(package, expected.Bytes());

    // The reader: every key, in any letter case, and the player's values.
    ExpectReadsAs(package, expected);
    const ShowPackage read = ReadShowPackage(package);
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.join(' ').toStdString();
    ASSERT_EQ(read.slides.size(), size_t(slides.size()));
    for (const ShowSlide &slide : read.slides)
        EXPECT_TRUE(slide.problems.isEmpty()) << slide.problems.join(' ').toStdString();

    // vistrano-cli: the listing of every key, and the values of the last
    // slide, the count and one more.
    QByteArray listing;
    for (const auto &[key, value] : expected.sections)
        listing += key + '\t' + QByteArray::number(value.size()) + '\n';
    EXPECT_EQ(Cli({"sections", show}), listing);
    const QByteArray last = QByteArray::number(slides.size());
    const QList<QByteArray> keys = {"dur" + last, "TRAN" + last, "cap" + last, "jpg" + last, "imagecount",
                                    expected.sections[random() % expected.sections.size()].first};
    for (const QByteArray &key : keys) {
        const auto section = std::find_if(expected.sections.begin(), expected.sections.end(),
                                          [&](const auto &s) { return s.first == key.toUpper(); });
        ASSERT_NE(section, expected.sections.end()) << key.toStdString();
        EXPECT_EQ(Cli({"sections", show, QString::fromLatin1(key)}), section->second) << key.toStdString();
    }

    // The player: no slide damaged, every slide's own values.
    const QString frames = folder.Path("frames");
    QByteArray out;
    QByteArray err;
    ASSERT_EQ(RunProgram(show, {"--frames", frames}, &out, &err), 0) << err.toStdString();
    for (const QByteArray &line : err.split('\n'))
        EXPECT_FALSE(line.startsWith("The ")) << line.toStdString();
    EXPECT_EQ(QDir(frames).entryList(QDir::Files).size(), 2 * slides.size());
    const QList<QByteArray> lines = out.split('\n');
    ASSERT_EQ(lines.size(), slides.size() + 1); // the last line ends with a line break
    for (int n = 1; n <= slides.size(); ++n) {
        const BuildSlide &slide = slides[n - 1];
        const QList<QByteArray> fields = lines[n - 1].split('\t');
        ASSERT_GE(fields.size(), 4) << lines[n - 1].toStdString();
        EXPECT_EQ(fields[0].toInt(), n);
        EXPECT_EQ(fields[1].toDouble(), slide.AbLeft) << "slide " << n;
        EXPECT_EQ(fields[2].toInt(), int(slide.AbTop)) << "slide " << n;
        EXPECT_EQ(QString::fromUtf8(lines[n - 1].mid(fields[0].size() + fields[1].size() + fields[2].size() + 3)),
                  slide.Caption)
            << "slide " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shows, BuiltShow,
    ::testing::Values(
        // 14 slides at the default 4 seconds: "SO!#DUR1" "4.00" reads like
        // the start of "DUR14".
        ShowRow{"FourteenSlidesAtTheDefaultDuration", 14, 14, {640, 480}, true},
        // "SO!#CAP1" "2 figs..." reads like the start of "CAP12".
        ShowRow{"TwelveSlidesWhoseFirstCaptionStartsWithADigit", 12, 12, {640, 480}, true, "2 figs on a red plate"},
        ShowRow{"OneSlide", 1, 1, {640, 480}}, ShowRow{"ThreeHundredSlides", 300, 300, {160, 120}},
        ShowRow{"RandomCount", 0, 7, {160, 120}}),
    [](const ::testing::TestParamInfo<ShowRow> &info) { return std::string(info.param.name); });
