#include "tests/slides/StripTestSupport.h"
#include "tests/support/PictureLoadGate.h"

#include "browser/FileListModel.h"
#include "browser/FileListView.h"
#include "browser/FolderTree.h"
#include "browser/ImageBrowser.h"
#include "shell/StatusBar.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"
#include "slides/UpDown.h"
#include "slides/Viewer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QListView>
#include <QTreeView>
#include <QUrl>

#include <atomic>

namespace {

class SlideStripTest : public StripTest
{
protected:
    // Four pictures whose slides are 133, 75, 100 and 133 wide.
    void MakeFourPictures()
    {
        WritePicture(pictures.Path("a.jpg"), {1600, 1200});
        WritePicture(pictures.Path("b.jpg"), {1200, 1600});
        WritePicture(pictures.Path("c.png"), {100, 100});
        WritePicture(pictures.Path("d.jpg"), {1600, 1200});
    }
    void DropFour()
    {
        MakeFourPictures();
        DropFiles({"a.jpg", "b.jpg", "c.png", "d.jpg"});
        ASSERT_EQ(strip->SlideCount(), 4);
    }
    void Click(TRectBox *box, QPoint at = {30, 50})
    {
        QTest::mouseMove(box, at);
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
    }
    // Slides of the drop are made on two workers; the file of that name
    // waits at the gate, and `made` counts the slides made.
    void HoldBack(const QString &name, PictureLoadGate &gate, std::atomic<int> &made)
    {
        strip->SetDropThreadCount(2);
        strip->SetSlideMaker([&made, name, held = gate.Guarded([](const QString &) { return QImage(); })](
                                 RectBoxProperties &slide, const QString &path, const SlideDefaults &defaults) {
            if (QFileInfo(path).fileName() == name)
                held(path);
            MakeSlideFromPicture(slide, path, defaults);
            ++made;
        });
    }
    // Lets everything the workers have posted so far arrive.
    static void LetPostedEventsArrive()
    {
        bool timerRan = false;
        QTimer::singleShot(1, [&] { timerRan = true; });
        ASSERT_TRUE(WaitFor([&] { return timerRan; }));
    }
    QStringList Names() const
    {
        QStringList names;
        for (TRectBox *box : SlidesInOrder())
            names << QFileInfo(box->FileName()).fileName();
        return names;
    }
};

} // namespace

TEST_F(SlideStripTest, DroppedFilesBecomeSlidesSideBySide)
{
    DropFour();
    EXPECT_EQ(Widths(), QList<int>({133, 75, 100, 133}));
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 238, 348}));
    EXPECT_EQ(Names(), QStringList({"a.jpg", "b.jpg", "c.png", "d.jpg"}));
    const QList<TRectBox *> slides = SlidesInOrder();
    for (TRectBox *box : slides) {
        EXPECT_EQ(box->Top(), 10);
        EXPECT_EQ(box->Height(), 100);
        EXPECT_EQ(box->geometry(), QRect(box->Left(), 10, box->Width(), 100));
        EXPECT_FALSE(box->DrawBoxes());
        EXPECT_EQ(box->AbLeft(), 4);
        EXPECT_EQ(box->AbTop(), 0);
        EXPECT_EQ(box->PopupMenu(), kSlidePopupMenu);
        EXPECT_TRUE(box->isVisible());
    }
    EXPECT_EQ(slides[0]->Picture().size(), QSize(200, 150));
    EXPECT_EQ(slides[0]->PictureWidth(), 200);
    EXPECT_NEAR(double(slides[0]->Ratio()), 4.0 / 3, 1e-12);
    EXPECT_EQ(slides[1]->Picture().size(), QSize(150, 200));
    EXPECT_EQ(slides[2]->Picture().size(), QSize(200, 200));
    EXPECT_EQ(slides[0]->FileName(), pictures.Path("a.jpg"));
    EXPECT_EQ(SlideCountText(), "Slide count: 4");
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->Browser()->SelectedFilePaths().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    // One client width of free strip behind the last slide.
    QScrollArea *area = window->SlideStrip();
    EXPECT_EQ(strip->Canvas()->width(), 348 + 133 + area->viewport()->width());
    EXPECT_EQ(strip->Canvas()->height(), area->viewport()->height());

    // A wide picture, dropped between the second and the third slide.
    WritePicture(pictures.Path("e.jpg"), {2000, 640});
    DropFiles({"e.jpg"}, 200);
    EXPECT_EQ(Names(), QStringList({"a.jpg", "b.jpg", "e.jpg", "c.png", "d.jpg"}));
    EXPECT_EQ(SlidesInOrder()[2]->Picture().size(), QSize(200, 64));
    EXPECT_EQ(Widths(), QList<int>({133, 75, 312, 100, 133}));
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 238, 560, 670}));
    EXPECT_EQ(SlideCountText(), "Slide count: 5");
}

