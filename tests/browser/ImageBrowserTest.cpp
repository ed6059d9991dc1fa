#include "browser/CachedThumbnail.h"
#include "shell/Messages.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/PictureLoadGate.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QListView>
#include <QTreeView>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <atomic>
#include <map>

namespace {

QColor ColourOf(int i)
{
    return QColor(40 + 20 * i, 200 - 15 * i, (i * 70) % 256);
}

// n JPEGs p0.jpg.. of distinct colours and sizes (p0 the largest file).
void WritePictures(const TestFolder &folder, int n, const QString &prefix = "p")
{
    for (int i = 0; i < n; ++i)
        WriteJpeg(folder.Path(QString("%1%2.jpg").arg(prefix).arg(i)), QSize(64, 48), ColourOf(i), (n - i) * 3000);
}

class MessageLog
{
public:
    MessageLog()
    {
        SetMessageObserver([this](const QString &text) { texts << text; });
    }
    ~MessageLog() { SetMessageObserver({}); }
    QStringList texts;
};

void CheckOwnThumbnails(BrowserWindow &w, int n)
{
    for (int row = 0; row < n; ++row) {
        const int i = w.Model().Item(row).caption.mid(1).section('.', 0, 0).toInt();
        EXPECT_TRUE(NearColour(w.ThumbnailColour(row), ColourOf(i)))
            << w.Model().Item(row).caption.toStdString() << " shows " << w.ThumbnailColour(row).name().toStdString();
    }
}

} // namespace

TEST(ImageBrowser, ChoosingAFolderListsItsPicturesAndCountsThem)
{
    TestFolder folder;
    folder.Write("a.JPG", "x");
    folder.Write("b.bmp", "x");
    folder.Write("c.txt", "x");
    folder.Write(".d.jpg", "x");
    BrowserWindow w;
    ASSERT_TRUE(w.browser->SelectFolder(folder.Root()));
    EXPECT_EQ(w.browser->SelectedFolder(), QDir(folder.Root()).absolutePath());
    EXPECT_EQ(w.Captions(), QStringList({"a.JPG", "b.bmp"}));
    EXPECT_EQ(w.status->PanelText(0), "2 files");
    EXPECT_EQ(w.browser->FileList()->CurrentViewStyle(), TFileListView::Report);
    EXPECT_FALSE(w.browser->SelectFolder(folder.Path("no such folder")));
    EXPECT_EQ(w.Captions(), QStringList({"a.JPG", "b.bmp"}));
}

TEST(ImageBrowser, WithoutAFolderTheCountIsClearedAndTheListKept)
{
    TestFolder folder;
    folder.Write("a.jpg", "x");
    BrowserWindow w;
    w.browser->FillFileList(folder.Root(), {"*.jpg"});
    EXPECT_EQ(w.status->PanelText(0), "1 files");
    EXPECT_FALSE(w.browser->FolderChanged()); // the tree has no selection
    EXPECT_EQ(w.status->PanelText(0), "");
    EXPECT_EQ(w.Captions(), QStringList({"a.jpg"}));
}

