#include "tests/slides/StripTestSupport.h"

#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "show/ShowPackage.h"
#include "show/SlideshowCommand.h"
#include "slides/ProjSettings.h"
#include "project/ProjectState.h"
#include "shell/Settings.h"
#include "show/PlayPackages.h"
#include "show/PlayShowCommand.h"
#include "slides/ProjectCommands.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"
#include "slides/UpDown.h"
#include "video/ExportVideoDialog.h"
#include "video/VideoExportCommand.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QFileDialog>
#include <QMenu>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

struct SlideValues
{
    QString file;
    QString caption;
    int rotation;
    double duration;
    double transition;
    int left;
    int width;
    QSize picture;
    bool operator==(const SlideValues &) const = default;
};

void PrintTo(const SlideValues &v, std::ostream *out)
{
    *out << v.file.toStdString() << " '" << v.caption.toStdString() << "' r" << v.rotation << " d" << v.duration
         << " t" << v.transition << " at " << v.left << " w" << v.width;
}

class FileCommandsTest : public StripTest
{
protected:
    void MakeShow()
    {
        WritePicture(pictures.Path("a.jpg"), {640, 480}, Qt::red);
        WritePicture(pictures.Path("b.jpg"), {480, 640}, Qt::green);
        WritePicture(pictures.Path("c.png"), {300, 300}, Qt::blue);
        DropFiles({"a.jpg", "b.jpg", "c.png"});
        ASSERT_EQ(strip->SlideCount(), 3);
        // Edited, turned and put in another order than they were made in.
        QList<TRectBox *> slides = SlidesInOrder();
        slides[0]->SetCaption("Red");
        slides[0]->SetAbLeft(7);
        slides[1]->SetAbTop(5);
        slides[2]->SetFocus(true);
        strip->RotateRight1->trigger();
        slides[2]->SetLeft(0);
        strip->LayoutSlides();
    }
    QList<SlideValues> Values() const
    {
        QList<SlideValues> values;
        for (TRectBox *box : SlidesInOrder())
            values.append({QFileInfo(box->FileName()).fileName(), box->Caption(), box->Rotation(), box->AbLeft(),
                           box->AbTop(), box->Left(), box->Width(), box->Picture().size()});
        return values;
    }
    TProjectCommands *Commands() const { return window->ProjectCommands(); }
};

} // namespace

