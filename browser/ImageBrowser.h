#pragma once

#include "browser/FileListModel.h"
#include "browser/ImageList.h"
#include "browser/ThumbnailBuilder.h"

#include <QObject>
#include <QStringList>

#include <deque>

class TFileListView;
class TFolderTree;
class TStatusBar;

// The image browser of the main window: the folder tree STV1 and the file
// list LV1 working together. It fills and sorts the list when the folder
// changes, switches between the report and the thumbnail view, and makes
// the thumbnails (ImageList2) on worker threads. Status texts go to panels
// 0 and 1 of the status bar, the thumbnail progress to its gauge.
class TImageBrowser : public QObject
{
    Q_OBJECT

public:
    // The edge of a thumbnail cell in pixels.
    static constexpr int kThumbnailSize = 128;

    // The file list is made here, as a child of listParent.
    TImageBrowser(TFolderTree *tree, QWidget *listParent, TStatusBar *statusBar, QObject *parent = nullptr);
    ~TImageBrowser() override;

    TFolderTree *FolderTree() const { return m_tree; }
    TFileListView *FileList() const { return m_list; }
    TFileListModel *Model() { return &m_model; }
    const TImageList &ThumbnailImages() const { return m_images; }
    TThumbnailBuilder &Builder() { return m_builder; }

    // The folder tree's selected folder; selecting a folder refills the list.
    QString SelectedFolder() const;
    bool SelectFolder(const QString &path);

    // The selected files of the list, top to bottom: names and full paths.
    QStringList SelectedFileNames() const;
    QStringList SelectedFilePaths() const;
    // Takes the file out of the list's selection (a file dropped onto the
    // slide strip).
    void DeselectFile(const QString &path);

    // STV1Change: refills the list for the tree's folder in the report view.
    // Returns false when the selection is not an existing folder (the list
    // is then left as it was).
    bool FolderChanged();

    // Fills the list with the folder's files that match the masks; the file
    // count goes to status panel 0.
    void FillFileList(const QString &folder, const QStringList &masks);

    // Sorts by SortColumn and SortAscending; "Error sorting items" on failure.
    void SortList();
    // LV1ColumnClick: the same column again inverts the direction, another
    // column sorts ascending by it.
    void ColumnClicked(int column);

    // The report view (tbDisplayDetailsClick).
    void ShowDetails();
    // The icon view: sorts and builds or reuses the thumbnails
    // (tbDisplayThumbsClick).
    void ShowThumbnails();
    void BuildThumbnails();
    // Escape: no more thumbnails are made in the running build.
    void CancelThumbnails();

    // The path a double click previews: only with exactly one selected file.
    QString PathToPreview() const;

    int SortColumn() const { return m_sortColumn; }
    bool SortAscending() const { return m_sortAscending; }
    int ThumbnailSize() const { return kThumbnailSize; }
    const QString &ThumbnailFolder() const { return m_thumbnailFolder; }
    bool ThumbnailsLoading() const { return m_thumbnailsLoading; }
    bool BuildRunning() const { return m_builder.IsRunning(); }

private:
    void CellReady(quint64 generation, int position, const QImage &cell, bool failed);
    void FinishBuild();
    void StopBuildQuietly();
    bool ReuseThumbnails();
    void ShowQueuedMessages();

    TFolderTree *m_tree;
    TStatusBar *m_status;
    TImageList m_images;
    TFileListModel m_model;
    TFileListView *m_list;
    TThumbnailBuilder m_builder;

    int m_sortColumn = 0;
    bool m_sortAscending = true;
    QString m_thumbnailFolder;
    bool m_thumbnailsLoading = false;

    // The running build: its folder, the files by position, cells delivered.
    quint64 m_buildGeneration = 0;
    QString m_buildFolder;
    QStringList m_buildNames;
    QStringList m_buildPaths;
    int m_buildDelivered = 0;

    std::deque<QString> m_messages;
    bool m_showingMessages = false;
};
