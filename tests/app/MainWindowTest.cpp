#include "app/MainWindow.h"
#include "shell/Settings.h"
#include "browser/BookmarkEditor.h"
#include "browser/Bookmarks.h"
#include "browser/FileListView.h"
#include "browser/FolderTree.h"
#include "browser/ImageBrowser.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "slides/Viewer.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PictureLoadGate.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

void WriteJpeg(const QString &path, QColor colour)
{
    QImage picture(80, 60, QImage::Format_RGB888);
    picture.fill(colour);
    picture.save(path, "JPG");
}

// Each test gets its own settings and bookmarks file and sees messages
// instead of boxes.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.Root());
        SetMessageObserver([this](const QString &text) { messages << text; });
    }
    void TearDown() override { SetMessageObserver({}); }

    std::unique_ptr<TfrmVistrano> MakeWindow()
    {
        auto window = std::make_unique<TfrmVistrano>(m_config.Path("bookmrks.dat"));
        window->SetViewer(&viewer);
        window->SetBookmarkEditor(new TfBMEdit(m_config.Path("bookmrks.dat"), window.get()));
        return window;
    }

    template <class T>
    static T *Find(QObject *window, const char *name)
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QStringList MenuTexts(QMenu *menu)
    {
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << (action->isSeparator() ? QString("-") : action->text());
        return texts;
    }

    TestFolder m_config;
    TfrmViewer viewer;
    QStringList messages;
};

} // namespace

