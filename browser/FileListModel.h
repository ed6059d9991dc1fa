#pragma once

#include "browser/FileListItem.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <vector>

class TImageList;

// The MIME type of a drag that starts in the file list: the dragged files'
// full paths, UTF-8, each ended by a zero byte (the one character a path
// cannot hold). The same drag also carries them as a
// URI list for other programs.
inline constexpr char kFileListMimeType[] = "application/x-vistrano-file-list";

// Paths of a file-list drag, empty when the data does not come from the list.
class QMimeData;
QStringList FileListDragPaths(const QMimeData *data);

// The rows of the file list, shared by its report view and its icon view.
// Column 0 holds the caption; the thumbnail of a row is its image index
// into the image list, read with ThumbnailRole.
class TFileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role { ThumbnailRole = Qt::UserRole + 1, FilePathRole };

    explicit TFileListModel(const TImageList *imageList, QObject *parent = nullptr);

    // Replaces every row; the folder is where the rows' files are.
    void SetItems(const QString &folder, std::vector<FileListItem> items);
    void Clear();

    const QString &Folder() const { return m_folder; }
    const std::vector<FileListItem> &Items() const { return m_items; }
    const FileListItem &Item(int row) const { return m_items[size_t(row)]; }
    QString FilePath(int row) const;

    // The row of the file of this name (exact), or -1.
    int RowOfCaption(const QString &caption) const;

    // Sorts the rows; selections and other persistent indexes follow them.
    void Sort(int column, bool ascending);

    // Gives a row its thumbnail (an index into the image list, -1 for none).
    void SetImageIndex(int row, int imageIndex);
    // Every row without a thumbnail (the image list was cleared).
    void ClearImageIndexes();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    void IndexCaptions();

    const TImageList *m_imageList;
    QString m_folder;
    std::vector<FileListItem> m_items;
    QHash<QString, int> m_rowByCaption;
};
