#include "browser/ImageBrowser.h"

#include "browser/FileListFilling.h"
#include "browser/FileListView.h"
#include "browser/FolderPath.h"
#include "browser/FolderTree.h"
#include "browser/PictureMasks.h"
#include "browser/ThumbnailCache.h"
#include "browser/ThumbnailCell.h"
#include "shell/BusyCursor.h"
#include "shell/GaugePercent.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"

#include <QApplication>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QListView>
#include <QTimer>

TImageBrowser::TImageBrowser(TFolderTree *tree, QWidget *listParent, TStatusBar *statusBar, QObject *parent)
    : QObject(parent), m_tree(tree), m_status(statusBar), m_model(&m_images),
      m_list(new TFileListView(&m_model, kThumbnailSize, listParent)), m_builder(kThumbnailSize)
{
    m_builder.SetCache(std::make_shared<TThumbnailCache>());
    connect(&m_builder, &TThumbnailBuilder::CellReady, this, &TImageBrowser::CellReady);
    connect(&m_builder, &TThumbnailBuilder::Finished, this, [this](quint64 generation) {
        if (generation == m_buildGeneration)
            FinishBuild();
    });
    m_list->ShowSortIndicator(m_sortColumn, m_sortAscending);
}

TImageBrowser::~TImageBrowser()
{
    m_builder.Stop();
}

QString TImageBrowser::SelectedFolder() const
{
    return m_tree->SelectedFolder();
}

bool TImageBrowser::SelectFolder(const QString &path)
{
    return m_tree->SelectFolder(path);
}

QStringList TImageBrowser::SelectedFileNames() const
{
    QStringList names;
    for (int row : m_list->SelectedRows())
        names << m_model.Item(row).caption;
    return names;
}

QStringList TImageBrowser::SelectedFilePaths() const
{
    QStringList paths;
    for (int row : m_list->SelectedRows())
        paths << m_model.FilePath(row);
    return paths;
}

void TImageBrowser::DeselectFile(const QString &path)
{
    QItemSelectionModel *selection = m_list->SelectionModel();
    for (const QModelIndex &index : selection->selectedRows()) {
        if (m_model.FilePath(index.row()) == path) {
            selection->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
            return;
        }
    }
}

bool TImageBrowser::FolderChanged()
{
    try {
        m_status->SetPanelText(TStatusBar::FilesPanel, QString());
        const QString folder = SelectedFolder();
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            return false;
        // A build for the folder that is left must not go on filling the
        // list of the new one.
        StopBuildQuietly();
        m_list->SetViewStyle(TFileListView::Report);
        FillFileList(folder, SplitMaskList(kPictureFileMasks));
        SortList();
        return true;
    } catch (...) {
        // A failed folder change leaves what was listed so far.
        return false;
    }
}

void TImageBrowser::FillFileList(const QString &folder, const QStringList &masks)
{
    const TBusyCursor busy;
    struct CountOnExit
    {
        TImageBrowser *browser;
        ~CountOnExit()
        {
            browser->m_list->setUpdatesEnabled(true);
            browser->m_status->SetPanelText(TStatusBar::FilesPanel,
                                            QString::number(browser->m_model.rowCount()) + TImageBrowser::tr(" files"));
        }
    } countOnExit{this};
    m_list->setUpdatesEnabled(false);
    m_model.SetItems(folder, {});
    m_model.SetItems(folder, ListPictureFiles(folder, masks));
}

void TImageBrowser::SortList()
{
    try {
        m_model.Sort(m_sortColumn, m_sortAscending);
        m_list->ShowSortIndicator(m_sortColumn, m_sortAscending);
    } catch (...) {
        ShowMessage(tr("Error sorting items"));
    }
}

void TImageBrowser::ColumnClicked(int column)
{
    if (column == m_sortColumn) {
        m_sortAscending = !m_sortAscending;
    } else {
        m_sortAscending = true;
        m_sortColumn = column;
    }
    SortList();
}

void TImageBrowser::ShowDetails()
{
    m_list->SetViewStyle(TFileListView::Report);
}

void TImageBrowser::ShowThumbnails()
{
    m_list->SetViewStyle(TFileListView::Icons);
    SortList();
    BuildThumbnails();
}

bool TImageBrowser::ReuseThumbnails()
{
    std::vector<int> indexes;
    indexes.reserve(size_t(m_model.rowCount()));
    for (const FileListItem &item : m_model.Items()) {
        const int index = m_images.IndexOf(item.caption);
        if (index < 0)
            return false;
        indexes.push_back(index);
    }
    for (int row = 0; row < int(indexes.size()); ++row)
        m_model.SetImageIndex(row, indexes[size_t(row)]);
    return true;
}

