#include "common/FileNames.h"
#include "project/ProjectFile.h"
#include "project/RectBoxStream.h"
#include "tests/project/ProjectTestSupport.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

std::vector<std::unique_ptr<RectBoxProperties>> ThreeSlides()
{
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    for (int i = 0; i < 3; ++i) {
        auto box = std::make_unique<RectBoxProperties>();
        MakeDroppedSlide(*box, 4 + i, i);
        box->SetLeft(10 + 143 * i);
        box->SetCaption(QStringLiteral("Slide %1").arg(i + 1));
        slides.push_back(std::move(box));
    }
    return slides;
}

std::vector<const RectBoxProperties *> View(const std::vector<std::unique_ptr<RectBoxProperties>> &slides)
{
    std::vector<const RectBoxProperties *> view;
    for (const auto &slide : slides)
        view.push_back(slide.get());
    return view;
}

OpenedProject ReadBytes(const QByteArray &bytes)
{
    return ReadProject({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())});
}

} // namespace

TEST(ProjectFile, HeaderAndRecordsBackToBack)
{
    const auto slides = ThreeSlides();
    const QString audio = QString::fromUtf8("/music/Sommer – 1.mp3");
    const QByteArray bytes = ProjectBytes(View(slides), audio);
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("0100000003000000"));
    const QByteArray audioBytes = audio.toUtf8();
    EXPECT_EQ(bytes.mid(8, audioBytes.size()), audioBytes);
    EXPECT_EQ(bytes.mid(8 + audioBytes.size(), 512 - audioBytes.size()), QByteArray(512 - audioBytes.size(), '\0'));
    EXPECT_EQ(bytes.mid(520, 1024), QByteArray(1024, '\0'));
    EXPECT_EQ(bytes.mid(1544), RectBoxRecord(*slides[0]) + RectBoxRecord(*slides[1]) + RectBoxRecord(*slides[2]));

    const OpenedProject project = ReadBytes(bytes);
    EXPECT_TRUE(project.Complete());
    EXPECT_EQ(project.header.version, 1);
    EXPECT_EQ(project.header.slideCount, 3);
    EXPECT_EQ(project.header.audioPath, audio);
    ASSERT_EQ(project.slides.size(), 3u);
    EXPECT_EQ(project.slides[2]->Caption(), QStringLiteral("Slide 3"));
    EXPECT_EQ(project.slides[2]->AbLeft(), 6.0);
    EXPECT_EQ(project.slides[2]->AbTop(), 2.0);
    EXPECT_EQ(project.slides[0]->AbTop(), 0.0);
    EXPECT_EQ(project.slides[1]->Left(), 153);
}

TEST(ProjectFile, SavedOpenedAndSavedAgainGivesTheSameBytes)
{
    TestFolder folder;
    const QString path = folder.Path(QStringLiteral("show.vsw"));
    const auto slides = ThreeSlides();
    SaveProject(path, View(slides), QStringLiteral("/music/a.wav"));
    const QByteArray first = ReadFileBytes(path);

    OpenedProject project = OpenProject(path);
    ASSERT_TRUE(project.Complete()) << project.error.toStdString();
    const QString again = folder.Path(QStringLiteral("again.vsw"));
    SaveProject(again, View(project.slides), project.header.audioPath);
    EXPECT_TRUE(ReadFileBytes(again) == first);
}

