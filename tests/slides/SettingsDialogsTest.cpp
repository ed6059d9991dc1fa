#include "tests/slides/StripTestSupport.h"

#include "common/VistranoError.h"
#include "shell/StatusBar.h"
#include "slides/PathLabel.h"
#include "slides/PictureView.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideProperties.h"
#include "slides/SlideStrip.h"
#include "slides/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QStringList kTransitions{"Cut", "Dissolve", "Wipe From Left", "Wipe From Right", "Wipe From Top",
                               "Wipe From Bottom"};

QStringList Items(QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// The widgets of a row stand left to right without overlapping, each at its
// designed place or, when the text before it needs more room, further right.
void ExpectRow(const QList<QWidget *> &row, const QList<QPoint> &designed)
{
    int right = 0;
    for (int i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i]->y(), designed[i].y()) << row[i]->objectName().toStdString();
        EXPECT_GE(row[i]->x(), designed[i].x()) << row[i]->objectName().toStdString();
        EXPECT_GE(row[i]->x(), right) << row[i]->objectName().toStdString();
        right = row[i]->geometry().right() + 1;
        EXPECT_LE(right, row[i]->parentWidget()->width());
    }
}

class SettingsDialogsTest : public StripTest
{
protected:
    TRectBox *DropOne(const QString &name)
    {
        WritePicture(pictures.Path(name), {1600, 1200});
        DropFiles({name}, 1000);
        for (TRectBox *box : strip->Slides())
            if (box->FileName() == pictures.Path(name))
                return box;
        ADD_FAILURE() << name.toStdString();
        return nullptr;
    }
};

} // namespace

TEST_F(SettingsDialogsTest, ProjectSettingsHoldTheDefaultsAndTheAudioFile)
{
    EXPECT_EQ(settings->windowTitle(), "Project Settings");
    EXPECT_GE(settings->width(), 492);
    EXPECT_EQ(settings->height(), 191);
    EXPECT_EQ(settings->Label1->text(), "Default Slide Duration (seconds)");
    EXPECT_EQ(settings->Label2->text(), "Default Slide Transition");
    EXPECT_EQ(settings->Label3->text(), "Audio file");
    ExpectRow({settings->Label1, settings->txtDuration, settings->udDuration, settings->Label2, settings->cbTransition},
              {{24, 27}, {184, 24}, {225, 24}, {256, 27}, {376, 20}});
    EXPECT_EQ(settings->udDuration->x(), settings->txtDuration->geometry().right() + 1);
    EXPECT_EQ(settings->txtDuration->width(), 41);
    EXPECT_EQ(settings->txtDuration->text(), "4");
    EXPECT_EQ(Items(settings->cbTransition), kTransitions);
    EXPECT_EQ(settings->cbTransition->currentIndex(), 0);
    ExpectRow({settings->txtBGAudioFile, settings->btnSelectFile}, {{24, 76}, {456, 72}});
    EXPECT_EQ(settings->btnSelectFile->size(), QSize(25, 25));
    EXPECT_TRUE(settings->btnSelectFile->text().isEmpty());
    EXPECT_EQ(settings->BitBtn3->text(), "Apply to all current slides");
    EXPECT_GE(settings->BitBtn3->width(), 137);
    ExpectRow({settings->BitBtn1, settings->BitBtn3}, {{0, 150}, {0, 150}});
    ExpectRow({settings->Label4, settings->cbMotion, settings->btnFitAudio}, {{24, 112}, {72, 108}, {256, 108}});
    EXPECT_EQ(Items(settings->cbMotion), QStringList({"None", "Auto"}));
    EXPECT_EQ(settings->DefaultMotion(), SlideMotion::None);
    EXPECT_EQ(settings->btnFitAudio->text(), "Fit durations to the audio");
    EXPECT_TRUE(settings->BitBtn1->isDefault());
    EXPECT_EQ(settings->BD1->nameFilters(), QStringList({"Wave files (*.wav)", "MP3 files (*.mp3)"}));
    EXPECT_EQ(settings->Defaults().duration, 4);
    EXPECT_EQ(settings->Defaults().transition, 0);

    // The arrows stay within 2 to 60, and only numbers within them can be
    // typed: letters and numbers above are refused as they are typed, one
    // below stands until the field is left.
    settings->udDuration->SetPosition(3);
    settings->udDuration->DownButton()->click();
    settings->udDuration->DownButton()->click();
    EXPECT_EQ(settings->txtDuration->text(), "2");
    settings->udDuration->SetPosition(60);
    settings->udDuration->UpButton()->click();
    EXPECT_EQ(settings->udDuration->Position(), 60);
    settings->txtDuration->selectAll();
    QTest::keyClicks(settings->txtDuration, "abc");
    EXPECT_EQ(settings->txtDuration->text(), "60");
    settings->txtDuration->selectAll();
    QTest::keyClicks(settings->txtDuration, "1-99");
    EXPECT_EQ(settings->txtDuration->text(), "19");
    settings->txtDuration->selectAll();
    QTest::keyClicks(settings->txtDuration, "1");
    EXPECT_EQ(settings->udDuration->Position(), 2);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(settings->txtDuration, &leave);
    EXPECT_EQ(settings->txtDuration->text(), "2");
    properties->txtDuration->selectAll();
    QTest::keyClicks(properties->txtDuration, "0");
    QApplication::sendEvent(properties->txtDuration, &leave);
    EXPECT_EQ(properties->txtDuration->text(), "1");
    settings->txtDuration->setText("7");
    QTest::keyClick(settings->txtDuration, Qt::Key_Up);
    EXPECT_EQ(settings->txtDuration->text(), "8");

    // The audio file chooser, from the dialog shown by the menu; closing the
    // dialog with its close box keeps the file.
    const QString audio = pictures.Write("music.wav", "RIFF");
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, settings);
        ChooseInNextFileDialog(audio);
        settings->btnSelectFile->click();
        settings->close();
    });
    window->findChild<QAction *>("Project1")->trigger();
    EXPECT_EQ(settings->AudioFile(), audio);
}

