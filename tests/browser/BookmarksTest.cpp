#include "browser/BookmarkEditor.h"
#include "browser/Bookmarks.h"
#include "browser/BookmarksFile.h"
#include "shell/Messages.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct BookmarkWindow : BrowserWindow
{
    TestFolder data;
    QString file = data.Path("Vistrano/bookmrks.dat");
    QMenu menu;
    TBookmarks bookmarks{&menu, browser, file};
    QStringList messages;

    BookmarkWindow()
    {
        menu.addAction("Add Bookmark");
        menu.addAction("Edit Bookmarks");
        menu.addSeparator();
        SetMessageObserver([this](const QString &text) { messages << text; });
    }
    ~BookmarkWindow() { SetMessageObserver({}); }

    QStringList MenuBookmarks() const
    {
        QStringList items;
        const QList<QAction *> actions = menu.actions();
        for (qsizetype i = 3; i < actions.size(); ++i)
            items << TBookmarks::BookmarkOf(actions[i]);
        return items;
    }
};

// Presses the named buttons of the dialog once it is shown, then OK or Cancel.
void DriveEditor(TfBMEdit &editor, const QStringList &buttons, const char *close)
{
    QTimer::singleShot(0, &editor, [&editor, buttons, close] {
        for (const QString &name : buttons)
            editor.findChild<QPushButton *>(name)->click();
        editor.findChild<QPushButton *>(close)->click();
    });
}

} // namespace

TEST(Bookmarks, TheMenuIsBuiltFromTheFileAfterItsFixedItems)
{
    BookmarkWindow w;
    w.bookmarks.SetBookmarks();
    EXPECT_EQ(w.menu.actions().size(), 3);
    QDir().mkpath(QFileInfo(w.file).path());
    w.data.Write("Vistrano/bookmrks.dat", "/a/\r\n/b & c/x.jpg\r\n/last/without/end");
    w.bookmarks.SetBookmarks();
    EXPECT_EQ(w.MenuBookmarks(), QStringList({"/a/", "/b & c/x.jpg", "/last/without/end"}));
    // The caption is the bookmark as it stands: "&" makes no keyboard mark.
    EXPECT_EQ(w.menu.actions()[4]->text(), "/b && c/x.jpg");
    EXPECT_EQ(w.bookmarks.BookmarkList().size(), 3);
    w.bookmarks.SetBookmarks();
    EXPECT_EQ(w.menu.actions().size(), 6);
}