TEST_F(FileCommandsTest, SaveAsThenOpenGivesTheSameSlides)
{
    QAction *saveAs = window->findChild<QAction *>("Save2");
    saveAs->trigger();
    EXPECT_EQ(messages, QStringList({"There are no images to save!"}));
    messages.clear();

    MakeShow();
    const QList<SlideValues> before = Values();
    ASSERT_EQ(before[0].file, "c.png");
    EXPECT_EQ(before[0].rotation, 90);
    const QString audio = pictures.Path("music.mp3");
    settings->SetAudioFile(audio);
    EXPECT_EQ(Commands()->SaveDialog1->nameFilters(), QStringList({"Vistrano files (*.vsw)"}));
    EXPECT_EQ(Commands()->SaveDialog1->defaultSuffix(), "vsw");
    const QString project = config.Path("show.vsw");
    ChooseInNextFileDialog(project);
    saveAs->trigger();
    ASSERT_TRUE(QFileInfo::exists(project));
    EXPECT_TRUE(messages.isEmpty());
    // The records are in the order the strip shows.
    const OpenedProject saved = OpenProject(project);
    ASSERT_TRUE(saved.Complete());
    ASSERT_EQ(saved.slides.size(), 3u);
    EXPECT_EQ(QFileInfo(saved.slides[0]->FileName()).fileName(), "c.png");
    EXPECT_EQ(QFileInfo(saved.slides[1]->FileName()).fileName(), "a.jpg");

    // New empties the strip and the audio file, then shows the settings.
    bool settingsShown = false;
    OnNextModal([&](QWidget *dialog) {
        settingsShown = dialog == settings;
        settings->close();
    });
    window->findChild<QAction *>("New1")->trigger();
    EXPECT_TRUE(settingsShown);
    EXPECT_EQ(strip->SlideCount(), 0);
    EXPECT_EQ(settings->AudioFile(), "");
    EXPECT_EQ(SlideCountText(), "Slide count: 0");

    ChooseInNextFileDialog(project);
    window->findChild<QAction *>("Open1")->trigger();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(settings->AudioFile(), audio);
    EXPECT_EQ(SlideCountText(), "Slide count: 3");
    for (TRectBox *box : strip->Slides()) {
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->geometry(), QRect(box->Left(), box->Top(), box->Width(), box->Height()));
    }

    // The opened slides work as dropped ones do.
    TRectBox *first = SlidesInOrder()[0];
    QTest::mouseMove(first, {30, 50});
    QTest::mouseClick(first, Qt::LeftButton, {}, {30, 50});
    EXPECT_EQ(window->CurrentSlide(), first);
    strip->RotateLeft1->trigger();
    EXPECT_EQ(first->Rotation(), 0);
    EXPECT_EQ(first->Width(), 100);

    // Opening again (the turn is discarded) adds the file's slides behind
    // those there: every slide visible, the opened ones in their saved order.
    AnswerSaveChanges("Discard", [&] { ChooseInNextFileDialog(project); });
    window->findChild<QAction *>("Open1")->trigger();
    EXPECT_EQ(strip->SlideCount(), 6);
    EXPECT_EQ(SlideCountText(), "Slide count: 6");
    QStringList names;
    int right = 0;
    for (TRectBox *box : SlidesInOrder()) {
        names << QFileInfo(box->FileName()).fileName();
        EXPECT_EQ(box->geometry(), QRect(right + 10, 10, box->Width(), 100));
        EXPECT_TRUE(box->isVisible());
        right = box->Left() + box->Width();
    }
    EXPECT_EQ(names, QStringList({"c.png", "a.jpg", "b.jpg", "c.png", "a.jpg", "b.jpg"}));
    // The strip holds more than the opened file now.
    EXPECT_EQ(Commands()->State()->FileName(), project);
    EXPECT_TRUE(Commands()->State()->IsModified());
    // Each dialog remembers its own name.
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, Commands()->SaveDialog1);
        EXPECT_EQ(Commands()->SaveDialog1->selectedFiles().value(0), project);
        static_cast<QFileDialog *>(dialog)->reject();
    });
    saveAs->trigger();
}

TEST_F(FileCommandsTest, AProjectThatBreaksOffKeepsWhatWasRead)
{
    MakeShow();
    settings->SetAudioFile(pictures.Path("music.mp3"));
    const QString project = config.Path("show.vsw");
    Commands()->SaveProjectFile(project);
    QFile file(project);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 size = file.size();
    // The third record loses its end.
    ASSERT_TRUE(file.resize(size - 100));
    file.close();
    settings->SetAudioFile("");

    strip->DestroySlides();
    ChooseInNextFileDialog(project);
    window->findChild<QAction *>("Open1")->trigger();
    EXPECT_EQ(strip->SlideCount(), 2);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(SlideCountText(), "Slide count: 2");

    EXPECT_EQ(settings->AudioFile(), pictures.Path("music.mp3"));

    // A file that cannot be read changes nothing.
    settings->SetAudioFile("kept.wav");
    EXPECT_THROW(Commands()->OpenProjectFile(config.Path("gone.vsw")), VistranoError);
    EXPECT_EQ(strip->SlideCount(), 2);
    EXPECT_EQ(settings->AudioFile(), "kept.wav");
}