TEST_F(SettingsDialogsTest, ApplyToAllCurrentSlidesSetsDurationAndTransition)
{
    TRectBox *first = DropOne("a.jpg");
    first->SetCaption("first caption");
    settings->udDuration->SetPosition(10);
    settings->cbTransition->setCurrentIndex(1);
    settings->cbMotion->setCurrentIndex(1);
    TRectBox *second = DropOne("b.jpg");
    EXPECT_EQ(first->AbLeft(), 4);
    EXPECT_EQ(first->Motion(), SlideMotion::None);
    EXPECT_EQ(second->AbLeft(), 10);
    EXPECT_EQ(second->AbTop(), 1);
    EXPECT_EQ(second->Motion(), SlideMotion::Auto);
    settings->BitBtn3->click();
    for (TRectBox *box : strip->Slides()) {
        EXPECT_EQ(box->AbLeft(), 10);
        EXPECT_EQ(box->AbTop(), 1);
        EXPECT_EQ(box->Motion(), SlideMotion::Auto);
    }
    EXPECT_EQ(first->Caption(), "first caption");
    // The status bar says how many slides it changed.
    EXPECT_EQ(window->StatusBar()->PanelText(TStatusBar::ThumbnailsPanel), "1 of 2 slides changed");

    // Fitted to 13 seconds of audio: the slides in slide order take 6 and 7.
    const DurationFit fit = strip->FitDurations(13.2);
    EXPECT_EQ(fit.total, 13);
    const QList<const RectBoxProperties *> order = strip->SlidesInSlideOrder();
    EXPECT_EQ(order[0]->AbLeft(), 6);
    EXPECT_EQ(order[1]->AbLeft(), 7);
    EXPECT_THROW(strip->FitDurations(1.2), VistranoError);
    EXPECT_EQ(order[1]->AbLeft(), 7);
}

