#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class TImageBrowser;
class TfBMEdit;

// The bookmarks of the main window: the bookmark items at the end of the
// "Bookmarks" menu (after its three fixed items), the scratch BookmarkList,
// and the commands Add, Edit and Go to. The file is the lasting state; the
// menu is rebuilt from it.
class TBookmarks : public QObject
{
    Q_OBJECT

public:
    TBookmarks(QMenu *menu, TImageBrowser *browser, const QString &filePath, QObject *parent = nullptr);

    const QString &FilePath() const { return m_filePath; }
    const QStringList &BookmarkList() const { return m_bookmarkList; }

    // The bookmark of a menu item, or an empty text for the fixed items.
    static QString BookmarkOf(const QAction *action);

    // Rebuilds the bookmark items from the file (SetBookmarks).
    void SetBookmarks();
    // Bookmarks the tree's folder, or the one selected file in it.
    void AddBookmark();
    // Shows the editor; after OK the file, BookmarkList and the menu follow
    // its lines.
    void EditBookmarks(TfBMEdit *editor);
    // Selects the bookmark's folder in the tree and, for a file bookmark,
    // that file in the list.
    void GoToBookmark(const QString &bookmark);

private:
    void AppendItem(const QString &bookmark);
    void ReadList();

    QMenu *m_menu;
    TImageBrowser *m_browser;
    QString m_filePath;
    QStringList m_bookmarkList;
};