TEST(ImageBrowser, ColumnClicksToggleAndSwitchTheSortOrder)
{
    TestFolder folder;
    folder.Write("b.jpg", QByteArray(9 * 1024, 'x'));
    folder.Write("a.jpg", QByteArray(10 * 1024, 'x'));
    folder.Write("c.jpg", QByteArray(100, 'x'));
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    EXPECT_EQ(w.Captions(), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
    w.browser->ColumnClicked(0);
    EXPECT_FALSE(w.browser->SortAscending());
    EXPECT_EQ(w.Captions(), QStringList({"c.jpg", "b.jpg", "a.jpg"}));
    w.browser->ColumnClicked(1);
    EXPECT_TRUE(w.browser->SortAscending());
    EXPECT_EQ(w.browser->SortColumn(), 1);
    EXPECT_EQ(w.Captions(), QStringList({"c.jpg", "b.jpg", "a.jpg"}));
    w.browser->ColumnClicked(1);
    EXPECT_EQ(w.Captions(), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
    // A refill keeps the sort order.
    w.browser->FolderChanged();
    EXPECT_EQ(w.Captions(), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
}

TEST(ImageBrowser, ReportAndIconViewsShareOneSelection)
{
    TestFolder folder;
    WritePictures(folder, 3);
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    TFileListView *list = w.browser->FileList();
    EXPECT_EQ(list->IconView()->selectionModel(), list->ReportView()->selectionModel());
    list->SelectOnly(1);
    EXPECT_EQ(w.browser->SelectedFileNames(), QStringList({"p1.jpg"}));
    EXPECT_EQ(w.browser->PathToPreview(), QDir(folder.Root()).absolutePath() + "/p1.jpg");
    list->SelectionModel()->select(w.Model().index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(w.browser->SelectedFilePaths().size(), 2);
    EXPECT_EQ(w.browser->PathToPreview(), "");
}

TEST(ImageBrowser, ThumbnailsAreMadeWithProgressAndEveryRowShowsItsOwn)
{
    TestFolder folder;
    WritePictures(folder, 3);
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    w.browser->ColumnClicked(0); // descending: the build sorts ascending again
    std::vector<int> gauge;
    QObject::connect(w.status->findChild<QProgressBar *>("SB1Gauge"), &QProgressBar::valueChanged,
                     [&gauge](int value) { gauge.push_back(value); });
    w.browser->ShowThumbnails();
    EXPECT_EQ(w.browser->FileList()->CurrentViewStyle(), TFileListView::Icons);
    EXPECT_EQ(w.status->PanelText(1), " ESC to cancel");
    EXPECT_TRUE(w.browser->SortAscending());
    EXPECT_EQ(w.Captions(), QStringList({"p0.jpg", "p1.jpg", "p2.jpg"}));
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    EXPECT_EQ(gauge, std::vector<int>({33, 67, 0}));
    EXPECT_EQ(w.status->PanelText(1), "");
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 3);
    EXPECT_EQ(w.browser->ThumbnailFolder(), w.browser->SelectedFolder());
    CheckOwnThumbnails(w, 3);
}

TEST(ImageBrowser, ThumbnailsAreReusedWhileFolderAndCountStay)
{
    TestFolder folder;
    WritePictures(folder, 4);
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    const quint64 generation = w.browser->Builder().Generation();
    w.browser->ShowDetails();
    w.browser->ColumnClicked(1); // by size: p3 (smallest) first
    EXPECT_EQ(w.Captions(), QStringList({"p3.jpg", "p2.jpg", "p1.jpg", "p0.jpg"}));
    w.status->SetPanelText(1, "untouched");
    w.browser->ShowThumbnails();
    EXPECT_FALSE(w.browser->BuildRunning());
    EXPECT_EQ(w.browser->Builder().Generation(), generation);
    EXPECT_EQ(w.status->PanelText(1), "untouched");
    CheckOwnThumbnails(w, 4);

    // Refilling the same folder gives the rows their cells back too.
    w.browser->FolderChanged();
    EXPECT_FALSE(w.ThumbnailColour(0).isValid());
    w.browser->ShowThumbnails();
    EXPECT_EQ(w.browser->Builder().Generation(), generation);
    CheckOwnThumbnails(w, 4);

    // One more file: the count differs and everything is made again.
    WriteJpeg(folder.Path("p4.jpg"), QSize(64, 48), ColourOf(4));
    w.browser->FolderChanged();
    w.browser->ShowThumbnails();
    EXPECT_NE(w.browser->Builder().Generation(), generation);
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    CheckOwnThumbnails(w, 5);
}

namespace {

// Counts the pictures that the window's thumbnail builder loads.
void CountLoads(BrowserWindow &w, std::atomic<int> &loads)
{
    w.browser->Builder().SetPictureLoader([&loads](const QString &path) {
        ++loads;
        return LoadThumbnailPicture(path, 128);
    });
}

} // namespace

// A folder visited again takes every cell from the desktop's thumbnail
// cache: no picture is loaded.
TEST(ImageBrowser, ASecondVisitTakesEveryCellFromTheCache)
{
    TestFolder first, other;
    WritePictures(first, 3);
    BrowserWindow w;
    std::atomic<int> loads = 0;
    CountLoads(w, loads);
    for (int visit = 0; visit < 2; ++visit) {
        w.browser->SelectFolder(first.Root());
        w.browser->ShowThumbnails();
        ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
        CheckOwnThumbnails(w, 3);
        EXPECT_EQ(loads, 3) << "visit " << visit;
        w.browser->SelectFolder(other.Root());
        ASSERT_TRUE(WaitFor([&] { return w.Model().Folder() == other.Root(); }));
    }
}

// What vistrano-cli thumbnails made, the window takes, and the other way round.
TEST(ImageBrowser, SharesTheCacheWithVistranoCli)
{
    TestFolder folder;
    WritePictures(folder, 3);
    BrowserWindow w;
    std::atomic<int> loads = 0;
    CountLoads(w, loads);
    QByteArray out;
    ASSERT_EQ(RunProgram(BuiltProgram("vistrano-cli"), {"thumbnails", folder.Root()}, &out), 0);
    EXPECT_EQ(out, "made " + QFile::encodeName(folder.Path("p0.jpg")) + "\nmade "
                       + QFile::encodeName(folder.Path("p1.jpg")) + "\nmade " + QFile::encodeName(folder.Path("p2.jpg"))
                       + "\n");
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    CheckOwnThumbnails(w, 3);
    EXPECT_EQ(loads, 0);

    TestFolder second;
    WritePictures(second, 3);
    w.browser->SelectFolder(second.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    EXPECT_EQ(loads, 3);
    ASSERT_EQ(RunProgram(BuiltProgram("vistrano-cli"), {"thumbnails", second.Root()}, &out), 0);
    EXPECT_TRUE(out.startsWith("cached " + QFile::encodeName(second.Path("p0.jpg")))) << out.toStdString();
}

TEST(ImageBrowser, EscapeAfterTheFirstPictureLeavesTheOthersWithout)
{
    TestFolder folder;
    WritePictures(folder, 10);
    BrowserWindow w;
    // Every picture after the first waits until Escape has been pressed.
    PictureLoadGate gate(1);
    w.browser->Builder().SetPictureLoader(gate.Guarded());
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return w.browser->ThumbnailImages().Count() >= 1; }));
    ASSERT_TRUE(w.browser->BuildRunning());
    w.browser->CancelThumbnails();
    EXPECT_FALSE(w.browser->BuildRunning());
    EXPECT_EQ(w.status->PanelText(1), "Load Aborted");
    EXPECT_EQ(w.status->Gauge(), 0);
    // The pictures that were waiting are loaded now, too late to be shown.
    gate.Open();
    w.browser->Builder().WaitForWorkers();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 1);
    EXPECT_TRUE(w.ThumbnailColour(0).isValid());
    for (int row = 1; row < 10; ++row)
        EXPECT_FALSE(w.ThumbnailColour(row).isValid()) << row;

    // Escape with no build running changes nothing visible.
    w.browser->CancelThumbnails();
    EXPECT_EQ(w.status->PanelText(1), "Load Aborted");

    // Back and forth: the build was cut short, so all ten are made.
    w.browser->ShowDetails();
    w.browser->ShowThumbnails();
    EXPECT_TRUE(w.browser->BuildRunning());
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    EXPECT_EQ(w.status->PanelText(1), "");
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 10);
    CheckOwnThumbnails(w, 10);
}