TEST_F(SlideStripTest, TheFirstFileOnAnEmptyStripLandsAtTen)
{
    MakeFourPictures();
    DropFiles({"a.jpg"}, 500);
    EXPECT_EQ(Lefts(), QList<int>({10}));
    // Nothing selected: nothing added, the count is written.
    window->StatusBar()->SetPanelText(TStatusBar::SlidesPanel, QString());
    DropFiles({}, 500);
    EXPECT_EQ(strip->SlideCount(), 1);
    EXPECT_EQ(SlideCountText(), "Slide count: 1");
}

TEST_F(SlideStripTest, FilesFromTheListAndFromOtherProgramsAreAccepted)
{
    MakeFourPictures();
    SelectFiles({"a.jpg"});
    TFileListView *list = window->Browser()->FileList();
    QMimeData fromList;
    fromList.setData(kFileListMimeType, pictures.Path("a.jpg").toUtf8() + '\0');
    EXPECT_TRUE(strip->ScrollBox1DragOver(&fromList, list->ReportView()));
    EXPECT_TRUE(strip->ScrollBox1DragOver(&fromList, list->IconView()));
    EXPECT_FALSE(strip->ScrollBox1DragOver(&fromList, window->SlideStrip()));
    QMimeData text;
    text.setText("a.jpg");
    EXPECT_FALSE(strip->ScrollBox1DragOver(&text, list->ReportView()));
    // Not while files are being added or a show is built.
    strip->BeginWork(TSlideStrip::Work::BuildingShow);
    EXPECT_FALSE(strip->ScrollBox1DragOver(&fromList, list->ReportView()));
    strip->EndWork();

    // A file manager's drag (no source in this program): files in the order
    // given, a folder's pictures sorted by name, and one message naming
    // what is no picture.
    QDir(pictures.Root()).mkpath("more/inner");
    WritePicture(pictures.Path("more/B.png"), {100, 100});
    WritePicture(pictures.Path("more/10.jpg"), {100, 100});
    WritePicture(pictures.Path("more/2.jpg"), {100, 100});
    WritePicture(pictures.Path("more/.hidden.jpg"), {100, 100});
    WritePicture(pictures.Path("more/inner/deep.jpg"), {100, 100});
    pictures.Write("more/notes.txt", "not a picture, left out of a folder quietly");
    const QString letter = pictures.Write("letter.doc", "no picture");
    QMimeData external;
    external.setUrls({QUrl::fromLocalFile(pictures.Path("d.jpg")), QUrl::fromLocalFile(pictures.Path("more")),
                      QUrl::fromLocalFile(letter), QUrl("https://example.com/e.jpg"),
                      QUrl::fromLocalFile(pictures.Path("a.jpg"))});
    EXPECT_TRUE(strip->ScrollBox1DragOver(&external, nullptr));
    QDropEvent drop(QPointF(40, 50), Qt::CopyAction, &external, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(40, 50), Qt::CopyAction, &external, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip->Canvas(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QApplication::sendEvent(strip->Canvas(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(WaitFor([&] { return strip->SlideCount() == 5 && !messages.isEmpty(); }));
    EXPECT_EQ(Names(), QStringList({"d.jpg", "10.jpg", "2.jpg", "B.png", "a.jpg"}));
    EXPECT_EQ(messages, QStringList({"These files are not pictures and were not added:\nletter.doc\n"
                                     "https://example.com/e.jpg"}));
}

TEST_F(SlideStripTest, RotatingTurnsTheCurrentSlide)
{
    DropFour();
    TRectBox *first = SlidesInOrder()[0];
    // No current slide: nothing happens, nothing is said.
    window->findChild<QToolButton *>("tbRotateCW")->click();
    EXPECT_EQ(first->Rotation(), 0);
    EXPECT_TRUE(messages.isEmpty());

    Click(first);
    ASSERT_EQ(window->CurrentSlide(), first);
    window->findChild<QToolButton *>("tbRotateCW")->click();
    EXPECT_EQ(first->Rotation(), 90);
    EXPECT_EQ(first->Width(), 75);
    EXPECT_EQ(first->Picture().size(), QSize(150, 200));
    EXPECT_EQ(Lefts(), QList<int>({10, 95, 180, 290}));
    strip->RotateRight1->trigger();
    EXPECT_EQ(first->Rotation(), 180);
    EXPECT_EQ(first->Width(), 133);
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 238, 348}));
    // The thumbnail's yellow corner went round to the bottom right.
    EXPECT_EQ(first->Picture().pixelColor(199, 149).red(), 255);
    EXPECT_LT(first->Picture().pixelColor(0, 0).red(), 100);

    TRectBox *second = SlidesInOrder()[1];
    Click(second);
    window->findChild<QToolButton *>("tbRotateCCW")->click();
    EXPECT_EQ(second->Rotation(), 270);
    EXPECT_EQ(second->Width(), 133);
    strip->RotateLeft1->trigger();
    EXPECT_EQ(second->Rotation(), 180);
    EXPECT_EQ(second->Width(), 75);
    EXPECT_EQ(second->PictureWidth(), 150);
}

TEST_F(SlideStripTest, DraggingTheThirdSlideToTheFrontMakesItTheFirst)
{
    DropFour();
    TRectBox *third = SlidesInOrder()[2];
    QWidget *canvas = strip->Canvas();
    QTest::mouseMove(third, QPoint(30, 50));
    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(30, 50));
    EXPECT_EQ(strip->Canvas()->children().last(), third);
    // Along the strip to the left of the first slide, and a little down.
    // The pressed slide holds the mouse: it gets the moves, in its own
    // coordinates at each moment.
    for (int x = 238 + 30; x >= 2 + 30; x -= 20)
        QTest::mouseMove(third, third->mapFrom(canvas, QPoint(x, 65)));
    QTest::mouseMove(third, third->mapFrom(canvas, QPoint(2 + 30, 65)));
    EXPECT_EQ(third->Left(), 2);
    EXPECT_EQ(third->Top(), 15);
    QTest::mouseRelease(third, Qt::LeftButton, {}, third->mapFrom(canvas, QPoint(32, 65)));
    EXPECT_EQ(Names(), QStringList({"c.png", "a.jpg", "b.jpg", "d.jpg"}));
    EXPECT_EQ(third->Left(), 10);
    EXPECT_EQ(third->Top(), 10);
    EXPECT_EQ(Lefts(), QList<int>({10, 120, 263, 348}));
    EXPECT_EQ(window->CurrentSlide(), third);
    // Saving, building and printing take the slides as they are shown.
    QStringList order;
    for (const RectBoxProperties *slide : strip->SlidesInSlideOrder())
        order << QFileInfo(slide->FileName()).fileName();
    EXPECT_EQ(order, QStringList({"c.png", "a.jpg", "b.jpg", "d.jpg"}));
}