TEST_F(MainWindowTest, HasEveryControlInItsPlace)
{
    auto window = MakeWindow();
    window->show();
    EXPECT_EQ(window->windowTitle(), "Vistrano by Halvenor Software");
    EXPECT_EQ(window->objectName(), "frmVistrano");
    // At first about four fifths of the screen, never less than designed.
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(window->width(), std::min(760, screen.width()));
    EXPECT_GE(window->height(), std::min(531, screen.height()));
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_EQ(Find<QWidget>(window.get(), "pnlLeft")->width(), 200);
    EXPECT_EQ(Find<QSplitter>(window.get(), "Splitter1")->handleWidth(), 3);
    EXPECT_EQ(Find<QWidget>(window.get(), "pnlBottom")->height(), 170);
    EXPECT_EQ(Find<QToolBar>(window.get(), "ToolBar1")->height(), 29);
    EXPECT_EQ(Find<QWidget>(window.get(), "ToolButton2")->width(), 9);
    EXPECT_EQ(Find<QWidget>(window.get(), "ToolButton3")->width(), 34);
    Find<QWidget>(window.get(), "pnlRight");
    Find<QWidget>(window.get(), "pnlBottomMain");
    EXPECT_EQ(Find<TFolderTree>(window.get(), "STV1")->indentation(), 19);
    TFileListView *list = Find<TFileListView>(window.get(), "LV1");
    const int widths[] = {200, 80, 100, 140};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(list->ReportView()->header()->sectionSize(column), widths[column]);

    QScrollArea *strip = Find<QScrollArea>(window.get(), "ScrollBox1");
    EXPECT_EQ(strip->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(strip->horizontalScrollBar()->singleStep(), 10);
    EXPECT_EQ(strip->viewport()->palette().color(QPalette::Window), QColor(255, 240, 210));
    EXPECT_EQ(strip->parentWidget()->objectName(), "pnlBottomMain");
    EXPECT_EQ(window->SlideStrip(), strip);

    TStatusBar *status = Find<TStatusBar>(window.get(), "SB1");
    EXPECT_EQ(status->height(), 24);
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(Find<QLabel>(status, QString("SB1Panel%1").arg(panel).toLatin1())->width(), 200);
    EXPECT_EQ(Find<QProgressBar>(status, "SB1Gauge")->width(), 50);
    EXPECT_EQ(window->StatusBar(), status);

    QToolButton *details = Find<QToolButton>(window.get(), "tbDisplayDetails");
    QToolButton *thumbs = Find<QToolButton>(window.get(), "tbDisplayThumbs");
    EXPECT_TRUE(details->isChecked());
    EXPECT_FALSE(thumbs->isChecked());
    EXPECT_EQ(Find<QToolButton>(window.get(), "tbRotateCCW")->toolTip(), "Rotate Left");
    EXPECT_EQ(Find<QToolButton>(window.get(), "tbRotateCW")->toolTip(), "Rotate Right");
    EXPECT_FALSE(details->icon().isNull());
    QStringList names;
    for (const char *name : {"tbDisplayDetails", "tbDisplayThumbs", "tbRotateCCW", "tbRotateCW"})
        names << Find<QToolButton>(window.get(), name)->accessibleName();
    EXPECT_EQ(names, QStringList({"Details", "Thumbnails", "Rotate Left", "Rotate Right"}));
    // The glyphs are drawn for the pixels asked for, not scaled from a smaller size.
    const QPixmap glyph = details->icon().pixmap(QSize(20, 20), 2.0);
    EXPECT_EQ(glyph.size(), QSize(40, 40));
    EXPECT_EQ(glyph.devicePixelRatio(), 2.0);
}

TEST_F(MainWindowTest, HasTheMenusWithTheirEntries)
{
    auto window = MakeWindow();
    QStringList menus;
    for (QAction *action : window->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, QStringList({"File", "Edit", "Bookmarks", "View", "Help"}));
    EXPECT_EQ(MenuTexts(Find<QMenu>(window.get(), "File1")),
              QStringList({"New", "Open", "Recent Projects", "Save", "Save As...", "Print", "-", "Create Slideshow",
                           "Play Show", "Export Video...", "Export Web Show...", "-", "Exit"}));
    EXPECT_TRUE(Find<QAction>(window.get(), "Save1")->isVisible());
    const QList<std::pair<const char *, QString>> keys{
        {"New1", "Ctrl+N"}, {"Open1", "Ctrl+O"}, {"Save1", "Ctrl+S"}, {"Save2", "Ctrl+Shift+S"},
        {"Print1", "Ctrl+P"}, {"PlayShow1", "F5"}, {"Exit1", "Ctrl+Q"}, {"HelpContents1", "F1"}};
    for (const auto &[name, key] : keys)
        EXPECT_EQ(Find<QAction>(window.get(), name)->shortcut().toString(), key) << name;
    EXPECT_EQ(Find<QToolButton>(window.get(), "tbRotateCCW")->shortcut().toString(), "Ctrl+Left");
    EXPECT_EQ(Find<QToolButton>(window.get(), "tbRotateCW")->shortcut().toString(), "Ctrl+Right");
    EXPECT_EQ(MenuTexts(Find<QMenu>(window.get(), "Edit1")), QStringList({"Project Settings", "Slide Properties"}));
    EXPECT_EQ(MenuTexts(Find<QMenu>(window.get(), "Bookmarks1")), QStringList({"Add Bookmark", "Edit Bookmarks", "-"}));
    EXPECT_EQ(MenuTexts(Find<QMenu>(window.get(), "View1")), QStringList({"View All Files", "Details", "Thumbnails"}));
    EXPECT_FALSE(Find<QAction>(window.get(), "ViewAllFiles1")->isVisible());
    EXPECT_TRUE(Find<QAction>(window.get(), "Details1")->isChecked());
    EXPECT_EQ(MenuTexts(Find<QMenu>(window.get(), "Help1")),
              QStringList({"Help Contents", "Help Overview", "Visit us on the web", "-", "About"}));
    EXPECT_EQ(Find<QAction>(window.get(), "HelpOverview1")->property("helpContext").toInt(), 10);
    for (const char *name : {"New1", "Open1", "Save2", "Print1", "CreateSlideshow1", "PlayShow1", "ExportVideo1", "ExportWebShow1",
                             "Exit1", "Project1",
                             "SlideProperties", "AddBookmark1", "EditBookmarks1", "Details1", "humbnails1",
                             "HelpContents1", "Visitusontheweb1", "About1"})
        Find<QAction>(window.get(), name);
}

TEST_F(MainWindowTest, TheEditMenuEnablesSlidePropertiesOnlyWithACurrentSlide)
{
    auto window = MakeWindow();
    QAction *properties = Find<QAction>(window.get(), "SlideProperties");
    properties->setEnabled(true);
    emit Find<QMenu>(window.get(), "Edit1")->aboutToShow();
    EXPECT_EQ(window->CurrentSlide(), nullptr);
    EXPECT_FALSE(properties->isEnabled());
    EXPECT_TRUE(Find<QAction>(window.get(), "Project1")->isEnabled());
}

TEST_F(MainWindowTest, TheLastFolderIsStoredOnCloseAndRestoredOnShow)
{
    TestFolder pictures;
    WriteJpeg(pictures.Path("a.jpg"), Qt::red);
    const QString folder = QDir(pictures.Root()).absolutePath();
    {
        auto window = MakeWindow();
        window->show();
        ASSERT_TRUE(window->Browser()->SelectFolder(folder));
        window->close();
    }
    EXPECT_EQ(ReadSetting(SettingsKey(), "LastFolder", "none"), folder);
    auto window = MakeWindow();
    window->show();
    EXPECT_EQ(window->Browser()->SelectedFolder(), folder);
    EXPECT_EQ(window->Browser()->Model()->rowCount(), 1);
    EXPECT_EQ(window->StatusBar()->PanelText(0), "1 files");
}

TEST_F(MainWindowTest, TheWindowOpensAsItWasLeft)
{
    {
        auto window = MakeWindow();
        window->show();
        window->setGeometry(40, 50, 700, 500);
        Find<QSplitter>(window.get(), "Splitter1")->setSizes({260, 440});
        window->Browser()->FileList()->ReportView()->header()->resizeSection(0, 310);
        Find<QAction>(window.get(), "humbnails1")->trigger();
        window->close();
    }
    auto window = MakeWindow();
    window->show();
    EXPECT_EQ(window->size(), QSize(700, 500));
    EXPECT_EQ(Find<QSplitter>(window.get(), "Splitter1")->sizes().value(0), 260);
    EXPECT_EQ(window->Browser()->FileList()->ReportView()->header()->sectionSize(0), 310);
    EXPECT_TRUE(Find<QToolButton>(window.get(), "tbDisplayThumbs")->isChecked());
    EXPECT_TRUE(Find<QAction>(window.get(), "humbnails1")->isChecked());
}

TEST_F(MainWindowTest, AFolderThatIsGoneIsIgnoredWithoutAMessage)
{
    WriteSetting(SettingsKey(), "LastFolder", m_config.Path("deleted since"));
    auto window = MakeWindow();
    window->show();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window->Browser()->SelectedFolder(), QDir::homePath());
}