TEST(ImageBrowser, AFolderChangeDuringABuildNeverMixesTheFolders)
{
    TestFolder first, second;
    WritePictures(first, 12, "p");
    for (int i = 0; i < 3; ++i)
        WriteJpeg(second.Path(QString("p%1.jpg").arg(i + 5)), QSize(48, 64), ColourOf(i + 5));
    BrowserWindow w;
    // The first folder's build makes one picture; the others are held
    // until the second folder's build has begun.
    PictureLoadGate gate(1);
    w.browser->Builder().SetPictureLoader(gate.Guarded());
    w.browser->SelectFolder(first.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return w.browser->ThumbnailImages().Count() >= 1; }));
    ASSERT_TRUE(w.browser->BuildRunning());
    w.browser->SelectFolder(second.Root());
    EXPECT_FALSE(w.browser->BuildRunning());
    EXPECT_EQ(w.status->PanelText(1), "");
    w.browser->ShowThumbnails();
    EXPECT_TRUE(w.browser->BuildRunning());
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    w.browser->Builder().WaitForWorkers();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(w.Captions(), QStringList({"p5.jpg", "p6.jpg", "p7.jpg"}));
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 3);
    CheckOwnThumbnails(w, 3);
    // Portrait cells: the second folder's pictures, not the first's.
    for (int row = 0; row < 3; ++row) {
        const QImage cell = w.Model().data(w.Model().index(row, 0), TFileListModel::ThumbnailRole).value<QImage>();
        EXPECT_TRUE(NearColour(cell.pixelColor(10, 64), w.browser->FileList()->IconView()->palette().color(QPalette::Base)))
            << row;
    }
}