TEST_F(SlideStripTest, DeletingTheCurrentSlideAndTheCount)
{
    DropFour();
    // Nothing current: the message, and the count is written again.
    window->StatusBar()->SetPanelText(TStatusBar::SlidesPanel, QString());
    QTest::keyRelease(window->Browser()->FileList()->ReportView(), Qt::Key_Delete);
    EXPECT_EQ(messages, QStringList({"Select a slide first."}));
    EXPECT_EQ(SlideCountText(), "Slide count: 4");
    messages.clear();

    Click(SlidesInOrder()[1]);
    QTest::keyRelease(window->Browser()->FileList()->ReportView(), Qt::Key_Delete);
    EXPECT_EQ(Names(), QStringList({"a.jpg", "c.png", "d.jpg"}));
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 263}));
    EXPECT_EQ(SlideCountText(), "Slide count: 3");
    EXPECT_EQ(window->CurrentSlide(), nullptr);

    Click(SlidesInOrder()[2]);
    strip->Delete1->trigger();
    Click(SlidesInOrder()[0]);
    strip->Delete1->trigger();
    EXPECT_EQ(Names(), QStringList({"c.png"}));
    Click(SlidesInOrder()[0]);
    strip->DeleteCurrentSlide();
    EXPECT_EQ(strip->SlideCount(), 0);
    EXPECT_EQ(SlideCountText(), "Slide count: 0");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SlideStripTest, SelectingAndTheEditMenu)
{
    DropFour();
    QAction *slideProperties = window->findChild<QAction *>("SlideProperties");
    QMenu *edit = window->findChild<QMenu *>("Edit1");
    emit edit->aboutToShow();
    EXPECT_FALSE(slideProperties->isEnabled());
    TRectBox *second = SlidesInOrder()[1];
    Click(second);
    EXPECT_EQ(window->CurrentSlide(), second);
    emit edit->aboutToShow();
    EXPECT_TRUE(slideProperties->isEnabled());

    // A click on the free strip leaves no current slide.
    QTest::mouseClick(strip->Canvas(), Qt::LeftButton, {}, QPoint(600, 50));
    EXPECT_EQ(window->CurrentSlide(), nullptr);
    EXPECT_EQ(SlidesInOrder()[1]->Focus(), false);
    emit edit->aboutToShow();
    EXPECT_FALSE(slideProperties->isEnabled());

    // So does a click in the file list.
    Click(second);
    window->LV1Click();
    EXPECT_EQ(window->CurrentSlide(), nullptr);

    // The pop-up menu makes the clicked slide current without raising it.
    TRectBox *first = SlidesInOrder()[0];
    Click(second);
    strip->pmRectBoxPopup(first);
    EXPECT_EQ(window->CurrentSlide(), first);
    EXPECT_FALSE(second->Focus());
    EXPECT_EQ(strip->Canvas()->children().last(), second);
    QStringList entries;
    for (QAction *action : strip->PopupMenu()->actions())
        entries << (action->isSeparator() ? QString("-") : action->text());
    EXPECT_EQ(entries, QStringList({"Properties", "Preview", "-", "Rotate CCW", "Rotate CW", "-", "Delete"}));
}