TEST_F(FileCommandsTest, CreateSlideshowBuildsAShowThePlayerReads)
{
    QAction *create = window->findChild<QAction *>("CreateSlideshow1");
    create->trigger();
    EXPECT_EQ(messages, QStringList({"You need to add some slides first!"}));
    messages.clear();

    EXPECT_EQ(options->windowTitle(), "Vistrano Options");
    // Seven sizes in two columns: taller than the classic dialog, and as
    // wide as "1080 X 1920 (portrait)" needs.
    EXPECT_EQ(options->height(), 326);
    EXPECT_GE(options->width(), 320);
    const QWidget *portrait = options->findChild<QWidget *>("rgScreenSizeItem6");
    ASSERT_TRUE(portrait);
    EXPECT_LE(portrait->geometry().right(), options->rgScreenSize->contentsRect().right());
    EXPECT_EQ(options->rgScreenSize->title(), " Optimize for ");
    EXPECT_EQ(options->ScreenSizeIndex(), 2);
    EXPECT_EQ(options->tbCompression->minimum(), 0);
    EXPECT_EQ(options->tbCompression->maximum(), 60);
    EXPECT_EQ(options->tbCompression->value(), 10);
    EXPECT_EQ(options->Quality(), 90);
    EXPECT_EQ(options->Label2->text(), "Compression");
    EXPECT_EQ(options->Label3->text(), "Min");
    EXPECT_EQ(options->Label4->text(), "Max");
    QStringList sizes;
    for (QRadioButton *item : options->rgScreenSize->findChildren<QRadioButton *>())
        sizes << item->text();
    EXPECT_EQ(sizes, QStringList({"640 X 480", "800 X 600", "1024 X 768", "1280 X 1024", "1280 X 720", "1920 X 1080",
                                  "1080 X 1920 (portrait)"}));
    QFileDialog *saveShow = window->SlideshowCommand()->SaveDialog2;
    EXPECT_EQ(saveShow->nameFilters(), QStringList({"Vistrano Slideshow File (*.exe)"}));

    MakeShow();
    const QString audio = pictures.Write("music.wav", QByteArray("RIFF----WAVE", 12));
    settings->SetAudioFile(audio);
    // Cancelling the options builds nothing.
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, options);
        EXPECT_EQ(options->Label1->text(), "Number Of Slides : 3");
        options->BitBtn2->click();
    });
    create->trigger();
    EXPECT_FALSE(window->SlideshowCommand()->Running());

    const QString show = config.Path("MyShow1.exe");
    QSignalSpy finished(window->SlideshowCommand(), &TSlideshowCommand::BuildFinished);
    OnNextModal([&](QWidget *) {
        options->findChild<QRadioButton *>("rgScreenSizeItem1")->click();
        EXPECT_EQ(options->OutputWidth(), 800);
        EXPECT_EQ(options->OutputHeight(), 600);
        options->tbCompression->setValue(20);
        OnNextModal([&](QWidget *dialog) {
            // The show's file dialog offers the last name, at first MyShow1.exe.
            EXPECT_EQ(QFileInfo(saveShow->selectedFiles().value(0)).fileName(), "MyShow1.exe");
            ChooseFile(static_cast<QFileDialog *>(dialog), show);
        });
        options->BitBtn1->click();
    });
    create->trigger();
    EXPECT_TRUE(window->SlideshowCommand()->Running());
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::BuildingShow);
    // While it builds the strip keeps its slides.
    window->findChild<QAction *>("New1")->trigger();
    EXPECT_EQ(strip->SlideCount(), 3);
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 1; }, 120000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(messages, QStringList({"Please wait until the slideshow is built."}));
    EXPECT_EQ(window->StatusBar()->PanelText(TStatusBar::FilesPanel), "Done!");
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);

    const QByteArray bytes = ReadFileBytes(show);
    const ShowPackage package = ReadShowPackage(bytes);
    EXPECT_TRUE(package.hasSections);
    EXPECT_TRUE(package.problems.isEmpty()) << package.problems.join("; ").toStdString();
    EXPECT_EQ(package.screenSize, QSize(800, 600));
    EXPECT_EQ(package.audioExtension, ".wav");
    EXPECT_EQ(package.audio.size(), 12);
    ASSERT_EQ(package.slides.size(), 3u);
    // In the order of the strip: the turned square, the red one, the green one.
    QImage first = QImage::fromData(package.slides[0].jpeg.toByteArray(), "JPG");
    QImage second = QImage::fromData(package.slides[1].jpeg.toByteArray(), "JPG");
    QImage third = QImage::fromData(package.slides[2].jpeg.toByteArray(), "JPG");
    EXPECT_EQ(first.size(), QSize(600, 600));
    EXPECT_EQ(second.size(), QSize(800, 600));
    EXPECT_EQ(third.size(), QSize(450, 600));
    EXPECT_GT(second.pixelColor(400, 400).red(), 200);
    EXPECT_GT(third.pixelColor(200, 400).green(), 200);
    EXPECT_EQ(package.slides[1].caption, "Red");
    EXPECT_EQ(package.slides[1].duration, 7);
    EXPECT_EQ(package.slides[2].transition, 5);
    EXPECT_EQ(package.slides[0].duration, 4);

    // A picture that is gone stops the build with its report; the window
    // is free again.
    QFile::remove(pictures.Path("b.jpg"));
    const QString broken = config.Path("broken.exe");
    OnNextModal([&](QWidget *) {
        ChooseInNextFileDialog(broken);
        options->BitBtn1->click();
    });
    messages.clear();
    create->trigger();
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 2; }, 120000));
    EXPECT_FALSE(finished.at(1).at(0).toBool());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);
    // The show is built beside its file, which it takes only when complete.
    EXPECT_FALSE(QFileInfo::exists(broken));
    EXPECT_TRUE(QDir(config.Root()).entryList({".broken.exe.*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(FileCommandsTest, ClosingTheWindowStopsARunningBuild)
{
    MakeShow();
    const QString show = config.Path("show.exe");
    // The build is held at its first report, with the player copied into
    // its file beside the show, until the window stops it: the report
    // throws then.
    auto held = std::make_shared<std::atomic<bool>>(false);
    window->SlideshowCommand()->SetBuildFunction([held](const QString &path, const QList<BuildSlide> &slides,
                                                        const BuildOptions &options, const BuildProgressCallback &progress) {
        BuildSlideshow(path, slides, options, [&](const BuildProgress &report) {
            progress(report);
            *held = true;
            for (;;) {
                progress({});
                QThread::msleep(1);
            }
        });
    });
    window->SlideshowCommand()->Build(show);
    ASSERT_TRUE(WaitFor([&] { return held->load(); }));
    EXPECT_TRUE(window->SlideshowCommand()->Running());
    EXPECT_EQ(QDir(config.Root()).entryList({".show.exe.*"}, QDir::Files | QDir::Hidden).size(), 1);
    AnswerSaveChanges("Discard");
    window->close();
    EXPECT_FALSE(window->SlideshowCommand()->Running());
    EXPECT_EQ(strip->SlideCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(messages.isEmpty());
    // A build that stops leaves no show and no half-built file.
    EXPECT_FALSE(QFileInfo::exists(show));
    EXPECT_TRUE(QDir(config.Root()).entryList({".show.exe.*"}, QDir::Files | QDir::Hidden).isEmpty());
}

namespace {

enum class Command { New, Open, Close };

struct PromptCase
{
    const char *name;
    Command command;
    const char *answer;
};

void PrintTo(const PromptCase &row, std::ostream *out)
{
    *out << row.name;
}

class SaveChangesTest : public FileCommandsTest, public ::testing::WithParamInterface<PromptCase>
{
};

} // namespace

TEST_P(SaveChangesTest, NewOpenAndClosingAskBeforeChangesAreLost)
{
    const PromptCase &row = GetParam();
    const QString answer = row.answer;
    WritePicture(pictures.Path("a.jpg"), {640, 480});
    WritePicture(pictures.Path("b.jpg"), {480, 640});
    DropFiles({"a.jpg", "b.jpg"});
    const QString other = config.Path("other.vsw");
    const QString project = config.Path("show.vsw");
    Commands()->SaveProjectFile(other);
    Commands()->SaveProjectFile(project);
    ASSERT_FALSE(Commands()->State()->IsModified());
    SlidesInOrder()[0]->SetCaption("changed");
    ASSERT_TRUE(Commands()->State()->IsModified());

    AnswerSaveChanges(answer, [&] {
        if (answer == "Cancel")
            return;
        if (row.command == Command::New)
            OnNextModal([&](QWidget *dialog) {
                EXPECT_EQ(dialog, settings);
                settings->close();
            });
        if (row.command == Command::Open)
            ChooseInNextFileDialog(other);
    });
    switch (row.command) {
    case Command::New:
        window->findChild<QAction *>("New1")->trigger();
        break;
    case Command::Open:
        window->findChild<QAction *>("Open1")->trigger();
        break;
    case Command::Close:
        window->close();
        break;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    const OpenedProject saved = OpenProject(project);
    ASSERT_EQ(saved.slides.size(), 2u);
    EXPECT_EQ(saved.slides[0]->Caption(), answer == "Save" ? "changed" : "");
    const int slides = answer == "Cancel"                  ? 2
                       : row.command == Command::Open ? 4
                                                           : 0;
    EXPECT_EQ(strip->SlideCount(), slides);
    EXPECT_EQ(window->isVisible(), answer == "Cancel" || row.command != Command::Close);
    if (answer == "Cancel") {
        EXPECT_TRUE(Commands()->State()->IsModified());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveChangesTest,
                         ::testing::Values(PromptCase{"NewSave", Command::New, "Save"},
                                           PromptCase{"NewDiscard", Command::New, "Discard"},
                                           PromptCase{"NewCancel", Command::New, "Cancel"},
                                           PromptCase{"OpenSave", Command::Open, "Save"},
                                           PromptCase{"OpenDiscard", Command::Open, "Discard"},
                                           PromptCase{"OpenCancel", Command::Open, "Cancel"},
                                           PromptCase{"CloseSave", Command::Close, "Save"},
                                           PromptCase{"CloseDiscard", Command::Close, "Discard"},
                                           PromptCase{"CloseCancel", Command::Close, "Cancel"}),
                         [](const ::testing::TestParamInfo<PromptCase> &info) { return info.param.name; });

TEST_F(FileCommandsTest, TheTitleAndRecentProjectsFollowTheProject)
{
    const QString program = "Vistrano by Halvenor Software";
    auto titleBecomes = [&](const QString &title) {
        return WaitFor([&] { return window->windowTitle() == title; }, 5000);
    };
    EXPECT_EQ(window->windowTitle(), program);
    WritePicture(pictures.Path("a.jpg"), {640, 480});
    WritePicture(pictures.Path("b.jpg"), {480, 640});
    DropFiles({"a.jpg", "b.jpg"});
    EXPECT_TRUE(titleBecomes("Untitled* - " + program)) << window->windowTitle().toStdString();

    // Save asks for a file when the project has none.
    const QString holiday = config.Path("holiday.vsw");
    ChooseInNextFileDialog(holiday);
    window->findChild<QAction *>("Save1")->trigger();
    ASSERT_TRUE(QFileInfo::exists(holiday));
    EXPECT_TRUE(titleBecomes("holiday.vsw - " + program));

    // Every kind of change marks the project; undoing it takes the mark away.
    TRectBox *first = SlidesInOrder()[0];
    first->SetFocus(true);
    const int width = first->Width();
    struct Change
    {
        const char *what;
        std::function<void()> make, undo;
    };
    const QList<Change> changes{
        {"rotate", [&] { strip->RotateRight1->trigger(); }, [&] { strip->RotateLeft1->trigger(); }},
        {"move", [&] { strip->MoveCurrentSlide(1); }, [&] { strip->MoveCurrentSlide(-1); }},
        {"resize", [&] { first->SetWidth(width + 20); }, [&] { first->SetWidth(width); }},
        {"edit", [&] { first->SetCaption("x"); }, [&] { first->SetCaption(""); }},
        {"duration", [&] { first->SetAbLeft(9); }, [&] { first->SetAbLeft(4); }},
        {"audio", [&] { settings->txtBGAudioFile->setText("a.wav"); }, [&] { settings->txtBGAudioFile->setText(""); }},
        {"apply to all", [&] { settings->udDuration->SetPosition(7); settings->BitBtn3->click(); },
         [&] { settings->udDuration->SetPosition(4); settings->BitBtn3->click(); }},
    };
    for (const Change &change : changes) {
        change.make();
        EXPECT_TRUE(titleBecomes("holiday.vsw* - " + program)) << change.what;
        change.undo();
        EXPECT_TRUE(titleBecomes("holiday.vsw - " + program)) << change.what;
    }
    EXPECT_EQ(window->StatusBar()->PanelText(TStatusBar::ThumbnailsPanel), "2 of 2 slides changed");

    // Save writes to the project's own file, without a dialog.
    strip->DeleteCurrentSlide();
    EXPECT_TRUE(titleBecomes("holiday.vsw* - " + program));
    window->findChild<QAction *>("Save1")->trigger();
    EXPECT_TRUE(titleBecomes("holiday.vsw - " + program));
    EXPECT_EQ(OpenProject(holiday).slides.size(), 1u);
    // Nothing changed since: New asks nothing.
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, settings);
        settings->close();
    });
    window->findChild<QAction *>("New1")->trigger();
    EXPECT_TRUE(titleBecomes(program));

    // The projects saved and opened, the latest first, kept in the settings;
    // one that is gone leaves the list with a message.
    const QString other = config.Path("other.vsw");
    QFile::copy(holiday, other);
    ChooseInNextFileDialog(other);
    window->findChild<QAction *>("Open1")->trigger();
    QMenu *recent = window->findChild<QMenu *>("RecentProjects1");
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), "&1 other.vsw");
    EXPECT_EQ(recent->actions()[1]->text(), "&2 holiday.vsw");
    EXPECT_EQ(ReadSettingValue(SettingsKey(), "RecentProjects").toStringList(), QStringList({other, holiday}));
    QFile::remove(holiday);
    recent->actions()[1]->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("holiday.vsw")) << messages[0].toStdString();
    ASSERT_EQ(recent->actions().size(), 1);
    recent->actions()[0]->trigger();
    EXPECT_EQ(strip->SlideCount(), 2);
}