TEST(Bookmarks, AddBookmarksTheFolderOrTheOneSelectedFile)
{
    TestFolder pics;
    pics.Write("a.jpg", "x");
    pics.Write("b.jpg", "x");
    BookmarkWindow w;
    w.browser->SelectFolder(pics.Root());
    const QString folder = QDir(pics.Root()).absolutePath() + "/";

    w.bookmarks.AddBookmark();
    w.browser->FileList()->SelectOnly(0);
    w.bookmarks.AddBookmark();
    w.browser->FileList()->SelectionModel()->select(w.Model().index(1, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    w.bookmarks.AddBookmark(); // two files: the folder, already there
    EXPECT_EQ(w.messages, QStringList({folder + " is already bookmarked!"}));
    EXPECT_EQ(w.MenuBookmarks(), QStringList({folder, folder + "a.jpg"}));
    EXPECT_EQ(ReadFileBytes(w.file), (folder + "\r\n" + folder + "a.jpg\r\n").toUtf8());

    // Letter case is ignored when looking for the same bookmark.
    w.data.Write("Vistrano/bookmrks.dat", (folder.toUpper() + "\r\n").toUtf8());
    w.messages.clear();
    w.browser->FileList()->ClearSelection();
    w.bookmarks.AddBookmark();
    EXPECT_EQ(w.messages, QStringList({folder + " is already bookmarked!"}));
}

TEST(Bookmarks, GoingToABookmarkSelectsTheFolderAndTheFile)
{
    TestFolder first, pics;
    first.Write("other.jpg", "x");
    pics.Write("a.jpg", "x");
    pics.Write("b.jpg", "x");
    BookmarkWindow w;
    w.browser->SelectFolder(first.Root());
    const QString folder = QDir(pics.Root()).absolutePath() + "/";

    w.bookmarks.GoToBookmark(folder + "B.JPG");
    EXPECT_EQ(w.browser->SelectedFolder() + "/", folder);
    EXPECT_EQ(w.browser->SelectedFileNames(), QStringList({"b.jpg"}));

    w.bookmarks.GoToBookmark(folder);
    EXPECT_EQ(w.browser->SelectedFileNames(), QStringList({"b.jpg"})); // folder bookmark: selection untouched
    w.bookmarks.GoToBookmark(folder + "gone.jpg");
    EXPECT_EQ(w.messages, QStringList({"Unable to find gone.jpg"}));
    EXPECT_TRUE(w.browser->SelectedFileNames().isEmpty());

    w.bookmarks.GoToBookmark(folder + "deleted/");
    EXPECT_EQ(w.messages.last(), "Unable to open folder " + folder + "deleted/");
    EXPECT_EQ(w.browser->SelectedFolder() + "/", folder);
}

TEST(Bookmarks, TheEditorReordersDeletesAndClears)
{
    BookmarkWindow w;
    w.data.Write("Vistrano/bookmrks.dat", "/1/\r\n/2/\r\n/3/\r\n/4/\r\n/5/\r\n");
    w.bookmarks.SetBookmarks();
    TfBMEdit editor(w.file);
    EXPECT_EQ(editor.windowTitle(), "Edit Bookmarks");
    EXPECT_EQ(editor.size(), QSize(390, 273));

    // Up on the first line changes nothing; Down, Down, then Delete on the third.
    DriveEditor(editor, {"BitBtn3", "BitBtn4", "BitBtn4"}, "BitBtn2");
    w.bookmarks.EditBookmarks(&editor);
    EXPECT_EQ(editor.Lines(), QStringList({"/2/", "/3/", "/1/", "/4/", "/5/"}));
    EXPECT_EQ(editor.SelectedLine(), 2);
    // Cancel wrote nothing; the next showing reads the file again.
    EXPECT_EQ(w.MenuBookmarks(), QStringList({"/1/", "/2/", "/3/", "/4/", "/5/"}));

    // The first line goes down twice and is deleted as the third of five.
    DriveEditor(editor, {"BitBtn4", "BitBtn4", "BitBtn5"}, "BitBtn1");
    w.bookmarks.EditBookmarks(&editor);
    EXPECT_EQ(editor.Lines(), QStringList({"/2/", "/3/", "/4/", "/5/"}));
    EXPECT_EQ(editor.SelectedLine(), 0);
    EXPECT_EQ(ReadFileBytes(w.file), QByteArray("/2/\r\n/3/\r\n/4/\r\n/5/\r\n"));
    EXPECT_EQ(w.MenuBookmarks(), QStringList({"/2/", "/3/", "/4/", "/5/"}));

    // Down on the last line changes nothing.
    DriveEditor(editor, {"BitBtn4", "BitBtn4", "BitBtn4", "BitBtn4", "BitBtn4"}, "BitBtn2");
    w.bookmarks.EditBookmarks(&editor);
    EXPECT_EQ(editor.Lines(), QStringList({"/3/", "/4/", "/5/", "/2/"}));
    EXPECT_EQ(editor.SelectedLine(), 3);

    DriveEditor(editor, {"BitBtn6"}, "BitBtn1");
    w.bookmarks.EditBookmarks(&editor);
    EXPECT_TRUE(editor.Lines().isEmpty());
    EXPECT_EQ(ReadFileBytes(w.file), QByteArray());
    EXPECT_TRUE(w.MenuBookmarks().isEmpty());
    EXPECT_EQ(w.menu.actions().size(), 3);
}

TEST(Bookmarks, TheEditorKeepsItsLinesWhenTheFileCannotBeRead)
{
    BookmarkWindow w;
    TfBMEdit editor(w.file);
    editor.SetLines({"/kept/"});
    DriveEditor(editor, {}, "BitBtn2");
    w.bookmarks.EditBookmarks(&editor);
    EXPECT_EQ(editor.Lines(), QStringList({"/kept/"}));
    EXPECT_EQ(editor.SelectedLine(), 0);
}