void TImageBrowser::BuildThumbnails()
{
    const QString folder = SelectedFolder();
    const int count = m_model.rowCount();
    if (m_builder.IsRunning() && m_thumbnailsLoading && folder == m_buildFolder && folder == m_model.Folder()
        && count == m_buildNames.size()) {
        // The running build already makes the cells of these files; each
        // arriving cell finds its own row by the file name.
        bool same = true;
        for (const QString &name : m_buildNames)
            same = same && m_model.RowOfCaption(name) >= 0;
        if (same)
            return;
    }
    // The cells are made in the device pixels of the screen the list is on,
    // so that they stay sharp where a point is several pixels.
    const int cellSize = qRound(kThumbnailSize * m_list->IconView()->devicePixelRatioF());
    if (!m_builder.IsRunning() && folder == m_thumbnailFolder && count == m_images.Count()
        && cellSize == m_builder.CellSize() && ReuseThumbnails())
        return;

    StopBuildQuietly();
    m_thumbnailsLoading = true;
    m_images.Clear();
    m_model.ClearImageIndexes();
    const QString folderPath = WithTrailingSeparator(folder);
    m_status->SetPanelText(TStatusBar::ThumbnailsPanel, tr(" ESC to cancel"));
    m_sortAscending = true;
    SortList();
    m_list->IconView()->scrollToTop();

    m_buildFolder = folder;
    m_buildNames.clear();
    m_buildPaths.clear();
    for (const FileListItem &item : m_model.Items()) {
        m_buildNames << item.caption;
        m_buildPaths << folderPath + item.caption;
    }
    m_buildDelivered = 0;
    const QColor background = m_list->IconView()->palette().color(QPalette::Base);
    // An empty list finishes inside Start, so the number is known before.
    m_buildGeneration = m_builder.Generation() + 1;
    m_builder.SetCellSize(cellSize);
    m_builder.Start(m_buildPaths, background);
}

void TImageBrowser::CellReady(quint64 generation, int position, const QImage &cell, bool failed)
{
    if (generation != m_buildGeneration || !m_thumbnailsLoading || position < 0 || position >= m_buildNames.size())
        return;
    if (failed) {
        m_messages.push_back(tr("Error loading file ") + m_buildPaths[position]);
        QTimer::singleShot(0, this, &TImageBrowser::ShowQueuedMessages);
    }
    const QString &name = m_buildNames[position];
    const int image = m_images.Add(cell, name);
    if (image < 0) {
        m_thumbnailsLoading = false;
        m_messages.push_back(tr("Out of system resources... make a new folder so it holds less image files or "
                                "reduce your Thumbnail Preview Size!"));
        QTimer::singleShot(0, this, &TImageBrowser::ShowQueuedMessages);
        FinishBuild();
        return;
    }
    m_model.SetImageIndex(m_model.RowOfCaption(name), image);
    m_status->SetGauge(GaugePercent(m_buildDelivered, m_buildNames.size()));
    ++m_buildDelivered;
}

void TImageBrowser::FinishBuild()
{
    m_builder.Stop();
    m_thumbnailFolder = m_buildFolder;
    m_status->SetGauge(0);
    m_status->SetPanelText(TStatusBar::ThumbnailsPanel, m_thumbnailsLoading ? QString() : tr("Load Aborted"));
}

void TImageBrowser::StopBuildQuietly()
{
    if (!m_builder.IsRunning())
        return;
    m_builder.Stop();
    m_messages.clear();
    m_thumbnailFolder = m_buildFolder;
    m_status->SetGauge(0);
    m_status->SetPanelText(TStatusBar::ThumbnailsPanel, QString());
}

void TImageBrowser::CancelThumbnails()
{
    m_thumbnailsLoading = false;
    if (m_builder.IsRunning())
        FinishBuild();
}

QString TImageBrowser::PathToPreview() const
{
    const QList<int> rows = m_list->SelectedRows();
    if (rows.size() != 1)
        return {};
    return WithTrailingSeparator(SelectedFolder()) + m_model.Item(rows.front()).caption;
}

void TImageBrowser::ShowQueuedMessages()
{
    if (m_showingMessages)
        return;
    m_showingMessages = true;
    while (!m_messages.empty()) {
        const QString text = m_messages.front();
        m_messages.pop_front();
        ShowMessage(text);
    }
    m_showingMessages = false;
}