TEST_F(MainWindowTest, EscapeAnywhereInTheWindowStopsTheThumbnails)
{
    TestFolder pictures;
    for (int i = 0; i < 10; ++i)
        WriteJpeg(pictures.Path(QString("p%1.jpg").arg(i)), QColor(20 * i, 0, 0));
    // Only the first picture is made before Escape; the others wait for it.
    PictureLoadGate gate(1);
    auto window = MakeWindow();
    window->show();
    TImageBrowser *browser = window->Browser();
    browser->Builder().SetPictureLoader(gate.Guarded());
    browser->SelectFolder(pictures.Root());
    Find<QAction>(window.get(), "humbnails1")->trigger();
    EXPECT_TRUE(Find<QToolButton>(window.get(), "tbDisplayThumbs")->isChecked());
    EXPECT_EQ(browser->FileList()->CurrentViewStyle(), TFileListView::Icons);
    ASSERT_TRUE(WaitFor([&] { return browser->ThumbnailImages().Count() >= 1; }));
    ASSERT_TRUE(browser->BuildRunning());
    // The key goes to the folder tree, not to the list.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(browser->FolderTree(), &escape);
    EXPECT_FALSE(browser->BuildRunning());
    EXPECT_EQ(window->StatusBar()->PanelText(1), "Load Aborted");
    gate.Open();
    browser->Builder().WaitForWorkers();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(browser->ThumbnailImages().Count(), 1);

    // A folder change while the thumbnails are on makes them for the new folder.
    TestFolder other;
    WriteJpeg(other.Path("x.jpg"), Qt::blue);
    browser->SelectFolder(other.Root());
    EXPECT_EQ(browser->FileList()->CurrentViewStyle(), TFileListView::Icons);
    ASSERT_TRUE(WaitFor([&] { return !browser->BuildRunning(); }));
    EXPECT_EQ(browser->ThumbnailImages().Count(), 1);
    EXPECT_EQ(window->StatusBar()->PanelText(1), "");

    Find<QAction>(window.get(), "Details1")->trigger();
    EXPECT_TRUE(Find<QToolButton>(window.get(), "tbDisplayDetails")->isChecked());
    EXPECT_EQ(browser->FileList()->CurrentViewStyle(), TFileListView::Report);
}