TEST(ProjectFile, AudioPathLimits)
{
    const auto slides = ThreeSlides();
    const QString longest(511, QLatin1Char('a'));
    const QByteArray bytes = ProjectBytes(View(slides), longest);
    EXPECT_EQ(bytes.mid(8, 511), QByteArray(511, 'a'));
    EXPECT_EQ(bytes.at(519), '\0');
    EXPECT_EQ(ReadBytes(bytes).header.audioPath, longest);
    EXPECT_EQ(ProjectBytes(View(slides), QString()).mid(8, 512), QByteArray(512, '\0'));

    // A path the field cannot hold is refused and nothing is written.
    TestFolder folder;
    const QString path = folder.Path(QStringLiteral("long.vsw"));
    const QString message = ErrorOf([&] { SaveProject(path, View(slides), QString(512, QLatin1Char('a'))); });
    EXPECT_TRUE(message.contains(QStringLiteral("511"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(ErrorOf([&] { SaveProject(path, {}, QString()); }), QStringLiteral("There are no images to save!"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ProjectFile, AFailedSaveLeavesTheOldProject)
{
    TestFolder folder;
    const QString path = folder.Path(QStringLiteral("keep.vsw"));
    const auto slides = ThreeSlides();
    SaveProject(path, View(slides), QString());
    const QByteArray before = ReadFileBytes(path);
    EXPECT_FALSE(ErrorOf([&] { SaveProject(path, View(slides), QString(600, QLatin1Char('x'))); }).isEmpty());
    EXPECT_TRUE(ReadFileBytes(path) == before);

    // A folder that cannot be written to: the file cannot be created, and
    // the message gives the system's reason.
    const QString missing = folder.Path(QStringLiteral("no/such/folder/x.vsw"));
    EXPECT_EQ(ErrorOf([&] { SaveProject(missing, View(slides), QString()); }),
              QStringLiteral("Cannot create file %1: No such file or directory").arg(missing));
    const QString longName = folder.Path(QString(256, QLatin1Char('n')) + QStringLiteral(".vsw"));
    EXPECT_EQ(ErrorOf([&] { SaveProject(longName, View(slides), QString()); }),
              QStringLiteral("Cannot create file %1: File name too long").arg(longName));
    // A file name that is not text cannot be stored as one.
    slides[1]->SetFileName(DecodeFileName("/photos/bad-\xE9.png"));
    EXPECT_TRUE(ErrorOf([&] { SaveProject(path, View(slides), QString()); }).contains(QLatin1String("not valid text")));
    EXPECT_TRUE(ReadFileBytes(path) == before);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files), QStringList{QStringLiteral("keep.vsw")});
}

TEST(ProjectFile, AReadOnlyProjectOpens)
{
    TestFolder folder;
    const QString path = folder.Path(QStringLiteral("locked.vsw"));
    const auto slides = ThreeSlides();
    SaveProject(path, View(slides), QString());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const OpenedProject project = OpenProject(path);
    EXPECT_TRUE(project.Complete());
    EXPECT_EQ(project.slides.size(), 3u);
    const QString missing = folder.Path(QStringLiteral("missing.vsw"));
    EXPECT_EQ(ErrorOf([&] { OpenProject(missing); }), QStringLiteral("Cannot open file %1").arg(missing));
}

TEST(ProjectFile, AFailingRecordKeepsTheSlidesBeforeIt)
{
    const auto slides = ThreeSlides();
    QByteArray bytes = ProjectBytes(View(slides), QStringLiteral("/a.mp3"));
    // Claim five slides: the fourth is missing.
    bytes[4] = 5;
    OpenedProject project = ReadBytes(bytes);
    EXPECT_EQ(project.error, QStringLiteral("Stream read error"));
    EXPECT_EQ(project.slides.size(), 3u);
    EXPECT_EQ(project.header.audioPath, QStringLiteral("/a.mp3"));

    // A damaged second record: the first stays, the others go.
    bytes[4] = 3;
    const qsizetype second = 1544 + RectBoxRecord(*slides[0]).size();
    bytes[second + 3] = 'X';
    project = ReadBytes(bytes);
    EXPECT_EQ(project.error, QStringLiteral("Invalid stream format"));
    ASSERT_EQ(project.slides.size(), 1u);
    EXPECT_EQ(project.slides[0]->Caption(), QStringLiteral("Slide 1"));

    // An unknown property.
    QByteArray unknown = bytes.left(1544) + QByteArray("TPF0") + Short("TRectBox") + Short("")
                         + Entry("Sound", Int8(1)) + QByteArray(2, '\0');
    unknown[4] = 1;
    EXPECT_EQ(ReadBytes(unknown).error, QStringLiteral("Error reading TRectBox.Sound: Property Sound does not exist"));
}

TEST(ProjectFile, HeaderEdgeCases)
{
    const auto slides = ThreeSlides();
    QByteArray bytes = ProjectBytes(View(slides), QStringLiteral("/x.wav"));
    // Version 2 loads like version 1; a count of 0 or less loads no slides.
    bytes[0] = 2;
    EXPECT_EQ(ReadBytes(bytes).slides.size(), 3u);
    bytes[4] = 0;
    OpenedProject none = ReadBytes(bytes);
    EXPECT_TRUE(none.Complete());
    EXPECT_TRUE(none.slides.empty());
    EXPECT_EQ(none.header.audioPath, QStringLiteral("/x.wav"));
    bytes[7] = char(0x80);
    EXPECT_TRUE(ReadBytes(bytes).slides.empty());
    // A file shorter than its header is refused before anything is taken from it.
    EXPECT_EQ(ErrorOf([&] { ReadBytes(bytes.left(1543)); }), QStringLiteral("Stream read error"));
    // An audio path written on Windows in its own code page.
    QByteArray windows = bytes;
    windows.replace(8, 6, QByteArray("/\xE9t\xE9\0", 5) + '\0');
    EXPECT_EQ(ReadBytes(windows).header.audioPath, QString::fromUtf8("/été"));
}

TEST(ProjectFile, OpenedSlidesAreMadeByTheFactoryAndMayNameEachOther)
{
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    auto a = std::make_unique<RectBoxProperties>();
    a->SetName(QStringLiteral("First"));
    auto b = std::make_unique<RectBoxProperties>();
    b->SetLinkParent(a.get());
    RectBoxProperties existing;
    existing.SetName(QStringLiteral("OnStrip"));
    b->SetLinkChild(&existing);
    slides.push_back(std::move(a));
    slides.push_back(std::move(b));
    const QByteArray bytes = ProjectBytes(View(slides), QString());

    int made = 0;
    RectBoxProperties *onStrip[] = {&existing};
    const OpenedProject project = ReadProject(
        {reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())},
        [&] {
            ++made;
            return std::make_unique<RectBoxProperties>();
        },
        onStrip);
    ASSERT_EQ(project.slides.size(), 2u);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(project.slides[1]->LinkParent(), project.slides[0].get());
    EXPECT_EQ(project.slides[1]->LinkChild(), &existing);
}