TEST_F(SettingsDialogsTest, SlidePropertiesRoundTrip)
{
    EXPECT_EQ(properties->windowTitle(), "Slide Properties");
    EXPECT_GE(properties->width(), 495);
    EXPECT_EQ(properties->height(), 246);
    EXPECT_EQ(Items(properties->cbMotion), QStringList({"None", "Auto", "Zoom In", "Zoom Out", "Pan"}));
    EXPECT_TRUE(properties->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Items(properties->cbTransition), kTransitions);
    EXPECT_EQ(properties->IV2->geometry(), QRect(8, 24, 160, 160));
    EXPECT_EQ(properties->txtCaption->pos(), QPoint(184, 136));
    EXPECT_EQ(properties->txtCaption->geometry().right() + 1, properties->cbTransition->geometry().right() + 1);
    EXPECT_EQ(properties->Label4->text(), "Filename");
    ExpectRow({properties->Label1, properties->txtDuration, properties->udDuration, properties->Label2,
               properties->cbTransition},
              {{184, 82}, {232, 78}, {273, 78}, {312, 82}, {368, 78}});
    ExpectRow({properties->BitBtn1, properties->BitBtn2}, {{248, 206}, {344, 206}});

    TRectBox *slide = DropOne("a.jpg");
    slide->SetAbLeft(4);
    slide->SetAbTop(3);
    OnNextModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog, properties);
        EXPECT_EQ(properties->txtDuration->text(), "4");
        EXPECT_EQ(properties->cbTransition->currentText(), "Wipe From Right");
        EXPECT_EQ(properties->lblFileName->text(), pictures.Path("a.jpg"));
        EXPECT_EQ(properties->IV2->Picture().size(), QSize(200, 150));
        // The thumbnail fills the display's width, centred.
        EXPECT_EQ(properties->IV2->PictureRect(), QRect(0, 20, 160, 120));
        properties->udDuration->SetPosition(7);
        properties->cbTransition->setCurrentIndex(0);
        properties->txtCaption->setText("At the bridge");
        EXPECT_EQ(properties->cbMotion->currentText(), "None");
        properties->cbMotion->setCurrentIndex(4);
        properties->BitBtn1->click();
    });
    EXPECT_TRUE(properties->EditSlideProperties(slide));
    EXPECT_EQ(slide->AbLeft(), 7);
    EXPECT_EQ(slide->AbTop(), 0);
    EXPECT_EQ(slide->Caption(), "At the bridge");
    EXPECT_EQ(slide->Motion(), SlideMotion::Pan);

    // Cancel stores nothing; the duration goes down to 1 with the arrows.
    OnNextModal([&](QWidget *) {
        properties->udDuration->SetPosition(2);
        properties->udDuration->DownButton()->click();
        properties->udDuration->DownButton()->click();
        EXPECT_EQ(properties->txtDuration->text(), "1");
        properties->txtCaption->setText("Other");
        properties->BitBtn2->click();
    });
    EXPECT_FALSE(properties->EditSlideProperties(slide));
    EXPECT_EQ(slide->AbLeft(), 7);
    EXPECT_EQ(slide->Caption(), "At the bridge");

    // A stored transition code that names none is kept unless one is chosen.
    slide->SetAbTop(9);
    OnNextModal([&](QWidget *) {
        EXPECT_EQ(properties->cbTransition->currentIndex(), -1);
        properties->BitBtn1->click();
    });
    EXPECT_TRUE(properties->EditSlideProperties(slide));
    EXPECT_EQ(slide->AbTop(), 9);
    EXPECT_EQ(slide->AbLeft(), 7);

    // The Edit menu's entry and the pop-up's edit the current slide; a double
    // click edits the slide clicked.
    QTest::mouseMove(slide, {30, 50});
    QTest::mouseClick(slide, Qt::LeftButton, {}, {30, 50});
    OnNextModal([&](QWidget *) {
        properties->txtCaption->setText("From the menu");
        properties->BitBtn1->click();
    });
    emit window->findChild<QMenu *>("Edit1")->aboutToShow();
    window->findChild<QAction *>("SlideProperties")->trigger();
    EXPECT_EQ(slide->Caption(), "From the menu");
    OnNextModal([&](QWidget *) {
        properties->txtCaption->setText("From the pop-up");
        properties->BitBtn1->click();
    });
    strip->Properties1->trigger();
    EXPECT_EQ(slide->Caption(), "From the pop-up");
    OnNextModal([&](QWidget *) {
        properties->txtCaption->setText("From a double click");
        properties->BitBtn1->click();
    });
    QTest::mouseDClick(slide, Qt::LeftButton, {}, {30, 50});
    ASSERT_TRUE(WaitFor([&] { return slide->Caption() == "From a double click"; }));
}

TEST(SettingsDialogs, WithTheDesignedFontTheDialogsKeepTheirDesign)
{
    const QFont font = QApplication::font();
    QFont narrow = font;
    narrow.setPixelSize(7);
    QApplication::setFont(narrow);
    {
        TfrmProjSettings settings;
        TfrmSlideProperties properties(&settings);
        QApplication::setFont(font);
        EXPECT_EQ(settings.size(), QSize(492, 191));
        EXPECT_EQ(settings.txtDuration->geometry(), QRect(184, 24, 41, 21));
        EXPECT_EQ(settings.udDuration->geometry(), QRect(225, 24, 17, 21));
        EXPECT_EQ(settings.Label2->pos(), QPoint(256, 27));
        EXPECT_EQ(settings.cbTransition->pos(), QPoint(376, 20));
        EXPECT_EQ(settings.txtBGAudioFile->geometry(), QRect(24, 76, 425, 21));
        EXPECT_EQ(settings.btnSelectFile->geometry(), QRect(456, 72, 25, 25));
        EXPECT_EQ(settings.cbMotion->geometry(), QRect(72, 108, 97, 25));
        EXPECT_EQ(settings.btnFitAudio->geometry(), QRect(256, 108, 160, 25));
        EXPECT_EQ(settings.BitBtn1->geometry(), QRect(232, 150, 75, 25));
        EXPECT_EQ(settings.BitBtn3->geometry(), QRect(344, 150, 137, 25));
        EXPECT_EQ(properties.size(), QSize(495, 246));
        EXPECT_EQ(properties.txtDuration->geometry(), QRect(232, 78, 41, 21));
        EXPECT_EQ(properties.cbTransition->geometry(), QRect(368, 78, 121, 25));
        EXPECT_EQ(properties.txtCaption->geometry(), QRect(184, 136, 305, 21));
        EXPECT_EQ(properties.cbMotion->geometry(), QRect(232, 166, 121, 25));
        EXPECT_EQ(properties.BitBtn1->geometry(), QRect(248, 206, 75, 25));
        EXPECT_EQ(properties.BitBtn2->geometry(), QRect(344, 206, 75, 25));
    }
    QApplication::setFont(font);
}