TEST_F(MainWindowTest, ReleasingDeleteIsTakenByTheWindow)
{
    struct Seen : QObject
    {
        QList<int> keys;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::KeyRelease)
                keys << static_cast<QKeyEvent *>(event)->key();
            return false;
        }
    } seen;
    auto window = MakeWindow();
    window->show();
    QWidget *list = window->Browser()->FileList()->ReportView();
    list->installEventFilter(&seen);
    QKeyEvent del(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(list, &del);
    QKeyEvent other(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(list, &other);
    // The window handles Delete before the focused control; other keys pass.
    // With no current slide the deletion says so.
    EXPECT_EQ(seen.keys, QList<int>({Qt::Key_A}));
    EXPECT_EQ(messages, QStringList({"Select a slide first."}));
}

TEST_F(MainWindowTest, ADoubleClickPreviewsTheOneSelectedFile)
{
    TestFolder pictures;
    WriteJpeg(pictures.Path("a.jpg"), Qt::red);
    pictures.Write("b.bmp", "not a bitmap");
    auto window = MakeWindow();
    window->show();
    TImageBrowser *browser = window->Browser();
    browser->SelectFolder(pictures.Root());
    browser->FileList()->SelectOnly(1); // b.bmp
    window->LV1DblClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(viewer.isVisible());

    browser->FileList()->SelectOnly(0);
    window->LV1DblClick();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), QDir(pictures.Root()).absolutePath() + "/a.jpg   (80 X 60)");
    viewer.close();

    browser->FileList()->SelectionModel()->select(browser->Model()->index(1, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->LV1DblClick();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(MainWindowTest, BookmarksWorkFromTheMenu)
{
    TestFolder pictures;
    WriteJpeg(pictures.Path("a.jpg"), Qt::red);
    const QString folder = QDir(pictures.Root()).absolutePath();
    auto window = MakeWindow();
    window->show();
    window->Browser()->SelectFolder(folder);
    Find<QAction>(window.get(), "AddBookmark1")->trigger();
    QMenu *menu = Find<QMenu>(window.get(), "Bookmarks1");
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_EQ(menu->actions()[3]->text(), folder + "/");

    window->Browser()->SelectFolder(QDir::homePath());
    menu->actions()[3]->trigger();
    EXPECT_EQ(window->Browser()->SelectedFolder(), folder);

    // A new window builds the menu from the file.
    auto second = MakeWindow();
    EXPECT_EQ(Find<QMenu>(second.get(), "Bookmarks1")->actions().size(), 4);
    EXPECT_TRUE(messages.isEmpty());
}
