#include "browser/Bookmarks.h"

#include "browser/BookmarkEditor.h"
#include "browser/BookmarksFile.h"
#include "browser/FileListView.h"
#include "browser/ImageBrowser.h"
#include "shell/Messages.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int kFixedItems = 3;
constexpr char kBookmarkProperty[] = "vistranoBookmark";

} // namespace

TBookmarks::TBookmarks(QMenu *menu, TImageBrowser *browser, const QString &filePath, QObject *parent)
    : QObject(parent), m_menu(menu), m_browser(browser), m_filePath(filePath)
{
}

QString TBookmarks::BookmarkOf(const QAction *action)
{
    return action ? action->property(kBookmarkProperty).toString() : QString();
}

void TBookmarks::AppendItem(const QString &bookmark)
{
    // The caption is the bookmark exactly: an "&" must not become a
    // keyboard mark, and a tab must not start a shortcut column.
    QString caption = bookmark;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&")).replace(QLatin1Char('\t'), QLatin1Char(' '));
    QAction *item = m_menu->addAction(caption);
    item->setProperty(kBookmarkProperty, bookmark);
}

void TBookmarks::ReadList()
{
    m_bookmarkList = ReadBookmarksFile(m_filePath).value_or(QStringList());
}

void TBookmarks::SetBookmarks()
{
    const QList<QAction *> items = m_menu->actions();
    for (qsizetype i = kFixedItems; i < items.size(); ++i) {
        m_menu->removeAction(items[i]);
        delete items[i];
    }
    m_bookmarkList.clear();
    const std::optional<QStringList> lines = ReadBookmarksFile(m_filePath);
    if (!lines)
        return;
    m_bookmarkList = *lines;
    for (const QString &bookmark : m_bookmarkList)
        AppendItem(bookmark);
}

void TBookmarks::AddBookmark()
{
    ReadList();
    const QStringList selected = m_browser->SelectedFileNames();
    const QString bookmark = MakeBookmark(m_browser->SelectedFolder(), selected.size() == 1 ? selected.front() : QString());
    if (HasBookmark(m_bookmarkList, bookmark)) {
        ShowMessage(bookmark + tr(" is already bookmarked!"));
        return;
    }
    AppendItem(bookmark);
    m_bookmarkList << bookmark;
    WriteBookmarksFile(m_filePath, m_bookmarkList);
}

void TBookmarks::EditBookmarks(TfBMEdit *editor)
{
    if (editor->exec() != QDialog::Accepted)
        return;
    const QStringList lines = editor->Lines();
    WriteBookmarksFile(m_filePath, lines);
    m_bookmarkList = lines;
    SetBookmarks();
}

void TBookmarks::GoToBookmark(const QString &bookmark)
{
    const BookmarkParts parts = SplitBookmark(bookmark);
    if (!m_browser->SelectFolder(parts.folder)) {
        ShowMessage(tr("Unable to open folder ") + parts.folder);
        return;
    }
    if (parts.file.isEmpty())
        return;
    TFileListView *list = m_browser->FileList();
    list->ClearSelection();
    const auto &items = m_browser->Model()->Items();
    for (int row = 0; row < int(items.size()); ++row) {
        if (items[size_t(row)].caption.compare(parts.file, Qt::CaseInsensitive) == 0) {
            list->SelectOnly(row);
            return;
        }
    }
    ShowMessage(tr("Unable to find ") + parts.file);
}