TEST_F(SlideStripTest, PreviewShowsTheSlidesPictureTurned)
{
    WritePicture(pictures.Path("a.jpg"), {320, 240});
    DropFiles({"a.jpg"});
    TRectBox *slide = SlidesInOrder()[0];
    Click(slide);
    strip->RotateRight1->trigger();
    strip->Preview1->trigger();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->Picture().size(), QSize(240, 320));
    viewer->close();
    // A picture that is gone is reported, and the slide stays.
    QFile::remove(pictures.Path("a.jpg"));
    strip->Preview1->trigger();
    EXPECT_EQ(strip->SlideCount(), 1);
}

TEST_F(SlideStripTest, AFileThatFailsLeavesTheSlidesBeforeItAndIsNamed)
{
    WritePicture(pictures.Path("a.jpg"), {320, 240});
    pictures.Write("b.png", "this is no PNG file");
    WritePicture(pictures.Path("c.jpg"), {320, 240});
    DropFiles({"a.jpg", "b.png", "c.jpg"});
    EXPECT_EQ(Names(), QStringList({"a.jpg"}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(pictures.Path("b.png"))) << messages[0].toStdString();
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(SlideCountText(), "Slide count: 1");
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);
    // The failing file and the one after it stay selected.
    EXPECT_EQ(window->Browser()->SelectedFilePaths(), QStringList({pictures.Path("b.png"), pictures.Path("c.jpg")}));

    // A JPEG that reads as no picture at all is reported the same way.
    messages.clear();
    pictures.Write("bb.jpg", "no JPEG inside");
    DropFiles({"bb.jpg", "c.jpg"}, 400);
    EXPECT_EQ(Names(), QStringList({"a.jpg"}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(pictures.Path("bb.jpg"))) << messages[0].toStdString();
}

// Slides are placed in drop order, however the pictures finish: a first
// file that takes long holds the others back, while the window goes on and
// the commands that would change the strip wait.
TEST_F(SlideStripTest, ADropPlacesItsSlidesInDropOrderWhileTheWindowGoesOn)
{
    MakeFourPictures();
    PictureLoadGate gate;
    std::atomic<int> made = 0;
    HoldBack("a.jpg", gate, made);
    SelectFiles({"a.jpg", "b.jpg", "c.png", "d.jpg"});
    strip->ScrollBox1DragDrop(0, DraggedPaths());
    ASSERT_TRUE(WaitFor([&] { return made == 3; }));
    LetPostedEventsArrive();
    EXPECT_EQ(strip->SlideCount(), 0) << "b, c and d wait for a";
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::AddingFiles);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    strip->DeleteCurrentSlide();
    EXPECT_EQ(messages, QStringList({"Please wait until the dropped files are added."}));

    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return strip->RunningWork() == TSlideStrip::Work::None; }));
    EXPECT_EQ(Names(), QStringList({"a.jpg", "b.jpg", "c.png", "d.jpg"}));
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 238, 348}));
    EXPECT_EQ(SlideCountText(), "Slide count: 4");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->Browser()->SelectedFilePaths().isEmpty());
}