TEST_F(FileCommandsTest, PlayShowPlaysTheStripAndDeletesItsPackage)
{
    QAction *play = window->findChild<QAction *>("PlayShow1");
    play->trigger();
    EXPECT_EQ(messages, QStringList({"You need to add some slides first!"}));
    messages.clear();

    MakeShow();
    TPlayShowCommand *command = window->PlayShowCommand();
    // A package left behind by a program that ended without deleting it.
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = PlayPackageFolder();
    const QString stale = QDir(folder).filePath("show-999999999-1.exe");
    QFile(stale).open(QIODevice::WriteOnly);
    // The player writes its frames and ends instead of playing on the screen.
    TestFolder frames;
    command->SetPlayerArguments({"--frames", frames.Root()});
    QSignalSpy ended(command, &TPlayShowCommand::ShowEnded);
    play->trigger();
    EXPECT_FALSE(QFileInfo::exists(stale));
    ASSERT_TRUE(WaitFor([&] { return ended.count() == 1; }, 120000));
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    EXPECT_EQ(command->PackageFolder(), folder);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
    EXPECT_GE(QDir(frames.Root()).entryList({"*.png"}, QDir::Files).size(), 3);
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);
    EXPECT_EQ(command->ShowsPlaying(), 0);
}

TEST_F(FileCommandsTest, ExportVideoFromTheWindow)
{
    QAction *exportVideo = window->findChild<QAction *>("ExportVideo1");
    ASSERT_TRUE(exportVideo);
    EXPECT_EQ(exportVideo->text(), "Export Video...");
    exportVideo->trigger();
    EXPECT_EQ(messages, QStringList({"You need to add some slides first!"}));
    messages.clear();

    MakeShow();
    TVideoExportCommand *command = window->VideoExportCommand();
    QSignalSpy finished(command, &TVideoExportCommand::ExportFinished);
    // The dialog proposes the project's name in its folder; cancelled, it
    // exports nothing.
    const QString project = config.Path("holiday.vsw");
    Commands()->SaveProjectFile(project);
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, videoOptions);
        EXPECT_EQ(videoOptions->windowTitle(), "Export Video");
        EXPECT_EQ(videoOptions->Label1->text(), "Number Of Slides : 3, length 0:15");
        EXPECT_EQ(videoOptions->cbSize->currentText(), "1920 X 1080");
        EXPECT_EQ(videoOptions->cbFrameRate->currentText(), "30 frames a second");
        EXPECT_EQ(videoOptions->lblSmaller->text(), "Smaller file");
        EXPECT_EQ(videoOptions->lblBetter->text(), "Better picture");
        EXPECT_EQ(videoOptions->Options().crf, 20);
        EXPECT_EQ(videoOptions->FileName(), config.Path("holiday.mp4"));
        videoOptions->BitBtn2->click();
    });
    exportVideo->trigger();
    EXPECT_FALSE(command->Running());

    const QString video = config.Path("trip.mp4");
    OnNextModal([&](QWidget *) {
        videoOptions->cbSize->setCurrentText("640 X 480");
        videoOptions->txtFileName->setText("trip");
        videoOptions->BitBtn1->click();
    });
    exportVideo->trigger();
    EXPECT_TRUE(command->Running());
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::ExportingVideo);
    EXPECT_TRUE(command->btnCancelExport->isVisible());
    // While it runs the strip keeps its slides.
    window->findChild<QAction *>("New1")->trigger();
    EXPECT_EQ(strip->SlideCount(), 3);
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 1; }, 120000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(messages, QStringList({"Please wait until the video is exported."}));
    EXPECT_EQ(window->StatusBar()->PanelText(TStatusBar::FilesPanel), "Done!");
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);
    EXPECT_FALSE(command->btnCancelExport->isVisible());
    const QByteArray made = ReadFileBytes(video);
    EXPECT_TRUE(made.mid(4, 4) == "ftyp");

    // Again to the same file (agreeing to replace it), cancelled at once:
    // the video made before stays, and no partial file is left.
    OnNextModal([&](QWidget *) {
        OnNextModal([&](QWidget *question) {
            auto *box = qobject_cast<QMessageBox *>(question);
            ASSERT_NE(box, nullptr) << question->metaObject()->className();
            box->button(QMessageBox::Yes)->click();
        });
        videoOptions->BitBtn1->click();
    });
    exportVideo->trigger();
    ASSERT_TRUE(command->Running());
    command->btnCancelExport->click();
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 2; }, 120000));
    EXPECT_FALSE(finished.at(1).at(0).toBool());
    EXPECT_EQ(window->StatusBar()->PanelText(TStatusBar::FilesPanel), "The video export was cancelled.");
    EXPECT_EQ(ReadFileBytes(video), made);
    EXPECT_EQ(QDir(config.Root()).entryList({".trip.mp4.*"}, QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(messages.size(), 1);
}