TEST(ImageBrowser, ASecondSwitchDuringABuildLetsItFinishOnce)
{
    TestFolder folder;
    WritePictures(folder, 8);
    BrowserWindow w;
    PictureLoadGate gate(1);
    w.browser->Builder().SetPictureLoader(gate.Guarded());
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return w.browser->ThumbnailImages().Count() >= 1; }));
    const quint64 generation = w.browser->Builder().Generation();
    w.browser->ShowDetails();
    w.browser->ColumnClicked(1);
    w.browser->ShowThumbnails();
    // The running build goes on with the new order.
    EXPECT_TRUE(w.browser->BuildRunning());
    EXPECT_EQ(w.browser->Builder().Generation(), generation);
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    EXPECT_EQ(w.browser->Builder().Generation(), generation);
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 8);
    CheckOwnThumbnails(w, 8);
}

TEST(ImageBrowser, AFileThatCannotBeLoadedIsReportedAndStillGetsACell)
{
    TestFolder folder;
    WritePictures(folder, 2);
    const QString bad = folder.Write("bad.bmp", "this is no bitmap");
    folder.Write("empty.jpg", "no jpeg either"); // an empty picture: no message
    MessageLog log;
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    ASSERT_TRUE(WaitFor([&] { return !w.browser->BuildRunning(); }));
    ASSERT_TRUE(WaitFor([&] { return !log.texts.isEmpty(); }));
    EXPECT_EQ(log.texts, QStringList({"Error loading file " + QDir(folder.Root()).absolutePath() + "/bad.bmp"}));
    EXPECT_EQ(w.browser->ThumbnailImages().Count(), 4);
    EXPECT_EQ(w.status->PanelText(1), "");
    (void)bad;
}

TEST(ImageBrowser, AnEmptyFolderMakesNothing)
{
    TestFolder folder;
    BrowserWindow w;
    w.browser->SelectFolder(folder.Root());
    w.browser->ShowThumbnails();
    EXPECT_FALSE(w.browser->BuildRunning());
    EXPECT_EQ(w.status->PanelText(1), "");
    EXPECT_EQ(w.status->PanelText(0), "0 files");
    EXPECT_EQ(w.browser->ThumbnailFolder(), w.browser->SelectedFolder());
}

TEST(ImageBrowser, MouseClicksSelectInBothViewsAndADoubleClickAsksForAPreview)
{
    TestFolder folder;
    WritePictures(folder, 4);
    BrowserWindow w;
    w.window.resize(700, 500);
    w.browser->FileList()->setGeometry(0, 0, 700, 500);
    w.window.show();
    w.browser->SelectFolder(folder.Root());
    int doubleClicks = 0;
    QObject::connect(w.browser->FileList(), &TFileListView::DoubleClicked, [&doubleClicks] { ++doubleClicks; });
    for (TFileListView::ViewStyle style : {TFileListView::Report, TFileListView::Icons}) {
        w.browser->FileList()->SetViewStyle(style);
        QAbstractItemView *view = w.browser->FileList()->ActiveView();
        QCoreApplication::processEvents();
        const QPoint at = view->visualRect(w.Model().index(2, 0)).center();
        ASSERT_FALSE(at.isNull());
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
        EXPECT_EQ(w.browser->SelectedFileNames(), QStringList({"p2.jpg"}));
        EXPECT_TRUE(w.browser->PathToPreview().endsWith("/p2.jpg"));
        ASSERT_TRUE(WaitFor([&] { return doubleClicks == (style == TFileListView::Report ? 1 : 2); }));
        w.browser->FileList()->ClearSelection();
    }
}