// A file that fails ends the drop where it stands in drop order: the files
// before it are slides, it and the files after it (though made first) are
// not, it is named in the report, and they stay selected.
TEST_F(SlideStripTest, AFileThatFailsLateInTheWorkStillEndsTheDropAtItsPlace)
{
    MakeFourPictures();
    pictures.Write("bad.png", "no picture");
    WritePicture(pictures.Path("e.jpg"), {320, 240});
    PictureLoadGate gate;
    std::atomic<int> made = 0;
    HoldBack("bad.png", gate, made);
    SelectFiles({"a.jpg", "b.jpg", "bad.png", "d.jpg", "e.jpg"});
    strip->ScrollBox1DragDrop(0, DraggedPaths());
    ASSERT_TRUE(WaitFor([&] { return made == 4; }));
    LetPostedEventsArrive();
    EXPECT_EQ(strip->SlideCount(), 2) << "d and e wait behind the file before them";
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return strip->RunningWork() == TSlideStrip::Work::None; }));
    EXPECT_EQ(Names(), QStringList({"a.jpg", "b.jpg"}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(pictures.Path("bad.png"))) << messages[0].toStdString();
    EXPECT_EQ(window->StatusBar()->Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(SlideCountText(), "Slide count: 2");
    EXPECT_EQ(window->Browser()->SelectedFilePaths(),
              QStringList({pictures.Path("bad.png"), pictures.Path("d.jpg"), pictures.Path("e.jpg")}));
}

TEST_F(SlideStripTest, CommandsThatChangeTheStripWaitForADrop)
{
    MakeFourPictures();
    DropFiles({"a.jpg"});
    Click(SlidesInOrder()[0]);
    // While the next drop runs, a delete, a rotation and another drop that
    // arrive between its files are refused; the drop completes.
    QTimer::singleShot(0, strip, [this] {
        strip->DeleteCurrentSlide();
        strip->RotateRight1->trigger();
        strip->ScrollBox1DragDrop(0, DraggedPaths());
    });
    DropFiles({"b.jpg", "c.png"}, 400);
    EXPECT_EQ(Names(), QStringList({"a.jpg", "b.jpg", "c.png"}));
    EXPECT_EQ(SlidesInOrder()[0]->Rotation(), 0);
    EXPECT_EQ(messages, QStringList({"Please wait until the dropped files are added.",
                                     "Please wait until the dropped files are added.",
                                     "Please wait until the dropped files are added."}));
    EXPECT_EQ(strip->RunningWork(), TSlideStrip::Work::None);

    // Removing the slides (the window closing) stops a drop between files.
    messages.clear();
    QTimer::singleShot(0, strip, [this] { strip->DestroySlides(); });
    DropFiles({"a.jpg", "d.jpg"}, 400);
    EXPECT_EQ(strip->SlideCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SlideStripTest, NewSlidesTakeTheProjectDefaults)
{
    MakeFourPictures();
    DropFiles({"a.jpg"});
    settings->udDuration->SetPosition(10);
    settings->cbTransition->setCurrentIndex(1);
    DropFiles({"b.jpg"}, 400);
    TRectBox *first = SlidesInOrder()[0];
    TRectBox *second = SlidesInOrder()[1];
    EXPECT_EQ(first->AbLeft(), 4);
    EXPECT_EQ(first->AbTop(), 0);
    EXPECT_EQ(second->AbLeft(), 10);
    EXPECT_EQ(second->AbTop(), 1);
    // A number beyond the range cannot be typed; one below it counts as
    // the least.
    settings->txtDuration->selectAll();
    QTest::keyClicks(settings->txtDuration, "90");
    EXPECT_EQ(settings->txtDuration->text(), "9");
    DropFiles({"c.png"}, 400);
    EXPECT_EQ(SlidesInOrder()[2]->AbLeft(), 9);
    settings->txtDuration->selectAll();
    QTest::keyClicks(settings->txtDuration, "1");
    DropFiles({"d.jpg"}, 400);
    EXPECT_EQ(SlidesInOrder()[3]->AbLeft(), 2);
}

TEST_F(SlideStripTest, TheKeyboardReachesTheSlides)
{
    DropFour();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Tabbing from the file list into the strip marks its first slide.
    QWidget *canvas = strip->Canvas();
    QWidget *list = window->Browser()->FileList()->ReportView();
    list->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(list, Qt::Key_Tab);
    ASSERT_TRUE(canvas->hasFocus()) << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() + std::string(" ") + QApplication::focusWidget()->objectName().toStdString() : "none");
    EXPECT_EQ(window->CurrentSlide(), SlidesInOrder()[0]);
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Left);
    TRectBox *second = SlidesInOrder()[1];
    EXPECT_EQ(window->CurrentSlide(), second);
    QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Names(), QStringList({"a.jpg", "c.png", "b.jpg", "d.jpg"}));
    EXPECT_EQ(Lefts(), QList<int>({10, 153, 263, 348}));
    EXPECT_EQ(window->CurrentSlide(), second);
    // Ctrl+Right turns it, wherever the focus is; Delete removes it.
    QTest::keyClick(window->Browser()->FolderTree(), Qt::Key_Right, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return second->Rotation() == 90; }, 5000));
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_EQ(Names(), QStringList({"a.jpg", "c.png", "d.jpg"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}
